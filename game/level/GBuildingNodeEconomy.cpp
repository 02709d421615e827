// GBuildingNode: income, serve areas, features and sale (its state and display are in GBuildingNode.cpp).
#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "app/GBaseSceneNode.h"
#include "app/SceneText.h"
#include "core/PropertyText.h"
#include "core/Random.h"
#include "core/TextUtils.h"
#include "data/GBuildingType.h"
#include "data/GEventBuildingReady.h"
#include "data/GEventFeatureEnded.h"
#include "data/GEventFeatureIncome.h"
#include "data/GLevelConfiguration.h"
#include "data/GUpgradeEffects.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"

#include <algorithm>
#include <cmath>

using namespace irr;

namespace
{
constexpr float Epsilon = 0.000001f;
const video::SColor BlueTint(255, 0, 0, 48);
const video::SColor GreenTint(255, 0, 48, 0);

StringId id(const char* name)
{
	return internStringId(name);
}

bool isZeroArea(const core::vector2df& area)
{
	return area.X == 0.0f && area.Y == 0.0f;
}

bool contains(const core::array<StringId>& names, StringId name)
{
	for (u32 i = 0; i < names.size(); ++i)
		if (names[i] == name)
			return true;
	return false;
}

void playState(BaseNode* node, const char* state)
{
	if (node)
		node->setState(id(state), nullptr, StringId());
}

BaseNode* directChild(const BaseNode* node, const char* name)
{
	return node ? node->findChild(id(name), -2) : nullptr;
}
// The level's modifier values; none for a building outside a configured level.
const GLevelModifierValues* modifiersOf(const GGameLevelScene* level)
{
	return level ? level->getModifierValues() : nullptr;
}

// The same values, or those with no modifier in force.
const GLevelModifierValues& modifiersOrNone(const GGameLevelScene* level)
{
	static const GLevelModifierValues none;
	const GLevelModifierValues* values = modifiersOf(level);
	return values ? *values : none;
}
} // namespace

const std::vector<SmartPointer<GBuildingNode>>* GBuildingNode::levelBuildings() const
{
	return levelScene ? &levelScene->getBuildings() : nullptr;
}

// ---- serve rectangles and servers

LevelRect GBuildingNode::getServeRect(const GBuildingType* forRecord, bool plainArea) const
{
	if (!forRecord)
		return LevelRect{};
	core::vector2df size = forRecord->getServeArea();
	for (size_t i = 0; i < featureStates.size() && !plainArea; ++i)
	{
		const GBuildingFeature* feature = record->getFeature(static_cast<int>(i));
		if (featureStates[i].state == GFeatureState::Active && feature && feature->hasEffect(id("BoostServeArea")))
			size = forRecord->getBoostedServeArea();
	}
	return rectAround(Position.X + 70.0f, Position.Y + 28.0f, size.X, size.Y);
}

LevelRect GBuildingNode::getSelfServingRect() const
{
	if (const BaseNode* area = directChild(this, "SelfServingRect"))
	{
		const core::vector3df& at = area->getPosition();
		const core::vector3df& size = area->getBounds();
		return LevelRect{toPixel(Position.X + at.X), toPixel(Position.Y + at.Y), toPixel(Position.X + at.X + size.X),
		                 toPixel(Position.Y + at.Y + size.Y)};
	}
	return LevelRect{toPixel(Position.X), toPixel(Position.Y), toPixel(Position.X + Bounds.X),
	                 toPixel(Position.Y + Bounds.Y)};
}

std::vector<GBuildingNode*> GBuildingNode::collectServeArea(const GBuildingType* forRecord, bool plainArea) const
{
	std::vector<GBuildingNode*> served;
	const auto* buildings = levelBuildings();
	if (!forRecord || !buildings || isZeroArea(forRecord->getServeArea()))
		return served;
	const LevelRect area = getServeRect(forRecord, plainArea);
	for (const SmartPointer<GBuildingNode>& building : *buildings)
		if (building.get() != this && rectsOverlap(building->getSelfServingRect(), area))
			served.push_back(building.get());
	return served;
}

