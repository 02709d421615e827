#pragma once

#include "FuzzSceneSupport.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"
#include "scene/NodeEvents.h"

// The level the level fuzz targets play: fixed parts, and the player's commands over a running clock.
// Buildings records of a small line: an empty place, a hostel that upgrades to a café with a feature.
inline const char* const FuzzRecords =
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

// A level configuration with money to spend, workers and short timers.
inline const char* const FuzzLevelText =
    "<Level><Properties><float Name=\"InitMoney\" Value=\"1000\"/>"
    "<float Name=\"InitMaterialsCount\" Value=\"100\"/><int Name=\"InitWorkersCount\" Value=\"4\"/>"
    "<vector2d Name=\"BuildingsBuyRequestTime\" Value=\"100;200\"/>"
    "<vector2d Name=\"BuildingsBuyRequestTimeWaiting\" Value=\"100;200\"/>"
    "<vector2d Name=\"BuildingsSellTime\" Value=\"100;200\"/></Properties>"
    "<Objectives><Objective Type=\"Money\" Value=\"5000\"/></Objectives></Level>";

// The templates the buildings of a level look for.
inline const char* const FuzzLevelTemplates =
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


// Sets the level up with the configurations, then clicks, builds, upgrades, demolishes, repairs, buys, sells,
// starts features, shows serve areas and runs the level's clock.
inline void playFuzzLevel(FuzzSceneServices& services, GGameLevelScene* scene, GBuildingsConfiguration* records,
                          GLevelConfiguration* level)
{
	SmartPointer<BaseNode> holder(new BaseNode());
	holder->attachToSceneManager(&services, nullptr);
	holder->addChild(scene);
	scene->attachToSceneManager(&services, scene);
	scene->setBuildingsConfiguration(records);
	scene->setConfiguration(level);
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
			scene->abortWork(building.get());
			break;
		case 2:
			scene->destroyBuilding(building.get());
			break;
		default:
			building->setCondition(GBuildingNode::Broken);
			scene->repairBuilding(building.get());
			scene->buyBuilding(building.get());
			scene->activateFeature(building.get(), 0);
			scene->toggleSale(building.get());
		}
		building->setForSale(++i % 2 == 0);
		building->updateServeArea(building->getRecord());
		building->showBuildPreview(scene->getBuildingsConfiguration()->findBuilding(internStringId("Cafe1")).get());
		building->setWorkersText(2);
		building->showBuildPreview(nullptr);
		building->setWorkersText(0);
		building->setStars();
	}
	services.step(40);
	scene->recalculateStats();
	services.queue.clear();
	holder->removeChild(scene);
}
