#include "frontend/GOptionsScene.h"

#include "FrontendTestSupport.h"
#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "audio/SoundPack.h"
#include "data/ProfileKeys.h"
#include "nodes/ButtonNode.h"
#include "nodes/SliderNode.h"
#include "nodes/TextNode.h"

using namespace frontendtest;

namespace
{
class Options : public FrontendStage
{
protected:
	GOptionsScene* openOptions() { return open<GOptionsScene>(GOptionsScene::FileName); }

	// The state of each switch as the screen shows it, "1" on, "0" off, "-" missing:
	// sound, music, full screen, cursor.
	static std::string switches(const GOptionsScene* scene)
	{
		std::string text;
		for (const ButtonNode* button : {scene->getMuteSoundButton(), scene->getMuteMusicButton(),
		                                 scene->getFullscreenButton(), scene->getCursorButton()})
			text += button ? (GOptionsScene::isOn(button) ? "1" : "0") : "-";
		return text;
	}
};
} // namespace

TEST_F(Options, ShowsEachOptionFromItsOwnProfile)
{
	usePlayers({L"Ann", L"Bo"}, 1);
	CProfile* player = CProfileManager::instance()->getActiveProfile();
	player->setBool(ProfileKey::MusicOn, false);
	player->setFloat(ProfileKey::SoundVolume, 30.0f);
	player->setFloat(ProfileKey::MusicVolume, 80.0f);
	CProfile* common = CProfileManager::instance()->getCommonProfile();
	common->setBool(ProfileKey::FullScreen, false);
	common->setBool(ProfileKey::WindowsCursor, true);
	// Another player's options are not this player's.
	CProfileManager::instance()->getProfile(0)->setFloat(ProfileKey::SoundVolume, 5.0f);

	GOptionsScene* scene = openOptions();
	ASSERT_NE(scene, nullptr);
	// Full screen shows the mode in effect, not the stored choice.
	EXPECT_EQ(switches(scene), std::string("10") + (getDevice()->isFullscreen() ? "1" : "0") + "1");
	ASSERT_NE(scene->getSoundSlider(), nullptr);
	ASSERT_NE(scene->getMusicSlider(), nullptr);
	EXPECT_FLOAT_EQ(scene->getSoundSlider()->getValue(), 30.0f);
	EXPECT_FLOAT_EQ(scene->getMusicSlider()->getValue(), 80.0f);
	EXPECT_EQ(scene->getMuteMusicButton()->getText(), irr::core::stringw(L"%Options_Off%"));
	EXPECT_EQ(getStringById(scene->getMuteMusicButton()->getTemplateName()), "Options_OnOffButtonRed");
}

TEST_F(Options, EachSwitchIsSavedInItsProfileAndTwoPressesRestoreIt)
{
	usePlayers({L"Ann", L"Bo"}, 0);
	struct Case
	{
		const char* key;
		bool common;
		ButtonNode* (GOptionsScene::*button)() const;
	};
	const Case cases[] = {
	    {ProfileKey::SoundOn, false, &GOptionsScene::getMuteSoundButton},
	    {ProfileKey::MusicOn, false, &GOptionsScene::getMuteMusicButton},
	    {ProfileKey::WindowsCursor, true, &GOptionsScene::getCursorButton},
	};
	GOptionsScene* scene = openOptions();
	ASSERT_NE(scene, nullptr);
	for (const Case& c : cases)
	{
		ButtonNode* button = (scene->*c.button)();
		ASSERT_NE(button, nullptr) << c.key;
		const auto stored = [&](const CProfileManager& profiles)
		{ return (c.common ? profiles.getCommonProfile() : profiles.getProfile(0))->getBool(c.key); };
		const bool before = stored(*CProfileManager::instance());
		EXPECT_EQ(GOptionsScene::isOn(button), before) << c.key;

		EXPECT_FALSE(press(scene, button));
		EXPECT_EQ(GOptionsScene::isOn(button), !before) << c.key;
		EXPECT_EQ(stored(*reloadedProfiles()), !before) << c.key << ": saved at once";
		// The other player keeps the value; only display options are shared.
		const auto other = reloadedProfiles();
		if (!c.common)
			EXPECT_EQ(other->getProfile(1)->getBool(c.key), before) << c.key;

		press(scene, button);
		EXPECT_EQ(stored(*reloadedProfiles()), before) << c.key;
	}
}

