#include "TextFitCheck.h"
#include "content/CBitmapFont.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "data/ProfileKeys.h"
#include "nodes/TextNode.h"

#include <cmath>

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

// The built game played by a person: its own window on the test display, driven only by X input
// events (xdotool) from the first start with no player to the first level and back to the map, and the
// shop's card hints under the pointer.
using namespace gameinput;

namespace
{
// The one player profile the game wrote, read back from the data folders as the game left them.
struct SavedPlayer
{
	bool exists = false;
	std::wstring name;
	int maxUnlockedLevelIndex = -2;
	int levelIndex = -2;
	bool active = false;
};

SavedPlayer readSavedPlayer()
{
	SavedPlayer saved;
	CProfileManager manager;
	manager.loadProfiles();
	if (CProfile* player = manager.getProfile(0))
	{
		saved.exists = true;
		saved.name = player->getName().c_str();
		saved.maxUnlockedLevelIndex = player->getInt(ProfileKey::MaxUnlockedLevelIndex);
		saved.levelIndex = player->getInt(ProfileKey::LevelIndex);
		saved.active = manager.getActiveProfile() == player;
	}
	return saved;
}

// The game's font of that file, its glyph metrics alone (no pages): null when it cannot be read.
SmartPointer<CFont> readFont(const std::string& path)
{
	SmartPointer<CReadFile> input(new CReadFile(path.c_str()));
	if (!input->isOpen())
		return nullptr;
	CXMLReader reader(input.get());
	while (reader.read())
		if (reader.getNodeType() == XML_NODE_ELEMENT && reader.getNodeName() == L"Font")
		{
			SmartPointer<CFont> font(new CBitmapFont(ContentRef()));
			font->load(&reader);
			return font;
		}
	return nullptr;
}

// Left and right end of the ink of a line of text on the virtual screen.
struct InkSpan
{
	float left = 0.0f, right = 0.0f;
	bool empty = true;
};

// Where the game lays out the ink of the text in a left-aligned, one-line box of that font and size.
InkSpan laidOutInk(CFont* font, float size, const SceneNodeRect& box, const irr::core::stringw& text)
{
	SmartPointer<TextNode> line(new TextNode());
	line->setBounds({box.width, box.height, 0.0f});
	line->setFont(font);
	line->setFontSize(size);
	line->setTextHAlign(1);
	line->setText(text);
	const textfit::Ink ink = textfit::lineInk(*line, 0);
	return {box.x + ink.left, box.x + ink.right, ink.empty};
}

// The dark ink of the shop hint's title on its light panel.
bool titleInk(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r < 0x90 && g < 0x98 && b < 0xa8;
}

class GameEndToEndScreens : public GameWindowTest
{
protected:
	GameEndToEndScreens() : GameWindowTest("e2e-") {}

	// The columns of the box (virtual screen) that show ink: the ends of the text seen there.
	InkSpan inkSeen(const SceneNodeRect& box, bool (*test)(unsigned long))
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		InkSpan span;
		for (float x = box.x; x < box.x + box.width && !image.empty(); x += 1.0f)
			for (float y = box.y; y < box.y + box.height; y += 1.0f)
			{
				const auto [wx, wy] = toWindow(x, y);
				if (wx < 0 || wy < 0 || wx >= width || wy >= height || !test(image.at(wx, wy)))
					continue;
				if (span.empty)
					span.left = x;
				span.right = x + 1.0f;
				span.empty = false;
				break;
			}
		return span;
	}

	bool type(const std::string& text) { return xdotool({"type", "--delay", "60", text}); }
	bool key(const std::string& name) { return xdotool({"key", name}); }
};
} // namespace

