#include "nodes/SoundNode.h"

#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "core/CPropertyCollection.h"
#include "core/PropertyMakers.h"
#include "core/SmartPointer.h"
#include "device/CDeviceStub.h"
#include "engine/audio/FakeSound.h"
#include "scene/NodeEventQueue.h"
#include "scene/NodeFactory.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

namespace
{
constexpr int EffectsGroup = 0;
constexpr int MusicGroup = 1;

// A device with its sound manager, cues of fake sounds and a scene queue for the nodes.
class SoundNodeTest : public ::testing::Test
{
protected:
	SoundNodeTest()
	{
		device = new CDeviceStub();
		addCue("Click", EffectsGroup, false);
		addCue("Music", MusicGroup, true);
		addCue("Other", EffectsGroup, false);
	}

	~SoundNodeTest() override
	{
		device->drop();
		Singleton<IDevice>::allowRecreation();
	}

	CSoundManager* sounds() const { return device->getSoundManager(); }

	void addCue(const char* name, int group, bool loop)
	{
		SmartPointer<CSoundCue> cue(new CSoundCue(internStringId(name)));
		cue->setGroupID(group);
		cue->setLoop(loop);
		SmartPointer<FakeSound> sound(new FakeSound(name, &played));
		cue->addVariant(sound.get());
		sounds()->registerCue(cue.get());
	}

	// A node attached to the test scene queue (shown), playing the cue.
	SmartPointer<SoundNode> makeNode(const char* cue, bool shown = true)
	{
		SmartPointer<SoundNode> node(new SoundNode(ContentRef(), nullptr, shown ? &queue : nullptr));
		node->setSoundCueName(internStringId(cue));
		return node;
	}

	static void frame(BaseNode* node)
	{
		RenderList list;
		node->addToRenderList(list);
	}

	static FakeSound* variantOf(CSoundCue* instance)
	{
		return instance ? static_cast<FakeSound*>(instance->getCurrentVariant()) : nullptr;
	}

	size_t instanceCount() const { return sounds()->getInstances().size(); }

	CDeviceStub* device = nullptr;
	NodeEventQueue queue;
	std::vector<std::string> played;
};

TEST_F(SoundNodeTest, TypeIdentityAndFactoryName)
{
	SmartPointer<SoundNode> node(new SoundNode());
	EXPECT_EQ(irr::core::stringw(L"SoundNode"), node->getTypeName());
	EXPECT_EQ(18, node->typeId());
	EXPECT_TRUE(node->isKindOf(18));
	EXPECT_TRUE(node->isKindOf(0));
	EXPECT_FALSE(node->isKindOf(5));

	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"SoundNode", ContentRef()));
	EXPECT_NE(nullptr, nodeCast<SoundNode>(made.get()));
}

TEST_F(SoundNodeTest, ShownNodeStartsItsCueOnceAndKeepsTheInstance)
{
	SmartPointer<SoundNode> node = makeNode("Click");
	ASSERT_NE(nullptr, node->getInstance());
	EXPECT_TRUE(node->isApplied());
	EXPECT_TRUE(node->isPlaying());
	EXPECT_TRUE(propertyAsBool(node->getPropertyByName("Play").get()));

	frame(node.get());
	frame(node.get());
	EXPECT_EQ(std::vector<std::string>{"Click"}, played) << "frames do not restart an applied node";
	EXPECT_EQ(1u, instanceCount());
}

TEST_F(SoundNodeTest, NothingPlaysOutsideAShownScene)
{
	SmartPointer<SoundNode> loose = makeNode("Click", false);
	frame(loose.get());
	EXPECT_EQ(nullptr, loose->getInstance());

	SmartPointer<SoundNode> hidden(new SoundNode(ContentRef(), nullptr, &queue));
	hidden->setVisible(false);
	hidden->setSoundCueName(internStringId("Click"));
	frame(hidden.get());
	EXPECT_TRUE(played.empty());

	hidden->setVisible(true);
	frame(hidden.get());
	EXPECT_TRUE(hidden->isPlaying());
}

