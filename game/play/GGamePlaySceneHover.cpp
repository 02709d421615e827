// The play screen's hover feedback: cost tooltips, page hints, a building's info and the serve-area highlight.
#include "GGamePlayScene.h"
#include "app/NodeLookup.h"
#include "app/SceneText.h"
#include "content/CDictionary.h"
#include "core/TextUtils.h"
#include "data/GBuildingFeature.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GResourceOffer.h"
#include "device/IDevice.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"
#include "nodes/ListNode.h"
#include "nodes/TextNode.h"
#include "scene/ControlNode.h"
#include "scene/NodeEvents.h"

#include <algorithm>
#include <cmath>

namespace
{
using nodelookup::child;
using nodelookup::setText;
using nodelookup::textChild;
using scenetext::dictionary;
using scenetext::format;
using scenetext::thousands;

constexpr float TooltipY = 632.0f;
const irr::video::SColor Enough(0xFFFFFFFF);
const irr::video::SColor Short(0xFFFF8888);

void hide(BaseNode* node)
{
	if (node)
		node->setVisible(false);
}

irr::core::stringw times()
{
	return irr::core::stringw(L"x ");
}

// The level sells nothing: the Sell button's hint says so instead of offering the sale.
bool saleClosed(const GGameLevelScene* level, const GBuildingNode* building)
{
	return level && building && level->checkSale(building) == CommandRefusal::SaleClosed;
}

bool named(const BaseNode* node, const char* name)
{
	return node && node->getName() == internStringId(name);
}

bool enabledControl(const BaseNode* node)
{
	const auto* control = nodeCast<ControlNode>(node);
	return control && control->isEnabled();
}

// The hint of a restorable sight's serve button: its restoration while run down, else (the pyramid only) its show.
// Null leaves the text as it is.
const wchar_t* customServeHint(int type, bool runDown, bool enabled)
{
	struct Hints
	{
		int type;
		bool runDown;
		const wchar_t* can;
		const wchar_t* cannot;
	};
	static const Hints hints[] = {
	    {BuildingKind::FishingCenter, true, L"%Hint_BuildingTabRestoreFishingCenter%",
	     L"%Hint_BuildingTabCantRestoreFishingCenter%"},
	    {BuildingKind::ObservationTower, true, L"%Hint_BuildingTabObservationBuild%",
	     L"%Hint_BuildingTabObservationCantBuild%"},
	    {BuildingKind::Pyramid, true, L"%Hint_BuildingTabPyramidClean%", L"%Hint_BuildingTabCantPyramidClean%"},
	    {BuildingKind::Pyramid, false, L"%Hint_BuildingTabPyramidShow%", L"%Hint_BuildingTabCantPyramidShow%"},
	    {BuildingKind::Station, true, L"%Hint_BuildingTabStationBuild%", L"%Hint_BuildingTabStationCantBuild%"},
	    {BuildingKind::Headquarters, true, L"%Hint_BuildingTabHQBuild%", L"%Hint_BuildingTabHQCantBuild%"},
	};
	for (const Hints& entry : hints)
		if (entry.type == type && entry.runDown == runDown)
			return enabled ? entry.can : entry.cannot;
	return nullptr;
}

irr::core::stringw upperName(const GBuildingType* record)
{
	CDictionary* texts = dictionary();
	irr::core::stringw name = texts ? texts->getText(record->getDisplayName()) : irr::core::stringw();
	name.make_upper();
	return name;
}
} // namespace

// ---- tooltips

