#include "SceneTestSupport.h"
#include "core/PropertyMakers.h"
#include "core/TaskScheduler.h"
#include "scene/AnimatorSet.h"
#include "scene/KeyFrame.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "scene/SetProps.h"
#include "scene/SetStates.h"

#include <gtest/gtest.h>

namespace
{
// A target node, a scheduler and one action read from the XML of an "Animator" element.
struct ActionFixture
{
	SmartPointer<StateRecorder> node{new StateRecorder()};
	SmartPointer<TaskScheduler> scheduler{new TaskScheduler()};
	SmartPointer<AnimatorSet> set{new AnimatorSet(internStringId("Test"))};
	Base* action = nullptr;

	explicit ActionFixture(const std::string& animatorXml)
	{
		registerSceneClasses();
		const std::string xml = "<State Name=\"Test\">" + animatorXml + "</State>";
		SmartPointer<CXMLReader> reader = readerOn(xml, L"State");
		set->load(reader.get(), nullptr, nullptr, nullptr);
		set->setOwner(node.get());
		action = set->getAnimator(0);
	}

	KeyFrame* keyFrame() const { return asKeyFrame(action); }
	float x() const { return node->getPosition().X; }
	void tick(int times = 1)
	{
		for (int i = 0; i < times; ++i)
			scheduler->update(20);
	}
	// Number of normal and aborted ends the set reported to its owner.
	int ends() const { return node->count(CEventNodeAnimatorEnded::TypeId); }
};

const char* const linearMove = "<Animator Type=\"KeyFrame\" Name=\"Move\"><Properties>"
                               "<vector3d Name=\"Position\" Value=\"0;0;0\"/></Properties>"
                               "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"100\" i=\"0\" Value0=\"100;0;0\"/>"
                               "</Animator>";
} // namespace

TEST(KeyFrameTest, InterpolatesLinearlyAndFinishesAtTheLastKey)
{
	ActionFixture f(linearMove);
	ASSERT_NE(f.keyFrame(), nullptr);
	f.set->start(f.scheduler.get());
	EXPECT_FLOAT_EQ(f.x(), 0.0f);
	const float expected[] = {20.0f, 40.0f, 60.0f, 80.0f, 100.0f};
	for (float value : expected)
	{
		f.tick();
		EXPECT_FLOAT_EQ(f.x(), value);
	}
	EXPECT_EQ(f.ends(), 1);
	EXPECT_EQ(f.keyFrame()->getScheduler(), nullptr);
	EXPECT_EQ(f.keyFrame()->getDuration(), 100);
}

// A loaded key frame list refitted in code: new end value and length; a value of another kind and
// keys out of range change nothing.
TEST(KeyFrameTest, RefittedKeyFramesMoveToTheNewValueInTheNewTime)
{
	ActionFixture f(linearMove);
	f.keyFrame()->setKeyFrameValue(1, 0, *makeVector3dProperty(irr::core::vector3df(-40, 0, 0)));
	f.keyFrame()->setKeyFrameTime(1, 40);
	f.keyFrame()->setKeyFrameValue(1, 0, *makeFloatProperty(5.0f));
	f.keyFrame()->setKeyFrameTime(7, 1000);
	f.keyFrame()->setKeyFrameValue(7, 0, *makeVector3dProperty(irr::core::vector3df()));
	EXPECT_EQ(f.keyFrame()->getDuration(), 40);
	f.set->start(f.scheduler.get());
	f.tick();
	EXPECT_FLOAT_EQ(f.x(), -20.0f);
	f.tick();
	EXPECT_FLOAT_EQ(f.x(), -40.0f);
	EXPECT_EQ(f.ends(), 1);
}

TEST(KeyFrameTest, NonZeroInterpolationReadsAsJump)
{
	ActionFixture f("<Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" Value=\"\"/></Properties>"
	                "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"60\" i=\"1\" Value0=\"60;0;0\"/></Animator>");
	EXPECT_EQ(f.keyFrame()->getKeyFrames()[1].i, -1);
	f.set->start(f.scheduler.get());
	f.tick(2);
	EXPECT_FLOAT_EQ(f.x(), 0.0f);
	f.tick();
	EXPECT_FLOAT_EQ(f.x(), 60.0f);
}

TEST(KeyFrameTest, JumpBackLoopsWithLeftOverTimeAndReportsOnce)
{
	ActionFixture f("<Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" Value=\"\"/></Properties>"
	                "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"100\" i=\"0\" Value0=\"100;0;0\"/>"
	                "<KeyFrame t=\"30\" i=\"0\" g=\"0\" Value0=\"999;0;0\"/></Animator>");
	f.set->start(f.scheduler.get());
	float highest = 0.0f;
	for (int i = 0; i < 6; ++i)
	{
		f.tick();
		highest = std::max(highest, f.x());
	}
	// 120 ms: wrapped after 130? no: 100 + 30 = 130 is the loop length; at 120 we are still before it.
	EXPECT_EQ(f.ends(), 0);
	f.tick();
	// 140 ms: 10 ms into the next round; the jump target's own values never show.
	EXPECT_FLOAT_EQ(f.x(), 10.0f);
	EXPECT_LT(highest, 999.0f);
	EXPECT_EQ(f.ends(), 1);
	EXPECT_FALSE(f.keyFrame()->isRunning());
	f.tick(20);
	EXPECT_EQ(f.ends(), 1);
	EXPECT_NE(f.keyFrame()->getScheduler(), nullptr);
	// Stopping with apply-end shows the last key frame.
	f.set->stop(true);
	EXPECT_FLOAT_EQ(f.x(), 999.0f);
}

