#include "CBitmapFont.h"

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/IXMLReader.h"
#include "core/CPropertyCollection.h"
#include "core/NumberText.h"
#include "core/SmartPointer.h"
#include "core/TextUtils.h"

void CBitmapFont::load(IXMLReader* reader)
{
	clear();
	if (!reader)
		return;
	while (reader->read())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& name = reader->getNodeName();
		if (name == L"Properties")
		{
			SmartPointer<CPropertyCollection> properties(new CPropertyCollection(contentRef.getContentManager()));
			properties->readXml(reader);
			loadProperties(properties.get());
		}
		else if (name == L"Texture")
			readPage(reader);
		else if (name == L"c")
			readGlyph(reader);
		else if (name == L"k")
			readKerning(reader);
	}
	// clear() left the default at 0, so an unmapped space keeps glyph 0.
	setDefaultGlyph(getGlyphIndex(L' '));
	recomputeLineHeight();
}

void CBitmapFont::readPage(IXMLReader* reader)
{
	AtlasTexture* page = nullptr;
	if (CContentManager* manager = contentRef.getContentManager())
	{
		const irr::core::stringc fileName = narrow(reader->getAttributeValue(L"Filename"));
		ContentObject* content = manager->getContent(ContentTypeAtlasTexture, fileName, true);
		page = dynamic_cast<AtlasTexture*>(content);
		if (content && !page)
			content->drop();
	}
	addPage(page);
}

void CBitmapFont::readGlyph(IXMLReader* reader)
{
	const irr::core::stringw& character = reader->getAttributeValue(L"c");
	// A glyph without a character could never be reached.
	if (character.size() == 0)
		return;
	FontGlyph glyph;
	float r[4];
	scanNumbersW(reader->getAttributeValue(L"r").c_str(), r, 4);
	glyph.x1 = r[0];
	glyph.y1 = r[1];
	glyph.x2 = r[2];
	glyph.y2 = r[3];
	glyph.b = parseVector2dW(reader->getAttributeValue(L"b").c_str());
	glyph.a = parseVector2dW(reader->getAttributeValue(L"a").c_str());
	glyph.pageIndex = reader->getAttributeValueAsInt(L"i", 0);
	glyph.width = glyph.x2 - glyph.x1;
	glyph.height = glyph.y2 - glyph.y1;
	addGlyph(character[0], glyph);
}

void CBitmapFont::readKerning(IXMLReader* reader)
{
	const irr::core::stringw& pair = reader->getAttributeValue(L"c");
	if (pair.size() != 2)
		return;
	setKerning(pair[0], pair[1], reader->getAttributeValueAsInt(L"k", 0));
}
