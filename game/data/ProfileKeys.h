#pragma once

// Names of the game's profile keys; the defaults stand in declareGameProfileDefaults.
namespace ProfileKey
{
// Common profile: display options shared by every player of the computer user.
constexpr const char* FullScreen = "FullScreen";
constexpr const char* WindowsCursor = "WindowsCursor";
constexpr const char* VSync = "VSync";
constexpr const char* AntiAlias = "AntiAlias";
constexpr const char* VideoDriver = "VideoDriver";

// Player profiles: sound options, progress, tutorials and achievements.
constexpr const char* SoundOn = "SoundOn";
constexpr const char* MusicOn = "MusicOn";
constexpr const char* SoundVolume = "SoundVolume";
constexpr const char* MusicVolume = "MusicVolume";
constexpr const char* MaxUnlockedLevelIndex = "MaxUnlockedLevelIndex";
constexpr const char* LevelIndex = "LevelIndex";
constexpr const char* LevelProgressFilename = "LevelProgressFilename";
// Number lists (parseIntList / joinIntList) indexed by map location.
constexpr const char* Scores = "Scores";
constexpr const char* Times = "Times";
// Upgrade names separated by ";".
constexpr const char* BoughtUpgrades = "BoughtUpgrades";
constexpr const char* ShowTutorialOn = "ShowTutorialOn";
constexpr const char* ShowTipsOn = "ShowTipsOn";
constexpr const char* ShowTutorialMap1 = "ShowTutorialMap1";
constexpr const char* ShowTutorialMap2 = "ShowTutorialMap2";
constexpr const char* ShowTutorialShop1 = "ShowTutorialShop1";
constexpr const char* ShowTutorialShop2 = "ShowTutorialShop2";
constexpr const char* ShowTutorialLevel = "ShowTutorialLevel";
// The achievement counters as a number list.
constexpr const char* AchievementsProgress = "AchievementsProgress";
constexpr const char* ShowFinalCredits = "ShowFinalCredits";
// Written when a location is chosen on the map; it has no default.
constexpr const char* LevelName = "LevelName";
} // namespace ProfileKey