void GGamePlayScene::showMaterialsWorkersTooltip(const irr::core::vector3df& at, const irr::core::stringw& title,
                                                 int materials, int workers, int money)
{
	BaseNode* tooltip = child(gameMenu, "MaterialsWorkersTooltipNode");
	if (!tooltip || !dictionary() || !levelScene)
		return;
	tooltipTitle = title;
	tooltipMaterials = materials;
	tooltipWorkers = workers;
	tooltipMoney = money;
	// Wider than a card, the tooltip keeps to the screen at the right edge.
	const BaseNode* panel = child(tooltip, "Panel");
	const float width = panel ? panel->getBounds().X : 0.0f;
	tooltip->setPosition(irr::core::vector3df(std::min(at.X, 1024.0f - width), at.Y, at.Z));
	tooltip->setVisible(true);
	if (TextNode* cost = textChild(tooltip, "MoneyText"))
	{
		cost->setVisible(money > 0);
		setText(cost, format("MoneyDollar", thousands(money)),
		        levelScene->money >= static_cast<float>(money) ? Enough : Short);
	}
	setText(textChild(tooltip, "MaterialsText"), times() + irr::core::stringw(materials),
	        levelScene->materials >= static_cast<float>(materials) ? Enough : Short);
	setText(textChild(tooltip, "WorkersText"), times() + irr::core::stringw(workers),
	        levelScene->freeWorkers >= workers ? Enough : Short);
	setText(textChild(tooltip, "NameText"), title);
}

void GGamePlayScene::showWorkersTooltip(const irr::core::vector3df& at, const irr::core::stringw& title, int workers)
{
	BaseNode* tooltip = child(gameMenu, "WorkersInfoNode");
	if (!tooltip || !dictionary() || !levelScene)
		return;
	tooltipTitle = title;
	tooltipWorkers = workers;
	tooltip->setPosition(at);
	tooltip->setVisible(true);
	setText(textChild(tooltip, "WorkersText"), times() + irr::core::stringw(workers),
	        levelScene->freeWorkers >= workers ? Enough : Short);
	setText(textChild(tooltip, "NameText"), title);
}

void GGamePlayScene::showMoneyTooltip(const irr::core::vector3df& at, const irr::core::stringw& title, bool compare,
                                      int amount)
{
	BaseNode* tooltip = child(gameMenu, "MoneyInfoNode");
	if (!tooltip || !dictionary() || !levelScene)
		return;
	tooltipTitle = title;
	tooltipWorkers = compare ? 1 : 0;
	tooltipMoney = amount;
	tooltip->setPosition(at);
	tooltip->setVisible(true);
	const bool enough = !compare || levelScene->money >= static_cast<float>(amount);
	// No "x" before an amount of money: it counts no icon, and the build cards' tooltip shows money bare too.
	setText(textChild(tooltip, "MoneyText"), format("MoneyDollar", thousands(amount)), enough ? Enough : Short);
	setText(textChild(tooltip, "NameText"), title);
}

void GGamePlayScene::showFeatureTooltip(const irr::core::vector3df& at, const irr::core::stringw& title)
{
	BaseNode* tooltip = child(gameMenu, "FeatureInfoNode");
	if (!tooltip)
		return;
	tooltip->setPosition(at);
	tooltip->setVisible(true);
	setText(textChild(tooltip, "NameText"), title);
}

void GGamePlayScene::hideTooltips()
{
	for (const char* name : {"MoneyInfoNode", "MaterialsWorkersTooltipNode", "WorkersInfoNode", "FeatureInfoNode"})
		hide(child(gameMenu, name));
}

void GGamePlayScene::reshowTooltip()
{
	BaseNode* tooltip = nullptr;
	if ((tooltip = child(gameMenu, "MaterialsWorkersTooltipNode")) && tooltip->isVisible())
		showMaterialsWorkersTooltip(tooltip->getPosition(), tooltipTitle, tooltipMaterials, tooltipWorkers,
		                            tooltipMoney);
	else if ((tooltip = child(gameMenu, "WorkersInfoNode")) && tooltip->isVisible())
		showWorkersTooltip(tooltip->getPosition(), tooltipTitle, tooltipWorkers);
	else if ((tooltip = child(gameMenu, "MoneyInfoNode")) && tooltip->isVisible())
		showMoneyTooltip(tooltip->getPosition(), tooltipTitle, tooltipWorkers != 0, tooltipMoney);
}

// ---- a hovered building

