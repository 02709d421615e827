#pragma once

#include "ISound.h"
#include "core/Mutex.h"

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
	// Guards this sound's flags and every OpenAL call that depends on them. Taken after the device's
	// active-list lock when both are held, never before it.
	Mutex& getSourceLock() { return sourceLock; }

	// One refill, taken apart so that decoding, uploading and starting the source, which waits for
	// OpenAL's mixer, hold no lock, and the rest holds only this sound's own lock.
	struct RefillPlan
	{
		bool initial = false;
		bool looping = false;
		unsigned generation = 0;
		int bufferCount = 0;
		unsigned buffers[BufferCount] = {};
		int frames[BufferCount] = {};
		bool ended = false;
		// The source is to be (re)started once the lock is released.
		bool startSource = false;
	};
	// Update thread, under the source lock: takes the buffers to fill out of the source and
	// returns true; false when there is nothing to decode (the source's state is seen to at once).
	bool beginRefill(RefillPlan& plan);
	// Update thread, no audio lock: decodes into the plan's buffers, which no source holds meanwhile.
	void decodeRefill(RefillPlan& plan);
	// Update thread, under the source lock: queues what was decoded unless play or stop intervened.
	void endRefill(RefillPlan& plan);
	// Update thread, no audio lock: starts the source as the plan says.
	void startSource(const RefillPlan& plan);
	// Update thread, under the source lock: a pause, stop or play that came while the source
	// was being started holds again.
	void confirmStart(const RefillPlan& plan);

private:
	int fillChunk(unsigned char* target, bool looping);
	void stopSource();
	void playSource();
	// Asks for a restart of a source that ran dry, or stops the sound once its stream has ended and
	// all of it was played.
	void checkSourceState(RefillPlan& plan);

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

	mutable Mutex sourceLock;
	// Guarded by the source lock.
	bool playing = false;
	bool paused = false;
	// From play until its first refill is queued: the old buffers may still be on the source.
	bool restartPending = false;
	// The source was told to play the buffers queued since the restart. Until then OpenAL reports
	// the buffers of a stopped source as processed although none of them was heard.
	bool sourceStarted = false;
	// A fill found the stream spent; cleared by play.
	bool streamEnded = false;
	unsigned generation = 0;

	// Touched by the update thread only, once the sound is registered.
	std::vector<unsigned char> decodeBuffer;
};
