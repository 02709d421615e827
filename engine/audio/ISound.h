#pragma once

#include "content/ContentObject.h"

#include <irrlicht/vector3d.h>

// Content type code "isnd" (first character in the lowest byte).
constexpr unsigned SoundContentType = 0x646E7369;
static_assert(SoundContentType == ContentTypeSound, "isnd");

// A playable sound: content of type "isnd" made by the audio device.
class ISound : public ContentObject
{
public:
	enum State
	{
		Stopped = 0,
		Paused = 1,
		Playing = 2,
	};

	explicit ISound(const ContentRef& reference) : ContentObject(reference) {}

	// A new sound with one reference that plays the same content, or null.
	ISound* cloneContent() override = 0;
	ContentType getContentType() const override { return ContentTypeSound; }

	virtual int getState() const = 0;
	virtual bool play() = 0;
	virtual void stop() = 0;
	virtual void setPaused(bool paused) = 0;
	virtual float getVolume() const = 0;
	// OpenAL gain.
	virtual void setVolume(float volume) = 0;
	virtual bool isLooping() const = 0;
	virtual void setLooping(bool loop) = 0;
	virtual void setPosition(const irr::core::vector3df& position) = 0;
	virtual irr::core::vector3df getPosition() const = 0;
	virtual int getPlayPositionMs() const = 0;
};
