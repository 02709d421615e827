#include "../GameTestSupport.h"
#include "EffectTestSupport.h"
#include "app/GameNodeClasses.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "effects/EffectNodeClasses.h"
#include "effects/GFireworkNode.h"
#include "effects/GPathMovableNode.h"
#include "effects/GWeatherParticlesNode.h"
#include "scene/AnimatorSet.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
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

// A paths file of the source assets; null when it does not read to its end.
SmartPointer<GLevelPaths> loadPaths(const std::string& name)
{
	std::ifstream input(sourceDir() + "/assets/" + name, std::ios::binary);
	std::stringstream text;
	text << input.rdbuf();
	const std::string xml = text.str();
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<GLevelPaths> paths(new GLevelPaths());
	return paths->load(reader.get()) ? paths : SmartPointer<GLevelPaths>();
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
	for (const char* stroller : {"MenuPedestrian", "MenuStroller"})
		EXPECT_EQ(missingStates(movers.get(), stroller, {"Up", "Down"}), "") << stroller;
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
		SmartPointer<GLevelPaths> paths = loadPaths(std::string("levels/") + level + "/LevelPaths.xml");
		ASSERT_TRUE(paths) << level;
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

namespace
{
// What the title screen's picture shows under a point: the grey street (asphalt, kerbs, white markings),
// the warm paving of the squares, or grass.
enum class Ground
{
	Street,
	Paving,
	Grass,
	Other
};

Ground groundAt(irr::video::IImage* picture, float x, float y)
{
	const irr::video::SColor c = picture->getPixel(static_cast<irr::u32>(x), static_cast<irr::u32>(y));
	const int r = static_cast<int>(c.getRed()), g = static_cast<int>(c.getGreen()), b = static_cast<int>(c.getBlue());
	if (g > r + 15 && g > b + 15)
		return Ground::Grass;
	if (r > b + 25)
		return Ground::Paving;
	if (std::abs(r - g) < 20 && std::abs(g - b) < 24)
		return Ground::Street;
	return Ground::Other;
}

const char* groundName(Ground ground)
{
	switch (ground)
	{
	case Ground::Street:
		return "street";
	case Ground::Paving:
		return "paving";
	case Ground::Grass:
		return "grass";
	default:
		return "other";
	}
}

// Every 2 px along the paths, inside the screen below the horizon (y 668): where the mover's sides
// (half its width at that height to either side of the path) stand is allowed ground; the faults.
std::string offTheirGround(irr::video::IImage* picture, const irr::core::array<SmartPointer<GLevelPath>>& paths,
                           float (*halfWidth)(float y), std::initializer_list<Ground> allowed)
{
	std::ostringstream faults;
	for (irr::u32 i = 0; i < paths.size(); ++i)
	{
		const auto& points = paths[i]->getPoints();
		for (irr::u32 j = 1; j < points.size(); ++j)
		{
			const irr::core::vector2df a(points[j - 1].x, points[j - 1].y), b(points[j].x, points[j].y);
			const int steps = std::max(1, static_cast<int>((b - a).getLength() / 2.0f));
			for (int k = 0; k <= steps; ++k)
			{
				const irr::core::vector2df at = a + (b - a) * (static_cast<float>(k) / steps);
				if (at.Y <= 670.0f || at.Y >= 767.0f)
					continue;
				for (const float side : {-1.0f, 0.0f, 1.0f})
				{
					const float x = at.X + side * halfWidth(at.Y);
					if (x < 0.0f || x > 1023.0f)
						continue;
					const Ground ground = groundAt(picture, x, at.Y);
					if (std::find(allowed.begin(), allowed.end(), ground) == allowed.end())
						faults << " path " << i << " at " << x << "," << at.Y << ": " << groundName(ground) << ";";
				}
			}
		}
	}
	return faults.str();
}
} // namespace

// The title screen's cars keep to the drawn street, its cyclists to the squares beside it and its strollers
// to the squares and the street's crossing, with their sizes at each height (scenes/BgTrafficPaths.xml
// against the built scenes/backgrounds/MainMenuBg.png).
TEST(EffectContent, MenuTrafficKeepsToTheDrawnStreet)
{
	const std::string file = binaryDir() + "/bin/assets/scenes/backgrounds/MainMenuBg.png";
	if (!std::filesystem::exists(file))
		GTEST_SKIP() << "the content set has not been built";
	irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
	ASSERT_NE(device, nullptr);
	irr::video::IImage* picture = device->getVideoDriver()->createImageFromFile(file.c_str());
	ASSERT_NE(picture, nullptr);
	ASSERT_EQ(picture->getDimension(), irr::core::dimension2du(1024, 768));
	SmartPointer<GLevelPaths> paths = loadPaths(GLevelPaths::BackgroundTrafficFileName);
	ASSERT_TRUE(paths);

	// A car's wheels are 26 of its 64 px to either side of the path, at the size of its height.
	EXPECT_EQ(offTheirGround(picture, paths->getCarPaths(internStringId("Path")),
	                         [](float y) { return 26.0f * std::min((y - 668.0f) / 100.0f, 1.0f); }, {Ground::Street}),
	          "");
	// A cyclist's wheels reach 21 px to either side, at 0.65 to full size.
	EXPECT_EQ(offTheirGround(picture, paths->getCarPaths(internStringId("Bike")),
	                         [](float y) { return 21.0f * std::min(std::max((y - 700.0f) / 35.0f, 0.65f), 1.0f); },
	                         {Ground::Paving}),
	          "");
	EXPECT_EQ(offTheirGround(picture, paths->getPedestrianPaths(), [](float) { return 0.0f; },
	                         {Ground::Paving, Ground::Street}),
	          "");
	picture->drop();
	device->drop();
}
