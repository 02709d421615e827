#include "SceneStackSupport.h"
#include "core/IScheduledTask.h"
#include "scene/TemplateCollectionNode.h"

#include <functional>

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

SceneNode* makeFixedBox(const irr::core::array<irr::core::stringw>&, const irr::core::stringw&,
                        const irr::core::stringw&)
{
	SmartPointer<FixedResultBox> box = makeScene<FixedResultBox>("Box", 50);
	box->grab();
	return box.get();
}

// Restores the default message box class when a test ends.
struct BoxCreatorScope
{
	explicit BoxCreatorScope(SceneManager::MessageBoxCreator creator) { SceneManager::setMessageBoxCreator(creator); }
	~BoxCreatorScope() { SceneManager::setMessageBoxCreator(nullptr); }
};

using Names = std::vector<std::string>;
} // namespace

TEST_F(SceneStackTest, ShownSceneEntersThenTakesFocus)
{
	auto a = makeScene("A", 100);
	ASSERT_TRUE(manager->showScene(a.get()));
	EXPECT_EQ(manager->getTopScene(), a.get());
	EXPECT_TRUE(playing(a.get(), "NavTo"));
	const NavigationRecord record = manager->findNavigation(a.get());
	EXPECT_EQ(record.oldScene, nullptr);
	EXPECT_EQ(record.newState, SceneNode::nameIdNavTo());
	EXPECT_EQ(a->count(CEventNodeSceneAttached::TypeId), 1);
	EXPECT_EQ(a->count(CEventNodeSceneChange::TypeId), 1);
	EXPECT_EQ(a->count(CEventNodeSceneChangeStarted::TypeId), 1);
	EXPECT_FALSE(a->isFocused());

	update(10, 20);
	EXPECT_FALSE(manager->isInNavigation(a.get()));
	EXPECT_EQ(a->count(CEventNodeSceneChangeFinished::TypeId), 1);
	EXPECT_TRUE(a->isFocused());
	EXPECT_FLOAT_EQ(part(a.get())->getPosition().X, 100.0f);
}

TEST_F(SceneStackTest, PushCoversTheSceneAndCloseToReturnsPastTheScenesBetween)
{
	auto a = makeScene("A", 100), b = makeScene("B", 100), c = makeScene("C", 100);
	manager->showScene(a.get());
	update(10, 20);

	ASSERT_TRUE(a->pushScene(b.get()));
	EXPECT_EQ(stack(), (Names{"A", "B"}));
	EXPECT_EQ(manager->getTopScene(), b.get());
	EXPECT_EQ(b->getSceneBelow(), a.get());
	EXPECT_TRUE(playing(a.get(), "NavFrom"));
	EXPECT_TRUE(playing(b.get(), "NavTo"));
	ASSERT_EQ(manager->getNavigations().size(), 2u);
	const NavigationRecord push = manager->getNavigations()[0];
	EXPECT_EQ(push.oldScene, a.get());
	EXPECT_EQ(push.oldState, SceneNode::nameIdNavFrom());
	EXPECT_EQ(push.newScene, b.get());
	EXPECT_TRUE(push.keepOld);
	EXPECT_FALSE(push.keepOldVisible);
	update(10, 20);
	EXPECT_TRUE(manager->getNavigations().empty());
	EXPECT_FALSE(a->isVisible());
	EXPECT_FALSE(a->getTaskScheduler()->isEnabled());
	EXPECT_TRUE(b->getTaskScheduler()->isEnabled());
	EXPECT_TRUE(b->isFocused());
	EXPECT_FALSE(a->isFocused());

	// Kept visible: B stays drawn and running under C.
	ASSERT_TRUE(b->pushScene(c.get(), true));
	update(10, 20);
	EXPECT_TRUE(b->isVisible());
	EXPECT_TRUE(b->getTaskScheduler()->isEnabled());
	EXPECT_FALSE(a->isVisible());

	const int listeners = device->getListenerCount();
	EXPECT_FALSE(c->closeTo(2)) << "only two scenes below";
	ASSERT_TRUE(c->closeTo(1));
	EXPECT_EQ(manager->getTopScene(), a.get());
	EXPECT_EQ(c->getSceneBelow(), a.get());
	EXPECT_TRUE(a->isVisible());
	EXPECT_TRUE(a->getTaskScheduler()->isEnabled());
	EXPECT_TRUE(playing(c.get(), "NavBackFrom"));
	EXPECT_TRUE(playing(a.get(), "NavBackTo"));
	EXPECT_EQ(manager->getNavigations().size(), 2u);
	EXPECT_EQ(a->count(CEventNodeSceneChange::TypeId), 3) << "shown, covered, returned to";
	EXPECT_FALSE(c->closeTo(0)) << "a scene in a transition refuses another";

	update(10, 20);
	EXPECT_EQ(stack(), (Names{"A"}));
	EXPECT_TRUE(manager->getNavigations().empty());
	EXPECT_TRUE(a->isFocused());
	// The closed scenes' schedulers are gone from the device.
	EXPECT_EQ(device->getListenerCount(), listeners - 2);
	EXPECT_EQ(manager->getSceneSchedulerCount(), 1);
	EXPECT_EQ(c->getTaskScheduler(), nullptr);
	EXPECT_EQ(c->getParent(), nullptr);
}

