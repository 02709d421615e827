#pragma once

#include "CNullAudioDevice.h"
#include "core/Mutex.h"
#include "core/Thread.h"

#include <AL/alc.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

class CStreamedSound;

// Plays through OpenAL and runs the update thread that keeps streamed sounds fed.
class COpenALAudioDevice : public CNullAudioDevice, public Thread
{
public:
	explicit COpenALAudioDevice(SoundFileOpener opener = SoundFileOpener());
	~COpenALAudioDevice() override;

	// Opens the default device, makes its context current and starts the update thread.
	bool init();
	bool isRunning() const { return running.load(); }

	irr::core::stringc getDescription() const override;
	ISound* createSound(IReadFile* file, const ContentRef& reference) override;
	using CNullAudioDevice::createSound;
	void setListener(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
	                 const irr::core::vector3df& = irr::core::vector3df(),
	                 const irr::core::vector3df& = irr::core::vector3df()) override;

	// A streamed sound's first play hands it to the thread through here.
	void queueStreamedSound(CStreamedSound* sound);
	// Called by a dying streamed sound, without the active-list lock held; returns once the thread can
	// no longer reach it (waiting, if need be, for the thread to finish that sound's refill).
	void removeStreamedSound(CStreamedSound* sound);
	// Guards the active list; no OpenAL call is made under it. Holding it keeps the thread from
	// starting a refill.
	Mutex& getActiveListLock() { return activeLock; }
	size_t getActiveSoundCount();

	int run() override;

private:
	void takePendingSounds();
	void refillSound(CStreamedSound* sound);
	// The thread no longer holds the sound it refilled.
	void endOfRefill();
	bool isActive(CStreamedSound* sound) const;

	ALCdevice* alDevice = nullptr;
	ALCcontext* context = nullptr;
	std::atomic<bool> running{false};
	// Taken after the active-list lock when both are held, never before it.
	Mutex pendingLock;
	Mutex activeLock;
	std::deque<CStreamedSound*> pending;
	std::vector<CStreamedSound*> active;
	// The sound the thread is refilling: set under the active-list lock once the sound is found
	// there, cleared under refillLock. A dying sound waits on refillDone while it is its own, so
	// the end of a refill takes no active-list lock.
	std::atomic<CStreamedSound*> refilling{nullptr};
	std::mutex refillLock;
	std::condition_variable refillDone;
};

// A running OpenAL device with one reference, or null when OpenAL could not be started.
COpenALAudioDevice* createOpenALAudioDevice(SoundFileOpener opener = SoundFileOpener());
