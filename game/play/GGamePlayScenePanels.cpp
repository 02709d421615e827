// The play screen's dock pages that follow the selected building, and the buttons that command it.
#include "GGamePlayScene.h"
#include "app/GGameApplication.h"
#include "app/NodeLookup.h"
#include "app/SceneText.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/CFont.h"
#include "content/ContentType.h"
#include "core/TextUtils.h"
#include "data/GBuildingFeature.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GEventSelectionChanged.h"
#include "data/GLevelConfiguration.h"
#include "device/IDevice.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"
#include "nodes/BaseProgressBarNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/ControlNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"

#include <algorithm>
#include <cmath>

namespace
{
using nodelookup::child;
using nodelookup::control;
using nodelookup::setText;
using nodelookup::textChild;
using scenetext::dictionary;
using scenetext::money;

void show(BaseNode* node, bool visible)
{
	if (node)
		node->setVisible(visible);
}

// Visible and enabled as given; a missing button is skipped.
void setButton(ControlNode* button, bool visible, bool enabled)
{
	if (!button)
		return;
	button->setVisible(visible);
	button->setEnabled(enabled);
}

// Applies a template only when it changes: applying it again would rebuild the look each frame and
// lose its hover state and running fill.
void setTemplate(ControlNode* button, StringId name)
{
	if (button && button->getTemplateName() != name)
		button->setTemplateName(name);
}

void setTemplate(ControlNode* button, const char* name)
{
	setTemplate(button, internStringId(name));
}

bool accepted(CommandRefusal refusal)
{
	return refusal == CommandRefusal::None;
}

// Puts the description's text just below what stands above it: the statistics when they show text, else the
// name. The text keeps its place inside the description node, so the node moves.
void placeDescription(BaseNode* description, const TextNode* text, const TextNode* stats, const TextNode* name)
{
	constexpr float Gap = 4.0f;
	float top = 0.0f;
	if (stats && stats->isVisible() && !stats->getText().empty())
		top = stats->getPosition().Y + stats->getTextHeight() + Gap;
	else if (name)
		top = name->getPosition().Y + name->getTextHeight() + Gap;
	else
		return;
	irr::core::vector3df at = description->getPosition();
	at.Y = top - text->getPosition().Y;
	description->setPosition(at);
	description->updateAbsoluteTransform();
}

// Whether every line of the text, as laid out, is no wider than its box.
bool fitsItsWidth(const TextNode& text)
{
	const CFont* font = text.getFont();
	for (irr::u32 line = 0; font && line < text.getLineCount(); ++line)
		if (font->measureText(text.getLine(line), text.getKerning()).X * text.getFontScale() > text.getBounds().X)
			return false;
	return text.getTextHeight() <= text.getBounds().Y + 2.0f;
}

// The building's title on one line when it fits, else name and price on two; the font is made smaller,
// step by step, down to the smallest size that still reads, rather than running past the panel.
void setBuildingTitle(TextNode* name, const irr::core::stringw& title, const irr::core::stringw& price)
{
	constexpr float largest = 18.0f, smallest = 12.0f;
	for (const wchar_t* separator : {L": ", L":\n"})
	{
		for (float size = largest; size >= smallest; size -= 1.0f)
		{
			name->setFontSize(size);
			name->setText(title + separator + price);
			if (fitsItsWidth(*name))
				return;
		}
	}
}
} // namespace

bool GGamePlayScene::onSelectionChanged(GEvent* event)
{
	auto* change = dynamic_cast<GEventSelectionChanged*>(event);
	auto* selected = change ? nodeCast<GBuildingNode>(change->selected) : nullptr;
	auto* previous = change ? nodeCast<GBuildingNode>(change->previous) : nullptr;
	if (previous)
		previous->stopWorkSound();
	if (selected && selected != previous)
		selected->startWorkSound();
	if (tabControl)
	{
		const GBuildingType* record = selected ? selected->getRecord() : nullptr;
		if (!record)
			tabControl->setActiveTab(PlayTab::Overview, false);
		else if (!selected->isOwned())
		{
			tabControl->setActiveTab(PlayTab::Buy, false);
			refreshBuyPanel();
			showBuyHint(nullptr);
		}
		else if (selected->isForSale() && selected->isBuyerPending())
		{
			tabControl->setActiveTab(PlayTab::Offer, false);
			refreshOfferPanel();
			showOfferHint(nullptr);
		}
		else if (record->getLevel() == 0 && selected->getWorkKind() == GBuildingNode::NoWork)
		{
			tabControl->setActiveTab(PlayTab::Place, false);
			refreshPlacePanel();
			showPlaceHint(nullptr);
		}
		else
		{
			tabControl->setActiveTab(PlayTab::Actions, false);
			refreshActionPanel();
			showBuildingHint(nullptr);
		}
	}
	highlightHovered(hoveredRecord, hoveredBuilding);
	return true;
}

