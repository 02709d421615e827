#include "ProcessTestSupport.h"
#include "data/GEventLevelCompleted.h"
#include "data/GEventNewDay.h"
#include "data/GLevelPaths.h"
#include "game/GameTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace proctest;

namespace
{
std::string shippedAsset(const std::string& name)
{
	std::ifstream in(sourceDir() + "/assets/" + name);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}

template <class T> SmartPointer<T> loadShipped(const std::string& name)
{
	const std::string xml = shippedAsset(name);
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<T> loaded(new T());
	EXPECT_TRUE(loaded->load(reader.get())) << name;
	return loaded;
}

// Repairs every campsite of the player's that has broken down; true when one was.
bool repairBroken(GGameLevelScene& level)
{
	bool repaired = false;
	for (const SmartPointer<GBuildingNode>& building : level.getBuildings())
		if (building->getCondition() == GBuildingNode::Broken)
			repaired = level.repairBuilding(building.get()) || repaired;
	return repaired;
}
} // namespace

// The first level played through the level's commands with its shipped scene, configuration and
// paths: two campsites at once (two workers), the third when a crew comes back, an upgrade once the
// money allows it, repairs when a campsite breaks down, and days of income until the goals end the
// level.
TEST(FirstLevelPlay, PlayedToCompletionThroughTheCommands)
{
	LevelRig rig(shippedAsset("levels/level1/Level.qscn"), processTemplates());
	ASSERT_TRUE(rig.level);
	ASSERT_EQ(rig.level->getBuildings().size(), 6u);
	SmartPointer<GBuildingsConfiguration> records =
	    loadShipped<GBuildingsConfiguration>("levels/common/BuildingsConfiguration.xml");
	SmartPointer<GLevelConfiguration> configuration =
	    loadShipped<GLevelConfiguration>("levels/level1/LevelConfiguration.xml");
	SmartPointer<GLevelPaths> paths = loadShipped<GLevelPaths>("levels/level1/LevelPaths.xml");
	rig.attach();
	rig.setUp(records.get(), configuration.get());
	rig.level->createNeutralCarTraffic(paths.get());
	ASSERT_TRUE(rig.enter());
	const auto completions = [&]
	{
		rig.drain();
		return rig.services.log->count(EventTypeGEventLevelCompleted);
	};
	GBuildingType* camping = records->findBuilding(internStringId("Camping1")).get();
	ASSERT_NE(camping, nullptr);
	EXPECT_EQ(rig.level->money, 45000.0f);
	EXPECT_TRUE(rig.level->canBuild(camping));

	// Two campsites use both workers; the third waits for a crew.
	ASSERT_TRUE(rig.level->buildOnPlace(rig.building("Place1"), camping));
	ASSERT_TRUE(rig.level->buildOnPlace(rig.building("Place2"), camping));
	EXPECT_EQ(rig.level->checkBuildOnPlace(rig.building("Place3"), camping), CommandRefusal::NoWorkers);
	EXPECT_FALSE(rig.level->buildOnPlace(rig.building("Place3"), camping));
	ASSERT_TRUE(rig.tickUntil(3000, [&] { return rig.level->freeWorkers > 0; }));
	ASSERT_TRUE(rig.level->buildOnPlace(rig.building("Place3"), camping));
	EXPECT_EQ(rig.level->money, 0.0f);
	EXPECT_EQ(rig.level->materials, 40.0f);
	ASSERT_TRUE(rig.tickUntil(3000, [&] { return rig.level->income == 3 * camping->getIncome(); }));
	EXPECT_EQ(rig.level->getHintText(), "%GamePlay_CompleteHintMoney%") << "only the money is missing";

	// Days of income pay for an upgrade of the first campsite.
	GBuildingNode* first = rig.building("Place1");
	int repairs = 0;
	ASSERT_TRUE(rig.tickUntil(20000,
	                          [&]
	                          {
		                          repairs += repairBroken(*rig.level) ? 1 : 0;
		                          return rig.level->checkUpgrade(first) == CommandRefusal::None;
	                          }));
	EXPECT_GE(rig.level->money, records->findBuilding(internStringId("Camping2"))->getCost());
	ASSERT_TRUE(rig.level->upgradeBuilding(first));
	ASSERT_TRUE(rig.tickUntil(3000, [&] { return first->getWorkKind() == GBuildingNode::NoWork; }));
	EXPECT_EQ(first->getRecord()->getName(), internStringId("Camping2"));
	EXPECT_EQ(completions(), 0);

	// More days reach the $40,000 goal: the level ends once, and its tick stops. A campsite that
	// breaks down meanwhile is repaired, or it would hold the end back.
	ASSERT_TRUE(rig.tickUntil(60000,
	                          [&]
	                          {
		                          repairs += repairBroken(*rig.level) ? 1 : 0;
		                          return completions() > 0;
	                          }));
	EXPECT_TRUE(rig.level->areObjectivesMet());
	EXPECT_GE(rig.level->money, 40000.0f);
	EXPECT_EQ(rig.level->countBuildingsOfType(internStringId("Camping1")), 2);
	EXPECT_EQ(rig.level->countBuildingsOfType(internStringId("Camping2")), 1);
	// Five days with an upgrade on the way; a breakdown at a bad moment may cost one more.
	EXPECT_LE(rig.level->elapsedTime, (configuration->getLevelTime() + configuration->getDayLength()) * 1000.0f)
	    << "about the expert time; repairs: " << repairs;
	const float endedAt = rig.level->elapsedTime;
	rig.tickUntil(1000, [] { return false; });
	EXPECT_EQ(completions(), 1);
	EXPECT_EQ(rig.level->elapsedTime, endedAt);
	// Three builds, the upgrade and the repairs.
	int built = 0;
	for (const GHistoryEntry& entry : rig.level->getHistory())
		built += entry.action == 0 ? 1 : 0;
	EXPECT_EQ(built, 4);
	EXPECT_EQ(rig.level->getHistory().size(), 4u + repairs);
}
