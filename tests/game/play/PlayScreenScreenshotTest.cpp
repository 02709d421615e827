#include "content/CDictionary.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "level/GBuildingNode.h"
#include "scene/NodeEvents.h"

#include "WindowedPlayStage.h"

// The play screen of the first, second and two late levels in a 1024 x 768 OpenGL window, with the
// level's goals over it, a building's panel and each tooltip; kept as <build>/artifacts/level<N>-*.png.
namespace
{
class PlayScreenScreenshots : public playtest::WindowedPlayStage, public testing::WithParamInterface<int>
{
protected:
	std::string prefix() const { return "level" + std::to_string(GetParam()); }
	void settle(int steps = 20)
	{
		for (int i = 0; i < steps; ++i)
			step();
	}
	BaseNode* menuChild(const char* name) const
	{
		BaseNode* menu = play->findChild(internStringId("GameMenu"), 2);
		return menu ? menu->findChild(internStringId(name), 1) : nullptr;
	}
	// The standing building of the highest level, else the first place.
	GBuildingNode* showcase() const
	{
		GBuildingNode* best = level->getBuildings().front().get();
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			if (building->getRecord() && best->getRecord() &&
			    building->getRecord()->getLevel() > best->getRecord()->getLevel())
				best = building.get();
		return best;
	}
};

TEST_P(PlayScreenScreenshots, TheLevelWithItsGoalsPanelsAndTooltips)
{
	const std::string folder = "levels/" + prefix() + "/";
	ASSERT_TRUE(enterLevel(folder.c_str(), [&] { ASSERT_FALSE(shoot(prefix() + "-goals").empty()); })) << log.dump();
	settle();
	ASSERT_FALSE(shoot(prefix()).empty());

	GBuildingNode* building = showcase();
	ASSERT_NE(building, nullptr);
	CEventNodeClicked clicked(building);
	level->onEvent(&clicked);
	settle();
	ASSERT_FALSE(shoot(prefix() + "-panel").empty());

	const GBuildingType* record = building->getRecord();
	ASSERT_NE(record, nullptr);
	irr::core::stringw title = getDevice()->getDictionary()->getText(record->getDisplayName());
	title.make_upper();
	play->showMaterialsWorkersTooltip(menuChild("MaterialsWorkersTooltipNode")->getPosition(), title, 120, 4, 15000);
	settle(2);
	ASSERT_FALSE(shoot(prefix() + "-tooltip-costs").empty());
	play->hideTooltips();
	play->showMoneyTooltip(menuChild("MoneyInfoNode")->getPosition(), title, true, 15000);
	settle(2);
	ASSERT_FALSE(shoot(prefix() + "-tooltip-money").empty());
	play->hideTooltips();
	play->showWorkersTooltip(menuChild("WorkersInfoNode")->getPosition(), title, 3);
	settle(2);
	ASSERT_FALSE(shoot(prefix() + "-tooltip-workers").empty());
	play->hideTooltips();
	play->showBuildingInfoNode(record, building);
	settle(2);
	ASSERT_FALSE(shoot(prefix() + "-tooltip-building").empty());
}

INSTANTIATE_TEST_SUITE_P(Levels, PlayScreenScreenshots, testing::Values(1, 2, 24, 28),
                         [](const testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });
} // namespace
