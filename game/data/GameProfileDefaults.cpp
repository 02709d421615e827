#include "GameProfileDefaults.h"

#include "ProfileKeys.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"

void declareGameProfileDefaults(CProfileManager& manager)
{
	using namespace ProfileKey;
	CProfile* common = manager.getCommonProfileDefaults();
	common->setBool(FullScreen, true);
	common->setBool(WindowsCursor, false);
	common->setBool(VSync, true);
	common->setInt(AntiAlias, 0);
	common->setInt(VideoDriver, 1);

	CProfile* player = manager.getPlayerProfileDefaults();
	player->setBool(SoundOn, true);
	player->setBool(MusicOn, true);
	player->setFloat(SoundVolume, 50.0f);
	player->setFloat(MusicVolume, 50.0f);
	player->setInt(MaxUnlockedLevelIndex, -1);
	player->setInt(LevelIndex, -1);
	player->setString(LevelProgressFilename, "");
	player->setString(Scores, "");
	player->setString(Times, "");
	player->setString(BoughtUpgrades, "");
	player->setBool(ShowTutorialOn, true);
	player->setBool(ShowTipsOn, true);
	player->setBool(ShowTutorialMap1, true);
	player->setBool(ShowTutorialMap2, true);
	player->setBool(ShowTutorialShop1, true);
	player->setBool(ShowTutorialShop2, true);
	player->setInt(ShowTutorialLevel, -1);
	player->setString(AchievementsProgress, "");
	player->setBool(ShowFinalCredits, true);
}