void GGamePlayScene::refreshPanels()
{
	for (int kind = 0; kind < 3; ++kind)
		refreshBuildList(kind);
	refreshMaterialsOrder();
	refreshWorkersOrder();
	refreshActionPanel();
	refreshBuyPanel();
	refreshOfferPanel();
	refreshStats();
}

GGamePlayScene::WorkTexts GGamePlayScene::getWorkTexts(const GBuildingNode* building) const
{
	const GBuildingType* record = building->getRecord();
	const int type = record ? record->getType() : BuildingKind::Hotel;
	const char* key = nullptr;
	switch (building->getWorkKind())
	{
	case GBuildingNode::BuildWork:
		key = record && record->getLevel() > 1 ? "InProgress_Upgrade" : "InProgress_Building";
		break;
	case GBuildingNode::DemolitionWork:
		key = "InProgress_Destroy";
		break;
	case GBuildingNode::WorkerJob:
		key = type == BuildingKind::FishingCenter ? "FishingCenterInProgress"
		      : type == BuildingKind::ObservationTower || type == BuildingKind::Station ||
		              type == BuildingKind::Headquarters
		          ? "InProgress_Building"
		      : type == BuildingKind::Pyramid ? "PyramidInProgress"
		                                      : "InProgress_Repare";
		break;
	case GBuildingNode::FeatureWork:
		key = type == BuildingKind::Pyramid ? "PyramidConfInProgress" : "InProgress_Feature";
		break;
	default:
		return {};
	}
	CDictionary* texts = dictionary();
	if (!texts)
		return {};
	return {texts->getText(key), texts->getText(irr::core::stringc(key) + "Hint")};
}

void GGamePlayScene::refreshActionPanel()
{
	BaseNode* page = tabs[PlayTab::Actions];
	BaseNode* progress = child(page, "ProgressNode");
	GBuildingNode* building = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	const GBuildingType* record = building ? building->getRecord() : nullptr;
	if (!levelScene || !levelScene->getLevelConfiguration() || !progress || !record)
		return;
	BaseNode* hotelButtons = child(page, "HotelButtonsNode");
	BaseNode* joyButtons = child(page, "JoyButtonsNode");
	BaseNode* serviceButtons = child(page, "CustomServiceButtonsNode");
	const bool workShown = progress->isVisible();
	for (BaseNode* node : {hotelButtons, joyButtons, serviceButtons, progress})
		show(node, false);
	const int work = building->getWorkKind();
	// The work's hint took the page's place while it ran; once it is done the page's own hint is back.
	if (workShown && (work == GBuildingNode::NoWork || work == GBuildingNode::ServingWork))
		showBuildingHint(nullptr);
	if (work != GBuildingNode::NoWork && work != GBuildingNode::ServingWork)
	{
		show(child(progress, "AbortButton"), accepted(levelScene->checkAbort(building)));
		if (auto* bar = nodeCast<BaseProgressBarNode>(child(progress, "ProgressBar")))
		{
			bar->setMaxValue(1.0f);
			bar->setValue(building->getWorkProgress());
		}
		const WorkTexts texts = getWorkTexts(building);
		setText(textChild(progress, "Text"), texts.progress);
		setText(textChild(progress, "HintText"), texts.hint);
		setText(textChild(page, "HintText"), irr::core::stringw());
		show(progress, true);
		fillBuildingInfo(child(page, "BuildingInfoNode"), record, building, true);
		return;
	}
	if (record->getType() == BuildingKind::Hotel)
	{
		const int condition = building->getCondition();
		if (condition == GBuildingNode::Normal || condition == GBuildingNode::Broken)
		{
			setupHotelButtons(building, hotelButtons);
			show(hotelButtons, true);
			fillBuildingInfo(child(page, "BuildingInfoNode"), record, building, true);
			return;
		}
		if (condition == GBuildingNode::CateringRequest)
			setTemplate(control(serviceButtons, "CustomServeButton"), "Game_CafeOrderButton");
		show(serviceButtons, true);
		fillBuildingInfo(child(page, "BuildingInfoNode"), record, building, true);
		return;
	}
	if (record->getType() < BuildingKind::FirstService)
	{
		setupJoyButtons(building, joyButtons);
		show(joyButtons, true);
		fillBuildingInfo(child(page, "BuildingInfoNode"), record, building, true);
		return;
	}
	setupServiceButton(building, serviceButtons);
	show(serviceButtons, true);
	fillBuildingInfo(child(page, "BuildingInfoNode"), record, building, true);
}

