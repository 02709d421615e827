#pragma once

#include "audio/ISound.h"

#include <string>
#include <vector>

// A sound whose playback the test drives by hand; clones report into the same journal.
class FakeSound : public ISound
{
public:
	explicit FakeSound(std::string label, std::vector<std::string>* journal = nullptr)
	    : ISound(ContentRef()), label(std::move(label)), journal(journal)
	{
	}

	ISound* cloneContent() override
	{
		FakeSound* copy = new FakeSound(label, journal);
		copy->volume = volume;
		copy->looping = looping;
		copy->playable = playable;
		clones.push_back(copy);
		return copy;
	}

	int getState() const override { return state; }
	bool play() override
	{
		if (!playable)
			return false;
		state = Playing;
		if (journal)
			journal->push_back(label);
		return true;
	}
	void stop() override { state = Stopped; }
	void setPaused(bool paused) override
	{
		if (paused)
			state = state == Stopped ? Stopped : Paused;
		else
			state = Playing;
	}
	float getVolume() const override { return volume; }
	void setVolume(float v) override { volume = v; }
	bool isLooping() const override { return looping; }
	void setLooping(bool loop) override { looping = loop; }
	void setPosition(const irr::core::vector3df& p) override { position = p; }
	irr::core::vector3df getPosition() const override { return position; }
	int getPlayPositionMs() const override { return 0; }

	// Lets the sound end as if its data ran out.
	void finish() { state = Stopped; }

	std::string label;
	std::vector<std::string>* journal;
	int state = Stopped;
	float volume = 1.0f;
	bool looping = false;
	bool playable = true;
	irr::core::vector3df position;
	// Not owned: the cue instances own their clones.
	std::vector<FakeSound*> clones;
};
