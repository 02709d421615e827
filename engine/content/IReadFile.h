#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>
#include <irrlicht/irrTypes.h>

// A file the engine reads from.
class IReadFile : public virtual ReferenceCounted
{
public:
	// Returns the number of bytes read.
	virtual irr::s32 read(void* buffer, irr::u32 sizeToRead) = 0;
	virtual bool seek(long finalPos, bool relativeMovement = false) = 0;
	virtual long getSize() const = 0;
	virtual long getPos() const = 0;
	virtual const irr::core::stringc& getFileName() const = 0;
};
