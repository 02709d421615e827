#include "frontend/GShopScene.h"

#include "ShopTestSupport.h"
#include "core/InputEvents.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "frontend/GShopButton.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace shoptest;

namespace
{
std::string offer(const char* upgrade, int x)
{
	return node("GShopButton", upgrade, node("TextNode", "PriceText") + node("BaseNode", "Bought"),
	            std::string("<string Name=\"UpgradeName\" Value=\"") + upgrade +
	                "\"/><vector3d Name=\"Position\" Value=\"" + std::to_string(x) +
	                ";100;0\"/><vector3d Name=\"Bounds\" Value=\"120;150;0\"/>");
}

std::string shopXml()
{
	const std::string buttons = offer("Camping", 0) + offer("Cafe", 130) + offer("Hostel", 260) +
	                            offer("CityMall", 390) + offer("AquaPark", 520) + offer("AquaParkFeature2", 520) +
	                            offer("Rocket", 650);
	const std::string highlight =
	    node("BaseNode", "ShopButtonHLNode",
	         node("BaseNode", "Glow", states(tintState("On", "ffff0000") + tintState("Off", "00ffffff"))));
	const std::string scene = node("TextNode", "ScoreText") +
	                          node("BaseNode", "Hint1Node", node("TextNode", "Title") + node("TextNode", "Info")) +
	                          highlight + node("BaseNode", "ShopButtons", buttons) + node("ButtonNode", "BackButton");
	return node("GShopScene", "Shop", node("BaseNode", "Scene", scene),
	            "<vector3d Name=\"Bounds\" Value=\"1024;768;0\"/>");
}

// The shop over a player's profile, with its own upgrades and achievement tracker.
class ShopScene : public testing::Test
{
protected:
	ShopScene()
	    : upgrades(upgradesOf(upgradeXml("Camping", 0, 0) + upgradeXml("Cafe", 120, 1, 2) +
	                          upgradeXml("Hostel", 1200, 2, 4) + upgradeXml("CityMall", 180, 1, 3) +
	                          upgradeXml("AquaPark", 300, 1) + upgradeXml("AquaParkFeature2", 200, 1))),
	      achievements(new GAchievements())
	{
		CDictionary* texts = getDevice()->getDictionary();
		texts->setText("Shop_ScoreTxt", L"Points: #p");
		texts->setText("Shop_Cost", L"Cost: #p");
		texts->setText("Shop_CostShort", L"Cost: #p (#p short)");
		texts->setText("Shop_Locked", L"Opens after level #p");
		texts->setText("Upgrade_Hostel_Info", L"Hostels for hikers.");
		player->setString(ProfileKey::Scores, "100;200");
		player->setString(ProfileKey::BoughtUpgrades, "Cafe");
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, 1);
		player->setInt(ProfileKey::LevelIndex, 1);
		shop = loadScene<GShopScene>(shopXml());
		shop->setUpgradesConfiguration(upgrades.get());
		shop->setAchievements(achievements.get());
	}

	// What the scene does when it comes on screen.
	void enter()
	{
		CEventNodeSceneChangeStarted entering(nullptr, shop.get(), 1);
		EXPECT_TRUE(shop->onEvent(&entering));
	}

	GShopButton* button(const char* name) const
	{
		for (const SmartPointer<GShopButton>& b : shop->getShopButtons())
			if (getStringById(b->getName()) == name)
				return b.get();
		return nullptr;
	}

	void press(const char* name)
	{
		CEventNodeClicked clicked(button(name));
		shop->onEvent(&clicked);
	}

	// The offer as the player sees it: L locked, B bought, E enabled (affordable), D disabled; and its price.
	std::string look(const char* name) const
	{
		const GShopButton* b = button(name);
		const char state = b->isLocked() ? 'L' : b->isBought() ? 'B' : b->isEnabled() ? 'E' : 'D';
		return std::string(1, state) + std::to_string(b->getPrice());
	}

	std::string scoreText() const
	{
		return irr::core::stringc(asTextNode(shop->findChild(internStringId("ScoreText")))->getText()).c_str();
	}

