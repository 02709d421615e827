#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "data/IntList.h"
#include "data/ProfileKeys.h"
#include "frontend/GComicsScene.h"

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

#include <filesystem>
#include <map>

// The mini-games as a player reaches them in the built game, driven only by X input events (xdotool): each
// bonus location of the map played to its result popup and back to the map, and the fourth comic's detour
// into the auction and back into the comic. Where to click is read from the shipped scene files and pictures.
using namespace gameinput;

namespace
{
// The saved progress of the one player, as the game left the profile file.
struct SavedProgress
{
	int maxUnlockedLevelIndex = -2;
	int levelIndex = -2;
	std::vector<int> scores;
	std::vector<int> times;

	int score(int index) const { return index < static_cast<int>(scores.size()) ? scores[index] : 0; }
	int time(int index) const { return index < static_cast<int>(times.size()) ? times[index] : 0; }
};

std::vector<int> toVector(const irr::core::array<irr::s32>& values)
{
	return std::vector<int>(values.const_pointer(), values.const_pointer() + values.size());
}

SavedProgress readProgress()
{
	SavedProgress saved;
	CProfileManager manager;
	manager.loadProfiles();
	if (CProfile* player = manager.getProfile(0))
	{
		saved.maxUnlockedLevelIndex = player->getInt(ProfileKey::MaxUnlockedLevelIndex);
		saved.levelIndex = player->getInt(ProfileKey::LevelIndex);
		saved.scores = toVector(parseIntList(player->getString(ProfileKey::Scores)));
		saved.times = toVector(parseIntList(player->getString(ProfileKey::Times)));
	}
	return saved;
}

// ---- the shipped files, read as the game reads them

// Every element of an XML file, with its attributes, in file order; elements nested under SceneNode elements
// know the names of the nodes around them.
struct XmlElement
{
	std::wstring name;
	std::vector<std::string> nodePath; // names of the enclosing scene nodes, the file's root left out
	std::map<std::wstring, std::wstring> attributes;
};

std::vector<XmlElement> readElements(const std::string& file)
{
	std::vector<XmlElement> out;
	SmartPointer<CReadFile> input(new CReadFile(file.c_str()));
	if (!input->isOpen())
		return out;
	CXMLReader reader(input.get());
	std::vector<std::wstring> open;
	std::vector<std::string> nodes; // one per open SceneNode ("" until its Name is read)
	while (reader.read())
	{
		if (reader.getNodeType() == XML_NODE_ELEMENT)
		{
			XmlElement element;
			element.name = reader.getNodeName().c_str();
			for (int i = 0; i < static_cast<int>(reader.getAttributeCount()); ++i)
				element.attributes[reader.getAttributeName(i).c_str()] = reader.getAttributeValue(i).c_str();
			if (element.name == L"SceneNode")
				nodes.push_back("");
			else if (open.size() >= 2 && open.back() == L"Properties" && element.attributes[L"Name"] == L"Name" &&
			         !nodes.empty())
				nodes.back() = irr::core::stringc(element.attributes[L"Value"].c_str()).c_str();
			element.nodePath.assign(nodes.size() > 1 ? nodes.begin() + 1 : nodes.end(), nodes.end());
			out.push_back(element);
			if (!reader.isEmptyElement())
				open.push_back(element.name);
			else if (element.name == L"SceneNode")
				nodes.pop_back();
		}
		else if (reader.getNodeType() == XML_NODE_ELEMENT_END && !open.empty())
		{
			if (open.back() == L"SceneNode" && !nodes.empty())
				nodes.pop_back();
			open.pop_back();
		}
	}
	return out;
}

std::string narrowText(const std::wstring& text)
{
	return irr::core::stringc(text.c_str()).c_str();
}

// A property value of the node at the path ("" when the file has none).
std::string nodeProperty(const std::string& file, const std::vector<std::string>& path, const char* property)
{
	const std::wstring wanted = irr::core::stringw(property).c_str();
	for (const XmlElement& element : readElements(file))
		if (element.nodePath == path && element.name != L"SceneNode" && element.attributes.count(L"Name") &&
		    element.attributes.at(L"Name") == wanted)
			return narrowText(element.attributes.at(L"Value"));
	return "";
}

// "Objects/Key.png" of the folder "levels/minigame1/" is "levels/minigame1/Objects/Key.png".
std::string resolve(std::string folder, std::string name)
{
	while (name.rfind("../", 0) == 0)
	{
		name = name.substr(3);
		folder = folder.substr(0, folder.rfind('/', folder.size() - 2) + 1);
	}
	return folder + name;
}

// A hidden object of a mini-game picture: where it lies and the picture it shows.
struct HiddenObject
{
	std::string name;
	SceneNodeRect rect;
	std::string frame; // atlas frame, e.g. "levels/minigame1/Objects/Key.png"
	float pressX = 0.0f, pressY = 0.0f;
	unsigned long shown = 0; // its colour at the press point while it is there
};

std::vector<HiddenObject> hiddenObjects(const std::string& levelFile, const std::string& folder)
{
	std::vector<HiddenObject> objects;
	const std::vector<std::string> parent = {"Scene", "Game", "HitObjects"};
	for (const XmlElement& element : readElements(levelFile))
	{
		if (element.nodePath.size() != parent.size() + 1 ||
		    !std::equal(parent.begin(), parent.end(), element.nodePath.begin()) || element.name != L"atlasTexture")
			continue;
		HiddenObject object;
		object.name = element.nodePath.back();
		object.rect = scenefile::findNode(levelFile, element.nodePath);
		object.frame = resolve(folder, narrowText(element.attributes.at(L"Value")));
		objects.push_back(object);
	}
	return objects;
}

class MiniGameRoadScreens : public GameWindowTest
{
protected:
	MiniGameRoadScreens() : GameWindowTest("minigame-road-") {}

