#include "GUpgradesConfiguration.h"

#include "NamedRecords.h"

bool GUpgradesConfiguration::load(IXMLReader* reader)
{
	return loadNamedRecords(reader, L"UpgradesConfiguration", L"Upgrade", upgrades);
}

SmartPointer<GUpgrade> GUpgradesConfiguration::findUpgrade(StringId name) const
{
	return findNamedRecord(upgrades, name);
}
