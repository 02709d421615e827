#include "frontend/GSelectPlayerScene.h"

#include "FrontendTestSupport.h"
#include "data/GAchievements.h"
#include "data/ProfileKeys.h"
#include "frontend/GSelectPlayerInputNameScene.h"
#include "nodes/ButtonNode.h"
#include "nodes/EditNode.h"
#include "nodes/ListNode.h"
#include "nodes/MessageBoxNode.h"

#include <filesystem>
#include <fstream>

using namespace frontendtest;

namespace
{
class SelectPlayer : public FrontendStage
{
protected:
	GSelectPlayerScene* openSelection() { return open<GSelectPlayerScene>(GSelectPlayerScene::FileName); }

	// The names of the list's items in order, "|" between them, the selected one in brackets.
	static std::string listed(const ListNode* list)
	{
		std::string text;
		for (unsigned i = 0; i < list->getItemCount(); ++i)
		{
			const std::string name = irr::core::stringc(list->getItem(i)->texts[0]).c_str();
			text += (i ? "|" : "") + (static_cast<int>(i) == list->getSelectedItem() ? "[" + name + "]" : name);
		}
		return text;
	}

	// "ok new delete" as 1 (enabled) or 0.
	static std::string buttons(const GSelectPlayerScene* scene)
	{
		return std::to_string(scene->getOkButton()->isEnabled()) +
		       std::to_string(scene->getNewPlayerButton()->isEnabled()) +
		       std::to_string(scene->getDeletePlayerButton()->isEnabled());
	}

	// Asks to delete the selected player and clicks the box's buttons at these indices one right
	// after the other, before the box has faded out.
	void askAndAnswer(GSelectPlayerScene* scene, std::initializer_list<int> answers)
	{
		press(scene, scene->getDeletePlayerButton());
		settle();
		SmartPointer<MessageBoxNode> box(shareRef(nodeCast<MessageBoxNode>(top())));
		ASSERT_TRUE(box);
		// The question names the selected player under its title.
		const int selected = scene->getPlayersList()->getSelectedItem();
		ASSERT_GE(selected, 0);
		const irr::core::stringw name = CProfileManager::instance()->getProfile(selected)->getName();
		EXPECT_EQ(box->getBodyText(), irr::core::stringw(L"Delete ") + name + L"? All of their progress will be lost.");
		EXPECT_EQ(box->getTitleText(), irr::core::stringw(L"%SelectPlayer_DeleteTitle%"));
		ASSERT_EQ(box->getButtons().size(), 2u);
		EXPECT_EQ(box->getButtonTexts()[0], irr::core::stringw(L"%Yes%"));
		for (int answer : answers)
			press(box.get(), box->getButtons()[static_cast<size_t>(answer)].get());
		settle();
	}
};

std::vector<const wchar_t*> names(int count)
{
	static const wchar_t* const all[] = {L"Ann",   L"Bo",   L"Cas",   L"Dirk", L"Eva",
	                                     L"Fleur", L"Guus", L"Hanna", L"Ivo",  L"Jet"};
	return std::vector<const wchar_t*>(all, all + count);
}
} // namespace

TEST_F(SelectPlayer, OpensWithTheActivePlayerSelectedAndButtonsForTheCount)
{
	struct Case
	{
		int players;
		int active;
		const char* list;
		const char* buttons;
		const wchar_t* names = nullptr; // one player of this name instead
	};
	const Case cases[] = {
	    {0, -1, "", "010"},
	    {3, 1, "Ann|[Bo]|Cas", "111"},
	    {10, 9, "Ann|Bo|Cas|Dirk|Eva|Fleur|Guus|Hanna|Ivo|[Jet]", "101"},
	    // A name from the file is shown as it is, not read as a dictionary tag.
	    {1, 0, "[%%Yes%%]", "111", L"%Yes%"},
	};
	for (const Case& c : cases)
	{
		usePlayers(c.names ? std::vector<const wchar_t*>{c.names} : names(c.players), c.active);
		GSelectPlayerScene* scene = openSelection();
		ASSERT_NE(scene, nullptr);
		ASSERT_NE(scene->getPlayersList(), nullptr);
		EXPECT_EQ(listed(scene->getPlayersList()), c.list) << c.players;
		EXPECT_EQ(buttons(scene), c.buttons) << c.players;
		scene->closeTo(0);
		settle();
	}
}

TEST_F(SelectPlayer, DeletingAsksFirstAndOnlyYesDeletes)
{
	usePlayers(names(3), 2);
	GSelectPlayerScene* scene = openSelection();
	ASSERT_NE(scene, nullptr);
	ASSERT_EQ(listed(scene->getPlayersList()), "Ann|Bo|[Cas]");

	// "No", then a late click on "Yes" of the closing box: the answer stays no.
	askAndAnswer(scene, {1, 0});
	EXPECT_EQ(top(), scene);
	EXPECT_EQ(listed(scene->getPlayersList()), "Ann|Bo|[Cas]");
	EXPECT_EQ(reloadedProfiles()->getProfileCount(), 3);

	// "Yes" deletes the selected last player, selects the new last one and saves at once.
	askAndAnswer(scene, {0});
	EXPECT_EQ(top(), scene);
	EXPECT_EQ(listed(scene->getPlayersList()), "Ann|[Bo]");
	EXPECT_EQ(CProfileManager::instance()->getActiveProfile(), nullptr);
	const auto saved = reloadedProfiles();
	ASSERT_EQ(saved->getProfileCount(), 2);
	EXPECT_EQ(saved->getProfile(1)->getName(), irr::core::stringw(L"Bo"));
}

