#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

class CProfileManager;

// The current player's twelve achievement counters, each earned at or above its fixed threshold;
// kept in the player profile as a number list.
class GAchievements : public virtual ReferenceCounted
{
public:
	static constexpr int Count = 12;

	GAchievements();

	// Counters to their start values.
	void reset();

	// 0 for an index outside 0 to 11.
	int getCounter(int index) const;
	int getThreshold(int index) const;

	// Sets the counter (the highest-money achievements) or adds value to it (the others; value may be
	// negative). True exactly when the counter was below its threshold before and reaches it now.
	// The counters stay within the 32-bit range.
	bool update(int index, int value);

	// Picture and dictionary placeholders of an achievement (index 0 is achievement 1).
	irr::core::stringc getIconPath(int index) const;
	irr::core::stringw getNameKey(int index) const;
	irr::core::stringw getDescBeforeKey(int index) const;
	irr::core::stringw getDescAfterKey(int index) const;

	// Resets, then takes the first twelve numbers of a profile number list; missing ones keep their
	// start values, extra ones are ignored.
	void load(const irr::core::stringc& text);
	// The twelve counters as a number list.
	irr::core::stringc toText() const;
	// Stores toText() in the current player's profile and saves the profiles file; nothing without a
	// current player.
	void save();
	void save(CProfileManager& manager);

	// Counters that hold a value set by the caller rather than a running sum.
	static bool isSetCounter(int index) { return index >= 7 && index <= 9; }

private:
	int counters[Count];
};
