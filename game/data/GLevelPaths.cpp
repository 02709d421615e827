#include "GLevelPaths.h"

#include "ConfigReading.h"
#include "GLevelPath.h"
#include "LevelDataText.h"
#include "content/IXMLReader.h"
#include "core/Random.h"

namespace
{
bool isEnd(IXMLReader* reader, const wchar_t* name)
{
	return reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == name;
}
} // namespace

bool GLevelPaths::load(IXMLReader* reader)
{
	carPaths.clear();
	pedestrianPaths.clear();
	lastPedestrian = -1;
	if (!reader)
		return false;
	while (reader->read())
	{
		if (isEnd(reader, L"LevelPaths"))
			return true;
		if (reader->isEmptyElement())
		{
			// A file of nothing but an empty root is complete too.
			if (isElementStart(reader, L"LevelPaths"))
				return true;
			continue;
		}
		if (isElementStart(reader, L"CarPaths"))
			readCarPaths(reader);
		else if (isElementStart(reader, L"PedestrianPaths"))
			readPedestrianPaths(reader);
		else if (!isElementStart(reader, L"LevelPaths"))
			skipElement(reader);
	}
	return false;
}

void GLevelPaths::readCarPaths(IXMLReader* reader)
{
	const auto readPath = [&]()
	{
		SmartPointer<GLevelPath> path(new GLevelPath());
		path->read(reader);
		if (!path->getId().isEmpty())
			carPaths[path->getId()].paths.push_back(path);
	};
	readListItems(reader, L"CarPaths", L"Path", readPath);
}

void GLevelPaths::readPedestrianPaths(IXMLReader* reader)
{
	const auto readPath = [&]()
	{
		SmartPointer<GLevelPath> path(new GLevelPath());
		path->read(reader);
		pedestrianPaths.push_back(path);
	};
	readListItems(reader, L"PedestrianPaths", L"Path", readPath);
}

irr::core::array<SmartPointer<GLevelPath>> GLevelPaths::getCarPaths(StringId id) const
{
	const auto found = carPaths.find(id);
	return found != carPaths.end() ? found->second.paths : irr::core::array<SmartPointer<GLevelPath>>();
}

GLevelPath* GLevelPaths::getRandomCarPath(StringId id)
{
	const auto found = carPaths.find(id);
	return found != carPaths.end() ? pickWithoutRepeat(found->second.paths, found->second.last) : nullptr;
}

GLevelPath* GLevelPaths::getRandomPedestrianPath()
{
	return pickWithoutRepeat(pedestrianPaths, lastPedestrian);
}

GLevelPath* GLevelPaths::pickWithoutRepeat(const irr::core::array<SmartPointer<GLevelPath>>& paths, int& last)
{
	const unsigned n = paths.size();
	if (n == 0)
		return nullptr;
	const unsigned r = Random::instance()->nextUInt();
	unsigned index;
	if (last < 0 || n < 2)
		index = r % n;
	else
	{
		// Every path but the previous one: the previous index's slot goes to the last path.
		index = r % (n - 1);
		if (index == static_cast<unsigned>(last))
			index = n - 1;
	}
	last = static_cast<int>(index);
	return paths[index].get();
}
