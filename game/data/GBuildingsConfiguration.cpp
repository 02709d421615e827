#include "GBuildingsConfiguration.h"

#include "NamedRecords.h"

bool GBuildingsConfiguration::load(IXMLReader* reader)
{
	return loadNamedRecords(reader, L"BuildingsConfiguration", L"Building", records);
}

SmartPointer<GBuildingType> GBuildingsConfiguration::findBuilding(StringId name) const
{
	return findNamedRecord(records, name);
}
