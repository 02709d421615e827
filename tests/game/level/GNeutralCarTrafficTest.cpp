#include "level/GNeutralCarTraffic.h"
#include "core/Random.h"
#include "data/GLevelPaths.h"
#include "effects/GPathMovableNode.h"

#include <gtest/gtest.h>

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