GBuildingNode* GBuildingNode::getServerFor(StringId buildingType) const
{
	auto found = servers.find(buildingType);
	return found == servers.end() ? nullptr : found->second;
}

void GBuildingNode::setServerFor(StringId buildingType, GBuildingNode* server)
{
	if (server)
		servers[buildingType] = server;
	else
		servers.erase(buildingType);
}

void GBuildingNode::registerAsServer()
{
	// A building the player does not own earns nothing from the guests it would serve, and must not
	// keep them from the player's own building of its type.
	if (!owned || isZeroArea(record->getServeArea()) || record->getServeIncome() < 1.0f)
		return;
	for (GBuildingNode* building : collectServeArea(record.get()))
		if (!building->getServerFor(record->getName()))
			building->setServerFor(record->getName(), this);
}

void GBuildingNode::unregisterAsServer()
{
	const auto* buildings = levelBuildings();
	if (!buildings)
		return;
	for (const SmartPointer<GBuildingNode>& building : *buildings)
		for (auto it = building->servers.begin(); it != building->servers.end();)
			it = it->second == this ? building->servers.erase(it) : std::next(it);
}

// ---- income

int GBuildingNode::countServedGuests(const GBuildingType* forRecord, bool plainArea) const
{
	if (!forRecord || isZeroArea(forRecord->getServeArea()) || forRecord->getServeIncome() < 1.0f)
		return 0;
	int guests = 0;
	for (const GBuildingNode* building : collectServeArea(forRecord, plainArea))
	{
		const GBuildingNode* server = building->getServerFor(forRecord->getName());
		if (building->workKind == NoWork && building->condition == Normal && (!server || server == this))
			guests += building->record->getGuestsCount(modifiersOf(levelScene));
	}
	return guests;
}

const GBuildingType* GBuildingNode::incomeRecord(const GBuildingType* forRecord) const
{
	if (forRecord)
		return forRecord;
	if (workKind != NoWork && record->getType() == BuildingKind::Hotel)
		return previousRecord.get();
	return record.get();
}

float GBuildingNode::getIncome(const GBuildingType* forRecord) const
{
	const GBuildingType* used = incomeRecord(forRecord);
	if (!used || used->getLevel() <= 0)
		return 0.0f;
	return static_cast<float>(countServedGuests(used)) * used->getServeIncome() +
	       (1.0f + incomeBonus * 0.01f) * used->getIncome();
}

float GBuildingNode::getFeatureIncome() const
{
	float total = 0.0f;
	const int guests = countServedGuests(record.get());
	for (const GFeatureState& feature : featureStates)
		if (feature.state == GFeatureState::Active && feature.paying)
			total += std::floor(static_cast<float>(guests) * record->getServeBoostedIncome() + 0.5f);
	return total;
}

core::stringw GBuildingNode::getIncomeText(const GBuildingType* forRecord) const
{
	return formatThousands(truncateToInt(std::floor(getIncome(forRecord) + getFeatureIncome() + 0.5f)), L',');
}

