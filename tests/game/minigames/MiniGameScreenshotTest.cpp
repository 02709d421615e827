#include "../GameTestSupport.h"
#include "../frontend/FrontendTestSupport.h"
#include "content/IFileSystem.h"
#include "device/CLinuxDevice.h"
#include "minigames/GMiniCompletedScene.h"
#include "minigames/GMiniGameAuctionScene.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "minigames/GMiniGameHiddenScene.h"
#include "minigames/GMiniGameScene.h"
#include "nodes/ButtonNode.h"
#include "scene/NodeFactory.h"
#include "scene/TabSceneNode.h"
#include "support/OnScreenTest.h"

#include <filesystem>
#include <functional>

// Last: it brings Xlib, whose macros clash with names in the headers above.
#include "../WindowedGameFixture.h"

// Each mini-game drawn by the game in an OpenGL window on the test display, read back from the X server,
// checked where a player would look and kept as <build>/artifacts/minigame<N>.png.
namespace
{
using frontendtest::CoveredScene;

using onscreen::Rgb;

bool isInk(const Rgb& c)
{
	return c.r + c.g + c.b < 300;
}
bool isCream(const Rgb& c)
{
	return c.r > 220 && c.g > 190 && c.b > 140 && c.r > c.b + 20;
}
bool isBlue(const Rgb& c)
{
	return c.b > c.r + 60;
}

class MiniGameScreenshots : public WindowedGameTest
{
protected:
	MiniGameScreenshots() : WindowedGameTest(L"Mini-game screenshot test") {}

	// The mini-games' own templates and pictures.
	void addContent() override
	{
		SmartPointer<BaseNode> more(application->contentManager->getSceneNode("scenes/MiniGameTemplates.qscn", false));
		for (irr::u32 i = 0; more && i < more->getChildren().size(); ++i)
			templates->addTemplate(more->getChildren()[i]);
		for (const char* name :
		     {"atlases/Minigame1.xml", "atlases/Minigame2.xml", "atlases/Minigame3.xml", "atlases/Minigame4.xml"})
			miniAtlases.push_back(SmartPointer<ContentObject>(
			    application->contentManager->getContent(ContentTypeAtlasTextureCollection, name, false)));
	}

	std::vector<SmartPointer<ContentObject>> miniAtlases;
};

bool press(BaseNode* scene, BaseNode* control)
{
	CEventNodeClicked clicked(control);
	return scene->onEvent(&clicked);
}
// A point of the object that takes a press (its picture is alpha-tested), found by a scan of its rectangle.
bool pressPoint(BaseNode* object, int& x, int& y)
{
	object->refreshAbsolute();
	const irr::core::vector3df at = object->getPosition();
	const irr::core::vector3df size = object->getBounds();
	for (float dy = size.Y / 2; dy < size.Y; dy += 3)
		for (float dx = size.X / 2; dx < size.X; dx += 3)
			for (const irr::core::vector2df& p : {irr::core::vector2df(at.X + dx, at.Y + dy),
			                                      irr::core::vector2df(at.X + size.X - dx, at.Y + size.Y - dy)})
				if (object->hitTest(p))
				{
					x = static_cast<int>(p.X);
					y = static_cast<int>(p.Y);
					return true;
				}
	return false;
}

bool leftClick(SceneNode* scene, BaseNode* object)
{
	int x = 0, y = 0;
	if (!pressPoint(object, x, y))
		return false;
	CEventInputMouseLeftDown event(x, y);
	return scene->sendToChildren(0, &event);
}

// Finds every object (in the order wanted) or, in the auction, picks the biggest piles until the time is up.
void playToTheEnd(GMiniGameScene* game)
{
	if (auto* ordered = nodeCast<GMiniGameHidden2Scene>(game))
	{
		while (BaseNode* wanted = ordered->getWantedObject())
			ASSERT_TRUE(leftClick(game, wanted)) << getStringById(wanted->getName()).c_str();
	}
	else if (auto* hidden = nodeCast<GMiniGameHiddenScene>(game))
	{
		while (!hidden->getHitObjects()->getChildren().empty())
		{
			BaseNode* object = hidden->getHitObjects()->getChildren()[0];
			ASSERT_TRUE(leftClick(game, object)) << getStringById(object->getName()).c_str();
		}
	}
	else if (auto* auction = nodeCast<GMiniGameAuctionScene>(game))
	{
		for (int round = 0; round < 5; ++round)
			for (int i = 0; i < 3; ++i)
				if (auction->getZonePile(i) == auction->getBiggestPile())
				{
					press(game, auction->getZone(i));
					break;
				}
		EXPECT_EQ(auction->getScore(), 75);
		auction->updateTime(static_cast<unsigned>(auction->getMaxLevelTime()) + 1);
	}
}
} // namespace

