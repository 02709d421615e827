#pragma once

// The campaign's size: 32 map locations in four districts of seven levels and one mini-game.
namespace Campaign
{
constexpr int LevelCount = 28;
constexpr int LocationCount = 32;
// The level whose completion ends the story (the final credits roll after it).
constexpr int LastLevelNumber = LevelCount;
// Levels at the expert score that earn the expert achievement: six of every seven.
constexpr int ExpertLevelsForAchievement = 24;
} // namespace Campaign
