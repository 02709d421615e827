#pragma once

class CProfile;
class CProfileManager;

// Holds the numbers of every loaded player profile to what the game can use, once, right after loading:
// progress to the campaign's locations, volumes to 0..100, score and time lists to the locations and to
// the number gate (CheckedNumber.h). A value of the wrong type takes its default. Each change is logged.
void checkGameProfiles(CProfileManager& manager);
// The same for one player profile, against the player defaults.
void checkGameProfile(CProfile& profile, const CProfile& defaults);
