#include "PlayTestSupport.h"
#include "content/AtlasTexture.h"
#include "content/CDictionary.h"
#include "data/GBuildingFeature.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GEventFeatureIncome.h"
#include "data/GLevelConfiguration.h"
#include "data/GameCodes.h"
#include "level/GBuildingNode.h"
#include "nodes/ListNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/ControlNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"
#include "scene/TemplateCollectionNode.h"

// The dock of the play screen over level 1: the page follows the selected building, the hotels' build
// list offers what the player owns, a card builds on the selected place, and the building's buttons act.
namespace
{
class GamePlayPanels : public playtest::PlayStage
{
protected:
	void SetUp() override
	{
		PlayStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		ASSERT_TRUE(enterLevel(levelFolder)) << log.dump();
		tabs = nodeCast<TabSceneNode>(play->findChild(internStringId("ActionsTabScene"), 3));
		ASSERT_NE(tabs, nullptr);
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			if (!place && building->getRecord() && building->getRecord()->getLevel() == 0)
				place = building.get();
		ASSERT_NE(place, nullptr);
	}

	// A click on the node of the level, as the player makes it, and the messages that follow.
	void click(BaseNode* node)
	{
		CEventNodeClicked clicked(node);
		level->onEvent(&clicked);
		for (int i = 0; i < 5; ++i)
			step();
	}
	bool press(const char* page, const char* name)
	{
		BaseNode* button = play->findChild(internStringId(page), 4)->findChild(internStringId(name), 2);
		EXPECT_NE(button, nullptr) << name;
		CEventNodeClicked clicked(button);
		return play->onEvent(&clicked);
	}
	int page() const { return tabs->getActiveTabIndex(); }

