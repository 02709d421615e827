#pragma once

#include "GLevelPath.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>
#include <map>

class IXMLReader;

// One paths file in memory: car paths grouped by ID and a list of pedestrian paths, handed out at
// random without giving the same path twice in a row.
class GLevelPaths : public virtual ReferenceCounted
{
public:
	// The paths file's name inside a level folder, and the main menu's own paths file.
	static constexpr const char* FileName = "LevelPaths.xml";
	static constexpr const char* BackgroundTrafficFileName = "scenes/BgTrafficPaths.xml";

	// Replaces the paths with those of an opened file; true when its end element was met.
	bool load(IXMLReader* reader);

	// The paths of the group, empty for an unknown ID.
	irr::core::array<SmartPointer<GLevelPath>> getCarPaths(StringId id) const;
	// Null when the ID is unknown or its group empty.
	GLevelPath* getRandomCarPath(StringId id);
	// Null when there is no pedestrian path.
	GLevelPath* getRandomPedestrianPath();

	int getCarGroupCount() const { return static_cast<int>(carPaths.size()); }
	const irr::core::array<SmartPointer<GLevelPath>>& getPedestrianPaths() const { return pedestrianPaths; }

private:
	struct Group
	{
		irr::core::array<SmartPointer<GLevelPath>> paths;
		int last = -1; // index of the path handed out last
	};

	void readCarPaths(IXMLReader* reader);
	void readPedestrianPaths(IXMLReader* reader);
	static GLevelPath* pickWithoutRepeat(const irr::core::array<SmartPointer<GLevelPath>>& paths, int& last);

	std::map<StringId, Group> carPaths;
	irr::core::array<SmartPointer<GLevelPath>> pedestrianPaths;
	int lastPedestrian = -1;
};
