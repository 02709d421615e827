#include "GComicsConfiguration.h"

#include "ConfigReading.h"
#include "content/IXMLReader.h"

bool GComicsConfiguration::load(IXMLReader* reader)
{
	entries.clear();
	if (!reader)
		return false;
	while (reader->read())
	{
		if (isElementStart(reader, L"Comics"))
		{
			SmartPointer<GComicsEntry> entry(new GComicsEntry());
			const bool complete = entry->read(reader);
			entries.emplace(entry->getLevel(), entry);
			if (!complete)
				return false;
		}
		else if (isElementEnd(reader, L"ComicsConfiguration"))
		{
			return true;
		}
	}
	return false;
}

GComicsEntry* GComicsConfiguration::findComics(int level) const
{
	auto it = entries.find(level);
	return it == entries.end() ? nullptr : it->second.get();
}