TEST_F(SceneStackTest, CloseToSceneOfTypeFindsTheNearestSceneOfThatClass)
{
	SmartPointer<SceneNode> root(new SceneNode());
	root->setName("Root");
	auto a = makeScene("A", 0), b = makeScene("B", 0);
	manager->showScene(root.get());
	root->pushScene(a.get());
	a->pushScene(b.get());
	EXPECT_FALSE(b->closeToSceneOfType(4242));
	ASSERT_TRUE(b->closeToSceneOfType(RecordingScene::TypeId));
	update(10, 2);
	EXPECT_EQ(stack(), (Names{"Root", "A"}));
	ASSERT_TRUE(a->closeToSceneOfType(NodeTypeSceneNode));
	update(10, 2);
	EXPECT_EQ(stack(), (Names{"Root"}));
}

TEST_F(SceneStackTest, PushWhileTheSceneStillEntersEndsItsEntranceAtOnce)
{
	auto a = makeScene("A", 100), b = makeScene("B", 100);
	manager->showScene(a.get());
	update(10, 2);
	EXPECT_EQ(a->finishedCount("NavTo"), 0);
	ASSERT_TRUE(manager->pushScene(a.get(), b.get()));
	// The entrance ended at once; only the push's two records remain.
	EXPECT_EQ(a->finishedCount("NavTo"), 1);
	update(10, 1);
	EXPECT_EQ(a->count(CEventNodeSceneChangeFinished::TypeId), 1);
	EXPECT_EQ(manager->getNavigations().size(), 2u);
	EXPECT_TRUE(playing(a.get(), "NavFrom"));
	EXPECT_EQ(manager->getTopScene(), b.get());
}

// A popup that closes back past the scene under it and opens the next screen in the same step: the closing
// scenes go, and the new one is entered over the scene returned to.
TEST_F(SceneStackTest, OpeningWhileClosingBackLeavesTheNewSceneOnTop)
{
	auto a = makeScene("A", 100), b = makeScene("B", 100), c = makeScene("C", 100), d = makeScene("D", 100),
	     e = makeScene("E", 100);
	manager->showScene(a.get());
	a->pushScene(b.get());
	update(10, 20);
	b->pushScene(c.get());
	update(10, 20);

	ASSERT_TRUE(c->closeTo(1));
	ASSERT_TRUE(c->pushScene(d.get()));
	EXPECT_EQ(manager->getTopScene(), d.get());
	EXPECT_EQ(d->getSceneBelow(), a.get());
	// And a story page over that, still in the same step.
	ASSERT_TRUE(c->pushScene(e.get()));
	EXPECT_EQ(e->getSceneBelow(), d.get());
	update(10, 20);
	EXPECT_EQ(stack(), (Names{"A", "D", "E"}));
	EXPECT_TRUE(manager->getNavigations().empty());
	EXPECT_TRUE(e->isFocused());
	EXPECT_TRUE(e->isVisible());
	EXPECT_FALSE(d->isVisible()) << "covered by the story page";
	EXPECT_FALSE(a->isVisible());
	EXPECT_EQ(c->getParent(), nullptr);
	EXPECT_EQ(b->getParent(), nullptr);
}

