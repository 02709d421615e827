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
	int getHelicopterStep() const { return helicopterStep; }
	int getBusStep() const { return busStep; }
	int getSiteStep() const { return siteStep; }
	int getStarStep() const { return starStep; }
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
	bool vehiclesDone() const { return helicopterStep >= 7 && busStep >= 7; }

	SmartPointer<GPathMovableNode> helicopter;
	irr::core::stringc direction;
	SmartPointer<BaseNode> siteCargo;
	SmartPointer<BaseNode> site;
	SmartPointer<BaseProgressBarNode> siteProgressBar;
	SmartPointer<BaseNode> starEffect;
	SmartPointer<CSoundCue> helicopterSound;
	int helicopterStep = 0;
	int busStep = 0;
	int siteStep = 0;
	int starStep = 0;
	float materials = 0.0f;
	int workers = 0;
	float elapsedBuild = 0.0f; // ms
	float total = 0.0f;        // ms
};
