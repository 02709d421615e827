#include "AssetsTestSupport.h"
#include "app/GameNodeClasses.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "frontend/GComicsScene.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <set>
#include <string>

// Every shipped comic read to its end as a player reads it, one click per box, without a display: no
// panel waits forever, every box is shown, and the close button comes at the end.
TEST(ComicsPlaythrough, EveryComicReadsToItsEnd)
{
	MountedAssets assets(0);
	if (!assets.device)
		GTEST_SKIP() << "no device";
	ASSERT_TRUE(assets.folder);
	auto* stub = dynamic_cast<CDeviceStub*>(assets.device);
	ASSERT_TRUE(stub);
	registerApplicationNodeClasses();
	registerGameNodeClasses();
	SmartPointer<ContentObject> atlas =
	    assets.load<ContentObject>(ContentTypeAtlasTextureCollection, "atlases/MainMenu.xml");
	// The fourth comic plays the auction on its way: its level draws from its own pictures.
	SmartPointer<ContentObject> auctionAtlas =
	    assets.load<ContentObject>(ContentTypeAtlasTextureCollection, "atlases/Minigame4.xml");
	SmartPointer<TemplateCollectionNode> templates =
	    assets.load<TemplateCollectionNode>(ContentTypeSceneNode, "scenes/TemplateCollection.qscn");
	ASSERT_TRUE(templates);
	SmartPointer<SceneManager> manager(assets.device->createSceneManager());
	SmartPointer<TaskScheduler> scheduler(assets.device->createTaskScheduler());
	assets.device->addEventListener(scheduler.get(), 0);
	manager->setScheduler(scheduler.get());
	manager->setTemplateCollection(templates.get());
	const auto advance = [&](int updates)
	{
		for (int i = 0; i < updates; ++i)
			stub->postEvent(new CEventSystemFlowUpdate(20));
	};

	LogCapture log;
	for (int number = 1; number <= 5; ++number)
	{
		const std::string file = "scenes/ComicsScene" + std::to_string(number) + ".qscn";
		SmartPointer<GComicsScene> comic = assets.load<GComicsScene>(ContentTypeSceneNode, file);
		ASSERT_TRUE(comic) << file;
		ASSERT_GE(comic->getPartCount(), 2) << file;
		ASSERT_TRUE(manager->showScene(comic.get())) << file;
		advance(40);
		// The panels in which a box was seen on screen.
		std::set<int> panelsWithText;
		for (int clicks = 0; clicks < 40 && !comic->getBackButton()->isVisible(); ++clicks)
		{
			ASSERT_LT(comic->getCurrentPart(), comic->getPartCount()) << file;
			if (BaseNode* box = comic->getPiece(comic->getCurrentPiece()))
				if (box->isVisible())
					panelsWithText.insert(comic->getCurrentPart());
			// The auction the fourth comic plays on its way is left by its menu, back into the comic.
			if (manager->getTopScene() != comic.get())
			{
				manager->getTopScene()->closeToSceneOfType(comic->typeId());
				advance(80);
				continue;
			}
			CEventNodeClicked click(comic.get());
			comic->onEvent(&click);
			advance(80);
		}
		EXPECT_TRUE(comic->getBackButton()->isVisible())
		    << file << " stuck at part " << comic->getCurrentPart() << " box " << comic->getCurrentPiece();
		EXPECT_EQ(comic->getCurrentPart(), comic->getPartCount()) << file;
		EXPECT_EQ(static_cast<int>(panelsWithText.size()), comic->getPartCount()) << file;
		manager->showScene(nullptr);
		advance(5);
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
	assets.device->removeEventListener(scheduler.get());
}