TEST_F(GameEndToEndScreens, FirstStartCreatesThePlayerWhoIsBackOnTheNextStart)
{
	startGame();
	ASSERT_FALSE(HasFatalFailure());

	// The logos and the intro lead by themselves to the name entry, opened over the player list.
	const SceneNodeRect nameEdit = node("SelectPlayerInputNameScene.qscn", {"Scene", "NameEdit"});
	const SceneNodeRect nameOk = node("SelectPlayerInputNameScene.qscn", {"Scene", "OkButton"});
	const SceneNodeRect nameCancel = node("SelectPlayerInputNameScene.qscn", {"Scene", "CancelButton"});
	ASSERT_TRUE(waitForLook(nameEdit, white, 60000) && waitForLook(nameCancel, buttonBlue))
	    << "the name entry did not appear";
	screenshot("name-entry");
	EXPECT_FALSE(looks(nameOk, buttonBlue)) << "OK is on before a name is typed";

	// The edit takes the typed name once it has the focus; OK comes on for a new name.
	ASSERT_TRUE(clickUntil(
	    nameEdit, [&] { return type("Ada") && waitForLook(nameOk, buttonBlue, 3000); }, 3, 0))
	    << "typing a name did not switch OK on";
	screenshot("name-typed");
	ASSERT_TRUE(click(nameOk));
	ASSERT_TRUE(waitFor(10000, [] { return readSavedPlayer().exists; })) << "OK saved no player";
	EXPECT_EQ(readSavedPlayer().name, L"Ada");
	EXPECT_EQ(readSavedPlayer().maxUnlockedLevelIndex, -1);

	// Back on the player list the new player is chosen: "Play" is on and makes the player current.
	const SceneNodeRect listOk = node("SelectPlayerScene.qscn", {"Scene", "OkButton"});
	ASSERT_TRUE(waitForLook(listOk, buttonBlue, 10000)) << "the player list's OK did not come on";
	screenshot("player-list");
	ASSERT_TRUE(clickUntil(listOk, [] { return readSavedPlayer().active; })) << "the new player was not made current";

	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 10000)) << "the main menu did not come back";
	screenshot("main-menu");

	// A new player's "Play" goes straight into the first level: loading, then the level's goals.
	const SceneNodeRect goalsOk = node("LevelObjectivesScene.qscn", {"Scene", "OkButton"});
	ASSERT_TRUE(clickUntil(
	    newGame, [&] { return looks(goalsOk, buttonBlue); }, 3, 30000))
	    << "Play did not lead to the first level's goals";
	screenshot("level1-goals");
	ASSERT_TRUE(clickUntil(goalsOk, [&] { return !looks(goalsOk, buttonBlue); })) << "the goals did not close";
	std::this_thread::sleep_for(std::chrono::milliseconds(2000));
	screenshot("level1-play");
	// The player's lots are there to be seen (the middle of the lot, not its fence).
	SceneNodeRect lot = scenefile::findNode(sourceDir() + "/assets/levels/level1/Level.qscn", {"Buildings", "Place1"});
	ASSERT_TRUE(lot.found);
	lot = {lot.x + lot.width / 4, lot.y + lot.height / 4, lot.width / 2, lot.height / 2, true};
	EXPECT_TRUE(looks(lot, lotSand)) << "the first lot is not drawn";

	// The close box ends the game cleanly; the next start greets the same player on the menu.
	gameprocess::requestClose(display, window);
	EXPECT_EQ(waitForEnd(), 0);
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the second start did not reach the main menu";
	EXPECT_FALSE(looks(nameEdit, white)) << "the second start asked for a name again";
	screenshot("main-menu-second-start");
}