void GBuildingNode::updateIncomeBonus()
{
	incomeBonus = 0.0f;
	bonusSources.clear();
	const LevelRect own = getSelfServingRect();
	if (const auto* buildings = levelBuildings())
	{
		for (const SmartPointer<GBuildingNode>& building : *buildings)
		{
			const GBuildingType* other = building->record.get();
			const float bonus = other->getServeAreaIncomeBonus(building->workKind, building->condition);
			if (isZeroArea(other->getServeArea()) || std::fabs(bonus) <= Epsilon ||
			    !rectsOverlap(building->getServeRect(other), own))
				continue;
			const bool typeCounted =
			    std::any_of(bonusSources.begin(), bonusSources.end(),
			                [other](GBuildingNode* b) { return b->record->getName() == other->getName(); });
			if (typeCounted)
				continue;
			incomeBonus += bonus;
			bonusSources.push_back(building.get());
		}
	}
	if (configuration)
	{
		const GLevelModifierValues& values = modifiersOrNone(levelScene);
		if (std::fabs(values.pyramidIncomeBonus) > Epsilon &&
		    contains(configuration->getPyramidIncomeBonusPlaces(), Name))
			incomeBonus += values.pyramidIncomeBonus;
		const float station1 = configuration->getStationIncomeBonus1() + values.stationIncomeBonus1;
		if (std::fabs(station1) > Epsilon &&
		    contains(configuration->getStationIncomeBonus1BuildingTypes(), record->getName()))
			incomeBonus += station1;
		const float station2 = configuration->getStationIncomeBonus2() + values.stationIncomeBonus2;
		if (std::fabs(station2) > Epsilon &&
		    contains(configuration->getStationIncomeBonus2BuildingTypes(), record->getName()))
			incomeBonus += station2;
		if (record->getType() != BuildingKind::Headquarters)
			incomeBonus += values.aquaParkIncomeBonus;
		incomeBonus += values.prIncomeBonus;
		if (luckiness == -1)
			incomeBonus += configuration->getIncomeBonus2();
		else if (luckiness == 1)
			incomeBonus += configuration->getIncomeBonus1();
	}
	updateBonusIcon();
}

void GBuildingNode::updateBonusIcon()
{
	if (!icons.smileIcon)
		return;
	const bool demolishingNonHotel =
	    workKind == DemolitionWork && previousRecord && previousRecord->getType() != BuildingKind::Hotel;
	if (std::fabs(incomeBonus) <= Epsilon || record->getType() != BuildingKind::Hotel || demolishingNonHotel)
	{
		icons.smileIcon->setVisible(false);
	}
	else
	{
		const BonusIcon icon = bonusIconFor(incomeBonus);
		icons.smileIcon->setVisible(true);
		if (TextNode* text = asTextNode(icons.smileIcon))
			text->setText(icon.text);
		if (!icons.smileIcon->getChildren().empty())
		{
			core::stringc picture("levels/common/Smiles/");
			picture += icon.picture;
			GBuildingIcons::showPicture(icons.smileIcon->getChildren()[0], picture.c_str());
		}
	}
	icons.arrangeSmileAndWorkers();
}

// ---- serve-area display

