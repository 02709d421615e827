#include "frontend/GComicsScene.h"
#include "play/GLoadingLevelScene.h"

#include "ShopTestSupport.h"
#include "content/CContentManager.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "core/InputEvents.h"
#include "core/TaskScheduler.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace shoptest;

namespace
{
// The level loading scene that takes the player to the auction, standing still: it loads nothing.
class LoadingStandIn : public GLoadingLevelScene
{
	ENGINE_NODE_TYPE(LoadingStandIn, NodeTypeGLoadingLevelScene, GLoadingLevelScene)
	ENGINE_NODE_CLONE(LoadingStandIn)
public:
	using GLoadingLevelScene::GLoadingLevelScene;
	bool updateTime(unsigned) override { return true; }
};
} // namespace

namespace
{
// A picture or box that takes its time coming in and going away (tints mark the state it is in).
std::string animated(const char* name, int ms, const std::string& inner = std::string())
{
	return node("BaseNode", name,
	            inner + states(tintState("OnAppear", "ff00ff00", ms) + tintState("OnDisappear", "ffff0000", ms) +
	                           tintState("Unhide", "ff0000ff")));
}

std::string part(const char* name, const std::string& boxes, const std::string& extra = std::string())
{
	return node("BaseNode", name, animated("Picture", 100) + extra + node("BaseNode", "Bg", boxes));
}

std::string comicXml(const std::string& parts)
{
	const std::string scene = animated("DarkBg", 50) +
	                          node("ButtonNode", "BackButton", states(tintState("OnAppear", "ff00ff00"))) +
	                          node("BaseNode", "Parts", parts);
	return node("GComicsScene", "Comic", node("BaseNode", "Scene", scene));
}

// A comic on screen in a scene manager, stepped by hand 10 ms at a time.
class ComicsStage : public testing::Test
{
protected:
	ComicsStage() : manager(getDevice()->createSceneManager()), scheduler(new TaskScheduler())
	{
		manager->setScheduler(scheduler.get());
	}
	~ComicsStage() override { manager->showScene(nullptr); }

	void show(const std::string& parts)
	{
		comic = loadScene<GComicsScene>(comicXml(parts));
		ASSERT_TRUE(comic);
		ASSERT_TRUE(manager->showScene(comic.get()));
		run(30);
	}

	void run(int ms)
	{
		for (int t = 0; t < ms; t += 10)
		{
			scheduler->update(10);
			if (TaskScheduler* own = comic ? comic->getTaskScheduler() : nullptr)
				own->update(10);
			manager->drainEvents();
		}
	}

	void click()
	{
		CEventNodeClicked clicked(comic.get());
		EXPECT_TRUE(comic->onEvent(&clicked));
	}

	// "part.piece" and which boxes of the current part are visible, e.g. "0.1 +-".
	std::string where() const
	{
		std::string text =
		    std::to_string(comic->getCurrentPart()) + "." + std::to_string(comic->getCurrentPiece()) + " ";
		for (int i = 0; comic->getPiece(i); ++i)
			text += comic->getPiece(i)->isVisible() ? "+" : "-";
		return text;
	}

	SmartPointer<SceneManager> manager;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<GComicsScene> comic;
};
} // namespace

TEST_F(ComicsStage, PanelsAndBoxesFollowTheClicks)
{
	show(part("First", animated("TextBg", 40) + animated("TextBgNoWait", 40) + animated("TextBg", 40)) +
	     part("Second", "") + part("Third", animated("TextBgNoDisappear", 40) + animated("TextBg", 40)));
	ASSERT_EQ(comic->getPartCount(), 3);
	EXPECT_FALSE(comic->getBackButton()->isVisible());
	EXPECT_TRUE(comic->getPart(0)->isVisible());
	EXPECT_FALSE(comic->getPart(1)->isVisible());

	// The panel comes in, then its first box by itself.
	run(150);
	EXPECT_EQ(where(), "0.0 +--");
	// A click: the first box goes, the no-wait box comes and calls the third after it.
	click();
	run(150);
	EXPECT_EQ(where(), "0.2 +++");
	// The last box goes on the next click, and with it the panel.
	click();
	run(40);
	EXPECT_TRUE(comic->isBusy());
	EXPECT_EQ(where(), "0.3 ---");
	// Clicks while the panel goes are ignored.
	click();
	run(100);
	EXPECT_FALSE(comic->isBusy());
	EXPECT_EQ(comic->getCurrentPart(), 1);
	EXPECT_TRUE(comic->getPart(1)->isVisible());

	// A panel without boxes goes at the first click after it came in.
	run(120);
	EXPECT_EQ(comic->getCurrentPart(), 1);
	click();
	run(150);
	EXPECT_EQ(comic->getCurrentPart(), 2);

	// On the last panel the boxes that stay stay; after it the back button shows.
	run(150);
	EXPECT_EQ(where(), "2.1 ++");
	click();
	run(200);
	EXPECT_EQ(comic->getCurrentPart(), 3);
	BaseNode* staying = comic->getPart(2)->findChild(internStringId("TextBgNoDisappear"), -1);
	EXPECT_TRUE(staying->isVisible());
	EXPECT_TRUE(comic->getBackButton()->isVisible());
	// The earlier panels come back into view with the last one gone.
	EXPECT_EQ(comic->getPart(0)->findChild(internStringId("Picture"), 1)->getTintColor().color, 0xff0000ffu);
}

