#pragma once

#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrString.h>

#include <map>

class IFileSystem;
class IXMLReader;

// The texts the player reads, looked up by tag; filled from dictionary files.
class CDictionary : public virtual ReferenceCounted
{
public:
	// fileSystem opens the files loadFile is given; may be null (loadFile then fails).
	explicit CDictionary(IFileSystem* fileSystem = nullptr);
	~CDictionary() override;
	CDictionary(const CDictionary&) = delete;
	CDictionary& operator=(const CDictionary&) = delete;

	// The text with every %tag% replaced by its text; "%%" gives "%", and a "%" without a
	// closing one is kept with the rest of the text.
	virtual irr::core::stringw expandTags(const irr::core::stringw& text) const;
	// "%tag%" for an unknown tag, so the miss shows on screen.
	virtual irr::core::stringw getText(const irr::core::stringc& tag) const;
	// The tag's text with its first four "#p" placeholders replaced by p1 to p4 in order.
	virtual irr::core::stringw format(const irr::core::stringc& tag, const irr::core::stringw& p1,
		const irr::core::stringw& p2 = irr::core::stringw(), const irr::core::stringw& p3 = irr::core::stringw(),
		const irr::core::stringw& p4 = irr::core::stringw()) const;
	// False when the file cannot be opened as XML; entries read replace those of the same tags.
	virtual bool loadFile(const irr::core::stringc& fileName);
	virtual void clear();

	// Reads every "Dictionary" and "texts" element of an open XML text.
	void load(IXMLReader* reader);
	bool hasText(const irr::core::stringc& tag) const { return texts.count(tag) != 0; }
	size_t getTextCount() const { return texts.size(); }
	// Set at construction for callers that want a marker of their own for a miss.
	const irr::core::stringw& getMissText() const { return missText; }
	void setText(const irr::core::stringc& tag, const irr::core::stringw& text) { texts[tag] = text; }

private:
	void readDictionaryForm(IXMLReader* reader);
	void readTextsForm(IXMLReader* reader);

	// Byte-wise ordering of narrow tags.
	struct TagLess
	{
		bool operator()(const irr::core::stringc& a, const irr::core::stringc& b) const;
	};

	SmartPointer<IFileSystem> fileSystem;
	std::map<irr::core::stringc, irr::core::stringw, TagLess> texts;
	irr::core::stringw missText;
};
