#include "CStreamedSound.h"

#include "COpenALAudioDevice.h"
#include "COpenALBuffer.h"
#include "CSoundStream.h"
#include "CSoundStreamLoaderManager.h"
#include "content/IReadFile.h"
#include "core/ILogger.h"

#include <AL/al.h>

CStreamedSound::CStreamedSound(const ContentRef& reference, COpenALAudioDevice* d, CSoundStream* s, int frames)
    : ISound(reference), device(d), stream(s), chunkFrames(frames > 0 ? frames : 44100)
{
	contentFlags = ContentNeverCached;
	if (device)
		device->grab();
	if (stream)
	{
		stream->grab();
		alFormat = openALFormatOf(stream->getFormat());
	}
	alGenBuffers(BufferCount, buffers);
}

CStreamedSound::~CStreamedSound()
{
	if (registered && device)
		device->removeStreamedSound(this);
	stop();
	if (source)
	{
		alSourcei(source, AL_BUFFER, 0);
		alDeleteSources(1, &source);
	}
	alDeleteBuffers(BufferCount, buffers);
	if (stream)
		stream->drop();
	if (device)
		device->drop();
}

ISound* CStreamedSound::cloneContent()
{
	if (!device || !stream)
		return nullptr;
	IReadFile* file = device->openFile(stream->getName().c_str());
	if (!file)
		return nullptr;
	CSoundStream* fresh = CSoundStreamLoaderManager::instance()->createStream(file, ContentRef());
	file->drop();
	if (!fresh)
		return nullptr;
	CStreamedSound* copy = new CStreamedSound(contentRef, device, fresh, chunkFrames);
	fresh->drop();
	copy->volume = volume;
	copy->position = position;
	copy->looping = looping;
	return copy;
}

int CStreamedSound::getState() const
{
	if (!source)
		return Stopped;
	MutexLock lock(sourceLock);
	if (paused)
		return Paused;
	return playing ? Playing : Stopped;
}

bool CStreamedSound::play()
{
	if (!stream || alFormat == 0)
	{
		getLogger()->log("Failed to play streamed sound", 2);
		return false;
	}
	{
		MutexLock lock(sourceLock);
		stopSource();
		if (!source)
		{
			alGenSources(1, &source);
			alSourcef(source, AL_GAIN, volume);
			alSource3f(source, AL_POSITION, position.X, position.Y, position.Z);
		}
		// Until registered the thread never touches the stream; afterwards it rewinds on the restart.
		if (!registered && !stream->rewind())
			return false;
		playing = true;
		paused = false;
		restartPending = true;
		streamEnded = false;
		++generation;
	}
	if (!registered)
	{
		device->queueStreamedSound(this);
		registered = true;
	}
	return true;
}

void CStreamedSound::stopSource()
{
	if (!source)
		return;
	playing = false;
	paused = false;
	restartPending = false;
	sourceStarted = false;
	// The buffers stay queued on the stopped source: the next play's first refill detaches them on
	// the update thread, so this thread never waits while that thread uploads.
	alSourceStop(source);
}

void CStreamedSound::stop()
{
	if (!device)
		return;
	MutexLock lock(sourceLock);
	stopSource();
}

void CStreamedSound::setPaused(bool p)
{
	if (!source)
		return;
	MutexLock lock(sourceLock);
	paused = p;
	if (paused)
		alSourcePause(source);
	else if (playing && !restartPending)
		playSource();
	// Otherwise the first refill after play starts the source.
}

void CStreamedSound::playSource()
{
	alSourcePlay(source);
	sourceStarted = true;
}

void CStreamedSound::setVolume(float v)
{
	volume = v;
	if (source)
		alSourcef(source, AL_GAIN, volume);
}

void CStreamedSound::setLooping(bool loop)
{
	MutexLock lock(sourceLock);
	looping = loop;
}

void CStreamedSound::setPosition(const irr::core::vector3df& p)
{
	position = p;
	if (source)
		alSource3f(source, AL_POSITION, position.X, position.Y, position.Z);
}

int CStreamedSound::getPlayPositionMs() const
{
	if (!source)
		return 0;
	ALfloat seconds = 0;
	alGetSourcef(source, AL_SEC_OFFSET, &seconds);
	return static_cast<int>(seconds * 1000.0f);
}

