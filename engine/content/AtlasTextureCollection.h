#pragma once

#include "content/ContentObject.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/rect.h>
#include <irrlicht/vector2d.h>

class AtlasTexture;
class IXMLReader;
class TextureContent;
class IXMLWriter;

// An atlas list: page pictures and the named frames on them, each frame cached under its own name ("atxc").
class AtlasTextureCollection : public ContentObject
{
public:
	// One frame as the list file describes it.
	struct Entry
	{
		irr::core::stringc name;
		int pageIndex;
		irr::core::recti rect;
		irr::core::vector2df b;
		irr::core::vector2df a;
	};

	explicit AtlasTextureCollection(const ContentRef& reference);
	~AtlasTextureCollection() override;
	AtlasTextureCollection(const AtlasTextureCollection&) = delete;
	AtlasTextureCollection& operator=(const AtlasTextureCollection&) = delete;

	ContentType getContentType() const override { return ContentTypeAtlasTextureCollection; }

	// Reads the list; page names resolve against the folder on top of the owning manager's stack.
	void load(IXMLReader* reader);
	// The same reading in parts, for a caller that spreads a list over frames: beginLoad, then loadPart
	// until it returns true. A part stops on an entry whose page texture is not loaded yet once it has
	// loaded pageBudget pages; the next part goes on from that entry.
	void beginLoad();
	bool loadPart(IXMLReader* reader, irr::u32 pageBudget);
	// The page, as the list names it, that the entry a part stopped on needs next; empty when none.
	irr::core::stringc getWaitingPageName() const;
	// Writes pages and entries in the form load reads.
	void save(IXMLWriter* writer);

	// For tools that build a list: a page and a frame on it (pages before the frames that use them).
	void addPage(const irr::core::stringc& fileName);
	void addEntry(const Entry& entry);

	const irr::core::array<irr::core::stringc>& getPageNames() const { return pageNames; }
	const irr::core::array<Entry>& getEntries() const { return entries; }
	irr::u32 getFrameCount() const { return frames.size(); }
	AtlasTexture* getFrame(irr::u32 index) const { return index < frames.size() ? frames[index] : nullptr; }

private:
	void clear();
	void releasePages();
	// The page index of the entry the reader stands on; -1 when the entry is not valid.
	int entryPageIndex(IXMLReader* reader) const;
	void readEntry(IXMLReader* reader);
	void sortEntries();

	irr::core::array<irr::core::stringc> pageNames;
	irr::core::array<AtlasTexture*> frames;
	irr::core::array<Entry> entries;
	bool entriesSorted = false;
	// While a list is read: each page texture is asked for once, found or not.
	irr::core::array<TextureContent*> pages;
	irr::core::array<bool> tried;
	bool resumeOnCurrent = false; // the reader stands on an entry a part stopped on
	int waitingPage = -1;
};
