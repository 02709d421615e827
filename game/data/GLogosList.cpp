#include "GLogosList.h"
#include "CheckedNumber.h"

#include "ConfigReading.h"
#include "content/IXMLReader.h"
#include "core/NumberText.h"
#include "core/TextUtils.h"

bool GLogosList::load(IXMLReader* reader)
{
	logos.clear();
	publisherLogos.clear();
	if (!reader)
		return false;
	while (reader->read())
	{
		if (isElementStart(reader, L"Logo"))
		{
			GLogoEntry entry;
			entry.image = narrow(reader->getAttributeValue(L"Image"));
			entry.time = readIntAttribute(reader, L"Time", 0);
			entry.skippable = reader->getAttributeValue(L"Skippable") == L"true";
			logos.push_back(entry);
		}
		else if (isElementStart(reader, L"QuillLogo"))
		{
			GPublisherLogoEntry entry;
			entry.image = narrow(reader->getAttributeValue(L"Image"));
			entry.pos = checkedPair(parseVector2dW(reader->getAttributeValue(L"Pos").c_str()), entry.pos,
			                        NumberRanges::ScreenPlace, "Pos");
			entry.url = narrow(reader->getAttributeValue(L"URL"));
			publisherLogos.push_back(entry);
		}
		else if (isElementEnd(reader, L"Logos"))
		{
			return true;
		}
	}
	return false;
}

bool GLogosList::takeFirstLogo(GLogoEntry& out)
{
	if (logos.empty())
		return false;
	out = logos[0];
	logos.erase(0);
	return true;
}
