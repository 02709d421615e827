#pragma once

#include <string>
#include <vector>

// One sounding event of a recipe: a tone (with an optional glide) or a filtered noise burst.
struct SoundEvent
{
	enum Kind
	{
		Tone,
		Noise,
	};
	enum Wave
	{
		Sine,
		Square,
		Saw,
		Triangle,
	};

	Kind kind = Tone;
	Wave wave = Sine;
	double start = 0;    // seconds
	double duration = 0; // seconds the note is held, release comes after
	double frequency = 440;
	double frequencyEnd = 0; // 0: no glide
	double amplitude = 0.5;
	double attack = 0.005;
	double decay = 0;
	double sustain = 1;
	double release = 0.05;
	double pan = 0; // -1 left .. 1 right
	double vibratoRate = 0;
	double vibratoDepth = 0; // semitones
	double cutoff = 0;       // noise low-pass in Hz, 0: unfiltered
	double cutoffEnd = 0;

	double end() const { return start + duration + release; }
};

// A sound described as text: format lines, then tone, noise and note-sequence lines (see assets-src/sounds/README.md).
class SoundRecipe
{
public:
	// Longest sound a recipe may ask for, so a typo cannot fill the memory.
	static constexpr double MaxLength = 180.0;

	// Reads the recipe text; on failure returns false with "line N: reason" in error.
	bool parse(const std::string& text, std::string& error);

	// Seconds rendered: the given length, or the end of the last event.
	double renderLength() const;

	int sampleRate = 22050;
	int channels = 1;
	double length = 0;
	bool loop = false;
	bool normalize = false;
	double gain = 1.0;
	double tempo = 120.0;
	unsigned seed = 1;
	double quality = 0.4;
	std::vector<SoundEvent> events;

private:
	bool parseLine(const std::string& line, std::string& error);
	bool parseEvent(SoundEvent::Kind kind, const std::vector<std::string>& words, std::string& error);
	bool parseNotes(const std::vector<std::string>& words, std::string& error);
	bool applyOption(SoundEvent& event, const std::string& word, std::string& error) const;
};

// MIDI-style note name ("A4", "C#5", "Eb3") to its frequency in Hz; 0 when the name is not a note.
double noteFrequency(const std::string& name);