void GGamePlayScene::showBuildingInfoNode(const GBuildingType* record, GBuildingNode* building)
{
	if (!record || !building || !levelScene || !dictionary())
		return;
	const bool hotel = record->getType() == BuildingKind::Hotel;
	const bool counts = (hotel && record->getLevel() > 0) || (!hotel && record->getServeIncome() > 0.0f);
	BaseNode* info = child(gameMenu, building->isOwned() ? "IncomeGuestsInfoNode" : "GuestsInfoNode");
	if (!info || !counts)
		return;
	const irr::core::vector3df& at = building->getPosition();
	info->setPosition(irr::core::vector3df(std::clamp(at.X, 38.0f, 846.0f), at.Y, 100.0f));
	info->setVisible(true);
	setText(textChild(info, "NameText"), upperName(record));
	irr::core::stringw income;
	irr::core::stringw guests;
	if (record->getLevel() > 0)
	{
		if (building->isOwned())
			income = format("MoneyDollar", building->getIncomeText(record));
		const int count =
		    !hotel ? building->countServedGuests(record) : record->getGuestsCount(levelScene->getModifierValues());
		guests = format("GuestsSign", irr::core::stringw(count));
	}
	// No "x" before them: the node shows no icons to count, and a city's building has no income to show.
	setText(textChild(info, "IncomeText"), income);
	setText(textChild(info, "GuestsText"), guests);
}

void GGamePlayScene::highlightHovered(const GBuildingType* record, GBuildingNode* building)
{
	if (!levelScene)
		return;
	for (const SmartPointer<GBuildingNode>& each : levelScene->getBuildings())
		each->tintSprites(irr::video::SColor(0xFF000000));
	if (building)
		building->updateServeArea(record);
	GBuildingNode* selected = levelScene->getSelectedBuilding();
	if (selected && selected != building)
		selected->updateServeArea(selected->getRecord());
	if (building)
		building->tintSprites(irr::video::SColor(0xFF202020));
}

void GGamePlayScene::clearHovered()
{
	hide(child(gameMenu, "IncomeGuestsInfoNode"));
	hide(child(gameMenu, "GuestsInfoNode"));
	if (hoveredBuilding)
		hoveredBuilding->showBuildPreview(nullptr);
	hoveredBuilding = nullptr;
	hoveredRecord = nullptr;
	highlightHovered(nullptr, nullptr);
}

// ---- page hints

void GGamePlayScene::showBuildTabHint(int kind, BaseNode* page, const GBuildingType* record,
                                      const GBuildingNode* building)
{
	CDictionary* texts = dictionary();
	if (!page || !texts)
		return;
	TextNode* hint = textChild(page, "HintText");
	TextNode* label = textChild(page, "Label");
	TextNode* labelText = textChild(page, "LabelText");
	BaseNode* info = child(page, "BuildingInfoNode");
	if (labelText)
		labelText->setVisible(true);
	hide(info);
	if (!hint || !label || !labelText || !info)
		return;
	if (!building)
	{
		static const wchar_t* const hints[3] = {L"%Hint_BuildTab_Hotels%", L"%Hint_BuildTab_Factories%",
		                                        L"%Hint_BuildTab_Joys%"};
		hint->setText(hints[std::clamp(kind, 0, 2)]);
		if (kind == PlayTab::Joys)
		{
			label->setText(L"%Hint_BuildTabJoys%");
			labelText->setText(L"%Hint_BuildTabJoysTip%");
		}
		return;
	}
	if (!record)
	{
		hint->setText(L"%Hint_BuildTabBack%");
		return;
	}
	hint->setText(format("Hint_BuildTabBuild", texts->getText(record->getDisplayName())));
	if (kind == PlayTab::Joys)
	{
		const bool bonus = record->getServeAreaIncomeBonus(0, 0) > 0.0f;
		label->setText(bonus ? L"%Hint_BuildTabJoys2%" : L"%Hint_BuildTabJoys1%");
		labelText->setText(bonus ? L"%Hint_BuildTabJoys2Tip%" : L"%Hint_BuildTabJoys1Tip%");
	}
	labelText->setVisible(false);
	fillBuildingInfo(info, record, building, false);
}

