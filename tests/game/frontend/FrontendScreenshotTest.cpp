#include "../GameTestSupport.h"
#include "FrontendTestSupport.h"
#include "content/IFileSystem.h"
#include "data/GAchievements.h"
#include "device/CLinuxDevice.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "frontend/GAchievementsScene.h"
#include "frontend/GComicsScene.h"
#include "frontend/GDebugStatsScene.h"
#include "frontend/GOptionsScene.h"
#include "frontend/GRectangleNode.h"
#include "frontend/GSelectPlayerInputNameScene.h"
#include "frontend/GSelectPlayerScene.h"
#include "nodes/ButtonNode.h"
#include "nodes/EditNode.h"
#include "nodes/ListNode.h"
#include "nodes/MessageBoxNode.h"
#include "nodes/SliderNode.h"
#include "scene/NodeFactory.h"
#include "scene/TabSceneNode.h"
#include "support/OnScreenTest.h"

#include <filesystem>
#include <functional>
#include <set>

// Last: it brings Xlib, whose macros clash with names in the headers above.
#include "../WindowedGameFixture.h"

// Each player and meta screen drawn by the game in an OpenGL window on the test display, read back from
// the X server, checked where a player would look and kept as <build>/artifacts/<screen>.png.
namespace
{
using frontendtest::CoveredScene;

using onscreen::Rgb;
using onscreen::rgbOf;

bool isInk(const Rgb& c)
{
	return c.r + c.g + c.b < 300;
}
bool isLight(const Rgb& c)
{
	return c.r > 200 && c.g > 200 && c.b > 200;
}
bool isCream(const Rgb& c)
{
	return c.r > 220 && c.g > 190 && c.b > 140 && c.r > c.b + 20;
}
bool isBlue(const Rgb& c)
{
	return c.b > c.r + 60;
}
bool isGreen(const Rgb& c)
{
	return c.g > c.r + 30 && c.g > c.b + 30;
}
bool isRed(const Rgb& c)
{
	return c.r > c.g + 60 && c.r > c.b + 60;
}

class FrontendScreenshots : public WindowedGameTest
{
protected:
	FrontendScreenshots() : WindowedGameTest(L"Frontend screenshot test") {}
};

bool press(BaseNode* scene, BaseNode* control)
{
	CEventNodeClicked clicked(control);
	return scene->onEvent(&clicked);
}

void usePlayers(const std::vector<const wchar_t*>& names, int active)
{
	CProfileManager* profiles = CProfileManager::instance();
	while (profiles->getProfileCount() > 0)
		profiles->removeProfile(0);
	for (const wchar_t* name : names)
		profiles->addProfile(name);
	profiles->setActiveProfile(active);
}
} // namespace