bool CStreamedSound::beginRefill(RefillPlan& plan)
{
	if (!playing || !source)
		return false;
	plan = RefillPlan();
	plan.looping = looping;
	plan.generation = generation;
	if (restartPending)
	{
		// Stays pending until the refill is queued, so that no one starts the stale buffers.
		plan.initial = true;
		plan.bufferCount = BufferCount;
		for (int i = 0; i < BufferCount; ++i)
			plan.buffers[i] = buffers[i];
		return true;
	}
	ALint processed = 0;
	if (sourceStarted)
		alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
	if (processed > BufferCount)
		processed = BufferCount;
	if (processed <= 0)
	{
		checkSourceState(plan);
		return false;
	}
	alSourceUnqueueBuffers(source, processed, plan.buffers);
	plan.bufferCount = processed;
	return true;
}

void CStreamedSound::decodeRefill(RefillPlan& plan)
{
	if (plan.initial)
	{
		// The source was stopped and only this thread starts it while the restart is pending.
		alSourcei(source, AL_BUFFER, 0);
		if (!stream->rewind())
		{
			plan.ended = true;
			return;
		}
	}
	const int frameSize = stream->getFrameSize();
	const size_t chunkBytes = static_cast<size_t>(chunkFrames) * static_cast<size_t>(frameSize);
	if (decodeBuffer.size() != chunkBytes)
		decodeBuffer.resize(chunkBytes);
	for (int i = 0; i < plan.bufferCount; ++i)
	{
		plan.frames[i] = fillChunk(decodeBuffer.data(), plan.looping);
		if (plan.frames[i] <= 0)
		{
			plan.ended = true;
			break;
		}
		// The buffer is in no source's queue, so the main thread cannot meet it here.
		alBufferData(plan.buffers[i], alFormat, decodeBuffer.data(), plan.frames[i] * frameSize,
		             stream->getSampleRate());
	}
}

int CStreamedSound::fillChunk(unsigned char* target, bool loop)
{
	const int frameSize = stream->getFrameSize();
	int got = stream->read(target, chunkFrames);
	if (got < 0)
		got = 0;
	while (got < chunkFrames && loop)
	{
		if (!stream->rewind())
			break;
		const int more = stream->read(target + static_cast<size_t>(got) * frameSize, chunkFrames - got);
		if (more <= 0)
			break;
		got += more;
	}
	return got;
}

void CStreamedSound::endRefill(RefillPlan& plan)
{
	// After a play or stop during the decode, what was decoded is stale.
	if (!playing || generation != plan.generation)
		return;
	if (plan.initial)
		restartPending = false;

	for (int i = 0; i < plan.bufferCount && plan.frames[i] > 0; ++i)
		alSourceQueueBuffers(source, 1, &plan.buffers[i]);
	if (plan.ended)
		streamEnded = true;
	if (plan.initial)
	{
		sourceStarted = !paused;
		plan.startSource = !paused;
		return;
	}
	checkSourceState(plan);
}

void CStreamedSound::checkSourceState(RefillPlan& plan)
{
	if (paused)
		return;
	ALint state = 0;
	alGetSourcei(source, AL_SOURCE_STATE, &state);
	if (state == AL_PLAYING || state == AL_PAUSED)
		return;
	ALint queued = 0;
	alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
	if (queued > 0)
	{
		sourceStarted = true;
		plan.startSource = true;
	}
	else if (streamEnded)
		stopSource();
}

void CStreamedSound::startSource(const RefillPlan& plan)
{
	if (plan.startSource)
		alSourcePlay(source);
}

void CStreamedSound::confirmStart(const RefillPlan& plan)
{
	if (!plan.startSource)
		return;
	const bool current = playing && generation == plan.generation;
	if (current && !paused)
		return;
	// A pause, stop or play came between the decision and the start: it holds again.
	ALint state = 0;
	alGetSourcei(source, AL_SOURCE_STATE, &state);
	if (state != AL_PLAYING)
		return;
	if (current)
		alSourcePause(source);
	else
		alSourceStop(source);
}
