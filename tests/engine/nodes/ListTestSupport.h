#pragma once

#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/BaseNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/NodeEventQueue.h"
#include "scene/TemplateCollectionNode.h"

#include <string>
#include <vector>

// Fixtures for the slider, list and message box tests.
namespace widgettest
{
// A plain node that takes hits inside its rectangle, so controls built from it can be pressed.
class HitArea : public BaseNode
{
	ENGINE_NODE_TYPE(HitArea, 1950, BaseNode)
	ENGINE_NODE_CLONE(HitArea)
public:
	using BaseNode::BaseNode;
	bool hitTestPoint(const irr::core::vector2df& point) const override { return isPointInside(point); }
};

// A node that counts the mouse moves it is handed.
class MoveCounter : public BaseNode
{
	ENGINE_NODE_TYPE(MoveCounter, 1951, BaseNode)
	ENGINE_NODE_CLONE(MoveCounter)
public:
	MoveCounter(const ContentRef& reference, BaseNode* parent, INodeEventQueue* manager);
	bool onEvent(CEvent* event) override;
	int moves = 0;
};

// One event as a widget's parent saw it: type id, the node it names, its item and check payload.
struct SeenEvent
{
	int id;
	const BaseNode* node;
	int item;
	bool checked;
};

// Parent of the widget under test: records the widget events 59-63 and 39 it is handed.
class EventLog : public BaseNode
{
public:
	using BaseNode::BaseNode;
	bool onEvent(CEvent* event) override;
	std::vector<int> ids() const;
	int count(int id) const;
	std::vector<SeenEvent> seen;
};

// Scene manager stand-in: a posted-event queue, a scheduler and a template store, with an
// event log as the parent of the widgets.
class WidgetScene : public INodeEventQueue, public ISceneServices
{
public:
	// templatesXml: the template nodes, each a "SceneNode" element with a Name property.
	explicit WidgetScene(const std::string& templatesXml = std::string());
	~WidgetScene();

	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override;
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }

	// Adds the node under the log, attached to this manager.
	void attach(BaseNode* node);
	// Delivers what was posted.
	void drain() { queue.drain(); }

	NodeEventQueue queue;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<EventLog> log;
};

// Makes the test node classes known to the node factory.
void registerWidgetTestClasses();
// Reads a template collection from template nodes (one reference held by the result).
SmartPointer<TemplateCollectionNode> loadTemplateCollection(const std::string& templatesXml);
// A "SceneNode" element of a class with a name, further properties (XML) and children.
std::string nodeXml(const char* type, const char* name, const std::string& properties = std::string(),
                    const std::string& children = std::string());
// A vector3d property element.
std::string vectorProperty(const char* name, float x, float y, float z = 0.0f);
} // namespace widgettest
