#include "SoundSynth.h"

#include "SoundRecipe.h"

#include <algorithm>
#include <cmath>

namespace
{
const double Pi = 3.14159265358979323846;

// Attack to full, decay to the sustain level, held to the end of the duration, then released to silence.
double envelope(const SoundEvent& event, double t)
{
	double level;
	if (t < event.attack)
		level = t / event.attack;
	else if (t < event.attack + event.decay)
		level = 1.0 - (1.0 - event.sustain) * (t - event.attack) / event.decay;
	else
		level = event.sustain;
	if (t > event.duration)
	{
		// The release starts from wherever the note had got to when it was let go.
		const double held = envelope(event, event.duration);
		level = event.release > 0 ? held * std::max(0.0, 1.0 - (t - event.duration) / event.release) : 0.0;
	}
	return level;
}

double waveValue(SoundEvent::Wave wave, double phase)
{
	switch (wave)
	{
	case SoundEvent::Square:
		return phase < 0.5 ? 1.0 : -1.0;
	case SoundEvent::Saw:
		return 2.0 * phase - 1.0;
	case SoundEvent::Triangle:
		return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
	case SoundEvent::Sine:
	default:
		return std::sin(2.0 * Pi * phase);
	}
}

// Exponential glide from `from` to `to` over the held part; `to` 0 means no glide.
double glide(double from, double to, double t, double duration)
{
	if (to <= 0 || duration <= 0)
		return from;
	const double progress = std::min(1.0, t / duration);
	return from * std::pow(to / from, progress);
}
} // namespace

SoundSynth::SoundSynth(const SoundRecipe& recipe) : recipe(recipe) {}

std::vector<float> SoundSynth::render()
{
	noiseState = recipe.seed ? recipe.seed : 1;
	totalFrames = static_cast<long long>(std::ceil(recipe.renderLength() * recipe.sampleRate));
	std::vector<float> mix(static_cast<size_t>(totalFrames) * static_cast<size_t>(recipe.channels), 0.0f);
	for (const SoundEvent& event : recipe.events)
		renderEvent(event, mix);

	double scale = recipe.gain;
	if (recipe.normalize)
	{
		float peak = 0;
		for (float sample : mix)
			peak = std::max(peak, std::fabs(sample));
		if (peak > 0)
			scale = std::min(recipe.gain, 1.0) * 0.98 / peak;
	}
	for (float& sample : mix)
		sample = static_cast<float>(std::clamp(sample * scale, -1.0, 1.0));
	return mix;
}

void SoundSynth::addSample(std::vector<float>& mix, long long frame, double value, double pan) const
{
	if (recipe.loop)
		frame %= totalFrames;
	else if (frame >= totalFrames)
		return;
	const size_t at = static_cast<size_t>(frame) * static_cast<size_t>(recipe.channels);
	if (recipe.channels == 1)
		mix[at] += static_cast<float>(value);
	else
	{
		mix[at] += static_cast<float>(value * std::min(1.0, 1.0 - pan));
		mix[at + 1] += static_cast<float>(value * std::min(1.0, 1.0 + pan));
	}
}

float SoundSynth::nextNoise()
{
	// xorshift32: cheap and the same on every machine, so rebuilt sounds do not change.
	noiseState ^= noiseState << 13;
	noiseState ^= noiseState >> 17;
	noiseState ^= noiseState << 5;
	return static_cast<float>(noiseState) / 2147483648.0f - 1.0f;
}

void SoundSynth::renderEvent(const SoundEvent& event, std::vector<float>& mix)
{
	if (totalFrames <= 0)
		return;
	const double rate = recipe.sampleRate;
	const long long first = static_cast<long long>(std::llround(event.start * rate));
	const long long count = static_cast<long long>(std::ceil((event.duration + event.release) * rate));
	double phase = 0;
	double filtered = 0;
	for (long long i = 0; i < count; ++i)
	{
		const double t = i / rate;
		const double level = event.amplitude * envelope(event, t);
		double value;
		if (event.kind == SoundEvent::Tone)
		{
			double frequency = glide(event.frequency, event.frequencyEnd, t, event.duration);
			if (event.vibratoRate > 0)
				frequency *= std::pow(2.0, event.vibratoDepth / 12.0 * std::sin(2.0 * Pi * event.vibratoRate * t));
			value = waveValue(event.wave, phase);
			phase += frequency / rate;
			phase -= std::floor(phase);
		}
		else
		{
			const double noise = nextNoise();
			if (event.cutoff > 0)
			{
				const double cutoff = glide(event.cutoff, event.cutoffEnd, t, event.duration);
				filtered += (1.0 - std::exp(-2.0 * Pi * cutoff / rate)) * (noise - filtered);
				value = filtered;
			}
			else
				value = noise;
		}
		addSample(mix, first + i, value * level, event.pan);
	}
}
