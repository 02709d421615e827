#pragma once

#include "BaseNode.h"
#include "INodeEventQueue.h"
#include "ISceneServices.h"
#include "NavigationRecord.h"
#include "NodeEventQueue.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <vector>

class IDevice;
class IScheduledTask;
class SceneNode;
class TaskScheduler;
class TemplateCollectionNode;
class CEventNodeChildrenStateFinished;

// Root of one tree of open scenes: shows, stacks and closes them with animated transitions,
// gives each its own task scheduler, routes input to the top scene, owns the posted-event queue
// and draws the whole tree through the quad batcher.
class SceneManager : public BaseNode, public INodeEventQueue, public ISceneServices
{
	ENGINE_NODE_TYPE(SceneManager, NodeTypeSceneManager, BaseNode)
	ENGINE_NODE_CLONE(SceneManager)

public:
	// Makes the box a message box opens with (one reference for the caller), or null.
	using MessageBoxCreator = SceneNode* (*)(const irr::core::array<irr::core::stringw>& buttonTexts,
	                                         const irr::core::stringw& titleText, const irr::core::stringw& bodyText);

	explicit SceneManager(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                      INodeEventQueue* sceneManager = nullptr);
	~SceneManager() override;

	// ---- properties: a manager reads and writes none
	void writeProperties(CPropertyCollection&) const override {}
	void readProperties(const CPropertyCollection&) override {}

	// ---- services
	// The device scene schedulers are registered with; the live device when none is set.
	void setDevice(IDevice* value) { device = value; }
	// The scheduler whose every update drains the posted events.
	void setScheduler(TaskScheduler* value);
	TaskScheduler* getScheduler() const { return scheduler; }
	void setTemplateCollection(TemplateCollectionNode* collection);
	TemplateCollectionNode* getTemplateCollection() const override { return templateCollection; }
	TaskScheduler* getSceneScheduler(const SceneNode* scene) const override;
	// The class of box showMessageBox makes; null restores the default (a MessageBoxNode).
	static void setMessageBoxCreator(MessageBoxCreator creator);

	// ---- the scene stack (a state of -1 picks the navigation state of the move)
	SceneNode* getTopScene() const { return topScene; }
	// Closes every open scene and shows this one (null: closes them all).
	bool showScene(SceneNode* scene, StringId toState = StringId());
	// Stacks newScene right over current (null current: after the last scene, top unchanged).
	bool pushScene(SceneNode* current, SceneNode* newScene, StringId fromState = StringId(),
	               StringId toState = StringId(), bool keepCoveredVisible = false);
	// Closes closing and every scene between it and target, a scene below it.
	bool closeSceneTo(SceneNode* closing, SceneNode* target, StringId fromState = StringId(),
	                  StringId toState = StringId());
	// Makes a box from the named template and opens it over scene; the box (its parent holds it) or null.
	SceneNode* showMessageBox(SceneNode* scene, StringId templateName,
	                          const irr::core::array<irr::core::stringw>& buttonTexts,
	                          const irr::core::stringw& titleText, const irr::core::stringw& bodyText);
	// Opens an existing scene as a message box over scene, centred on it; false when refused.
	bool openMessageBox(SceneNode* scene, SceneNode* box);

	// ---- navigation records
	bool isInNavigation(const SceneNode* scene) const;
	// A copy of the first record naming the scene, or the empty record.
	NavigationRecord findNavigation(const SceneNode* scene) const;
	void removeNavigation(const SceneNode* scene);
	const std::vector<NavigationRecord>& getNavigations() const { return navigations; }

	// ---- posted events
	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override;
	// Queues into this manager's own queue (not the parent manager's, as BaseNode's does).
	void postEvent(EventReceiver* receiver, int mode, CEvent* event) { queueEvent(receiver, mode, event); }
	// Delivers every posted event, then detaches the scenes queued for removal.
	void drainEvents();
	int getPendingEventCount() const { return eventQueue.getCount(); }
	void queueSceneRemoval(SceneNode* scene);

	// ---- scene schedulers
	// Gives the scene a new scheduler registered with the device at priority 1000.
	void createSceneScheduler(SceneNode* scene);
	int getSceneSchedulerCount() const { return static_cast<int>(sceneSchedulers.size()); }

	// ---- drawing
	bool sortingEnabled = false;
	void draw(irr::video::IVideoDriver* driver);
	// A nested manager draws its scenes when its own entry comes up.
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;
	void addToRenderList(RenderList& list) override;
	const RenderList& getRenderList() const { return renderList; }

	// ---- events
	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;
	bool sendToParent(int mode, CEvent* event) override;
	bool sendToChildren(int mode, CEvent* event) override;

	static constexpr int SceneSchedulerPriority = 1000;

private:
	struct SceneScheduler
	{
		SceneNode* scene;
		TaskScheduler* scheduler;
		IDevice* device;
	};

	bool sendInputToTopScene(int mode, CEvent* event);
	void processRemovalQueue();
	// Removes the scene's scheduler from its device and lets go of it.
	void releaseSceneScheduler(SceneNode* scene);
	void attachScene(SceneNode* scene);
	void offerSceneAttached(SceneNode* scene);
	void sendChangeStarted(SceneNode* scene, CEvent* change, CEvent* started);
	void startChildrenState(SceneNode* scene, StringId state);
	void cutTransitionShort(SceneNode* scene);
	// With sorting on, raises an opened scene's depth above every scene it covers.
	void liftOverCovered(SceneNode* below, SceneNode* scene);
	void completeNewSide(SceneNode* scene, const NavigationRecord& record);
	void completeOldSide(SceneNode* scene, const NavigationRecord& record);
	void sortRenderList();

	static MessageBoxCreator boxCreator;

	IScheduledTask* drainTask = nullptr;
	TemplateCollectionNode* templateCollection = nullptr;
	TaskScheduler* scheduler = nullptr;
	std::vector<SceneScheduler> sceneSchedulers;
	IDevice* device = nullptr;
	SceneNode* topScene = nullptr;
	std::vector<NavigationRecord> navigations;
	RenderList renderList;
	bool renderListSorted = false;
	std::vector<SceneNode*> removalQueue;
	NodeEventQueue eventQueue;
};
