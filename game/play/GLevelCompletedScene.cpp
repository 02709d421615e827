#include "GLevelCompletedScene.h"

#include "LevelLayer.h"
#include "app/GGameApplication.h"
#include "app/NodeLookup.h"
#include "app/SceneText.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "core/TextUtils.h"
#include "data/GComicsConfiguration.h"
#include "data/GComicsEntry.h"
#include "data/GLevelConfiguration.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "frontend/SceneLookup.h"
#include "level/GGameLevelScene.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

#include <algorithm>

namespace
{
using nodelookup::setText;

constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;

// "- " and the dictionary text with one parameter.
irr::core::stringw rowText(const char* tag, const irr::core::stringw& value)
{
	return scenetext::listLine(getDevice() ? getDevice()->getDictionary() : nullptr, tag, value);
}

irr::core::stringw scoreFigure(int value)
{
	return formatThousands(value, L',');
}

irr::core::stringw timeFigure(int milliseconds)
{
	return formatMinutesSeconds(static_cast<unsigned>(std::max(milliseconds, 0)));
}

void place(BaseNode* row, float x, float y)
{
	if (row)
		row->setPosition({x, y, 1.0f});
}

void hide(BaseNode* row)
{
	if (row)
		row->setVisible(false);
}

// Moves the shown value towards the target by step, never past it.
float countTowards(float shown, float target, float step)
{
	return target >= 0.0f ? std::min(shown + step, target) : std::max(shown + step, target);
}

// The row node and its "Text" child when that is a text node.
void findRow(BaseNode* scene, const char* name, BaseNode*& row, TextNode*& text)
{
	row = frontend::directChild(scene, name);
	text = frontend::directChildOf<TextNode>(row, "Text");
}
} // namespace

GLevelCompletedScene::GLevelCompletedScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GLevelCompletedScene::~GLevelCompletedScene() = default;

const irr::core::stringw& GLevelCompletedScene::typeNameText()
{
	static const irr::core::stringw name(L"GLevelCompletedScene");
	return name;
}

void GLevelCompletedScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GLevelCompletedScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	findRow(scene, "ExpertTimeNode", expertTimeRow, expertTimeText);
	findRow(scene, "TimeNode", timeRow, timeText);
	findRow(scene, "TimeScoreNode", completionScoreRow, completionScoreText);
	findRow(scene, "ExpertScoreNode", expertScoreRow, bonusText);
	findRow(scene, "ScoreNode", scoreRow, scoreText);
	doneText = frontend::directChildOf<TextNode>(scene, "DoneText");
}

void GLevelCompletedScene::setLevel(GGameLevelScene* level)
{
	levelScene = shareRef(level);
}

int GLevelCompletedScene::levelNumber() const
{
	const GLevelConfiguration* level = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	return level ? level->getLevelNumber() : 0;
}

bool GLevelCompletedScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GBaseSceneNode::onSceneChangeStarted(event);
	if (event->newScene == this)
		fillTexts();
	return true;
}

void GLevelCompletedScene::fillTexts()
{
	phase = Delay;
	phaseTimer = 0;
	musicPlayed = false;
	leaving = false;
	const float elapsed = levelScene ? levelScene->elapsedTime : 0.0f;
	const float gain = levelScene ? levelScene->scoreGain : 0.0f;
	shownTime = elapsed;
	timeTarget = static_cast<int>(elapsed);
	shownScore = 0.0f;
	scoreTarget = static_cast<int>(gain);

	const GLevelConfiguration* level = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	const int levelScore = level ? level->getScore() : 0;
	// A replay below the level's score earns no completion score: all of the gain is bonus.
	const int completion = levelScore <= gain ? levelScore : 0;
	setText(completionScoreText, rowText("LevelCompleted_ComplScoreTxt", scoreFigure(completion)));
	setText(bonusText, rowText("LevelCompleted_BonusScoreTxt",
	                           scoreFigure(std::max(0, static_cast<int>(gain - static_cast<float>(completion))))));
	setText(scoreText, rowText("LevelCompleted_ScoreTxt", scoreFigure(static_cast<int>(shownScore))));
	setText(expertTimeText,
	        rowText("LevelCompleted_ExpertTimeTxt", timeFigure(level ? level->getLevelTime() * 1000 : 0)));
	setText(timeText, rowText("LevelCompleted_TimeTxt", timeFigure(static_cast<int>(shownTime))));
	layoutRows(levelNumber());

	const CDictionary* dictionary = getDevice() ? getDevice()->getDictionary() : nullptr;
	const CProfile* player = CProfileManager::instance()->getActiveProfile();
	if (doneText && dictionary)
		doneText->setText(dictionary->format("LevelCompleted_Done", player ? player->getName() : L""));
}

