#include "play/GLoadingLevelScene.h"

#include "LevelFlowTestSupport.h"
#include "content/CProfileManager.h"
#include "content/IFileSystem.h"
#include "data/ProfileKeys.h"
#include "minigames/GMiniGameScene.h"

#include <algorithm>

// The loading scene opened with a level name as the map opens it, over level folders written for the test, and
// stepped by hand: the bar's values, the log and the scene it ends on.
namespace
{
using namespace frontendtest;
using namespace levelflowtest;

const char* const CityLevel =
    "<SceneNode Type=\"GGameLevelScene\"><Properties><string Name=\"Name\" "
    "Value=\"Level\"/><vector3d Name=\"Bounds\" Value=\"1024;768;0\"/></Properties></SceneNode>";
const char* const MiniGame = "<SceneNode Type=\"MiniGameStandIn\"><Properties><string Name=\"Name\" "
                             "Value=\"Bonus\"/></Properties></SceneNode>";
// Hidden-object pictures without objects, with their configurations.
const char* const EmptyHidden = "<SceneNode Type=\"GMiniGameHiddenScene\"><Properties><string Name=\"Name\" "
                                "Value=\"Hidden\"/></Properties></SceneNode>";
const char* const EmptyOrdered = "<SceneNode Type=\"GMiniGameHidden2Scene\"><Properties><string Name=\"Name\" "
                                 "Value=\"Hidden2\"/></Properties></SceneNode>";
const char* const HiddenConfiguration =
    "<MiniGame><MaxLevelTime Value=\"60000\"/><ExpertScore Value=\"900\"/></MiniGame>";
const char* const PlainScene = "<SceneNode Type=\"SceneNode\"><Properties><string Name=\"Name\" "
                               "Value=\"Odd\"/></Properties></SceneNode>";

// The stored progress of a player, "max;level;scores;times".
irr::core::stringc describeProgress(const CProfile& player)
{
	return irr::core::stringc(player.getInt(ProfileKey::MaxUnlockedLevelIndex)) + ";" +
	       irr::core::stringc(player.getInt(ProfileKey::LevelIndex)) + ";" + player.getString(ProfileKey::Scores) +
	       ";" + player.getString(ProfileKey::Times);
}

// The lowest and highest depth of the visible nodes below the scene (drawn in depth order).
std::pair<float, float> depthRange(BaseNode* scene)
{
	std::pair<float, float> range(1e9f, -1e9f);
	scene->refreshAbsolute();
	const irr::core::array<BaseNode*>& top = scene->getChildren();
	std::vector<BaseNode*> open(top.const_pointer(), top.const_pointer() + top.size());
	while (!open.empty())
	{
		BaseNode* node = open.back();
		open.pop_back();
		if (!node->isVisible())
			continue;
		const float depth = node->getAbsoluteTransformation().getTranslation().Z;
		range = {std::min(range.first, depth), std::max(range.second, depth)};
		const irr::core::array<BaseNode*>& children = node->getChildren();
		open.insert(open.end(), children.const_pointer(), children.const_pointer() + children.size());
	}
	return range;
}

class LoadingLevel : public FrontendStage
{
protected:
	void SetUp() override
	{
		FrontendStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		registerStandIns();
		levels.write("levels/flowcity/Level.qscn", CityLevel);
		levels.write("levels/flowbonus/Level.qscn", MiniGame);
		levels.write("levels/flowodd/Level.qscn", PlainScene);
		levels.write("levels/flowempty/Level.qscn", EmptyHidden);
		levels.write("levels/flowempty/MiniGameConfiguration.xml", HiddenConfiguration);
		levels.write("levels/flowempty2/Level.qscn", EmptyOrdered);
		levels.write("levels/flowempty2/MiniGameConfiguration.xml", HiddenConfiguration);
		levels.write("levels/flowtown/Level.qscn", CityLevel);
		levels.write("levels/flowtown/LevelConfiguration.xml",
		             "<Level><Objectives><Objective Type=\"Money\" Value=\"100\"/></Objectives>"
		             "<Properties><string Name=\"Name\" Value=\"1\"/></Properties></Level>");
		// Damaged as a tester damaged level 1: objectives with a refused number, no objectives, a cut file.
		levels.write("levels/flowbadgoal/Level.qscn", CityLevel);
		levels.write("levels/flowbadgoal/LevelConfiguration.xml",
		             "<Level><Objectives><Objective Type=\"Money\" Value=\"-100\"/></Objectives>"
		             "<Properties><string Name=\"Name\" Value=\"1\"/></Properties></Level>");
		levels.write("levels/flownogoal/Level.qscn", CityLevel);
		levels.write("levels/flownogoal/LevelConfiguration.xml",
		             "<Level><Properties><string Name=\"Name\" Value=\"1\"/></Properties></Level>");
		levels.write("levels/flowcut/Level.qscn", CityLevel);
		levels.write("levels/flowcut/LevelConfiguration.xml",
		             "<Level><Objectives><Objective Type=\"Money\" Value=\"100\"/></Objectives><Prop");
		usePlayers({L"Ada"}, 0);
		mount(levels);
	}

