#include "data/GameProfileChecks.h"

#include "support/LogCapture.h"
#include "data/GameProfileDefaults.h"
#include "data/ProfileKeys.h"
#include "game/GameTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

// Hostile player profiles written to the profile file, read back by the profile manager as the game reads them
// and checked as the game checks them at start: progress within the campaign, volumes within 0..100, lists
// within the locations, a value of the wrong type replaced by its default; each change logged.
namespace
{
class GameProfileChecks : public ::testing::Test
{
protected:
	// Writes one player whose profile gets the hostile value, then loads and checks the file as the game does.
	CProfile* loadHostile(const std::function<void(CProfile&)>& damage)
	{
		{
			CProfileManager writer;
			declareGameProfileDefaults(writer);
			writer.loadProfiles();
			while (writer.getProfileCount() > 0)
				writer.removeProfile(0);
			EXPECT_TRUE(writer.addProfile(L"Eve"));
			damage(*writer.findProfile(L"Eve"));
			EXPECT_TRUE(writer.saveProfiles());
		}
		manager.reset(new CProfileManager());
		declareGameProfileDefaults(*manager);
		manager->loadProfiles();
		checkGameProfiles(*manager);
		return manager->findProfile(L"Eve");
	}

	GameDataFolders folders;
	std::unique_ptr<CProfileManager> manager;
};

std::string repeated(const std::string& piece, size_t times)
{
	std::string text;
	text.reserve(piece.size() * times);
	for (size_t i = 0; i < times; ++i)
		text += piece;
	return text;
}
} // namespace

TEST_F(GameProfileChecks, HostileValuesAreHeldToWhatTheGameCanUse)
{
	using namespace ProfileKey;
	struct Case
	{
		const char* name;
		std::function<void(CProfile&)> damage;
		std::function<std::string(const CProfile&)> read;
		const char* expected;
		const char* logged; // null: nothing logged
	};
	const auto unlocked = [](const CProfile& p) { return std::to_string(p.getInt(MaxUnlockedLevelIndex)); };
	const auto volume = [](const CProfile& p) { return std::to_string(static_cast<int>(p.getFloat(SoundVolume))); };
	const auto scores = [](const CProfile& p) { return std::string(p.getString(Scores).c_str()); };
	const Case cases[] = {
	    {"progress in range", [](CProfile& p) { p.setInt(MaxUnlockedLevelIndex, 5); }, unlocked, "5", nullptr},
	    {"progress below -1", [](CProfile& p) { p.setInt(MaxUnlockedLevelIndex, -5); }, unlocked, "-1",
	     "Profile progress outside the campaign; held to its ends"},
	    {"progress at the lowest int", [](CProfile& p) { p.setInt(MaxUnlockedLevelIndex, INT32_MIN); }, unlocked,
	     "-1", "Profile progress outside the campaign; held to its ends"},
	    {"progress huge", [](CProfile& p) { p.setInt(MaxUnlockedLevelIndex, 2000000000); }, unlocked, "31",
	     "Profile progress outside the campaign; held to its ends"},
	    {"progress not a number", [](CProfile& p) { p.setString(MaxUnlockedLevelIndex, "lots"); }, unlocked, "-1",
	     "Profile value of the wrong type; the default is kept"},
	    {"level index negative", [](CProfile& p) { p.setInt(LevelIndex, -40); },
	     [](const CProfile& p) { return std::to_string(p.getInt(LevelIndex)); }, "-1",
	     "Profile progress outside the campaign; held to its ends"},
	    {"volume huge", [](CProfile& p) { p.setFloat(SoundVolume, 1e30f); }, volume, "50",
	     "Number out of range; the default is kept"},
	    {"volume negative", [](CProfile& p) { p.setFloat(SoundVolume, -3.0f); }, volume, "50",
	     "Number out of range; the default is kept"},
	    {"volume not a number", [](CProfile& p) { p.setString(SoundVolume, "loud"); }, volume, "50",
	     "Profile value of the wrong type; the default is kept"},
	    {"scores negative and huge", [](CProfile& p) { p.setString(Scores, "10;-20;99999999999;30"); }, scores,
	     "10;0;0;30", "Number out of range; the default is kept"},
	    {"scores of a megabyte", [](CProfile& p) { p.setString(Scores, repeated("7;", 500000).c_str()); }, scores,
	     "7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7;7",
	     "Profile list longer than the campaign; the rest is dropped"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		LogCapture log;
		const CProfile* eve = loadHostile(c.damage);
		ASSERT_NE(eve, nullptr);
		EXPECT_EQ(c.read(*eve), c.expected);
		if (c.logged)
			EXPECT_TRUE(log.contains(c.logged, 1)) << log.dump();
		else
			EXPECT_EQ(log.problemCount(), 0u) << log.dump();
	}
}
