#pragma once

#include <vector>

class SoundRecipe;
struct SoundEvent;

// Renders a recipe to interleaved float samples in -1..1.
class SoundSynth
{
public:
	explicit SoundSynth(const SoundRecipe& recipe);

	std::vector<float> render();

private:
	void renderEvent(const SoundEvent& event, std::vector<float>& mix);
	void addSample(std::vector<float>& mix, long long frame, double value, double pan) const;
	float nextNoise();

	const SoundRecipe& recipe;
	long long totalFrames = 0;
	unsigned noiseState = 1;
};
