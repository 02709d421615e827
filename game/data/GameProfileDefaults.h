#pragma once

class CProfileManager;

// Declares the game's common-profile and player-profile keys with their defaults, in the order the
// profile file lists them; existing entries are overwritten, so calling it again changes nothing.
void declareGameProfileDefaults(CProfileManager& manager);
