#include "../GameTestSupport.h"
#include "EffectTestSupport.h"
#include "app/GameNodeClasses.h"
#include "data/GLevelPath.h"
#include "effects/EffectNodeClasses.h"
#include "effects/GFireworkNode.h"
#include "effects/GPathMovableNode.h"
#include "effects/GWeatherParticlesNode.h"
#include "scene/AnimatorSet.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// The shipped movers, fireworks and weather: every state a mover asks for is there, and the files
// behave as the nodes expect.
namespace
{
// A scene file of the source assets, read with the game's classes registered.
SmartPointer<BaseNode> loadAsset(const std::string& name)
{
	registerNodeClasses(effectNodeClasses());
	std::ifstream input(sourceDir() + "/assets/" + name, std::ios::binary);
	std::stringstream text;
	text << input.rdbuf();
	const std::string xml = text.str();
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	return SmartPointer<BaseNode>(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), name.c_str()));
}

// The names of the states missing from the node of that template's "Body" (or the template itself).
std::string missingStates(BaseNode* collection, const char* templateName, const std::vector<std::string>& states)
{
	BaseNode* model = collection->findChild(internStringId(templateName), 1);
	if (!model)
		return std::string("no template ") + templateName;
	BaseNode* body = model->findChild(internStringId("Body"), 1);
	std::string missing;
	for (const std::string& state : states)
		if (!body || !body->findState(internStringId(state.c_str())))
			missing += " " + state;
	return missing;
}

const std::vector<std::string> eightDirections = {"Right", "RightUp",  "Up",   "LeftUp",
                                                  "Left",  "LeftDown", "Down", "RightDown"};
} // namespace

TEST(EffectContent, LevelMoversHaveEveryStateTheyAskFor)
{
	SmartPointer<BaseNode> movers = loadAsset("levels/common/Movers.qscn");
	ASSERT_TRUE(movers);
	std::vector<std::string> birdStates = eightDirections;
	for (const std::string& direction : eightDirections)
		birdStates.push_back(direction + "_Flap");
	EXPECT_EQ(missingStates(movers.get(), "Bird", birdStates), "");
	for (const char* name : {"CarRed", "CarBlue", "CarYellow", "Van", "Pedestrian"})
		EXPECT_EQ(missingStates(movers.get(), name, eightDirections), "") << name;
	for (const char* name : {"Bird", "CarRed", "CarBlue", "CarYellow", "Van", "Pedestrian", "TextTrail", "Balloon"})
	{
		BaseNode* model = movers->findChild(internStringId(name), 1);
		ASSERT_TRUE(model) << name;
		EXPECT_FALSE(model->canBeHit()) << name << " must not take the player's clicks";
	}
	EXPECT_TRUE(movers->findChild(internStringId("CarRed"), 1)->isKindOf(NodeTypeGCarNode));
}

TEST(EffectContent, MenuMoversHaveEveryStateTheyAskFor)
{
	SmartPointer<BaseNode> movers = loadAsset("scenes/MainMenuMovers.qscn");
	ASSERT_TRUE(movers);
	std::vector<std::string> carStates;
	for (const char* direction : {"Up", "Down"})
		for (int digit = 1; digit <= 6; ++digit)
			carStates.push_back(direction + std::to_string(digit));
	EXPECT_EQ(missingStates(movers.get(), "MenuCar", carStates), "");
	EXPECT_EQ(missingStates(movers.get(), "MenuPedestrian", {"Up", "Down"}), "");
	std::vector<std::string> bikeStates;
	for (int degrees = 0; degrees < 360; degrees += 15)
	{
		const float radians = degrees * irr::core::DEGTORAD;
		bikeStates.push_back(getStringById(directionName24ForVector({std::cos(radians), -std::sin(radians)})).c_str());
	}
	EXPECT_EQ(missingStates(movers.get(), "MenuBike", bikeStates), "");
}

// Each firework climbs, bursts and removes itself within a few seconds.
TEST(EffectContent, FireworksBurstAndLeave)
{
	for (int number = 1; number <= 4; ++number)
	{
		SmartPointer<BaseNode> loaded = loadAsset("levels/common/Fireworks/" + std::to_string(number) + "/f.qscn");
		auto* rocket = nodeCast<GFireworkNode>(loaded.get());
		ASSERT_NE(rocket, nullptr) << number;
		EffectScene scene;
		scene.root->addChild(rocket);
		scene.render();
		int elapsed = 0;
		while (rocket->getParent() && elapsed < 10000)
		{
			scene.tick(1);
			elapsed += 30;
		}
		EXPECT_EQ(rocket->getParent(), nullptr) << number;
		EXPECT_GE(elapsed, 1500) << number;
	}
}

// The weather files read to their end and rain, or snow, from above the screen.
TEST(EffectContent, WeatherFilesFallFromAboveTheScreen)
{
	for (const char* name : {"Rain.xml", "Snow.xml"})
	{
		std::ifstream input(sourceDir() + "/assets/levels/common/Effects/" + name, std::ios::binary);
		std::stringstream text;
		text << input.rdbuf();
		const std::string xml = text.str();
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		SmartPointer<GWeatherParticlesNode> weather(new GWeatherParticlesNode());
		ASSERT_TRUE(weather->readConfiguration(reader.get())) << name;
		weather->emit(1000);
		ASSERT_GT(weather->getParticleCount(), 10u) << name;
		for (irr::u32 i = 0; i < weather->getParticleCount(); ++i)
		{
			const WeatherParticleRecord& p = weather->getParticles()[i];
			ASSERT_LE(p.y, 0.0f) << name;
			ASSERT_GT(p.vy, 0.0f) << name;
			// Each lives long enough to cross the screen: lifetime (ms) x speed reaches the bottom.
			ASSERT_GE(p.y + 1000.0f / p.ageRate * p.vy / 1000.0f, 768.0f) << name;
		}
	}
}

// Every car the shipped levels' neutral traffic names is a car template of the movers.
TEST(EffectContent, EveryNeutralCarOfTheLevelsIsACarTemplate)
{
	SmartPointer<BaseNode> movers = loadAsset("levels/common/Movers.qscn");
	ASSERT_TRUE(movers);
	int checked = 0;
	for (const char* level : {"level1", "level2"})
	{
		std::ifstream input(sourceDir() + "/assets/levels/" + level + "/LevelPaths.xml", std::ios::binary);
		std::stringstream text;
		text << input.rdbuf();
		const std::string xml = text.str();
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		SmartPointer<GLevelPaths> paths(new GLevelPaths());
		ASSERT_TRUE(paths->load(reader.get())) << level;
		const auto roads = paths->getCarPaths(internStringId("NeutralCar"));
		for (irr::u32 i = 0; i < roads.size(); ++i)
			for (irr::u32 j = 0; j < roads[i]->getCars().size(); ++j)
			{
				const StringId name = roads[i]->getCars()[j];
				BaseNode* model = movers->findChild(name, 1);
				EXPECT_TRUE(model && model->isKindOf(NodeTypeGCarNode))
				    << level << " names " << getStringById(name).c_str();
				++checked;
			}
	}
	EXPECT_GT(checked, 0);
}
