#include "GMiniCompletedScene.h"

#include "app/GGameApplication.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "device/IDevice.h"
#include "frontend/SceneLookup.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"

#include <algorithm>

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;
constexpr int WaitBeforeCount = 100; // ms
constexpr float CountRate = 0.75f;   // of the target per second

irr::core::stringw dictionaryFormat(const char* key, const irr::core::stringw& value)
{
	IDevice* device = Singleton<IDevice>::peek();
	CDictionary* dictionary = device ? device->getDictionary() : nullptr;
	return dictionary ? dictionary->format(key, value) : value;
}
} // namespace

GMiniCompletedScene::GMiniCompletedScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GMiniCompletedScene::~GMiniCompletedScene() = default;

const irr::core::stringw& GMiniCompletedScene::typeNameText()
{
	static const irr::core::stringw name(L"GMiniCompletedScene");
	return name;
}

void GMiniCompletedScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GMiniCompletedScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	timeText = shareRef(frontend::directChildOf<TextNode>(frontend::directChild(scene, "TimeNode"), "Text"));
	scoreText = shareRef(frontend::directChildOf<TextNode>(frontend::directChild(scene, "ScoreNode"), "Text"));
	doneText = shareRef(frontend::directChildOf<TextNode>(scene, "DoneText"));
}

void GMiniCompletedScene::setResults(int timeLimit, int time, int gain)
{
	resultTimeLimit = timeLimit;
	resultTime = time;
	resultGain = gain;
}

bool GMiniCompletedScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	playCue("AchievementUnlocked");
	shownTime = 0.0f;
	shownScore = 0.0f;
	countState = 1;
	countTimer = 0;
	targetTime = std::max(0, resultTime);
	targetScore = std::max(0, resultGain);
	writeCounters();
	if (doneText)
	{
		CProfileManager* profiles = CProfileManager::instance();
		const CProfile* profile = profiles ? profiles->getActiveProfile() : nullptr;
		// Without a player there is nobody to greet.
		doneText->setText(profile ? dictionaryFormat("LevelCompleted_Done", profile->getName()) : irr::core::stringw());
	}
	return true;
}

void GMiniCompletedScene::writeCounters()
{
	if (scoreText)
		scoreText->setText(
		    irr::core::stringw(L"- ") +
		    dictionaryFormat("LevelCompleted_ScoreTxt", formatThousands(static_cast<int>(shownScore), L',')));
	if (timeText)
		timeText->setText(
		    irr::core::stringw(L"- ") +
		    dictionaryFormat("LevelCompleted_TimeTxt", formatMinutesSeconds(static_cast<unsigned>(shownTime))));
}

bool GMiniCompletedScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	countTimer += static_cast<int>(elapsed);
	if (countState == 1 && countTimer >= WaitBeforeCount)
	{
		countState = 2;
		countTimer = 0;
	}
	else if (countState == 2)
	{
		const float seconds = static_cast<float>(elapsed) * 0.001f;
		shownTime =
		    std::min(shownTime + CountRate * static_cast<float>(targetTime) * seconds, static_cast<float>(targetTime));
		shownScore = std::min(shownScore + CountRate * static_cast<float>(targetScore) * seconds,
		                      static_cast<float>(targetScore));
		writeCounters();
		if (shownTime >= static_cast<float>(targetTime) && shownScore >= static_cast<float>(targetScore))
		{
			countState = 0;
			countTimer = 0;
		}
	}
	return true;
}

bool GMiniCompletedScene::close()
{
	if (gGameApplication && gGameApplication->worldSceneManager)
		gGameApplication->worldSceneManager->showScene(nullptr);
	if (gGameApplication && gGameApplication->worldScheduler)
		gGameApplication->worldScheduler->setEnabled(true);
	// Past the mini-game and the loading scene to the scene that opened the loading scene.
	closeTo(2, nameIdNavBackFrom(), nameIdNavBackTo());
	return true;
}

bool GMiniCompletedScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	return frontend::isNamed(event->control, "OkButton") && close();
}

bool GMiniCompletedScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	return (event->key == KeyEscape || event->key == KeyEnter) && close();
}
