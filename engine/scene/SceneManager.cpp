#include "SceneManager.h"

#include "HeldChildren.h"
#include "NodeEvents.h"
#include "SceneNode.h"
#include "TemplateCollectionNode.h"
#include "content/CQuadBatcher.h"
#include "core/IScheduledTask.h"
#include "core/InputEvents.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "device/IDevice.h"

#include <algorithm>

using namespace irr;

namespace
{
// Drains its manager's queue on every update of the scheduler it is attached to. Allocated apart
// from the manager: a scheduler in mid-update may still hold it after the manager is gone.
class DrainTask : public IScheduledTask
{
public:
	explicit DrainTask(SceneManager* manager) : owner(manager) { period = 0; }

	bool run(unsigned) override
	{
		if (!owner)
			return false;
		owner->drainEvents();
		return true;
	}

	SceneManager* owner;
};

void flushBatcherOf(video::IVideoDriver* driver)
{
	if (CQuadBatcher* batcher = CQuadBatcher::forDriver(driver))
		batcher->flush();
}

} // namespace

SceneManager::MessageBoxCreator SceneManager::boxCreator = nullptr;

SceneManager::SceneManager(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager), eventQueue(this)
{
	mask |= EventCategoryNode | EventCategoryKeyboard | EventCategoryMouse;
	drainTask = new DrainTask(this);
	BaseNode::setBatcherFlushFunction(&flushBatcherOf);
}

SceneManager::~SceneManager()
{
	static_cast<DrainTask*>(drainTask)->owner = nullptr;
	drainTask->setScheduler(nullptr);
	drainTask->drop();
	eventQueue.clear();
	processRemovalQueue();
	navigations.clear();
	topScene = nullptr;
	// Scenes let go of their schedulers while they are still alive as children.
	for (u32 i = 0; i < children.size(); ++i)
	{
		if (SceneNode* scene = nodeCast<SceneNode>(children[i]))
			scene->setTaskScheduler(nullptr);
	}
	removeAllChildren();
	setTemplateCollection(nullptr);
	while (!sceneSchedulers.empty())
	{
		const SceneScheduler entry = sceneSchedulers.back();
		sceneSchedulers.pop_back();
		if (entry.device)
			entry.device->removeEventListener(entry.scheduler);
		entry.scheduler->drop();
	}
}

// ---- services

void SceneManager::setScheduler(TaskScheduler* value)
{
	scheduler = value;
	drainTask->setScheduler(value);
}

void SceneManager::setTemplateCollection(TemplateCollectionNode* collection)
{
	if (collection)
		collection->grab();
	if (templateCollection)
		templateCollection->drop();
	templateCollection = collection;
	if (!collection)
		return;
	SmartPointer<CEventNodeTemplatesChanged> event(new CEventNodeTemplatesChanged(collection));
	sendToChildren(DeliverChildrenThenSelf, event.get());
}

TaskScheduler* SceneManager::getSceneScheduler(const SceneNode* scene) const
{
	return scene ? scene->getTaskScheduler() : nullptr;
}

void SceneManager::setMessageBoxCreator(MessageBoxCreator creator)
{
	boxCreator = creator;
}

// ---- posted events

void SceneManager::queueEvent(EventReceiver* receiver, int mode, CEvent* event)
{
	eventQueue.queueEvent(receiver, mode, event);
}

void SceneManager::drainEvents()
{
	if (eventQueue.isDraining())
		return;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	eventQueue.drain();
	processRemovalQueue();
}

void SceneManager::queueSceneRemoval(SceneNode* scene)
{
	if (scene)
		removalQueue.push_back(scene);
}

void SceneManager::processRemovalQueue()
{
	std::vector<SceneNode*> queued;
	queued.swap(removalQueue);
	for (SceneNode* scene : queued)
	{
		bool isChild = false;
		for (u32 i = 0; i < children.size() && !isChild; ++i)
			isChild = children[i] == scene;
		// A scene that left the manager otherwise may be gone: only children are touched.
		if (!isChild)
			continue;
		if (scene == topScene)
			topScene = nullptr;
		releaseSceneScheduler(scene);
		removeChild(scene);
	}
}

