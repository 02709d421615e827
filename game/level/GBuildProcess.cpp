#include "GBuildProcess.h"

#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "app/GBaseSceneNode.h"
#include "audio/CSoundCue.h"
#include "core/PropertyMakers.h"
#include "core/Random.h"
#include "data/GBuildingType.h"
#include "data/GEventResourcesReturned.h"
#include "data/GEventWorkCompleted.h"
#include "data/GameCodes.h"
#include "effects/GPathMovableNode.h"
#include "nodes/BaseProgressBarNode.h"
#include "nodes/SpriteNode.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"
#include "scene/NodeEvents.h"
#include "scene/TemplateCollectionNode.h"

#include <cmath>

using namespace irr;

namespace
{
BaseNode* directChild(const BaseNode* node, const char* name)
{
	return node ? node->findChild(processName(name), 0) : nullptr;
}

bool contains(const core::stringc& text, const char* part)
{
	return text.find(part) >= 0;
}

// The "Mover" of a flight state, when it is a key-frame animator with exactly two key frames.
void setFlightLeg(BaseNode* helicopter, const char* state, const core::vector3df& from, const core::vector3df& to)
{
	AnimatorSet* set = helicopter->findState(processName(state));
	KeyFrame* mover = set ? asKeyFrame(set->findAnimator(processName("Mover"))) : nullptr;
	if (!mover || mover->getKeyFrames().size() != 2)
		return;
	mover->setKeyFrameValue(0, 0, *makeVector3dProperty(from));
	mover->setKeyFrameValue(1, 0, *makeVector3dProperty(to));
	mover->setKeyFrameTime(1, static_cast<int>((to - from).getLength() / 300.0f * 1000.0f));
}

// The side the helicopter comes from, by the target's cell of a 3 x 3 grid of the screen.
int flightSide(float x, float y)
{
	Random* random = Random::instance();
	const int column = x <= 341.0f ? 0 : (x <= 682.0f ? 1 : 2);
	const int row = y <= 210.0f ? 0 : (y <= 420.0f ? 1 : 2);
	switch (row * 3 + column)
	{
	case 0:
		return 2;
	case 1:
		return static_cast<int>(random->nextUInt() & 1) * 2;
	case 2:
		return 0;
	case 3:
		return static_cast<int>(random->nextUInt() & 1) + 2;
	case 4:
		return static_cast<int>(random->nextUInt() & 3);
	case 5:
		return static_cast<int>(random->nextUInt() & 1);
	case 6:
		return 3;
	case 7:
		return static_cast<int>(random->nextUInt() & 1) * 2 + 1;
	default:
		return 1;
	}
}
} // namespace

core::vector2df rotatePointAround(const core::vector2df& point, float degrees, const core::vector2df& centre)
{
	const float a = degrees * 0.0174533f;
	const core::vector2df v = point - centre;
	return centre + core::vector2df(v.X * std::cos(a) - v.Y * std::sin(a), v.X * std::sin(a) + v.Y * std::cos(a));
}

GBuildProcess::GBuildProcess(GGameLevelScene* levelScene, GBuildingNode* buildingNode, GBuildingType* newRecord,
                             BaseNode* cargos, TemplateCollectionNode* templateCollection, GLevelPath* busPath,
                             float materialsTaken, int workersTaken)
    : GLevelProcess(levelScene, buildingNode, cargos, templateCollection, busPath), materials(materialsTaken),
      workers(workersTaken)
{
	record = shareRef(newRecord);
	listenTo(cargosNode);
	listenTo(building);
	makeHelicopter();
	if (startWorkerBus(140.0f, true, "Bus"))
	{
		busStep = BusDrivingIn;
	}
	else
	{
		busStep = BusLeft;
		if (building)
			building->setWorkersText(workers);
	}
	makeConstructionSelector();
	if (building)
		building->tintSprites(video::SColor(255, 32, 32, 32));
	makeSite();
	starEffect = shareRef(cloneTemplate(templates.get(), "LevelStarEffect", cargosNode));
	if (starEffect)
		starEffect->setVisible(false);
	total = (record ? record->getBuildTime() : 0.0f) + 1500.0f;
	if (building)
		building->setChildrenState(processName("Done"), nullptr);
}

GBuildProcess::~GBuildProcess()
{
	removeHelicopter();
	removeSite();
	removeStarEffect();
}

const EventMap& GBuildProcess::eventMap()
{
	using S = GBuildProcess;
	static const EventMap table = extendEventMap(
	    GLevelProcess::eventMap(),
	    {
	        {CEventNodeStateFinished::TypeId, &eventHandler<S, CEventNodeStateFinished, &S::onMoveFinished>},
	        {CEventNodeChildrenStateFinished::TypeId,
	         &eventHandler<S, CEventNodeChildrenStateFinished, &S::onStateFinished>},
	    });
	return table;
}

