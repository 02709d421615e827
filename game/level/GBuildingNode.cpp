#include "GBuildingNode.h"

#include "GEllipseSectorNode.h"
#include "GGameLevelScene.h"
#include "GLevelProcess.h"
#include "app/GBaseSceneNode.h"
#include "audio/CSoundCue.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "data/GBuildingType.h"
#include "data/GEventSelectionChanged.h"
#include "data/GLevelConfiguration.h"
#include "data/GUpgradeEffects.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"
#include "scene/TemplateCollectionNode.h"

#include <irrlicht/irrMath.h>

using namespace irr;

namespace
{
const video::SColor OpaqueWhite(255, 255, 255, 255);

StringId id(const char* name)
{
	return internStringId(name);
}

// "Feature2" or "Feature2Stop" for the feature of index 1.
StringId featureStateName(int index, bool stop)
{
	core::stringc name("Feature");
	name += core::stringc(index + 1);
	if (stop)
		name += "Stop";
	return id(name.c_str());
}

void playState(BaseNode* node, const char* state)
{
	if (node)
		node->setState(id(state), nullptr, StringId());
}

// Icons and frames that a serve-area tint leaves alone.
bool keepsItsColour(StringId name)
{
	static const char* const names[] = {"Selector",  "RepairIcon",  "DirtyIcon",    "UnfinishedIcon",
	                                    "PhoneIcon", "ForSaleNode", "ServeArea",    "SmileIcon",
	                                    "StarIcons", "WorkersText", "Feature1Icon", "Feature2Icon"};
	for (const char* n : names)
		if (name == id(n))
			return true;
	return false;
}

void tintChildren(BaseNode* node, video::SColor tint)
{
	if (!node)
		return;
	const core::array<BaseNode*>& children = node->getChildren();
	for (u32 i = 0; i < children.size(); ++i)
	{
		BaseNode* child = children[i];
		SpriteNode* sprite = asSpriteNode(child);
		if (!sprite || keepsItsColour(child->getName()))
			continue;
		sprite->setBlendType(1);
		sprite->setTintColor(tint);
	}
}
} // namespace

void showCountdownRing(BaseNode* node, float ratio)
{
	if (!node || node->getChildren().size() < 3)
		return;
	const int degrees = countdownRingDegrees(ratio);
	if (auto* ring = nodeCast<GEllipseSectorNode>(node->getChildren()[1]))
	{
		ring->setAngle2(degrees);
		ring->setFillColor(countdownRingColor(ratio));
		if (ratio > 0.75f && ring->getCurrentState() != id("Alert"))
		{
			GBaseSceneNode::playCue("TimedActionEnd");
			ring->setState(id("Alert"), nullptr, StringId());
		}
	}
	BaseNode* hand = node->getChildren()[2];
	hand->setRotation(core::vector3df(hand->getRotation().X, hand->getRotation().Y, static_cast<f32>(degrees)));
}

GBuildingNode::GBuildingNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager), record(new GBuildingType())
{
	period = UpdatePeriod;
}

GBuildingNode::~GBuildingNode()
{
	setScheduler(nullptr);
	// The process may still unhook itself from this node while it goes.
	process.reset();
	if (workSound)
		workSound->stop(0);
	icons.release();
}

const core::stringw& GBuildingNode::typeNameText()
{
	static const core::stringw name(L"GBuildingNode");
	return name;
}

// ---- properties

const PropertyTable& GBuildingNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        accessorProperty<&GBuildingNode::setOwned, &GBuildingNode::isOwned>("IsOwnedByThePlayer"),
	        accessorProperty<&GBuildingNode::setLuckiness, &GBuildingNode::getLuckiness>("LuckinessType"),
	    });
	return table;
}

void GBuildingNode::writeProperties(CPropertyCollection& collection) const
{
	ControlNode::writeProperties(collection);
	if (owned)
		collection.addBool("IsOwnedByThePlayer", owned);
	if (luckiness != 0)
		collection.addInt("LuckinessType", luckiness);
}

