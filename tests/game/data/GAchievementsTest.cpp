#include "data/GAchievements.h"

#include "data/GameProfileDefaults.h"
#include "data/ProfileKeys.h"
#include "game/GameTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
// The counters as a short text, "1;0;0;...".
std::string counters(const GAchievements& achievements)
{
	return achievements.toText().c_str();
}
} // namespace

TEST(GAchievements, StartsWithTheFirstHotelLineOwnedAndNothingEarned)
{
	GAchievements achievements;
	EXPECT_EQ(counters(achievements), "1;0;0;0;0;0;0;0;0;0;0;0");
	const int thresholds[] = {6, 3, 3, 3, 50, 150, 250, 2500000, 7500000, 10000000, 28, 24};
	for (int i = 0; i < GAchievements::Count; ++i)
	{
		EXPECT_EQ(achievements.getThreshold(i), thresholds[i]) << i;
		EXPECT_LT(achievements.getCounter(i), achievements.getThreshold(i)) << i;
	}
	EXPECT_EQ(achievements.getCounter(-1), 0);
	EXPECT_EQ(achievements.getThreshold(12), 0);
}

TEST(GAchievements, UpdateReportsOnlyTheCrossingOfTheThreshold)
{
	GAchievements a;
	struct Step
	{
		const char* story;
		int index;
		int value;
		bool earned;
		int counter;
	};
	const Step steps[] = {
	    {"money set above the threshold earns it", 7, 3000000, true, 3000000},
	    {"the same money again earns nothing", 7, 3000000, false, 3000000},
	    {"less money lowers the set counter", 7, 2000000, false, 2000000},
	    {"five hotel lines added to the first", 0, 5, true, 6},
	    {"one taken away", 0, -1, false, 5},
	    {"back at the threshold earns it again", 0, 1, true, 6},
	    {"one building", 4, 1, false, 1},
	    {"forty-nine more reach fifty", 4, 49, true, 50},
	    {"further buildings earn nothing more", 4, 1, false, 51},
	    {"outside the table", 12, 100, false, 0},
	    {"negative index", -1, 100, false, 0},
	};
	for (const Step& s : steps)
	{
		EXPECT_EQ(a.update(s.index, s.value), s.earned) << s.story;
		EXPECT_EQ(a.getCounter(s.index), s.counter) << s.story;
	}
}

TEST(GAchievements, CountersStayExactAndWithinRange)
{
	GAchievements a;
	// Money above 2^24 keeps its last digit through the profile text.
	a.update(9, 16777217);
	a.update(8, 123456789);
	GAchievements copy;
	copy.load(a.toText());
	EXPECT_EQ(copy.getCounter(9), 16777217);
	EXPECT_EQ(copy.getCounter(8), 123456789);

	// Adding counters saturate instead of wrapping round.
	a.update(10, 2147483647);
	EXPECT_FALSE(a.update(10, 5));
	EXPECT_EQ(a.getCounter(10), 2147483647);
	a.update(11, -2147483647 - 1);
	a.update(11, -5);
	EXPECT_EQ(a.getCounter(11), -2147483647 - 1);
}

TEST(GAchievements, LoadsTheFirstTwelveNumbersOverTheStartValues)
{
	struct Case
	{
		const char* text;
		const char* counters;
	};
	const Case cases[] = {
	    {"", "1;0;0;0;0;0;0;0;0;0;0;0"},
	    {"3;0;0", "3;0;0;0;0;0;0;0;0;0;0;0"},
	    {"1;2;3;4;5;6;7;8;9;10;11;12;13;14", "1;2;3;4;5;6;7;8;9;10;11;12"},
	    {"junk", "1;0;0;0;0;0;0;0;0;0;0;0"},
	    {"6 3,3;x3", "6;3;3;3;0;0;0;0;0;0;0;0"},
	};
	GAchievements a;
	for (const Case& c : cases)
	{
		a.update(5, 7); // load starts from the start values, not from what was there
		a.load(c.text);
		EXPECT_EQ(counters(a), c.counters) << c.text;
	}
}

TEST(GAchievements, SaveWritesTheCurrentPlayersProfileOnly)
{
	GameDataFolders folders;
	{
		CProfileManager manager;
		declareGameProfileDefaults(manager);
		manager.loadProfiles();
		GAchievements a;
		a.update(7, 2600000);
		a.save(manager); // no current player: nothing stored
		ASSERT_TRUE(manager.addProfile(L"Cid"));
		EXPECT_EQ(manager.findProfile(L"Cid")->getString(ProfileKey::AchievementsProgress), "");
		manager.setActiveProfile(manager.getProfileCount() - 1);
		a.save(manager);
		EXPECT_EQ(manager.getActiveProfile()->getString(ProfileKey::AchievementsProgress),
		          "1;0;0;0;0;0;0;2600000;0;0;0;0");
	}
	// Saved to the file as well.
	CProfileManager reread;
	reread.loadProfiles();
	const CProfile* cid = reread.findProfile(L"Cid");
	ASSERT_NE(cid, nullptr);
	GAchievements loaded;
	loaded.load(cid->getString(ProfileKey::AchievementsProgress));
	EXPECT_EQ(loaded.getCounter(7), 2600000);
}

TEST(GAchievements, TextsNameTheAchievementFromOne)
{
	GAchievements a;
	EXPECT_EQ(a.getIconPath(0), "scenes/images/Achievements/Icon1.png");
	EXPECT_EQ(a.getIconPath(11), "scenes/images/Achievements/Icon12.png");
	EXPECT_TRUE(a.getNameKey(2) == L"%Achievements_3Name%");
	EXPECT_TRUE(a.getDescBeforeKey(9) == L"%Achievements_10DescBefore%");
	EXPECT_TRUE(a.getDescAfterKey(0) == L"%Achievements_1DescAfter%");
}