TEST_F(GameEndToEndScreens, AReturningPlayerFindsTheNextLevelOpenOnTheMap)
{
	// The profile as the first level leaves it: level 1 done, so level 2 is open and level 3 is not.
	writePlayer(L"Ada", 0);
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
	screenshot("menu-returning");

	const SceneNodeRect mapPlay = node("MapScene.qscn", {"Scene", "PlayButton"});
	ASSERT_TRUE(clickUntil(newGame, [&] { return looks(mapPlay, buttonBlue); }))
	    << "Play on the main menu did not open the map";
	screenshot("map");

	// A location that is still locked takes no click; the open one is chosen and saved at once.
	ASSERT_TRUE(click(node("MapScene.qscn", {"Scene", "LocationButtons", "Location3"})));
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	EXPECT_EQ(readSavedPlayer().levelIndex, 0) << "a locked location could be chosen";
	ASSERT_TRUE(clickUntil(
	    node("MapScene.qscn", {"Scene", "LocationButtons", "Location2"}),
	    [] { return readSavedPlayer().levelIndex == 1; }, 3))
	    << "the second location did not take the click";
	// The second level needs an upgrade that is not bought yet: the shop opens over the map.
	const SceneNodeRect shopBack = node("ShopScene.qscn", {"Scene", "BackButton"});
	ASSERT_TRUE(waitForLook(shopBack, buttonBlue, 10000)) << "the shop did not open over the map";
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	screenshot("map-level2-shop");

	// The pointer on a card brings its hint above it. A locked card says at which level it opens, in the
	// words of the texts and laid out in the hint's font as the game lays them; an open card gives its
	// price (no points yet: all of it short).
	const SmartPointer<CFont> font = readFont(binaryDir() + "/bin/assets/scenes/fonts/arial_18.qfnt");
	ASSERT_TRUE(font) << "the hint's font cannot be read";
	SmartPointer<IFileSystem> files(createFileSystem());
	SmartPointer<CDictionary> texts(new CDictionary(files.get()));
	ASSERT_TRUE(texts->loadFile((sourceDir() + "/assets/strings/Dictionary.xml").c_str()));
	const SceneNodeRect title = node("ShopScene.qscn", {"Scene", "Hint1Node", "Title"});
	struct Card
	{
		const char* name;
		irr::core::stringw says;
		irr::core::stringw notThis; // what the other kind of card would say
	};
	const Card cards[] = {
	    {"CityMall", texts->format("Shop_Locked", L"10"), texts->format("Shop_CostShort", L"2,600", L"2,600")},
	    {"Cafe", texts->format("Shop_CostShort", L"800", L"800"), texts->format("Shop_Locked", L"1")},
	};
	for (const Card& card : cards)
	{
		SCOPED_TRACE(card.name);
		const SceneNodeRect place = node("ShopScene.qscn", {"Scene", "ShopButtons", card.name});
		// The hint stands at the middle of the card's top edge.
		const SceneNodeRect box = {place.centerX() + title.x, place.y + title.y, title.width, title.height, true};
		const InkSpan expected = laidOutInk(font.get(), 18.0f, box, card.says);
		const InkSpan other = laidOutInk(font.get(), 18.0f, box, card.notThis);
		ASSERT_FALSE(expected.empty);
		ASSERT_GT(std::fabs(other.right - expected.right), 6.0f) << "the two texts end too close to tell apart";
		ASSERT_TRUE(pointAt(place.centerX(), place.centerY()));
		InkSpan seen;
		const bool shown = waitFor(3000,
		                           [&]
		                           {
			                           seen = inkSeen(box, titleInk);
			                           return !seen.empty && std::fabs(seen.right - expected.right) <= 2.5f;
		                           });
		screenshot(std::string("shop-hint-") + card.name);
		EXPECT_TRUE(shown) << "the hint's title ends at " << seen.right << " (seen: " << !seen.empty << "), not at "
		                   << expected.right << " as \"" << irr::core::stringc(card.says).c_str() << "\" does";
		EXPECT_NEAR(seen.left, expected.left, 2.5f);
	}
}