// The window is not remade under the loaded scenes: a press stores the choice for the next start,
// the button keeps showing the mode in effect, and a note says what the next start brings.
TEST_F(Options, FullScreenIsChosenForTheNextStartWhileTheButtonShowsTheModeInEffect)
{
	usePlayers({L"Ann"}, 0);
	CProfileManager::instance()->getCommonProfile()->setBool(ProfileKey::FullScreen, false);
	const DeviceCreationParameters asked = application->creationParameters;
	const bool inEffect = getDevice()->isFullscreen();
	GOptionsScene* scene = openOptions();
	ASSERT_NE(scene, nullptr);
	ASSERT_NE(scene->getFullscreenNote(), nullptr);
	EXPECT_EQ(GOptionsScene::isOn(scene->getFullscreenButton()), inEffect);
	const auto stored = [] { return reloadedProfiles()->getCommonProfile()->getBool(ProfileKey::FullScreen); };

	for (bool chosen : {true, false, true})
	{
		SCOPED_TRACE(chosen ? "chosen on" : "chosen off");
		EXPECT_FALSE(press(scene, scene->getFullscreenButton()));
		EXPECT_EQ(stored(), chosen) << "saved at once";
		EXPECT_EQ(GOptionsScene::isOn(scene->getFullscreenButton()), inEffect);
		EXPECT_EQ(getDevice()->isFullscreen(), inEffect) << "the window stays as it is";
		EXPECT_EQ(application->creationParameters.fullscreen, asked.fullscreen);
		EXPECT_EQ(scene->getFullscreenNote()->isVisible(), chosen != inEffect);
		if (chosen != inEffect)
			EXPECT_EQ(scene->getFullscreenNote()->getText(),
			          irr::core::stringw(GOptionsScene::displayModeNote(chosen, inEffect, asked.fullscreen)));
	}

	// Opened again, the pending choice is still announced.
	scene->closeTo(0);
	settle();
	scene = openOptions();
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(scene->getFullscreenNote()->isVisible(), !inEffect);
}

TEST(OptionsDisplayModeNote, SaysWhatTheNextStartBringsOrThatTheDisplayCannot)
{
	struct Case
	{
		bool chosen, inEffect, askedAtStart;
		const wchar_t* note; // null: hidden
	};
	const Case cases[] = {
	    {false, false, false, nullptr},
	    {true, true, true, nullptr},
	    {true, false, false, L"%Options_FullscreenNextStart%"},
	    {false, true, true, L"%Options_WindowNextStart%"},
	    {true, false, true, L"%Options_FullscreenUnavailable%"},
	    {false, true, false, L"%Options_WindowNextStart%"},
	};
	for (const Case& c : cases)
	{
		const wchar_t* note = GOptionsScene::displayModeNote(c.chosen, c.inEffect, c.askedAtStart);
		EXPECT_EQ(irr::core::stringw(note ? note : L"-"), irr::core::stringw(c.note ? c.note : L"-"))
		    << c.chosen << c.inEffect << c.askedAtStart;
	}
}

TEST_F(Options, SlidersStoreTheVolumeAndApplyIt)
{
	usePlayers({L"Ann"}, 0);
	GOptionsScene* scene = openOptions();
	ASSERT_NE(scene, nullptr);
	CSoundManager* sounds = getDevice()->getSoundManager();
	ASSERT_NE(sounds, nullptr);

	scene->getSoundSlider()->setValue(20.0f);
	CEventNodeValueChanged effects(scene->getSoundSlider());
	EXPECT_FALSE(scene->onEvent(&effects));
	scene->getMusicSlider()->setValue(70.0f);
	CEventNodeValueChanged music(scene->getMusicSlider());
	EXPECT_FALSE(scene->onEvent(&music));

	const auto saved = reloadedProfiles();
	EXPECT_FLOAT_EQ(saved->getProfile(0)->getFloat(ProfileKey::SoundVolume), 20.0f);
	EXPECT_FLOAT_EQ(saved->getProfile(0)->getFloat(ProfileKey::MusicVolume), 70.0f);
	EXPECT_FLOAT_EQ(sounds->getGroupVolume(0), 0.2f);
	EXPECT_FLOAT_EQ(sounds->getGroupVolume(2), 0.2f);
	EXPECT_FLOAT_EQ(sounds->getGroupVolume(1), 0.7f);

	// Effects off: their groups fall silent, music keeps its volume.
	press(scene, scene->getMuteSoundButton());
	EXPECT_FLOAT_EQ(sounds->getGroupVolume(0), 0.0f);
	EXPECT_FLOAT_EQ(sounds->getGroupVolume(1), 0.7f);
}