// ---- scene schedulers

void SceneManager::createSceneScheduler(SceneNode* scene)
{
	if (!scene)
		return;
	releaseSceneScheduler(scene);
	IDevice* owner = device ? device : Singleton<IDevice>::peek();
	TaskScheduler* created = owner ? owner->createTaskScheduler() : new TaskScheduler();
	if (owner)
		owner->addEventListener(created, SceneSchedulerPriority);
	sceneSchedulers.push_back({scene, created, owner});
	scene->setTaskScheduler(created);
}

void SceneManager::releaseSceneScheduler(SceneNode* scene)
{
	for (size_t i = 0; i < sceneSchedulers.size(); ++i)
	{
		if (sceneSchedulers[i].scene != scene)
			continue;
		const SceneScheduler entry = sceneSchedulers[i];
		sceneSchedulers.erase(sceneSchedulers.begin() + static_cast<std::ptrdiff_t>(i));
		if (scene->getTaskScheduler() == entry.scheduler)
			scene->setTaskScheduler(nullptr);
		if (entry.device)
			entry.device->removeEventListener(entry.scheduler);
		entry.scheduler->drop();
		return;
	}
}

// ---- event routing

bool SceneManager::sendToParent(int mode, CEvent* event)
{
	if (!event)
		return false;
	if (parent && (parent->mask & event->mask))
		return parent->deliverEvent(mode, event);
	// The root of the tree: nothing above it is left to be told.
	return true;
}

bool SceneManager::sendToChildren(int mode, CEvent* event)
{
	if (!event)
		return false;
	if (event->isKindOf(CEventInput::TypeId))
		return sendInputToTopScene(mode, event);
	// A nested manager's scenes take attachment and templates from the outer manager's scenes only.
	if (getSceneManager() && (event->isKindOf(CEventNodeSceneAttached::TypeId) ||
	                          event->isKindOf(CEventNodeTemplatesChanged::TypeId) || event->isKindOf(35)))
		return false;
	const HeldChildren scenes(this);
	for (u32 i = 0; i < scenes.size(); ++i)
	{
		BaseNode* scene = scenes[i];
		if (scene->getParent() == this && (scene->mask & event->mask) && scene->deliverEvent(mode, event))
			return true;
	}
	return false;
}

bool SceneManager::sendInputToTopScene(int, CEvent* event)
{
	if (!topScene || topScene->getParent() != this || isInNavigation(topScene))
		return false;
	SmartPointer<SceneNode> scene(shareRef(topScene));
	return scene->sendToChildren(DeliverChildrenThenSelf, event) || scene->onEvent(event);
}

// ---- drawing

void SceneManager::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	list.push_back(RenderEntry{this, absoluteTransformation[14], 0});
}

void SceneManager::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	draw(driver);
}

void SceneManager::draw(video::IVideoDriver* driver)
{
	if (!driver)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	renderList.set_used(0);
	renderListSorted = false;
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(renderList);
	if (sortingEnabled && !renderListSorted && renderList.size() >= 2)
		sortRenderList();
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	batcher->flush();
	batcher->begin();
	for (u32 i = 0; i < renderList.size(); ++i)
		renderList[i].node->draw(driver, nullptr);
	batcher->end();
	renderList.set_used(0);
}

void SceneManager::sortRenderList()
{
	RenderEntry* first = renderList.pointer();
	RenderEntry* last = first + renderList.size();
	const auto before = [](const RenderEntry& a, const RenderEntry& b)
	{ return a.depth < b.depth || (a.depth == b.depth && a.key < b.key); };
	// Stable: entries of one depth and key keep the tree's order, the same in every frame.
	std::stable_sort(first, last, before);
	renderListSorted = true;
}
