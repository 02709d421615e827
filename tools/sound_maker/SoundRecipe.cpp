#include "SoundRecipe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace
{
std::vector<std::string> splitWords(const std::string& line)
{
	std::vector<std::string> words;
	std::istringstream stream(line);
	std::string word;
	while (stream >> word)
		words.push_back(word);
	return words;
}

// Whole-word decimal number; rejects trailing text, NaN and infinities.
bool readNumber(const std::string& text, double& value)
{
	if (text.empty())
		return false;
	char* end = nullptr;
	value = std::strtod(text.c_str(), &end);
	return end && *end == 0 && std::isfinite(value);
}

bool readRanged(const std::string& text, double low, double high, double& value)
{
	return readNumber(text, value) && value >= low && value <= high;
}
} // namespace

double noteFrequency(const std::string& name)
{
	static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
	if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
		return 0;
	int semitone = semitones[name[0] - 'A'];
	size_t pos = 1;
	if (name[pos] == '#')
		++semitone, ++pos;
	else if (name[pos] == 'b')
		--semitone, ++pos;
	double octave = 0;
	if (!readRanged(name.substr(pos), -1, 9, octave) || octave != std::floor(octave))
		return 0;
	const int midi = 12 * (static_cast<int>(octave) + 1) + semitone;
	return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

bool SoundRecipe::parse(const std::string& text, std::string& error)
{
	events.clear();
	std::istringstream stream(text);
	std::string line;
	int number = 0;
	while (std::getline(stream, line))
	{
		++number;
		const size_t comment = line.find('#');
		if (comment != std::string::npos)
			line.erase(comment);
		std::string reason;
		if (!parseLine(line, reason))
		{
			error = "line " + std::to_string(number) + ": " + reason;
			return false;
		}
	}
	if (events.empty())
	{
		error = "no tone, noise or notes line";
		return false;
	}
	if (renderLength() > MaxLength)
	{
		error = "sound longer than " + std::to_string(static_cast<int>(MaxLength)) + " seconds";
		return false;
	}
	return true;
}

double SoundRecipe::renderLength() const
{
	if (length > 0)
		return length;
	double end = 0;
	for (const SoundEvent& event : events)
		end = std::max(end, event.end());
	return end;
}

bool SoundRecipe::parseLine(const std::string& line, std::string& error)
{
	const std::vector<std::string> words = splitWords(line);
	if (words.empty())
		return true;
	const std::string& key = words[0];
	if (key == "tone")
		return parseEvent(SoundEvent::Tone, words, error);
	if (key == "noise")
		return parseEvent(SoundEvent::Noise, words, error);
	if (key == "notes")
		return parseNotes(words, error);
	if (key == "loop" || key == "normalize")
	{
		if (words.size() != 1)
		{
			error = key + " takes no value";
			return false;
		}
		(key == "loop" ? loop : normalize) = true;
		return true;
	}
	double value = 0;
	if (words.size() != 2 || !readNumber(words[1], value))
	{
		error = "expected \"" + key + " <number>\"";
		return false;
	}
	struct Setting
	{
		const char* name;
		double low, high;
		void (*apply)(SoundRecipe&, double);
	};
	static const Setting settings[] = {
	    {"rate", 8000, 48000, [](SoundRecipe& r, double v) { r.sampleRate = static_cast<int>(v); }},
	    {"channels", 1, 2, [](SoundRecipe& r, double v) { r.channels = static_cast<int>(v); }},
	    {"length", 0.001, MaxLength, [](SoundRecipe& r, double v) { r.length = v; }},
	    {"gain", 0.001, 16, [](SoundRecipe& r, double v) { r.gain = v; }},
	    {"tempo", 10, 1000, [](SoundRecipe& r, double v) { r.tempo = v; }},
	    {"seed", 0, 4294967295.0, [](SoundRecipe& r, double v) { r.seed = static_cast<unsigned>(v); }},
	    {"quality", -0.1, 1, [](SoundRecipe& r, double v) { r.quality = v; }},
	};
	for (const Setting& setting : settings)
		if (key == setting.name)
		{
			if (value < setting.low || value > setting.high)
			{
				error = "value out of range for " + key;
				return false;
			}
			setting.apply(*this, value);
			return true;
		}
	error = "unknown keyword \"" + key + "\"";
	return false;
}

bool SoundRecipe::applyOption(SoundEvent& event, const std::string& word, std::string& error) const
{
	const size_t equals = word.find('=');
	if (equals == std::string::npos)
	{
		error = "expected key=value, got \"" + word + "\"";
		return false;
	}
	const std::string key = word.substr(0, equals);
	const std::string text = word.substr(equals + 1);
	if (key == "wave")
	{
		static const char* const names[] = {"sine", "square", "saw", "triangle"};
		for (int i = 0; i < 4; ++i)
			if (text == names[i])
			{
				event.wave = static_cast<SoundEvent::Wave>(i);
				return true;
			}
		error = "unknown wave \"" + text + "\"";
		return false;
	}
	struct Field
	{
		const char* name;
		double SoundEvent::*field;
		double low, high;
	};
	static const Field fields[] = {
	    {"freq_end", &SoundEvent::frequencyEnd, 1, 20000},
	    {"amp", &SoundEvent::amplitude, 0, 4},
	    {"attack", &SoundEvent::attack, 0, 60},
	    {"decay", &SoundEvent::decay, 0, 60},
	    {"sustain", &SoundEvent::sustain, 0, 1},
	    {"release", &SoundEvent::release, 0, 60},
	    {"pan", &SoundEvent::pan, -1, 1},
	    {"vibrato", &SoundEvent::vibratoRate, 0, 100},
	    {"vibrato_depth", &SoundEvent::vibratoDepth, 0, 12},
	    {"cutoff", &SoundEvent::cutoff, 1, 20000},
	    {"cutoff_end", &SoundEvent::cutoffEnd, 1, 20000},
	};
	for (const Field& field : fields)
		if (key == field.name)
		{
			if (readRanged(text, field.low, field.high, event.*field.field))
				return true;
			error = "bad value for " + key;
			return false;
		}
	error = "unknown option \"" + key + "\"";
	return false;
}

// tone START DURATION FREQ [options] / noise START DURATION [options]
bool SoundRecipe::parseEvent(SoundEvent::Kind kind, const std::vector<std::string>& words, std::string& error)
{
	SoundEvent event;
	event.kind = kind;
	const size_t positional = kind == SoundEvent::Tone ? 4 : 3;
	if (words.size() < positional || !readRanged(words[1], 0, MaxLength, event.start) ||
	    !readRanged(words[2], 0, MaxLength, event.duration) ||
	    (kind == SoundEvent::Tone && !readRanged(words[3], 1, 20000, event.frequency)))
	{
		error = kind == SoundEvent::Tone ? "expected \"tone <start> <duration> <frequency> [options]\""
		                                 : "expected \"noise <start> <duration> [options]\"";
		return false;
	}
	for (size_t i = positional; i < words.size(); ++i)
		if (!applyOption(event, words[i], error))
			return false;
	events.push_back(event);
	return true;
}

// notes START_BEAT STEP_BEATS [options] [gate=F] : NAME NAME - NAME*2 ...
bool SoundRecipe::parseNotes(const std::vector<std::string>& words, std::string& error)
{
	double startBeat = 0;
	double step = 0;
	if (words.size() < 4 || !readRanged(words[1], 0, 100000, startBeat) || !readRanged(words[2], 0.001, 1000, step))
	{
		error = "expected \"notes <start beat> <step beats> [options] : <notes>\"";
		return false;
	}
	SoundEvent pattern;
	double gate = 0.9;
	size_t i = 3;
	for (; i < words.size() && words[i] != ":"; ++i)
	{
		if (words[i].compare(0, 5, "gate=") == 0)
		{
			if (!readRanged(words[i].substr(5), 0.01, 1, gate))
			{
				error = "bad value for gate";
				return false;
			}
		}
		else if (!applyOption(pattern, words[i], error))
			return false;
	}
	if (i == words.size())
	{
		error = "notes line without \":\"";
		return false;
	}
	const double secondsPerBeat = 60.0 / tempo;
	double beat = startBeat;
	for (++i; i < words.size(); ++i)
	{
		std::string name = words[i];
		double hold = 1;
		const size_t star = name.find('*');
		if (star != std::string::npos)
		{
			if (!readRanged(name.substr(star + 1), 0.01, 1000, hold))
			{
				error = "bad hold in \"" + words[i] + "\"";
				return false;
			}
			name.erase(star);
		}
		if (name != "-")
		{
			SoundEvent note = pattern;
			note.frequency = noteFrequency(name);
			if (note.frequency <= 0)
			{
				error = "not a note: \"" + name + "\"";
				return false;
			}
			note.start = beat * secondsPerBeat;
			note.duration = step * hold * gate * secondsPerBeat;
			if (note.start > MaxLength)
			{
				error = "note past the longest sound";
				return false;
			}
			events.push_back(note);
		}
		beat += step * hold;
	}
	return true;
}