	std::string levelFile(const std::string& folder) const
	{
		return sourceDir() + "/assets/levels/" + folder + "/Level.qscn";
	}

	SceneNodeRect levelNode(const std::string& folder, const std::vector<std::string>& path) const
	{
		const SceneNodeRect rect = scenefile::findNode(levelFile(folder), path);
		EXPECT_TRUE(rect.found) << folder << " has no node " << path.back();
		return rect;
	}

	// The picture the atlas tool was given for the frame, as the build drew it from its SVG.
	irr::video::IImage* framePicture(const std::string& frame)
	{
		const std::string inside = frame.substr(std::string("levels/").size());
		for (const auto& atlas : std::filesystem::directory_iterator(binaryDir() + "/content-work/atlases"))
		{
			const std::string file = atlas.path().string() + "/" + inside;
			if (std::filesystem::exists(file))
				return writer->getVideoDriver()->createImageFromFile(file.c_str());
		}
		return nullptr;
	}

	// Presses are alpha-tested: the press point is the covered pixel of the object's picture nearest to its
	// centre, its neighbours covered too, so that the scaling to the screen cannot miss it.
	bool findPressPoint(HiddenObject& object)
	{
		irr::video::IImage* picture = framePicture(object.frame);
		if (!picture)
			return false;
		const int w = static_cast<int>(picture->getDimension().Width);
		const int h = static_cast<int>(picture->getDimension().Height);
		// Thin drawings (an anchor of lines) have no wide covered patch: the patch shrinks until one is found.
		int best = -1;
		for (int radius = 2; radius >= 0 && best < 0; --radius)
		{
			auto covered = [&](int x, int y)
			{
				for (int dy = -radius; dy <= radius; ++dy)
					for (int dx = -radius; dx <= radius; ++dx)
					{
						const int px = x + dx, py = y + dy;
						if (px < 0 || py < 0 || px >= w || py >= h || picture->getPixel(px, py).getAlpha() < 100)
							return false;
					}
				return true;
			};
			for (int y = 0; y < h; ++y)
				for (int x = 0; x < w; ++x)
				{
					const int distance = (2 * x - w) * (2 * x - w) + (2 * y - h) * (2 * y - h);
					if ((best < 0 || distance < best) && covered(x, y))
					{
						best = distance;
						object.pressX = object.rect.x + (x + 0.5f) * object.rect.width / w;
						object.pressY = object.rect.y + (y + 0.5f) * object.rect.height / h;
					}
				}
		}
		picture->drop();
		return best >= 0;
	}

