#pragma once

#include "content/CVirtualFile.h"
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "core/SmartPointer.h"
#include "scene/BaseNode.h"
#include "scene/ISceneServices.h"
#include "scene/NodeEventQueue.h"

class TaskScheduler;
class TemplateCollectionNode;

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Makes the state actions and scene node classes known to the node factory.
void registerSceneClasses();

// A reader over XML text, moved onto the first start tag named element (any element when null).
SmartPointer<CXMLReader> readerOn(const std::string& xml, const wchar_t* element = nullptr);

// An XML writer over a growing in-memory file.
struct XmlOutput
{
	SmartPointer<CVirtualFile> file{new CVirtualFile("out.qscn")};
	SmartPointer<CXMLWriter> writer{new CXMLWriter(file.get())};

	// Everything written so far.
	std::string bytes() const;
	// The text written, narrowed (the writer writes UTF-16).
	std::string text() const;
};

// Node that records every event it is handed: {type id, state name or -1}.
class StateRecorder : public BaseNode
{
public:
	using BaseNode::BaseNode;
	bool onEvent(CEvent* event) override;

	// Type ids recorded, in order.
	std::vector<int> ids() const;
	// How often an event of that id arrived with that state name (any name for an empty id).
	int count(int typeId, StringId state = StringId()) const;
	void clearLog() { log.clear(); }

	std::vector<std::pair<int, StringId>> log;
};

// Scene manager stand-in: a posted-event queue, one scheduler for its scene, a template store,
// and a recording root node standing for the scene.
class FakeSceneManager : public INodeEventQueue, public ISceneServices
{
public:
	FakeSceneManager();
	~FakeSceneManager();

	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override;
	TemplateCollectionNode* getTemplateCollection() const override;
	TaskScheduler* getSceneScheduler(const SceneNode* scene) const override;

	// The scene link given to attached nodes.
	SceneNode* sceneLink() const;
	// Makes the node a child of the scene root, attached to this manager.
	void attach(BaseNode* node);
	// Runs the scheduler for 20 ms and delivers the posted events, the given number of times.
	void tick(int times = 1);

	NodeEventQueue queue;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<StateRecorder> scene;
	SmartPointer<TemplateCollectionNode> templates;
};
