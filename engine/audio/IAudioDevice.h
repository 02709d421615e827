#pragma once

#include "core/ContentRef.h"
#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>
#include <irrlicht/vector3d.h>

#include <functional>

class IReadFile;
class ISound;

// Opens a sound file by name: the file system's open, handed to the device by whoever owns both.
using SoundFileOpener = std::function<IReadFile*(const char* fileName)>;

// Turns sound files into playable sounds and places the listener.
class IAudioDevice : public virtual ReferenceCounted
{
public:
	virtual irr::core::stringc getDescription() const = 0;
	// A new sound with one reference, or null.
	virtual ISound* createSound(IReadFile* file, const ContentRef& reference) = 0;
	// Opens the name, makes the sound from it and releases the file.
	virtual ISound* createSound(const char* fileName, const ContentRef& reference) = 0;
	// Sounds whose decoded size is above this many bytes stream.
	virtual void setStreamingThreshold(unsigned bytes) = 0;
	virtual unsigned getStreamingThreshold() const = 0;
	// The last two vectors are accepted and ignored.
	virtual void setListener(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
	                         const irr::core::vector3df& = irr::core::vector3df(),
	                         const irr::core::vector3df& = irr::core::vector3df()) = 0;
};