	unsigned long pixelAt(float x, float y)
	{
		const auto [wx, wy] = toWindow(x, y);
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, wx, wy, 1, 1);
		return image.empty() ? 0 : image.at(0, 0);
	}

	bool clickAt(float x, float y)
	{
		if (!pointAt(x, y))
			return false;
		std::this_thread::sleep_for(std::chrono::milliseconds(60));
		return xdotool({"click", "1"});
	}

	bool key(const std::string& name) { return xdotool({"key", name}); }

	// ---- the screens, told apart by the colour of a node read from their files

	// The map's Back and Shop buttons along its foot, where a mini-game's bar has its counters (Play is off
	// where the location chosen wants an upgrade first).
	bool onMap() { return looks(mapShop, buttonBlue) && looks(mapBack, buttonBlue); }
	// Everything around the popup's panel lies under its dark veil.
	static bool veiled(unsigned long rgb)
	{
		return ((rgb >> 16) & 0xff) < 0x78 && ((rgb >> 8) & 0xff) < 0x78 && (rgb & 0xff) < 0x78;
	}
	// The loading screen's bar, empty (dark) or filled (gold).
	static bool loadingBar(unsigned long rgb)
	{
		return onscreen::coloursNear(rgb, 0x3a2a14, 16) || onscreen::coloursNear(rgb, 0xe0a82e, 16);
	}
	bool loadingShown() { return looks(loadingProgress, loadingBar); }
	bool popupShown() { return looks(popupOk, buttonBlue) && share(popupVeil, veiled) >= 0.9f; }

	// The guide's speech bubble: the mini-game is on screen and waits for the first press.
	static bool bubble(unsigned long rgb)
	{
		const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
		return r >= 0xe8 && g >= 0xe0 && b >= 0xc8;
	}

	// The mini-game's guide is there to be dismissed: its bubble shows, and the loading screen (whose cream
	// plate lies where the bubble does) does not.
	bool guideShown(const SceneNodeRect& text) { return looks(text, bubble) && !loadingShown(); }

	// Waits for the mini-game of the folder to come in and dismisses its guide with a press on the picture.
	void enterMiniGame(const std::string& folder, const std::string& shot)
	{
		const SceneNodeRect text = levelNode(folder, {"Scene", "UI", "LinetText"});
		ASSERT_TRUE(waitFor(60000, [&] { return gameRunning() && guideShown(text); }))
		    << folder << ": the mini-game did not come in after loading";
		screenshot(shot + "-guide");
		// The hidden-object games take any press: the left end of the bar, where no object lies. The auction
		// takes a press on a bidder's money (no bid is made with it).
		const SceneNodeRect bar = levelNode(folder, {"Scene", "UI", "Hud"});
		float x = bar.x + 8, y = bar.y + 8;
		if (rootClass(folder) == "GMiniGameAuctionScene")
		{
			int coins = 0;
			ASSERT_TRUE(coinPoint(screen(), levelNode(folder, {"Scene", "Game", "Zone2"}), coins, x, y))
			    << folder << ": no money on the middle bidder's table";
		}
		const bool dismissed = waitFor(10000,
		                               [&]
		                               {
			                               clickAt(x, y);
			                               return waitFor(1500, [&] { return !looks(text, bubble); });
		                               });
		if (!dismissed)
			screenshot(shot + "-guide-stays");
		ASSERT_TRUE(dismissed) << folder << ": a press at " << x << ", " << y << " did not dismiss the guide";
		std::this_thread::sleep_for(std::chrono::milliseconds(600));
	}

	// Presses every object that still shows, pass after pass (the ordered game takes only the wanted one),
	// until the result popup appears. The number of presses.
	int findAllObjects(const std::string& folder, const std::string& shot)
	{
		std::vector<HiddenObject> objects = hiddenObjects(levelFile(folder), "levels/" + folder + "/");
		EXPECT_GE(objects.size(), 8u) << folder;
		for (HiddenObject& object : objects)
		{
			EXPECT_TRUE(findPressPoint(object)) << folder << ": no solid point in the picture of " << object.name;
			object.shown = pixelAt(object.pressX, object.pressY);
		}
		int presses = 0;
		for (size_t pass = 0; pass <= objects.size() && !popupShown() && gameRunning(); ++pass)
		{
			for (const HiddenObject& object : objects)
			{
				if (popupShown())
					break;
				if (!onscreen::coloursNear(pixelAt(object.pressX, object.pressY), object.shown, 24))
					continue; // found already (or the found effect passes over it: tried on the next pass)
				clickAt(object.pressX, object.pressY);
				++presses;
				std::this_thread::sleep_for(std::chrono::milliseconds(150));
			}
			if (pass == 0)
				screenshot(shot + "-found");
		}
		return presses;
	}

