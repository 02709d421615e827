#include "GameProfileChecks.h"

#include "Campaign.h"
#include "CheckedNumber.h"
#include "IntList.h"
#include "ProfileKeys.h"
#include "content/CProfileManager.h"
#include "core/ILogger.h"

#include <algorithm>

namespace
{
constexpr NumberRange Progress{-1.0, Campaign::LocationCount - 1.0};
constexpr NumberRange Volume{0.0, 100.0};

// A value of another type than the default's becomes the default.
bool takeDefaultForWrongType(CProfile& profile, const CProfile& defaults, const char* key)
{
	const SmartPointer<IPropertyData> value = profile.get(key);
	const SmartPointer<IPropertyData> fallback = defaults.get(key);
	if (!value || !fallback || value->typeId() == fallback->typeId())
		return false;
	getLogger()->log("Profile value of the wrong type; the default is kept", key, 1);
	profile.set(key, fallback->clone());
	return true;
}

// Progress past the campaign's ends is held to them: a damaged file neither opens every location nor
// loses what is before them.
void clampProgress(CProfile& profile, const CProfile& defaults, const char* key)
{
	if (takeDefaultForWrongType(profile, defaults, key))
		return;
	const int value = profile.getInt(key);
	if (value >= Progress.low && value <= Progress.high)
		return;
	getLogger()->log("Profile progress outside the campaign; held to its ends", key, 1);
	profile.setInt(key, value < Progress.low ? static_cast<int>(Progress.low) : static_cast<int>(Progress.high));
}

void checkVolume(CProfile& profile, const CProfile& defaults, const char* key)
{
	if (takeDefaultForWrongType(profile, defaults, key))
		return;
	profile.setFloat(key, checkedFloat(profile.getFloat(key), defaults.getFloat(key), Volume, key));
}

// One entry per location at most; an entry out of the gate's range reads as none (0).
void checkLocationList(CProfile& profile, const char* key)
{
	if (profile.indexOf(key) < 0)
		return;
	const irr::core::stringc text = profile.getString(key);
	irr::core::array<irr::s32> values = parseIntList(text);
	if (values.size() > static_cast<irr::u32>(Campaign::LocationCount))
	{
		getLogger()->log("Profile list longer than the campaign; the rest is dropped", key, 1);
		values.set_used(static_cast<irr::u32>(Campaign::LocationCount));
	}
	for (irr::u32 i = 0; i < values.size(); ++i)
		values[i] = checkedInt(values[i], 0, NumberRanges::Target, key);
	const irr::core::stringc checked = joinIntList(values);
	if (checked != text)
		profile.setString(key, checked);
}
} // namespace

void checkGameProfile(CProfile& profile, const CProfile& defaults)
{
	clampProgress(profile, defaults, ProfileKey::MaxUnlockedLevelIndex);
	clampProgress(profile, defaults, ProfileKey::LevelIndex);
	clampProgress(profile, defaults, ProfileKey::ShowTutorialLevel);
	checkVolume(profile, defaults, ProfileKey::SoundVolume);
	checkVolume(profile, defaults, ProfileKey::MusicVolume);
	checkLocationList(profile, ProfileKey::Scores);
	checkLocationList(profile, ProfileKey::Times);
}

void checkGameProfiles(CProfileManager& manager)
{
	const CProfile* defaults = manager.getPlayerProfileDefaults();
	if (!defaults)
		return;
	for (int i = 0; i < manager.getProfileCount(); ++i)
		if (CProfile* profile = manager.getProfile(i))
			checkGameProfile(*profile, *defaults);
}