	void TearDown() override
	{
		if (application)
			for (IArchive* archive : mounted)
				getDevice()->getFileSystem()->removeArchive(archive);
		mounted.clear();
		FrontendStage::TearDown();
	}

	// The folder's files become part of the content, as the assets folder is.
	void mount(const TempDir& folder)
	{
		IArchive* archive = getDevice()->getFileSystem()->addArchive(folder.path().c_str(), false, false);
		ASSERT_NE(archive, nullptr);
		mounted.push_back(archive);
	}

	// Opens the loading scene with the level name as the map does, lets its appearing finish and takes
	// its update task off the scheduler, so that the test runs each step itself.
	GLoadingLevelScene* openLoading(const char* levelName)
	{
		SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(GLoadingLevelScene::FileName, false));
		auto* loading = nodeCast<GLoadingLevelScene>(loaded.get());
		EXPECT_NE(loading, nullptr);
		if (!loading)
			return nullptr;
		loading->setLevelName(levelName);
		EXPECT_TRUE(top()->pushScene(loading, false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		for (int i = 0; i < 100 && application->uiSceneManager->isInNavigation(loading); ++i)
			settle(1);
		loading->setScheduler(nullptr);
		return loading;
	}

	// Runs updates of 30 ms until the scene closes itself (or 200 updates have run); the bar's values
	// as they changed, "0 10 50".
	static std::string runSteps(GLoadingLevelScene* loading)
	{
		std::string values = std::to_string(static_cast<int>(loading->getDisplayed()));
		float shown = loading->getDisplayed();
		for (int i = 0; i < 200 && loading->update(30); ++i)
			if (loading->getDisplayed() != shown)
			{
				shown = loading->getDisplayed();
				values += " " + std::to_string(static_cast<int>(shown));
			}
		return values;
	}

	TempDir levels;
	std::vector<IArchive*> mounted;
};

TEST_F(LoadingLevel, EachStepMovesTheBarAndAFailingStepGoesBackToTheSceneBelow)
{
	struct Case
	{
		const char* name;
		const char* level;
		const char* bar;
		const char* logged; // null: nothing at level 2
		bool starts;        // the play screen is pushed over the loading scene
	};
	const Case cases[] = {
	    {"no level name", "", "0 10", nullptr, false},
	    {"a folder without a level", "nowhere", "0 10", "Unable to load level scene", false},
	    {"a level scene of another kind", "flowodd", "0 10 50", "Unable to identify level scene", false},
	    {"a mini-game", "flowbonus", "0 10 50", "Unable to configure the mini-game", false},
	    {"a hidden-object picture without objects", "flowempty", "0 10 50",
	     "The hidden-object picture has no objects to find", false},
	    {"an ordered picture without objects", "flowempty2", "0 10 50",
	     "The hidden-object picture has no objects to find", false},
	    {"a level the play screen cannot start", "flowcity", "0 10 50 60 80",
	     "Unable to find configuration for the level", false},
	    {"a level whose only objective is damaged", "flowbadgoal", "0 10 50 60 80",
	     "The level's configuration is damaged or has no valid objective", false},
	    {"a level without objectives", "flownogoal", "0 10 50 60 80",
	     "The level's configuration is damaged or has no valid objective", false},
	    {"a level whose configuration is cut", "flowcut", "0 10 50 60 80",
	     "The level's configuration is damaged or has no valid objective", false},
	    {"a level that starts", "flowtown", "0 10 50 60 80 100", nullptr, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		// Every case in a game of its own.
		TearDown();
		SetUp();
		LogCapture log;
		GLoadingLevelScene* loading = openLoading(c.level);
		ASSERT_NE(loading, nullptr);
		EXPECT_EQ(loading->getState(), GLoadingLevelScene::Waiting);
		const CProfile* player = CProfileManager::instance()->getActiveProfile();
		ASSERT_NE(player, nullptr);
		const irr::core::stringc progressBefore = describeProgress(*player);
		EXPECT_EQ(runSteps(loading), c.bar) << log.dump();
		EXPECT_EQ(loading->getState(), GLoadingLevelScene::Idle);
		// A level that does not start stores nothing: no win, no score, no progress.
		if (!c.starts)
			EXPECT_EQ(describeProgress(*player), progressBefore);
		EXPECT_EQ(loading->getLevelScene(), nullptr);
		EXPECT_EQ(loading->getPlayScreen(), nullptr);
		if (c.logged)
			EXPECT_TRUE(log.contains(c.logged, 2)) << log.dump();
		else
			EXPECT_FALSE(log.contains("Unable", 2)) << log.dump();
		// A mini-game never asks for the play screen.
		if (std::string(c.level) == "flowbonus")
			EXPECT_FALSE(log.contains("GamePlayScene")) << log.dump();
		settle();
		if (c.starts)
		{
			// The play screen (with the level's goals over it) above the loading scene, which waits there.
			SceneNode* play = top();
			while (play && !play->isKindOf(NodeTypeGGamePlayScene))
				play = play->getSceneBelow();
			ASSERT_NE(play, nullptr);
			EXPECT_EQ(play->getSceneBelow(), loading);
		}
		else
		{
			EXPECT_EQ(top(), covered.get());
		}
	}
}

TEST_F(LoadingLevel, TheBarIsTheBackgroundCutToTheShownShare)
{
	GLoadingLevelScene* loading = openLoading("flowcity");
	ASSERT_NE(loading, nullptr);
	BaseNode* scene = loading->findChild(internStringId("Scene"), 0);
	BaseNode* background = scene->findChild(internStringId("ProgressBg"), 0);
	BaseNode* bar = scene->findChild(internStringId("Progress"), 0);
	ASSERT_TRUE(background && bar);
	EXPECT_EQ(bar->getBounds().X, 0.0f);
	for (int i = 0; i < 30 && loading->getDisplayed() < 50.0f; ++i)
		loading->update(30);
	EXPECT_EQ(loading->getDisplayed(), 50.0f);
	EXPECT_EQ(bar->getBounds().X, background->getBounds().X / 2);
	EXPECT_EQ(bar->getBounds().Y, background->getBounds().Y);
}

TEST_F(LoadingLevel, WaitsForHalfASecondOfFocusAndStartsAgainWhenUncovered)
{
	GLoadingLevelScene* loading = openLoading("flowcity");
	ASSERT_NE(loading, nullptr);

	// Covered before the wait is over, it stays waiting however long it is updated.
	SmartPointer<CoveredScene> cover(new CoveredScene());
	cover->setBounds({1024, 768, 0});
	ASSERT_TRUE(top()->pushScene(cover.get(), false));
	settle();
	loading->setScheduler(nullptr);
	for (int i = 0; i < 50; ++i)
		loading->update(30);
	EXPECT_EQ(loading->getState(), GLoadingLevelScene::Waiting);

	// Uncovered (as a restart from the pause menu does), the bar starts again from nothing.
	cover->closeTo(0);
	for (int i = 0; i < 100 && application->uiSceneManager->isInNavigation(loading); ++i)
		settle(1);
	loading->setScheduler(nullptr);
	EXPECT_EQ(runSteps(loading), "0 10 50 60 80");
	settle();
	EXPECT_EQ(top(), covered.get());
}

// Every shipped mini-game is read with its configuration and pushed over the loading scene, which stays in
// sight beneath it: the game is entered and drawn wholly over the loading screen, and the result popup over
// the game.
TEST_F(LoadingLevel, EachShippedMiniGameIsEnteredAndDrawnOverTheLoadingScene)
{
	SmartPointer<BaseNode> popup(application->contentManager->getSceneNode("scenes/MiniCompletedScene.qscn", false));
	ASSERT_TRUE(popup);
	for (const char* name : {"minigame1", "minigame2", "minigame_auction", "minigame3"})
	{
		SCOPED_TRACE(name);
		TearDown();
		SetUp();
		LogCapture log;
		GLoadingLevelScene* loading = openLoading(name);
		ASSERT_NE(loading, nullptr);
		EXPECT_EQ(runSteps(loading), "0 10 50 100");
		EXPECT_FALSE(log.contains("Unable", 2)) << log.dump();
		settle();
		auto* game = nodeCast<GMiniGameScene>(top());
		ASSERT_NE(game, nullptr);
		EXPECT_EQ(game->getSceneBelow(), loading);
		EXPECT_TRUE(loading->isVisible());
		EXPECT_GT(game->getMaxLevelTime(), 0);
		EXPECT_GE(game->getLinetPhase(), 1) << "the game was not entered";
		EXPECT_GT(depthRange(game).first, depthRange(loading).second) << "the loading screen hides the game";
		EXPECT_GT(depthRange(popup.get()).first, depthRange(game).second) << "the game hides its result popup";
	}
}
} // namespace