void GBuildingNode::readProperties(const CPropertyCollection& collection)
{
	ControlNode::readProperties(collection);
	if (SmartPointer<IPropertyData> value = collection.get("IsOwnedByThePlayer"))
		setOwned(value->typeId() == PROPERTY_BOOL && propertyAsBool(value.get()));
	if (SmartPointer<IPropertyData> value = collection.get("LuckinessType"))
		setLuckiness(value->typeId() == PROPERTY_INT ? propertyAsInt(value.get()) : 0);
}

void GBuildingNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ControlNode::copyFrom(source, manager);
	if (const GBuildingNode* other = nodeCast<GBuildingNode>(source))
	{
		owned = other->owned;
		luckiness = other->luckiness;
		record = other->record;
	}
}

// ---- set-up and record

void GBuildingNode::setLevelConfiguration(GLevelConfiguration* value)
{
	configuration = shareRef(value);
	// The look depends on the configuration (setting, stars, smile): a template applied before it
	// came is applied again.
	if (templateRoot)
		applyTemplate();
	updateIncomeBonus();
}

void GBuildingNode::setLuckiness(int value)
{
	luckiness = value;
	if (levelScene && configuration)
		updateIncomeBonus();
}

void GBuildingNode::setLevelRecord(const GBuildingType* newRecord, bool restore)
{
	if (!newRecord)
		return;
	previousRecord = record;
	record.reset(new GBuildingType(*newRecord));
	if (!restore)
	{
		featureStates.assign(static_cast<size_t>(record->getFeatureCount()), GFeatureState());
		for (BaseNode* icon : {icons.feature1Icon, icons.feature2Icon})
		{
			GBuildingIcons::showFeatureFill(icon, 1.0f);
			playState(icon, "Ready");
		}
	}
	else
	{
		setCondition(savedCondition);
		featureStates = savedFeatureStates;
		for (size_t i = 0; i < featureStates.size(); ++i)
		{
			GFeatureState& feature = featureStates[i];
			feature.paying = false;
			feature.paymentTimer = 0;
			if (feature.state != GFeatureState::Active)
				continue;
			const int index = static_cast<int>(i);
			setChildrenState(featureStateName(index, true), nullptr);
			stopWorkSound();
			const GBuildingFeature* data = record->getFeature(index);
			feature.state = GFeatureState::Recharging;
			feature.remaining =
			    data ? rechargeAfterCancel(feature.remaining, data->getDurationTime(), data->getRechargeTime()) : 0;
			playState(icons.featureIcon(index), "Recharging");
		}
	}
	if (record->getType() >= BuildingKind::FirstService)
		setCondition(RunDown);
	else if (record->getType() == BuildingKind::Decoration && record->getServeAreaIncomeBonus(NoWork, Normal) > 0.0f &&
	         !owned && configuration && configuration->isNotOwnedDecorationsDirty())
		setCondition(Dirty);
	setStars();
	updateBonusIcon();
	// A building that has features from the start shows their icons at once.
	updateFeatureIcons();
	registerAsServer();
}

void GBuildingNode::saveState()
{
	savedCondition = condition;
	savedFeatureStates = featureStates;
}

// ---- state

void GBuildingNode::setWork(int kind, GLevelProcess* newProcess)
{
	if (kind == DemolitionWork)
	{
		for (size_t i = 0; i < featureStates.size(); ++i)
			if (featureStates[i].state == GFeatureState::Active)
				setChildrenState(featureStateName(static_cast<int>(i), true), nullptr);
	}
	workKind = kind;
	process = shareRef(newProcess);
	setStars();
	updateBonusIcon();
	updateFeatureIcons();
}

void GBuildingNode::cancelWork()
{
	// The process may end the work (and so release itself here) while it cancels.
	SmartPointer<GLevelProcess> running = process;
	if (running)
		running->cancel();
}

float GBuildingNode::getWorkProgress() const
{
	if (workKind == NoWork)
		return 1.0f;
	return process ? process->getProgress() : 0.0f;
}

void GBuildingNode::setCondition(int value)
{
	icons.setConditionIcon(nullptr);
	condition = value;
	TemplateCollectionNode* templates = findTemplateCollection();
	if (!templates)
		return;
	if (value == Broken || value == CateringRequest)
		icons.setConditionIcon(GBuildingIcons::make(this, templates, "RepairIcon"));
	else if (value == Dirty)
		icons.setConditionIcon(GBuildingIcons::make(this, templates, "DirtyIcon"));
	if (BaseNode* icon = icons.conditionIcon)
	{
		icon->setVisible(true);
		icon->setTintColor(OpaqueWhite);
		playState(icon, "Active");
	}
}

