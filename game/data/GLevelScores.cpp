#include "GLevelScores.h"
#include "CheckedNumber.h"

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
			entry.score = readIntAttribute(reader, L"Score", 0, NumberRanges::Target);
			entry.expertScore = readIntAttribute(reader, L"ExpertScore", 0, NumberRanges::Target);
			entry.time = readIntAttribute(reader, L"Time", 0, NumberRanges::Seconds);
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
