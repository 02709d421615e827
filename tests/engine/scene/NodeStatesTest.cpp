#include "SceneTestSupport.h"
#include "core/TaskScheduler.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"
#include "scene/NodeEvents.h"

#include <gtest/gtest.h>

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

// A "States" element with the given content, read into the node.
void loadStates(BaseNode* node, const std::string& content)
{
	registerSceneClasses();
	SmartPointer<CXMLReader> reader = readerOn("<States>" + content + "</States>", L"States");
	node->loadStates(reader.get());
}

// A state that moves the node right over the given time.
std::string moveState(const char* name, int ms, const char* extra = "")
{
	return std::string("<State Name=\"") + name + "\" " + extra + "><Animator Type=\"KeyFrame\"><Properties>" +
	       "<vector3d Name=\"Position\" Value=\"\"/></Properties><KeyFrame t=\"0\" Value0=\"0;0;0\"/>" +
	       "<KeyFrame t=\"" + std::to_string(ms) + "\" i=\"0\" Value0=\"100;0;0\"/></Animator></State>";
}

const std::string propsOnlyState = "<State Name=\"Flag\"><StartAnimator Type=\"SetProps\">"
                                   "<bool Name=\"Visible\" Value=\"false\"/></StartAnimator>"
                                   "<EndAnimator Type=\"SetProps\"><vector3d Name=\"Position\" Value=\"5;5;0\"/>"
                                   "</EndAnimator></State>";

// A parent recorder with one child (also a recorder), optionally attached to a fake scene.
struct Family
{
	FakeSceneManager manager;
	SmartPointer<StateRecorder> parent{new StateRecorder()};
	SmartPointer<StateRecorder> child{new StateRecorder()};

	explicit Family(bool inScene = true)
	{
		parent->addChild(child.get());
		if (inScene)
			manager.attach(parent.get());
	}
};
} // namespace

TEST(AnimatorSetTest, StartAndEndItemsOnlyFinishAtOnceAndApplyTheEndWhenLeft)
{
	Family f;
	loadStates(f.child.get(), propsOnlyState);
	f.child->setState(id("Flag"), nullptr, StringId());
	EXPECT_FALSE(f.child->isVisible());
	EXPECT_EQ(f.parent->count(CEventNodeStateFinished::TypeId, id("Flag")), 1);
	EXPECT_FLOAT_EQ(f.child->getPosition().X, 0.0f);
	f.child->stopState(id("Flag"), false);
	EXPECT_FLOAT_EQ(f.child->getPosition().X, 5.0f);
	// Stopping a finished set reports nothing more.
	EXPECT_EQ(f.parent->count(CEventNodeStateFinished::TypeId), 1);
}

TEST(AnimatorSetTest, WithoutSceneStartValuesApplyAndTheStateEndsNormally)
{
	Family f(false);
	loadStates(f.child.get(), moveState("Go", 100, "NextState=\"Flag\"") + propsOnlyState);
	f.child->setState(id("Go"), nullptr, StringId());
	// Finished at once, not aborted: the next state was entered.
	EXPECT_EQ(f.parent->count(CEventNodeStateFinished::TypeId, id("Go")), 1);
	EXPECT_EQ(f.parent->count(CEventNodeStateFinished::TypeId, id("Flag")), 1);
	EXPECT_FALSE(f.child->isVisible());
}

TEST(AnimatorSetTest, LoopingStateFinishesAtFirstWrapAndAppliesEndOnlyWhenStopped)
{
	Family f;
	loadStates(f.child.get(),
	           "<State Name=\"Pulse\"><Animator Type=\"KeyFrame\"><Properties>"
	           "<vector3d Name=\"Position\" Value=\"\"/></Properties><KeyFrame t=\"0\" Value0=\"0;0;0\"/>"
	           "<KeyFrame t=\"40\" i=\"0\" g=\"0\" Value0=\"40;0;0\"/></Animator>"
	           "<EndAnimator Type=\"SetProps\"><bool Name=\"Visible\" Value=\"false\"/></EndAnimator>"
	           "</State>");
	f.child->setState(id("Pulse"), nullptr, StringId());
	f.manager.tick(3);
	AnimatorSet* set = f.child->findState(id("Pulse"));
	EXPECT_EQ(f.parent->count(CEventNodeStateFinished::TypeId, id("Pulse")), 1);
	EXPECT_FALSE(set->isEndApplied());
	EXPECT_TRUE(f.child->isVisible());
	f.manager.tick(5);
	EXPECT_EQ(f.parent->count(CEventNodeStateFinished::TypeId, id("Pulse")), 1);
	f.child->stopAllStates(false);
	EXPECT_FALSE(f.child->isVisible());
}

TEST(AnimatorSetTest, FirstStateOfANameWinsAndIndexingStopsAtTheCount)
{
	StateRecorder node;
	node.grab();
	loadStates(&node, moveState("Twin", 100) + "<State Name=\"Twin\"/>");
	ASSERT_EQ(node.getStates().size(), 1u);
	AnimatorSet* set = node.findState(id("Twin"));
	EXPECT_EQ(set->getAnimatorCount(), 1u);
	EXPECT_NE(set->getAnimator(0), nullptr);
	EXPECT_EQ(set->getAnimator(1), nullptr);
	EXPECT_EQ(set->getOwner(), &node);
}