TEST_F(SoundNodeTest, ClearingPlayStopsAndSettingItRestartsFromTheBeginning)
{
	SmartPointer<SoundNode> node = makeNode("Click");
	SmartPointer<CSoundCue> first = shareRef(node->getInstance());
	FakeSound* firstSound = variantOf(first.get());

	node->setPlay(false);
	EXPECT_EQ(first.get(), node->getInstance()) << "a stopped instance is kept";
	EXPECT_EQ(0, first->getState());
	EXPECT_EQ(0, firstSound->state);
	EXPECT_FALSE(node->getPlay());
	EXPECT_FALSE(node->isPlaying());

	node->setPlay(true);
	EXPECT_NE(first.get(), node->getInstance());
	EXPECT_TRUE(node->isPlaying());

	// Setting it again while playing stops the old instance at once.
	SmartPointer<CSoundCue> second = shareRef(node->getInstance());
	node->setPropertyByName("Play", makeBoolValue(true));
	EXPECT_EQ(0, second->getState());
	EXPECT_NE(second.get(), node->getInstance());
	EXPECT_EQ(3u, played.size());
}

TEST_F(SoundNodeTest, ChangingTheCueStopsTheOldInstanceAtOnce)
{
	sounds()->getGroupSettings(EffectsGroup).fadeOutMs = 1000;
	SmartPointer<SoundNode> node = makeNode("Click");
	SmartPointer<CSoundCue> old = shareRef(node->getInstance());
	node->setPropertyByName("SoundCueName", makeStringValue("Other"));
	EXPECT_EQ(0, old->getState()) << "no fade for a replaced cue";
	ASSERT_NE(nullptr, node->getInstance());
	EXPECT_EQ(internStringId("Other"), node->getInstance()->getName());
}

TEST_F(SoundNodeTest, RefusedCueIsTriedAgainEveryFrameUntilItPlays)
{
	sounds()->setGroupVolume(0.0f, MusicGroup);
	SmartPointer<SoundNode> node = makeNode("Music");
	frame(node.get());
	EXPECT_EQ(nullptr, node->getInstance());
	EXPECT_FALSE(node->isApplied());

	sounds()->setGroupVolume(0.5f, MusicGroup);
	frame(node.get());
	EXPECT_TRUE(node->isPlaying());

	SmartPointer<SoundNode> unknown = makeNode("NoSuchCue");
	frame(unknown.get());
	EXPECT_FALSE(unknown->isApplied());
}

TEST_F(SoundNodeTest, FinishedOneShotIsNotStartedAgain)
{
	SmartPointer<SoundNode> node = makeNode("Click");
	variantOf(node->getInstance())->finish();
	sounds()->update(10);
	EXPECT_EQ(0u, instanceCount());
	frame(node.get());
	EXPECT_TRUE(node->isApplied());
	EXPECT_FALSE(node->isPlaying());
	EXPECT_EQ(1u, played.size());
}

TEST_F(SoundNodeTest, HidingNeitherStopsNorRestarts)
{
	SmartPointer<SoundNode> node = makeNode("Music");
	CSoundCue* instance = node->getInstance();
	node->setVisible(false);
	frame(node.get());
	node->setVisible(true);
	frame(node.get());
	EXPECT_EQ(instance, node->getInstance());
	EXPECT_TRUE(node->isPlaying());
	EXPECT_EQ(1u, played.size());
}

