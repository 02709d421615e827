#pragma once

#include "core/EventReceiver.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>

class IXMLReader;

// One condition or effect of a tutorial hint; only the tutorial controller calls it, directly.
class GTutorialAction : public EventReceiver
{
public:
	// target: the level's message receiver, or null on the map and in the shop.
	virtual void start(EventReceiver* target);
	virtual void update(int elapsed);
	virtual bool isDone() const = 0;
	virtual void finish();
	// The reader stands on the Action element; absent attributes leave empty lists.
	virtual void load(IXMLReader* reader) = 0;

	// The target's own handling and, when that does not take it, its parents (mode 3).
	static void sendToTarget(EventReceiver* target, CEvent* event);
	// The ";"-separated names of an attribute, trimmed, empty pieces dropped.
	static irr::core::array<StringId> readIds(IXMLReader* reader, const wchar_t* attribute);
	// The list item indices of an attribute; indices out of range are dropped with a log line, and past
	// MaxIndices the rest are skipped.
	static irr::core::array<int> readIndices(IXMLReader* reader, const wchar_t* attribute);
	static constexpr int MaxIndices = 64;
	// Plays the cue that tells the player a click went astray.
	static void playMissed();
};