	TabSceneNode* tabs = nullptr;
	GBuildingNode* place = nullptr;
	const char* levelFolder = "levels/level1/";
};

// The same dock on the second level, the first that lets the player sell.
class GamePlayPanelsWithSales : public GamePlayPanels
{
protected:
	GamePlayPanelsWithSales() { levelFolder = "levels/level2/"; }
};

TEST_F(GamePlayPanels, ThePageFollowsTheSelectedBuilding)
{
	// Nothing selected: the level overview.
	click(level.get());
	EXPECT_EQ(page(), 7);
	// A place the city offers: the page to buy it.
	ASSERT_FALSE(place->isOwned());
	place->setForSale(true);
	click(place);
	EXPECT_EQ(level->getSelectedBuilding(), place);
	EXPECT_EQ(page(), 6);
	// Bought, the empty place: the build tabs.
	EXPECT_TRUE(press("Tab7", "BuyButton"));
	ASSERT_TRUE(place->isOwned());
	EXPECT_EQ(page(), 9);
	// The hotels' list: the campsite card is there, the lines not bought are locked.
	EXPECT_TRUE(press("Tab10", "HotelsButton"));
	EXPECT_EQ(page(), 0);
	auto* hotels = nodeCast<ListNode>(play->findChild(internStringId("HotelsBuildList"), 5));
	ASSERT_NE(hotels, nullptr);
	ASSERT_EQ(hotels->getItemCount(), 6u);
	const auto* camping = dynamic_cast<const GBuildingType*>(hotels->getItemObject(0));
	ASSERT_NE(camping, nullptr);
	EXPECT_EQ(camping->getName(), internStringId("Camping1"));
	EXPECT_TRUE(hotels->isItemEnabled(0));
	for (unsigned i = 1; i < 6; ++i)
		if (!hotels->getItemObject(i))
			EXPECT_FALSE(hotels->isItemEnabled(i)) << i;

	// The card builds on the place, and the building's panel shows the work with its stop button.
	CEventNodeListItemClicked chosen(hotels, 0);
	EXPECT_TRUE(play->onEvent(&chosen));
	EXPECT_EQ(place->getWorkKind(), GBuildingNode::BuildWork);
	EXPECT_EQ(page(), 5);
	BaseNode* progress = play->findChild(internStringId("Tab6"), 4)->findChild(internStringId("ProgressNode"), 1);
	ASSERT_NE(progress, nullptr);
	EXPECT_TRUE(progress->isVisible());
	EXPECT_TRUE(progress->findChild(internStringId("AbortButton"), 1)->isVisible());

	// Stopping the work gives the place back.
	EXPECT_TRUE(press("Tab6", "AbortButton"));
	EXPECT_EQ(place->getWorkKind(), GBuildingNode::NoWork);
	EXPECT_EQ(page(), 9);
}

TEST_F(GamePlayPanelsWithSales, TheSellButtonTogglesTheSale)
{
	level->buyBuilding(place);
	click(place);
	ASSERT_EQ(page(), 9);
	ASSERT_FALSE(place->isForSale());
	auto* sell =
	    nodeCast<ControlNode>(play->findChild(internStringId("Tab10"), 4)->findChild(internStringId("SellButton"), 1));
	ASSERT_NE(sell, nullptr);
	EXPECT_TRUE(sell->isEnabled());
	EXPECT_TRUE(press("Tab10", "SellButton"));
	EXPECT_TRUE(place->isForSale());
	EXPECT_EQ(sell->getTemplateName(), internStringId("Game_UnSellButton"));
	EXPECT_NE(sell->getTemplateRoot(), nullptr) << "the keep button has a look";
	EXPECT_TRUE(press("Tab10", "SellButton"));
	EXPECT_FALSE(place->isForSale());
	EXPECT_EQ(sell->getTemplateName(), internStringId("Game_SellButton"));
}
// The first level sells nothing: its sell button is off, and a press that reaches it anyway changes nothing.
TEST_F(GamePlayPanels, TheSellButtonIsOffOnALevelWithoutSales)
{
	ASSERT_FALSE(level->getLevelConfiguration()->isSellOn());
	level->buyBuilding(place);
	click(place);
	ASSERT_EQ(page(), 9);
	auto* sell =
	    nodeCast<ControlNode>(play->findChild(internStringId("Tab10"), 4)->findChild(internStringId("SellButton"), 1));
	ASSERT_NE(sell, nullptr);
	EXPECT_FALSE(sell->isEnabled());
	// Its hint says why rather than offering the sale.
	CEventNodeHovered over(nullptr, sell);
	play->onEvent(&over);
	auto* hint =
	    nodeCast<TextNode>(play->findChild(internStringId("Tab10"), 4)->findChild(internStringId("HintText"), 2));
	ASSERT_NE(hint, nullptr);
	EXPECT_EQ(hint->getText(), irr::core::stringw(L"%Hint_SaleClosed%"));
	const float money = level->money;
	EXPECT_TRUE(press("Tab10", "SellButton"));
	EXPECT_FALSE(place->isForSale());
	EXPECT_EQ(level->money, money);
	EXPECT_EQ(sell->getTemplateName(), internStringId("Game_SellButton"));
}

// The dark strip under the hint line goes with the hint: a page with nothing to say there leaves no bare bar
// over the city.
TEST_F(GamePlayPanels, TheHintStripShowsOnlyBehindAHint)
{
	BaseNode* strip = play->findChild(internStringId("HintStrip"), 4);
	ASSERT_NE(strip, nullptr);
	level->buyBuilding(place);
	click(place);
	EXPECT_TRUE(strip->isVisible()) << "the build tabs say what to do";

	auto* hint = nodeCast<TextNode>(tabs->getTab(page())->findChild(internStringId("HintText"), 2));
	ASSERT_NE(hint, nullptr);
	const irr::core::stringw said = hint->getText();
	hint->setText(irr::core::stringw());
	step();
	EXPECT_FALSE(strip->isVisible());
	hint->setText(said);
	step();
	EXPECT_TRUE(strip->isVisible());

	// Work under way says so on the hint line from its own panel, not from the page's hint.
	EXPECT_TRUE(press("Tab10", "HotelsButton"));
	auto* hotels = nodeCast<ListNode>(play->findChild(internStringId("HotelsBuildList"), 5));
	ASSERT_NE(hotels, nullptr);
	CEventNodeListItemClicked chosen(hotels, 0);
	EXPECT_TRUE(play->onEvent(&chosen));
	ASSERT_EQ(place->getWorkKind(), GBuildingNode::BuildWork);
	step();
	EXPECT_TRUE(strip->isVisible()) << "the work's hint";
	// Once the work is done, the building's own hint is back in its place.
	for (int i = 0; i < 400 && place->getWorkKind() != GBuildingNode::NoWork; ++i)
		step(250);
	ASSERT_EQ(place->getWorkKind(), GBuildingNode::NoWork);
	step();
	auto* buildingHint = nodeCast<TextNode>(tabs->getTab(5)->findChild(internStringId("HintText"), 1));
	ASSERT_NE(buildingHint, nullptr);
	EXPECT_FALSE(buildingHint->getText().empty()) << "the finished building's panel lost its hint";
	EXPECT_TRUE(strip->isVisible()) << "the finished building's hint";

	click(level.get());
	EXPECT_TRUE(strip->isVisible()) << "the overview's hint";
}

// An order's hint stands on its page while the truck or the training runs; once it is done, the page's own.
TEST_F(GamePlayPanels, AFinishedOrderGivesItsPageItsHintBack)
{
	CDictionary* texts = getDevice()->getDictionary();
	ASSERT_NE(texts, nullptr);
	struct Case
	{
		const char* list;
		int page;
		const char* pageHint;
		const float GGameLevelScene::*left;
	};
	for (const Case& order : {Case{"BuyMaterialsList", PlayTab::Materials, "Hint_MaterialsTab",
	                               &GGameLevelScene::materialOrderLeft},
	                          Case{"TrainWorkersList", PlayTab::Workers, "Hint_WorkersTab",
	                               &GGameLevelScene::workerOrderLeft}})
	{
		SCOPED_TRACE(order.list);
		level->money = 1.0e6f;
		auto* list = nodeCast<ListNode>(play->findChild(internStringId(order.list), 6));
		auto* hint = nodeCast<TextNode>(tabs->getTab(order.page)->findChild(internStringId("HintText"), 2));
		ASSERT_NE(list, nullptr);
		ASSERT_NE(hint, nullptr);
		CEventNodeListItemClicked chosen(list, 0);
		play->onEvent(&chosen);
		step();
		ASSERT_GE(level.get()->*order.left, 0.0f) << "the order did not start";
		const irr::core::stringw running = hint->getText();
		EXPECT_FALSE(running == texts->getText(order.pageHint));
		for (int i = 0; i < 400 && level.get()->*order.left >= 0.0f; ++i)
			step(250);
		ASSERT_LT(level.get()->*order.left, 0.0f) << "the order never finished";
		step();
		EXPECT_TRUE(hint->getText() == texts->getText(order.pageHint)) << "the running order's hint stayed";
	}
}

// Hovering a card over a bought place previews the building with its costs; leaving the list ends it.
TEST_F(GamePlayPanels, HoveringACardPreviewsTheBuildingWithItsCosts)
{
	level->buyBuilding(place);
	click(place);
	EXPECT_TRUE(press("Tab10", "HotelsButton"));
	auto* hotels = nodeCast<ListNode>(play->findChild(internStringId("HotelsBuildList"), 5));
	ASSERT_NE(hotels, nullptr);
	BaseNode* tooltip = play->findChild(internStringId("MaterialsWorkersTooltipNode"), 3);
	ASSERT_NE(tooltip, nullptr);

	CEventNodeListItemHovered over(hotels, 0);
	EXPECT_TRUE(play->onEvent(&over));
	EXPECT_EQ(play->getHoveredBuilding(), place);
	EXPECT_TRUE(tooltip->isVisible());
	const auto* camping = dynamic_cast<const GBuildingType*>(hotels->getItemObject(0));
	auto* materials = nodeCast<TextNode>(tooltip->findChild(internStringId("MaterialsText"), 1));
	ASSERT_NE(materials, nullptr);
	const int cost = static_cast<int>(camping->getBuildMaterialsCost(level->getLevelConfiguration()) + 0.5f);
	EXPECT_EQ(materials->getText(), irr::core::stringw(L"x ") + irr::core::stringw(cost));

	// The cost text turns light red while the stock is short and white again once it is not.
	level->materials = 0.0f;
	play->refreshHud();
	EXPECT_EQ(materials->getTintColor(), irr::video::SColor(0xFFFF8888));
	level->materials = 1000.0f;
	play->refreshHud();
	EXPECT_EQ(materials->getTintColor(), irr::video::SColor(0xFFFFFFFF));

	CEventNodeUnhovered left(nullptr, hotels);
	EXPECT_TRUE(play->onEvent(&left));
	EXPECT_EQ(play->getHoveredBuilding(), nullptr);
	EXPECT_FALSE(tooltip->isVisible());
}

TEST_F(GamePlayPanels, AnEmptyPlaceOfTheCityShowsNoIncomeInfo)
{
	BaseNode* cityInfo = play->findChild(internStringId("GuestsInfoNode"), 3);
	ASSERT_NE(cityInfo, nullptr);
	CEventNodeHovered over(nullptr, place);
	play->onEvent(&over);
	EXPECT_EQ(play->getHoveredBuilding(), place);
	EXPECT_FALSE(cityInfo->isVisible());
}

// A run-down sight's serve button tells what restoring it does, or what it still lacks; the pyramid, once
// restored, offers its conference instead.
TEST_F(GamePlayPanels, TheServeButtonOfASightTellsWhatItDoes)
{
	struct Case
	{
		const char* record;
		int condition;
		const char* can;
		const char* cannot;
	};
	const Case cases[] = {
	    {"FishingCenter", GBuildingNode::RunDown, "%Hint_BuildingTabRestoreFishingCenter%",
	     "%Hint_BuildingTabCantRestoreFishingCenter%"},
	    {"ObservationTower", GBuildingNode::RunDown, "%Hint_BuildingTabObservationBuild%",
	     "%Hint_BuildingTabObservationCantBuild%"},
	    {"Pyramid", GBuildingNode::RunDown, "%Hint_BuildingTabPyramidClean%", "%Hint_BuildingTabCantPyramidClean%"},
	    {"Station", GBuildingNode::RunDown, "%Hint_BuildingTabStationBuild%", "%Hint_BuildingTabStationCantBuild%"},
	    {"HQ", GBuildingNode::RunDown, "%Hint_BuildingTabHQBuild%", "%Hint_BuildingTabHQCantBuild%"},
	    {"Pyramid", GBuildingNode::Normal, "%Hint_BuildingTabPyramidShow%", "%Hint_BuildingTabCantPyramidShow%"},
	};
	BaseNode* page = play->findChild(internStringId("Tab6"), 4);
	ASSERT_NE(page, nullptr);
	auto* hint = nodeCast<TextNode>(page->findChild(internStringId("HintText"), 0));
	auto* serve = page->findChild(internStringId("CustomServeButton"), 2);
	ASSERT_TRUE(hint && serve);
	for (const Case& c : cases)
	{
		SmartPointer<GBuildingType> record = level->getBuildingsConfiguration()->findBuilding(internStringId(c.record));
		ASSERT_TRUE(record) << c.record;
		place->setLevelRecord(record.get(), false);
		place->setOwned(true);
		place->setCondition(c.condition);
		for (const bool rich : {true, false})
		{
			level->money = rich ? 10000000.0f : 0.0f;
			level->materials = rich ? 10000.0f : 0.0f;
			level->freeWorkers = rich ? 100 : 0;
			click(place);
			ASSERT_EQ(page, tabs->getTab(tabs->getActiveTabIndex())) << c.record;
			CEventNodeHovered over(nullptr, serve);
			play->onEvent(&over);
			EXPECT_EQ(irr::core::stringc(hint->getText()), rich ? c.can : c.cannot) << c.record;
		}
	}
}

// The whole number a cost text shows ("x 40", "$5,000"); 0 when the text is missing or hidden.
int shownNumber(const BaseNode* tooltip, const char* name)
{
	const auto* text = tooltip ? nodeCast<TextNode>(tooltip->findChild(internStringId(name), 1)) : nullptr;
	if (!text || !text->isVisible())
		return 0;
	int value = 0;
	for (const wchar_t c : std::wstring(text->getText().c_str()))
		if (c >= L'0' && c <= L'9')
			value = value * 10 + (c - L'0');
	return value;
}

// What a button's tooltip promises is what its command then takes from the stock: the upgrade, repair,
// cleaning and restoration costs, and a sight's feature, whose button does not restore once it is.
TEST_F(GamePlayPanels, TheTooltipShowsWhatTheCommandTakes)
{
	struct Case
	{
		const char* record;
		int condition;
		const char* button;
	};
	const Case cases[] = {
	    {"Camping1", GBuildingNode::Normal, "UpgradeButton"},
	    {"Camping1", GBuildingNode::Broken, "RepairButton"},
	    {"Statue", GBuildingNode::Dirty, "CleanButton"},
	    {"Camping1", GBuildingNode::Normal, "DestroyButton"},
	    {"FishingCenter", GBuildingNode::RunDown, "CustomServeButton"},
	    {"FishingCenter", GBuildingNode::Normal, "CustomServeButton"},
	};
	BaseNode* page = play->findChild(internStringId("Tab6"), 4);
	ASSERT_NE(page, nullptr);
	const auto shown = [&]
	{
		std::string text;
		for (const char* name : {"MaterialsWorkersTooltipNode", "WorkersInfoNode", "MoneyInfoNode"})
		{
			const BaseNode* tooltip = play->findChild(internStringId(name), 3);
			if (tooltip && tooltip->isVisible())
				text += std::to_string(shownNumber(tooltip, "MoneyText")) + " " +
				        std::to_string(shownNumber(tooltip, "MaterialsText")) + " " +
				        std::to_string(shownNumber(tooltip, "WorkersText"));
		}
		return text;
	};
	size_t next = 0;
	for (const Case& c : cases)
	{
		SCOPED_TRACE(std::string(c.record) + " " + c.button);
		// Each case on a building of its own, so no earlier work is still running there.
		ASSERT_LT(next, level->getBuildings().size());
		GBuildingNode* building = level->getBuildings()[next++].get();
		SmartPointer<GBuildingType> record = level->getBuildingsConfiguration()->findBuilding(internStringId(c.record));
		ASSERT_TRUE(record);
		building->setLevelRecord(record.get(), false);
		building->setOwned(true);
		building->setForSale(false);
		building->setCondition(c.condition);
		level->money = 10000000.0f;
		level->materials = 10000.0f;
		level->freeWorkers = 100;
		click(building);
		ASSERT_EQ(page, tabs->getTab(tabs->getActiveTabIndex()));
		BaseNode* button = page->findChild(internStringId(c.button), 2);
		ASSERT_NE(button, nullptr);
		CEventNodeHovered over(nullptr, button);
		play->onEvent(&over);
		const std::string promised = shown();
		ASSERT_FALSE(promised.empty()) << "a tooltip shows";
		const int money = static_cast<int>(level->money);
		const int materials = static_cast<int>(level->materials);
		const int workers = level->freeWorkers;
		EXPECT_TRUE(press("Tab6", c.button));
		const std::string taken = std::to_string(money - static_cast<int>(level->money)) + " " +
		                          std::to_string(materials - static_cast<int>(level->materials)) + " " +
		                          std::to_string(workers - level->freeWorkers);
		EXPECT_NE(taken, "0 0 0") << "the command ran";
		EXPECT_EQ(promised, taken);
	}
}
} // namespace