TEST_F(FrontendScreenshots, EveryScreenIsLegibleWithDistinctStates)
{
	usePlayers({L"Marieke", L"Joost", L"Lotte"}, 1);
	CProfileManager::instance()->getActiveProfile()->setBool("MusicOn", false);
	application->achievements->load("6;1;3;0;57;57;57;3100000;3100000;3100000;12;4");

	// Player selection: the chosen player's row in the button look, the others light, names in ink.
	auto* players = open<GSelectPlayerScene>(GSelectPlayerScene::FileName);
	ASSERT_NE(players, nullptr);
	onscreen::WindowShot shot = shoot("SelectPlayerScene", 400, 150, isCream);
	ASSERT_FALSE(shot.empty());
	// The backdrop dims the screen below (here nothing) instead of painting over it.
	const unsigned long corner = shot.WindowImage::at(5, 5);
	EXPECT_TRUE(((corner >> 16) & 0xff) < 0x30 && ((corner >> 8) & 0xff) < 0x30 && (corner & 0xff) < 0x40)
	    << "backdrop " << std::hex << corner;
	EXPECT_TRUE(isBlue(shot.at(340, 180 + 32 + 18))) << "selected row";
	EXPECT_FALSE(isBlue(shot.at(340, 180 + 18))) << "other row";
	EXPECT_GT(shot.count(336, 184, 600, 208, isInk), 40) << "first name";
	EXPECT_GT(shot.count(336, 216, 600, 240, isLight), 20) << "selected name";
	EXPECT_GT(shot.count(300, 126, 720, 170, isInk), 150) << "title";
	EXPECT_TRUE(isBlue(shot.at(262, 570))) << "OK button";

	// The deletion question over it.
	press(players, players->getDeletePlayerButton());
	settle();
	shot = shoot("SelectPlayerDeleteQuestion", 512, 300, isCream);
	EXPECT_GT(shot.count(330, 340, 700, 420, isInk), 100) << "question";
	// "No": the player stays.
	press(top(), nodeCast<MessageBoxNode>(top())->getButtons()[1].get());
	settle();
	ASSERT_EQ(top(), players);

	// Name entry over the selection: the typed name in the field, OK enabled, Cancel beside it.
	auto* entry = open<GSelectPlayerInputNameScene>(GSelectPlayerInputNameScene::FileName);
	ASSERT_NE(entry, nullptr);
	entry->getNameEdit()->setText(L"Sander");
	CEventNodeValueChanged typed(entry->getNameEdit());
	entry->onEvent(&typed);
	settle();
	shot = shoot("SelectPlayerInputNameScene", 300, 260, isCream);
	EXPECT_GT(shot.count(400, 352, 520, 380, isInk), 30) << "typed name";
	EXPECT_TRUE(isBlue(shot.at(332, 460))) << "OK enabled";
	closeTop();
	closeTop();

	// Options: music off (red), the other switches' states from the profiles, both sliders.
	auto* options = open<GOptionsScene>(GOptionsScene::FileName);
	ASSERT_NE(options, nullptr);
	shot = shoot("OptionsScene", 300, 150, isCream);
	EXPECT_TRUE(isGreen(shot.at(700, 232 + 30))) << "sound on";
	EXPECT_TRUE(isRed(shot.at(700, 292 + 30))) << "music off";
	EXPECT_GT(shot.count(232, 240, 440, 272, isInk), 80) << "label";

	// Quit confirmation over the options.
	open<GBaseSceneNode>("scenes/QuitConfirmationScene.qscn");
	shot = shoot("QuitConfirmationScene", 300, 290, isCream);
	EXPECT_GT(shot.count(300, 294, 724, 334, isInk), 150) << "title";
	EXPECT_TRUE(isBlue(shot.at(332, 440))) << "yes";
	closeTop();
	closeTop();

	// Credits, with the statistics overlay over them.
	open<GBaseSceneNode>("scenes/CreditsScene.qscn");
	shot = shoot("CreditsScene", 260, 100, isCream);
	EXPECT_GT(shot.count(212, 234, 812, 282, isInk), 200) << "names";
	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"GDebugStatsScene", ContentRef()));
	ASSERT_TRUE(top()->pushScene(nodeCast<SceneNode>(made.get()), true));
	settle();
	shot = shoot("DebugStatsScene", 2, 2, [](const Rgb&) { return true; });
	EXPECT_GT(shot.count(0, 0, 80, 50, [](const Rgb& c) { return c.r > 150 && c.g > 150 && c.b > 150; }), 30)
	    << "statistics text";
	closeTop();
	closeTop();

	// Achievements with some earned, then the popup of one.
	auto* achievements = open<GAchievementsScene>("scenes/AchievementsScene.qscn");
	ASSERT_NE(achievements, nullptr);
	shot = shoot("AchievementsScene", 300, 100, isCream);
	EXPECT_GT(shot.count(204, 258, 262, 316, [](const Rgb& c) { return !isCream(c) && !isLight(c); }), 400)
	    << "first medal";
	EXPECT_GT(shot.count(712, 172, 832, 200, isInk), 40) << "earned count";
	// The earned tab: the description under each name.
	auto* tabs = nodeCast<TabSceneNode>(achievements->findChild(internStringId("TabScene")));
	ASSERT_NE(tabs, nullptr);
	// Each list's scroll track runs the list's whole height.
	for (const char* tab : {"Tab1", "Tab2", "Tab3"})
	{
		BaseNode* page = tabs->findChild(internStringId(tab));
		auto* list = page ? nodeCast<ListNode>(page->findChild(internStringId("AchievementsList"))) : nullptr;
		ASSERT_NE(list, nullptr) << tab;
		const SliderNode* bar = list->getSliderPart();
		ASSERT_TRUE(bar && bar->getSlidingAreaPart()) << tab;
		EXPECT_EQ(bar->getSlidingAreaPart()->getBounds().Y, bar->getBounds().Y) << tab;
	}
	tabs->setActiveTab(1, false);
	settle();
	shot = shoot("AchievementsSceneEarned", 300, 100, isCream);
	EXPECT_GT(shot.count(274, 258, 700, 316, isInk), 300) << "first earned achievement";
	auto* popup = open<GAchievementUnlockedScene>(GAchievementUnlockedScene::FileName);
	ASSERT_NE(popup, nullptr);
	popup->showAchievement(11);
	settle();
	shot = shoot("AchievementUnlockedScene", 290, 300, isCream);
	EXPECT_GT(shot.count(384, 314, 734, 344, isInk), 60) << "name";
	EXPECT_GT(shot.count(300, 318, 364, 382, [](const Rgb& c) { return !isCream(c); }), 1500) << "medal";
	closeTop();
	closeTop();

	// Developer screenshots land numbered in the per-user data folder.
	gDeveloperMode = true;
	for (int i = 0; i < 2; ++i)
	{
		CEventInputKeyDown keys(0, 83, true, true);
		application->onKeyDown(&keys);
	}
	gDeveloperMode = false;
	const std::string data = device->getFileSystem()->getUserDataFolder().c_str();
	EXPECT_TRUE(std::filesystem::exists(data + "/screenshot0.jpg"));
	EXPECT_TRUE(std::filesystem::exists(data + "/screenshot1.jpg"));
}