TEST(NodeStateSwitchingTest, MissingStatesReportStartAndFinishWithTheRequestedName)
{
	Family f;
	const StringId press = id("Press");
	f.child->setState(press, nullptr, StringId());
	EXPECT_EQ(f.parent->ids(), (std::vector<int>{68, 70}));
	f.parent->clearLog();
	// "Press" falls back to "Focus" then "Normal", none present: still reported as "Press".
	auto fallback = [](StringId s) -> StringId
	{
		if (s == internStringId("Press"))
			return internStringId("Focus");
		if (s == internStringId("Focus"))
			return internStringId("Normal");
		return StringId();
	};
	f.child->setState(press, fallback, StringId());
	EXPECT_EQ(f.parent->count(70, press), 1);
	EXPECT_EQ(f.parent->count(68, press), 1);
}

TEST(NodeStateSwitchingTest, FallbackStateRunsUnderTheRequestedName)
{
	Family f;
	loadStates(f.child.get(), moveState("Normal", 40));
	f.child->setState(
	    id("Focus"), [](StringId) { return internStringId("Normal"); }, StringId());
	f.manager.tick(2);
	EXPECT_EQ(f.parent->count(70, id("Focus")), 1);
	EXPECT_EQ(f.parent->count(70, id("Normal")), 0);
}

TEST(NodeStateSwitchingTest, ChildrenStateWithoutChildrenFinishesOnTheNodeItself)
{
	SmartPointer<StateRecorder> node(new StateRecorder());
	node->setChildrenState(id("NavTo"), nullptr);
	EXPECT_EQ(node->ids(), (std::vector<int>{72, 74}));
}

TEST(NodeStateSwitchingTest, NextStateFollowsANormalEndOnly)
{
	struct Case
	{
		const char* name;
		bool interrupt;
		bool expectNext;
	};
	for (const Case& c : {Case{"normal end", false, true}, Case{"interrupted", true, false}})
	{
		Family f;
		loadStates(f.child.get(),
		           moveState("Open", 40, "NextState=\"Idle\"") + moveState("Idle", 400) + moveState("Other", 400));
		f.child->setState(id("Open"), nullptr, StringId());
		f.manager.tick(1);
		if (c.interrupt)
		{
			f.child->setState(id("Other"), nullptr, StringId());
			// The interrupted state is reported finished before the new one runs.
			EXPECT_EQ(f.parent->count(70, id("Open")), 1) << c.name;
		}
		f.manager.tick(3);
		EXPECT_EQ(f.parent->count(70, id("Open")), 1) << c.name;
		AnimatorSet* idle = f.child->findState(id("Idle"));
		EXPECT_EQ(f.child->getRunningState() == idle, c.expectNext) << c.name;
	}
}

TEST(NodeStateSwitchingTest, ParentHandlingTheFinishStopsTheChain)
{
	// A parent that claims every finished state.
	class Claimer : public StateRecorder
	{
	public:
		bool onStateFinished(CEventNodeStateFinished*) override { return true; }
	};
	FakeSceneManager manager;
	SmartPointer<Claimer> parent(new Claimer());
	SmartPointer<StateRecorder> child(new StateRecorder());
	parent->addChild(child.get());
	manager.attach(parent.get());
	loadStates(child.get(), moveState("Open", 20, "NextState=\"Idle\"") + moveState("Idle", 400));
	child->setState(id("Open"), nullptr, StringId());
	manager.tick(2);
	EXPECT_NE(child->getRunningState(), child->findState(id("Idle")));
}

TEST(NodeStateSwitchingTest, ChildrenStateCountsEveryParticipant)
{
	FakeSceneManager manager;
	SmartPointer<StateRecorder> parent(new StateRecorder());
	for (int ms : {40, 100, 0})
	{
		SmartPointer<StateRecorder> child(new StateRecorder());
		if (ms > 0)
			loadStates(child.get(), moveState("NavTo", ms));
		parent->addChild(child.get());
	}
	manager.attach(parent.get());
	parent->setChildrenState(id("NavTo"), nullptr);
	EXPECT_EQ(parent->count(72), 1);
	manager.tick(3);
	EXPECT_EQ(parent->count(74), 0);
	manager.tick(2);
	EXPECT_EQ(parent->count(74, id("NavTo")), 1);
	// The unhandled 74 went on to the scene root.
	EXPECT_EQ(manager.scene->count(74, id("NavTo")), 1);
}

TEST(NodeStateSwitchingTest, RestartingARunningChildrenStateWaitsForTheRestart)
{
	FakeSceneManager manager;
	SmartPointer<StateRecorder> parent(new StateRecorder());
	for (int ms : {100, 60})
	{
		SmartPointer<StateRecorder> child(new StateRecorder());
		loadStates(child.get(), moveState("Show", ms));
		parent->addChild(child.get());
	}
	manager.attach(parent.get());
	parent->setChildrenState(id("Show"), nullptr);
	manager.tick(2);
	parent->setChildrenState(id("Show"), nullptr);
	EXPECT_EQ(parent->count(74), 0);
	EXPECT_EQ(parent->getChildrenStateCount(id("Show")), 2);
	manager.tick(3);
	EXPECT_EQ(parent->count(74), 0);
	manager.tick(2);
	EXPECT_EQ(parent->count(74, id("Show")), 1);
}

TEST(NodeStateSwitchingTest, DefaultStateIsEnteredByClonesAndOnAttach)
{
	SmartPointer<StateRecorder> node(new StateRecorder());
	loadStates(node.get(), "<Properties><string Name=\"DefaultState\" Value=\"Flag\"/></Properties>" + propsOnlyState);
	EXPECT_EQ(node->getDefaultState(), id("Flag"));
	EXPECT_TRUE(node->isVisible());
	SmartPointer<BaseNode> copy(node->clone());
	EXPECT_FALSE(copy->isVisible());
	FakeSceneManager manager;
	manager.attach(node.get());
	EXPECT_FALSE(node->isVisible());
}