// A new player plays level 1 with the mouse alone. The tutorial first: any click, a lot, the hotels
// button, the campsite card; once the campsite opens, a click for its guests, the campsite and Upgrade.
// Then campsites on the other lots as the money comes in and repairs when one breaks down, until the goals
// end the level (in real time: about five game days). The level-won popup leads back to the map, and the
// next start finds level 2 open.
TEST_F(GameEndToEndScreens, ANewPlayerWinsTheFirstLevelWithTheMouseAndFindsTheSecondOpen)
{
	writePlayer(L"Ada", -1);
	ASSERT_FALSE(HasFatalFailure());
	startTheFirstLevel();
	ASSERT_FALSE(HasFatalFailure());
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	std::this_thread::sleep_for(std::chrono::milliseconds(2000));

	// The middle of a lot, where its sand shows.
	const std::string levelFile = sourceDir() + "/assets/levels/level1/Level.qscn";
	auto lotNamed = [&](const char* name)
	{
		SceneNodeRect place = scenefile::findNode(levelFile, {"Buildings", name});
		EXPECT_TRUE(place.found) << name;
		return SceneNodeRect{place.x + place.width / 4, place.y + place.height / 4, place.width / 2,
		                     place.height / 2, true};
	};
	const SceneNodeRect lot = lotNamed("Place1");
	ASSERT_TRUE(looks(lot, lotSand)) << "the first lot is not drawn";
	const std::vector<std::string> menu = {"InternalGamePlayScene", "GameMenu", "ActionsTabScene"};
	auto playNode = [&](std::vector<std::string> path, std::initializer_list<const char*> rest)
	{
		path.insert(path.end(), rest.begin(), rest.end());
		return node("GamePlayScene.qscn", path);
	};
	const SceneNodeRect hotels = playNode(menu, {"Tab10", "HotelsButton"});
	const SceneNodeRect cards = playNode(menu, {"Tab1", "HotelsBuildList"});
	const SceneNodeRect upgrade = playNode(menu, {"Tab6", "HotelButtonsNode", "UpgradeButton"});
	const SceneNodeRect repair = playNode(menu, {"Tab6", "HotelButtonsNode", "RepairButton"});
	// The first card of the list, at its left end.
	const SceneNodeRect campsite = {cards.x, cards.y, cards.height * 0.8f, cards.height, true};
	// Grass between the lots, where the pointer shows no tooltip and leaves the buttons' looks alone.
	const SceneNodeRect grass = {520, 290, 20, 20, true};
	const auto pointerAway = [&] { return pointAt(grass.centerX(), grass.centerY()); };

	// What the money display shows, as the pixels of its text.
	const SceneNodeRect money = node("GamePlayScene.qscn", {"InternalGamePlayScene", "GameMenu", "MoneyNode", "MoneyText"});
	auto moneyPixels = [&]
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		std::vector<unsigned long> pixels;
		for (int row = 0; row < 8; ++row)
			for (int column = 0; column < 24; ++column)
			{
				const auto [x, y] =
				    toWindow(money.x + money.width * column / 24.0f, money.y + money.height * row / 8.0f);
				pixels.push_back(image.empty() ? 0 : image.at(x, y));
			}
		return pixels;
	};
	const std::vector<unsigned long> moneyBefore = moneyPixels();

	// The welcome hint takes any click; the next asks for a lot, then for the hotels, then for the campsite.
	const std::vector<SceneNodeRect> steps = {lot, lot, hotels, campsite};
	for (const SceneNodeRect& target : steps)
	{
		ASSERT_TRUE(click(target));
		std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	}
	screenshot("level1-campsite-ordered");
	ASSERT_TRUE(waitFor(20000, [&] { return gameRunning() && !looks(lot, lotSand); }))
	    << "the lot did not become a building site";
	EXPECT_NE(moneyPixels(), moneyBefore) << "the money shown did not change with the build";
	screenshot("level1-building");

	// The tutorial takes no other click until the campsite opens; then a click answers the guests' hint, the
	// campsite is chosen and its panel's Upgrade pressed, as the hints ask in turn.
	ASSERT_TRUE(clickUntil(lot, [&] { return looks(upgrade, buttonBlue); }, 40, 1500))
	    << "the finished campsite offered no upgrade";
	screenshot("level1-campsite-open");
	ASSERT_TRUE(clickUntil(
	    lot,
	    [&]
	    {
		    std::this_thread::sleep_for(std::chrono::milliseconds(800));
		    return click(upgrade) && pointerAway() && waitFor(2000, [&] { return !looks(upgrade, buttonBlue); });
	    },
	    5, 0))
	    << "Upgrade did not start";
	screenshot("level1-upgrading");

	// Then the player's round over the lots: a campsite on an empty one when the money allows, a repair
	// for one that broke down. The tutorial's last hints take a click each on the way.
	const SceneNodeRect won = node("LevelCompletedScene.qscn", {"Scene", "OkButton"});
	const SceneNodeRect achievement = node("AchievementUnlockedScene.qscn", {"Scene", "OkButton"});
	const std::vector<SceneNodeRect> lots = {lotNamed("Place2"), lotNamed("Place3"), lot};
	const auto ended = [&] { return looks(won, buttonBlue) || looks(achievement, buttonBlue); };
	const auto pause = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
	const auto start = std::chrono::steady_clock::now();
	const auto deadline = start + std::chrono::minutes(10);
	int orders = 0, repaired = 0, shots = 0;
	bool over = false;
	while (!over && gameRunning() && std::chrono::steady_clock::now() < deadline)
	{
		// A picture a minute of the level under way.
		if (std::chrono::steady_clock::now() - start >= std::chrono::minutes(shots))
			screenshot("level1-minute" + std::to_string(shots++));
		for (const SceneNodeRect& place : lots)
		{
			if ((over = ended()))
				break;
			const bool empty = looks(place, lotSand);
			ASSERT_TRUE(click(place));
			pause(600);
			if (empty)
			{
				ASSERT_TRUE(click(hotels));
				pause(600);
				ASSERT_TRUE(click(campsite));
				++orders;
				pause(600);
			}
			else if (looks(repair, buttonBlue))
			{
				ASSERT_TRUE(click(repair));
				++repaired;
				pause(600);
			}
		}
		ASSERT_TRUE(pointerAway());
		pause(1000);
	}
	ASSERT_TRUE(over) << "the level was not won: campsites ordered " << orders << ", repairs " << repaired;
	EXPECT_GE(orders, 2) << "the other two campsites were never ordered";

	// The achievements it earned come first, each with its OK, then the level-won popup.
	ASSERT_TRUE(waitFor(30000,
	                    [&]
	                    {
		                    if (looks(achievement, buttonBlue) && !looks(won, buttonBlue))
		                    {
			                    click(achievement);
			                    pause(1500);
		                    }
		                    return looks(won, buttonBlue);
	                    }))
	    << "the level-won popup did not appear";
	screenshot("level1-won");
	ASSERT_TRUE(waitFor(10000, [] { return readSavedPlayer().maxUnlockedLevelIndex == 0; }))
	    << "the win was not saved";

	// Its button leads to the map, under the story's first comic: each click on the page shows the next
	// picture or caption, and the comic's own button, once it shows, closes it. The map's Play waits for a
	// level that can be played (level 2 wants an upgrade from the shop first), so its Shop shows the map.
	const SceneNodeRect mapShop = node("MapScene.qscn", {"Scene", "ShopButton"});
	const SceneNodeRect comicBack = node("ComicsScene1.qscn", {"Scene", "BackButton"});
	// Below the comic's pictures; on the map, the gap between two of its buttons.
	const SceneNodeRect page = {330, 714, 20, 20, true};
	ASSERT_TRUE(clickUntil(won, [&] { return !looks(won, buttonBlue); })) << "the level-won popup did not close";
	int pageClicks = 0;
	ASSERT_TRUE(waitFor(
	    120000,
	    [&]
	    {
		    if (looks(mapShop, buttonBlue))
			    return true;
		    if (looks(comicBack, buttonBlue))
		    {
			    screenshot("comic1-end");
			    return clickUntil(comicBack, [&] { return looks(mapShop, buttonBlue); }, 2);
		    }
		    if (pageClicks == 1)
			    screenshot("comic1");
		    ++pageClicks;
		    click(page);
		    pause(1500);
		    return false;
	    },
	    0))
	    << "the map did not follow the win (clicks on the comic: " << pageClicks << ")";
	screenshot("map-after-level1");

	// The next start: the menu's Play opens the map, where the second location takes the click.
	gameprocess::requestClose(display, window);
	EXPECT_EQ(waitForEnd(), 0);
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the second start did not reach the main menu";
	ASSERT_TRUE(clickUntil(newGame, [&] { return looks(mapShop, buttonBlue); }))
	    << "Play on the main menu did not open the map";
	ASSERT_TRUE(clickUntil(
	    node("MapScene.qscn", {"Scene", "LocationButtons", "Location2"}),
	    [] { return readSavedPlayer().levelIndex == 1; }, 3))
	    << "the second location is not open after the win";
	screenshot("map-second-start");
}