TEST_F(ComicsStage, APanelEndsOnlyAfterAWaitingBoxWentLast)
{
	show(part("Only", animated("TextBg", 40) + animated("TextBgNoWait", 40)));
	run(150);
	click();
	run(200);
	// The no-wait box came in last and stays: the panel waits, whatever is clicked.
	EXPECT_EQ(where(), "0.2 ++");
	EXPECT_FALSE(comic->isBusy());
	click();
	run(200);
	EXPECT_EQ(comic->getCurrentPart(), 0);
}

TEST_F(ComicsStage, WithoutPanelsTheBackButtonShowsAtOnce)
{
	show("");
	EXPECT_EQ(comic->getPartCount(), 0);
	EXPECT_TRUE(comic->getBackButton()->isVisible());
	click();
	run(50);
}

TEST_F(ComicsStage, BackButtonAndEscapeCloseTheComic)
{
	SmartPointer<SceneNode> map(new SceneNode());
	ASSERT_TRUE(manager->showScene(map.get()));
	run(30);
	for (int way = 0; way < 2; ++way)
	{
		comic = loadScene<GComicsScene>(comicXml(part("Only", animated("TextBg", 20))));
		ASSERT_TRUE(map->pushScene(comic.get(), true));
		run(60);
		ASSERT_EQ(manager->getTopScene(), comic.get());
		if (way == 0)
		{
			CEventInputKeyUp escape(0, 27, false, false);
			EXPECT_TRUE(comic->onEvent(&escape));
		}
		else
		{
			CEventNodeClicked back(comic->getBackButton());
			EXPECT_TRUE(comic->onEvent(&back));
		}
		run(60);
		EXPECT_EQ(manager->getTopScene(), map.get()) << way;
	}
}

// Without the auction's loading scene at hand, the panel of the detour simply plays, and the detour is
// tried once only.
TEST_F(ComicsStage, DetourThatCannotOpenPlaysThePanel)
{
	show(part("First", animated("TextBg", 20), node("BaseNode", "NavToMini3Marker")));
	EXPECT_TRUE(comic->isMiniGameOpened());
	EXPECT_EQ(comic->getCurrentPart(), 0);
	EXPECT_TRUE(comic->getPart(0)->isVisible());
}

// The auction is played before the panel with the detour; back from it, that panel plays, and the
// detour is not taken again.
TEST_F(ComicsStage, DetourToTheAuctionResumesAtItsPanel)
{
	TempDir files;
	std::filesystem::create_directories(files.file("scenes"));
	files.write("scenes/Comic.qscn",
	            comicXml(part("First", animated("TextBg", 20), node("BaseNode", "NavToMini3Marker")) +
	                     part("Second", animated("TextBg", 20))));
	files.write("scenes/LoadingLevelScene.qscn", node("LoadingStandIn", "Loading"));
	NodeFactory::instance()->registerNodeCreator(L"LoadingStandIn", &createNodeOfClass<LoadingStandIn>);
	registerGameNodeClasses();
	IFileSystem* fileSystem = getDevice()->getFileSystem();
	IArchive* folder = fileSystem->addArchive(files.path().c_str(), false, false);
	ASSERT_TRUE(folder);
	SmartPointer<CContentManager> contents(getDevice()->createContentManager());
	{
		SmartPointer<ContentObject> loaded(contents->getContent(ContentTypeSceneNode, "scenes/Comic.qscn", false));
		comic = shareRef(nodeCast<GComicsScene>(dynamic_cast<BaseNode*>(loaded.get())));
	}
	ASSERT_TRUE(comic);
	ASSERT_TRUE(manager->showScene(comic.get()));
	run(60);
	SceneNode* loading = manager->getTopScene();
	ASSERT_NE(loading, comic.get()) << "the auction's loading scene is opened over the comic";
	ASSERT_NE(nodeCast<GLoadingLevelScene>(loading), nullptr);
	EXPECT_EQ(nodeCast<GLoadingLevelScene>(loading)->getLevelName(), irr::core::stringc("minigame_auction"));
	EXPECT_TRUE(comic->isMiniGameOpened());
	EXPECT_EQ(comic->getCurrentPart(), -1);
	EXPECT_FALSE(comic->getPart(0)->isVisible());

	// The auction is over: its scene closes back to the comic.
	ASSERT_TRUE(loading->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo()));
	run(60);
	EXPECT_EQ(manager->getTopScene(), comic.get());
	EXPECT_EQ(comic->getCurrentPart(), 0);
	EXPECT_TRUE(comic->getPart(0)->isVisible());
	run(150);
	EXPECT_EQ(where(), "0.0 +");

	manager->showScene(nullptr);
	comic = nullptr;
	contents = nullptr;
	fileSystem->removeArchive(folder);
}
