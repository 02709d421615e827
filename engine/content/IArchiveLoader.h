#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

class IArchive;
class IReadFile;

// Recognises one kind of archive by name or content and makes it.
class IArchiveLoader : public virtual ReferenceCounted
{
public:
	// Content test from the file's current position.
	virtual bool isLoadableFile(IReadFile* file) const = 0;
	virtual bool isLoadableFileExtension(const irr::core::stringc& name) const = 0;
	virtual IArchive* createArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) const = 0;
	virtual IArchive* createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const = 0;
};