void GLevelCompletedScene::layoutRows(int number)
{
	if (number <= LastLevelWithoutTimes)
	{
		hide(expertTimeRow);
		hide(timeRow);
		place(completionScoreRow, 81, 126);
		place(expertScoreRow, 81, 162);
		place(scoreRow, 81, 283);
	}
	else if (number == LastLevelNumber)
	{
		hide(completionScoreRow);
		hide(expertScoreRow);
		hide(scoreRow);
		place(expertTimeRow, 80, 145);
		place(timeRow, 80, 283);
	}
}

bool GLevelCompletedScene::update(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	if (activeTime > FanfareTime && !fanfarePlayed)
	{
		fanfarePlayed = true;
		playCue("AchievementUnlocked");
	}
	if (activeTime > MusicTime && !musicPlayed)
	{
		musicPlayed = true;
		playCue("MenuMusic", true);
	}
	phaseTimer += static_cast<int>(elapsed);
	if (phase == Delay && phaseTimer > CountDelay)
	{
		phase = Counting;
		phaseTimer = 0;
	}
	else if (phase == Counting)
	{
		count(elapsed);
	}
	return true;
}

void GLevelCompletedScene::count(unsigned elapsed)
{
	const float seconds = static_cast<float>(elapsed) / 1000.0f;
	shownTime = countTowards(shownTime, static_cast<float>(timeTarget), seconds * timeTarget * CountRate);
	shownScore = countTowards(shownScore, static_cast<float>(scoreTarget), seconds * scoreTarget * CountRate);
	const int number = levelNumber();
	if (number != LastLevelNumber)
		setText(scoreText, rowText("LevelCompleted_ScoreTxt", scoreFigure(static_cast<int>(shownScore))));
	if (number > LastLevelWithoutTimes)
		setText(timeText, rowText("LevelCompleted_TimeTxt", timeFigure(static_cast<int>(shownTime))));
	if (shownTime == static_cast<float>(timeTarget) && shownScore == static_cast<float>(scoreTarget))
	{
		phase = Idle;
		phaseTimer = 0;
	}
}

bool GLevelCompletedScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (!frontend::isNamed(event->control, "OkButton"))
		return false;
	continueToMap();
	return true;
}

bool GLevelCompletedScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key != KeyEscape && event->key != KeyEnter)
		return false;
	continueToMap();
	return true;
}

void GLevelCompletedScene::continueToMap()
{
	// A second press while the scenes close would close further down than the map.
	if (leaving)
		return;
	leaving = true;
	play::emptyLevelLayer();
	CProfileManager* profiles = CProfileManager::instance();
	CProfile* player = profiles->getActiveProfile();
	const int maxUnlocked = player ? player->getInt(ProfileKey::MaxUnlockedLevelIndex) : 0;
	const int levelIndex = player ? player->getInt(ProfileKey::LevelIndex) : 0;
	const bool newLocation = levelIndex >= maxUnlocked;

	if (levelNumber() == LastLevelNumber && player && player->getBool(ProfileKey::ShowFinalCredits))
	{
		player->setBool(ProfileKey::ShowFinalCredits, false);
		profiles->saveProfile(player);
		closeTo(3, nameIdNavBackFrom(), nameIdNavBackTo());
	}
	else
	{
		closeTo(2, nameIdNavBackFrom(), nameIdNavBackTo());
		// The first level is started from the main menu; once won, the map is where the game goes on.
		if (levelIndex == 1)
			openScene(MapSceneName, false, nameIdNavFrom(), nameIdNavTo());
	}

	GComicsConfiguration* comics = gGameApplication ? gGameApplication->comicsConfiguration.get() : nullptr;
	const GComicsEntry* comic = newLocation && comics ? comics->findComics(levelIndex) : nullptr;
	if (comic && !comic->getScenePath().empty())
		openScene(comic->getScenePath(), false, nameIdNavFrom(), nameIdNavTo());
}