void GGamePlayScene::resetBuildTabHints(const GBuildingNode* building)
{
	for (int kind : {PlayTab::Hotels, PlayTab::Joys, PlayTab::Factories})
		showBuildTabHint(kind, tabs[kind], nullptr, building);
}

void GGamePlayScene::showPlaceHint(const BaseNode* hovered)
{
	TextNode* hint = textChild(tabs[PlayTab::Place], "HintText");
	if (!hint)
		return;
	const auto* control = nodeCast<ControlNode>(hovered);
	if (!hovered)
		hint->setText(L"%Hint_BuildingPlace%");
	else if (named(hovered, "SellButton") &&
	         saleClosed(levelScene.get(), levelScene ? levelScene->getSelectedBuilding() : nullptr))
		hint->setText(L"%Hint_SaleClosed%");
	else if (named(hovered, "SellButton"))
		hint->setText(control && control->getTemplateName() == internStringId("Game_UnSellButton")
		                  ? L"%Hint_BuildingPlaceUnSellButton%"
		                  : L"%Hint_BuildingPlaceSellButton%");
	else if (named(hovered, "HotelsButton"))
		hint->setText(L"%Hint_BuildingPlaceHotels%");
	else if (named(hovered, "JoysButton"))
		hint->setText(L"%Hint_BuildingPlaceJoys%");
	else if (named(hovered, "FactoriesButton"))
		hint->setText(L"%Hint_BuildingPlaceFactories%");
}

void GGamePlayScene::showBuyHint(const BaseNode* hovered)
{
	TextNode* hint = textChild(tabs[PlayTab::Buy], "HintText");
	if (!hint)
		return;
	const GBuildingNode* selected = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	if (!hovered)
		hint->setText(L"%Hint_BuyTab%");
	else if (named(hovered, "BuyButton") && selected)
	{
		if (!selected->isForSale() &&
		    (!configuration || levelScene->getModifierValues()->buyNotForSaleBuildingPriceBonus < 1.0f))
			hint->setText(L"%Hint_CantBuyNotForSaleButton%");
		else
			hint->setText(levelScene->buyCost(selected).money <= levelScene->money ? L"%Hint_BuyButton%"
			                                                                       : L"%Hint_CantBuyButton%");
	}
}

void GGamePlayScene::showOfferHint(const BaseNode* hovered)
{
	TextNode* hint = textChild(tabs[PlayTab::Offer], "HintText");
	if (!hint)
		return;
	if (!hovered)
		hint->setText(L"%Hint_BuyRequestTab%");
	else if (named(hovered, "AcceptSellOfferButton"))
		hint->setText(L"%Hint_BuyRequestAcceptButton%");
	else if (named(hovered, "DeclineSellOfferButton"))
		hint->setText(L"%Hint_BuyRequestDeclineButton%");
}