bool GBuildProcess::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

float GBuildProcess::getProgress() const
{
	return record ? elapsedBuild / total : 1.0f;
}

// ---- set-up

void GBuildProcess::makeHelicopter()
{
	helicopter = shareRef(
	    nodeCast<GPathMovableNode>(cloneTemplate(templates.get(), "Helicopter", cargosNode, NodeTypeGPathMovableNode)));
	if (!helicopter)
	{
		// No cargo flight: the site does not wait for one.
		helicopterStep = HelicopterGone;
		return;
	}
	helicopterStep = HelicopterFlyingIn;
	planFlight();
	helicopterSound = shareRef(GBaseSceneNode::playCue("Helicopter"));
	helicopter->setState(processName("MovingTo"), nullptr, StringId());
}

void GBuildProcess::planFlight()
{
	if (!helicopter || !building)
		return;
	const core::vector3df target = building->getPosition() + core::vector3df(104.0f, -57.0f, 2000.0f);
	static const float angles[] = {-30.0f, 30.0f, 210.0f, 150.0f};
	static const char* const names[] = {"RightUp", "RightDown", "LeftUp", "LeftDown"};
	const int side = flightSide(target.X, target.Y);
	const core::vector2df v = rotatePointAround(core::vector2df(1000.0f, 0.0f), angles[side], core::vector2df(0, 0));
	direction = names[side];
	helicopter->setChildrenState(processName(direction.c_str()), nullptr);
	const core::vector3df leg(v.X, v.Y, 0.0f);
	setFlightLeg(helicopter.get(), "MovingTo", target - leg, target);
	setFlightLeg(helicopter.get(), "MovingFrom", target, target + leg);
}

void GBuildProcess::makeConstructionSelector()
{
	ControlNode* root = building ? building->getTemplateRoot() : nullptr;
	BaseNode* source = templates ? templates->findTemplate(processName("ConstructionSelector")) : nullptr;
	if (!root || !source || !source->isKindOf(NodeTypeSpriteNode))
		return;
	if (BaseNode* old = directChild(root, "Selector"))
		root->removeChild(old);
	auto* selector = static_cast<SpriteNode*>(cloneTemplate(templates.get(), "ConstructionSelector", root));
	if (!selector)
		return;
	selector->setBlendType(1);
	selector->setState(ControlNode::nameIdFocus(), nullptr, StringId());
	selector->setName("Selector");
}

void GBuildProcess::makeSite()
{
	siteStep = SitePreparing;
	site = shareRef(cloneTemplate(templates.get(), "Construction", building));
	if (site)
	{
		site->setPosition(core::vector3df(0.0f, 0.0f, building->getPosition().X / 1000.0f));
		siteCargo = shareRef(cloneTemplate(templates.get(), "Cargo", site.get()));
		if (siteCargo)
			siteCargo->setVisible(false);
		BaseNode* bar = directChild(site.get(), "ProgressBar");
		if (bar && bar->isKindOf(NodeTypeBaseProgressBarNode))
		{
			siteProgressBar = shareRef(static_cast<BaseProgressBarNode*>(bar));
			SmartPointer<CEventNodeTemplatesChanged> changed(new CEventNodeTemplatesChanged(templates.get()));
			siteProgressBar->onEvent(changed.get());
			siteProgressBar->setMaxValue(1.0f);
			siteProgressBar->setValue(0.0f);
		}
	}
	playSiteState("PreBuild1");
}

// ---- update

bool GBuildProcess::update(u32 elapsed)
{
	SmartPointer<GBuildProcess> keep(shareRef(this));
	updateHelicopter();
	updateBus(elapsed);
	updateSite(elapsed);
	if (siteProgressBar)
		siteProgressBar->setValue(getProgress());
	return helicopter || bus || site || starStep != StarDone;
}

void GBuildProcess::updateHelicopter()
{
	if (!helicopter)
		return;
	switch (helicopterStep)
	{
	case HelicopterArrived:
		helicopterStep = HelicopterBeforeUnloading;
		playChildrenState(helicopter.get(), direction + "_BeforeUnloading");
		break;
	case HelicopterReadyToUnload:
		helicopterStep = HelicopterUnloading;
		playChildrenState(helicopter.get(), direction + "_Unloading");
		break;
	case HelicopterUnloaded:
		helicopterStep = HelicopterAfterUnloading;
		if (BaseNode* cargo = directChild(helicopter.get(), "Cargo"))
			cargo->setVisible(false);
		if (BaseNode* shadow = directChild(helicopter.get(), "CargoShadow"))
			shadow->setVisible(false);
		if (siteCargo)
		{
			siteCargo->setVisible(true);
			siteCargo->setState(processName(direction.c_str()), nullptr, StringId());
		}
		playChildrenState(helicopter.get(), direction + "_AfterUnloading");
		break;
	case HelicopterReadyToLeave:
		helicopterStep = HelicopterFlyingOut;
		helicopter->setState(processName("MovingFrom"), nullptr, StringId());
		break;
	case HelicopterLeft:
		helicopterStep = HelicopterGone;
		removeHelicopter();
		break;
	default:
		break;
	}
}

