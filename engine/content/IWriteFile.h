#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>
#include <irrlicht/irrTypes.h>

// A file the engine writes to.
class IWriteFile : public virtual ReferenceCounted
{
public:
	// Returns the number of bytes written.
	virtual irr::s32 write(const void* buffer, irr::u32 sizeToWrite) = 0;
	virtual bool seek(long finalPos, bool relativeMovement = false) = 0;
	virtual long getPos() const = 0;
	virtual const irr::core::stringc& getFileName() const = 0;
};