void GGamePlayScene::showBuildingHint(const BaseNode* hovered)
{
	TextNode* hint = textChild(tabs[PlayTab::Actions], "HintText");
	tooltipFeature = -1;
	if (!hint || !dictionary())
		return;
	GBuildingNode* selected = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	const GBuildingType* record = selected ? selected->getRecord() : nullptr;
	const int work = selected ? selected->getWorkKind() : GBuildingNode::NoWork;
	if (selected && work != GBuildingNode::NoWork && work != GBuildingNode::ServingWork)
	{
		hint->setText(getWorkTexts(selected).hint);
		return;
	}
	const bool enabled = enabledControl(hovered);
	const int condition = selected ? selected->getCondition() : GBuildingNode::Normal;
	const wchar_t* text = nullptr;
	if (!hovered)
	{
		if (record && record->getType() >= BuildingKind::FirstService && selected->isWorking() &&
		    record->getFeatureCount() == 0)
			hint->setText(irr::core::stringw());
		else
			text = L"%Hint_BuildingTab%";
	}
	else if (named(hovered, "SellButton") && saleClosed(levelScene.get(), selected))
		text = L"%Hint_SaleClosed%";
	else if (named(hovered, "SellButton"))
		text = nodeCast<ControlNode>(hovered)->getTemplateName() == internStringId("Game_UnSellButton")
		           ? L"%Hint_BuildingUnSellButton%"
		           : L"%Hint_BuildingSellButton%";
	else if (named(hovered, "UpgradeButton"))
	{
		const bool next = levelScene->nextLevelRecord(record).get() != nullptr;
		text = !next     ? L"%Hint_BuildingTabNoUpgrade%"
		       : enabled ? L"%Hint_BuildingTabUpgrade%"
		                 : L"%Hint_BuildingTabCantUpgrade%";
	}
	else if (named(hovered, "RepairButton"))
		text = condition != GBuildingNode::Broken ? L"%Hint_BuildingTabNoRepare%"
		       : enabled                          ? L"%Hint_BuildingTabRepare%"
		                                          : L"%Hint_BuildingTabCantRepare%";
	else if (named(hovered, "CleanButton"))
		text = condition != GBuildingNode::Dirty ? L"%Hint_BuildingTabNoClean%"
		       : enabled                         ? L"%Hint_BuildingTabClean%"
		                                         : L"%Hint_BuildingTabCantClean%";
	else if (named(hovered, "DestroyButton"))
		text = enabled ? L"%Hint_BuildingTabDestroy%" : L"%Hint_BuildingTabCantDestroy%";
	else if (named(hovered, "CustomServeButton") && record)
		text = customServeHint(record->getType(), condition == GBuildingNode::RunDown, enabled);
	else if ((named(hovered, "ActiveFeature1Button") || named(hovered, "ActiveFeature2Button")) && selected && record)
	{
		const int index = named(hovered, "ActiveFeature1Button") ? 0 : 1;
		const GBuildingFeature* feature = record->getFeature(index);
		if (!selected->isFeatureAllowed(index))
			text = L"%Hint_BuildingTabFeatureUnavailable%";
		else if (selected->getFeatureState(index) == 2)
			text = L"%Hint_BuildingTabFeatureRecharging%";
		else if (selected->getFeatureState(index) == 1)
			text = L"%Hint_BuildingTabFeatureActive%";
		else if (feature)
			hint->setText(feature->getButtonInfoText());
		tooltipFeature = index;
	}
	if (text)
		hint->setText(text);
	if (selected && record)
		fillBuildingInfo(child(tabs[PlayTab::Actions], "BuildingInfoNode"), record, selected, true);
}

// ---- hover events

