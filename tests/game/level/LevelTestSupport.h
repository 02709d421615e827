#pragma once

#include "app/GameNodeClasses.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"
#include "scene/ISceneServices.h"
#include "scene/NodeEventQueue.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"
#include "scene/TemplateCollectionNode.h"

#include <string>
#include <vector>

// Fixtures for the building node and level scene tests: scene XML from a few lines, the level's
// configurations from XML, and a scene-manager stand-in that keeps the posted game messages.
namespace leveltest
{
// Parent of the level: writes down the id of every game message that reaches it.
class MessageLog : public BaseNode
{
public:
	MessageLog() { mask |= EventCategoryGame | EventCategoryNode; }
	bool onEvent(CEvent* event) override
	{
		if (event && (event->mask & EventCategoryGame))
			ids.push_back(event->typeId());
		return false;
	}
	int count(int id) const
	{
		int n = 0;
		for (int seen : ids)
			n += seen == id ? 1 : 0;
		return n;
	}
	std::vector<int> ids;
};

// Scene manager stand-in: the posted-event queue, the level's scheduler and a template store.
class LevelServices : public INodeEventQueue, public ISceneServices
{
public:
	LevelServices() : scheduler(new TaskScheduler()), log(new MessageLog()) {}
	~LevelServices()
	{
		queue.clear();
		log->removeAllChildren();
	}
	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override
	{
		queue.queueEvent(receiver, mode, event);
	}
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }

	NodeEventQueue queue;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<MessageLog> log;
};

inline std::string prop(const char* type, const char* name, const std::string& value)
{
	return std::string("<") + type + " Name=\"" + name + "\" Value=\"" + value + "\"/>";
}

// A "SceneNode" element of a class with a name, further properties and children.
inline std::string nodeXml(const char* type, const std::string& name, const std::string& properties = "",
                           const std::string& children = "")
{
	return std::string("<SceneNode Type=\"") + type + "\"><Properties>" + prop("string", "Name", name) + properties +
	       "</Properties>" + children + "</SceneNode>";
}

inline std::string position(float x, float y)
{
	return prop("vector3d", "Position", std::to_string(x) + ";" + std::to_string(y) + ";0");
}
inline std::string bounds(float w, float h)
{
	return prop("vector3d", "Bounds", std::to_string(w) + ";" + std::to_string(h) + ";0");
}

// A building place at (x, y), 135 x 60, starting with the record of that template name.
inline std::string buildingXml(const std::string& name, float x, float y, const std::string& templateName,
                               bool owned = true, const std::string& more = "", const std::string& children = "")
{
	return nodeXml("GBuildingNode", name,
	               position(x, y) + bounds(135, 60) + prop("string", "TemplateName", templateName) +
	                   prop("bool", "IsOwnedByThePlayer", owned ? "true" : "false") + more,
	               children);
}

// "Level.qscn" with these buildings under "Buildings" and an empty "CargosNode".
inline std::string levelXml(const std::string& buildings, bool withBuildingsNode = true)
{
	return "<SceneNode Type=\"SceneNode\" ClassOverride=\"GGameLevelScene\"><Properties>" +
	       prop("string", "Name", "Level") + "</Properties>" +
	       (withBuildingsNode ? nodeXml("ControlNode", "Buildings", "", buildings) : std::string()) +
	       nodeXml("BaseNode", "CargosNode") + nodeXml("BaseNode", "Pedestrians") + "</SceneNode>";
}

// A Building record of the buildings configuration.
inline std::string recordXml(const std::string& name, int level, int type, const std::string& properties = "",
                             const std::string& children = "")
{
	return "<Building><Properties>" + prop("string", "Name", name) + prop("int", "Level", std::to_string(level)) +
	       prop("int", "Type", std::to_string(type)) + properties + "</Properties>" + children + "</Building>";
}

inline SmartPointer<GBuildingsConfiguration> buildingsConfiguration(const std::string& records)
{
	const std::string xml = "<?xml version=\"1.0\"?>\n<BuildingsConfiguration>" + records + "</BuildingsConfiguration>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<GBuildingsConfiguration> configuration(new GBuildingsConfiguration());
	configuration->load(reader.get());
	return configuration;
}

// A level configuration of these Properties items and further elements (objectives, random events).
inline SmartPointer<GLevelConfiguration> levelConfiguration(const std::string& properties, const std::string& more = "")
{
	const std::string xml =
	    "<?xml version=\"1.0\"?>\n<Level><Properties>" + properties + "</Properties>" + more + "</Level>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<GLevelConfiguration> configuration(new GLevelConfiguration());
	configuration->load(reader.get());
	return configuration;
}

inline SmartPointer<TemplateCollectionNode> templateCollection(const std::string& templates)
{
	const std::string xml = "<SceneNode Type=\"TemplateCollectionNode\">" + templates + "</SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	BaseNode* node = SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t");
	return SmartPointer<TemplateCollectionNode>(nodeCast<TemplateCollectionNode>(node));
}

// A level read from scene XML under the stand-in's log, set up as the level start does it.
struct LevelRig
{
	explicit LevelRig(const std::string& sceneXml, const std::string& templates = "")
	{
		registerGameNodeClasses();
		services.templates = templateCollection(templates);
		SmartPointer<CXMLReader> reader(new CXMLReader(sceneXml.data(), sceneXml.size()));
		level.reset(nodeCast<GGameLevelScene>(
		    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "Level.qscn")));
	}
	~LevelRig()
	{
		services.queue.clear();
		if (level && level->getParent())
			level->getParent()->removeChild(level.get());
	}

	// Hangs the level under the log, in the stand-in scene manager.
	void attach()
	{
		services.log->attachToSceneManager(&services, nullptr);
		services.log->addChild(level.get());
		level->attachToSceneManager(&services, level.get());
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			building->applyTemplate();
	}
	void setUp(GBuildingsConfiguration* records, GLevelConfiguration* configuration)
	{
		level->setBuildingsConfiguration(records);
		level->setConfiguration(configuration);
		level->setUpgrades(nullptr);
		level->setPaused(false);
	}
	// The scene-change message of the level layer showing the level (or covering it: entering false).
	bool enter(bool entering = true)
	{
		SmartPointer<CEventNodeSceneChangeStarted> change(
		    entering ? new CEventNodeSceneChangeStarted(nullptr, level.get(), 0)
		             : new CEventNodeSceneChangeStarted(level.get(), nullptr, 0));
		return level->onEvent(change.get());
	}
	GBuildingNode* building(const char* name) const
	{
		for (const SmartPointer<GBuildingNode>& b : level->getBuildings())
			if (b->getName() == internStringId(name))
				return b.get();
		return nullptr;
	}
	void drain() { services.queue.drain(); }
	// Steps the level's scheduler 10 ms at a time until done() holds; false after maxTicks.
	template <class Done> bool tickUntil(int maxTicks, Done done)
	{
		for (int i = 0; i < maxTicks; ++i)
		{
			if (done())
				return true;
			services.scheduler->update(10);
		}
		return done();
	}

	LevelServices services;
	SmartPointer<GGameLevelScene> level;
};
} // namespace leveltest
