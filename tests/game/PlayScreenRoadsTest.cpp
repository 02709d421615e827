#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "data/ProfileKeys.h"

#include <cstdlib>

// Last: it brings Xlib, whose macros clash with names in the engine headers.
#include "GameWindowFixture.h"

// The play screen as a player meets it on level 2, driven only by X input: the HUD's day bar runs, a
// campsite and a cafe are built (the panel's work bar fills), the cafe's happy hour is started from its
// panel (its button fills and money stars rise as it pays), and losing the window's focus pauses the level
// until the in-game menu is closed, after which the day runs on. On the way, the dark strip of the hint
// line shows just while the line has words to say.
using namespace gameinput;

namespace
{
// A player back from level 1 who has bought the cafe, with the tutorial and the tips turned off.
void setUpCafePlayer(CProfile& player)
{
	player.setInt(ProfileKey::LevelIndex, 1);
	player.setString(ProfileKey::BoughtUpgrades, "Cafe");
	player.setBool(ProfileKey::ShowTutorialOn, false);
	player.setBool(ProfileKey::ShowTipsOn, false);
}

// The recharge fill of a feature button, and the money star: the gold of the game's art.
bool gold(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0x98 && g >= 0x60 && r > g && g > b + 0x28 && b < 0x90;
}

// The hint strip's dark blue over the city.
bool stripBlue(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r < 0x40 && g < 0x50 && b < 0x60 && b >= r;
}

// The light cream of the hint line's thin letters; grass is greener, clouds and cars a colder white.
bool hintCream(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0x70 && g >= 0x70 && b >= 0x60 && r >= b + 0x08 && std::abs(r - g) <= 0x20;
}

// The star's own gold, brighter than anything of the cafe's picture below it.
bool starGold(unsigned long rgb)
{
	const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
	return r >= 0xd8 && g >= 0x98 && b < 0x70;
}

class PlayScreenRoadScreens : public GameWindowTest
{
protected:
	PlayScreenRoadScreens() : GameWindowTest("play-") {}

	void TearDown() override
	{
		if (other)
			XDestroyWindow(display, other);
		GameWindowTest::TearDown();
	}

	SceneNodeRect playNode(std::initializer_list<const char*> rest) const
	{
		std::vector<std::string> path = {"InternalGamePlayScene", "GameMenu"};
		path.insert(path.end(), rest.begin(), rest.end());
		return node("GamePlayScene.qscn", path);
	}

	SceneNodeRect lot(const char* name) const
	{
		const SceneNodeRect place = scenefile::findNode(sourceDir() + "/assets/levels/level2/Level.qscn", {"Buildings", name});
		EXPECT_TRUE(place.found) << name;
		return place;
	}

	// The pixels along the middle row of a node, as the window shows them now.
	std::vector<unsigned long> strip(const SceneNodeRect& rect)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		std::vector<unsigned long> pixels;
		for (int i = 0; i < 64 && !image.empty(); ++i)
		{
			const auto [x, y] = toWindow(rect.x + rect.width * i / 64.0f, rect.centerY());
			pixels.push_back(image.at(x, y));
		}
		return pixels;
	}

	// The pixels of a node on a grid, to tell whether what it shows has changed.
	std::vector<unsigned long> pixels(const SceneNodeRect& rect)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		std::vector<unsigned long> out;
		for (int row = 0; row < 8 && !image.empty(); ++row)
			for (int column = 0; column < 24; ++column)
			{
				const auto [x, y] = toWindow(rect.x + rect.width * column / 24.0f, rect.y + rect.height * row / 8.0f);
				out.push_back(image.at(x, y));
			}
		return out;
	}

	// Count of the rectangle's pixels (of the virtual screen) that pass the test.
	int count(const SceneNodeRect& rect, bool (*test)(unsigned long))
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		int found = 0;
		for (float y = rect.y; y < rect.y + rect.height && !image.empty(); y += 1.0f)
			for (float x = rect.x; x < rect.x + rect.width; x += 1.0f)
			{
				const auto [wx, wy] = toWindow(x, y);
				if (wx >= 0 && wy >= 0 && wx < width && wy < height)
					found += test(image.at(wx, wy)) ? 1 : 0;
			}
		return found;
	}

	// Whether what the node shows changes within the time, sampled every periodMs.
	bool moves(const SceneNodeRect& rect, int timeoutMs, int periodMs = 500)
	{
		const std::vector<unsigned long> first = strip(rect);
		return waitFor(timeoutMs, [&] { return gameRunning() && strip(rect) != first; }, periodMs);
	}

	// Rows of the button's left edge that show the gold of its fill.
	int goldRows(const SceneNodeRect& button)
	{
		const onscreen::WindowImage image = onscreen::grabWindow(display, window, 0, 0, width, height);
		int rows = 0;
		for (int row = 2; row < 99 && !image.empty(); ++row)
		{
			const auto [x, y] = toWindow(button.x + 8, button.y + static_cast<float>(row));
			rows += gold(image.at(x, y)) ? 1 : 0;
		}
		return rows;
	}

	// Gives the focus to a window of another program, as a click on another window on a desktop does.
	void focusElsewhere()
	{
		if (!other)
		{
			other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
			XMapWindow(display, other);
			XSync(display, False);
			std::this_thread::sleep_for(std::chrono::milliseconds(300));
		}
		XSetInputFocus(display, other, RevertToParent, CurrentTime);
		XSync(display, False);
	}

	// The strip is seen at its two ends, beyond the reach of the centred hint text.
	bool stripShown()
	{
		const SceneNodeRect strip = playNode({"HintStrip"});
		return looks({strip.x + 2, strip.y + 3, 8, strip.height - 6, true}, stripBlue) &&
		       looks({strip.x + strip.width - 10, strip.y + 3, 8, strip.height - 6, true}, stripBlue);
	}

	// Whether the hint line shows words, from the page's hint or from its work panel.
	bool hintSaid() { return count(playNode({"ActionsTabScene", "Tab6", "HintText"}), hintCream) >= 20; }

	bool pause(int ms)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(ms));
		return gameRunning();
	}

	Window other = 0;
};
} // namespace

