#include "frontend/GSelectPlayerInputNameScene.h"

#include "FrontendTestSupport.h"
#include "nodes/EditNode.h"

using namespace frontendtest;

namespace
{
class NameEntry : public FrontendStage
{
protected:
	GSelectPlayerInputNameScene* openEntry()
	{
		return open<GSelectPlayerInputNameScene>(GSelectPlayerInputNameScene::FileName);
	}

	// Types the name as the edit reports it: the text changes, then the value-changed notification.
	static void type(GSelectPlayerInputNameScene* scene, const wchar_t* name)
	{
		scene->getNameEdit()->setText(name);
		CEventNodeValueChanged changed(scene->getNameEdit());
		EXPECT_FALSE(scene->onEvent(&changed));
	}
};
} // namespace

TEST_F(NameEntry, OkIsOnlyForANewNonEmptyName)
{
	usePlayers({L"Alice", L"Bram"}, -1);
	GSelectPlayerInputNameScene* scene = openEntry();
	ASSERT_NE(scene, nullptr);
	ASSERT_NE(scene->getNameEdit(), nullptr);
	ASSERT_NE(scene->getOkButton(), nullptr);
	EXPECT_FALSE(scene->getOkButton()->isEnabled()) << "off on entry";
	const std::pair<const wchar_t*, bool> cases[] = {
	    {L"Alice", false}, {L"alice", true}, {L"", false}, {L"Bram", false}, {L"Bram ", true}, {L"Cor", true},
	};
	for (const auto& [name, acceptable] : cases)
	{
		type(scene, name);
		EXPECT_EQ(scene->getOkButton()->isEnabled(), acceptable) << irr::core::stringc(name).c_str();
	}
}

TEST_F(NameEntry, EnterCreatesOnlyWhenOkIsOnAndEscapeCancels)
{
	usePlayers({L"Alice"}, 0);
	GSelectPlayerInputNameScene* scene = openEntry();
	ASSERT_NE(scene, nullptr);

	// Empty: Enter is taken but nothing happens.
	EXPECT_TRUE(keyUp(scene, 13));
	settle();
	EXPECT_EQ(top(), scene);
	EXPECT_EQ(CProfileManager::instance()->getProfileCount(), 1);

	// A taken name typed without the notification still makes no second profile.
	scene->getNameEdit()->setText(L"Alice");
	scene->createProfile();
	EXPECT_EQ(CProfileManager::instance()->getProfileCount(), 1);

	type(scene, L"Dana");
	EXPECT_TRUE(keyUp(scene, 13));
	settle();
	EXPECT_EQ(top(), covered.get());
	EXPECT_TRUE(covered->hasPlayed("NavBackTo"));
	const auto saved = reloadedProfiles();
	ASSERT_EQ(saved->getProfileCount(), 2);
	EXPECT_EQ(saved->getProfile(1)->getName(), irr::core::stringw(L"Dana"));
	// A new player is not the active one until chosen.
	EXPECT_EQ(CProfileManager::instance()->getActiveProfileIndex(), 0);

	// Opened again after a cancelled attempt: empty again.
	scene = openEntry();
	ASSERT_NE(scene, nullptr);
	type(scene, L"Eli");
	EXPECT_TRUE(keyUp(scene, 27));
	settle();
	EXPECT_EQ(top(), covered.get());
	scene = openEntry();
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(scene->getNameEdit()->getText(), irr::core::stringw());
	EXPECT_FALSE(scene->getOkButton()->isEnabled());
	EXPECT_EQ(CProfileManager::instance()->getProfileCount(), 2);
}
