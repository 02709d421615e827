#include "content/CXMLReader.h"
#include "data/GLevelPaths.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a paths file and hands out paths of every group and of the footpaths.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GLevelPaths> paths(new GLevelPaths());
	paths->load(reader.get());
	for (const char* id : {"NeutralCar", "Path", "Bike", "Clouds", "Place1"})
	{
		const StringId name = internStringId(id);
		const irr::core::array<SmartPointer<GLevelPath>> group = paths->getCarPaths(name);
		for (irr::u32 i = 0; i < group.size() + 2; ++i)
			if (GLevelPath* path = paths->getRandomCarPath(name))
				path->getPoints().size();
	}
	for (int i = 0; i < 4; ++i)
		paths->getRandomPedestrianPath();
	return 0;
}