void GGamePlayScene::setupHotelButtons(GBuildingNode* building, BaseNode* node)
{
	const GBuildingType* record = building->getRecord();
	const bool built = record->getLevel() >= 1;
	const bool normal = building->getCondition() == GBuildingNode::Normal;
	setButton(control(node, "UpgradeButton"), built,
	          !building->isForSale() && normal && accepted(levelScene->checkUpgrade(building)));
	setButton(control(node, "DestroyButton"), built, accepted(levelScene->checkDestroy(building)));
	ControlNode* sell = control(node, "SellButton");
	setTemplate(sell, building->isForSale() ? "Game_UnSellButton" : "Game_SellButton");
	setButton(sell, true, accepted(levelScene->checkSale(building)));
	if (ControlNode* repair = control(node, "RepairButton"))
		repair->setEnabled(accepted(levelScene->checkRepair(building)));
	setButton(control(node, "CustomAction1Button"), false, false);
}

void GGamePlayScene::setupJoyButtons(GBuildingNode* building, BaseNode* node)
{
	const GBuildingType* record = building->getRecord();
	setButton(control(node, "DestroyButton"), record->getLevel() >= 1, accepted(levelScene->checkDestroy(building)));
	setButton(control(node, "SellButton"), false, false);
	const bool featureRunning = building->getFeatureState(0) == 1 || building->getFeatureState(1) == 1;
	ControlNode* first = control(node, "ActiveFeature1Button");
	ControlNode* second = control(node, "ActiveFeature2Button");
	for (int index = 0; index < 2; ++index)
	{
		ControlNode* button = index == 0 ? first : second;
		if (!button)
			continue;
		if (record->getFeatureCount() <= index)
		{
			setButton(button, false, false);
			continue;
		}
		const bool allowed = building->isFeatureAllowed(index);
		if (allowed)
			setTemplate(button, record->getFeatures()[static_cast<size_t>(index)].getButtonName());
		else if (index == 1)
			setTemplate(button, "Game_U");
		setButton(button, true, allowed && !featureRunning && building->getFeatureState(index) == 0);
		if (allowed)
			showFeatureProgress(button,
			                    building->getFeatureState(index) != 0 ? building->getFeatureProgress(index) : -1.0f);
		if (index == 1)
			showFeatureLock(nodeCast<SpriteNode>(child(button, "AddImage")), allowed ? nullptr : record);
	}
	// The buttons keep the panel's row (the scene's y); only their columns follow how many there are.
	if (first && first->isVisible())
	{
		const bool both = second && second->isVisible();
		first->setPosition(irr::core::vector3df(both ? 564.0f : 625.0f, first->getPosition().Y, 0.0f));
		if (both)
			second->setPosition(irr::core::vector3df(685.0f, second->getPosition().Y, 0.0f));
	}
	const bool dirty = building->getCondition() == GBuildingNode::Dirty;
	setButton(control(node, "CleanButton"), record->getServeAreaIncomeBonus(0, 0) > 0.0f,
	          dirty && accepted(levelScene->checkClean(building)));
}

int GGamePlayScene::featureOverlayTop(float fraction)
{
	if (!(fraction >= 0.0f))
		return 101;
	return static_cast<int>(std::floor((1.0f - std::min(fraction, 1.0f)) * 91.0f)) + 5;
}

