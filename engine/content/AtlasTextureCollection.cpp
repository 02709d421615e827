#include "AtlasTextureCollection.h"

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/IXMLReader.h"
#include "content/IXMLWriter.h"
#include "content/ImageContent.h"
#include "content/TextureContent.h"
#include "core/ILogger.h"
#include "core/NumberText.h"
#include "core/TextUtils.h"

#include <irrlicht/IImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
// Truncates toward zero; values past the int range stop at its ends, NaN gives 0.
int truncateToInt(float value)
{
	if (std::isnan(value))
		return 0;
	if (value >= 2147483647.0f)
		return 2147483647;
	if (value <= -2147483648.0f)
		return -2147483647 - 1;
	return static_cast<int>(value);
}

irr::core::vector2df readVector(IXMLReader* reader, const wchar_t* name)
{
	float v[2];
	scanNumbersW(reader->getAttributeValue(name).c_str(), v, 2);
	return irr::core::vector2df(v[0], v[1]);
}

irr::core::stringw formatVector(const irr::core::vector2df& v)
{
	char text[96];
	std::snprintf(text, sizeof(text), "%f;%f", static_cast<double>(v.X), static_cast<double>(v.Y));
	return widen(text);
}
} // namespace

AtlasTextureCollection::AtlasTextureCollection(const ContentRef& reference) : ContentObject(reference)
{
	contentFlags = ContentNeverCached;
}

AtlasTextureCollection::~AtlasTextureCollection()
{
	clear();
}

void AtlasTextureCollection::clear()
{
	for (irr::u32 i = 0; i < frames.size(); ++i)
		frames[i]->drop();
	frames.clear();
	entries.clear();
	pageNames.clear();
	entriesSorted = false;
}

void AtlasTextureCollection::addPage(const irr::core::stringc& fileName)
{
	pageNames.push_back(fileName);
}

void AtlasTextureCollection::addEntry(const Entry& entry)
{
	entries.push_back(entry);
	entriesSorted = false;
}

void AtlasTextureCollection::load(IXMLReader* reader)
{
	beginLoad();
	loadPart(reader, ~0u);
}

void AtlasTextureCollection::beginLoad()
{
	clear();
	releasePages();
	resumeOnCurrent = false;
	waitingPage = -1;
}

bool AtlasTextureCollection::loadPart(IXMLReader* reader, irr::u32 pageBudget)
{
	if (!contentRef.getContentManager() || !reader)
	{
		releasePages();
		return true;
	}
	irr::u32 pagesLoaded = 0;
	while (resumeOnCurrent || reader->read())
	{
		resumeOnCurrent = false;
		const int type = reader->getNodeType();
		const irr::core::stringw& name = reader->getNodeName();
		if (type == XML_NODE_ELEMENT && name == L"t")
		{
			pageNames.push_back(narrow(reader->getAttributeValue(L"f")));
			pages.push_back(nullptr);
			tried.push_back(false);
		}
		else if (type == XML_NODE_ELEMENT && name == L"a")
		{
			const int page = entryPageIndex(reader);
			if (page >= 0 && !tried[static_cast<irr::u32>(page)])
			{
				if (pagesLoaded >= pageBudget)
				{
					resumeOnCurrent = true;
					waitingPage = page;
					return false;
				}
				++pagesLoaded;
			}
			readEntry(reader);
		}
		else if (type == XML_NODE_ELEMENT_END && name == L"AtlasTextureCollection")
			break;
	}
	waitingPage = -1;
	releasePages();
	return true;
}

irr::core::stringc AtlasTextureCollection::getWaitingPageName() const
{
	return waitingPage >= 0 ? pageNames[static_cast<irr::u32>(waitingPage)] : irr::core::stringc();
}

void AtlasTextureCollection::releasePages()
{
	for (irr::u32 i = 0; i < pages.size(); ++i)
		if (pages[i])
			pages[i]->drop();
	pages.clear();
	tried.clear();
}

int AtlasTextureCollection::entryPageIndex(IXMLReader* reader) const
{
	const int index = reader->getAttributeValueAsInt(L"i", 0);
	if (reader->getAttributeValue(L"n").size() == 0 || index < 0 || static_cast<irr::u32>(index) >= pageNames.size())
		return -1;
	return index;
}

