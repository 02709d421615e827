#pragma once

#include "ISound.h"

class COpenALBuffer;

// A short sound decoded whole into one OpenAL buffer; its clones share the buffer.
class CStaticSound : public ISound
{
public:
	CStaticSound(const ContentRef& reference, COpenALBuffer* buffer);
	~CStaticSound() override;

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

	COpenALBuffer* getBuffer() const { return buffer; }

private:
	COpenALBuffer* buffer;
	unsigned source = 0;
	float volume = 1.0f;
	bool looping = false;
	irr::core::vector3df position;
};
