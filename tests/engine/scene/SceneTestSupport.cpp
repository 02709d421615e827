#include "SceneTestSupport.h"

#include "core/TaskScheduler.h"
#include "scene/KeyFrame.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "scene/SetProps.h"
#include "scene/SetStates.h"
#include "scene/TemplateCollectionNode.h"

#include <irrlicht/irrArray.h>

namespace
{
template <class A> Base* makeAction()
{
	return new A();
}
} // namespace

void registerSceneClasses()
{
	NodeFactory* factory = NodeFactory::instance();
	factory->registerActionCreator(L"KeyFrame", &makeAction<KeyFrame>);
	factory->registerActionCreator(L"SetProps", &makeAction<SetProps>);
	factory->registerActionCreator(L"SetStates", &makeAction<SetStates>);
}

SmartPointer<CXMLReader> readerOn(const std::string& xml, const wchar_t* element)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	while (reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT && (!element || reader->getNodeName() == element))
			break;
	}
	return reader;
}

std::string XmlOutput::bytes() const
{
	std::string out(static_cast<size_t>(file->getSize()), '\0');
	const long pos = file->getPos();
	file->seek(0);
	file->read(out.data(), static_cast<irr::u32>(out.size()));
	file->seek(pos);
	return out;
}

std::string XmlOutput::text() const
{
	const std::string raw = bytes();
	std::string out;
	const size_t start = raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF ? 2 : 0;
	for (size_t i = start; i + 1 < raw.size(); i += 2)
		out += raw[i];
	return out;
}

bool StateRecorder::onEvent(CEvent* event)
{
	const int id = event ? event->typeId() : -1;
	if (id == 68 || id == 70 || id == 72 || id == 74)
		log.emplace_back(id, static_cast<CEventNodeStateBase*>(event)->stateName);
	else if (auto* started = eventCast<CEventNodeAnimatorStarted>(event))
		log.emplace_back(event->typeId(), started->stateName);
	else if (auto* ended = eventCast<CEventNodeAnimatorEnded>(event))
		log.emplace_back(event->typeId(), ended->stateName);
	else if (event)
		log.emplace_back(event->typeId(), StringId());
	return BaseNode::onEvent(event);
}

std::vector<int> StateRecorder::ids() const
{
	std::vector<int> out;
	for (const auto& entry : log)
		out.push_back(entry.first);
	return out;
}

int StateRecorder::count(int typeId, StringId state) const
{
	int n = 0;
	for (const auto& entry : log)
	{
		if (entry.first == typeId && (state.isEmpty() || entry.second == state))
			++n;
	}
	return n;
}

FakeSceneManager::FakeSceneManager() : scheduler(new TaskScheduler()), scene(new StateRecorder()) {}

FakeSceneManager::~FakeSceneManager()
{
	queue.clear();
	scene->removeAllChildren();
}

void FakeSceneManager::queueEvent(EventReceiver* receiver, int mode, CEvent* event)
{
	queue.queueEvent(receiver, mode, event);
}

TemplateCollectionNode* FakeSceneManager::getTemplateCollection() const
{
	return templates.get();
}

TaskScheduler* FakeSceneManager::getSceneScheduler(const SceneNode*) const
{
	return scheduler.get();
}

SceneNode* FakeSceneManager::sceneLink() const
{
	// Nothing looks through the scene link but this manager, which ignores it.
	static char marker;
	return reinterpret_cast<SceneNode*>(&marker);
}

void FakeSceneManager::attach(BaseNode* node)
{
	scene->attachToSceneManager(this, sceneLink());
	scene->addChild(node);
}

void FakeSceneManager::tick(int times)
{
	for (int i = 0; i < times; ++i)
	{
		scheduler->update(20);
		queue.drain();
	}
}