void GBuildingNode::setOwned(bool value)
{
	const bool changed = value != owned;
	owned = value;
	setTintColor(OpaqueWhite);
	setChildrenState(id(value ? "Owned" : "NotOwned"), nullptr);
	if (value && templateRoot)
		templateRoot->setTintColor(OpaqueWhite);
	setStars();
	updateFeatureIcons();
	// A building that changes hands stops or starts serving its neighbours' guests.
	if (changed && levelScene)
	{
		unregisterAsServer();
		for (const SmartPointer<GBuildingNode>& building : levelScene->getBuildings())
			building->registerAsServer();
	}
}

bool GBuildingNode::isWorking() const
{
	if (!Visible || !record || record->getLevel() <= 0 || !owned || forSale || condition != Normal)
		return false;
	if (workKind == NoWork)
		return true;
	return record->getType() != BuildingKind::Hotel && record->getFeatureCount() > 0 &&
	       (workKind == ServingWork || workKind == FeatureWork);
}

void GBuildingNode::notifyChanged()
{
	if (!isFocused())
		return;
	SmartPointer<GEventSelectionChanged> event(new GEventSelectionChanged(this, this));
	sendToParent(DeliverSelfThenParent, event.get());
}

// ---- display

void GBuildingNode::setStars(int level, int hiddenStar)
{
	if (level == -1)
		level = workKind == BuildWork && previousRecord ? previousRecord->getLevel() : record->getLevel();
	icons.showStars(owned && level != 0 && record->getType() == BuildingKind::Hotel, level, hiddenStar);
}

core::vector3df GBuildingNode::getStarCentre() const
{
	return icons.starCentre(record->getLevel() - 1, Position);
}

void GBuildingNode::setWorkersText(int count)
{
	if (icons.workersText)
	{
		if (TextNode* text = asTextNode(icons.workersText))
			text->setText(core::stringw(L"x") + core::stringw(count));
		icons.workersText->setVisible(count != 0);
	}
	icons.arrangeSmileAndWorkers();
	updateFeatureIcons();
}

void GBuildingNode::updateFeatureIcons()
{
	const bool hideAll = icons.workersShown() || !owned || !isWorking() || record->getType() == BuildingKind::Pyramid;
	icons.placeFeatureIcons(!hideAll && isFeatureAllowed(0), !hideAll && isFeatureAllowed(1));
}

StringId GBuildingNode::getWorkCueName() const
{
	if (getFeatureState(0) == GFeatureState::Active || getFeatureState(1) == GFeatureState::Active)
	{
		if (record->getName() == id("TruckStation"))
			return id("FeatureFactory");
		if (record->getName() == id("REAgency"))
			return id("FeatureREAgency");
		if (record->getName() == id("PRAgency"))
			return id("FeaturePRAgency");
		return record->getSelectedSoundCueName();
	}
	switch (workKind)
	{
	case NoWork:
		return record->getSelectedSoundCueName();
	case BuildWork:
		return id(record->getLevel() < 2 ? "Building" : "Upgrading");
	case DemolitionWork:
		return id("Destroying");
	case WorkerJob:
	{
		const int type = record->getType();
		return id(type == BuildingKind::Business || type == BuildingKind::Decoration ? "CleaningDecoration"
		                                                                             : "Building");
	}
	default:
		return StringId();
	}
}

void GBuildingNode::startWorkSound()
{
	const StringId cue = getWorkCueName();
	if (workSound && workSound->getState() != 0 && workSound->getName() == cue)
		return;
	stopWorkSound();
	if (!cue.isEmpty())
		workSound = shareRef(GBaseSceneNode::playCue(getStringById(cue).c_str()));
}

void GBuildingNode::stopWorkSound()
{
	if (workSound)
		workSound->stop(1000);
	workSound.reset();
}