TEST_F(MiniGameScreenshots, EveryMiniGameShowsItsPictureCountersAndGuide)
{
	CProfileManager::instance()->addProfile(L"Lotte");
	CProfileManager::instance()->setActiveProfile(CProfileManager::instance()->getProfileCount() - 1);
	CProfileManager::instance()->getActiveProfile()->setBool("MusicOn", false);
	CProfileManager::instance()->getActiveProfile()->setBool("SoundOn", false);
	// The four games in the order of their pictures; the auction's folder is the name its comic asks for.
	const char* const folders[] = {"minigame1", "minigame2", "minigame3", "minigame_auction"};
	for (int n = 1; n <= 4; ++n)
	{
		const std::string location = std::string("levels/") + folders[n - 1] + "/";
		SmartPointer<CoveredScene> loading(new CoveredScene());
		loading->setBounds({1024, 768, 0});
		ASSERT_TRUE(top()->pushScene(loading.get(), false));
		settle();
		SmartPointer<BaseNode> loaded(
		    application->contentManager->getSceneNode((location + "Level.qscn").c_str(), false));
		auto* game = nodeCast<GMiniGameScene>(loaded.get());
		ASSERT_NE(game, nullptr) << location;
		EXPECT_TRUE(game->loadConfiguration(location.c_str())) << location;
		ASSERT_TRUE(top()->pushScene(game, true, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		settle(40);
		EXPECT_EQ(game->getLinetPhase(), 2) << location;
		const std::string name = "minigame" + std::to_string(n);
		if (n == 1 || n == 4)
		{
			// The guide speaks first: her words on the cream bubble.
			onscreen::WindowImage guide = shoot((name + "guide").c_str(), 260, 280, isCream);
			EXPECT_GT(count(guide, 240, 280, 600, 380, isInk), 300) << name << ": the guide's words";
		}
		// A press dismisses the guide; then the picture as the player searches it.
		CEventInputMouseLeftDown dismiss(1010, 20);
		game->sendToChildren(0, &dismiss);
		press(game, game->findChild(internStringId("Scene")));
		settle(40);
		EXPECT_EQ(game->getLinetPhase(), 3) << location;
		onscreen::WindowImage shot = shoot(name.c_str(), 100, 740, isCream);
		ASSERT_FALSE(shot.empty());
		// The counters: dark digits on the cream plates of the bar.
		EXPECT_GT(count(shot, 16, 704, 246, 744, isInk), 60) << name << ": the first counter";
		EXPECT_GT(count(shot, 262, 704, 492, 744, isInk), 60) << name << ": the time";
		// The buttons in the blue button look.
		EXPECT_TRUE(isBlue(at(shot, 930, 700))) << name << ": the menu button";
		if (n == 3)
		{
			// A hint: the sparkle flies from the hint button towards an object, which glitters.
			EXPECT_TRUE(press(game, game->findChild(internStringId("HintButton"))));
			settle(30);
			shoot((name + "hint").c_str(), 100, 740, isCream);
			EXPECT_NE(nodeCast<GMiniGameHiddenScene>(game)->getHintedObject(), nullptr);
		}
		// Played to its end by the presses it waits for, then the result popup over it.
		playToTheEnd(game);
		EXPECT_TRUE(game->isCompleted()) << name;
		settle(120);
		auto* popup = nodeCast<GMiniCompletedScene>(top());
		ASSERT_NE(popup, nullptr) << name;
		EXPECT_EQ(popup->getCountState(), 0) << name << ": the counters have arrived";
		if (n == 1)
		{
			onscreen::WindowImage result = shoot("minigamecompleted", 300, 300, isCream);
			EXPECT_GT(count(result, 262, 312, 762, 380, isInk), 200) << "time and points";
		}
		// OK goes back to the map past the game and the loading scene.
		EXPECT_TRUE(press(popup, popup->findChild(internStringId("OkButton"))));
		settle();
		EXPECT_EQ(top(), baseScene.get()) << name;
	}
}
