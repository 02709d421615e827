#include "GSelectPlayerScene.h"

#include "GSelectPlayerInputNameScene.h"
#include "SceneLookup.h"
#include "app/GGameApplication.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "data/GAchievements.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "nodes/ListNode.h"
#include "scene/NodeEvents.h"

#include <algorithm>

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;
// Button indices of the deletion question.
constexpr int AnswerYes = 0;

int profileCount()
{
	return CProfileManager::instance()->getProfileCount();
}

// The name as the list shows it: text nodes read "%...%" as dictionary tags, so a "%" is doubled.
irr::core::stringw shownName(const irr::core::stringw& name)
{
	irr::core::stringw shown;
	for (irr::u32 i = 0; i < name.size(); ++i)
	{
		shown.append(name[i]);
		if (name[i] == L'%')
			shown.append(L'%');
	}
	return shown;
}
} // namespace

GSelectPlayerScene::GSelectPlayerScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GSelectPlayerScene::~GSelectPlayerScene() = default;

const irr::core::stringw& GSelectPlayerScene::typeNameText()
{
	static const irr::core::stringw name(L"GSelectPlayerScene");
	return name;
}

void GSelectPlayerScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GSelectPlayerScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	playersList = shareRef(frontend::directChildOf<ListNode>(scene, "PlayersList"));
	okButton = shareRef(frontend::directChildOf<ControlNode>(scene, "OkButton"));
	newPlayerButton = shareRef(frontend::directChildOf<ControlNode>(scene, "NewPlayerButton"));
	deletePlayerButton = shareRef(frontend::directChildOf<ControlNode>(scene, "DeletePlayerButton"));
}

void GSelectPlayerScene::fillPlayersList(bool selectActive)
{
	if (!playersList)
		return;
	CProfileManager* profiles = CProfileManager::instance();
	const int count = profiles->getProfileCount();
	playersList->setItemCount(static_cast<unsigned>(count));
	for (int i = 0; i < count; ++i)
	{
		const CProfile* profile = profiles->getProfile(i);
		playersList->setItemText(static_cast<unsigned>(i), 0,
		                         profile ? shownName(profile->getName()) : irr::core::stringw());
		if (selectActive && profile && profile == profiles->getActiveProfile())
			playersList->setSelectedItem(i, true);
	}
	playersList->refreshElements();
}

void GSelectPlayerScene::enableButtons(int count)
{
	if (okButton)
		okButton->setEnabled(count > 0);
	if (newPlayerButton)
		newPlayerButton->setEnabled(count < MaxProfiles);
	if (deletePlayerButton)
		deletePlayerButton->setEnabled(count > 0);
}

void GSelectPlayerScene::confirmSelection()
{
	CProfileManager* profiles = CProfileManager::instance();
	profiles->setActiveProfile(playersList ? playersList->getSelectedItem() : 0);
	const CProfile* active = profiles->getActiveProfile();
	if (!active)
		return;
	profiles->saveProfiles();
	if (gGameApplication)
	{
		gGameApplication->applySoundSettings();
		if (gGameApplication->achievements)
			gGameApplication->achievements->load(active->getString(ProfileKey::AchievementsProgress));
	}
	closeTo(0, StringId(), frontend::navBackToSlide());
}

void GSelectPlayerScene::askToDelete()
{
	irr::core::array<irr::core::stringw> buttons;
	buttons.push_back(L"%Yes%");
	buttons.push_back(L"%No%");
	// The question names the player, so that nobody deletes the wrong one.
	CProfileManager* profiles = CProfileManager::instance();
	const int selected = playersList ? playersList->getSelectedItem() : -1;
	const irr::core::stringw name =
	    selected >= 0 && selected < profiles->getProfileCount() ? profiles->getProfile(selected)->getName() : L"";
	CDictionary* dictionary = getDevice() ? getDevice()->getDictionary() : nullptr;
	const irr::core::stringw question =
	    dictionary ? dictionary->format("SelectPlayer_WantDelete", name) : irr::core::stringw(L"%SelectPlayer_WantDelete%");
	showMessageBox(internStringId("MessageBox2Buttons"), buttons, L"%SelectPlayer_DeleteTitle%", question);
}

bool GSelectPlayerScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	const int count = profileCount();
	if (event->oldScene == this)
	{
		knownProfileCount = static_cast<unsigned>(count);
		return true;
	}
	if (event->newScene != this)
		return false;
	if (event->flag != 0)
	{
		// Opened over another scene.
		fillPlayersList(true);
		knownProfileCount = static_cast<unsigned>(count);
	}
	else
	{
		// Back from a scene above: a profile made there is the one to select.
		fillPlayersList(false);
		if (playersList)
		{
			if (static_cast<unsigned>(count) != knownProfileCount && count != 0)
			{
				playersList->setSelectedItem(count - 1, true);
				playersList->refreshElements();
			}
			playersList->setFocused(true);
		}
	}
	enableButtons(count);
	return true;
}

bool GSelectPlayerScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "OkButton"))
		confirmSelection();
	else if (frontend::isNamed(event->control, "NewPlayerButton"))
		openScene(GSelectPlayerInputNameScene::FileName, true, nameIdNavFrom(), nameIdNavTo());
	else if (frontend::isNamed(event->control, "DeletePlayerButton"))
		askToDelete();
	else
		return false;
	return true;
}

bool GSelectPlayerScene::onMessageBoxResult(CEventNodeMessageBoxResult* event)
{
	if (GBaseSceneNode::onMessageBoxResult(event))
		return true;
	if (event->result != AnswerYes)
		return true;
	CProfileManager* profiles = CProfileManager::instance();
	const int selected = playersList ? playersList->getSelectedItem() : 0;
	// A list emptied meanwhile has nothing selected to delete.
	if (selected < 0 || selected >= profiles->getProfileCount())
		return true;
	profiles->removeProfile(selected);
	profiles->saveProfiles();
	fillPlayersList(false);
	const int count = profiles->getProfileCount();
	if (count > 0)
	{
		if (playersList)
		{
			playersList->setSelectedItem(std::min(selected, count - 1), true);
			playersList->refreshElements();
		}
	}
	enableButtons(count);
	return true;
}

bool GSelectPlayerScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key != KeyEscape && event->key != KeyEnter)
		return false;
	confirmSelection();
	return true;
}