TEST_F(PlayScreenRoadScreens, AFeatureStartedFromItsPanelPaysAndTheLevelSurvivesAFocusLoss)
{
	writePlayer(L"Ada", 0, setUpCafePlayer);
	ASSERT_FALSE(HasFatalFailure());
	startGame();
	ASSERT_FALSE(HasFatalFailure());

	// Menu, map (level 2 chosen, its cafe bought), Play, the level's goals.
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	const SceneNodeRect mapPlay = node("MapScene.qscn", {"Scene", "PlayButton"});
	const SceneNodeRect goalsOk = node("LevelObjectivesScene.qscn", {"Scene", "OkButton"});
	ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear";
	ASSERT_TRUE(clickUntil(newGame, [&] { return looks(mapPlay, buttonBlue); })) << "the map did not open";
	ASSERT_TRUE(clickUntil(mapPlay, [&] { return looks(goalsOk, buttonBlue); }, 3, 30000))
	    << "Play on the map did not lead to level 2's goals";
	ASSERT_TRUE(clickUntil(goalsOk, [&] { return !looks(goalsOk, buttonBlue); })) << "the goals did not close";
	ASSERT_TRUE(pause(1500));
	screenshot("level2-start");

	// The day bar runs with the day.
	const SceneNodeRect dayBar = playNode({"MoneyNode", "ProgressBar"});
	const std::vector<unsigned long> dayAtStart = strip(dayBar);
	ASSERT_TRUE(moves(dayBar, 15000)) << "the day bar does not move while the day passes";

	// A campsite on the second lot and a cafe beside it on the first.
	const SceneNodeRect place1 = lot("Place1"), place2 = lot("Place2");
	const SceneNodeRect middle1 = {place1.x + place1.width / 4, place1.y + place1.height / 4, place1.width / 2,
	                               place1.height / 2, true};
	const SceneNodeRect middle2 = {place2.x + place2.width / 4, place2.y + place2.height / 4, place2.width / 2,
	                               place2.height / 2, true};
	ASSERT_TRUE(looks(middle1, lotSand) && looks(middle2, lotSand)) << "the lots are not drawn";
	const SceneNodeRect hotels = playNode({"ActionsTabScene", "Tab10", "HotelsButton"});
	const SceneNodeRect joys = playNode({"ActionsTabScene", "Tab10", "JoysButton"});
	const SceneNodeRect hotelCards = playNode({"ActionsTabScene", "Tab1", "HotelsBuildList"});
	const SceneNodeRect joyCards = playNode({"ActionsTabScene", "Tab3", "JoysBuildList"});
	const SceneNodeRect campsiteCard = {hotelCards.x, hotelCards.y, hotelCards.height * 0.8f, hotelCards.height, true};
	const SceneNodeRect cafeCard = {joyCards.x, joyCards.y, joyCards.height * 0.8f, joyCards.height, true};
	const SceneNodeRect money = playNode({"MoneyNode", "MoneyText"});
	const std::vector<unsigned long> moneyAtStart = pixels(money);
	struct Order
	{
		SceneNodeRect place, group, card;
	};
	// The card under the pointer has the hint line name it, on the strip.
	const SceneNodeRect hintLine = playNode({"ActionsTabScene", "Tab6", "HintText"});
	for (const Order& order : {Order{middle2, hotels, campsiteCard}, Order{middle1, joys, cafeCard}})
	{
		ASSERT_TRUE(clickUntil(order.place, [&] { return looks(order.group, buttonBlue); }, 3, 2000))
		    << "no build tabs on the lot";
		ASSERT_TRUE(click(order.group) && pause(800));
		const std::vector<unsigned long> tabHint = pixels(hintLine);
		ASSERT_TRUE(pointAt(order.card.centerX(), order.card.centerY()));
		EXPECT_TRUE(waitFor(3000, [&] { return pixels(hintLine) != tabHint && hintSaid() && stripShown(); }))
		    << "the hovered card's hint (said: " << hintSaid() << ", strip: " << stripShown() << ")";
		ASSERT_TRUE(click(order.card) && pause(800));
	}
	screenshot("level2-ordered");
	EXPECT_NE(pixels(money), moneyAtStart) << "the money shown did not pay for the builds";

	// The cafe is chosen last: its panel's work bar fills while it goes up.
	const SceneNodeRect workBar = playNode({"ActionsTabScene", "Tab6", "ProgressNode", "ProgressBar"});
	ASSERT_TRUE(waitFor(20000, [&] { return gameRunning() && !looks(middle1, lotSand); }))
	    << "the cafe's lot did not become a building site";
	ASSERT_TRUE(moves(workBar, 20000, 300)) << "the work bar does not move while the cafe is built";
	screenshot("level2-cafe-building");
	// The work's own hint stands on the hint line meanwhile, on the strip like any other.
	EXPECT_TRUE(hintSaid()) << "the work under way says nothing on the hint line";
	EXPECT_TRUE(stripShown()) << "the work's hint stands on the city without its strip";

	// Once it is open, its panel offers the happy hour: the only feature, alone in the panel's row.
	SceneNodeRect feature = playNode({"ActionsTabScene", "Tab6", "JoyButtonsNode", "ActiveFeature1Button"});
	feature.x = 625;
	// The button's left edge, beside its icon, and its lowest rows, where the fill starts.
	const SceneNodeRect face = {feature.x + 4, feature.y + 20, 14, 60, true};
	const SceneNodeRect bottom = {feature.x + 8, feature.y + 84, feature.width - 16, 12, true};
	ASSERT_TRUE(clickUntil(middle1, [&] { return looks(face, buttonBlue); }, 30, 2000))
	    << "the finished cafe's panel shows no feature button";
	screenshot("level2-cafe-panel");
	EXPECT_FALSE(looks(bottom, gold)) << "the feature's fill shows before it was started";
	// The work's hint gone, the finished cafe's panel says how to run it, on the strip.
	EXPECT_TRUE(waitFor(3000, [&] { return hintSaid() && stripShown(); }))
	    << "the finished cafe's panel (said: " << hintSaid() << ", strip: " << stripShown() << ")";

	// The star rises from the cafe's middle: watched between the HUD and the lot, where the cafe's own
	// picture is still and the feature's icon (beside the cafe) does not reach.
	const float cafeMiddle = place1.x + place1.width / 2;
	const SceneNodeRect sky = {cafeMiddle - 28, 74, 56, place1.y + 10 - 74, true};
	const std::vector<unsigned long> moneyBefore = pixels(money);
	const int goldBefore = count(sky, starGold);
	ASSERT_TRUE(click(feature));
	ASSERT_TRUE(pause(300) && pointAt(520, 330));
	ASSERT_TRUE(waitFor(8000, [&] { return gameRunning() && looks(bottom, gold); }))
	    << "the started feature shows no fill on its button";
	screenshot("level2-feature-running");

	// The fill shows the feature's time: it drains while the feature runs.
	const int filled = goldRows(feature);
	EXPECT_TRUE(waitFor(10000, [&] { return gameRunning() && goldRows(feature) != filled; }, 300))
	    << "the feature's fill stands still at " << filled << " rows";

	// It pays every few seconds: each payment raises a star and the money grows.
	bool starSeen = false;
	int mostGold = 0;
	ASSERT_TRUE(waitFor(
	    25000,
	    [&]
	    {
		    const int seen = count(sky, starGold);
		    mostGold = std::max(mostGold, seen);
		    if (!starSeen && seen >= goldBefore + 30)
		    {
			    starSeen = true;
			    screenshot("level2-money-star");
		    }
		    return starSeen && pixels(money) != moneyBefore;
	    },
	    30))
	    << "the feature's income came with no money star (star seen: " << starSeen << ", gold " << goldBefore
	    << " before, at most " << mostGold << ") or no change of the money";

	// Focus to another window: the in-game menu comes over a paused level.
	const SceneNodeRect resume = node("InGameMenuScene.qscn", {"Scene", "ResumeButton"});
	focusElsewhere();
	ASSERT_TRUE(waitForLook(resume, buttonBlue, 10000)) << "losing the focus did not open the in-game menu";
	ASSERT_TRUE(pause(1000));
	screenshot("level2-focus-lost");
	const std::vector<unsigned long> dayPaused = strip(dayBar);
	ASSERT_TRUE(pause(4000));
	EXPECT_EQ(strip(dayBar), dayPaused) << "the day ran on behind the in-game menu";

	// Focus back and Resume: the day runs again from where it stood.
	XDestroyWindow(display, other);
	XSync(display, False);
	other = 0;
	ASSERT_TRUE(xdotool({"windowfocus", std::to_string(window)}));
	ASSERT_TRUE(pause(500));
	ASSERT_TRUE(clickUntil(resume, [&] { return !looks(resume, buttonBlue); })) << "Resume did not close the menu";
	ASSERT_TRUE(pause(800));
	screenshot("level2-resumed");
	EXPECT_TRUE(moves(dayBar, 15000)) << "the day bar stands still after the focus came back";
	EXPECT_NE(strip(dayBar), dayAtStart);
	screenshot("level2-day-running");
}