bool GGamePlayScene::onNodeHovered(CEventNodeHovered* event)
{
	if (GBaseSceneNode::onNodeHovered(event))
		return true;
	hide(child(gameMenu, "IncomeGuestsInfoNode"));
	hide(child(gameMenu, "GuestsInfoNode"));
	BaseNode* node = event->subject ? event->subject : event->sender;
	if (!node)
		return false;
	GBuildingNode* selected = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	const GBuildingType* record = selected ? selected->getRecord() : nullptr;
	const irr::core::vector3df at(node->getPosition().X, TooltipY, 0.0f);
	// Each cost shown is the one the button's command takes.
	const auto showCost = [&](const wchar_t* title, const CommandCost& cost)
	{
		showMaterialsWorkersTooltip(at, title, static_cast<int>(cost.materials), cost.workers,
		                            static_cast<int>(cost.money));
	};
	if (named(node, "UpgradeButton"))
	{
		showBuildingHint(node);
		SmartPointer<GBuildingType> next =
		    levelScene ? levelScene->nextLevelRecord(record) : SmartPointer<GBuildingType>();
		if (next)
			showCost(L"%Hint_UpgradeBuildingTitle%", levelScene->buildCost(next.get()));
		return true;
	}
	if (named(node, "RepairButton") || named(node, "CleanButton") || named(node, "DestroyButton"))
	{
		showBuildingHint(node);
		if (!record)
			return true;
		if (named(node, "RepairButton"))
			showCost(L"%Hint_RepairBuildingTitle%", levelScene->repairCost(record));
		else if (named(node, "CleanButton"))
			showCost(L"%Hint_CleanBuildingTitle%", levelScene->cleanCost(record));
		else
			showWorkersTooltip(at, L"%Hint_DestroyBuildingTitle%", levelScene->destroyCost(record).workers);
		return true;
	}
	if (named(node, "BuyButton"))
	{
		if (record)
			showMoneyTooltip(at, L"%Hint_BuyBuildingTitle%", true,
			                 static_cast<int>(std::floor(levelScene->buyCost(selected).money + 0.5f)));
		showBuyHint(node);
		return true;
	}
	if (named(node, "AcceptSellOfferButton") || named(node, "DeclineSellOfferButton"))
	{
		showOfferHint(node);
		return true;
	}
	if (named(node, "SellButton"))
	{
		if (record)
			showMoneyTooltip(at, L"%Hint_SaleBuildingTitle%", false,
			                 static_cast<int>(std::floor(selected->getPrice() + 0.5f)));
		showPlaceHint(node);
		showBuildingHint(node);
		return true;
	}
	if (named(node, "ActiveFeature1Button") || named(node, "ActiveFeature2Button"))
	{
		showBuildingHint(node);
		const int index = named(node, "ActiveFeature1Button") ? 0 : 1;
		const GBuildingFeature* feature = record ? record->getFeature(index) : nullptr;
		if (feature && !feature->getName().empty() && (index == 0 || selected->isFeatureAllowed(1)))
			showFeatureTooltip(at, feature->getName());
		return true;
	}
	if (named(node, "CustomServeButton"))
	{
		showBuildingHint(node);
		if (!record)
			return true;
		// The button restores a run-down building and otherwise starts its first feature.
		if (selected->getCondition() != GBuildingNode::RunDown)
		{
			if (record->getFeature(0))
				showMoneyTooltip(at, L"%Hint_ActivateFeatureTitle%", true,
				                 static_cast<int>(levelScene->featureCost(selected, 0).money));
			return true;
		}
		const int type = record->getType();
		const bool rebuilt = type == BuildingKind::ObservationTower || type == BuildingKind::Station ||
		                     type == BuildingKind::Headquarters;
		const wchar_t* title = type == BuildingKind::FishingCenter ? L"%Hint_BuildingTabRestore%"
		                       : rebuilt                           ? L"%Hint_BuildingTabBuild%"
		                       : type == BuildingKind::Pyramid     ? L"%Hint_BuildingTabExcavate%"
		                                                           : L"";
		showCost(title, levelScene->restoreCost(record));
		return true;
	}
	if (named(node, "BackToBuildButton"))
	{
		resetBuildTabHints(selected);
		return true;
	}
	if (named(node, "HotelsButton") || named(node, "JoysButton") || named(node, "FactoriesButton"))
	{
		showPlaceHint(node);
		return true;
	}
	if (named(node, "SkipTutorialButton"))
		return true;
	if (auto* building = nodeCast<GBuildingNode>(node))
	{
		hoveredBuilding = building;
		hoveredRecord = building->getRecord();
		showBuildingInfoNode(hoveredRecord, building);
		highlightHovered(hoveredRecord, building);
	}
	return false;
}

