#include "GBuildingsConfiguration.h"

#include "content/IXMLReader.h"

bool GBuildingsConfiguration::load(IXMLReader* reader)
{
	static const irr::core::stringw rootElement(L"BuildingsConfiguration");
	static const irr::core::stringw buildingElement(L"Building");
	records.clear();
	if (!reader)
		return false;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == rootElement)
			return true;
		if (type != XML_NODE_ELEMENT || reader->getNodeName() != buildingElement)
			continue;
		SmartPointer<GBuildingType> record(new GBuildingType());
		record->read(reader);
		if (!record->getName().isEmpty())
			records.emplace(record->getName(), record);
	}
	return false;
}

SmartPointer<GBuildingType> GBuildingsConfiguration::findBuilding(StringId name) const
{
	const auto it = records.find(name);
	return it != records.end() ? it->second : SmartPointer<GBuildingType>();
}