// The paper of the comic page and the dashed ink of its empty frames.
bool isPaper(const Rgb& c)
{
	return c.r > 200 && c.g > 180 && c.b > 140 && c.r > c.b + 20;
}
bool isFrameInk(const Rgb& c)
{
	return c.r < 130 && c.g < 110 && c.b < 90 && c.r > c.b;
}

// A comic comes in as a page: the first panel on a drawn page whose numbered frames wait for the others,
// with the hint that a click goes on; clicks bring the next panel onto its frame. Kept as
// <build>/artifacts/ComicsScene1-<panel>.png.
TEST_F(FrontendScreenshots, AComicFillsItsPagePanelByPanel)
{
	usePlayers({L"Marieke"}, 0);
	auto* comic = open<GComicsScene>("scenes/ComicsScene1.qscn");
	ASSERT_NE(comic, nullptr);
	ASSERT_EQ(comic->getCurrentPart(), 0);
	// The frames of the second and third panels as the page draws them (their top edges, their middles).
	struct Frame
	{
		int left, top;
	};
	const Frame frames[] = {{30, 24}, {554, 24}, {292, 382}};
	// Empty: its dashed edge drawn and inside only the paper and the frame's number (with their blended edges),
	// not the many colours of a picture.
	const auto emptyFrame = [&](const onscreen::WindowShot& shot, const Frame& f)
	{
		std::set<unsigned long> colours;
		for (int y = f.top + 16; y < f.top + 264; y += 6)
			for (int x = f.left + 16; x < f.left + 424; x += 6)
				colours.insert(shot.WindowImage::at(x, y) & 0xF0F0F0);
		return shot.count(f.left + 20, f.top - 2, f.left + 420, f.top + 3, isFrameInk) > 100 && colours.size() <= 10;
	};

	// In every comic the hint stays clear of every text box.
	for (int number = 1; number <= 5; ++number)
	{
		const std::string file = "scenes/ComicsScene" + std::to_string(number) + ".qscn";
		SmartPointer<BaseNode> loaded(application->contentManager->getSceneNode(file.c_str(), false));
		auto* each = nodeCast<GComicsScene>(loaded.get());
		ASSERT_NE(each, nullptr) << file;
		const BaseNode* plate = each->findChild(internStringId("ClickHintPlate"), 2);
		ASSERT_NE(plate, nullptr) << file;
		const auto rectOf = [](const BaseNode* node)
		{
			const irr::core::vector3df& at = node->getPosition();
			return irr::core::rectf(at.X, at.Y, at.X + node->getBounds().X, at.Y + node->getBounds().Y);
		};
		for (int part = 0; part < each->getPartCount(); ++part)
		{
			const BaseNode* boxes = each->getPart(part)->findChild(internStringId("Bg"), 0);
			for (irr::u32 i = 0; boxes && i < boxes->getChildren().size(); ++i)
				EXPECT_FALSE(rectOf(boxes->getChildren()[i]).isRectCollided(rectOf(plate)))
				    << file << " part " << part + 1 << ", box " << i + 1;
		}
	}

	onscreen::WindowShot shot = shoot("ComicsScene1-first", 600, 400, isPaper);
	ASSERT_FALSE(shot.empty());
	EXPECT_FALSE(emptyFrame(shot, frames[0])) << "the first panel's picture lies on its frame";
	EXPECT_TRUE(emptyFrame(shot, frames[1])) << "the second panel's frame waits";
	EXPECT_TRUE(emptyFrame(shot, frames[2])) << "the third panel's frame waits";
	EXPECT_GT(shot.count(36, 712, 312, 744, isLight), 10) << "the hint that a click goes on";

	for (int panel = 1; panel < comic->getPartCount(); ++panel)
	{
		for (int click = 0; click < 12 && comic->getCurrentPart() < panel; ++click)
		{
			press(comic, comic);
			settle(30);
		}
		ASSERT_EQ(comic->getCurrentPart(), panel);
		settle();
		shot = shoot(("ComicsScene1-panel" + std::to_string(panel + 1)).c_str(), 600, 400,
		             [](const Rgb&) { return true; });
		ASSERT_FALSE(shot.empty());
		for (int i = 0; i < 3; ++i)
			EXPECT_EQ(emptyFrame(shot, frames[i]), i > panel) << "panel " << panel + 1 << ", frame " << i + 1;
	}
	closeTop();
}

