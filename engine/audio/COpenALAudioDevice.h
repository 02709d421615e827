#pragma once

#include "CNullAudioDevice.h"
#include "core/Mutex.h"
#include "core/Thread.h"

#include <AL/alc.h>

#include <atomic>
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
	// Called by a dying streamed sound; returns once the thread can no longer reach it.
	void removeStreamedSound(CStreamedSound* sound);
	// Guards the active list and every change to a streamed sound's source and flags.
	Mutex& getActiveListLock() { return activeLock; }
	size_t getActiveSoundCount();

	int run() override;

private:
	void takePendingSounds();
	void refillSound(CStreamedSound* sound);
	bool isActive(CStreamedSound* sound) const;

	ALCdevice* alDevice = nullptr;
	ALCcontext* context = nullptr;
	std::atomic<bool> running{false};
	Mutex pendingLock;
	Mutex activeLock;
	// Held by the thread across one sound's refill (the decode runs outside the active-list lock),
	// and by a dying sound while it leaves the active list, so the thread never meets a dead sound.
	std::mutex refillLock;
	std::deque<CStreamedSound*> pending;
	std::vector<CStreamedSound*> active;
};

// A running OpenAL device with one reference, or null when OpenAL could not be started.
COpenALAudioDevice* createOpenALAudioDevice(SoundFileOpener opener = SoundFileOpener());
