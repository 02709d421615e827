#include "GUpgradesConfiguration.h"

#include "content/IXMLReader.h"

bool GUpgradesConfiguration::load(IXMLReader* reader)
{
	static const irr::core::stringw rootElement(L"UpgradesConfiguration");
	static const irr::core::stringw upgradeElement(L"Upgrade");
	upgrades.clear();
	if (!reader)
		return false;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == rootElement)
			return true;
		if (type != XML_NODE_ELEMENT || reader->getNodeName() != upgradeElement)
			continue;
		SmartPointer<GUpgrade> upgrade(new GUpgrade());
		upgrade->read(reader);
		if (!upgrade->getName().isEmpty())
			upgrades.emplace(upgrade->getName(), upgrade);
	}
	return false;
}

SmartPointer<GUpgrade> GUpgradesConfiguration::findUpgrade(StringId name) const
{
	const auto it = upgrades.find(name);
	return it != upgrades.end() ? it->second : SmartPointer<GUpgrade>();
}
