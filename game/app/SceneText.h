#pragma once

#include <irrlicht/irrString.h>

class CDictionary;

// The dictionary and the number texts the game's screens and level nodes show.
namespace scenetext
{
// The device's dictionary; null without a device.
CDictionary* dictionary();
// The figure with "," between its thousands.
irr::core::stringw thousands(int value);
// The key's text with its placeholders filled; the first value alone without a dictionary.
irr::core::stringw format(const char* key, const irr::core::stringw& p1, const irr::core::stringw& p2 = {});
// "- " and the key's text with the value: one line of a list of targets or results; the bare value without
// a dictionary.
irr::core::stringw listLine(const CDictionary* dictionary, const char* key, const irr::core::stringw& value);
// "MoneyDollar" with the amount and thousands separators; the bare figure without a dictionary.
irr::core::stringw money(int amount);
} // namespace scenetext
