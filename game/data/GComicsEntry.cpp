#include "GComicsEntry.h"

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
			level = reader->getAttributeValueAsInt(L"Value", 0);
		else if (isElementStart(reader, L"ScenePath"))
			scenePath = narrow(reader->getAttributeValue(L"Value"));
		else if (isElementEnd(reader, L"Comics"))
			return true;
	}
	return false;
}
