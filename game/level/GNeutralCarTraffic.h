#pragma once

#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "effects/IVehicleTraffic.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/vector3d.h>

class BaseNode;
class GLevelPath;
class GLevelPaths;
class GPathMovableNode;

// Ambient cars on a level's "NeutralCar" paths, and the register of every moving vehicle so that
// the work processes' vehicles push ordinary cars along; a car passing mid-screen sounds once.
// Each registered vehicle holds a reference to its traffic, so the register never outlives its nodes.
class GNeutralCarTraffic : public IVehicleTraffic
{
public:
	// carsParent (the level's "CargosNode") holds the spawned cars; it outlives the traffic.
	GNeutralCarTraffic(GLevelPaths* paths, BaseNode* carsParent);

	void update(irr::u32 dt);
	void addCar(GPathMovableNode* node, bool priority) override;
	void removeCar(GPathMovableNode* node) override;

	// A new car on the spawner's path, or null when its template is missing or not a car.
	GPathMovableNode* spawnCar(irr::u32 spawnerIndex);
	void updateSpawners(irr::u32 dt);
	void spawnInitialCars(irr::u32 dt);

	irr::u32 getSpawnerCount() const { return spawners.size(); }
	irr::u32 getVehicleCount() const { return vehicles.size(); }
	// 1 normal, 2 hurried, 0 paused; -1 for a node that is not registered.
	int getVehicleState(const GPathMovableNode* node) const;
	// Car sounds played so far.
	irr::u32 getCarSoundCount() const { return carSoundCount; }

private:
	struct Spawner
	{
		SmartPointer<GLevelPath> path;
		int countdown = 0; // ms
		int lastCarIndex = 0;
	};
	struct Vehicle
	{
		bool priority = false;
		float ownSpeed = 0.0f;
		int state = 1;
		float timer = 0.0f; // ms
		bool soundDone = false;
		irr::core::vector3df lastPosition;
		GPathMovableNode* node = nullptr; // back-link: the node unregisters itself before it dies
	};

	void hurryCarsNearPriorityVehicles();
	void updateVehicles(irr::u32 dt);

	BaseNode* carsParent; // the level's node, owned by the level scene
	bool firstUpdatePending = true;
	irr::u32 carSoundCount = 0;
	irr::core::array<Spawner> spawners;
	irr::core::array<Vehicle> vehicles;
};
