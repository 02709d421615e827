// The play screen's end of a level: scoring, the player's profile, achievements and the scenes that follow.
#include "GGamePlayScene.h"
#include "GLevelCompletedScene.h"
#include "app/GGameApplication.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "data/GAchievements.h"
#include "data/GLevelConfiguration.h"
#include "data/IntList.h"
#include "data/ProfileKeys.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "level/GGameLevelScene.h"

#include <cmath>

namespace
{
constexpr const char* LevelCompletedFile = "scenes/LevelCompletedScene.qscn";

GAchievements* achievements()
{
	return gGameApplication ? gGameApplication->achievements.get() : nullptr;
}

// The list with at least count entries, the new ones 0.
irr::core::array<irr::s32> extended(irr::core::array<irr::s32> list, irr::u32 count)
{
	while (list.size() < count)
		list.push_back(0);
	return list;
}
} // namespace

void GGamePlayScene::queueAchievement(int index, int value)
{
	if (GAchievements* tracker = achievements())
		if (tracker->update(index, value))
			achievementQueue.push_back(index);
}

bool GGamePlayScene::checkMoneyAchievements()
{
	GAchievements* tracker = achievements();
	if (tracker && levelScene)
	{
		const int money = static_cast<int>(std::floor(levelScene->money + 0.5f));
		bool updated = false;
		for (int index : {7, 8, 9})
		{
			if (tracker->getCounter(index) >= money)
				continue;
			queueAchievement(index, money);
			updated = true;
		}
		if (updated)
			tracker->save();
	}
	return showAchievementPopup();
}

bool GGamePlayScene::showAchievementPopup()
{
	if (achievementQueue.empty())
		return false;
	const int index = achievementQueue[0];
	achievementQueue.erase(0);
	SmartPointer<SceneNode> scene =
	    loadSceneOfType(GAchievementUnlockedScene::FileName, NodeTypeGAchievementUnlockedScene);
	if (!scene)
		return false;
	static_cast<GAchievementUnlockedScene*>(scene.get())->showAchievement(index);
	playCue("AchievementUnlocked");
	return pushOver(scene.get());
}

bool GGamePlayScene::showLevelCompletedScene()
{
	SmartPointer<SceneNode> scene = loadSceneOfType(LevelCompletedFile, NodeTypeGLevelCompletedScene);
	if (auto* popup = nodeCast<GLevelCompletedScene>(scene.get()))
		popup->setLevel(levelScene.get());
	return scene && pushOver(scene.get());
}

bool GGamePlayScene::onLevelCompleted(bool normalScoreOnly)
{
	stopSoundGroup(2);
	stopCue(getStringById(musicCue).c_str());
	playCue("LevelCompleted");
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	if (!levelScene || !configuration)
		return true;

	const float elapsed = levelScene->elapsedTime;
	int score = configuration->getScore();
	if (!normalScoreOnly && elapsed <= static_cast<float>(configuration->getLevelTime()) * 1000.0f)
		score = configuration->getExpertScore();
	const int total = static_cast<int>(levelScene->scoreGain + static_cast<float>(score));

	int best = 0;
	if (CProfile* profile = CProfileManager::instance()->getActiveProfile())
	{
		const int index = profile->getInt(ProfileKey::LevelIndex);
		if (profile->getInt(ProfileKey::MaxUnlockedLevelIndex) < index)
		{
			profile->setInt(ProfileKey::MaxUnlockedLevelIndex, index);
			profile->setInt(ProfileKey::LevelIndex, index + 1);
		}
		if (profile->getInt(ProfileKey::ShowTutorialLevel) < index)
			profile->setInt(ProfileKey::ShowTutorialLevel, index);
		// A broken index would make the lists grow without end: such a level records nothing.
		const irr::u32 count = index >= 0 && index < 1000 ? static_cast<irr::u32>(index) + 1 : 0;
		if (count > 0)
		{
			irr::core::array<irr::s32> scores = extended(parseIntList(profile->getString(ProfileKey::Scores)), count);
			best = scores[index];
			if (best < total)
			{
				if (total == configuration->getExpertScore())
					queueAchievement(11, 1);
				if (best == 0)
					queueAchievement(10, 1);
				scores[index] = total;
			}
			profile->setString(ProfileKey::Scores, joinIntList(scores));
			irr::core::array<irr::s32> times = extended(parseIntList(profile->getString(ProfileKey::Times)), count);
			if (times[index] == 0 || elapsed < static_cast<float>(times[index]))
				times[index] = static_cast<irr::s32>(elapsed);
			profile->setString(ProfileKey::Times, joinIntList(times));
		}
		if (GAchievements* tracker = achievements())
			tracker->save();
		else
			profile->save();
	}
	levelScene->scoreGain = static_cast<float>(std::max(0, total - best));
	if (!showAchievementPopup())
		showLevelCompletedScene();
	return true;
}