TEST_F(Options, WithoutAPlayerOnlyTheDisplayOptionsAreStored)
{
	usePlayers({}, -1);
	GOptionsScene* scene = openOptions();
	ASSERT_NE(scene, nullptr);
	const bool fullScreen = CProfileManager::instance()->getCommonProfile()->getBool(ProfileKey::FullScreen);
	press(scene, scene->getMuteSoundButton());
	scene->getSoundSlider()->setValue(10.0f);
	CEventNodeValueChanged changed(scene->getSoundSlider());
	scene->onEvent(&changed);
	press(scene, scene->getFullscreenButton());
	EXPECT_EQ(reloadedProfiles()->getCommonProfile()->getBool(ProfileKey::FullScreen), !fullScreen);
	EXPECT_EQ(reloadedProfiles()->getProfileCount(), 0);
}

TEST_F(Options, BackSlidesToTheMainMenuAndPlainlyToOtherScenes)
{
	struct Case
	{
		bool overMainMenu;
		int key; // 0: the back button
		const char* to;
	};
	const Case cases[] = {
	    {true, 0, "NavBackToSlide"},
	    {true, 27, "NavBackToSlide"},
	    {false, 0, "NavBackTo"},
	    {false, 13, "NavBackTo"},
	};
	for (const Case& c : cases)
	{
		showCovered(c.overMainMenu ? new CoveredMainMenu() : new CoveredScene());
		GOptionsScene* scene = openOptions();
		ASSERT_NE(scene, nullptr);
		SmartPointer<GOptionsScene> keep(shareRef(scene));
		if (c.key)
			EXPECT_TRUE(keyUp(scene, c.key));
		else
			EXPECT_TRUE(press(scene, scene->findChild(internStringId("BackButton"))));
		settle();
		EXPECT_EQ(top(), covered.get()) << c.key;
		EXPECT_TRUE(covered->hasPlayed(c.to)) << c.to;
	}
}

namespace
{
// The options with the game's sound pack: which cues the switches and sliders start.
class OptionsSounds : public Options
{
protected:
	void SetUp() override
	{
		Options::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		sounds = getDevice()->getSoundManager();
		if (!sounds || !sounds->getAudioDevice())
			GTEST_SKIP() << "no audio device";
		pack = SmartPointer<ContentObject>(
		    application->contentManager->getContent(ContentTypeSoundPack, "sounds/SoundPack.xml", false));
		auto* cues = dynamic_cast<SoundPack*>(pack.get());
		ASSERT_NE(cues, nullptr);
		cues->registerCues(sounds);
	}
	void TearDown() override
	{
		if (sounds)
			sounds->stopGroup(0);
		pack = nullptr;
		Options::TearDown();
	}

	// Instances of the cue started and not yet finished.
	int playing(const char* cue) const
	{
		int n = 0;
		for (const SmartPointer<CSoundCue>& instance : sounds->getInstances())
			n += instance->getName() == internStringId(cue) ? 1 : 0;
		return n;
	}

	CSoundManager* sounds = nullptr;
	SmartPointer<ContentObject> pack;
};
} // namespace

TEST_F(OptionsSounds, SwitchingEffectsOnClicksAndTheEffectsSliderChimesOnceAtATime)
{
	usePlayers({L"Ann"}, 0);
	CProfileManager::instance()->getActiveProfile()->setBool(ProfileKey::SoundOn, false);
	GOptionsScene* scene = openOptions();
	ASSERT_NE(scene, nullptr);
	const int before = playing("ButtonClick");
	press(scene, scene->getMuteSoundButton());
	EXPECT_EQ(playing("ButtonClick"), before + 1) << "switched on";
	press(scene, scene->getMuteSoundButton());
	EXPECT_EQ(playing("ButtonClick"), before + 1) << "switched off";
	press(scene, scene->getMuteSoundButton());

	for (float volume : {40.0f, 45.0f, 50.0f})
	{
		scene->getSoundSlider()->setValue(volume);
		CEventNodeValueChanged changed(scene->getSoundSlider());
		scene->onEvent(&changed);
	}
	EXPECT_EQ(playing("SoundVolumeChange"), 1);
	// The music slider is silent.
	CEventNodeValueChanged music(scene->getMusicSlider());
	scene->onEvent(&music);
	EXPECT_EQ(playing("SoundVolumeChange"), 1);
}
