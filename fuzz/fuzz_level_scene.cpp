// Reads a level scene file ("Level.qscn") from the input, sets the level up with a small fixed
// configuration, then clicks, sells, starts features, shows serve areas and runs the level's clock.
#include "app/GameNodeClasses.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "data/GBuildingType.h"
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

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{
const char* const records =
    "<BuildingsConfiguration>"
    "<Building><Properties><string Name=\"Name\" Value=\"BuildingPlace\"/></Properties></Building>"
    "<Building><Properties><string Name=\"Name\" Value=\"Hostel1\"/><int Name=\"Level\" Value=\"1\"/>"
    "<float Name=\"Income\" Value=\"100\"/><int Name=\"GuestsCount\" Value=\"10\"/>"
    "<float Name=\"SellPrice\" Value=\"5000\"/><string Name=\"NextLevelName\" Value=\"Cafe1\"/>"
    "</Properties></Building>"
    "<Building><Properties><string Name=\"Name\" Value=\"Cafe1\"/><int Name=\"Level\" Value=\"1\"/>"
    "<int Name=\"Type\" Value=\"1\"/><vector2d Name=\"ServeArea\" Value=\"400;300\"/>"
    "<float Name=\"ServeIncome\" Value=\"5\"/><float Name=\"ServeAreaIncomeBonus\" Value=\"10\"/></Properties>"
    "<ActiveFeature DurationTime=\"300\" RechargeTime=\"200\"><Feature Type=\"BoostIncome\"/>"
    "<Feature Type=\"BoostServeArea\"/></ActiveFeature></Building>"
    "</BuildingsConfiguration>";

const char* const level =
    "<Level><Properties><float Name=\"InitMoney\" Value=\"1000\"/>"
    "<float Name=\"InitMaterialsCount\" Value=\"100\"/><int Name=\"InitWorkersCount\" Value=\"4\"/>"
    "<vector2d Name=\"BuildingsBuyRequestTime\" Value=\"100;200\"/>"
    "<vector2d Name=\"BuildingsBuyRequestTimeWaiting\" Value=\"100;200\"/>"
    "<vector2d Name=\"BuildingsSellTime\" Value=\"100;200\"/></Properties>"
    "<Objectives><Objective Type=\"Money\" Value=\"5000\"/></Objectives></Level>";

const char* const templates =
    "<SceneNode Type=\"TemplateCollectionNode\">"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"ServeArea\"/></Properties></SceneNode>"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"RepairIcon\"/></Properties></SceneNode>"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"PhoneIcon\"/></Properties></SceneNode>"
    // Looks that carry their own stars and workers text, swapped by the build preview.
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"Cafe1\"/></Properties>"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"StarIcons\"/></Properties>"
    "<SceneNode Type=\"SpriteNode\"><Properties><string Name=\"Name\" Value=\"S1\"/></Properties></SceneNode>"
    "</SceneNode>"
    "<SceneNode Type=\"TextNode\"><Properties><string Name=\"Name\" Value=\"WorkersText\"/></Properties></SceneNode>"
    "</SceneNode>"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"BuildingPlace\"/></Properties>"
    "<SceneNode Type=\"TextNode\"><Properties><string Name=\"Name\" Value=\"WorkersText\"/></Properties></SceneNode>"
    "</SceneNode>"
    "</SceneNode>";

template <class T> SmartPointer<T> readConfiguration(const char* xml)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(xml, std::char_traits<char>::length(xml)));
	SmartPointer<T> configuration(new T());
	configuration->load(reader.get());
	return configuration;
}

class Services : public INodeEventQueue, public ISceneServices
{
public:
	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override
	{
		queue.queueEvent(receiver, mode, event);
	}
	TemplateCollectionNode* getTemplateCollection() const override { return collection.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }
	NodeEventQueue queue;
	SmartPointer<TaskScheduler> scheduler{new TaskScheduler()};
	SmartPointer<TemplateCollectionNode> collection;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	registerGameNodeClasses();
	Services services;
	{
		SmartPointer<CXMLReader> reader(new CXMLReader(templates, std::char_traits<char>::length(templates)));
		services.collection.reset(nodeCast<TemplateCollectionNode>(
		    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t.qscn")));
	}
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "Level.qscn"));
	auto* scene = nodeCast<GGameLevelScene>(root.get());
	if (scene)
	{
		SmartPointer<BaseNode> holder(new BaseNode());
		holder->attachToSceneManager(&services, nullptr);
		holder->addChild(scene);
		scene->attachToSceneManager(&services, scene);
		scene->setBuildingsConfiguration(readConfiguration<GBuildingsConfiguration>(records).get());
		scene->setConfiguration(readConfiguration<GLevelConfiguration>(level).get());
		scene->setUpgrades(nullptr);
		SmartPointer<CEventNodeSceneChangeStarted> entered(new CEventNodeSceneChangeStarted(nullptr, scene, 0));
		scene->onEvent(entered.get());
		int i = 0;
		SmartPointer<GBuildingType> cafe = scene->getBuildingsConfiguration()->findBuilding(internStringId("Cafe1"));
		for (const SmartPointer<GBuildingNode>& building : scene->getBuildings())
		{
			SmartPointer<CEventNodeClicked> click(new CEventNodeClicked(building.get()));
			scene->onEvent(click.get());
			building->activateFeature(0);
			// The player's commands, each on a quarter of the buildings; the level checks them all.
			switch (i % 4)
			{
			case 0:
				scene->buildOnPlace(building.get(), cafe.get());
				break;
			case 1:
				scene->upgradeBuilding(building.get());
				break;
			case 2:
				scene->destroyBuilding(building.get());
				break;
			default:
				building->setCondition(GBuildingNode::Broken);
				scene->repairBuilding(building.get());
				scene->buyBuilding(building.get());
				scene->activateFeature(building.get(), 0);
			}
			building->setForSale(++i % 2 == 0);
			building->updateServeArea(building->getRecord());
			building->showBuildPreview(scene->getBuildingsConfiguration()->findBuilding(internStringId("Cafe1")).get());
			building->setWorkersText(2);
			building->showBuildPreview(nullptr);
			building->setWorkersText(0);
			building->setStars();
		}
		for (int step = 0; step < 40; ++step)
		{
			services.scheduler->update(20);
			services.queue.drain();
		}
		scene->recalculateStats();
		services.queue.clear();
		holder->removeChild(scene);
	}
	return 0;
}
