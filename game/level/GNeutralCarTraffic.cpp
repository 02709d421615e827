#include "GNeutralCarTraffic.h"

#include "audio/CSoundManager.h"
#include "core/Random.h"
#include "core/Singleton.h"
#include "data/GLevelPath.h"
#include "data/GameNodeTypeIds.h"
#include "data/GLevelPaths.h"
#include "device/IDevice.h"
#include "effects/GPathMovableNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/TemplateCollectionNode.h"

#include <cmath>

using namespace irr;

namespace
{
constexpr int carTypeId = NodeTypeGCarNode;
constexpr float hurriedSpeed = 160.0f;

void playCarCue()
{
	IDevice* device = Singleton<IDevice>::peek();
	if (CSoundManager* sounds = device ? device->getSoundManager() : nullptr)
		sounds->playCue(internStringId("GameCar"), false, 0);
}

TemplateCollectionNode* templatesOf(BaseNode* node)
{
	auto* services = node ? dynamic_cast<ISceneServices*>(node->getSceneManager()) : nullptr;
	return services ? services->getTemplateCollection() : nullptr;
}
} // namespace

GNeutralCarTraffic::GNeutralCarTraffic(GLevelPaths* paths, BaseNode* parent) : carsParent(parent)
{
	if (!paths)
		return;
	const auto carPaths = paths->getCarPaths(internStringId("NeutralCar"));
	for (u32 i = 0; i < carPaths.size(); ++i)
	{
		GLevelPath* path = carPaths[i].get();
		const core::vector2di time = path->getTime();
		if (path->getCars().empty() || (time.X == 0 && time.Y == 0) || path->getPoints().size() < 2)
			continue;
		Spawner spawner;
		spawner.path = carPaths[i];
		spawner.countdown = time.Y > 0 ? static_cast<int>(Random::instance()->nextUInt() % static_cast<u32>(time.Y)) : 0;
		spawners.push_back(spawner);
	}
}

void GNeutralCarTraffic::addCar(GPathMovableNode* node, bool priority)
{
	if (!node)
		return;
	Vehicle vehicle;
	vehicle.priority = priority;
	vehicle.ownSpeed = node->getSpeed();
	vehicle.soundDone = priority || (Random::instance()->nextUInt() & 1u) != 0;
	vehicle.lastPosition = node->getPosition();
	vehicle.node = node;
	vehicles.push_back(vehicle);
}

void GNeutralCarTraffic::removeCar(GPathMovableNode* node)
{
	for (u32 i = 0; i < vehicles.size(); ++i)
		if (vehicles[i].node == node)
		{
			vehicles.erase(i);
			return;
		}
}

int GNeutralCarTraffic::getVehicleState(const GPathMovableNode* node) const
{
	for (u32 i = 0; i < vehicles.size(); ++i)
		if (vehicles[i].node == node)
			return vehicles[i].state;
	return -1;
}

GPathMovableNode* GNeutralCarTraffic::spawnCar(u32 index)
{
	if (index >= spawners.size())
		return nullptr;
	Spawner& spawner = spawners[index];
	const core::array<StringId>& cars = spawner.path->getCars();
	const u32 n = cars.size();
	u32 pick = 0;
	if (n >= 2)
	{
		pick = Random::instance()->nextIntInRange(0, n - 1);
		if (static_cast<int>(pick) == spawner.lastCarIndex)
			pick = n - 1;
	}
	spawner.lastCarIndex = static_cast<int>(pick);

	if (!carsParent)
		return nullptr;
	TemplateCollectionNode* templates = templatesOf(carsParent);
	BaseNode* model = templates ? templates->findTemplate(cars[pick]) : nullptr;
	if (!model || !model->isKindOf(carTypeId))
		return nullptr;
	auto* car = static_cast<GPathMovableNode*>(model->clone(carsParent, carsParent->getSceneManager()));
	if (!car)
		return nullptr;
	car->setVisible(true);
	car->setTrafficManager(this, false);
	car->setSpeed(70.0f + static_cast<float>(Random::instance()->nextUInt() % 10u));
	const core::array<GLevelPathPoint>& points = spawner.path->getPoints();
	core::array<core::vector2df> route;
	route.reallocate(points.size());
	for (u32 i = 0; i < points.size(); ++i)
		route.push_back(core::vector2df(points[i].x, points[i].y));
	car->start(route, -1, false, false);
	return car;
}

void GNeutralCarTraffic::updateSpawners(u32 dt)
{
	for (u32 i = 0; i < spawners.size(); ++i)
	{
		Spawner& spawner = spawners[i];
		spawner.countdown -= static_cast<int>(dt);
		if (spawner.countdown >= 1)
			continue;
		const core::vector2di time = spawner.path->getTime();
		// Reversed ranges are read as their ordered span so the countdown always restarts positive.
		const int low = std::min(time.X, time.Y);
		const int high = std::max(time.X, time.Y);
		spawner.countdown =
		    high > low ? low + static_cast<int>(Random::instance()->nextUInt() % static_cast<u32>(high - low)) : low;
		if (spawner.countdown < 1)
			spawner.countdown = 1;
		spawnCar(i);
	}
}

void GNeutralCarTraffic::spawnInitialCars(u32 dt)
{
	for (u32 i = 0; i < spawners.size(); ++i)
	{
		if ((Random::instance()->nextMt() & 1u) != 0)
			continue;
		if (GPathMovableNode* car = spawnCar(i))
			car->updateMovement(dt * Random::instance()->nextIntInRange(0, 510));
	}
	firstUpdatePending = false;
}

void GNeutralCarTraffic::update(u32 dt)
{
	// Cars reaching their path's end are released by their parent; keep this alive meanwhile.
	SmartPointer<GNeutralCarTraffic> keep(shareRef(this));
	if (firstUpdatePending)
		spawnInitialCars(dt);
	updateSpawners(dt);
	hurryCarsNearPriorityVehicles();
	updateVehicles(dt);
}

void GNeutralCarTraffic::hurryCarsNearPriorityVehicles()
{
	for (u32 a = 0; a < vehicles.size(); ++a)
	{
		if (!vehicles[a].priority || vehicles[a].state == 0)
			continue;
		const core::vector3df& pa = vehicles[a].node->getPosition();
		for (u32 b = 0; b < vehicles.size(); ++b)
		{
			Vehicle& other = vehicles[b];
			if (b == a || other.priority)
				continue;
			const core::vector3df& pb = other.node->getPosition();
			if (std::fabs(pb.X - pa.X) < 35.0f && std::fabs(pb.Y - pa.Y) < 16.0f)
			{
				other.state = 2;
				other.timer = 1000.0f;
				other.node->setSpeed(hurriedSpeed);
			}
		}
	}
}

void GNeutralCarTraffic::updateVehicles(u32 dt)
{
	for (u32 i = 0; i < vehicles.size(); ++i)
	{
		Vehicle& vehicle = vehicles[i];
		if (vehicle.state != 0)
			vehicle.lastPosition = vehicle.node->getPosition();
		if (vehicle.state == 0 || vehicle.state == 2)
		{
			vehicle.timer -= static_cast<float>(dt);
			if (vehicle.timer < 0.0f)
			{
				vehicle.timer = 0.0f;
				vehicle.state = 1;
				vehicle.node->setSpeed(vehicle.ownSpeed);
			}
		}
		if (!vehicle.soundDone && vehicle.lastPosition.X >= 400.0f && vehicle.lastPosition.X <= 600.0f)
		{
			vehicle.soundDone = true;
			++carSoundCount;
			playCarCue();
		}
	}
}
