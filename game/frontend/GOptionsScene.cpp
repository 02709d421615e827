#include "GOptionsScene.h"

#include "SceneLookup.h"
#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/ContentType.h"
#include "content/ImageContent.h"
#include "core/InputEvents.h"
#include "data/ProfileKeys.h"
#include "device/CursorControl.h"
#include "device/IDevice.h"
#include "nodes/ButtonNode.h"
#include "nodes/SliderNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;
const char* const CursorImageName = "scenes/images/Cursor.png";
// The tip of the arrow in the cursor picture.
constexpr int CursorHotSpot = 2;

CProfile* playerProfile()
{
	return CProfileManager::instance()->getActiveProfile();
}
CProfile* commonProfile()
{
	return CProfileManager::instance()->getCommonProfile();
}

void applySoundSettings()
{
	if (gGameApplication)
		gGameApplication->applySoundSettings();
}
} // namespace

GOptionsScene::GOptionsScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GOptionsScene::~GOptionsScene() = default;

const irr::core::stringw& GOptionsScene::typeNameText()
{
	static const irr::core::stringw name(L"GOptionsScene");
	return name;
}

void GOptionsScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GOptionsScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	soundSlider = shareRef(frontend::directChildOf<SliderNode>(scene, "SoundSlider"));
	musicSlider = shareRef(frontend::directChildOf<SliderNode>(scene, "MusicSlider"));
	fullscreenButton = shareRef(frontend::directChildOf<ButtonNode>(scene, "FullscreenButton"));
	cursorButton = shareRef(frontend::directChildOf<ButtonNode>(scene, "CursorButton"));
	muteSoundButton = shareRef(frontend::directChildOf<ButtonNode>(scene, "MuteSoundButton"));
	muteMusicButton = shareRef(frontend::directChildOf<ButtonNode>(scene, "MuteMusicButton"));
	fullscreenNote = shareRef(frontend::directChildOf<TextNode>(scene, "FullscreenNote"));
}

void GOptionsScene::setOnOffButton(ButtonNode* button, bool on)
{
	if (!button)
		return;
	button->setTemplateName(internStringId(on ? OnTemplate : OffTemplate));
	button->setText(on ? L"%Options_On%" : L"%Options_Off%");
}

bool GOptionsScene::isOn(const ButtonNode* button)
{
	return button && button->getTemplateName() == internStringId(OnTemplate);
}

void GOptionsScene::showStoredValues()
{
	if (const CProfile* common = commonProfile())
		setOnOffButton(cursorButton.get(), common->getBool(ProfileKey::WindowsCursor));
	showDisplayMode();
	if (const CProfile* player = playerProfile())
	{
		if (soundSlider)
			soundSlider->setValue(player->getFloat(ProfileKey::SoundVolume));
		if (musicSlider)
			musicSlider->setValue(player->getFloat(ProfileKey::MusicVolume));
		setOnOffButton(muteSoundButton.get(), player->getBool(ProfileKey::SoundOn));
		setOnOffButton(muteMusicButton.get(), player->getBool(ProfileKey::MusicOn));
	}
}

void GOptionsScene::applyCursor(bool useSystemCursor)
{
	IDevice* device = Singleton<IDevice>::peek();
	CursorControl* cursor = device ? device->getCursorControl() : nullptr;
	if (!cursor)
		return;
	if (useSystemCursor)
	{
		cursor->setImage(nullptr, 0, 0);
		return;
	}
	CContentManager* content = getContentRef().getContentManager();
	if (!content && gGameApplication)
		content = gGameApplication->contentManager;
	SmartPointer<ContentObject> loaded(content ? content->getContent(ContentTypeImage, CursorImageName, true)
	                                           : nullptr);
	if (auto* image = dynamic_cast<ImageContent*>(loaded.get()))
		cursor->setImage(image->getImage(), CursorHotSpot, CursorHotSpot);
}

