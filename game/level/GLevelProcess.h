#pragma once

#include "core/EventReceiver.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrTypes.h>
#include <irrlicht/vector2d.h>

class BaseNode;
class BaseProgressBarNode;
class CEventNodeStateFinished;
class GBuildingNode;
class GBuildingType;
class GGameLevelScene;
class GLevelPath;
class GPathMovableNode;
class TemplateCollectionNode;

// Base of the timed work on the level map (building, demolition, repairs, services, features, clouds):
// the level scene updates it every tick and drops it once update reports it finished. It keeps the
// mechanics most processes share: the worker bus, the progress bar over the building, listening to
// the building and the cargos node, and reporting messages to the level.
class GLevelProcess : public EventReceiver
{
public:
	GLevelProcess();
	~GLevelProcess() override;

	// The worker bus's move ends reach onBusMoveFinished; a process without a bus ignores them.
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	// The fraction of the work done, 0 to 1.
	virtual float getProgress() const = 0;
	// Advances the work by the tick's elapsed ms; false once it has finished.
	virtual bool update(irr::u32 elapsed) = 0;
	// Asks the work to stop; the process restores what it changed and ends at a later update.
	virtual void cancel() {}

	int getStep() const { return step; }
	GPathMovableNode* getBus() const { return bus.get(); }
	BaseProgressBarNode* getProgressBar() const { return progressBar.get(); }
	GBuildingNode* getBuilding() const { return building; }

	// Offers the message to the level's own handling, then up the level's parent chain; delivered at
	// once. The caller keeps its reference.
	static void report(GGameLevelScene* level, CEvent* event);
	// A clone of the named template under the parent (made visible), or null when the template is
	// missing or not of that kind (-1: any kind).
	static BaseNode* cloneTemplate(TemplateCollectionNode* templates, const char* name, BaseNode* parent,
	                               int kind = -1);
	// The x, y positions of the path's points in path order.
	static irr::core::array<irr::core::vector2df> pathPoints(const GLevelPath* path);

protected:
	// Keeps the shared fields; the building's current record is read once here.
	GLevelProcess(GGameLevelScene* level, GBuildingNode* building, BaseNode* cargosNode,
	              TemplateCollectionNode* templates, GLevelPath* path);

	// Sees the events that reach the node and that its own handling leaves (until destruction).
	void listenTo(BaseNode* node);
	void reportToLevel(CEvent* event) const { report(level, event); }

	// The worker bus: a clone of "Bus" driving the path in, step 1; without a path of two points or
	// without the template the workers are on site at once, step 2. True when a bus was made.
	bool startWorkerBus(float speed, bool withTraffic, const char* cue);
	void advanceBus(irr::u32 elapsed);
	// Steps 4 to 6 of the worker bus: leaving, then removed once gone.
	void stepBusDeparture();
	// "MovingTo" from the bus: step 2; "MovingFrom": step 6. Never consumes the event.
	bool onBusMoveFinished(CEventNodeStateFinished* event);
	void removeBus();

	// The progress bar over the building (none without the template).
	void makeProgressBar();
	void showProgress(float value);
	void removeProgressBar();

	// The level's build-time factor (1 without a configuration).
	float buildTimeFactor() const;

	GGameLevelScene* level = nullptr;   // back-link: the level owns the process
	BaseNode* cargosNode = nullptr;     // back-link: a child of the level
	GBuildingNode* building = nullptr;  // back-link: the level owns its buildings
	SmartPointer<GBuildingType> record; // the building's record at creation
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<BaseProgressBarNode> progressBar;
	SmartPointer<GPathMovableNode> bus; // a child of the cargos node while it drives
	SmartPointer<GLevelPath> path;
	int step = 0;

private:
	irr::core::array<BaseNode*> listened; // nodes whose post-listeners hold this process
};

// The name's interned id.
StringId processName(const char* name);
