#include "COpenALAudioDevice.h"

#include "COpenALBuffer.h"
#include "CSoundSamples.h"
#include "CSoundStream.h"
#include "CSoundStreamLoaderManager.h"
#include "CStaticSound.h"
#include "CStreamedSound.h"
#include "core/ILogger.h"

#include <AL/al.h>

#include <algorithm>
#include <cstring>
#include <thread>

namespace
{
constexpr int StreamChunkFrames = 44100;
constexpr int CyclePeriodMs = 10;
} // namespace

COpenALAudioDevice::COpenALAudioDevice(SoundFileOpener opener) : CNullAudioDevice(std::move(opener)) {}

COpenALAudioDevice::~COpenALAudioDevice()
{
	running = false;
	join();
	if (context)
	{
		if (alcGetCurrentContext() == context)
			alcMakeContextCurrent(nullptr);
		alcDestroyContext(context);
	}
	if (alDevice)
		alcCloseDevice(alDevice);
}

bool COpenALAudioDevice::init()
{
	alDevice = alcOpenDevice(nullptr);
	if (!alDevice)
	{
		getLogger()->log("Failed to open the OpenAL audio device", 2);
		return false;
	}
	context = alcCreateContext(alDevice, nullptr);
	if (!context)
	{
		alcCloseDevice(alDevice);
		alDevice = nullptr;
		getLogger()->log("Failed to create the OpenAL audio context", 2);
		return false;
	}
	running = true;
	alcMakeContextCurrent(context);
	setListener(irr::core::vector3df(0, 0, 0), irr::core::vector3df(0, 0, -1));
	if (!start())
	{
		running = false;
		getLogger()->log("Failed to create the OpenAL update thread", 2);
		return false;
	}
	return true;
}

irr::core::stringc COpenALAudioDevice::getDescription() const
{
	irr::core::stringc text = "OpenAL\n Device: ";
	if (alDevice)
	{
		const ALCchar* specifier = alcGetString(alDevice, ALC_DEVICE_SPECIFIER);
		text += specifier ? specifier : "";
	}
	text += "\n";
	if (alcIsExtensionPresent(nullptr, "ALC_ENUMERATION_EXT"))
	{
		text += " Available devices: ";
		const ALCchar* names = alcGetString(nullptr, ALC_DEVICE_SPECIFIER);
		if (!names || !*names)
			text += "none";
		// A list of names, each ended by a zero, the list by an empty name.
		for (const ALCchar* name = names; name && *name; name += strlen(name) + 1)
		{
			text += name;
			text += " ";
		}
		text += "\n";
	}
	return text;
}

ISound* COpenALAudioDevice::createSound(IReadFile* file, const ContentRef& reference)
{
	if (!running)
		return nullptr;
	CSoundStream* stream = CSoundStreamLoaderManager::instance()->createStream(file, ContentRef());
	if (!stream)
		return nullptr;
	if (stream->getLength() <= 0)
	{
		stream->drop();
		return nullptr;
	}

	ISound* sound = nullptr;
	const unsigned long long size =
	    static_cast<unsigned long long>(stream->getFrameSize()) * static_cast<unsigned long long>(stream->getLength());
	if (size > streamingThreshold || size > CSoundSamples::MaxBytes)
	{
		sound = new CStreamedSound(reference, this, stream, StreamChunkFrames);
	}
	else
	{
		CSoundSamples* samples = new CSoundSamples(stream);
		if (samples->getData())
		{
			COpenALBuffer* buffer = new COpenALBuffer(this, samples);
			sound = new CStaticSound(reference, buffer);
			buffer->drop();
		}
		samples->drop();
	}
	stream->drop();
	return sound;
}

void COpenALAudioDevice::setListener(const irr::core::vector3df& position, const irr::core::vector3df& look,
                                     const irr::core::vector3df&, const irr::core::vector3df&)
{
	if (!running)
		return;
	alListener3f(AL_POSITION, position.X, position.Y, position.Z);
	const ALfloat orientation[6] = {look.X, look.Y, look.Z, 0.0f, 1.0f, 0.0f};
	alListenerfv(AL_ORIENTATION, orientation);
}