void GBuildingNode::updateServeArea(const GBuildingType* shown)
{
	if (!shown)
	{
		if (icons.serveArea)
			icons.serveArea->setVisible(false);
		return;
	}
	const int type = shown->getType();
	if (shown->getLevel() > 0 &&
	    (type == BuildingKind::Hotel || type == BuildingKind::ObservationTower || type == BuildingKind::Headquarters))
	{
		auto tintFor = [](const GBuildingNode* b)
		{ return b->record->getServeAreaIncomeBonus(NoWork, Normal) > 0.0f ? BlueTint : GreenTint; };
		for (const auto& entry : servers)
			if (!isZeroArea(entry.second->record->getServeArea()))
				entry.second->tintSprites(tintFor(entry.second));
		for (GBuildingNode* source : bonusSources)
			source->tintSprites(tintFor(source));
		return;
	}
	LevelRect area = getServeRect(shown);
	if (levelScene)
		area = clipRect(area, levelScene->getLevelRect());
	if (area.x2 - area.x1 <= 0 && area.y2 - area.y1 <= 0)
	{
		if (icons.serveArea)
			icons.serveArea->setVisible(false);
		return;
	}
	const std::vector<GBuildingNode*> served = collectServeArea(shown);
	for (const GBuildingNode* building : served)
	{
		const core::vector3df& at = building->getPosition();
		const core::vector3df& size = building->getBounds();
		area.x1 = std::min(area.x1, toPixel(at.X));
		area.y1 = std::min(area.y1, toPixel(at.Y));
		area.x2 = std::max(area.x2, toPixel(at.X + size.X));
		area.y2 = std::max(area.y2, toPixel(at.Y + size.Y));
	}
	const float width = std::floor(static_cast<float>(area.x2 - area.x1) / 40.0f + 0.5f) * 40.0f;
	const float height = (std::floor(static_cast<float>(area.y2 - area.y1) / 40.0f + 0.5f) + 1.0f) * 40.0f;
	const bool bonus = shown->getServeAreaIncomeBonus(NoWork, Normal) > 0.0f;
	if (icons.serveArea)
	{
		const float centreX = static_cast<float>(area.x1 + area.x2) * 0.5f;
		const float centreY = static_cast<float>(area.y1 + area.y2) * 0.5f;
		icons.serveArea->setBounds(core::vector3df(width, height, 0.0f));
		// The area node is the building's child: its place is relative to the building.
		icons.serveArea->setPosition(core::vector3df(centreX - width * 0.5f - Position.X,
		                                             centreY - height * 0.5f - Position.Y, -500.0f - Position.Z));
		icons.serveArea->setVisible(true);
		const StringId state = id(bonus ? "Blue" : "Green");
		const AnimatorSet* running = icons.serveArea->getRunningState();
		if (!running || running != icons.serveArea->findState(state))
			icons.serveArea->setState(state, nullptr, StringId());
	}
	for (GBuildingNode* building : served)
	{
		const GBuildingNode* server = building->getServerFor(shown->getName());
		const bool hasGuests =
		    building->record->getGuestsCount(modifiersOf(levelScene)) > 0 || building->record->getLevel() == 0;
		if (building->workKind == NoWork && building->condition == Normal && hasGuests && (!server || server == this))
			building->tintSprites(bonus ? BlueTint : GreenTint);
	}
}

void GBuildingNode::showBuildPreview(const GBuildingType* shown)
{
	if (shown)
	{
		if (record->getLevel() != 0 || TemplateName == shown->getName())
			return;
		setTemplateName(shown->getName());
		if (templateRoot)
			templateRoot->setTintColor(video::SColor(204, 255, 255, 255));
		if (shown->getType() == BuildingKind::Hotel)
			updateServeArea(shown);
		return;
	}
	if (TemplateName == record->getName())
		return;
	setTemplateName(record->getName());
	if (templateRoot)
		templateRoot->setTintColor(video::SColor(255, 255, 255, 255));
	if (isFocused())
		setChildrenState(nameIdFocus(), nullptr);
}

// ---- features

bool GBuildingNode::isFeatureAllowed(int index) const
{
	if (index < 0 || index >= record->getFeatureCount())
		return false;
	const GUpgradeEffects* effects = levelScene ? levelScene->getUpgradeEffects() : nullptr;
	return effects ? effects->isFeatureAllowed(record->getName(), index) : index == 0;
}

int GBuildingNode::getFeatureState(int index) const
{
	if (index < 0 || index >= static_cast<int>(featureStates.size()))
		return GFeatureState::Recharging;
	return featureStates[static_cast<size_t>(index)].state;
}

float GBuildingNode::getFeatureProgress(int index) const
{
	const GBuildingFeature* feature = record->getFeature(index);
	if (index < 0 || index >= static_cast<int>(featureStates.size()) || !feature)
		return 1.0f;
	const GFeatureState& state = featureStates[static_cast<size_t>(index)];
	if (state.state == GFeatureState::Active)
		return feature->getDurationTime() > 0
		           ? static_cast<float>(state.remaining) / static_cast<float>(feature->getDurationTime())
		           : 0.0f;
	if (state.state == GFeatureState::Recharging)
		return feature->getRechargeTime() > 0
		           ? 1.0f - static_cast<float>(state.remaining) / static_cast<float>(feature->getRechargeTime())
		           : 0.0f;
	return 1.0f;
}

