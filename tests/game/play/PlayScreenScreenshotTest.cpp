#include "content/CDictionary.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "level/GBuildingNode.h"
#include "nodes/ListNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"

#include "WindowedPlayStage.h"

// The play screen of the first, second and two late levels in a 1024 x 768 OpenGL window, with the
// level's goals over it, a building's panel and each tooltip, also as the pointer brings them up over a
// build card and a standing hotel's buttons; kept as <build>/artifacts/level<N>-*.png.
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
	// The first node of the name under a shown part of the tree.
	static BaseNode* shownChild(BaseNode* node, const char* name)
	{
		if (!node || !node->isVisible())
			return nullptr;
		if (node->getName() == internStringId(name))
			return node;
		for (irr::u32 i = 0; i < node->getChildren().size(); ++i)
			if (BaseNode* found = shownChild(node->getChildren()[i], name))
				return found;
		return nullptr;
	}
	void select(GBuildingNode* building)
	{
		CEventNodeClicked clicked(building);
		level->onEvent(&clicked);
		settle();
	}
	// Hovers the node as the pointer does, keeps the screen and checks the tooltip it brings up.
	void hoverAndShoot(BaseNode* node, const char* tooltip, const std::string& name)
	{
		ASSERT_NE(node, nullptr) << name;
		play->hideTooltips();
		CEventNodeHovered over(nullptr, node);
		play->onEvent(&over);
		settle(2);
		ASSERT_FALSE(shoot(prefix() + name).empty());
		EXPECT_EQ(top(), play.get()) << name;
		EXPECT_TRUE(menuChild(tooltip) && menuChild(tooltip)->isVisible()) << name;
		CEventNodeUnhovered away(nullptr, node);
		play->onEvent(&away);
	}
	// A lot of the player's without a building, bought when there is none.
	GBuildingNode* emptyLot() const
	{
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			if (building->isOwned() && building->getRecord() && building->getRecord()->getLevel() == 0 &&
			    building->getWorkKind() == GBuildingNode::NoWork)
				return building.get();
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			if (building->getRecord() && building->getRecord()->getLevel() == 0 && level->buyBuilding(building.get()))
				return building.get();
		return nullptr;
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
	play->hideTooltips();

	// An empty lot selected: its build card's costs over the dock.
	auto* tabs = nodeCast<TabSceneNode>(play->findChild(internStringId("ActionsTabScene"), 3));
	ASSERT_NE(tabs, nullptr);
	GBuildingNode* lot = emptyLot();
	ASSERT_NE(lot, nullptr) << "no lot to build on";
	select(lot);
	CEventNodeClicked toHotels(shownChild(tabs, "HotelsButton"));
	ASSERT_NE(toHotels.control, nullptr);
	play->onEvent(&toHotels);
	settle();
	ASSERT_LE(tabs->getActiveTabIndex(), 2) << "the build cards are not shown";
	auto* cards = nodeCast<ListNode>(shownChild(tabs, "HotelsBuildList") ? shownChild(tabs, "HotelsBuildList")
	                                 : shownChild(tabs, "FactoriesBuildList") ? shownChild(tabs, "FactoriesBuildList")
	                                                                          : shownChild(tabs, "JoysBuildList"));
	ASSERT_NE(cards, nullptr);
	ASSERT_GT(cards->getItemCount(), 0u);
	play->hideTooltips();
	CEventNodeListItemHovered overCard(cards, 0);
	play->onEvent(&overCard);
	settle(2);
	ASSERT_FALSE(shoot(prefix() + "-tooltip-buildcard").empty());
	EXPECT_TRUE(menuChild("MaterialsWorkersTooltipNode")->isVisible());
	CEventNodeUnhovered offCards(nullptr, cards);
	play->onEvent(&offCards);

	// A standing hotel selected (built on that lot when the level has none): its upgrade, repair and sell
	// buttons' costs.
	GBuildingNode* hotel = nullptr;
	for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
		if (!hotel && building->isOwned() && building->getRecord() && building->getRecord()->getLevel() >= 1)
		{
			select(building.get());
			if (shownChild(tabs, "UpgradeButton"))
				hotel = building.get();
		}
	if (!hotel)
	{
		select(lot);
		auto* hotels = nodeCast<ListNode>(play->findChild(internStringId("HotelsBuildList"), -1));
		ASSERT_TRUE(hotels && hotels->getItemCount() > 0);
		ASSERT_TRUE(level->buildOnPlace(lot, dynamic_cast<const GBuildingType*>(hotels->getItemObject(0))))
		    << log.dump();
		ASSERT_TRUE(stepUntil(6000, [&] { return lot->getWorkKind() == GBuildingNode::NoWork; }));
		hotel = lot;
		select(hotel);
	}
	hoverAndShoot(shownChild(tabs, "UpgradeButton"), "MaterialsWorkersTooltipNode", "-tooltip-upgrade");
	hoverAndShoot(shownChild(tabs, "RepairButton"), "MaterialsWorkersTooltipNode", "-tooltip-repair");
	hoverAndShoot(shownChild(tabs, "SellButton"), "MoneyInfoNode", "-tooltip-sell");
}

INSTANTIATE_TEST_SUITE_P(Levels, PlayScreenScreenshots, testing::Values(1, 2, 24, 28),
                         [](const testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });
} // namespace
