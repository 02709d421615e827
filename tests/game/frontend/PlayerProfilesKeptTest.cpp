#include "frontend/GSelectPlayerScene.h"

#include "FrontendTestSupport.h"
#include "data/ProfileKeys.h"
#include "frontend/GSelectPlayerInputNameScene.h"
#include "nodes/ButtonNode.h"
#include "nodes/EditNode.h"
#include "nodes/ListNode.h"
#include "nodes/MessageBoxNode.h"

using namespace frontendtest;

// Choosing, creating and deleting players on the selection screen, and a fresh start of the game
// after it, leave every other player's progress exactly as it was.
namespace
{
class PlayerProfilesKept : public FrontendStage
{
protected:
	struct Progress
	{
		const wchar_t* name;
		int maxUnlocked;
		const char* scores;
		const char* upgrades;
	};

	static constexpr Progress players[] = {
	    {L"Ann", 4, "1500;1150;900;800;700", "Cafe"},
	    {L"Bo", 12, "100;200", "Cafe;CityMall"},
	    {L"Cas", 0, "300", ""},
	};

	void giveProgress()
	{
		CProfileManager* profiles = CProfileManager::instance();
		for (int i = 0; i < profiles->getProfileCount(); ++i)
		{
			CProfile* profile = profiles->getProfile(i);
			profile->setInt(ProfileKey::MaxUnlockedLevelIndex, players[i].maxUnlocked);
			profile->setString(ProfileKey::Scores, players[i].scores);
			profile->setString(ProfileKey::BoughtUpgrades, players[i].upgrades);
		}
		profiles->saveProfiles();
	}

	// Each named player still has its own progress, in memory and in the file a later start reads.
	static void expectKept(std::initializer_list<int> kept, const char* after)
	{
		const auto saved = reloadedProfiles();
		for (CProfileManager* profiles : {CProfileManager::instance(), saved.get()})
			for (int index : kept)
			{
				const Progress& p = players[index];
				CProfile* profile = nullptr;
				for (int i = 0; i < profiles->getProfileCount(); ++i)
					if (profiles->getProfile(i)->getName() == irr::core::stringw(p.name))
						profile = profiles->getProfile(i);
				ASSERT_NE(profile, nullptr) << after;
				EXPECT_EQ(profile->getInt(ProfileKey::MaxUnlockedLevelIndex), p.maxUnlocked) << after;
				EXPECT_EQ(profile->getString(ProfileKey::Scores), irr::core::stringc(p.scores)) << after;
				EXPECT_EQ(profile->getString(ProfileKey::BoughtUpgrades), irr::core::stringc(p.upgrades)) << after;
			}
	}
};
} // namespace

TEST_F(PlayerProfilesKept, SelectCreateDeleteAndRestartKeepTheOthers)
{
	usePlayers({L"Ann", L"Bo", L"Cas"}, 0);
	giveProgress();
	auto* scene = open<GSelectPlayerScene>(GSelectPlayerScene::FileName);
	ASSERT_NE(scene, nullptr);

	// Select Bo.
	scene->getPlayersList()->setSelectedItem(1, true);
	press(scene, scene->getOkButton());
	settle();
	EXPECT_EQ(CProfileManager::instance()->getActiveProfileIndex(), 1);
	expectKept({0, 1, 2}, "select");

	// Create Zoe.
	scene = open<GSelectPlayerScene>(GSelectPlayerScene::FileName);
	ASSERT_NE(scene, nullptr);
	press(scene, scene->getNewPlayerButton());
	settle();
	auto* entry = nodeCast<GSelectPlayerInputNameScene>(top());
	ASSERT_NE(entry, nullptr);
	entry->getNameEdit()->setText(L"Zoe");
	CEventNodeValueChanged changed(entry->getNameEdit());
	entry->onEvent(&changed);
	EXPECT_TRUE(keyUp(entry, 13));
	settle();
	ASSERT_EQ(top(), scene);
	EXPECT_EQ(CProfileManager::instance()->getProfileCount(), 4);
	expectKept({0, 1, 2}, "create");

	// Delete Ann, the first: the players after her move up but keep what they have.
	scene->getPlayersList()->setSelectedItem(0, true);
	press(scene, scene->getDeletePlayerButton());
	settle();
	SmartPointer<MessageBoxNode> box(shareRef(nodeCast<MessageBoxNode>(top())));
	ASSERT_TRUE(box);
	press(box.get(), box->getButtons()[0].get());
	settle();
	EXPECT_EQ(CProfileManager::instance()->getProfileCount(), 3);
	expectKept({1, 2}, "delete");

	// A restart of the game reads the same players back.
	CProfileManager::instance()->loadProfiles();
	EXPECT_EQ(CProfileManager::instance()->getProfileCount(), 3);
	expectKept({1, 2}, "restart");
}