TEST_F(SceneStackTest, PushWithoutCurrentSceneGoesOnTopOfTheStack)
{
	auto a = makeScene("A", 0), b = makeScene("B", 0);
	ASSERT_TRUE(manager->pushScene(nullptr, a.get()));
	EXPECT_EQ(manager->getTopScene(), a.get()) << "an empty manager's first scene is its top scene";
	ASSERT_TRUE(manager->pushScene(nullptr, b.get()));
	EXPECT_EQ(stack(), (Names{"A", "B"}));
	EXPECT_EQ(manager->getTopScene(), a.get());
	EXPECT_FALSE(manager->pushScene(nullptr, nullptr));
}

TEST_F(SceneStackTest, MessageBoxOpensCentredAndReportsItsResultToTheSceneBelow)
{
	BoxCreatorScope scope(&makeFixedBox);
	SmartPointer<TemplateCollectionNode> templates(new TemplateCollectionNode());
	SmartPointer<BaseNode> look(new BaseNode());
	look->setName("Ask");
	look->setBounds({40.0f, 20.0f, 0.0f});
	templates->addTemplate(look.get());
	manager->setTemplateCollection(templates.get());

	auto a = makeScene("A", 100);
	a->setBounds({200.0f, 100.0f, 0.0f});
	a->setPosition({10.0f, 10.0f, 5.0f});
	manager->showScene(a.get());
	update(10, 20);

	irr::core::array<irr::core::stringw> buttons;
	buttons.push_back(L"Yes");
	EXPECT_EQ(a->showMessageBox(id("NoSuchTemplate"), buttons, L"Title", L"Body"), nullptr);
	SceneNode* box = a->showMessageBox(id("Ask"), buttons, L"Title", L"Body");
	ASSERT_NE(box, nullptr);
	EXPECT_EQ(stack(), (Names{"A", "Box"}));
	EXPECT_EQ(manager->getTopScene(), box);
	EXPECT_EQ(box->getSceneBelow(), a.get());
	EXPECT_EQ(box->getTemplateName(), id("Ask"));
	EXPECT_EQ(box->getPosition(), irr::core::vector3df(90.0f, 50.0f, 5.0f));
	EXPECT_FALSE(a->isFocused());
	ASSERT_EQ(manager->getNavigations().size(), 1u);
	EXPECT_TRUE(manager->getNavigations()[0].keepOldVisible);
	EXPECT_TRUE(playing(box, "NavTo"));
	update(10, 20);
	EXPECT_TRUE(box->isFocused());
	EXPECT_TRUE(a->isVisible());
	EXPECT_TRUE(a->getTaskScheduler()->isEnabled());

	a->ids.clear();
	ASSERT_TRUE(box->closeTo(0));
	EXPECT_EQ(manager->getNavigations().size(), 1u);
	EXPECT_TRUE(playing(box, "NavBackFrom"));
	EXPECT_FALSE(playing(a.get(), "NavBackTo"));
	update(10, 20);
	EXPECT_EQ(stack(), (Names{"A"}));
	EXPECT_EQ(a->count(CEventNodeMessageBoxResult::TypeId), 1);
	EXPECT_EQ(a->lastResult, 2);
	EXPECT_EQ(a->count(CEventNodeSceneChange::TypeId), 0);
	EXPECT_EQ(a->count(CEventNodeSceneChangeStarted::TypeId), 0);
	EXPECT_FALSE(a->isFocused()) << "the manager does not focus the scene below a box again";
}

