#pragma once

#include "IAudioDevice.h"

// The silent device: makes no sounds; base of the OpenAL device.
class CNullAudioDevice : public IAudioDevice
{
public:
	explicit CNullAudioDevice(SoundFileOpener opener = SoundFileOpener());

	irr::core::stringc getDescription() const override;
	ISound* createSound(IReadFile* file, const ContentRef& reference) override;
	ISound* createSound(const char* fileName, const ContentRef& reference) override;
	void setStreamingThreshold(unsigned bytes) override { streamingThreshold = bytes; }
	unsigned getStreamingThreshold() const override { return streamingThreshold; }
	void setListener(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
	                 const irr::core::vector3df& = irr::core::vector3df(),
	                 const irr::core::vector3df& = irr::core::vector3df()) override
	{
		(void)position;
		(void)lookDirection;
	}

	void setFileOpener(SoundFileOpener opener) { fileOpener = std::move(opener); }
	// A new file with one reference, or null.
	IReadFile* openFile(const char* fileName) const;

	static constexpr unsigned DefaultStreamingThreshold = 0x40000;

protected:
	SoundFileOpener fileOpener;
	unsigned streamingThreshold = DefaultStreamingThreshold;
};

// A new silent device with one reference.
CNullAudioDevice* createNullAudioDevice(SoundFileOpener opener = SoundFileOpener());
