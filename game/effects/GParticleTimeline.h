#pragma once

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

class IXMLReader;

// One keyed value of a particle's life (T the life fraction 0..1, V the value); keys stay in file order.
struct TimelineKey
{
	float T = 0.0f;
	float V = 0.0f;
};

// A per-particle timeline of the effect particle files: keys read from "k" elements, evaluated between
// neighbouring keys as a particle ages.
class GParticleTimeline
{
public:
	// The reader stands on the timeline's start tag: its keys replace the current ones.
	void read(IXMLReader* reader);
	// The first key's value, or the default when there are no keys.
	float birthValue(float defaultValue) const;
	// Moves value towards the key at keyIndex; passes at most one key per call.
	void evaluate(float age, float& value, int& keyIndex) const;

	void clear() { keys.clear(); }
	void add(float t, float v) { keys.push_back(TimelineKey{t, v}); }
	irr::u32 size() const { return keys.size(); }

private:
	irr::core::array<TimelineKey> keys;
};
