#pragma once

#include "ISound.h"

#include <vector>

class COpenALAudioDevice;
class CSoundStream;

// A long sound fed chunk by chunk from its decoder by the device's update thread, over three buffers.
class CStreamedSound : public ISound
{
public:
	static constexpr int BufferCount = 3;

	CStreamedSound(const ContentRef& reference, COpenALAudioDevice* device, CSoundStream* stream, int chunkFrames);
	~CStreamedSound() override;

	// A fresh decode of the same file.
	ISound* cloneContent() override;

	int getState() const override;
	bool play() override;
	void stop() override;
	void setPaused(bool paused) override;
	float getVolume() const override { return volume; }
	void setVolume(float volume) override;
	bool isLooping() const override { return looping; }
	void setLooping(bool loop) override;
	void setPosition(const irr::core::vector3df& position) override;
	irr::core::vector3df getPosition() const override { return position; }
	int getPlayPositionMs() const override;

	CSoundStream* getStream() const { return stream; }

	// One refill, taken apart so the decode runs outside the active-list lock.
	struct RefillPlan
	{
		bool initial = false;
		bool looping = false;
		unsigned generation = 0;
		int bufferCount = 0;
		unsigned buffers[BufferCount] = {};
		int frames[BufferCount] = {};
		bool ended = false;
	};
	// Update thread, under the active-list lock: picks the buffers to fill; false when nothing to do.
	bool beginRefill(RefillPlan& plan);
	// Update thread, no audio lock: decodes into the sound's own chunk buffers.
	void decodeRefill(RefillPlan& plan);
	// Update thread, under the active-list lock: queues what was decoded unless play or stop intervened.
	void endRefill(const RefillPlan& plan);

private:
	int fillChunk(unsigned char* target, bool looping);
	void stopSource();

	COpenALAudioDevice* device;
	CSoundStream* stream;
	bool registered = false;
	unsigned source = 0;
	unsigned buffers[BufferCount] = {};
	int alFormat = 0;
	int chunkFrames;
	float volume = 1.0f;
	bool looping = false;
	irr::core::vector3df position;

	// Guarded by the device's active-list lock.
	bool playing = false;
	bool paused = false;
	bool restartPending = false;
	unsigned generation = 0;

	// Touched by the update thread only, once the sound is registered.
	std::vector<unsigned char> decodeBuffers[BufferCount];
};
