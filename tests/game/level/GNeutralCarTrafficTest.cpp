#include "level/GNeutralCarTraffic.h"

#include "../effects/EffectTestSupport.h"
#include "core/Random.h"
#include "data/GLevelPaths.h"
#include "effects/GCarNode.h"
#include "effects/GPathMovableNode.h"

#include <gtest/gtest.h>

using irr::core::vector3df;

// Vehicles of the work processes push ordinary cars along; registration follows the nodes' lives.
TEST(GNeutralCarTraffic, PriorityVehiclesHurryNearbyCarsForASecond)
{
	SmartPointer<BaseNode> level(new BaseNode());
	SmartPointer<GNeutralCarTraffic> traffic(new GNeutralCarTraffic(nullptr, level.get()));
	EXPECT_EQ(traffic->getSpawnerCount(), 0u);

	auto* bus = new GPathMovableNode(ContentRef(), level.get());
	bus->drop();
	auto* car = new GPathMovableNode(ContentRef(), level.get());
	car->drop();
	auto* farCar = new GPathMovableNode(ContentRef(), level.get());
	farCar->drop();
	car->setSpeed(75);
	bus->setTrafficManager(traffic.get(), true);
	car->setTrafficManager(traffic.get(), false);
	farCar->setTrafficManager(traffic.get(), false);
	bus->setPosition({100, 100, 100});
	car->setPosition({130, 110, 110});
	farCar->setPosition({135, 100, 100});
	EXPECT_EQ(traffic->getVehicleCount(), 3u);

	traffic->update(20);
	EXPECT_EQ(traffic->getVehicleState(car), 2);
	EXPECT_EQ(car->getSpeed(), 160.0f);
	EXPECT_EQ(traffic->getVehicleState(farCar), 1) << "35 px away is not near";

	bus->setPosition({500, 500, 500});
	traffic->update(959); // 1000 ms counted from the first update
	EXPECT_EQ(traffic->getVehicleState(car), 2);
	traffic->update(22);
	EXPECT_EQ(traffic->getVehicleState(car), 1);
	EXPECT_EQ(car->getSpeed(), 75.0f) << "back at its own speed";

	level->removeChild(car);
	EXPECT_EQ(traffic->getVehicleCount(), 2u) << "a destroyed node leaves the register";
	// The vehicles hold the traffic: it goes with the last of them.
	traffic.release();
	level.release();
}

namespace
{
// A level with one "NeutralCar" road, its cars from the template collection of the scene.
struct TrafficRig
{
	explicit TrafficRig(const char* cars, const char* time = "5000;5000")
	{
		scene.addTemplate(new GCarNode(), "Red");
		scene.addTemplate(new GCarNode(), "Blue");
		scene.addTemplate(new BaseNode(), "Bench");
		paths = pathsOf(std::string("<Path ID=\"NeutralCar\" Cars=\"") + cars + "\" Time=\"" + time +
		                    "\"><p p=\"0;300\"/><p p=\"1000;300\"/></Path>\n",
		                "");
		cargos = scene.add(new BaseNode());
		traffic.reset(new GNeutralCarTraffic(paths.get(), cargos));
	}
	~TrafficRig()
	{
		cargos->removeAllChildren();
		traffic.release();
	}
	std::string spawnNames(int count)
	{
		std::string names;
		for (int i = 0; i < count; ++i)
		{
			GPathMovableNode* car = traffic->spawnCar(0);
			names += car ? std::string(getStringById(car->getName()).c_str()) + " " : "- ";
		}
		return names;
	}

	EffectScene scene;
	SmartPointer<GLevelPaths> paths;
	BaseNode* cargos;
	SmartPointer<GNeutralCarTraffic> traffic;
};
} // namespace

// Two names alternate strictly, starting with the second; a missing template or one that is not a
// car spawns nothing, and the cars are registered and started along the road.
TEST(GNeutralCarTraffic, SpawnsCarsFromTheTemplateCollection)
{
	seedRandom(3);
	TrafficRig two("Red;Blue");
	EXPECT_EQ(two.spawnNames(5), "Blue Red Blue Red Blue ");
	EXPECT_EQ(two.traffic->getVehicleCount(), 5u);
	auto* car = static_cast<GCarNode*>(two.cargos->getChildren()[0]);
	EXPECT_TRUE(car->isMoving());
	EXPECT_EQ(car->getPosition().X, 0.0f);
	EXPECT_GE(car->getSpeed(), 70.0f);
	EXPECT_LT(car->getSpeed(), 80.0f);

	TrafficRig missing("Green;Bench");
	EXPECT_EQ(missing.spawnNames(4), "- - - - ");
	EXPECT_EQ(missing.traffic->getVehicleCount(), 0u);
	EXPECT_TRUE(missing.cargos->getChildren().empty());
}

// A car whose sound is due sounds as it enters the screen middle, and only once when it passes twice.
TEST(GNeutralCarTraffic, ACarSoundsOnceInTheScreenMiddle)
{
	// Spawners that wait ten minutes: only the cars of the test move into the middle.
	TrafficRig rig("Red", "600000;600000");
	GPathMovableNode* car = nullptr;
	// About half of the cars make the sound: take the first one that does.
	for (int i = 0; i < 64; ++i)
	{
		car = rig.traffic->spawnCar(0);
		ASSERT_NE(car, nullptr);
		car->setPosition(vector3df(500.0f, 300.0f, 300.0f));
		const irr::u32 before = rig.traffic->getCarSoundCount();
		rig.traffic->update(10);
		if (rig.traffic->getCarSoundCount() == before + 1)
			break;
		car = nullptr;
	}
	ASSERT_NE(car, nullptr);
	const irr::u32 sounds = rig.traffic->getCarSoundCount();
	car->setPosition(vector3df(100.0f, 300.0f, 300.0f));
	rig.traffic->update(10);
	car->setPosition(vector3df(450.0f, 300.0f, 300.0f));
	rig.traffic->update(10);
	EXPECT_EQ(rig.traffic->getCarSoundCount(), sounds);
}
