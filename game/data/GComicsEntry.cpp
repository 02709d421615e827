#include "GComicsEntry.h"
#include "CheckedNumber.h"

#include "ConfigReading.h"
#include "content/IXMLReader.h"
#include "core/TextUtils.h"

bool GComicsEntry::read(IXMLReader* reader)
{
	if (isElementEnd(reader, L"Comics"))
		return true;
	while (reader->read())
	{
		if (isElementStart(reader, L"Level"))
			level = readIntAttribute(reader, L"Value", 0, NumberRanges::LevelIndex);
		else if (isElementStart(reader, L"ScenePath"))
			scenePath = narrow(reader->getAttributeValue(L"Value"));
		else if (isElementEnd(reader, L"Comics"))
			return true;
	}
	return false;
}