void AtlasTextureCollection::readEntry(IXMLReader* reader)
{
	CContentManager* manager = contentRef.getContentManager();
	if (entryPageIndex(reader) < 0)
		return;
	Entry entry;
	entry.name = narrow(reader->getAttributeValue(L"n"));
	entry.pageIndex = reader->getAttributeValueAsInt(L"i", 0);
	const irr::u32 index = static_cast<irr::u32>(entry.pageIndex);
	if (!tried[index])
	{
		tried[index] = true;
		ContentObject* content = manager->getContent(ContentTypeTexture, pageNames[index], true);
		pages[index] = dynamic_cast<TextureContent*>(content);
		if (content && !pages[index])
			content->drop();
	}
	TextureContent* page = pages[index];
	if (!page)
		return;

	float r[4];
	scanNumbersW(reader->getAttributeValue(L"r").c_str(), r, 4);
	entry.rect = irr::core::recti(truncateToInt(r[0]), truncateToInt(r[1]), truncateToInt(r[2]), truncateToInt(r[3]));
	entry.b = readVector(reader, L"b");
	entry.a = readVector(reader, L"a");
	if (entry.rect.LowerRightCorner.X < entry.rect.UpperLeftCorner.X ||
		entry.rect.LowerRightCorner.Y < entry.rect.UpperLeftCorner.Y)
	{
		getLogger()->log("WARN: image has wrong rectangle", entry.name.c_str(), 1);
		const irr::core::dimension2du picture = page->getPictureSize();
		entry.rect = irr::core::recti(0, 0, static_cast<irr::s32>(picture.Width), static_cast<irr::s32>(picture.Height));
	}

	AtlasTexture* frame = new AtlasTexture(ContentRef(manager, entry.name.c_str()), page,
		AtlasTexture::pixelsToTextureRect(page, entry.rect), entry.b, entry.a);
	if (manager->addContent(frame))
		getLogger()->log("Added atlas texture", entry.name.c_str(), 0);
	frames.push_back(frame);
	addEntry(entry);
}

void AtlasTextureCollection::sortEntries()
{
	if (entriesSorted || entries.size() < 2)
		return;
	std::stable_sort(entries.pointer(), entries.pointer() + entries.size(),
		[](const Entry& x, const Entry& y)
		{
			if (x.pageIndex != y.pageIndex)
				return x.pageIndex < y.pageIndex;
			return std::strcmp(x.name.c_str(), y.name.c_str()) < 0;
		});
	entriesSorted = true;
}

void AtlasTextureCollection::save(IXMLWriter* writer)
{
	if (!writer)
		return;
	sortEntries();
	writer->writeElement(L"AtlasTextureCollection");
	writer->writeLineBreak();
	for (irr::u32 i = 0; i < pageNames.size(); ++i)
	{
		writer->writeElement(L"t", true, L"f", widen(pageNames[i]).c_str());
		writer->writeLineBreak();
	}
	writer->writeLineBreak();
	for (irr::u32 i = 0; i < entries.size(); ++i)
	{
		const Entry& entry = entries[i];
		char rect[64];
		std::snprintf(rect, sizeof(rect), "%d,%d,%d,%d", entry.rect.UpperLeftCorner.X, entry.rect.UpperLeftCorner.Y,
			entry.rect.LowerRightCorner.X, entry.rect.LowerRightCorner.Y);
		const irr::core::stringw name = widen(entry.name);
		const irr::core::stringw page = widen(irr::core::stringc(entry.pageIndex));
		const irr::core::stringw rectText = widen(rect);
		const bool trimmed = entry.b != irr::core::vector2df() || entry.a != irr::core::vector2df();
		const irr::core::stringw b = formatVector(entry.b);
		const irr::core::stringw a = formatVector(entry.a);
		writer->writeElement(L"a", true, L"n", name.c_str(), L"i", page.c_str(), L"r", rectText.c_str(),
			trimmed ? L"b" : nullptr, b.c_str(), trimmed ? L"a" : nullptr, a.c_str());
		writer->writeLineBreak();
	}
	writer->writeClosingTag(L"AtlasTextureCollection");
	writer->writeLineBreak();
}