void GBuildingNode::tintSprites(video::SColor tint)
{
	tintChildren(this, tint);
	if (templateRoot && templateRoot->getTintColor().getAlpha() == 255)
		tintChildren(templateRoot, tint);
}

// ---- timers

bool GBuildingNode::update(unsigned elapsed)
{
	if (levelScene && levelScene->isPaused())
		return true;
	const int dt = static_cast<int>(elapsed);
	letterCooldown += dt;
	breakdownCooldown += dt;
	updateSale(dt);
	updateFeatures(dt);
	return true;
}

void GBuildingNode::report(CEvent* event)
{
	if (levelScene && !levelScene->onEvent(event))
		levelScene->sendToParent(DeliverSelfThenParent, event);
}

// ---- control overrides

bool GBuildingNode::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	BaseNode* node = event ? event->node : nullptr;
	if (node && node != this && node->getParent() == this && node->getName() == id("MoneyLetter") &&
	    (event->stateName == id("Disappear") || event->stateName == id("DisappearHit")))
	{
		removeChild(node);
		return true;
	}
	return ControlNode::onChildrenStateFinished(event);
}

void GBuildingNode::applyTemplate()
{
	// Parts of the old look go with it; they are found again in the new one below.
	icons.release();
	ControlNode::applyTemplate();
	if (!templateRoot)
		return;
	if (configuration)
	{
		core::stringc setting("Setting");
		setting += core::stringc(configuration->getSettingIndex());
		setChildrenState(id(setting.c_str()), nullptr);
		setChildrenState(id("Done"), nullptr);
		setOwned(owned);
	}

	icons.collect(this, templateRoot, findTemplateCollection(),
	              configuration && configuration->isBuildingPlaceLuckinessOn(),
	              configuration && configuration->isBuildingLevelOn());
	if (icons.selector && isFocused())
	{
		icons.selector->setState(ControlNode::nameIdFocus(), nullptr, StringId());
		templateRoot->setTintColor(OpaqueWhite);
	}

	setStars();
	updateBonusIcon();
	updateFeatureIcons();
	setForSale(forSale);
	setBuyRequest(buyerPending);
	setCondition(condition);
	setScheduler(getStateScheduler());
}

void GBuildingNode::addToRenderList(RenderList& list)
{
	ControlNode::addToRenderList(list);
	if (!Visible)
		return;
	for (BaseNode* made : icons.madeNodes())
		made->addToRenderList(list);
}

void GBuildingNode::updateAbsoluteTransform()
{
	ControlNode::updateAbsoluteTransform();
	for (BaseNode* made : icons.madeNodes())
		made->updateAbsoluteTransform();
}

void GBuildingNode::updateAbsoluteColor()
{
	ControlNode::updateAbsoluteColor();
	for (BaseNode* made : icons.madeNodes())
		made->updateAbsoluteColor();
}

void GBuildingNode::attachToSceneManager(INodeEventQueue* manager, SceneNode* sceneNode)
{
	ControlNode::attachToSceneManager(manager, sceneNode);
	for (BaseNode* made : icons.madeNodes())
		made->attachToSceneManager(manager, sceneNode);
}

void GBuildingNode::enterPressVisualState()
{
	setChildrenState(ControlNode::nameIdPress(), nullptr);
}

void GBuildingNode::updateHoverVisualState()
{
	if (hovered)
		setChildrenState(isFocused() ? nameIdFocusHover() : nameIdNormalHover(), nullptr);
	else
		setChildrenState(isFocused() ? nameIdFocusKillHover() : nameIdNormalKillHover(), nullptr);
}

void GBuildingNode::updateFocusVisualState()
{
	if (!pressed)
		setChildrenState(isFocused() ? nameIdFocus() : nameIdKillFocus(), nullptr);
}

bool GBuildingNode::onMouseLeftDown(CEventInputMouseLeftDown* event)
{
	if (!Enabled || !hitTestOwnSubtree(event))
		return false;
	if (!clickPending)
		setPressed(true);
	return true;
}

bool GBuildingNode::onMouseLeftUp(CEventInputMouseLeftUp* event)
{
	const bool inside = Enabled && hitTestOwnSubtree(event);
	if (!inside)
		setPressed(false);
	else if (pressed)
		click();
	return false;
}
