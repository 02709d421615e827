#include "FrontendTestSupport.h"
#include "content/IFileSystem.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "data/ProfileKeys.h"
#include "frontend/GComicsScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "frontend/GShopButton.h"
#include "frontend/GShopScene.h"

#include <cctype>
#include <fstream>

using namespace frontendtest;

namespace
{
// The application's key handler fed by hand; the developer flag starts off for every case.
class DeveloperKeys : public FrontendStage
{
protected:
	void SetUp() override
	{
		FrontendStage::SetUp();
		gDeveloperMode = false;
	}
	void TearDown() override
	{
		gDeveloperMode = false;
		FrontendStage::TearDown();
	}

	// Each character one key press; '_' a key that types nothing (an arrow key).
	void typeKeys(const std::string& keys)
	{
		for (char c : keys)
		{
			CEventInputKeyDown down(c == '_' ? 0 : c, c == '_' ? 37 : std::toupper(c), false, false);
			EXPECT_FALSE(application->onKeyDown(&down));
		}
	}

	void command(int key, bool shift, bool control)
	{
		CEventInputKeyDown down(0, key, shift, control);
		EXPECT_FALSE(application->onKeyDown(&down));
	}
};
} // namespace

TEST_F(DeveloperKeys, TheCodeIsTheLastEightCharactersInAnyCase)
{
	const std::pair<const char*, bool> cases[] = {
	    {"plumvask", true}, {"PLUMVASK", true},  {"xyzplumvask", true}, {"plum_vask", false},
	    {"plumvas", false}, {"plumvasx", false}, {"pplumvask", true},
	};
	for (const auto& [keys, on] : cases)
	{
		gDeveloperMode = false;
		typeKeys("________");
		typeKeys(keys);
		EXPECT_EQ(gDeveloperMode, on) << keys;
	}
}

TEST_F(DeveloperKeys, ReloadNeedsTheFlagAndBothModifiers)
{
	ASSERT_EQ(application->comicsConfiguration->size(), 0u);
	ASSERT_FALSE(application->buildingsConfiguration->findBuilding(internStringId("BuildingPlace")));
	command(82, true, true);
	EXPECT_EQ(application->comicsConfiguration->size(), 0u) << "no reload without the code";
	typeKeys("plumvask");
	command(82, true, false);
	command(82, false, true);
	EXPECT_EQ(application->comicsConfiguration->size(), 0u);
	command(82, true, true);
	EXPECT_GT(application->comicsConfiguration->size(), 0u);
	EXPECT_GT(application->levelScores->size(), 0u);
	EXPECT_TRUE(application->buildingsConfiguration->findBuilding(internStringId("BuildingPlace")));
	EXPECT_TRUE(application->upgradesConfiguration->findUpgrade(internStringId("Camping")));
	// The null driver takes no screenshot: nothing is written.
	command(83, true, true);
	EXPECT_FALSE(
	    std::ifstream(std::string(getDevice()->getFileSystem()->getUserDataFolder().c_str()) + "/screenshot0.jpg"));
}

// The map's and the shop's developer keys: the next location, the comics and every upgrade, each only
// after the code.
TEST_F(DeveloperKeys, TheMapOpensTheNextLocationAndTheComicsTheShopGrantsEveryUpgrade)
{
	usePlayers({L"Dev"}, 0);
	CProfile* player = CProfileManager::instance()->getActiveProfile();
	player->setInt(ProfileKey::MaxUnlockedLevelIndex, 4);
	player->setBool(ProfileKey::ShowTutorialOn, false);
	GMapScene* map = open<GMapScene>("scenes/MapScene.qscn");
	ASSERT_NE(map, nullptr);
	ASSERT_EQ(map->getLocationButtons().size(), 32u);
	auto keyDown = [&](int key)
	{
		CEventInputKeyDown event(0, key, false, false);
		return map->onEvent(&event);
	};

	keyDown('U');
	keyUp(map, '2');
	settle();
	EXPECT_EQ(player->getInt(ProfileKey::MaxUnlockedLevelIndex), 4) << "a key worked without the code";
	EXPECT_EQ(top(), map);

	typeKeys("plumvask");
	command(82, true, true); // the configuration the shop sells from
	EXPECT_TRUE(keyDown('U'));
	EXPECT_EQ(player->getInt(ProfileKey::MaxUnlockedLevelIndex), 5);
	EXPECT_TRUE(map->getLocationButtons()[6]->isEnabled());
	EXPECT_EQ(reloadedProfiles()->getProfile(0)->getInt(ProfileKey::MaxUnlockedLevelIndex), 5) << "not saved";
	// Never past the last location.
	player->setInt(ProfileKey::MaxUnlockedLevelIndex, 31);
	keyDown('U');
	EXPECT_EQ(player->getInt(ProfileKey::MaxUnlockedLevelIndex), 31);

	EXPECT_TRUE(keyUp(map, '2'));
	settle();
	ASSERT_TRUE(nodeCast<GComicsScene>(top()));
	EXPECT_EQ(top()->getContentRef().getName(), irr::core::stringc("scenes/ComicsScene2.qscn"));
	top()->closeTo(0);
	settle();
	ASSERT_EQ(top(), map);

	GShopScene* shop = open<GShopScene>("scenes/ShopScene.qscn");
	ASSERT_NE(shop, nullptr);
	EXPECT_TRUE(keyUp(shop, 'U'));
	const irr::core::stringc bought = player->getString(ProfileKey::BoughtUpgrades);
	for (const auto& entry : application->upgradesConfiguration->getUpgrades())
		EXPECT_NE(bought.find(getStringById(entry.first).c_str()), -1) << getStringById(entry.first).c_str();
	for (const auto& button : shop->getShopButtons())
		EXPECT_TRUE(button->isBought() || button->isLocked()) << getStringById(button->getName()).c_str();
}

namespace
{
// On the map the digits 1 to 5 show the story's comics, only in developer mode.
TEST_F(DeveloperKeys, TheMapsDigitKeysShowTheComicsInDeveloperModeOnly)
{
	GMapScene* map = open<GMapScene>("scenes/MapScene.qscn");
	ASSERT_NE(map, nullptr);
	EXPECT_FALSE(keyUp(map, '4'));
	settle();
	EXPECT_EQ(top(), map);

	gDeveloperMode = true;
	EXPECT_FALSE(keyUp(map, '6')) << "there is no sixth comic";
	EXPECT_TRUE(keyUp(map, '4'));
	settle();
	auto* comic = nodeCast<GComicsScene>(top());
	ASSERT_NE(comic, nullptr);
	EXPECT_EQ(getStringById(comic->getName()), irr::core::stringc("ComicsScene4"));
}
} // namespace