	PlayerProfile player;
	SmartPointer<GUpgradesConfiguration> upgrades;
	SmartPointer<GAchievements> achievements;
	SmartPointer<GShopScene> shop;
};
} // namespace

TEST_F(ShopScene, EntryShowsPointsAndEveryOffer)
{
	ASSERT_TRUE(shop);
	ASSERT_EQ(shop->getShopButtons().size(), 7u);
	enter();
	// 300 points of scores, less the cafe's 120; the free camping costs nothing.
	EXPECT_EQ(shop->getPoints(), 180);
	EXPECT_EQ(scoreText(), "Points: 180");
	EXPECT_EQ(look("Camping"), "B0");
	EXPECT_EQ(look("Cafe"), "B120");
	EXPECT_EQ(look("Hostel"), "D1200") << "offered, but dearer than the points";
	EXPECT_EQ(look("CityMall"), "E180") << "costs exactly the points";
	EXPECT_EQ(look("Rocket"), "L0") << "a name the configuration does not know stays locked";
	EXPECT_FALSE(shop->getHintNode()->isVisible());

	// The aqua park is not owned yet: its place shows the park, not its follow-up.
	EXPECT_TRUE(button("AquaPark")->isVisible());
	EXPECT_FALSE(button("AquaParkFeature2")->isVisible());

	// The cafe is needed at the second level (location 1) and owned: its mark is lit off.
	const StringId highlight = GShopScene::nameIdHighlight();
	BaseNode* cafeMark = button("Cafe")->findChild(highlight, 1);
	ASSERT_TRUE(cafeMark);
	EXPECT_EQ(cafeMark->getPosition().Z, 10.0f);
	EXPECT_TRUE(cafeMark->isVisible());
	EXPECT_EQ(cafeMark->getChildren()[0]->getTintColor().color, 0x00ffffffu);
	EXPECT_FALSE(button("CityMall")->findChild(highlight, 1)) << "needed only from the third level";
	EXPECT_FALSE(button("Camping")->findChild(highlight, 1)) << "no level needs it";
	EXPECT_FALSE(shop->findChild(highlight, 2)->isVisible()) << "the template itself is hidden";

	// A second entry reuses the marks.
	player->setInt(ProfileKey::LevelIndex, 2);
	enter();
	int marks = 0;
	for (BaseNode* child : {button("Cafe"), button("CityMall")})
		for (irr::u32 i = 0; i < child->getChildren().size(); ++i)
			marks += child->getChildren()[i]->getName() == highlight ? 1 : 0;
	EXPECT_EQ(marks, 2);
	EXPECT_EQ(button("CityMall")->findChild(highlight, 1)->getChildren()[0]->getTintColor().color, 0xffff0000u)
	    << "needed and not owned: lit";
}

TEST_F(ShopScene, BuyingSpendsThePointsAndRecordsTheName)
{
	player->setString(ProfileKey::BoughtUpgrades, "");
	enter();
	EXPECT_EQ(shop->getPoints(), 300);
	press("CityMall");
	EXPECT_EQ(player->getString(ProfileKey::BoughtUpgrades), "CityMall") << "no leading separator";
	EXPECT_EQ(shop->getPoints(), 120);
	EXPECT_EQ(look("CityMall"), "B180");
	press("Cafe");
	EXPECT_EQ(player->getString(ProfileKey::BoughtUpgrades), "CityMall;Cafe");
	EXPECT_EQ(shop->getPoints(), 0);
	EXPECT_EQ(scoreText(), "Points: 0");

	// Nothing more is bought: the hostel is too dear, the bought cafe and the locked rocket not for sale.
	for (const char* name : {"Hostel", "Cafe", "Rocket"})
		press(name);
	EXPECT_EQ(player->getString(ProfileKey::BoughtUpgrades), "CityMall;Cafe");
	EXPECT_EQ(shop->getPoints(), 0);
}

TEST_F(ShopScene, OwnedParkMakesRoomForItsFollowUp)
{
	player->setString(ProfileKey::Scores, "1000");
	enter();
	press("AquaPark");
	EXPECT_FALSE(button("AquaPark")->isVisible());
	EXPECT_TRUE(button("AquaParkFeature2")->isVisible());
	EXPECT_EQ(look("AquaParkFeature2"), "E200");
}