TEST_F(SelectPlayer, DeletingFromTenEnablesNewAndDeletingTheLastLeavesNoPlayer)
{
	usePlayers(names(10), 0);
	GSelectPlayerScene* scene = openSelection();
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(buttons(scene), "101");
	askAndAnswer(scene, {0});
	EXPECT_EQ(buttons(scene), "111");
	EXPECT_EQ(listed(scene->getPlayersList()).substr(0, 8), "[Bo]|Cas");

	for (int left = 9; left > 0; --left)
		askAndAnswer(scene, {0});
	EXPECT_EQ(listed(scene->getPlayersList()), "");
	EXPECT_EQ(buttons(scene), "010");
	EXPECT_EQ(CProfileManager::instance()->getActiveProfile(), nullptr);
	EXPECT_EQ(reloadedProfiles()->getProfileCount(), 0);

	// Nothing to choose: Escape keeps the screen open.
	EXPECT_TRUE(keyUp(scene, 27));
	settle();
	EXPECT_EQ(top(), scene);
}

TEST_F(SelectPlayer, EscapeConfirmsTheSelectionAndLoadsThatPlayersAchievements)
{
	usePlayers(names(3), 0);
	CProfileManager::instance()->getProfile(2)->setString(ProfileKey::AchievementsProgress, "4;2");
	GSelectPlayerScene* scene = openSelection();
	ASSERT_NE(scene, nullptr);
	scene->getPlayersList()->setSelectedItem(2, true);

	EXPECT_TRUE(keyUp(scene, 27));
	settle();
	EXPECT_EQ(top(), covered.get());
	EXPECT_TRUE(covered->hasPlayed("NavBackToSlide"));
	EXPECT_EQ(CProfileManager::instance()->getActiveProfileIndex(), 2);
	EXPECT_EQ(application->achievements->getCounter(0), 4);
	EXPECT_EQ(application->achievements->getCounter(1), 2);
	const auto saved = reloadedProfiles();
	EXPECT_EQ(saved->getProfile(2)->getString(ProfileKey::AchievementsProgress), irr::core::stringc("4;2"));
}

TEST_F(SelectPlayer, ANewPlayerIsSelectedOnReturnAndACancelSelectsNothingNew)
{
	usePlayers(names(2), 0);
	GSelectPlayerScene* scene = openSelection();
	ASSERT_NE(scene, nullptr);

	press(scene, scene->getNewPlayerButton());
	settle();
	auto* entry = nodeCast<GSelectPlayerInputNameScene>(top());
	ASSERT_NE(entry, nullptr);
	ASSERT_NE(entry->getNameEdit(), nullptr);
	EXPECT_TRUE(scene->isVisible()) << "the list stays visible under the name entry";
	entry->getNameEdit()->setText(L"Zoe");
	CEventNodeValueChanged changed(entry->getNameEdit());
	entry->onEvent(&changed);
	EXPECT_TRUE(entry->getOkButton()->isEnabled());
	EXPECT_TRUE(keyUp(entry, 13));
	settle();
	ASSERT_EQ(top(), scene);
	EXPECT_EQ(listed(scene->getPlayersList()), "Ann|Bo|[Zoe]");
	EXPECT_TRUE(scene->getPlayersList()->isFocused());
	EXPECT_EQ(reloadedProfiles()->getProfileCount(), 3);

	scene->getPlayersList()->setSelectedItem(0, true);
	press(scene, scene->getNewPlayerButton());
	settle();
	entry = nodeCast<GSelectPlayerInputNameScene>(top());
	ASSERT_NE(entry, nullptr);
	EXPECT_EQ(entry->getNameEdit()->getText(), irr::core::stringw());
	press(entry, entry->findChild(internStringId("CancelButton")));
	settle();
	ASSERT_EQ(top(), scene);
	EXPECT_EQ(listed(scene->getPlayersList()), "[Ann]|Bo|Zoe");
}

namespace
{
// A profile file that is not one: the game starts without players and the screen still works.
class SelectPlayerDamagedProfiles : public SelectPlayer
{
protected:
	void prepareProfiles() override
	{
		// As at the start of the game: nobody read yet.
		usePlayers({}, -1);
		CProfileManager manager;
		const std::string path = manager.getUserProfilePath();
		std::filesystem::create_directories(std::filesystem::path(path).parent_path());
		std::ofstream(path, std::ios::binary) << "\x01\x02<Profiles><Player Name=\"x\"><Param";
	}
};
} // namespace

TEST_F(SelectPlayerDamagedProfiles, ShowsAnEmptyListAndCreatesAPlayer)
{
	GSelectPlayerScene* scene = openSelection();
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(listed(scene->getPlayersList()), "");
	EXPECT_EQ(buttons(scene), "010");
	EXPECT_TRUE(keyUp(scene, 13));
	press(scene, scene->getNewPlayerButton());
	settle();
	auto* entry = nodeCast<GSelectPlayerInputNameScene>(top());
	ASSERT_NE(entry, nullptr);
	entry->getNameEdit()->setText(L"Anna");
	entry->createProfile();
	settle();
	EXPECT_EQ(listed(scene->getPlayersList()), "[Anna]");
	EXPECT_EQ(reloadedProfiles()->getProfileCount(), 1);
}
