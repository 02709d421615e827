#pragma once

#include "core/ReferenceCounted.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/vector2d.h>

class IXMLReader;

// One corner of a path; movers use x and y.
struct GLevelPathPoint
{
	float x = 0.0f;
	float y = 0.0f;
	float d1 = 0.0f;
	float d2 = 0.0f;
};

// One polyline drawn by the level designer (a Path element), with what spawns on it.
class GLevelPath : public virtual ReferenceCounted
{
public:
	// Reads the Path element the reader stands on, up to its end.
	void read(IXMLReader* reader);

	StringId getId() const { return id; }
	const irr::core::array<GLevelPathPoint>& getPoints() const { return points; }
	const irr::core::vector2di& getTime() const { return time; }
	const irr::core::array<StringId>& getCars() const { return cars; }
	bool isBothWays() const { return b; }

private:
	StringId id; // none when the attribute is absent or empty
	irr::core::array<GLevelPathPoint> points;
	irr::core::vector2di time;       // ms, min and max of the traffic interval
	irr::core::array<StringId> cars; // template names
	bool b = false;                  // pedestrians may walk it either way
};