	// The coins of a pile: the gold of the money pictures, lighter on the pile under the pointer.
	static bool coinGold(unsigned long rgb)
	{
		return onscreen::coloursNear(rgb, 0xe0a82e, 24) || onscreen::coloursNear(rgb, 0xffe58a, 24);
	}

	onscreen::WindowImage screen() { return onscreen::grabWindow(display, window, 0, 0, width, height); }

	// The middle of the coins shown in the zone (on the pile's middle coin), and how many of its points show
	// coins; false when none do.
	bool coinPoint(const onscreen::WindowImage& image, const SceneNodeRect& zone, int& count, float& x, float& y)
	{
		count = 0;
		float sumX = 0.0f, sumY = 0.0f;
		for (float py = zone.y; py < zone.y + zone.height && !image.empty(); py += 4)
			for (float px = zone.x; px < zone.x + zone.width; px += 4)
			{
				const auto [wx, wy] = toWindow(px, py);
				if (wx < 0 || wy < 0 || wx >= width || wy >= height || !coinGold(image.at(wx, wy)))
					continue;
				++count;
				sumX += px;
				sumY += py;
			}
		if (count > 0)
			x = sumX / count, y = sumY / count;
		return count > 0;
	}

	// Bids until the time runs out: each round the zone showing the most coins is pressed on a coin. The
	// number of bids.
	int bidUntilTheEnd(const std::string& folder, const std::string& shot)
	{
		SceneNodeRect zones[3];
		for (int i = 0; i < 3; ++i)
			zones[i] = levelNode(folder, {"Scene", "Game", "Zone" + std::to_string(i + 1)});
		const int maxLevelTime = std::stoi("0" + configurationValue(folder, L"MaxLevelTime"));
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxLevelTime + 60000);
		int bids = 0;
		while (!popupShown() && gameRunning() && std::chrono::steady_clock::now() < deadline)
		{
			const onscreen::WindowImage image = screen();
			int best = -1, bestCount = 0;
			float coinX = 0.0f, coinY = 0.0f;
			for (int i = 0; i < 3; ++i)
			{
				int count = 0;
				float x = 0.0f, y = 0.0f;
				if (coinPoint(image, zones[i], count, x, y) && count > bestCount)
					best = i, bestCount = count, coinX = x, coinY = y;
			}
			if (best >= 0)
			{
				clickAt(coinX, coinY);
				++bids;
				if (bids == 3)
					screenshot(shot + "-bidding");
			}
			std::this_thread::sleep_for(std::chrono::milliseconds(250));
		}
		return bids;
	}

	std::string configurationValue(const std::string& folder, const wchar_t* element)
	{
		for (const XmlElement& e :
		     readElements(sourceDir() + "/assets/levels/" + folder + "/MiniGameConfiguration.xml"))
			if (e.name == element && e.attributes.count(L"Value"))
				return narrowText(e.attributes.at(L"Value"));
		return "";
	}

	// Plays the mini-game on screen to its result popup; the game's class decides how.
	void playToResult(const std::string& folder, const std::string& shot)
	{
		enterMiniGame(folder, shot);
		ASSERT_FALSE(HasFatalFailure());
		const std::string kind = rootClass(folder);
		if (kind == "GMiniGameAuctionScene")
			EXPECT_GT(bidUntilTheEnd(folder, shot), 10) << folder;
		else
			EXPECT_GT(findAllObjects(folder, shot), 0) << folder;
		ASSERT_TRUE(waitFor(20000, [&] { return gameRunning() && popupShown(); }))
		    << folder << ": the result popup did not appear";
		screenshot(shot + "-result");
	}

	std::string rootClass(const std::string& folder)
	{
		const std::vector<XmlElement> elements = readElements(levelFile(folder));
		for (const XmlElement& e : elements)
			if (e.name == L"SceneNode" && e.attributes.count(L"ClassOverride"))
				return narrowText(e.attributes.at(L"ClassOverride"));
		return "";
	}

	void openMap()
	{
		const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
		ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
		ASSERT_TRUE(clickUntil(newGame, [&] { return onMap(); })) << "Play on the main menu did not open the map";
	}

	// A location's level folder, as the map's sign names it.
	std::string locationFolder(int index)
	{
		return nodeProperty(scenes + "MapScene.qscn", {"Scene", "LocationButtons", "Location" + std::to_string(index + 1)},
		                    "AssociatedLevelName");
	}

	SceneNodeRect mapPlay, mapShop, mapBack, popupOk, loadingProgress;
	const SceneNodeRect popupVeil = {16, 16, 200, 120, true}; // a corner of the screen, away from the panel

	void SetUp() override
	{
		GameWindowTest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		mapPlay = node("MapScene.qscn", {"Scene", "PlayButton"});
		mapShop = node("MapScene.qscn", {"Scene", "ShopButton"});
		mapBack = node("MapScene.qscn", {"Scene", "BackButton"});
		popupOk = node("MiniCompletedScene.qscn", {"Scene", "OkButton"});
		loadingProgress = node("LoadingLevelScene.qscn", {"Scene", "ProgressBg"});
	}
};
} // namespace