void GBuildProcess::updateBus(u32 elapsed)
{
	if (!bus)
		return;
	advanceBus(elapsed);
	if (!bus)
		return;
	if (busStep == BusDrivingIn && bus->getRemainingPointsCount() == 2)
	{
		busStep = BusTurning;
		bus->setState(processName("MovingFrom"), nullptr, StringId());
	}
	else if (busStep == BusArrived)
	{
		busStep = BusUnloaded;
		if (building)
			building->setWorkersText(workers);
	}
	else if (busStep == BusLeft)
	{
		busStep = BusGone;
		GBaseSceneNode::stopCue("Bus");
		removeBus();
	}
}

void GBuildProcess::updateSite(u32 elapsed)
{
	const float grown = static_cast<float>(elapsed) * buildTimeFactor();
	switch (siteStep)
	{
	case SitePrepared:
		siteStep = SiteRaising;
		playSiteState("PreBuild2");
		setTemplateChildrenVisible(building ? building->getTemplateRoot() : nullptr, false);
		break;
	case SiteRaised:
		siteStep = SiteWaitingForVehicles;
		playSiteState("Build");
		break;
	case SiteWaitingForVehicles:
		if (!vehiclesDone())
			break;
		siteStep = SiteWorking;
		if (building)
		{
			building->setWorkersText(workers);
			if (building->isFocused())
				building->startWorkSound();
		}
		playSiteState("Working");
		break;
	case SiteWorking:
		if (vehiclesDone())
			elapsedBuild += grown;
		if (!record || record->getBuildTime() <= elapsedBuild)
			siteStep = SiteWorkDone;
		break;
	case SiteWorkDone:
	{
		siteStep = SiteFinishing;
		SmartPointer<BaseNode> cargo = siteCargo;
		siteCargo.reset();
		if (cargo && cargo->getParent())
			cargo->getParent()->removeChild(cargo.get());
		playSiteState("PostBuild1");
		break;
	}
	case SiteFinishing:
		elapsedBuild += grown;
		break;
	case SiteUncovering:
		siteStep = SiteFinishing;
		setTemplateChildrenVisible(building ? building->getTemplateRoot() : nullptr, true);
		if (building && record)
		{
			building->setTemplateName(record->getName());
			if (building->isFocused())
				building->setState(ControlNode::nameIdFocus(), nullptr, StringId());
			building->setWorkersText(workers);
			if (starEffect && record->getType() == BuildingKind::Hotel && record->getLevel() > 1)
				building->setStars(0, -1);
		}
		playSiteState("PostBuild2");
		break;
	case SiteFinished:
		handOver();
		break;
	default:
		break;
	}
}

void GBuildProcess::handOver()
{
	siteStep = SiteHandedOver;
	if (building)
		building->stopWorkSound();
	removeSite();
	if (!building)
	{
		starStep = StarDone;
		return;
	}
	building->setChildrenState(processName("AfterBuild"), nullptr);
	SmartPointer<GEventWorkCompleted> completed(new GEventWorkCompleted(building, record.get()));
	reportToLevel(completed.get());
	SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, 0.0f, workers));
	reportToLevel(returned.get());
	building->setWorkersText(0);
	const int level = record ? record->getLevel() : 0;
	if (starEffect && record && record->getType() == BuildingKind::Hotel && level > 1)
	{
		building->setStars(level - 1, level - 1);
		starStep = StarLighting;
		starEffect->setVisible(true);
		const core::vector3df centre = building->getStarCentre();
		starEffect->setPosition(core::vector3df(centre.X, centre.Y, 3000.0f));
		playChildrenState(starEffect.get(), "Activate");
	}
	else
	{
		building->setStars(-1, -1);
		starStep = StarDone;
		// Unused: it goes now rather than when the building lets the process go.
		removeStarEffect();
	}
}

// ---- notifications

bool GBuildProcess::onMoveFinished(CEventNodeStateFinished* event)
{
	if (!event || !event->node)
		return false;
	const bool arrived = event->stateName == processName("MovingTo");
	const bool left = event->stateName == processName("MovingFrom");
	if (helicopter && event->node == helicopter.get())
	{
		if (arrived && helicopterStep < HelicopterArrived)
			helicopterStep = HelicopterArrived;
		else if (left && helicopterStep < HelicopterLeft)
			helicopterStep = HelicopterLeft;
	}
	else if (bus && event->node == bus.get())
	{
		// The end of the route and the end of the leaving state may come in either order; the bus
		// must still be removed after both.
		if (arrived && busStep < BusArrived)
			busStep = BusArrived;
		else if (left && busStep < BusLeft)
			busStep = BusLeft;
	}
	return false;
}