TEST_F(SceneStackTest, AnySceneServesAsMessageBoxByDefault)
{
	SmartPointer<TemplateCollectionNode> templates(new TemplateCollectionNode());
	SmartPointer<BaseNode> look(new BaseNode());
	look->setName("Ask");
	templates->addTemplate(look.get());
	manager->setTemplateCollection(templates.get());
	auto a = makeScene("A", 0);
	manager->showScene(a.get());
	SceneNode* box = a->showMessageBox(id("Ask"), {}, L"", L"");
	ASSERT_NE(box, nullptr);
	EXPECT_TRUE(box->isMessageBox());
	ASSERT_TRUE(box->closeTo(0));
	update(10, 2);
	EXPECT_EQ(a->count(CEventNodeMessageBoxResult::TypeId), 1);
	EXPECT_EQ(a->lastResult, 0);
	EXPECT_EQ(stack(), (Names{"A"}));
}

TEST_F(SceneStackTest, InputReachesOnlyTheTopSceneOutsideTransitions)
{
	auto a = makeScene("A", 100), b = makeScene("B", 100), c = makeScene("C", 100);
	manager->showScene(a.get());
	update(10, 20);
	a->pushScene(b.get(), true);
	update(10, 20);

	struct Step
	{
		const char* label;
		std::function<void()> before;
		bool delivered;
		RecordingScene* receiver;
	};
	const std::vector<Step> steps = {
	    {"top scene B", [] {}, true, b.get()},
	    {"B is being covered by C", [&] { b->pushScene(c.get()); }, false, nullptr},
	    {"C entered", [&] { update(10, 20); }, true, c.get()},
	    {"no scene shown", [&] { manager->showScene(nullptr); }, false, nullptr},
	};
	for (const Step& step : steps)
	{
		step.before();
		const int before[3] = {a->count(31), b->count(31), c->count(31)};
		SmartPointer<CEventInputKeyDown> key(new CEventInputKeyDown('x', 88, false, false));
		EXPECT_EQ(manager->deliverEvent(DeliverChildrenThenSelf, key.get()), step.delivered) << step.label;
		RecordingScene* scenes[3] = {a.get(), b.get(), c.get()};
		for (int i = 0; i < 3; ++i)
			EXPECT_EQ(scenes[i]->count(31) - before[i], scenes[i] == step.receiver ? 1 : 0)
			    << step.label << ", scene " << i;
	}
}

TEST_F(SceneStackTest, SchedulersFollowTheirScenesAndDoNotPileUp)
{
	const int listeners = device->getListenerCount();
	for (int i = 0; i < 100; ++i)
	{
		auto scene = makeScene("S", 0);
		ASSERT_TRUE(manager->showScene(scene.get()));
		update(10, 1);
	}
	EXPECT_EQ(device->getListenerCount(), listeners + 1);
	EXPECT_EQ(manager->getSceneSchedulerCount(), 1);
	EXPECT_EQ(manager->getChildren().size(), 1u);

	// Scene schedulers are device listeners at priority 1000: they run after one added at 999.
	std::vector<int> order;
	struct Probe : EventReceiver
	{
		Probe(std::vector<int>* out, int tag) : out(out), tag(tag) { mask = EventCategorySystemFlow; }
		bool onEvent(CEvent* event) override
		{
			if (event->typeId() == CEventSystemFlowUpdate::TypeId)
				out->push_back(tag);
			return false;
		}
		std::vector<int>* out;
		int tag;
	};
	struct Task : IScheduledTask
	{
		explicit Task(std::vector<int>* out) : out(out) {}
		bool run(unsigned) override
		{
			out->push_back(1000);
			return true;
		}
		std::vector<int>* out;
	};
	SmartPointer<Probe> early(new Probe(&order, 999)), late(new Probe(&order, 1001));
	device->addEventListener(early.get(), 999);
	device->addEventListener(late.get(), 1001);
	SmartPointer<Task> task(new Task(&order));
	task->setScheduler(manager->getTopScene()->getTaskScheduler());
	update(10, 1);
	EXPECT_EQ(order, (std::vector<int>{999, 1000, 1001}));
	task->setScheduler(nullptr);
	device->removeEventListener(early.get());
	device->removeEventListener(late.get());
}

