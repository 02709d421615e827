#pragma once

#include "SceneTestSupport.h"
#include "core/InputEvents.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "scene/AnimatorSet.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A scene that records the ids of the events handed to it and may swallow input.
class RecordingScene : public SceneNode
{
	ENGINE_NODE_TYPE(RecordingScene, 1000, SceneNode)
	ENGINE_NODE_CLONE(RecordingScene)
public:
	explicit RecordingScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr)
	    : SceneNode(reference, parent, sceneManager)
	{
	}

	bool onEvent(CEvent* event) override
	{
		ids.push_back(event->typeId());
		if (auto* finished = eventCast<CEventNodeChildrenStateFinished>(event))
			finishedStates.push_back(getStringById(finished->stateName).c_str());
		if (auto* result = eventCast<CEventNodeMessageBoxResult>(event))
			lastResult = result->result;
		if (swallowInput && event->isKindOf(CEventInput::TypeId))
			return true;
		return SceneNode::onEvent(event);
	}

	int count(int id) const { return static_cast<int>(std::count(ids.begin(), ids.end(), id)); }

	int finishedCount(const char* state) const
	{
		return static_cast<int>(std::count(finishedStates.begin(), finishedStates.end(), state));
	}

	std::vector<int> ids;
	// Names of the children states reported finished to the scene.
	std::vector<std::string> finishedStates;
	int lastResult = -1;
	bool swallowInput = true;
};

// A message box class standing in for the node library's: answers a fixed result.
class FixedResultBox : public SceneNode
{
	ENGINE_NODE_TYPE(FixedResultBox, NodeTypeMessageBoxNode, SceneNode)
	ENGINE_NODE_CLONE(FixedResultBox)
public:
	using SceneNode::SceneNode;
	int getMessageBoxResult() const override { return 2; }
};

// Every navigation state moves the node over ms milliseconds.
inline std::string navigationStates(int ms)
{
	std::string states;
	for (const char* name : {"NavTo", "NavFrom", "NavBackFrom", "NavBackTo"})
		states += std::string("<State Name=\"") + name + "\"><Animator Type=\"KeyFrame\"><Properties>" +
		          "<vector3d Name=\"Position\" Value=\"\"/></Properties><KeyFrame t=\"0\" Value0=\"0;0;0\"/>" +
		          "<KeyFrame t=\"" + std::to_string(ms) + "\" i=\"0\" Value0=\"100;0;0\"/></Animator></State>";
	return states;
}

// A scene whose one child plays every navigation state for ms milliseconds (no child: instant).
template <class Scene = RecordingScene> SmartPointer<Scene> makeScene(const char* name, int ms)
{
	SmartPointer<Scene> scene(new Scene());
	scene->setName(name);
	if (ms > 0)
	{
		registerSceneClasses();
		SmartPointer<BaseNode> child(new BaseNode());
		child->setName("Part");
		SmartPointer<CXMLReader> reader = readerOn("<States>" + navigationStates(ms) + "</States>", L"States");
		child->loadStates(reader.get());
		scene->addChild(child.get());
	}
	return scene;
}

// A device without window, a scene manager made by it and the scheduler that drains its queue;
// update() drives the drain (priority 0) and the scene schedulers (priority 1000) through the device.
class SceneStackTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		device = new CDeviceStub();
		manager = device->createSceneManager();
		uiScheduler = device->createTaskScheduler();
		device->addEventListener(uiScheduler.get(), 0);
		manager->setScheduler(uiScheduler.get());
	}
	void TearDown() override
	{
		manager = nullptr;
		device->removeEventListener(uiScheduler.get());
		uiScheduler = nullptr;
		device = nullptr;
	}

	void update(int ms = 10, int times = 1)
	{
		for (int i = 0; i < times; ++i)
			device->postEvent(new CEventSystemFlowUpdate(ms));
	}

	// Ids of the scenes, bottom to top.
	std::vector<std::string> stack() const
	{
		std::vector<std::string> names;
		for (irr::u32 i = 0; i < manager->getChildren().size(); ++i)
			names.push_back(getStringById(manager->getChildren()[i]->getName()).c_str());
		return names;
	}

	BaseNode* part(SceneNode* scene) const { return scene->findChild(internStringId("Part"), 1); }
	bool playing(SceneNode* scene, const char* state) const
	{
		BaseNode* p = part(scene);
		return p && p->getRunningState() && p->getRunningState()->isRunning() &&
		       p->getRunningState()->getName() == internStringId(state);
	}

	SmartPointer<CDeviceStub> device;
	SmartPointer<SceneManager> manager;
	SmartPointer<TaskScheduler> uiScheduler;
};
