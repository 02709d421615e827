#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

class IReadFile;

// What an archive tells about one of its entries.
struct SArchiveEntry
{
	// The name the entry is found by (lower-cased and/or without folders under the archive's flags).
	irr::core::stringc keyName;
	// The name as stored in the archive.
	irr::core::stringc storedName;
	long dataOffset = 0;
	long size = 0;
};

// A second place in which the file system looks for names: a folder, a zip or a packed archive.
class IArchive : public virtual ReferenceCounted
{
public:
	virtual const irr::core::stringc& getArchivePath() const = 0;
	virtual const irr::core::stringc& getArchiveType() const = 0;
	virtual irr::u32 getFileCount() const = 0;
	// A new file with one reference, or null.
	virtual IReadFile* openFile(irr::s32 index) = 0;
	virtual IReadFile* openFile(const irr::core::stringc& name)
	{
		const irr::s32 index = findFile(name);
		return index < 0 ? nullptr : openFile(index);
	}
	// Index of the entry, or -1.
	virtual irr::s32 findFile(const irr::core::stringc& name) = 0;
	virtual const SArchiveEntry* getFileEntry(irr::u32 index) const = 0;
};