void GGamePlayScene::showFeatureProgress(ControlNode* button, float fraction)
{
	ControlNode* root = button ? button->getTemplateRoot() : nullptr;
	if (!root || root->getChildren().size() < 2)
		return;
	auto* face = nodeCast<SpriteNode>(root->getChildren()[0]);
	auto* overlay = nodeCast<SpriteNode>(root->getChildren()[1]);
	if (!face || !overlay)
		return;
	const int top = featureOverlayTop(fraction);
	face->setBounds(irr::core::vector3df(119.0f, static_cast<float>(top), 0.0f));
	if (fraction < 0.0f)
	{
		overlay->setVisible(false);
	}
	else
	{
		overlay->setVisible(true);
		overlay->setPosition(irr::core::vector3df(0.0f, static_cast<float>(top), 0.01f));
		overlay->setBounds(irr::core::vector3df(119.0f, static_cast<float>(101 - top), 0.0f));
		overlay->setImagePivotPoint(irr::core::vector2df(0.0f, static_cast<float>(top)));
		overlay->setImageStretchY(SpriteNode::StretchCrop);
	}
	face->setImageStretchY(SpriteNode::StretchCrop);
}

void GGamePlayScene::showFeatureLock(SpriteNode* lock, const GBuildingType* record)
{
	if (!lock)
		return;
	CContentManager* content = gGameApplication ? gGameApplication->contentManager : nullptr;
	SmartPointer<ContentObject> picture;
	if (record && content)
		picture = content->getContent(ContentTypeAtlasTexture,
		                              irr::core::stringc("scenes/images/GameMenu/Buttons/") +
		                                  record->getDisplayName() + "Feature2ButtonLock.png",
		                              false);
	lock->setAtlasTexture(dynamic_cast<AtlasTexture*>(picture.get()));
	lock->setVisible(picture.get() != nullptr);
}

void GGamePlayScene::setupServiceButton(GBuildingNode* building, BaseNode* node)
{
	ControlNode* serve = control(node, "CustomServeButton");
	if (!serve)
		return;
	const GBuildingType* record = building->getRecord();
	if (building->getCondition() == GBuildingNode::RunDown)
	{
		setTemplate(serve, "Game_RestoreButton");
		setButton(serve, true, accepted(levelScene->checkRestore(building)));
		return;
	}
	if (record->getFeatureCount() == 0 || !building->isFeatureAllowed(0))
	{
		setButton(serve, false, false);
		return;
	}
	setTemplate(serve, record->getFeatures()[0].getButtonName());
	setButton(serve, true, accepted(levelScene->checkFeature(building, 0)));
}

void GGamePlayScene::refreshBuyPanel()
{
	BaseNode* page = tabs[PlayTab::Buy];
	GBuildingNode* building = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	if (!page || !building || !levelScene->getLevelConfiguration())
		return;
	if (ControlNode* buy = control(page, "BuyButton"))
		buy->setEnabled(levelScene->canBuy(building));
	setText(textChild(page, "PriceText"), money(static_cast<int>(std::floor(building->getPrice() + 0.5f))));
	fillBuildingInfo(child(page, "BuildingInfoNode"), building->getRecord(), building, true);
}

void GGamePlayScene::refreshOfferPanel()
{
	BaseNode* page = tabs[PlayTab::Offer];
	GBuildingNode* building = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	if (!page || !building)
		return;
	setText(textChild(page, "OfferPriceText"), money(building->getOfferPrice()));
	fillBuildingInfo(child(page, "BuildingInfoNode"), building->getRecord(), building, true);
}

void GGamePlayScene::refreshPlacePanel()
{
	BaseNode* page = tabs[PlayTab::Place];
	GBuildingNode* building = levelScene ? levelScene->getSelectedBuilding() : nullptr;
	if (!page || !building || !building->getRecord() || !levelScene->getLevelConfiguration())
		return;
	ControlNode* sell = control(page, "SellButton");
	setTemplate(sell, building->isForSale() ? "Game_UnSellButton" : "Game_SellButton");
	if (sell)
		sell->setEnabled(accepted(levelScene->checkSale(building)));
	fillBuildingInfo(child(page, "BuildingInfoNode"), building->getRecord(), building, true);
}

// ---- the buttons that command the selected building