void GBuildingNode::activateFeature(int index)
{
	const GBuildingFeature* feature = record->getFeature(index);
	if (!feature || index >= static_cast<int>(featureStates.size()) ||
	    featureStates[static_cast<size_t>(index)].state != GFeatureState::Idle)
		return;
	GFeatureState& state = featureStates[static_cast<size_t>(index)];
	state.state = GFeatureState::Active;
	state.remaining = feature->getDurationTime();
	state.paying = feature->hasEffect(id("BoostIncome"));
	state.paymentTimer = state.paying ? feature->getDurationTime() / 4 : 0;
	core::stringc name("Feature");
	name += core::stringc(index + 1);
	setChildrenState(id(name.c_str()), nullptr);
	playState(icons.featureIcon(index), "Active");
}

void GBuildingNode::updateFeatures(int dt)
{
	if (!isWorking())
		return;
	// Keeps the building alive should a message handler let go of the level.
	SmartPointer<GBuildingNode> keep(shareRef(this));
	for (size_t i = 0; i < featureStates.size(); ++i)
	{
		const int index = static_cast<int>(i);
		const GBuildingFeature* feature = record->getFeature(index);
		if (!feature || featureStates[i].state == GFeatureState::Idle)
			continue;
		const FeatureStepResult step =
		    stepFeature(featureStates[i], feature->getDurationTime(), feature->getRechargeTime(), dt);
		const float amount =
		    static_cast<float>(countServedGuests(record.get())) * record->getServeBoostedIncome() * 0.25f;
		if (step.payments > 0 && !step.activeEnded)
		{
			SmartPointer<GEventFeatureIncome> payment(new GEventFeatureIncome(this, amount));
			report(payment.get());
		}
		if (step.activeEnded)
		{
			core::stringc name("Feature");
			name += core::stringc(index + 1);
			name += "Stop";
			setChildrenState(id(name.c_str()), nullptr);
			stopWorkSound();
			playState(icons.featureIcon(index), "Recharging");
			for (int p = 0; p < step.payments; ++p)
			{
				SmartPointer<GEventFeatureIncome> payment(new GEventFeatureIncome(this, amount));
				report(payment.get());
			}
			SmartPointer<GEventFeatureEnded> ended(new GEventFeatureEnded(this, index));
			report(ended.get());
		}
		if (step.rechargeEnded)
		{
			GBuildingIcons::showFeatureFill(icons.featureIcon(index), 1.0f);
			playState(icons.featureIcon(index), "Ready");
			SmartPointer<GEventBuildingReady> ready(new GEventBuildingReady(this));
			report(ready.get());
		}
		if (featureStates[i].state == GFeatureState::Recharging)
			GBuildingIcons::showFeatureFill(icons.featureIcon(index), getFeatureProgress(index));
	}
}

// ---- sale

float GBuildingNode::getPrice(const GBuildingType* forRecord) const
{
	const GBuildingType* priced = forRecord ? forRecord : record.get();
	float price = priced->getSellPrice();
	if (priced != record.get() || !configuration)
		return price;
	const GLevelModifierValues& values = modifiersOrNone(levelScene);
	float percent = owned ? values.ownedBuildingPriceBonus : -values.buyBuildingPriceDiscount;
	// Buying a building its owner does not offer costs the extra; it never applies to the player's own.
	if (!owned && !forSale && values.buyNotForSaleBuildingPriceBonus > 0.0f)
		percent += values.buyNotForSaleBuildingPriceBonus;
	price *= 1.0f + percent * 0.01f;
	return price;
}

int GBuildingNode::getOfferPrice() const
{
	return roundToThousand(getPrice() * offerMultiplier);
}

void GBuildingNode::showPriceText(float price)
{
	if (icons.priceText)
		icons.priceText->setText(scenetext::money(truncateToInt(std::floor(price + 0.5))));
}

