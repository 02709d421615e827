#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>
#include <map>

class IXMLReader;

// Score and time targets of one level.
struct GLevelScoreEntry
{
	int score = 0;
	int expertScore = 0;
	int time = 0; // seconds
};

// The score and time targets of every level, from one shared file, keyed by level name.
class GLevelScores : public virtual ReferenceCounted
{
public:
	// The file the start-up and the developer reload both read.
	static constexpr const char* FileName = "levels/common/LevelScores.xml";
	// What a level without an entry gets.
	static constexpr GLevelScoreEntry Missing{0, 0, 360};

	// Replaces the table with the file's Level elements (a later one of the same name replaces an
	// earlier one); true when the end of LevelScores was met, false when the input ended first.
	bool load(IXMLReader* reader);

	// The entry of a level, or Missing; looking up never changes the table.
	GLevelScoreEntry lookup(const irr::core::stringc& name) const;
	bool contains(const irr::core::stringc& name) const { return entries.count(name) != 0; }
	// Adds or replaces the entry of a level (a level started without one gets the defaults).
	void insert(const irr::core::stringc& name, const GLevelScoreEntry& entry) { entries[name] = entry; }
	size_t size() const { return entries.size(); }
	const std::map<irr::core::stringc, GLevelScoreEntry>& getEntries() const { return entries; }

private:
	std::map<irr::core::stringc, GLevelScoreEntry> entries;
};