bool GGamePlayScene::onBuildingCommand(StringId name, GBuildingNode* selected)
{
	if (!levelScene)
		return false;
	if (name == internStringId("DestroyButton"))
	{
		if (levelScene->destroyBuilding(selected))
			hideTooltips();
	}
	else if (name == internStringId("UpgradeButton") || name == internStringId("RepairButton") ||
	         name == internStringId("CleanButton"))
	{
		const bool done = name == internStringId("UpgradeButton")  ? levelScene->upgradeBuilding(selected)
		                  : name == internStringId("RepairButton") ? levelScene->repairBuilding(selected)
		                                                           : levelScene->cleanBuilding(selected);
		if (done)
			hideTooltips();
	}
	else if (name == internStringId("AbortButton"))
	{
		if (!levelScene->abortWork(selected))
			return true;
		hoveredBuilding = nullptr;
		hoveredRecord = nullptr;
		highlightHovered(nullptr, nullptr);
		GEventSelectionChanged again(selected, selected);
		onSelectionChanged(&again);
	}
	else if (name == internStringId("SellButton"))
	{
		if (levelScene->toggleSale(selected))
		{
			// The sell button turns into the keep button and back.
			refreshPlacePanel();
			refreshActionPanel();
		}
	}
	else if (name == internStringId("BuyButton"))
	{
		if (selected && levelScene->canBuy(selected) && levelScene->buyBuilding(selected))
		{
			hideTooltips();
			GEventSelectionChanged again(selected, selected);
			onSelectionChanged(&again);
		}
	}
	else if (name == internStringId("AcceptSellOfferButton") || name == internStringId("DeclineSellOfferButton"))
	{
		// These report the click as not taken, so the tutorial sees it too.
		if (!selected || !selected->isOwned())
			return false;
		const bool accept = name == internStringId("AcceptSellOfferButton");
		if (accept && !levelScene->acceptBuyOffer(selected))
			return false;
		if (!accept)
			selected->declineBuyRequest();
		GEventSelectionChanged again(selected, selected);
		onSelectionChanged(&again);
		if (accept)
			checkMoneyAchievements();
		return false;
	}
	else if (name == internStringId("ActiveFeature1Button") || name == internStringId("ActiveFeature2Button") ||
	         name == internStringId("ActiveFeature3Button"))
	{
		const int index = name == internStringId("ActiveFeature1Button")   ? 0
		                  : name == internStringId("ActiveFeature2Button") ? 1
		                                                                   : 2;
		levelScene->activateFeature(selected, index);
		refreshActionPanel();
	}
	else if (name == internStringId("CustomServeButton"))
	{
		const GBuildingType* record = selected ? selected->getRecord() : nullptr;
		if (record && record->getType() >= BuildingKind::FirstService)
		{
			const bool done = selected->getCondition() == GBuildingNode::RunDown
			                      ? levelScene->restoreBuilding(selected)
			                      : levelScene->activateFeature(selected, 0);
			if (done)
				hideTooltips();
		}
		else
			levelScene->serveRequest(selected);
	}
	else
		return false;
	return true;
}

// ---- the building information block