// The rectangle node: a fill one unit in from the node's corner, a one-unit frame, the tint over both.
TEST_F(FrontendScreenshots, RectangleFillsAndFramesItsBounds)
{
	struct Case
	{
		unsigned fill;
		unsigned border;
		unsigned tint;
		unsigned long inside;
		unsigned long edge;
	};
	const unsigned long backdrop = 0x000000;
	const Case cases[] = {
	    {0xff2060a0, 0xffffd000, 0xffffffff, 0x2060a0, 0xffd000},
	    {0x00000000, 0xffffd000, 0xffffffff, backdrop, 0xffd000},
	    {0xff2060a0, 0x00000000, 0xff808080, 0x103050, 0x103050},
	    {0xff2060a0, 0xffffd000, 0x00ffffff, backdrop, backdrop},
	};
	for (const Case& c : cases)
	{
		SmartPointer<CoveredScene> scene(new CoveredScene());
		scene->setBounds({1024, 768, 0});
		SmartPointer<GRectangleNode> rectangle(new GRectangleNode());
		rectangle->setPosition({100, 100, 0});
		rectangle->setBounds({200, 100, 0});
		rectangle->setFillColor(irr::video::SColor(c.fill));
		rectangle->setBorderColor(irr::video::SColor(c.border));
		rectangle->setTintColor(irr::video::SColor(c.tint));
		scene->addChild(rectangle.get());
		ASSERT_TRUE(application->uiSceneManager->showScene(scene.get()));
		settle(2);
		const Rgb expected = rgbOf(c.inside);
		const onscreen::WindowImage shot = shoot("GRectangleNode", 150, 150,
		                                         [&](const Rgb& p) {
			                                         return std::abs(p.r - expected.r) < 4 &&
			                                                std::abs(p.g - expected.g) < 4 &&
			                                                std::abs(p.b - expected.b) < 4;
		                                         });
		ASSERT_FALSE(shot.empty());
		EXPECT_TRUE(onscreen::coloursNear(shot.at(150, 150), c.inside, 3)) << std::hex << c.fill << " " << c.border;
		EXPECT_TRUE(onscreen::coloursNear(shot.at(200, 101), c.edge, 3)) << std::hex << c.fill << " " << c.border;
		EXPECT_TRUE(onscreen::coloursNear(shot.at(150, 250), backdrop, 3)) << "nothing below the bounds";
	}
}
