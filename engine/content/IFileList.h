#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrTypes.h>

// A listing of a folder's entries, folders first.
class IFileList : public virtual ReferenceCounted
{
public:
	virtual irr::u32 getFileCount() const = 0;
	// Null past the end.
	virtual const char* getFileName(irr::u32 index) const = 0;
	// The folder, a "/" and the entry name; null past the end.
	virtual const char* getFullFileName(irr::u32 index) = 0;
	virtual bool isDirectory(irr::u32 index) const = 0;
};
