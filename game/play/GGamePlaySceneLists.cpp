// The play screen's build lists (one entry per building line of a group) and purchase lists.
#include "GGamePlayScene.h"
#include "app/GGameApplication.h"
#include "app/NodeLookup.h"
#include "app/SceneText.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/ContentType.h"
#include "core/TextUtils.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GResourceOffer.h"
#include "data/GUpgradeEffects.h"
#include "device/IDevice.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"
#include "nodes/BaseProgressBarNode.h"
#include "nodes/ListNode.h"
#include "nodes/TextNode.h"
#include "scene/ControlNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"

#include <cmath>

namespace
{
using nodelookup::child;
using nodelookup::control;
using scenetext::dictionary;
using scenetext::format;
using scenetext::thousands;

// One group of building lines: its lines, first to last, and their lock pictures.
struct BuildGroup
{
	std::vector<const char*> lines;
	std::vector<const char*> locks;
};

// By kind index: hotels, factories, joys.
const BuildGroup& buildGroup(int kind)
{
	static const BuildGroup groups[3] = {
	    {{"Camping1", "Hostel1", "GuestHouse1", "BusinessHotel1", "HotelN51", "HotelN61"},
	     {"CampingButtonLock", "HostelButtonLock", "GuestHouseButtonLock", "BusinessHotelButtonLock",
	      "HotelN5ButtonLock", "HotelN6ButtonLock"}},
	    {{"TruckStation", "REAgency", "PRAgency"},
	     {"TruckStationButtonLock", "REAgencyButtonLock", "PRAgencyButtonLock"}},
	    {{"Cafe", "CityMall", "AquaPark", "Statue", "Garden", "Memorial"},
	     {"CafeButtonLock", "CityMallButtonLock", "AquaParkButtonLock", "StatueButtonLock", "GardenButtonLock",
	      "MemorialButtonLock"}},
	};
	return groups[kind];
}

bool isList(const BaseNode* node, const char* name)
{
	return node && node->getName() == internStringId(name);
}
} // namespace

// The materials page or the workers page, with what tells them apart.
struct GGamePlayScene::OrderPage
{
	BaseNode* page;
	const char* listName;
	bool materials;
};

void GGamePlayScene::setupBuildTabs()
{
	const GUpgradeEffects* upgrades = levelScene ? levelScene->getUpgradeEffects() : nullptr;
	if (!upgrades || !levelScene->getLevelConfiguration() || !tabs[PlayTab::Place])
		return;
	const char* buttons[3] = {"HotelsButton", "FactoriesButton", "JoysButton"};
	for (int kind = 0; kind < 3; ++kind)
		if (ControlNode* button = control(tabs[PlayTab::Place], buttons[kind]))
			button->setEnabled(upgrades->isBuildingAllowed(internStringId(buildGroup(kind).lines[0])));
}

void GGamePlayScene::fillBuildList(int kind)
{
	ListNode* list = kind >= 0 && kind < 3 ? buildLists[kind] : nullptr;
	const GUpgradeEffects* upgrades = levelScene ? levelScene->getUpgradeEffects() : nullptr;
	const GBuildingsConfiguration* buildings =
	    gGameApplication ? gGameApplication->buildingsConfiguration.get() : nullptr;
	if (!list || !tabs[kind] || !upgrades || !buildings || !levelScene->getLevelConfiguration())
		return;
	const BuildGroup& group = buildGroup(kind);
	list->setItemCount(static_cast<unsigned>(group.lines.size()));
	CContentManager* content = gGameApplication->contentManager;
	for (unsigned i = 0; i < group.lines.size(); ++i)
	{
		const StringId line = internStringId(group.lines[i]);
		SmartPointer<GBuildingType> record = buildings->findBuilding(line);
		if (!record)
			continue;
		if (upgrades->isBuildingAllowed(line))
		{
			list->setItemTemplate(i, record->getButtonTemplate());
			list->setItemObject(i, record.get());
			list->setItemEnabled(i, true);
			continue;
		}
		const irr::core::stringc lock = irr::core::stringc("scenes/images/GameMenu/Buttons/") + group.locks[i] + ".png";
		SmartPointer<ContentObject> picture(content ? content->getContent(ContentTypeAtlasTexture, lock, false)
		                                            : nullptr);
		list->setItemImage(i, 0, dynamic_cast<AtlasTexture*>(picture.get()));
		list->setItemTemplate(i, StringId());
		list->setItemObject(i, nullptr);
		list->setItemEnabled(i, false);
	}
	list->refreshElements();
	showBuildingHint(nullptr);
	showPlaceHint(nullptr);
}

