#include "../GameTestSupport.h"
#include "FrontendTestSupport.h"
#include "app/GGameApplication.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/SystemFlowEvents.h"
#include "data/GameNodeTypeIds.h"
#include "data/ProfileKeys.h"
#include "device/CLinuxDevice.h"
#include "frontend/GIntroScene.h"
#include "frontend/GMainMenuScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "frontend/SceneLookup.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/ControlNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "support/LogCapture.h"
#include "support/OnScreenTest.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>

// The game started in a 1024 x 768 OpenGL window on the test display and walked by hand from the logos
// over the intro to the main menu and the city map; each screen is kept as <build>/artifacts/<name>.png.
namespace
{
constexpr int Width = 1024;
constexpr int Height = 768;

class WindowedApplication : public GGameApplication
{
protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.driverType = 3;
		creationParameters.fullscreen = false;
		creationParameters.windowWidth = Width;
		creationParameters.windowHeight = Height;
	}
};

class FrontDoorScreens : public testing::Test
{
protected:
	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		const std::string root = binaryDir() + "/bin";
		if (!std::filesystem::exists(root + "/assets/scenes/backgrounds/MapBg.png"))
			GTEST_SKIP() << "the content set has not been built";
		device = dynamic_cast<CLinuxDevice*>(getDevice());
		ASSERT_NE(device, nullptr);
		display = onscreen::openTestDisplay(10);
		ASSERT_NE(display, nullptr);
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new WindowedApplication();
		ASSERT_TRUE(application->init()) << log.dump();
		if (!device->hasWindow() || !device->getVideoDriver())
			GTEST_SKIP() << "no OpenGL window";
	}

	void TearDown() override
	{
		if (application)
		{
			application->shutdown();
			application->drop();
			DeviceCreationParameters nullDriver;
			nullDriver.driverType = 0;
			device->setCreationParameters(nullDriver);
		}
		forgetPlayer();
		inBuildTree.reset();
		if (display)
			XCloseDisplay(display);
	}

	// The profile manager outlives the test: the player made here goes with it.
	static void forgetPlayer()
	{
		CProfileManager* profiles = CProfileManager::instance();
		profiles->setActiveProfile(-1);
		for (int i = profiles->getProfileCount() - 1; i >= 0; --i)
			if (profiles->getProfile(i)->getName() == L"Ada")
				profiles->removeProfile(i);
	}

	// A player who has finished nine locations, with a gold and a silver rank, and no hostel upgrade.
	static void choosePlayer()
	{
		CProfileManager* profiles = CProfileManager::instance();
		ASSERT_TRUE(profiles->addProfile(L"Ada"));
		profiles->setActiveProfile(profiles->getProfileCount() - 1);
		CProfile* player = profiles->getActiveProfile();
		ASSERT_NE(player, nullptr);
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, 9);
		player->setInt(ProfileKey::LevelIndex, 2);
		player->setString(ProfileKey::Scores, "99999;1");
		player->setString(ProfileKey::BoughtUpgrades, "Cafe");
	}

	bool stepUntil(int maxSteps, const std::function<bool()>& done)
	{
		return frontendtest::stepUntil(device, application, maxSteps, done);
	}

	SceneNode* top() const { return application->uiSceneManager->getTopScene(); }
	bool settled() const { return !application->uiSceneManager->isInNavigation(top()); }

	// Draws until the window shows a frame and keeps it as <build>/artifacts/<name>.png.
	onscreen::WindowImage shoot(const char* name)
	{
		const auto frame = [&]
		{
			XRaiseWindow(display, device->getWindowId());
			CEventSystemFlowDraw draw;
			application->onEvent(&draw);
		};
		const auto shown = [](const onscreen::WindowImage& shot) { return !shot.empty() && shot.at(5, 5) != 0; };
		onscreen::WindowImage image =
		    onscreen::drawUntilShown(display, device->getWindowId(), 0, 0, Width, Height, frame, shown, 50);
		EXPECT_TRUE(onscreen::writeArtifact(device->getVideoDriver(), image, std::string(name) + ".png", binaryDir()))
		    << name;
		return image;
	}

	GameDataFolders folders;
	LogCapture log;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	CLinuxDevice* device = nullptr;
	Display* display = nullptr;
	WindowedApplication* application = nullptr;
};

bool isGold(unsigned long p)
{
	const int r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
	return r > 180 && g > 120 && b < 90;
}
} // namespace