bool GGamePlayScene::onNodeUnhovered(CEventNodeUnhovered* event)
{
	if (GBaseSceneNode::onNodeUnhovered(event))
		return true;
	hideTooltips();
	BaseNode* node = event->subject ? event->subject : event->sender;
	if (!node)
		return false;
	if (node == buildLists[0] || node == buildLists[1] || node == buildLists[2])
	{
		clearHovered();
		resetBuildTabHints(nullptr);
		return true;
	}
	if (named(node, "BuyMaterialsList"))
	{
		showMaterialsHint(nullptr, false);
		return true;
	}
	if (named(node, "TrainWorkersList"))
	{
		showWorkersHint(nullptr, false);
		return true;
	}
	if (named(node, "SellButton"))
	{
		showPlaceHint(nullptr);
		showBuildingHint(nullptr);
		return true;
	}
	if (named(node, "BuyButton"))
	{
		showBuyHint(nullptr);
		return true;
	}
	if (named(node, "AcceptSellOfferButton") || named(node, "DeclineSellOfferButton"))
	{
		showOfferHint(nullptr);
		return true;
	}
	for (const char* name : {"UpgradeButton", "RepairButton", "CleanButton", "DestroyButton", "CustomServeButton",
	                         "ActiveFeature1Button", "ActiveFeature2Button"})
		if (named(node, name))
		{
			showBuildingHint(nullptr);
			return true;
		}
	if (named(node, "BackToBuildButton"))
	{
		resetBuildTabHints(nullptr);
		return true;
	}
	if (named(node, "HotelsButton") || named(node, "JoysButton") || named(node, "FactoriesButton"))
	{
		showPlaceHint(nullptr);
		return true;
	}
	if (auto* building = nodeCast<GBuildingNode>(node))
	{
		hide(child(gameMenu, "IncomeGuestsInfoNode"));
		hide(child(gameMenu, "GuestsInfoNode"));
		hoveredBuilding = nullptr;
		hoveredRecord = nullptr;
		highlightHovered(nullptr, nullptr);
		if (!levelScene || building != levelScene->getSelectedBuilding())
			building->updateServeArea(nullptr);
		return true;
	}
	return false;
}

bool GGamePlayScene::onNodeUnfocused(CEventNodeUnfocused* event)
{
	if (GBaseSceneNode::onNodeUnfocused(event))
		return true;
	BaseNode* node = event->subject ? event->subject : event->sender;
	if (auto* building = nodeCast<GBuildingNode>(node))
	{
		building->updateServeArea(nullptr);
		return true;
	}
	return false;
}

bool GGamePlayScene::onListItemHovered(CEventNodeListItemHovered* event)
{
	if (GBaseSceneNode::onListItemHovered(event))
		return true;
	auto* list = nodeCast<ListNode>(event->list);
	if (!list || !levelScene)
		return false;
	const bool validItem = event->item >= 0 && static_cast<unsigned>(event->item) < list->getItemCount();
	const unsigned item = validItem ? static_cast<unsigned>(event->item) : 0;
	ReferenceCounted* object = validItem ? list->getItemObject(item) : nullptr;
	if (named(list, "BuyMaterialsList") || named(list, "TrainWorkersList"))
	{
		const bool materials = named(list, "BuyMaterialsList");
		if ((materials ? levelScene->materialOrderLeft : levelScene->workerOrderLeft) >= 0.0f)
			return true;
		const auto* offer = dynamic_cast<const GResourceOffer*>(object);
		const bool enabled = validItem && list->isItemEnabled(item);
		if (materials)
			showMaterialsHint(offer, enabled);
		else
			showWorkersHint(offer, enabled);
		return true;
	}
	int kind = -1;
	for (int k = 0; k < 3; ++k)
		if (list == buildLists[k])
			kind = k;
	if (kind < 0)
		return false;
	GBuildingNode* selected = levelScene->getSelectedBuilding();
	if (!selected)
		return true;
	const auto* record = dynamic_cast<const GBuildingType*>(object);
	if (!record)
	{
		clearHovered();
		resetBuildTabHints(nullptr);
		return true;
	}
	if (selected->getRecord() && selected->getRecord()->getLevel() != 0)
		return true;
	hoveredBuilding = selected;
	hoveredRecord = record;
	const int slot = list->slotOfItem(event->item);
	const float x = list->getPosition().X + list->getElementPosition(slot).X;
	const CommandCost cost = levelScene->buildCost(record);
	showMaterialsWorkersTooltip(irr::core::vector3df(x, TooltipY, 0.0f), upperName(record),
	                            static_cast<int>(std::floor(cost.materials + 0.5f)), cost.workers,
	                            static_cast<int>(cost.money));
	highlightHovered(record, selected);
	selected->showBuildPreview(record);
	showBuildTabHint(kind, tabs[kind], record, selected);
	return true;
}