void GGamePlayScene::fillOffers(const OrderPage& page)
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	BaseNode* buttons = child(page.page, "ButtonsNode");
	ListNode* list = nodeCast<ListNode>(child(buttons, page.listName));
	if (!configuration || !child(page.page, "ProgressNode") || !list || !dictionary())
		return;
	const auto& offers = page.materials ? configuration->getMaterialOffers() : configuration->getWorkerOffers();
	list->setItemCount(offers.size());
	const char* prefix = page.materials ? "Game_MaterialsButton" : "Game_WorkersButton";
	for (unsigned i = 0; i < offers.size(); ++i)
	{
		list->setItemObject(i, offers[i].get());
		list->setItemTemplate(i, internStringId((prefix + std::to_string(std::min(i + 1, 5u))).c_str()));
	}
	list->refreshElements();
	showOrderHint(page, nullptr, false);
}

void GGamePlayScene::fillMaterialsOffers()
{
	fillOffers({tabs[PlayTab::Materials], "BuyMaterialsList", true});
}

void GGamePlayScene::fillWorkersOffers()
{
	fillOffers({tabs[PlayTab::Workers], "TrainWorkersList", false});
}

void GGamePlayScene::refreshOrder(const OrderPage& page)
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	BaseNode* progress = child(page.page, "ProgressNode");
	BaseNode* buttons = child(page.page, "ButtonsNode");
	if (!configuration || !progress || !buttons)
		return;
	const GGameLevelScene& level = *levelScene;
	const float left = page.materials ? level.materialOrderLeft : level.workerOrderLeft;
	const float total = page.materials ? level.materialOrderTime : level.workerOrderTime;
	const bool busy = left >= 0.0f;
	// The order's hint took the page's place while it ran; once it has arrived the page's own hint is back.
	if (!busy && progress->isVisible())
		showOrderHint(page, nullptr, false);
	progress->setVisible(busy);
	if (busy)
	{
		if (auto* bar = nodeCast<BaseProgressBarNode>(child(progress, "ProgressBar")))
		{
			bar->setMaxValue(total);
			bar->setValue(total - left);
		}
		irr::core::stringw text;
		if (page.materials)
			text = format("InProgress_PBMaterials",
			              thousands(static_cast<int>(std::floor(level.materialOrderAmount + 0.5f))));
		else
			text = format(level.workerOrderCount == 1 ? "InProgress_PBWorker" : "InProgress_PBWorkers",
			              thousands(level.workerOrderCount));
		if (auto* label = nodeCast<TextNode>(child(progress, "Text")))
			label->setText(text);
		if (auto* hint = nodeCast<TextNode>(child(page.page, "HintText")))
			hint->setText(page.materials ? L"%InProgress_MaterialsHint%" : L"%InProgress_WorkersHint%");
	}
	ListNode* list = nodeCast<ListNode>(child(buttons, page.listName));
	if (!list)
		return;
	const GLevelModifierValues& values = *levelScene->getModifierValues();
	const float factor = page.materials ? values.materialPriceM : values.workerPriceM;
	for (unsigned i = 0; i < list->getItemCount(); ++i)
	{
		const auto* offer = dynamic_cast<const GResourceOffer*>(list->getItemObject(i));
		if (!offer)
			continue;
		const float price = offer->getPrice() * factor;
		list->setItemEnabled(i, !busy && level.money >= price);
		const int amount = static_cast<int>(offer->getAmount());
		list->setItemText(i, 0, page.materials ? thousands(amount) : irr::core::stringw(amount));
		list->setItemText(i, 1, scenetext::money(static_cast<int>(price)));
	}
	list->refreshElements();
}