TEST_F(ShopScene, PurchasesFeedTheBoughtBuildingCountersAndSaveThem)
{
	player->setString(ProfileKey::Scores, "1000");
	enter();
	EXPECT_EQ(achievements->getCounter(0), 1) << "the free camping";
	EXPECT_EQ(achievements->getCounter(1), 1) << "the cafe";
	press("CityMall");
	press("AquaPark");
	// The third leisure building reaches the counter's threshold; the tracker saves to the profile.
	EXPECT_EQ(achievements->getCounter(1), 3);
	EXPECT_EQ(player->getString(ProfileKey::AchievementsProgress).subString(0, 6), "1;3;0;");
	// Entering again changes nothing.
	enter();
	EXPECT_EQ(achievements->getCounter(1), 3);
}

// Without the achievement tracker, whose save would store it, the purchase is saved with the profile.
TEST_F(ShopScene, PurchaseReachesTheProfilesFile)
{
	shop->setAchievements(nullptr);
	enter();
	press("CityMall");
	CProfileManager reread;
	reread.loadProfiles();
	const CProfile* saved = reread.findProfile(L"Shopper");
	ASSERT_NE(saved, nullptr);
	EXPECT_EQ(saved->getString(ProfileKey::BoughtUpgrades), "Cafe;CityMall");
}

TEST_F(ShopScene, DeveloperGrantOwnsEveryUpgradeOnce)
{
	enter();
	shop->grantAllUpgrades();
	// Every name once, in the configuration's key order, without a trailing separator.
	const irr::core::stringc bought = player->getString(ProfileKey::BoughtUpgrades);
	std::set<std::string> names;
	for (const char* name : {"Camping", "Cafe", "Hostel", "CityMall", "AquaPark", "AquaParkFeature2"})
		names.insert(name);
	std::set<std::string> written;
	const irr::core::array<StringId> ids = splitToIds(bought.c_str());
	for (irr::u32 i = 0; i < ids.size(); ++i)
		written.insert(getStringById(ids[i]).c_str());
	EXPECT_EQ(written, names);
	EXPECT_EQ(ids.size(), 6u);
	EXPECT_NE(bought[bought.size() - 1], ';');
	// 300 points less every price once, the free camping included at 0.
	EXPECT_EQ(shop->getPoints(), 300 - 120 - 1200 - 180 - 300 - 200);
	for (const char* name : {"Camping", "Cafe", "Hostel", "CityMall"})
		EXPECT_TRUE(button(name)->isBought()) << name;
}

TEST_F(ShopScene, DamagedProfileValuesGiveASafeShop)
{
	struct Case
	{
		const char* story;
		const char* scores;
		const char* bought;
		int maxUnlocked;
		int points;
		const char* hostel;
	};
	const Case cases[] = {
	    {"garbage between the scores", "1;;abc;1e2;-7", "Cafe;Cafe;;Cafe", 1, -26, "D1200"},
	    {"scores at the ends of the range", "2147483647;2147483647", "Cafe", 2147483647, 2147483647, "E1200"},
	    {"a negative level index", "300", "Cafe", -2147483647 - 1, 180, "L0"},
	};
	for (const Case& c : cases)
	{
		player->setString(ProfileKey::Scores, c.scores);
		player->setString(ProfileKey::BoughtUpgrades, c.bought);
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, c.maxUnlocked);
		player->setInt(ProfileKey::LevelIndex, c.maxUnlocked);
		enter();
		EXPECT_EQ(shop->getPoints(), c.points) << c.story;
		EXPECT_EQ(look("Hostel"), c.hostel) << c.story;
	}
	// A level index stored as text reads as 0.
	player->setString(ProfileKey::MaxUnlockedLevelIndex, "lots");
	enter();
	EXPECT_EQ(look("Hostel"), "L0");
}

