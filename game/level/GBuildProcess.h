#pragma once

#include "GLevelProcess.h"

#include <irrlicht/irrString.h>
#include <irrlicht/vector3d.h>

class CEventNodeChildrenStateFinished;
class CSoundCue;

// The point turned by the angle (degrees) around the centre.
irr::core::vector2df rotatePointAround(const irr::core::vector2df& point, float degrees,
                                       const irr::core::vector2df& centre);

// Builds a building on an empty place or upgrades it: a helicopter brings the cargo, a bus the
// workers, a construction site covers the building while the build time runs, and at the end the new
// building shows, the workers come back and a level star may light up.
class GBuildProcess : public GLevelProcess
{
public:
	// Where the construction site is. A step waiting for an animation moves on when it ends; the
	// finishing animations bring the site from Finishing back to Uncovering once, between the two.
	enum SiteStep
	{
		SiteNone = 0,
		SitePreparing = 1,          // "PreBuild1" plays
		SitePrepared = 2,           // "PreBuild2" next
		SiteRaising = 3,            // "PreBuild2" plays
		SiteRaised = 4,             // "Build" next
		SiteWaitingForVehicles = 5, // until the cargo and the workers are there
		SiteWorking = 6,            // the build time runs
		SiteWorkDone = 7,           // "PostBuild1" next
		SiteUncovering = 9,         // the new building shows, "PostBuild2" next
		SiteFinishing = 10,         // "PostBuild1" or "PostBuild2" plays
		SiteFinished = 11,          // the building is handed over next
		SiteHandedOver = 13,        // or called off: the site is gone
	};
	// The cargo helicopter's flight: odd steps wait for a flight or an animation to end.
	enum HelicopterStep
	{
		HelicopterNone = 0,
		HelicopterFlyingIn = 1,
		HelicopterArrived = 3,
		HelicopterBeforeUnloading = 4,
		HelicopterReadyToUnload = 5,
		HelicopterUnloading = 6,
		HelicopterUnloaded = 7,
		HelicopterAfterUnloading = 8,
		HelicopterReadyToLeave = 9,
		HelicopterFlyingOut = 10,
		HelicopterLeft = 11,
		HelicopterGone = 12, // removed, or none was made
	};
	// The workers' bus.
	enum BusStep
	{
		BusNone = 0,
		BusDrivingIn = 1,
		BusTurning = 2, // its leaving look starts two points before the end of the route
		BusArrived = 3,
		BusUnloaded = 10, // the workers are at the site
		BusLeft = 11,
		BusGone = 12,
	};
	enum StarStep
	{
		StarNone = 0,
		StarLighting = 1, // a hotel's new level star plays its effect
		StarDone = 2,
	};

	GBuildProcess(GGameLevelScene* level, GBuildingNode* building, GBuildingType* record, BaseNode* cargosNode,
	              TemplateCollectionNode* templates, GLevelPath* path, float materials, int workers);
	~GBuildProcess() override;

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	float getProgress() const override;
	bool update(irr::u32 elapsed) override;
	// Brings the previous building back and returns materials and workers (not the money); nothing
	// without a previous record or once the building has been handed over.
	void cancel() override;

	// The helicopter's side of approach, its direction name and its two flight legs.
	void planFlight();
	// Shows or hides the node's children, except the selector, the workers text and the smile.
	static void setTemplateChildrenVisible(BaseNode* node, bool visible);

	bool onMoveFinished(CEventNodeStateFinished* event);
	bool onStateFinished(CEventNodeChildrenStateFinished* event);

	GPathMovableNode* getHelicopter() const { return helicopter.get(); }
	BaseNode* getSite() const { return site.get(); }
	BaseNode* getStarEffect() const { return starEffect.get(); }
	const irr::core::stringc& getDirection() const { return direction; }
	HelicopterStep getHelicopterStep() const { return helicopterStep; }
	BusStep getBusStep() const { return busStep; }
	SiteStep getSiteStep() const { return siteStep; }
	StarStep getStarStep() const { return starStep; }
	float getElapsed() const { return elapsedBuild; }
	float getTotal() const { return total; }

private:
	void makeHelicopter();
	void makeConstructionSelector();
	void makeSite();
	void updateHelicopter();
	void updateBus(irr::u32 elapsed);
	void updateSite(irr::u32 elapsed);
	void handOver();
	void stateFinished(BaseNode* sender, StringId state);
	// Plays the children state; a node without children (or no site at all) is done at once.
	void playChildrenState(BaseNode* node, const irr::core::stringc& state);
	void playSiteState(const char* state);
	void removeHelicopter();
	void removeSite();
	void removeStarEffect();
	bool vehiclesDone() const { return helicopterStep >= HelicopterUnloaded && busStep >= BusUnloaded; }

	SmartPointer<GPathMovableNode> helicopter;
	irr::core::stringc direction;
	SmartPointer<BaseNode> siteCargo;
	SmartPointer<BaseNode> site;
	SmartPointer<BaseProgressBarNode> siteProgressBar;
	SmartPointer<BaseNode> starEffect;
	SmartPointer<CSoundCue> helicopterSound;
	HelicopterStep helicopterStep = HelicopterNone;
	BusStep busStep = BusNone;
	SiteStep siteStep = SiteNone;
	StarStep starStep = StarNone;
	float materials = 0.0f;
	int workers = 0;
	float elapsedBuild = 0.0f; // ms
	float total = 0.0f;        // ms
};