void COpenALAudioDevice::queueStreamedSound(CStreamedSound* sound)
{
	MutexLock lock(pendingLock);
	pending.push_back(sound);
}

void COpenALAudioDevice::removeStreamedSound(CStreamedSound* sound)
{
	{
		MutexLock lock(pendingLock);
		pending.erase(std::remove(pending.begin(), pending.end(), sound), pending.end());
	}
	{
		// The thread moves sounds from the pending list to the active list under this lock, so a
		// sound not found pending above is either here or never started.
		MutexLock lock(activeLock);
		auto it = std::find(active.begin(), active.end(), sound);
		if (it != active.end())
		{
			*it = active.back();
			active.pop_back();
		}
	}
	// Out of the list the thread no longer starts a refill of it; one under way is waited for.
	std::unique_lock<std::mutex> lock(refillLock);
	refillDone.wait(lock, [&] { return refilling.load() != sound; });
}

size_t COpenALAudioDevice::getActiveSoundCount()
{
	MutexLock lock(activeLock);
	return active.size();
}

bool COpenALAudioDevice::isActive(CStreamedSound* sound) const
{
	return std::find(active.begin(), active.end(), sound) != active.end();
}

int COpenALAudioDevice::run()
{
	std::vector<CStreamedSound*> cycle;
	while (running)
	{
		takePendingSounds();
		{
			MutexLock lock(activeLock);
			cycle = active;
		}
		for (CStreamedSound* sound : cycle)
			refillSound(sound);
		sleepMilliseconds(CyclePeriodMs);
	}
	return 0;
}

void COpenALAudioDevice::takePendingSounds()
{
	{
		MutexLock lock(pendingLock);
		if (pending.empty())
			return;
	}
	// Made outside the lock: a deque allocates as it is made.
	std::deque<CStreamedSound*> started;
	MutexLock lock(activeLock);
	{
		MutexLock pendingListLock(pendingLock);
		started.swap(pending);
	}
	for (CStreamedSound* sound : started)
	{
		if (!isActive(sound))
			active.push_back(sound);
	}
}

void COpenALAudioDevice::refillSound(CStreamedSound* sound)
{
	// No OpenAL call runs under the active-list lock: the slow parts (decoding, uploading, starting
	// the source, which waits for OpenAL's mixer) hold no lock, and the rest holds only the sound's
	// own lock. Play, pause and stop of other sounds never wait, and a dying sound waits only for its own.
	CStreamedSound::RefillPlan plan;
	// Only a sound found in the active list may be touched: a removed one may be gone already.
	Mutex* sourceLock = nullptr;
	{
		MutexLock lock(activeLock);
		// The sound's lock is taken before the active list is let go, so that a caller holding the
		// active-list lock across a play and a pause is seen whole by this refill. It is only tried:
		// while a call on the sound holds it the list is let go at once and the sound waits for the
		// next cycle, so that nobody waits for the list behind a sound's call.
		if (isActive(sound) && sound->getSourceLock().tryLock())
		{
			refilling = sound;
			sourceLock = &sound->getSourceLock();
		}
	}
	if (!sourceLock)
	{
		std::this_thread::yield();
		return;
	}
	const bool decode = sound->beginRefill(plan);
	sourceLock->unlock();
	if (decode)
	{
		sound->decodeRefill(plan);
		MutexLock lock(*sourceLock);
		sound->endRefill(plan);
	}
	if (plan.startSource)
	{
		sound->startSource(plan);
		MutexLock lock(*sourceLock);
		sound->confirmStart(plan);
	}
	endOfRefill();
}

void COpenALAudioDevice::endOfRefill()
{
	{
		std::lock_guard<std::mutex> lock(refillLock);
		refilling = nullptr;
	}
	refillDone.notify_all();
}

COpenALAudioDevice* createOpenALAudioDevice(SoundFileOpener opener)
{
	COpenALAudioDevice* device = new COpenALAudioDevice(std::move(opener));
	if (!device->init())
	{
		device->drop();
		return nullptr;
	}
	return device;
}