void GGamePlayScene::refreshMaterialsOrder()
{
	refreshOrder({tabs[PlayTab::Materials], "BuyMaterialsList", true});
}

void GGamePlayScene::refreshWorkersOrder()
{
	refreshOrder({tabs[PlayTab::Workers], "TrainWorkersList", false});
}

void GGamePlayScene::showOrderHint(const OrderPage& page, const GResourceOffer* offer, bool enabled)
{
	auto* hint = nodeCast<TextNode>(child(page.page, "HintText"));
	CDictionary* texts = dictionary();
	if (!hint || !texts)
		return;
	if (!offer)
	{
		hint->setText(texts->getText(page.materials ? "Hint_MaterialsTab" : "Hint_WorkersTab"));
		return;
	}
	const int amount = static_cast<int>(offer->getAmount());
	const irr::core::stringw amountText = page.materials ? thousands(amount) : irr::core::stringw(amount);
	if (!enabled)
	{
		hint->setText(format(page.materials ? "Hint_MaterialsCantBuy" : "Hint_WorkersCantBuy", amountText));
		return;
	}
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	float factor = 1.0f;
	if (configuration)
		factor = page.materials ? levelScene->getModifierValues()->materialPriceM
		                        : levelScene->getModifierValues()->workerPriceM;
	hint->setText(format(page.materials ? "Hint_MaterialsBuy" : "Hint_WorkersBuy", amountText,
	                     thousands(static_cast<int>(offer->getPrice() * factor))));
}

void GGamePlayScene::showMaterialsHint(const GResourceOffer* offer, bool enabled)
{
	showOrderHint({tabs[PlayTab::Materials], "BuyMaterialsList", true}, offer, enabled);
}

void GGamePlayScene::showWorkersHint(const GResourceOffer* offer, bool enabled)
{
	showOrderHint({tabs[PlayTab::Workers], "TrainWorkersList", false}, offer, enabled);
}

void GGamePlayScene::refreshBuildList(int kind)
{
	ListNode* list = kind >= 0 && kind < 3 ? buildLists[kind] : nullptr;
	if (!list || !levelScene || !levelScene->getLevelConfiguration())
		return;
	for (unsigned i = 0; i < list->getItemCount(); ++i)
	{
		const auto* record = dynamic_cast<const GBuildingType*>(list->getItemObject(i));
		if (!record)
			continue;
		// A unique building (Type 1) stands once on a level, even while it is being demolished.
		list->setItemEnabled(i, levelScene->canBuild(record) &&
		                            (record->getType() != BuildingKind::Business ||
		                             levelScene->countBuildingsOfType(record->getName()) == 0));
	}
	list->refreshElements();
}

bool GGamePlayScene::onListItemPressed(CEventNodeListItemClicked* event)
{
	if (GBaseSceneNode::onListItemPressed(event))
		return true;
	auto* list = nodeCast<ListNode>(event->list);
	if (!list || !levelScene)
		return false;
	const bool validItem = event->item >= 0 && static_cast<unsigned>(event->item) < list->getItemCount();
	ReferenceCounted* object = validItem ? list->getItemObject(static_cast<unsigned>(event->item)) : nullptr;
	if (list == buildLists[0] || list == buildLists[1] || list == buildLists[2])
	{
		const auto* record = dynamic_cast<const GBuildingType*>(object);
		GBuildingNode* selected = levelScene->getSelectedBuilding();
		if (record && selected && levelScene->buildOnPlace(selected, record))
		{
			hideTooltips();
			if (tabControl)
				tabControl->setActiveTab(PlayTab::Actions, false);
			refreshActionPanel();
		}
		return true;
	}
	if (isList(list, "BuyMaterialsList"))
	{
		if (const auto* offer = dynamic_cast<const GResourceOffer*>(object))
			levelScene->buyMaterials(offer);
		return true;
	}
	if (isList(list, "TrainWorkersList"))
	{
		if (const auto* offer = dynamic_cast<const GResourceOffer*>(object))
			levelScene->trainWorkers(offer);
		return true;
	}
	return false;
}