int GBuildingNode::randomTime(const core::vector2df& range) const
{
	return static_cast<int>(std::floor(Random::instance()->nextFloatInRange(range.X, range.Y) + 0.5f));
}

void GBuildingNode::restartSaleSignRing(BaseNode* owner)
{
	BaseNode* ring = directChild(owner, "Progress");
	if (!ring)
		return;
	showCountdownRing(ring, 0.0f);
	ring->setVisible(true);
	playState(ring, "Normal");
	if (ring->getChildren().size() >= 2)
		playState(ring->getChildren()[1], "Normal");
}

void GBuildingNode::setForSale(bool value)
{
	forSale = value;
	if (icons.forSaleNode)
	{
		icons.forSaleNode->setVisible(value);
		if (BaseNode* ring = directChild(icons.forSaleNode, "Progress"))
			ring->setVisible(false);
		if (BaseNode* background = directChild(icons.forSaleNode, "Bg"))
			background->setVisible(false);
	}
	showPriceText(getPrice());
	if (value && configuration)
	{
		GBaseSceneNode::playCue("ForSale");
		if (!owned)
		{
			saleTimeLimit = randomTime(configuration->getBuildingsSellTime());
			saleTimer = 0;
			restartSaleSignRing(icons.forSaleNode);
			if (BaseNode* background = directChild(icons.forSaleNode, "Bg"))
				background->setVisible(true);
		}
		else
		{
			saleTimeLimit = randomTime(configuration->getBuildingsBuyRequestTime());
			saleTimer = 0;
		}
	}
	setBuyRequest(false);
}

void GBuildingNode::setBuyRequest(bool value)
{
	buyerPending = value;
	if (!icons.phoneIcon)
		return;
	icons.phoneIcon->setVisible(value);
	icons.phoneIcon->setTintColor(video::SColor(255, 255, 255, 255));
	if (value)
	{
		GBaseSceneNode::playCue("BuyRequest");
		playState(icons.phoneIcon, "Active");
	}
	restartSaleSignRing(icons.phoneIcon);
}

void GBuildingNode::declineBuyRequest()
{
	if (configuration)
		saleTimeLimit = randomTime(configuration->getBuildingsBuyRequestTime());
	saleTimer = 0;
	setBuyRequest(false);
	showPriceText(getPrice());
	notifyChanged();
}

void GBuildingNode::endSale()
{
	setForSale(false);
	declineBuyRequest();
	setCondition(Normal);
	notifyChanged();
}

void GBuildingNode::updateSale(int dt)
{
	saleTimer += dt;
	if (saleTimer > saleTimeLimit)
	{
		saleTimer = 0;
		if (forSale && configuration)
		{
			if (!owned)
			{
				setForSale(false);
			}
			else if (!buyerPending)
			{
				offerMultiplier =
				    Random::instance()->nextFloatInRange(configuration->getBuildingsBuyRequestPriceMultiplier().X,
				                                         configuration->getBuildingsBuyRequestPriceMultiplier().Y);
				saleTimeLimit = randomTime(configuration->getBuildingsBuyRequestTimeWaiting());
				setBuyRequest(true);
			}
			else
			{
				saleTimeLimit = randomTime(configuration->getBuildingsBuyRequestTime());
				setBuyRequest(false);
			}
			notifyChanged();
		}
	}
	else if (forSale && saleTimeLimit > 0)
	{
		const float ratio = static_cast<float>(saleTimer) / static_cast<float>(saleTimeLimit);
		if (!owned)
			showCountdownRing(directChild(icons.forSaleNode, "Progress"), ratio);
		else if (buyerPending)
			showCountdownRing(directChild(icons.phoneIcon, "Progress"), ratio);
	}
	if (forSale)
	{
		const float figure = buyerPending ? static_cast<float>(getOfferPrice()) : getPrice();
		if (figure > 0.0f)
			showPriceText(figure);
	}
}
