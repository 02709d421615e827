#include "GLevelScores.h"

#include "ConfigReading.h"
#include "content/IXMLReader.h"
#include "core/TextUtils.h"

bool GLevelScores::load(IXMLReader* reader)
{
	entries.clear();
	if (!reader)
		return false;
	while (reader->read())
	{
		if (isElementStart(reader, L"Level"))
		{
			GLevelScoreEntry& entry = entries[narrow(reader->getAttributeValue(L"Name"))];
			entry.score = reader->getAttributeValueAsInt(L"Score", 0);
			entry.expertScore = reader->getAttributeValueAsInt(L"ExpertScore", 0);
			entry.time = reader->getAttributeValueAsInt(L"Time", 0);
		}
		else if (isElementEnd(reader, L"LevelScores"))
		{
			return true;
		}
	}
	return false;
}

GLevelScoreEntry GLevelScores::lookup(const irr::core::stringc& name) const
{
	auto it = entries.find(name);
	return it == entries.end() ? Missing : it->second;
}