TEST_F(SoundNodeTest, DestroyedNodeStopsItsLoopButLetsAOneShotFinish)
{
	struct Case
	{
		const char* cue;
		int fadeOutMs;
		bool stillPlayingAfterDestruction;
	};
	const Case cases[] = {
	    {"Music", 0, false},
	    {"Music", 500, true}, // fades out with its group's fade-out
	    {"Click", 0, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(std::string(c.cue) + " fade " + std::to_string(c.fadeOutMs));
		sounds()->stopGroup(-1);
		sounds()->update(0);
		sounds()->getGroupSettings(MusicGroup).fadeOutMs = c.fadeOutMs;
		SmartPointer<SoundNode> node = makeNode(c.cue);
		SmartPointer<CSoundCue> instance = shareRef(node->getInstance());
		ASSERT_TRUE(instance);
		node = nullptr;

		EXPECT_EQ(c.stillPlayingAfterDestruction, instance->getState() == 2);
		sounds()->update(c.fadeOutMs);
		const bool loops = instance->getLoop();
		EXPECT_EQ(loops, instanceCount() == 0) << "a loop is retired, a one-shot plays on";
	}
}

TEST_F(SoundNodeTest, PropertiesWriteOnlyWhatIsSetAndReadPlayBeforeTheCue)
{
	SmartPointer<SoundNode> bare(new SoundNode());
	CPropertyCollection written;
	bare->writeProperties(written);
	EXPECT_EQ(-1, written.indexOf("SoundCueName"));
	ASSERT_GE(written.indexOf("Play"), 0);
	EXPECT_TRUE(propertyAsBool(written.get("Play").get()));

	CPropertyCollection input;
	input.addString("SoundCueName", "Music");
	input.addBool("Play", false);
	SmartPointer<SoundNode> node(new SoundNode(ContentRef(), nullptr, &queue));
	node->readProperties(input);
	EXPECT_EQ(internStringId("Music"), node->getSoundCueName());
	EXPECT_FALSE(node->getPlay());
	EXPECT_TRUE(played.empty()) << "Play is read first, so the cue never starts";

	CPropertyCollection output;
	node->writeProperties(output);
	EXPECT_STREQ("Music", propertyAsText(output.get("SoundCueName").get()).c_str());
	EXPECT_FALSE(propertyAsBool(output.get("Play").get()));

	// A value that is not a bool counts as false.
	SmartPointer<SoundNode> other = makeNode("Click");
	other->setPropertyByName("Play", makeIntValue(1));
	EXPECT_FALSE(other->getPlay());
	EXPECT_FALSE(other->isPlaying());
}

TEST_F(SoundNodeTest, CloneCopiesCueAndFlagAndStartsItsOwnInstance)
{
	SmartPointer<SoundNode> node = makeNode("Click");
	SmartPointer<BaseNode> copy(node->clone());
	SoundNode* clone = nodeCast<SoundNode>(copy.get());
	ASSERT_NE(nullptr, clone);
	EXPECT_EQ(node->getSoundCueName(), clone->getSoundCueName());
	EXPECT_TRUE(clone->getPlay());
	EXPECT_EQ(nullptr, clone->getInstance());
	EXPECT_FALSE(clone->isApplied());

	frame(clone);
	ASSERT_NE(nullptr, clone->getInstance());
	EXPECT_NE(node->getInstance(), clone->getInstance());
	EXPECT_EQ(2u, instanceCount());
}

TEST_F(SoundNodeTest, AnInvisibleNodeDoesNotVisitItsChildren)
{
	sounds()->setGroupVolume(0.0f, EffectsGroup);
	SmartPointer<SoundNode> parentNode(new SoundNode(ContentRef(), nullptr, &queue));
	SoundNode* child = new SoundNode(ContentRef(), parentNode.get(), &queue);
	child->drop(); // the parent holds it
	child->setSoundCueName(internStringId("Click"));
	ASSERT_FALSE(child->isApplied());

	sounds()->setGroupVolume(1.0f, EffectsGroup);
	parentNode->setVisible(false);
	frame(parentNode.get());
	EXPECT_FALSE(child->isApplied());

	parentNode->setVisible(true);
	frame(parentNode.get());
	EXPECT_TRUE(child->isPlaying());
}
} // namespace