TEST(KeyFrameTest, StartAtDurationLandsOnLastKeyAndFinishesOnFirstRun)
{
	ActionFixture f(linearMove);
	KeyFrame* key = f.keyFrame();
	key->start(key->getDuration(), true);
	EXPECT_FLOAT_EQ(f.x(), 100.0f);
	key->runOn(f.scheduler.get());
	f.tick();
	EXPECT_EQ(key->getScheduler(), nullptr);
	EXPECT_FALSE(key->isRunning());
}

TEST(KeyFrameTest, StopKeepsOrJumpsToTheEnd)
{
	struct Case
	{
		bool applyEnd;
		float expected;
	};
	for (const Case& c : {Case{true, 100.0f}, Case{false, 40.0f}})
	{
		ActionFixture f(linearMove);
		f.set->start(f.scheduler.get());
		f.tick(2);
		f.set->stop(c.applyEnd);
		EXPECT_FLOAT_EQ(f.x(), c.expected) << c.applyEnd;
	}
}

TEST(KeyFrameTest, BadJumpsEndTheAnimationInsteadOfLooping)
{
	const char* const cases[] = {
	    // A jump to a key frame that does not exist.
	    "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"20\" g=\"7\" Value0=\"5;0;0\"/>"
	    "<KeyFrame t=\"20\" Value0=\"9;0;0\"/>",
	    "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"20\" g=\"-5\" Value0=\"5;0;0\"/>"
	    "<KeyFrame t=\"20\" Value0=\"9;0;0\"/>",
	    // A loop whose segments take no time.
	    "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"0\" g=\"0\" Value0=\"9;0;0\"/>",
	    "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"0\" g=\"2\" Value0=\"1;0;0\"/>"
	    "<KeyFrame t=\"0\" Value0=\"2;0;0\"/><KeyFrame t=\"0\" g=\"1\" Value0=\"9;0;0\"/>",
	};
	for (const char* keys : cases)
	{
		ActionFixture f(std::string("<Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" Value=\"\"/>"
		                            "</Properties>") +
		                keys + "</Animator>");
		f.set->start(f.scheduler.get());
		f.tick(3);
		EXPECT_EQ(f.keyFrame()->getScheduler(), nullptr) << keys;
		EXPECT_FLOAT_EQ(f.x(), 9.0f) << keys;
	}
}

TEST(KeyFrameTest, LongLoopsWrapWithoutWalkingEveryRound)
{
	ActionFixture f(
	    "<Animator Type=\"KeyFrame\" TimeShift=\"2000000005\"><Properties>"
	    "<vector3d Name=\"Position\" Value=\"\"/></Properties>"
	    "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"10\" i=\"0\" g=\"0\" Value0=\"10;0;0\"/></Animator>");
	f.keyFrame()->start(0, true);
	EXPECT_EQ(f.keyFrame()->getCurrentKey(), 0u);
	EXPECT_EQ(f.keyFrame()->getSegmentTime(), 5u);
	EXPECT_FLOAT_EQ(f.x(), 5.0f);
}

TEST(KeyFrameTest, CloneKeepsEverythingButPlayback)
{
	ActionFixture f(
	    "<Animator Type=\"KeyFrame\" Name=\"Spin\" Period=\"40\" TimeShift=\"15\"><Properties>"
	    "<vector3d Name=\"Rotation\" Value=\"\"/><color Name=\"TintColor\" Value=\"ffffffff\"/></Properties>"
	    "<KeyFrame t=\"0\" Value0=\"0;0;0\" Value1=\"ff000000\"/>"
	    "<KeyFrame t=\"80\" i=\"0\" g=\"0\" Value0=\"0;0;360\" Value1=\"00ffffff\"/></Animator>");
	SmartPointer<Base> copy(f.action->clone());
	XmlOutput a;
	XmlOutput b;
	f.action->save(a.writer.get(), L"Animator");
	copy->save(b.writer.get(), L"Animator");
	EXPECT_EQ(a.bytes(), b.bytes());
	EXPECT_NE(a.text().find("Period=\"40\""), std::string::npos);
	EXPECT_NE(a.text().find("TimeShift=\"15\""), std::string::npos);
	EXPECT_EQ(copy->getName(), internStringId("Spin"));
	EXPECT_EQ(copy->getOwnerSet(), nullptr);
	EXPECT_EQ(copy->getTarget(), nullptr);
}

