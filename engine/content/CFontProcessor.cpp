#include "CFontProcessor.h"

#include "content/CBitmapFont.h"
#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/IReadFile.h"
#include "core/ILogger.h"

ContentObject* CFontProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	if (!manager || !file || !fileSystem)
		return nullptr;
	CXMLReader* reader = fileSystem->createXMLReader(file);
	if (!reader)
		return nullptr;
	CFont* font = nullptr;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		const bool isFont = reader->getNodeName() == L"Font";
		if (type == XML_NODE_ELEMENT && isFont)
		{
			// A second root-level font in the same file replaces nothing: the first one counts.
			if (font || reader->getAttributeValue(L"Type") != L"Bitmap")
				continue;
			font = new CBitmapFont(reference);
			manager->pushFolder(file->getFileName());
			font->load(reader);
			manager->popFolder();
		}
		else if (type == XML_NODE_ELEMENT_END && isFont)
			break;
	}
	reader->drop();
	getLogger()->log("Loaded font", file->getFileName().c_str(), 0);
	return font;
}

bool CFontProcessor::save(CContentManager*, ContentObject*, IWriteFile*, void*)
{
	return false;
}
