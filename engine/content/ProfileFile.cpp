#include "ProfileFile.h"

#include "content/CVirtualFile.h"
#include "content/CXMLReader.h"
#include "content/ProfileStreamTransform.h"

namespace
{
const irr::core::stringw rootElement(L"Profiles");
const irr::core::stringw commonElement(L"CommonProfile");
const irr::core::stringw globalElement(L"GlobalProfile");
const irr::core::stringw playerElement(L"Profile");
const irr::core::stringw parametersElement(L"Parameters");

bool isElement(const IXMLReader& reader)
{
	return reader.getNodeType() == XML_NODE_ELEMENT;
}
bool isElementEnd(const IXMLReader& reader)
{
	return reader.getNodeType() == XML_NODE_ELEMENT_END;
}

// Passes over the element the reader stands on with everything inside it; false at a cut-off end.
bool skipElement(IXMLReader& reader)
{
	if (reader.isEmptyElement())
		return true;
	long depth = 1;
	while (reader.read())
	{
		if (isElement(reader) && !reader.isEmptyElement())
			++depth;
		else if (isElementEnd(reader) && --depth == 0)
			return true;
	}
	return false;
}

// Reads a profile element (the reader on it) up to its end: its "Parameters" fill the profile.
bool readSection(IXMLReader& reader, SmartPointer<CProfile>& profile)
{
	profile = SmartPointer<CProfile>(new CProfile());
	if (reader.isEmptyElement())
		return true;
	while (reader.read())
	{
		if (isElement(reader))
		{
			if (reader.getNodeName() == parametersElement)
				profile->read(&reader);
			else if (!skipElement(reader))
				return false;
		}
		else if (isElementEnd(reader))
		{
			return true;
		}
	}
	return false;
}
} // namespace

void ProfileFile::clear()
{
	commonProfile = nullptr;
	globalProfile = nullptr;
	players.clear();
}

bool ProfileFile::load(IReadFile& file, const irr::core::stringc& key)
{
	clear();
	if (file.getSize() - file.getPos() > CXMLReader::maxFileSize)
		return false;
	SmartPointer<CVirtualFile> plain(new CVirtualFile("profile.dat", 0x10000));
	transformProfileStream(file, *plain, key);
	plain->seek(0);
	CXMLReader reader(plain.get());
	return read(reader);
}

bool ProfileFile::read(IXMLReader& reader)
{
	clear();
	bool rootFound = false;
	while (!rootFound && reader.read())
	{
		if (!isElement(reader))
			continue;
		if (reader.getNodeName() != rootElement)
			return false;
		if (reader.isEmptyElement())
			return true;
		rootFound = true;
	}
	if (!rootFound)
		return false;

	while (reader.read())
	{
		if (isElementEnd(reader))
			return true;
		if (!isElement(reader))
			continue;

		const irr::core::stringw& name = reader.getNodeName();
		bool complete = true;
		if (name == commonElement)
		{
			complete = readSection(reader, commonProfile);
		}
		else if (name == globalElement)
		{
			complete = readSection(reader, globalProfile);
		}
		else if (name == playerElement)
		{
			Player player;
			player.name = reader.getAttributeValue(L"Name");
			player.active = reader.getAttributeValue(L"Active") == L"true";
			complete = readSection(reader, player.parameters);
			players.push_back(player);
		}
		else
		{
			complete = skipElement(reader);
		}
		if (!complete)
			return false;
	}
	return false;
}