TEST(KeyFrameTest, KeyFramesBeforePropertiesHaveNoValuesAndAreNotWritten)
{
	ActionFixture f("<Animator Type=\"KeyFrame\"><KeyFrame t=\"10\" Value0=\"1;1;1\"/></Animator>");
	ASSERT_EQ(f.keyFrame()->getKeyFrames().size(), 1u);
	EXPECT_TRUE(f.keyFrame()->getKeyFrames()[0].values.empty());
	XmlOutput out;
	f.action->save(out.writer.get(), L"Animator");
	EXPECT_EQ(out.text().find("<KeyFrame"), std::string::npos);
}

// Key frame attributes read as a lookup by name would: the first of a name counts, a value named
// otherwise than the writer names it is no value, a missing one reads as empty text.
TEST(KeyFrameTest, KeyFrameAttributesReadByName)
{
	const struct
	{
		const char* attributes;
		int t;
		int g;
		int i;
		const char* position;
		const char* tint;
	} cases[] = {
	    {"t=\"5\" t=\"9\" Value0=\"1;2;3\" Value0=\"7;7;7\" Value1=\"ff00ff00\"", 5, -1, -1,
	     "1.000000;2.000000;3.000000", "ff00ff00"},
	    {"Value01=\"9;9;9\" Value00=\"8;8;8\" Value1=\" 8000ff00\" Value2=\"1\"", 0, -1, -1,
	     "0.000000;0.000000;0.000000", "8000ff00"},
	    {"g=\"1\" i=\"0\" t=\"2.9e1\" Value1=\"zz\" value0=\"4\" Value+0=\"4\" Value0x=\"4\"", 29, 1, 0,
	     "0.000000;0.000000;0.000000", "00000000"},
	    {"Value1=\"aB\" i=\"3\" Value0=\"-1\xc3\xa9"
	     "2\" T=\"4\"",
	     0, -1, -1, "-1.000000;2.000000;0.000000", "000000ab"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.attributes);
		ActionFixture f(std::string("<Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" "
		                            "Value=\"5;5;5\"/><color Name=\"TintColor\" Value=\"ffffffff\"/></Properties>"
		                            "<KeyFrame ") +
		                c.attributes + "/></Animator>");
		ASSERT_NE(f.keyFrame(), nullptr);
		ASSERT_EQ(f.keyFrame()->getKeyFrames().size(), 1u);
		const KeyFrame::Record& record = f.keyFrame()->getKeyFrames()[0];
		EXPECT_EQ(record.t, c.t);
		EXPECT_EQ(record.g, c.g);
		EXPECT_EQ(record.i, c.i);
		ASSERT_EQ(record.values.size(), 2u);
		EXPECT_STREQ(record.values[0]->toString().c_str(), c.position);
		EXPECT_STREQ(record.values[1]->toString().c_str(), c.tint);
	}
}

TEST(SetPropsTest, SetsKnownPropertiesAndSkipsUnknownOnes)
{
	ActionFixture f(
	    "<Animator Type=\"SetProps\"><vector3d Name=\"Position\" Value=\"7;8;0\"/>"
	    "<bool Name=\"NoSuchProperty\" Value=\"true\"/><bool Name=\"Visible\" Value=\"false\"/></Animator>");
	ASSERT_EQ(f.action->typeId(), SetProps::TypeId);
	f.set->start(f.scheduler.get());
	EXPECT_FLOAT_EQ(f.x(), 7.0f);
	EXPECT_FALSE(f.node->isVisible());
	// Never reports: the set stays running until stopped.
	f.tick(5);
	EXPECT_TRUE(f.set->isRunning());
}

TEST(SetStatesTest, ReadsEntriesTrimmedAndDropsNamelessOnes)
{
	ActionFixture f("<Animator Type=\"SetStates\"><State Name=\"Open\" Children=\" a ; ;b\"/>"
	                "<State Children=\"c\"/><State Name=\"Close\" Children=\"\"/></Animator>");
	auto* setStates = static_cast<SetStates*>(f.action);
	ASSERT_EQ(setStates->getEntries().size(), 2u);
	const std::vector<StringId> expected = {internStringId("a"), internStringId("b")};
	EXPECT_EQ(setStates->getEntries()[0].children, expected);
	EXPECT_TRUE(setStates->getEntries()[1].children.empty());
	XmlOutput out;
	f.action->save(out.writer.get(), L"Animator");
	EXPECT_NE(out.text().find("<State Name=\"Open\" Children=\"a;b\" />"), std::string::npos) << out.text();
}

TEST(NodeFactoryActionsTest, RegistriesAreSeparate)
{
	registerSceneClasses();
	SmartPointer<Base> action(NodeFactory::instance()->createAction(L"KeyFrame"));
	ASSERT_NE(action.get(), nullptr);
	EXPECT_EQ(action->getPeriod(), 20u);
	EXPECT_EQ(NodeFactory::instance()->createNode(L"KeyFrame", ContentRef()), nullptr);
	EXPECT_EQ(NodeFactory::instance()->createAction(L"BaseNode"), nullptr);
}
