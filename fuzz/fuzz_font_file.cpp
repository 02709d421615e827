#include "FuzzAtlasSupport.h"

#include "content/CBitmapFont.h"
#include "content/CXMLReader.h"
#include "core/TextUtils.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a ".qfnt" font over a known page and measures texts with it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	CContentManager* manager = FuzzAtlasPages::instance().createManager();
	{
		SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
		SmartPointer<CBitmapFont> font;
		while (reader->read())
		{
			if (reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == L"Font" &&
				reader->getAttributeValue(L"Type") == L"Bitmap")
			{
				font.reset(new CBitmapFont(ContentRef(manager, "font.qfnt")));
				manager->pushFolder("font.qfnt");
				font->load(reader.get());
				manager->popFolder();
			}
		}
		if (font)
		{
			const irr::core::stringw samples[] = {L"", L"AB\r\nC\rD\n", L"\u00e9 %%", widen(irr::core::stringc(
				reinterpret_cast<const char*>(data), static_cast<irr::u32>(size < 256 ? size : 256)))};
			for (const irr::core::stringw& text : samples)
				font->measureText(text, irr::core::vector2df(1, -1));
			font->getGlyphSize(L'A', false);
			for (irr::u32 i = 0; i < font->getGlyphCount(); ++i)
				font->getPage(font->getGlyph(i)->pageIndex);
		}
	}
	manager->releaseAllContent();
	manager->drop();
	return 0;
}
