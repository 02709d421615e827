#include "CStaticSound.h"

#include "COpenALBuffer.h"

#include <AL/al.h>

CStaticSound::CStaticSound(const ContentRef& reference, COpenALBuffer* b) : ISound(reference), buffer(b)
{
	contentFlags = ContentCloned;
	if (buffer)
		buffer->grab();
}

CStaticSound::~CStaticSound()
{
	if (source)
	{
		alSourceStop(source);
		alSourcei(source, AL_BUFFER, 0);
		alDeleteSources(1, &source);
	}
	if (buffer)
		buffer->drop();
}

ISound* CStaticSound::cloneContent()
{
	CStaticSound* copy = new CStaticSound(contentRef, buffer);
	copy->volume = volume;
	copy->position = position;
	copy->looping = looping;
	return copy;
}

int CStaticSound::getState() const
{
	if (!source)
		return Stopped;
	ALint state = 0;
	alGetSourcei(source, AL_SOURCE_STATE, &state);
	if (state == AL_PLAYING)
		return Playing;
	return state == AL_PAUSED ? Paused : Stopped;
}

bool CStaticSound::play()
{
	if (!source)
	{
		alGenSources(1, &source);
		alSourcei(source, AL_BUFFER, buffer ? static_cast<ALint>(buffer->getBuffer()) : 0);
		alSourcef(source, AL_GAIN, volume);
		alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
		alSource3f(source, AL_POSITION, position.X, position.Y, position.Z);
	}
	alSourcePlay(source);
	return true;
}

void CStaticSound::stop()
{
	if (source)
		alSourceStop(source);
}

void CStaticSound::setPaused(bool paused)
{
	if (!source)
		return;
	if (paused)
		alSourcePause(source);
	else
		alSourcePlay(source);
}

void CStaticSound::setVolume(float v)
{
	volume = v;
	if (source)
		alSourcef(source, AL_GAIN, volume);
}

void CStaticSound::setLooping(bool loop)
{
	looping = loop;
	if (source)
		alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

void CStaticSound::setPosition(const irr::core::vector3df& p)
{
	position = p;
	if (source)
		alSource3f(source, AL_POSITION, position.X, position.Y, position.Z);
}

int CStaticSound::getPlayPositionMs() const
{
	if (!source)
		return 0;
	ALfloat seconds = 0;
	alGetSourcef(source, AL_SEC_OFFSET, &seconds);
	return static_cast<int>(seconds * 1000.0f);
}
