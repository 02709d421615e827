#include "app/GBaseSceneNode.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace
{
// A scene manager on its own scheduler with game scenes in it, driven by hand.
class SceneStage : public testing::Test
{
protected:
	SceneStage() : manager(getDevice()->createSceneManager()), scheduler(new TaskScheduler())
	{
		manager->setScheduler(scheduler.get());
	}

	~SceneStage() override { manager->showScene(nullptr); }

	// A named game scene (one reference for the caller).
	static GBaseSceneNode* makeScene(const char* name)
	{
		auto* scene = new GBaseSceneNode();
		scene->setName(name);
		return scene;
	}

	// Lets every posted event and finished transition through.
	void settle()
	{
		for (int i = 0; i < 5; ++i)
		{
			scheduler->update(10);
			manager->drainEvents();
		}
	}

	SmartPointer<SceneManager> manager;
	SmartPointer<TaskScheduler> scheduler;
};
} // namespace

TEST(GBaseSceneNodeIdentity, IsAGameSceneAndClonesAsOne)
{
	SmartPointer<GBaseSceneNode> scene(new GBaseSceneNode());
	scene->setName("Menu");
	scene->setCloseOnKey(true);
	EXPECT_EQ(scene->typeId(), 1100);
	EXPECT_EQ(scene->typeName(), irr::core::stringw(L"GBaseSceneNode"));
	for (int id : {1100, 6, 5, 0})
		EXPECT_TRUE(scene->isKindOf(id)) << id;
	for (int id : {7, 8, 9, 1101})
		EXPECT_FALSE(scene->isKindOf(id)) << id;

	SmartPointer<BaseNode> copy(scene->clone());
	ASSERT_NE(copy.get(), nullptr);
	EXPECT_EQ(copy->typeId(), 1100);
	EXPECT_EQ(getStringById(copy->getName()), "Menu");
	EXPECT_NE(dynamic_cast<GBaseSceneNode*>(copy.get()), nullptr);
	EXPECT_EQ(static_cast<GBaseSceneNode*>(copy.get())->getScheduler(), nullptr);
}

TEST_F(SceneStage, UpdatesOnlyWhileOnScreen)
{
	SmartPointer<GBaseSceneNode> scene(makeScene("First"));
	EXPECT_EQ(scene->period, 30u);
	EXPECT_EQ(scene->getScheduler(), nullptr);
	ASSERT_TRUE(manager->showScene(scene.get()));
	settle();
	ASSERT_NE(scene->getTaskScheduler(), nullptr);
	EXPECT_EQ(scene->getScheduler(), scene->getTaskScheduler());

	// Active time counts only while the scene holds the focus.
	scene->setFocused(false);
	scene->getTaskScheduler()->update(60);
	EXPECT_EQ(scene->getActiveTime(), 0);
	scene->setFocused(true);
	scene->getTaskScheduler()->update(60);
	EXPECT_EQ(scene->getActiveTime(), 60);

	// Being left takes the task off at once.
	CEventNodeSceneChangeStarted leaving(scene.get(), nullptr, 1);
	scene->onEvent(&leaving);
	EXPECT_EQ(scene->getScheduler(), nullptr);

	// Entered again: the time starts over.
	CEventNodeSceneChangeFinished entered(nullptr, scene.get(), 1);
	scene->onEvent(&entered);
	EXPECT_EQ(scene->getActiveTime(), 0);
	EXPECT_EQ(scene->getScheduler(), scene->getTaskScheduler());
}

TEST_F(SceneStage, EscapeClosesOnlyScenesThatAskForIt)
{
	SmartPointer<GBaseSceneNode> below(makeScene("Below"));
	SmartPointer<GBaseSceneNode> popup(makeScene("Popup"));
	ASSERT_TRUE(manager->showScene(below.get()));
	settle();
	ASSERT_TRUE(manager->pushScene(below.get(), popup.get()));
	settle();
	ASSERT_EQ(manager->getTopScene(), popup.get());

	struct KeyCase
	{
		int key;
		bool closeOnKey;
		bool handled;
	};
	for (const KeyCase& c : {KeyCase{27, false, false}, KeyCase{13, false, false}, KeyCase{65, true, false}})
	{
		popup->setCloseOnKey(c.closeOnKey);
		CEventInputKeyUp key(0, c.key, false, false);
		EXPECT_EQ(popup->onKeyUp(&key), c.handled) << c.key;
		settle();
		EXPECT_EQ(manager->getTopScene(), popup.get()) << c.key;
	}

	popup->setCloseOnKey(true);
	CEventInputKeyUp escape(0, 27, false, false);
	EXPECT_TRUE(popup->onKeyUp(&escape));
	settle();
	EXPECT_EQ(manager->getTopScene(), below.get());
}

TEST(GBaseSceneNodeLogging, NamesTheNodeOfEachNotification)
{
	SmartPointer<GBaseSceneNode> scene(new GBaseSceneNode());
	SmartPointer<BaseNode> sprite(new BaseNode());
	sprite->setName("Picture");
	LogCapture log;

	CEventNodeClickPreview preview(sprite.get());
	CEventNodeClicked clicked(sprite.get());
	CEventNodeHovered hovered(nullptr, sprite.get());
	CEventNodeUnhovered unhovered(sprite.get(), nullptr);
	CEventNodeMessageBoxResult result(1);
	CEventSystemFlowDestroy destroy;
	for (CEvent* event : std::initializer_list<CEvent*>{&preview, &clicked, &hovered, &unhovered, &result, &destroy})
		EXPECT_FALSE(scene->onEvent(event)) << event->typeId();

	const std::pair<const char*, const char*> expected[] = {
	    {"Node was pressed (preview)", "Picture"}, {"Node was pressed", "Picture"},
	    {"Node was hovered", "Picture"},           {"Node was unhovered", "Picture"},
	    {"Message box result", "1"},               {"Application Close, scene cleanup", "GBaseSceneNode"},
	};
	ASSERT_EQ(log.lines.size(), std::size(expected)) << log.dump();
	for (size_t i = 0; i < std::size(expected); ++i)
	{
		EXPECT_EQ(log.lines[i].text, expected[i].first);
		EXPECT_EQ(log.lines[i].hint, expected[i].second);
		EXPECT_EQ(log.lines[i].level, 0);
	}
}
