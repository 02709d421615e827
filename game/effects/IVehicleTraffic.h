#pragma once

#include "core/ReferenceCounted.h"

class GPathMovableNode;

// Where a moving vehicle registers so that the traffic around it can give way; the level's car
// traffic is one. Effects know only this, never the level.
class IVehicleTraffic : public virtual ReferenceCounted
{
public:
	// Called by a node when its traffic is set; removeCar when it leaves the traffic or dies.
	virtual void addCar(GPathMovableNode* node, bool priority) = 0;
	virtual void removeCar(GPathMovableNode* node) = 0;

protected:
	~IVehicleTraffic() override = default;
};
