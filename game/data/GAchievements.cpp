#include "GAchievements.h"

#include "Campaign.h"

#include "IntList.h"
#include "ProfileKeys.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"

#include <cstdint>

namespace
{
// Bought hotel lines, other attractions, decorations and services; buildings built (three steps);
// the highest money of a level (three steps); levels finished; levels finished at the expert score.
// The two campaign steps count the levels the campaign has: every level, and six of every seven at the expert score.
constexpr int thresholds[GAchievements::Count] = {6,       3,       3,        3, 50, 150, 250, 2500000,
                                                  7500000, 10000000, Campaign::LevelCount,
                                                  Campaign::ExpertLevelsForAchievement};
// The first hotel line is owned from the start.
constexpr int startValues[GAchievements::Count] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

bool validIndex(int index)
{
	return index >= 0 && index < GAchievements::Count;
}

int saturatingAdd(int a, int b)
{
	const int64_t sum = static_cast<int64_t>(a) + b;
	return static_cast<int>(sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : sum);
}

irr::core::stringw placeholder(int index, const wchar_t* part)
{
	irr::core::stringw text(L"%Achievements_");
	text += index + 1;
	text += part;
	text += L"%";
	return text;
}
} // namespace

GAchievements::GAchievements()
{
	reset();
}

void GAchievements::reset()
{
	for (int i = 0; i < Count; ++i)
		counters[i] = startValues[i];
}

int GAchievements::getCounter(int index) const
{
	return validIndex(index) ? counters[index] : 0;
}

int GAchievements::getThreshold(int index) const
{
	return validIndex(index) ? thresholds[index] : 0;
}

bool GAchievements::update(int index, int value)
{
	if (!validIndex(index))
		return false;
	const bool before = counters[index] >= thresholds[index];
	counters[index] = isSetCounter(index) ? value : saturatingAdd(counters[index], value);
	return !before && counters[index] >= thresholds[index];
}

irr::core::stringc GAchievements::getIconPath(int index) const
{
	irr::core::stringc path("scenes/images/Achievements/Icon");
	path += index + 1;
	path += ".png";
	return path;
}

irr::core::stringw GAchievements::getNameKey(int index) const
{
	return placeholder(index, L"Name");
}

irr::core::stringw GAchievements::getDescBeforeKey(int index) const
{
	return placeholder(index, L"DescBefore");
}

irr::core::stringw GAchievements::getDescAfterKey(int index) const
{
	return placeholder(index, L"DescAfter");
}

void GAchievements::load(const irr::core::stringc& text)
{
	reset();
	const irr::core::array<irr::s32> values = parseIntList(text);
	for (irr::u32 i = 0; i < values.size() && i < static_cast<irr::u32>(Count); ++i)
		counters[i] = values[i];
}

irr::core::stringc GAchievements::toText() const
{
	irr::core::array<irr::s32> values;
	for (int counter : counters)
		values.push_back(counter);
	return joinIntList(values);
}

void GAchievements::save()
{
	save(*CProfileManager::instance());
}

void GAchievements::save(CProfileManager& manager)
{
	CProfile* profile = manager.getActiveProfile();
	if (!profile)
		return;
	profile->setString(ProfileKey::AchievementsProgress, toText());
	manager.saveProfiles();
}
