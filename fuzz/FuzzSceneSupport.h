#pragma once

#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/ISceneServices.h"
#include "scene/NodeEventQueue.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"
#include "scene/TemplateCollectionNode.h"

#include <cstddef>
#include <string>

// What a scene needs of its scene manager in a fuzz target: an event queue, a scheduler, templates.
class FuzzSceneServices : public INodeEventQueue, public ISceneServices
{
public:
	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override
	{
		queue.queueEvent(receiver, mode, event);
	}
	TemplateCollectionNode* getTemplateCollection() const override { return collection.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }
	// Runs the scheduler and delivers the events, 20 ms a step.
	void step(int steps)
	{
		for (int i = 0; i < steps; ++i)
		{
			scheduler->update(20);
			queue.drain();
		}
	}
	NodeEventQueue queue;
	SmartPointer<TaskScheduler> scheduler{new TaskScheduler()};
	SmartPointer<TemplateCollectionNode> collection;
};

// A scene file's root read from text; null when the text holds none.
inline SmartPointer<BaseNode> readFuzzScene(const char* text, size_t size, const char* fileName)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(text, size));
	return SmartPointer<BaseNode>(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), fileName));
}

inline SmartPointer<BaseNode> readFuzzScene(const std::string& text, const char* fileName)
{
	return readFuzzScene(text.data(), text.size(), fileName);
}

// A configuration object loaded from text.
template <class T> SmartPointer<T> readFuzzConfiguration(const char* text, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(text, size));
	SmartPointer<T> configuration(new T());
	configuration->load(reader.get());
	return configuration;
}
