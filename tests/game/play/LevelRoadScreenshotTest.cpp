#include "PlayTestSupport.h"
#include "core/InputEvents.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/IntList.h"
#include "data/GResourceOffer.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "level/GBuildingNode.h"
#include "play/GLevelCompletedScene.h"
#include "scene/NodeEvents.h"

// The road through a level in an OpenGL window: from the start (logos and intro) over the main menu and
// the map into level 1, its goals, the level played to its end by the level's commands, the level-won
// popup and back to the map with level 2 open. Every screen is kept in <build>/artifacts/road-*.png.
namespace
{
// Whether the level takes the command (Xlib defines None, so the refusal is compared before it is included).
bool accepted(CommandRefusal refusal)
{
	return refusal == CommandRefusal::None;
}
} // namespace

#include "WindowedPlayStage.h"

namespace
{
class LevelRoadScreenshots : public playtest::WindowedPlayStage
{
protected:
	void shoot(const char* name) { WindowedPlayStage::shoot(std::string("road-") + name); }

	template <class T> bool onTop() const { return nodeCast<T>(top()) && settled(); }

	void press(BaseNode* control)
	{
		ASSERT_NE(control, nullptr);
		CEventNodeClicked clicked(control);
		top()->onEvent(&clicked);
	}

	BaseNode* sceneChild(const char* name) const
	{
		BaseNode* scene = top() ? top()->findChild(internStringId("Scene"), 0) : nullptr;
		return scene ? scene->findChild(internStringId(name), 0) : nullptr;
	}
};
} // namespace

TEST_F(LevelRoadScreenshots, FromTheMenuOverTheMapThroughLevelOneAndBack)
{
	shoot("menu");
	press(sceneChild("NewGameButton"));
	ASSERT_TRUE(stepUntil(500, [&] { return onTop<GMapScene>(); })) << log.dump();
	shoot("map");
	auto* map = nodeCast<GMapScene>(top());
	press(map->getLocationButtons()[0]);
	stepUntil(10, [] { return false; });
	press(map->getPlayButton());
	ASSERT_TRUE(stepUntil(1000, [&] { return onTop<GLevelObjectivesScene>(); })) << log.dump();
	shoot("objectives");
	press(sceneChild("OkButton"));
	ASSERT_TRUE(stepUntil(300, [&] { return onTop<GGamePlayScene>(); })) << log.dump();
	auto* screen = nodeCast<GGamePlayScene>(top());
	GGameLevelScene* level = screen->getLevelScene();
	ASSERT_NE(level, nullptr);

	// Played by the level's commands: campsites on the player's lots, repairs when one breaks down, an
	// upgrade when the money allows, until the goals end the level.
	GBuildingType* camping = application->buildingsConfiguration->findBuilding(internStringId("Camping1")).get();
	ASSERT_NE(camping, nullptr);
	bool shotWhilePlaying = false;
	const auto& offers = level->getLevelConfiguration()->getMaterialOffers();
	const bool won = stepUntil(30000,
	                           [&]
	                           {
		                           if (top() != screen)
			                           return nodeCast<GLevelCompletedScene>(top()) ||
			                                  nodeCast<GAchievementUnlockedScene>(top());
		                           bool allBuilt = true;
		                           for (const SmartPointer<GBuildingNode>& lot : level->getBuildings())
		                           {
			                           GBuildingNode* building = lot.get();
			                           if (!building->isOwned())
				                           continue;
			                           allBuilt = allBuilt && building->getRecord()->getLevel() > 0;
			                           if (building->getWorkKind() != GBuildingNode::NoWork)
				                           continue;
			                           if (building->getCondition() == GBuildingNode::Broken)
				                           level->repairBuilding(building);
			                           else if (building->getRecord()->getLevel() == 0)
				                           level->buildOnPlace(building, camping);
		                           }
		                           if (level->materials < 30.0f && !offers.empty())
			                           level->buyMaterials(offers[0].get());
		                           if (allBuilt)
			                           for (const SmartPointer<GBuildingNode>& lot : level->getBuildings())
				                           if (lot->isOwned() && accepted(level->checkUpgrade(lot.get())))
					                           level->upgradeBuilding(lot.get());
		                           if (!shotWhilePlaying && level->getIncomePerDay() > 0.0f)
		                           {
			                           shotWhilePlaying = true;
			                           shoot("playing");
		                           }
		                           return false;
	                           });
	ASSERT_TRUE(won) << "money " << level->getMoney() << ", income " << level->getIncomePerDay() << log.dump();

	// The achievements it earned come first, then the level-won popup, which leads back to the map.
	CEventInputKeyUp enter(0, 13, false, false);
	ASSERT_TRUE(stepUntil(1000,
	                      [&]
	                      {
		                      if (onTop<GAchievementUnlockedScene>())
			                      top()->onEvent(&enter);
		                      return onTop<GLevelCompletedScene>();
	                      }))
	    << log.dump();
	stepUntil(150, [] { return false; });
	shoot("completed");
	top()->onEvent(&enter);
	auto mapShown = [&]
	{ return top() && (nodeCast<GMapScene>(top()) || nodeCast<GMapScene>(top()->getSceneBelow())); };
	ASSERT_TRUE(stepUntil(500, [&] { return mapShown() && settled(); }));
	if (!nodeCast<GMapScene>(top()))
	{
		shoot("comic");
		top()->closeTo(0);
		ASSERT_TRUE(stepUntil(300, [&] { return onTop<GMapScene>(); }));
	}
	map = nodeCast<GMapScene>(top());
	// The first level's score is kept, and the map opens the second level (but not the third).
	const irr::core::array<int> scores = parseIntList(player()->getString(ProfileKey::Scores).c_str());
	ASSERT_FALSE(scores.empty());
	EXPECT_GT(scores[0], 0);
	EXPECT_TRUE(map->getLocationButtons()[1]->isEnabled()) << "level 2 is open";
	EXPECT_FALSE(map->getLocationButtons()[2]->isEnabled()) << "level 3 is not";
	shoot("map-after");
}