// Every button the buildings configuration names has its look in the screen's templates: a missing one
// would leave a blank, dead control on the panel.
TEST_F(GamePlayPanels, EveryButtonTheBuildingsNameHasATemplate)
{
	TemplateCollectionNode* templates = application->uiSceneManager->getTemplateCollection();
	ASSERT_NE(templates, nullptr);
	ASSERT_NE(application->buildingsConfiguration, nullptr);
	int named = 0;
	for (const auto& entry : application->buildingsConfiguration->getRecords())
	{
		const GBuildingType* record = entry.second.get();
		std::vector<StringId> names;
		if (record->getButtonTemplate() != StringId())
			names.push_back(record->getButtonTemplate());
		for (const GBuildingFeature& feature : record->getFeatures())
			names.push_back(feature.getButtonName());
		for (StringId name : names)
		{
			++named;
			EXPECT_NE(templates->findTemplate(name), nullptr)
			    << getStringById(record->getName()).c_str() << " names the missing template "
			    << getStringById(name).c_str();
		}
	}
	EXPECT_GE(named, 32) << "the build cards and the feature buttons";
	EXPECT_NE(templates->findTemplate(internStringId("MoneyStar")), nullptr) << "feature income shows a star";
}

// A joy with two features: the first button takes the feature's look and shows its recharge fill once
// started; the second, not bought yet, is locked with its lock picture.
TEST_F(GamePlayPanels, FeatureButtonsStartTheFeatureAndShowItsFill)
{
	SmartPointer<GBuildingType> aquaPark =
	    application->buildingsConfiguration->findBuilding(internStringId("AquaPark"));
	ASSERT_NE(aquaPark, nullptr);
	ASSERT_EQ(aquaPark->getFeatures().size(), 2u);
	level->buyBuilding(place);
	place->setLevelRecord(aquaPark.get(), false);
	click(place);
	ASSERT_EQ(page(), 5);
	BaseNode* joys = play->findChild(internStringId("JoyButtonsNode"), 5);
	ASSERT_NE(joys, nullptr);
	EXPECT_TRUE(joys->isVisible());
	auto* first = nodeCast<ControlNode>(joys->findChild(internStringId("ActiveFeature1Button"), 1));
	auto* second = nodeCast<ControlNode>(joys->findChild(internStringId("ActiveFeature2Button"), 1));
	ASSERT_TRUE(first && second);
	EXPECT_EQ(first->getTemplateName(), internStringId("Game_AquaParkWaterShowButton"));
	ASSERT_NE(first->getTemplateRoot(), nullptr);
	ASSERT_GE(first->getTemplateRoot()->getChildren().size(), 2u);
	EXPECT_TRUE(first->isEnabled());
	EXPECT_GT(first->getPosition().Y, 600.0f) << "the buttons stay in the panel's row";

	ASSERT_FALSE(place->isFeatureAllowed(1));
	EXPECT_EQ(second->getTemplateName(), internStringId("Game_U"));
	EXPECT_FALSE(second->isEnabled());
	auto* lock = nodeCast<SpriteNode>(second->findChild(internStringId("AddImage"), 1));
	ASSERT_NE(lock, nullptr);
	EXPECT_TRUE(lock->isVisible());
	ASSERT_NE(lock->getAtlasTexture(), nullptr);
	EXPECT_STREQ(lock->getAtlasTexture()->getContentRef().getName().c_str(),
	             "scenes/images/GameMenu/Buttons/AquaParkFeature2ButtonLock.png");

	BaseNode* fill = first->getTemplateRoot()->getChildren()[1];
	EXPECT_FALSE(fill->isVisible());
	EXPECT_TRUE(press("Tab6", "ActiveFeature1Button"));
	EXPECT_EQ(place->getFeatureState(0), 1);
	for (int i = 0; i < 100; ++i)
		step();
	EXPECT_FALSE(first->isEnabled()) << "a running feature cannot be started again";
	EXPECT_TRUE(fill->isVisible());
	EXPECT_GT(fill->getBounds().Y, 80.0f) << "the fill shows the time left, nearly all of it";
	EXPECT_NEAR(fill->getPosition().Y + fill->getBounds().Y, 101.0f, 0.5f) << "it stands on the bottom";
}

// A feature's payment raises the money star over the building that paid, and the money follows.
TEST_F(GamePlayPanels, FeatureIncomeRaisesTheMoneyStarOverItsBuilding)
{
	BaseNode* star = play->getMoneyStar();
	ASSERT_NE(star, nullptr) << "the screen has no money star";
	ASSERT_FALSE(star->getChildren().empty());
	BaseNode* picture = star->getChildren()[0];
	EXPECT_FALSE(picture->isVisible()) << "no star before a payment";
	const float money = level->money;
	SmartPointer<GEventFeatureIncome> income(new GEventFeatureIncome(place, 250.0f));
	level->onEvent(income.get());
	play->onEvent(income.get());
	EXPECT_FLOAT_EQ(level->money, money + 250.0f);
	EXPECT_TRUE(picture->isVisible());
	const irr::core::vector3df at = place->getAbsoluteTransformation().getTranslation();
	EXPECT_NEAR(star->getPosition().X + star->getBounds().X / 2, at.X + place->getBounds().X / 2, 1.0f);
	EXPECT_LT(star->getPosition().Y, at.Y) << "the star rises above the building";
	for (int i = 0; i < 150; ++i)
		step();
	EXPECT_FALSE(picture->isVisible()) << "the star is gone once it has risen";
}
