#include "GLevelObjectivesScene.h"

#include "GGamePlayScene.h"
#include "app/SceneText.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/TextUtils.h"
#include "data/GLevelConfiguration.h"
#include "data/GObjective.h"
#include "data/GObjectiveList.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "frontend/SceneLookup.h"
#include "level/GGameLevelScene.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

#include <algorithm>

namespace
{
using scenetext::listLine;

void setShown(BaseNode* node, bool shown)
{
	if (node)
		node->setVisible(shown);
}
} // namespace

GLevelObjectivesScene::GLevelObjectivesScene(const ContentRef& reference, BaseNode* parentNode,
                                             INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	closeOnKey = true;
}

GLevelObjectivesScene::~GLevelObjectivesScene() = default;

const irr::core::stringw& GLevelObjectivesScene::typeNameText()
{
	static const irr::core::stringw name(L"GLevelObjectivesScene");
	return name;
}

void GLevelObjectivesScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GLevelObjectivesScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	levelText = frontend::directChildOf<TextNode>(scene, "LevelText");
	welcomeText = frontend::directChildOf<TextNode>(scene, "WelcomeText");
	infoText = frontend::directChildOf<TextNode>(scene, "InfoText");
	clock = frontend::directChild(scene, "Clock");
	expertTimeText = frontend::directChildOf<TextNode>(scene, "ExpertTimeText");
	goldStar = frontend::directChild(scene, "GStar");
	expertScoreText = frontend::directChildOf<TextNode>(scene, "ExpertScoreText");
	silverStar = frontend::directChild(scene, "SStar");
	scoreText = frontend::directChildOf<TextNode>(scene, "ScoreText");
	goalsText = frontend::directChildOf<TextNode>(scene, "GoalsText");
}

void GLevelObjectivesScene::setLevel(GGameLevelScene* level)
{
	levelScene = shareRef(level);
}

bool GLevelObjectivesScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	const bool handled = GBaseSceneNode::onSceneChangeStarted(event);
	if (event->newScene != this)
		return handled;
	playCue("ObjectivesWindow");
	fillTexts();
	return true;
}

void GLevelObjectivesScene::fillTexts()
{
	const GLevelConfiguration* level = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	if (!level)
		return;
	const CDictionary* dictionary = getDevice() ? getDevice()->getDictionary() : nullptr;
	const CProfile* player = CProfileManager::instance()->getActiveProfile();
	const int levelIndex = player ? player->getInt(ProfileKey::LevelIndex) : 0;

	if (levelText)
		levelText->setText(dictionary ? dictionary->format("GamePlay_LEVEL", level->getName()) : level->getName());
	if (welcomeText)
	{
		welcomeText->setVisible(levelIndex == 0);
		if (levelIndex == 0 && dictionary)
			welcomeText->setText(dictionary->format("MainMenu_WelcomeTxt", player ? player->getName() : L""));
	}
	if (infoText)
		infoText->setText(level->getDescription());
	const GObjectiveList* objectives = level->getObjectives();
	if (goalsText && objectives && dictionary)
	{
		irr::core::stringw goals;
		for (irr::u32 i = 0; i < objectives->getCount(); ++i)
			goals += irr::core::stringw(i ? L"\n- " : L"- ") + objectives->get(i)->getText(*dictionary, true);
		goalsText->setText(goals);
	}
	if (expertTimeText)
		expertTimeText->setText(
		    listLine(dictionary, "Obj_ExpertTimeTxt",
		               formatMinutesSeconds(static_cast<unsigned>(std::max(level->getLevelTime(), 0) * 1000))));
	if (expertScoreText)
		expertScoreText->setText(
		    listLine(dictionary, "Obj_ExpertScoreTxt", formatThousands(level->getExpertScore(), L',')));
	if (scoreText)
		scoreText->setText(listLine(dictionary, "Obj_ScoreTxt", formatThousands(level->getScore(), L',')));

	// The first levels ask for the expert score alone; the time and the plain score come later.
	const bool fullTargets = levelIndex >= FullTargetsFromLevelIndex;
	setShown(clock, fullTargets);
	setShown(expertTimeText, fullTargets);
	setShown(silverStar, fullTargets);
	setShown(scoreText, fullTargets);
}

bool GLevelObjectivesScene::update(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	if (activeTime > MusicDelay)
		playLevelMusic();
	return true;
}

void GLevelObjectivesScene::playLevelMusic()
{
	const auto* playScreen = nodeCast<GGamePlayScene>(getSceneBelow());
	if (!playScreen || playScreen->getMusicCue().isEmpty())
		return;
	playCue(getStringById(playScreen->getMusicCue()).c_str(), true);
}

bool GLevelObjectivesScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (!frontend::isNamed(event->control, "OkButton"))
		return false;
	closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
	return true;
}