// Scenes someone still holds when their manager goes lose their schedulers with it, and the
// schedulers leave the device.
TEST_F(SceneStackTest, ScenesThatOutliveTheirManagerHaveNoScheduler)
{
	const int listeners = device->getListenerCount();
	auto below = makeScene("Below", 50);
	auto top = makeScene("Top", 50);
	ASSERT_TRUE(manager->showScene(below.get()));
	update(10, 10);
	ASSERT_TRUE(manager->pushScene(below.get(), top.get()));
	update(10, 2);
	ASSERT_NE(below->getTaskScheduler(), nullptr);
	ASSERT_NE(top->getTaskScheduler(), nullptr);
	EXPECT_EQ(device->getListenerCount(), listeners + 2);

	manager = nullptr;
	EXPECT_EQ(below->getTaskScheduler(), nullptr);
	EXPECT_EQ(top->getTaskScheduler(), nullptr);
	EXPECT_EQ(below->getParent(), nullptr);
	EXPECT_EQ(device->getListenerCount(), listeners);
	// The device's updates reach nothing of them any more.
	update(10, 10);
}

TEST_F(SceneStackTest, PostedEventsComeOutInOrderAndClosedScenesLeaveAfterTheDrain)
{
	auto a = makeScene("A", 0), b = makeScene("B", 0);
	manager->showScene(a.get());
	update(10, 1);
	std::vector<int> seen;
	// Two events posted outside a drain; the first one's handler posts two more and closes the scene.
	SmartPointer<CEventInputKeyDown> first(new CEventInputKeyDown('1', 1, false, false));
	SmartPointer<CEventInputKeyDown> second(new CEventInputKeyDown('2', 2, false, false));
	struct Poster : EventReceiver
	{
		bool onEvent(CEvent* event) override
		{
			log->push_back(static_cast<CEventInputKeyDown*>(event)->key);
			if (static_cast<CEventInputKeyDown*>(event)->key == 1)
			{
				SmartPointer<CEventInputKeyDown> x(new CEventInputKeyDown('3', 3, false, false));
				SmartPointer<CEventInputKeyDown> y(new CEventInputKeyDown('4', 4, false, false));
				manager->postEvent(this, DeliverSelf, x.get());
				manager->postEvent(this, DeliverSelf, y.get());
				manager->showScene(next);
				stillChild = scene->getParent() == manager;
			}
			return true;
		}
		std::vector<int>* log;
		SceneManager* manager;
		SceneNode* scene;
		SceneNode* next;
		bool stillChild = false;
	};
	SmartPointer<Poster> poster(new Poster());
	poster->log = &seen;
	poster->manager = manager.get();
	poster->scene = a.get();
	poster->next = b.get();
	manager->postEvent(poster.get(), DeliverSelf, first.get());
	manager->postEvent(poster.get(), DeliverSelf, second.get());
	EXPECT_EQ(manager->getPendingEventCount(), 2);
	manager->drainEvents();
	EXPECT_EQ(seen, (std::vector<int>{1, 4, 3, 2}));
	EXPECT_TRUE(poster->stillChild);
	EXPECT_EQ(a->getParent(), nullptr);
	EXPECT_EQ(stack(), (Names{"B"}));
}