// Every bonus location of the map, open to a player who has come that far: chosen, Play, the loading screen,
// the game played to its result popup, OK back to the map, and the result kept in the profile.
TEST_F(MiniGameRoadScreens, EveryBonusLocationPlaysToItsResultAndBackToTheMap)
{
	writePlayer(L"Ada", 30, [](CProfile& player) { player.setBool(ProfileKey::ShowTutorialOn, false); });
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	openMap();
	ASSERT_FALSE(HasFatalFailure());
	screenshot("map");

	for (int index : {7, 15, 23, 31})
	{
		SCOPED_TRACE(index);
		const std::string folder = locationFolder(index);
		ASSERT_FALSE(folder.empty()) << "location " << index << " names no level";
		const std::string shot = "location" + std::to_string(index);
		const SceneNodeRect sign =
		    node("MapScene.qscn", {"Scene", "LocationButtons", "Location" + std::to_string(index + 1)});
		ASSERT_TRUE(clickUntil(sign, [&] { return readProgress().levelIndex == index; }, 3))
		    << "the location did not take the click";
		ASSERT_TRUE(looks(mapPlay, buttonBlue)) << "Play is off for the location";
		ASSERT_TRUE(clickUntil(mapPlay, [&] { return !onMap(); }, 3)) << "Play did not leave the map";
		playToResult(folder, shot);
		ASSERT_FALSE(HasFatalFailure());

		// OK leads back past the game and the loading screen to the map, where the result is kept.
		ASSERT_TRUE(clickUntil(popupOk, [&] { return onMap(); })) << "OK did not lead back to the map";
		screenshot(shot + "-back");
		const SavedProgress saved = readProgress();
		if (rootClass(folder) == "GMiniGameAuctionScene")
		{
			EXPECT_GE(saved.score(index), 15) << "no right bid was counted";
			EXPECT_EQ(saved.score(index) % 15, 0);
			EXPECT_GE(saved.time(index), std::stoi(configurationValue(folder, L"MaxLevelTime")));
		}
		else
		{
			EXPECT_EQ(saved.score(index), std::stoi(configurationValue(folder, L"ExpertScore")));
			EXPECT_GT(saved.time(index), 0);
		}
	}
	// The last location was beyond the progress: playing it opened it.
	EXPECT_EQ(readProgress().maxUnlockedLevelIndex, 31);
}