void GGamePlayScene::fillBuildingInfo(BaseNode* info, const GBuildingType* record, const GBuildingNode* building,
                                      bool longText)
{
	CDictionary* texts = dictionary();
	if (!info || !record || !building || !texts || !levelScene)
		return;
	info->setVisible(true);
	TextNode* stats = textChild(info, "StatsText");
	BaseNode* description = child(info, "DescriptionNode");
	for (BaseNode* part :
	     {static_cast<BaseNode*>(stats), child(info, "AfterUpgradeNode"), child(info, "BrokenNode"), description})
		show(part, false);

	TextNode* name = textChild(info, "NameText");
	irr::core::stringw title = texts->getText(record->getDisplayName());
	title.make_upper();
	// Another record than the building's own is one to build or upgrade to: its price is what that costs.
	const float amount = record != building->getRecord() ? record->getCost() : building->getPrice(record);
	const irr::core::stringw price = money(static_cast<int>(std::floor(amount + 0.5f)));
	if (name)
		setBuildingTitle(name, title, price);
	showPreview(child(info, "Preview"), record);
	if (record->getLevel() <= 0)
		return;

	const auto guestsSign = [&](int count) { return texts->format("GuestsSign", formatThousands(count, L',')); };
	irr::core::stringw lines;
	const int income = static_cast<int>(std::floor(building->getIncome(record) + 0.5f));
	const int featureIncome = static_cast<int>(std::floor(building->getFeatureIncome() + 0.5f));
	if (income != 0 || featureIncome != 0)
	{
		irr::core::stringw amount = formatThousands(income, L',');
		if (featureIncome > 0)
			amount += irr::core::stringw(L" + ") + money(featureIncome);
		lines += texts->format("GamePlay_Income", amount) + L"\n";
	}
	const int plainGuests = record->getGuestsCount(nullptr);
	if (plainGuests > 0)
	{
		const int guests = record->getGuestsCount(levelScene->getModifierValues());
		irr::core::stringw amount = guestsSign(plainGuests);
		if (guests != plainGuests)
			amount += irr::core::stringw(L" + ") + guestsSign(guests - plainGuests);
		lines += texts->format("GamePlay_Guests", amount) + L"\n";
	}
	if (record->getServeIncome() > 0.0f && stats)
	{
		// While a serve-area boost runs, the guests it reaches beyond the normal area show as "+ n".
		const int plainServed = building->countServedGuests(record, true);
		const int served = building->countServedGuests(record);
		irr::core::stringw amount = guestsSign(plainServed);
		if (served != plainServed)
			amount += irr::core::stringw(L" + ") + guestsSign(served - plainServed);
		lines += texts->format("GamePlay_ServedGuests", amount) + L"\n";
	}
	if (stats && !lines.empty())
	{
		// Without the last line's break: an empty line after it would push the description onto the line
		// of what an upgrade brings.
		lines.erase(lines.size() - 1);
		stats->setText(lines);
		stats->setVisible(true);
	}

	TextNode* descriptionText = textChild(description, "Text");
	if (descriptionText && !record->getDescription().empty())
	{
		const GBuildingFeature* feature = tooltipFeature >= 0 ? record->getFeature(tooltipFeature) : nullptr;
		descriptionText->setText(feature    ? feature->getInfoText()
		                         : longText ? record->getFullDescription()
		                                    : record->getDescription());
		description->setVisible(true);
		placeDescription(description, descriptionText, stats, name);
	}

	if (!building->isOwned())
		return;
	if (!building->isWorking())
	{
		show(child(info, "BrokenNode"), building->getCondition() == GBuildingNode::Broken);
		return;
	}
	const GBuildingsConfiguration* buildings = levelScene->getBuildingsConfiguration();
	SmartPointer<GBuildingType> next = record->getType() == BuildingKind::Hotel && buildings
	                                       ? buildings->findBuilding(record->getNextLevelName())
	                                       : SmartPointer<GBuildingType>();
	BaseNode* after = child(info, "AfterUpgradeNode");
	if (!next || !after)
		return;
	setText(textChild(after, "IncomeNode"),
	        texts->format("GamePlay_Income",
	                      formatThousands(static_cast<int>(std::floor(building->getIncome(next.get()) + 0.5f)), L',')));
	setText(textChild(after, "GuestsNode"),
	        texts->format("GamePlay_Guests", irr::core::stringw(next->getGuestsCount(levelScene->getModifierValues()))));
	after->setVisible(true);
}

void GGamePlayScene::showPreview(BaseNode* preview, const GBuildingType* record)
{
	auto* picture = nodeCast<SpriteNode>(preview);
	CContentManager* content = gGameApplication ? gGameApplication->contentManager : nullptr;
	if (!picture || !content)
		return;
	const GLevelConfiguration* configuration = levelScene->getLevelConfiguration();
	const bool snow = configuration && configuration->getSettingIndex() == LevelSetting::Snow;
	const irr::core::stringc path = irr::core::stringc("scenes/images/GameMenu/Icons/") +
	                                getStringById(record->getName()).c_str() + (snow ? "_snow" : "") + ".png";
	SmartPointer<ContentObject> frame(content->getContent(ContentTypeAtlasTexture, path, false));
	picture->setAtlasTexture(dynamic_cast<AtlasTexture*>(frame.get()));
	// A hotel shows its level in stars: filled up to the one below its level, the rest empty.
	const bool stars = record->getType() == BuildingKind::Hotel && record->getLevel() >= 1;
	SmartPointer<ContentObject> filled(
	    stars ? content->getContent(ContentTypeAtlasTexture, "levels/common/Stars/FilledStar.png", false) : nullptr);
	SmartPointer<ContentObject> empty(
	    stars ? content->getContent(ContentTypeAtlasTexture, "levels/common/Stars/EmptyStar.png", false) : nullptr);
	int n = 1;
	for (irr::u32 i = 0; i < picture->getChildren().size(); ++i)
	{
		auto* star = nodeCast<SpriteNode>(picture->getChildren()[i]);
		if (!star)
			continue;
		ContentObject* shown = stars ? (n < record->getLevel() ? filled.get() : empty.get()) : nullptr;
		star->setAtlasTexture(dynamic_cast<AtlasTexture*>(shown));
		++n;
	}
}