TEST_F(FrontDoorScreens, LogosLeadOverTheIntroToTheMenuAndTheMap)
{
	choosePlayer();

	// The logos give way to the intro, which loads part of the content with its bar half full.
	ASSERT_TRUE(stepUntil(600, [&] { return nodeCast<GIntroScene>(top()) != nullptr; })) << log.dump();
	auto* intro = nodeCast<GIntroScene>(top());
	ASSERT_TRUE(stepUntil(200, [&] { return intro->getDisplayed() >= intro->getTotal() / 2; }));
	const onscreen::WindowImage introShot = shoot("intro");
	ASSERT_FALSE(introShot.empty());
	// The bar's left end is gold, its right end still the dark track.
	EXPECT_TRUE(isGold(introShot.at(290, 638))) << std::hex << introShot.at(290, 638);
	EXPECT_FALSE(isGold(introShot.at(740, 638))) << std::hex << introShot.at(740, 638);

	// When everything is loaded the main menu opens and greets the player.
	ASSERT_TRUE(stepUntil(600, [&] { return nodeCast<GMainMenuScene>(top()) && settled(); })) << log.dump();
	auto* menu = nodeCast<GMainMenuScene>(top());
	ASSERT_NE(menu->getWelcomeText(), nullptr);
	EXPECT_EQ(menu->getWelcomeText()->getText(), irr::core::stringw(L"Welcome, Ada!"));
	ASSERT_FALSE(shoot("mainmenu").empty());

	// A player past the first level gets the map from the play button.
	BaseNode* panel = menu->findChild(internStringId("Scene"), 0);
	ASSERT_NE(panel, nullptr);
	CEventNodeClicked play(panel->findChild(internStringId("NewGameButton"), 0));
	ASSERT_NE(play.control, nullptr);
	EXPECT_TRUE(menu->onEvent(&play));
	ASSERT_TRUE(stepUntil(200, [&] { return nodeCast<GMapScene>(top()) && settled(); })) << log.dump();
	auto* map = nodeCast<GMapScene>(top());
	ASSERT_EQ(map->getLocationButtons().size(), 32u);
	EXPECT_EQ(map->getSelectedLocation(), map->getLocationButtons()[2]);

	// Hovering the hostel's level shows its hint with the missing upgrade.
	GMapLocationButton* hostelLevel = map->getLocationButtons()[3];
	CEventNodeHovered hover(nullptr, hostelLevel);
	map->onEvent(&hover);
	EXPECT_TRUE(map->getLevelHint(4)->isVisible());
	ASSERT_FALSE(shoot("map").empty());
}

namespace
{
// Distinct colours among the pixels of a column strip: a flat fill has one or two.
size_t coloursIn(const onscreen::WindowImage& shot, int x0, int x1, int y0, int y1)
{
	std::set<unsigned long> seen;
	for (int y = y0; y < y1; y += 3)
		for (int x = x0; x < x1; x += 3)
			seen.insert(shot.at(x, y) & 0xF0F0F0);
	return seen.size();
}

// The deepest depth any of the menu's traffic is drawn at.
float deepestMover(BaseNode* node)
{
	float deepest = -1e9f;
	if (!node)
		return deepest;
	node->refreshAbsolute();
	const int type = node->typeId();
	if (type == NodeTypeGMainMenuPedestrianNode || type == NodeTypeGMainMenuCarNode ||
	    type == NodeTypeGMainMenuCloudNode || type == NodeTypeGMainMenuBikeNode)
		deepest = node->getAbsoluteTransformation()[14];
	for (irr::u32 i = 0; i < node->getChildren().size(); ++i)
		deepest = std::max(deepest, deepestMover(node->getChildren()[i]));
	return deepest;
}
} // namespace

// Each dialog of the main menu opens over the menu's own picture, dimmed, and the menu's traffic passes
// under the dialogs and the menu's panel; each is kept as <build>/artifacts/mainmenu-<dialog>.png.
TEST_F(FrontDoorScreens, TheMenusDialogsOpenOverItsPicture)
{
	choosePlayer();
	ASSERT_TRUE(stepUntil(1200, [&] { return nodeCast<GMainMenuScene>(top()) && settled(); })) << log.dump();
	auto* menu = nodeCast<GMainMenuScene>(top());
	BaseNode* panel = menu->findChild(internStringId("Scene"), 0);
	ASSERT_NE(panel, nullptr);
	// The keyboard starts on the first button, not on Quit.
	auto* play = nodeCast<ControlNode>(panel->findChild(internStringId("NewGameButton"), 0));
	ASSERT_NE(play, nullptr);
	EXPECT_TRUE(play->isFocused());
	EXPECT_FALSE(nodeCast<ControlNode>(panel->findChild(internStringId("QuitButton"), 0))->isFocused());
	// Let the traffic spread over the street, drawn as it goes (the spawner starts when first drawn); kept as
	// <build>/artifacts/mainmenu-traffic.png.
	for (int frame = 0; frame < 40; ++frame)
	{
		stepUntil(10, [] { return false; });
		CEventSystemFlowDraw draw;
		application->onEvent(&draw);
	}
	ASSERT_FALSE(shoot("mainmenu-traffic").empty());
	panel->refreshAbsolute();
	EXPECT_LT(deepestMover(menu), panel->getAbsoluteTransformation()[14]) << "the traffic passes under the panel";

	for (const char* button : {"OptionsButton", "AchievementsButton", "CreditsButton", "ChangePlayerButton"})
	{
		CEventNodeClicked click(panel->findChild(internStringId(button), 0));
		ASSERT_NE(click.control, nullptr) << button;
		EXPECT_TRUE(menu->onEvent(&click)) << button;
		ASSERT_TRUE(stepUntil(300, [&] { return top() != menu && settled(); })) << button << log.dump();
		SmartPointer<SceneNode> dialog(shareRef(top()));
		dialog->refreshAbsolute();
		EXPECT_LT(deepestMover(menu), dialog->getAbsoluteTransformation()[14]) << button;
		const onscreen::WindowImage shot = shoot((std::string("mainmenu-") + button).c_str());
		ASSERT_FALSE(shot.empty());
		// Beside the dialog the menu's street and houses show through the dim, not a flat fill.
		EXPECT_GT(coloursIn(shot, 0, 150, 300, 760), 6u) << button;
		// Closed as its back button closes it: gone from the screen, not left under the next one.
		dialog->closeTo(0, StringId(), frontend::navBackToSlide());
		ASSERT_TRUE(stepUntil(300, [&] { return top() == menu && settled() && !dialog->getParent(); }))
		    << button << log.dump();
	}
}
