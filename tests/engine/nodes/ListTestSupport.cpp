#include "ListTestSupport.h"

#include "content/CXMLReader.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <cstdio>

namespace widgettest
{
MoveCounter::MoveCounter(const ContentRef& reference, BaseNode* parent, INodeEventQueue* manager)
    : BaseNode(reference, parent, manager)
{
	mask |= EventCategoryMouse;
}

bool MoveCounter::onEvent(CEvent* event)
{
	if (event && event->typeId() == CEventInputMouseMove::TypeId)
		++moves;
	return BaseNode::onEvent(event);
}

bool EventLog::onEvent(CEvent* event)
{
	const int id = event ? event->typeId() : -1;
	if (id >= CEventNodeListSelectionChanged::TypeId && id <= CEventNodeListItemHovered::TypeId)
	{
		const auto* list = static_cast<CEventNodeListBase*>(event);
		const auto* check = eventCast<CEventNodeListItemCheckChanged>(event);
		seen.push_back({id, list->list, list->item, check && check->checked});
	}
	else if (auto* changed = eventCast<CEventNodeValueChanged>(event))
	{
		seen.push_back({id, changed->control, -1, false});
	}
	else if (auto* result = eventCast<CEventNodeMessageBoxResult>(event))
	{
		seen.push_back({id, nullptr, result->result, false});
	}
	return BaseNode::onEvent(event);
}

std::vector<int> EventLog::ids() const
{
	std::vector<int> out;
	for (const SeenEvent& e : seen)
		out.push_back(e.id);
	return out;
}

int EventLog::count(int id) const
{
	int n = 0;
	for (const SeenEvent& e : seen)
		n += e.id == id ? 1 : 0;
	return n;
}

WidgetScene::WidgetScene(const std::string& templatesXml) : scheduler(new TaskScheduler()), log(new EventLog())
{
	if (!templatesXml.empty())
		templates = loadTemplateCollection(templatesXml);
	log->attachToSceneManager(this, nullptr);
}

WidgetScene::~WidgetScene()
{
	queue.clear();
	log->removeAllChildren();
}

void WidgetScene::queueEvent(EventReceiver* receiver, int mode, CEvent* event)
{
	queue.queueEvent(receiver, mode, event);
}

void WidgetScene::attach(BaseNode* node)
{
	log->addChild(node);
}

void registerWidgetTestClasses()
{
	NodeFactory::instance()->registerNodeCreator(L"WidgetHitArea", &createNodeOfClass<HitArea>);
	NodeFactory::instance()->registerNodeCreator(L"WidgetMoveCounter", &createNodeOfClass<MoveCounter>);
}

SmartPointer<TemplateCollectionNode> loadTemplateCollection(const std::string& templatesXml)
{
	registerWidgetTestClasses();
	const std::string xml = "<SceneNode Type=\"TemplateCollectionNode\">" + templatesXml + "</SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	BaseNode* node = SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t");
	auto* collection = nodeCast<TemplateCollectionNode>(node);
	if (!collection && node)
		node->drop();
	return SmartPointer<TemplateCollectionNode>(collection);
}

std::string nodeXml(const char* type, const char* name, const std::string& properties, const std::string& children)
{
	std::string xml = std::string("<SceneNode Type=\"") + type + "\"><Properties>";
	if (name && *name)
		xml += std::string("<string Name=\"Name\" Value=\"") + name + "\"/>";
	return xml + properties + "</Properties>" + children + "</SceneNode>";
}

std::string vectorProperty(const char* name, float x, float y, float z)
{
	char value[96];
	std::snprintf(value, sizeof(value), "%f;%f;%f", x, y, z);
	return std::string("<vector3d Name=\"") + name + "\" Value=\"" + value + "\"/>";
}
} // namespace widgettest