// The fourth comic, opened over the map with the developer keys, sends the player to the auction before its
// third panel. The first time the auction's Menu button leads back into the comic, which goes on without
// the auction; the second time the auction is played to its result, whose OK leads back into the comic too,
// and the result is kept. Each time the comic's own button closes it over the map.
TEST_F(MiniGameRoadScreens, TheFourthComicPlaysTheAuctionOnItsWayAndGoesOn)
{
	writePlayer(L"Ada", 22,
	            [](CProfile& player)
	            {
		            player.setInt(ProfileKey::LevelIndex, 23);
		            player.setBool(ProfileKey::ShowTutorialOn, false);
	            });
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());
	openMap();
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(xdotool({"type", "--delay", "60", "plumvask"}));

	const std::string folder = GComicsScene::MiniGameLevelName;
	ASSERT_EQ(locationFolder(23), folder) << "the map's third bonus location is not the comic's auction";
	const SceneNodeRect comicBack = node("ComicsScene4.qscn", {"Scene", "BackButton"});
	const SceneNodeRect guide = levelNode(folder, {"Scene", "UI", "LinetText"});
	const SceneNodeRect menu = levelNode(folder, {"Scene", "UI", "MenuButton"});
	// Below the comic's pictures.
	const SceneNodeRect page = {330, 714, 20, 20, true};

	// Opens the comic and clicks its pages until the auction's loading screen takes over.
	auto comicToAuction = [&](const std::string& shot)
	{
		ASSERT_TRUE(waitFor(10000, [&] { return key("4") && waitFor(3000, [&] { return !onMap(); }); }))
		    << "the developer key did not open the comic";
		screenshot(shot + "-comic");
		ASSERT_TRUE(waitFor(90000,
		                    [&]
		                    {
			                    if (loadingShown() || guideShown(guide))
				                    return true;
			                    clickAt(page.centerX(), page.centerY());
			                    return waitFor(1500, [&] { return loadingShown() || guideShown(guide); });
		                    },
		                    0))
		    << "the comic did not lead to the auction";
		screenshot(shot + "-loading");
	};
	// Clicks the comic's pages until its button shows, and closes it with that button.
	auto comicToMap = [&](const std::string& shot)
	{
		ASSERT_TRUE(waitFor(90000,
		                    [&]
		                    {
			                    if (looks(comicBack, buttonBlue))
				                    return true;
			                    clickAt(page.centerX(), page.centerY());
			                    return waitFor(1500, [&] { return looks(comicBack, buttonBlue); });
		                    },
		                    0))
		    << "the comic did not go on to its end";
		screenshot(shot + "-comic-end");
		ASSERT_TRUE(clickUntil(comicBack, [&] { return onMap(); })) << "the comic's button did not close it";
	};

	comicToAuction("menu");
	ASSERT_FALSE(HasFatalFailure());
	enterMiniGame(folder, "menu");
	ASSERT_FALSE(HasFatalFailure());
	ASSERT_TRUE(clickUntil(menu, [&] { return !looks(menu, buttonBlue) && !onMap(); }, 3))
	    << "the auction's Menu did not leave it";
	screenshot("menu-back-in-comic");
	comicToMap("menu");
	ASSERT_FALSE(HasFatalFailure());
	EXPECT_EQ(readProgress().score(23), 0) << "leaving the auction kept a result";
	EXPECT_EQ(readProgress().levelIndex, 23);

	comicToAuction("played");
	ASSERT_FALSE(HasFatalFailure());
	playToResult(folder, "played");
	ASSERT_FALSE(HasFatalFailure());
	// OK goes back past the auction and its loading screen into the comic, not to the map.
	ASSERT_TRUE(clickUntil(popupOk, [&] { return !popupShown(); })) << "OK did not close the result";
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	EXPECT_FALSE(onMap()) << "the result led to the map instead of back into the comic";
	screenshot("played-back-in-comic");
	comicToMap("played");
	ASSERT_FALSE(HasFatalFailure());

	const SavedProgress saved = readProgress();
	EXPECT_GE(saved.score(23), 15);
	EXPECT_GE(saved.time(23), std::stoi(configurationValue(folder, L"MaxLevelTime")));
	EXPECT_EQ(saved.maxUnlockedLevelIndex, 23);
	EXPECT_EQ(saved.levelIndex, 24);
	// Back from that comic the map starts nothing of its own: the auction was the comic's.
	std::this_thread::sleep_for(std::chrono::milliseconds(3000));
	EXPECT_TRUE(onMap());
	screenshot("played-map");
}