TEST_F(ShopScene, HoverShowsTheUpgradesPriceAndText)
{
	enter();
	CEventNodeHovered hovered(nullptr, button("Hostel"));
	EXPECT_TRUE(shop->onEvent(&hovered));
	BaseNode* hint = shop->getHintNode();
	EXPECT_TRUE(hint->isVisible());
	EXPECT_EQ(hint->getPosition(), irr::core::vector3df(260 + 60, 100, 1000));
	// Dearer than the 180 points: the hint says how many are missing, since the button takes no click.
	EXPECT_TRUE(asTextNode(hint->findChild(internStringId("Title"), 1))->getText() == L"Cost: 1,200 (1,020 short)");
	EXPECT_TRUE(asTextNode(hint->findChild(internStringId("Info"), 1))->getText() == L"Hostels for hikers.");

	CEventNodeUnhovered left(button("Hostel"), nullptr);
	EXPECT_TRUE(shop->onEvent(&left));
	EXPECT_FALSE(hint->isVisible());

	CEventNodeHovered mall(nullptr, button("CityMall"));
	EXPECT_TRUE(shop->onEvent(&mall));
	EXPECT_TRUE(asTextNode(hint->findChild(internStringId("Title"), 1))->getText() == L"Cost: 180");

	CEventNodeHovered rocket(nullptr, button("Rocket"));
	shop->onEvent(&rocket);
	EXPECT_FALSE(hint->isVisible()) << "no upgrade, no hint";

	// Until level 2 is won, the hostel's card names the level that opens it instead of a price.
	player->setInt(ProfileKey::MaxUnlockedLevelIndex, 0);
	enter();
	ASSERT_TRUE(button("Hostel")->isLocked());
	EXPECT_TRUE(shop->onEvent(&hovered));
	EXPECT_TRUE(asTextNode(hint->findChild(internStringId("Title"), 1))->getText() == L"Opens after level 2");
}

TEST(ShopSceneWithoutPlayer, ChangesNothing)
{
	GameDataFolders folders;
	CProfileManager::instance()->setActiveProfile(-1);
	SmartPointer<GShopScene> shop = loadScene<GShopScene>(shopXml());
	ASSERT_TRUE(shop);
	shop->setUpgradesConfiguration(upgradesOf(upgradeXml("Cafe", 0, 0)).get());
	CEventNodeSceneChangeStarted entering(nullptr, shop.get(), 1);
	shop->onEvent(&entering);
	EXPECT_EQ(shop->getPoints(), 0);
	EXPECT_FALSE(shop->getShopButtons()[1]->isBought());
	EXPECT_FALSE(shop->purchase(shop->getShopButtons()[1].get()));
}

// Opened over whatever scene is on top, Escape or the back button returns to it.
TEST(ShopSceneNavigation, ClosesBackToTheSceneItCovers)
{
	PlayerProfile player;
	SmartPointer<SceneManager> manager(getDevice()->createSceneManager());
	SmartPointer<TaskScheduler> scheduler(new TaskScheduler());
	manager->setScheduler(scheduler.get());
	const auto settle = [&]
	{
		for (int i = 0; i < 5; ++i)
		{
			scheduler->update(10);
			manager->drainEvents();
		}
	};
	SmartPointer<SceneNode> below(new SceneNode());
	ASSERT_TRUE(manager->showScene(below.get()));
	settle();
	for (int way = 0; way < 2; ++way)
	{
		SmartPointer<GShopScene> shop = loadScene<GShopScene>(shopXml());
		shop->setUpgradesConfiguration(upgradesOf("").get());
		ASSERT_TRUE(below->pushScene(shop.get(), true));
		settle();
		ASSERT_EQ(manager->getTopScene(), shop.get());
		if (way == 0)
		{
			CEventInputKeyUp escape(0, 27, false, false);
			EXPECT_TRUE(shop->onEvent(&escape));
		}
		else
		{
			CEventNodeClicked back(shop->findChild(internStringId("BackButton")));
			EXPECT_TRUE(shop->onEvent(&back));
		}
		settle();
		EXPECT_EQ(manager->getTopScene(), below.get()) << way;
	}
	manager->showScene(nullptr);
}