bool GOptionsScene::isFullscreenInEffect()
{
	const IDevice* device = Singleton<IDevice>::peek();
	return device && device->isFullscreen();
}

const wchar_t* GOptionsScene::displayModeNote(bool chosen, bool inEffect, bool askedAtStart)
{
	if (chosen == inEffect)
		return nullptr;
	// Asked for at this start and still not in effect: this display cannot give it.
	if (chosen && askedAtStart)
		return L"%Options_FullscreenUnavailable%";
	return chosen ? L"%Options_FullscreenNextStart%" : L"%Options_WindowNextStart%";
}

void GOptionsScene::showDisplayMode()
{
	const bool inEffect = isFullscreenInEffect();
	setOnOffButton(fullscreenButton.get(), inEffect);
	if (!fullscreenNote)
		return;
	const CProfile* common = commonProfile();
	const bool chosen = common ? common->getBool(ProfileKey::FullScreen) : inEffect;
	const bool askedAtStart = gGameApplication ? gGameApplication->creationParameters.fullscreen : inEffect;
	const wchar_t* note = displayModeNote(chosen, inEffect, askedAtStart);
	fullscreenNote->setVisible(note != nullptr);
	if (note)
		fullscreenNote->setText(note);
}

void GOptionsScene::toggle(ButtonNode* button)
{
	if (button == fullscreenButton.get())
	{
		// Remaking the window would leave every loaded texture and scene on a dead driver: the choice
		// waits for the next start, and the button keeps showing the mode in effect.
		if (CProfile* common = commonProfile())
		{
			common->setBool(ProfileKey::FullScreen, !common->getBool(ProfileKey::FullScreen));
			common->save();
		}
		showDisplayMode();
		return;
	}
	const bool on = !isOn(button);
	setOnOffButton(button, on);
	if (button == muteSoundButton.get() || button == muteMusicButton.get())
	{
		// Without a current player the change is shown but stored nowhere.
		CProfile* player = playerProfile();
		if (!player)
			return;
		const bool sound = button == muteSoundButton.get();
		player->setBool(sound ? ProfileKey::SoundOn : ProfileKey::MusicOn, on);
		applySoundSettings();
		if (sound && on)
			playCue("ButtonClick");
		player->save();
		return;
	}
	// Display options belong to every player of the computer user: the common profile.
	CProfile* common = commonProfile();
	if (!common)
		return;
	common->setBool(ProfileKey::WindowsCursor, on);
	applyCursor(on);
	common->save();
}

void GOptionsScene::goBack()
{
	const SceneNode* below = getSceneBelow();
	if (below && below->isKindOf(NodeTypeGMainMenuScene))
		closeTo(0, frontend::navBackFromSlide(), frontend::navBackToSlide());
	else
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
}

bool GOptionsScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	showStoredValues();
	return true;
}

bool GOptionsScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "BackButton"))
	{
		goBack();
		return true;
	}
	for (ButtonNode* button :
	     {fullscreenButton.get(), cursorButton.get(), muteSoundButton.get(), muteMusicButton.get()})
		if (button && event->control == button)
		{
			toggle(button);
			break;
		}
	return false;
}

bool GOptionsScene::onValueChanged(CEventNodeValueChanged* event)
{
	if (GBaseSceneNode::onValueChanged(event))
		return true;
	const bool sound = soundSlider && event->control == soundSlider.get();
	const bool music = musicSlider && event->control == musicSlider.get();
	CProfile* player = playerProfile();
	if ((!sound && !music) || !player)
		return false;
	const SliderNode* slider = sound ? soundSlider.get() : musicSlider.get();
	player->setFloat(sound ? ProfileKey::SoundVolume : ProfileKey::MusicVolume, slider->getValue());
	player->save();
	applySoundSettings();
	if (sound)
		playCue("SoundVolumeChange", true);
	return false;
}

bool GOptionsScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key != KeyEscape && event->key != KeyEnter)
		return false;
	goBack();
	return true;
}
