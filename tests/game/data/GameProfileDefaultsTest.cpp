#include "data/GameProfileDefaults.h"

#include "data/ProfileKeys.h"
#include "game/GameTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// Empty data folders; each manager made here reads and writes the per-user file inside them.
class GameProfileDefaults : public ::testing::Test
{
protected:
	// A manager with the game's defaults that has loaded the files.
	std::unique_ptr<CProfileManager> gameManager()
	{
		std::unique_ptr<CProfileManager> manager(new CProfileManager());
		declareGameProfileDefaults(*manager);
		manager->loadProfiles();
		return manager;
	}

	GameDataFolders folders;
};
} // namespace

TEST_F(GameProfileDefaults, NewPlayerGetsEveryPlayerDefault)
{
	std::unique_ptr<CProfileManager> manager = gameManager();
	ASSERT_TRUE(manager->addProfile(L"Ann"));
	const CProfile* ann = manager->findProfile(L"Ann");
	ASSERT_NE(ann, nullptr);
	using namespace ProfileKey;
	for (const char* key : {SoundOn, MusicOn, ShowTutorialOn, ShowTipsOn, ShowTutorialMap1, ShowTutorialMap2,
	                        ShowTutorialShop1, ShowTutorialShop2, ShowFinalCredits})
		EXPECT_TRUE(ann->getBool(key)) << key;
	for (const char* key : {SoundVolume, MusicVolume})
		EXPECT_FLOAT_EQ(ann->getFloat(key), 50.0f) << key;
	for (const char* key : {MaxUnlockedLevelIndex, LevelIndex, ShowTutorialLevel})
		EXPECT_EQ(ann->getInt(key), -1) << key;
	for (const char* key : {LevelProgressFilename, Scores, Times, BoughtUpgrades, AchievementsProgress})
	{
		ASSERT_TRUE(ann->get(key)) << key;
		EXPECT_EQ(ann->getString(key), "") << key;
	}
	EXPECT_EQ(ann->getCount(), 19);
	EXPECT_FALSE(ann->get(LevelName));

	const CProfile* common = manager->getCommonProfile();
	EXPECT_TRUE(common->getBool(FullScreen));
	EXPECT_FALSE(common->getBool(WindowsCursor));
	EXPECT_TRUE(common->getBool(VSync));
	EXPECT_EQ(common->getInt(AntiAlias), 0);
	EXPECT_EQ(common->getInt(VideoDriver), 1);
}

TEST_F(GameProfileDefaults, MissingKeysOfStoredProfilesTakeTheirDefaultsAndStoredValuesStay)
{
	{
		// A file written before vertical sync and tips were options.
		CProfileManager older;
		older.getCommonProfileDefaults()->setBool(ProfileKey::FullScreen, false);
		older.loadProfiles();
		ASSERT_TRUE(older.addProfile(L"Ben"));
		older.findProfile(L"Ben")->setString(ProfileKey::Scores, "120;90");
		older.findProfile(L"Ben")->setBool(ProfileKey::SoundOn, false);
		ASSERT_TRUE(older.saveProfiles());
	}
	std::unique_ptr<CProfileManager> manager = gameManager();
	EXPECT_TRUE(manager->getCommonProfile()->getBool(ProfileKey::VSync));
	EXPECT_FALSE(manager->getCommonProfile()->getBool(ProfileKey::FullScreen));
	const CProfile* ben = manager->findProfile(L"Ben");
	ASSERT_NE(ben, nullptr);
	EXPECT_TRUE(ben->getBool(ProfileKey::ShowTipsOn));
	EXPECT_FALSE(ben->getBool(ProfileKey::SoundOn));
	EXPECT_EQ(ben->getString(ProfileKey::Scores), "120;90");
}