bool GBuildProcess::onStateFinished(CEventNodeChildrenStateFinished* event)
{
	if (event && event->node)
		stateFinished(event->node, event->stateName);
	return false;
}

void GBuildProcess::stateFinished(BaseNode* sender, StringId state)
{
	const core::stringc& name = getStringById(state);
	if (helicopter && sender == helicopter.get())
	{
		if (contains(name, "_BeforeUnloading"))
			helicopterStep = HelicopterReadyToUnload;
		else if (contains(name, "_Unloading"))
			helicopterStep = HelicopterUnloaded;
		else if (contains(name, "_AfterUnloading"))
			helicopterStep = HelicopterReadyToLeave;
	}
	else if (sender == site.get() || (!site && sender == nullptr))
	{
		if (name == "PreBuild1" && siteStep == SitePreparing)
			siteStep = SitePrepared;
		else if (name == "PreBuild2" && siteStep == SiteRaising)
			siteStep = SiteRaised;
		else if (name == "PostBuild1" && siteStep == SiteFinishing)
			siteStep = SiteUncovering;
		else if (name == "PostBuild2" && siteStep == SiteFinishing)
			siteStep = SiteFinished;
	}
	else if (building && sender == building && name == "Build" && siteStep == SiteWorking)
	{
		siteStep = SiteWorkDone;
	}
	else if (starEffect && sender == starEffect.get() && name == "Activate")
	{
		if (building)
			building->setStars(-1, -1);
		starStep = StarDone;
		removeStarEffect();
	}
}

void GBuildProcess::playChildrenState(BaseNode* node, const core::stringc& state)
{
	if (!node)
		return;
	if (node->getChildren().empty())
	{
		// A childless node tells only itself; nothing would reach this process.
		stateFinished(node, processName(state.c_str()));
		return;
	}
	node->setChildrenState(processName(state.c_str()), nullptr);
}

void GBuildProcess::playSiteState(const char* state)
{
	if (site)
		playChildrenState(site.get(), state);
	else
		stateFinished(nullptr, processName(state));
}

// ---- cancel

void GBuildProcess::cancel()
{
	GBuildingType* previous = building ? building->getPreviousRecord() : nullptr;
	// Once handed over, the building is the level's: a late cancel changes nothing.
	if (!previous || siteStep == SiteHandedOver)
		return;
	SmartPointer<GBuildProcess> keep(shareRef(this));
	if (helicopter)
		helicopterStep = HelicopterLeft;
	if (bus)
		busStep = BusLeft;
	if (siteStep != SiteNone)
	{
		siteStep = SiteHandedOver;
		building->stopWorkSound();
		removeSite();
		SmartPointer<GBuildingType> restored = shareRef(previous);
		building->setLevelRecord(restored.get(), true);
		building->setTemplateName(restored->getName());
		building->setWorkersText(0);
		building->setWork(GBuildingNode::NoWork, nullptr);
		SmartPointer<GEventResourcesReturned> returned(new GEventResourcesReturned(building, materials, workers));
		reportToLevel(returned.get());
		if (level)
			level->recalculateStats();
	}
	starStep = StarDone;
	removeStarEffect();
}

// ---- clean-up

void GBuildProcess::setTemplateChildrenVisible(BaseNode* node, bool visible)
{
	if (!node)
		return;
	const core::array<BaseNode*>& children = node->getChildren();
	for (u32 i = 0; i < children.size(); ++i)
	{
		const StringId name = children[i]->getName();
		if (name != processName("Selector") && name != processName("WorkersText") && name != processName("SmileIcon"))
			children[i]->setVisible(visible);
	}
}

void GBuildProcess::removeHelicopter()
{
	if (helicopterSound)
		helicopterSound->stop(1000);
	helicopterSound.reset();
	SmartPointer<GPathMovableNode> gone = helicopter;
	helicopter.reset();
	if (gone && gone->getParent())
		gone->getParent()->removeChild(gone.get());
}

void GBuildProcess::removeSite()
{
	siteProgressBar.reset();
	siteCargo.reset();
	SmartPointer<BaseNode> gone = site;
	site.reset();
	if (gone && gone->getParent())
		gone->getParent()->removeChild(gone.get());
}

void GBuildProcess::removeStarEffect()
{
	SmartPointer<BaseNode> gone = starEffect;
	starEffect.reset();
	if (gone && gone->getParent())
		gone->getParent()->removeChild(gone.get());
}
