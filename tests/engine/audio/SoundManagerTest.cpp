#include "FakeSound.h"
#include "audio/CNullAudioDevice.h"
#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "audio/SoundEvents.h"
#include "audio/SoundPack.h"
#include "core/DeviceEvents.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
FakeSound* variantOf(CSoundCue* instance)
{
	return static_cast<FakeSound*>(instance ? instance->getCurrentVariant() : nullptr);
}

class SoundManagerTest : public ::testing::Test
{
protected:
	SoundManagerTest() : manager(new CSoundManager()) {}

	// Registers a cue with one fake variant per label.
	CSoundCue* addCue(const char* name, int group, std::initializer_list<const char*> labels, bool loop = false,
	                  float vol = 1.0f)
	{
		SmartPointer<CSoundCue> cue(new CSoundCue(internStringId(name)));
		cue->setGroupID(group);
		cue->setLoop(loop);
		cue->setVol(vol);
		for (const char* label : labels)
		{
			SmartPointer<FakeSound> sound(new FakeSound(label, &journal));
			cue->addVariant(sound.get());
		}
		EXPECT_TRUE(manager->registerCue(cue.get()));
		return cue.get();
	}

	CSoundCue* play(const char* name, bool onlyIfNotPlaying = false, int fadeInMs = 0)
	{
		return manager->playCue(internStringId(name), onlyIfNotPlaying, fadeInMs);
	}

	void tick(int ms)
	{
		SmartPointer<CEventSystemFlowUpdate> event(new CEventSystemFlowUpdate(ms));
		EXPECT_FALSE(manager->onEvent(event.get()));
	}

	void configureLikeTheGame()
	{
		manager->getGroupSettings(0) = {1, 1000, 0, 8, 1.0f, false};
		manager->getGroupSettings(1) = {1, 1000, 2000, 1, 1.0f, false};
		manager->getGroupSettings(2) = {1, 1000, 0, 16, 1.0f, false};
	}

	std::vector<std::string> journal;
	SmartPointer<CSoundManager> manager;
};

// Records the finished events a cue instance receives and can act on the manager from inside them.
class FinishListener : public EventReceiver
{
public:
	bool onEvent(CEvent* event) override
	{
		if (auto* finished = eventCast<CEventSoundFinished>(event))
		{
			++count;
			lastCue = finished->cue;
			if (action)
				action();
		}
		return false;
	}
	int count = 0;
	CSoundCue* lastCue = nullptr;
	std::function<void()> action;
};
} // namespace

TEST(SoundEvents, FinishedEventIdentity)
{
	SmartPointer<CEventSoundFinished> event(new CEventSoundFinished(nullptr));
	EXPECT_EQ(78, event->typeId());
	EXPECT_TRUE(event->isKindOf(8));
	EXPECT_TRUE(event->isKindOf(0));
	EXPECT_FALSE(event->isKindOf(13));
	EXPECT_EQ(0x40u, event->mask);
}

TEST_F(SoundManagerTest, TakesAndDropsTheAudioDeviceFromDeviceEvents)
{
	SmartPointer<CNullAudioDevice> device(createNullAudioDevice());
	SmartPointer<CEventDeviceAudioDriverCreated> created(new CEventDeviceAudioDriverCreated(device.get()));
	EXPECT_FALSE(manager->onEvent(created.get()));
	EXPECT_EQ(device.get(), manager->getAudioDevice());
	EXPECT_EQ(2, device->getReferenceCount());

	struct Released : CEvent
	{
		int typeId() const override { return EventIdDeviceAudioDriverReleased; }
	};
	SmartPointer<Released> released(new Released());
	EXPECT_FALSE(manager->onEvent(released.get()));
	EXPECT_EQ(nullptr, manager->getAudioDevice());
	EXPECT_EQ(1, device->getReferenceCount());
}

TEST_F(SoundManagerTest, RegistersEachNameOnce)
{
	CSoundCue* first = addCue("click", 0, {"a"});
	SmartPointer<CSoundCue> second(new CSoundCue(internStringId("click")));
	EXPECT_FALSE(manager->registerCue(second.get()));
	EXPECT_EQ(first, manager->getCue(internStringId("click")));
	EXPECT_EQ(manager.get(), first->getOwner());
}

TEST_F(SoundManagerTest, PlayMakesAnInstanceThatRetiresWhenItsSoundEnds)
{
	addCue("click", 0, {"a"});
	EXPECT_EQ(nullptr, play("unknown"));
	CSoundCue* instance = play("click");
	ASSERT_NE(nullptr, instance);
	EXPECT_EQ(2, instance->getState());
	EXPECT_TRUE(manager->isCuePlaying(internStringId("click")));
	EXPECT_EQ(nullptr, play("click", true));

	FinishListener listener;
	instance->postListeners.push_back(&listener);
	tick(10);
	EXPECT_EQ(0, listener.count);
	variantOf(instance)->finish();
	tick(10);
	EXPECT_EQ(1, listener.count);
	EXPECT_FALSE(manager->isCuePlaying(internStringId("click")));
}

TEST_F(SoundManagerTest, GroupLimitPolicies)
{
	addCue("refused", 3, {"a"});
	manager->getGroupSettings(3) = {0, 0, 0, 2, 1.0f, false};
	EXPECT_NE(nullptr, play("refused"));
	EXPECT_NE(nullptr, play("refused"));
	EXPECT_EQ(nullptr, play("refused"));

	addCue("fading", 4, {"a"});
	manager->getGroupSettings(4) = {1, 300, 0, 1, 1.0f, false};
	CSoundCue* old = play("fading");
	CSoundCue* fresh = play("fading");
	ASSERT_NE(nullptr, fresh);
	EXPECT_EQ(CSoundCue::FadeOut, old->getFadeState());
	EXPECT_EQ(CSoundCue::FadeNone, fresh->getFadeState());

	addCue("admitted", 5, {"a"});
	manager->getGroupSettings(5) = {7, 0, 0, 1, 1.0f, false};
	EXPECT_NE(nullptr, play("admitted"));
	EXPECT_NE(nullptr, play("admitted"));
}

// At the limit a paused instance keeps its place, while one stopped at once and not yet retired
// neither counts nor is chosen as the oldest to fade out.
TEST_F(SoundManagerTest, GroupLimitCountsPausedInstancesNotStoppedOnes)
{
	addCue("refused", 3, {"a"});
	manager->getGroupSettings(3) = {0, 0, 0, 2, 1.0f, false};
	CSoundCue* paused = play("refused");
	ASSERT_NE(nullptr, play("refused"));
	paused->setPaused(true);
	ASSERT_EQ(1, paused->getState());
	EXPECT_EQ(nullptr, play("refused"));
	paused->stop(0);
	ASSERT_EQ(0, paused->getState());
	EXPECT_NE(nullptr, play("refused"));
	EXPECT_EQ(nullptr, play("refused"));

	addCue("fading", 4, {"a"});
	manager->getGroupSettings(4) = {1, 300, 0, 1, 1.0f, false};
	CSoundCue* stopped = play("fading");
	stopped->stop(0);
	CSoundCue* pausedOldest = play("fading");
	ASSERT_NE(nullptr, pausedOldest);
	EXPECT_EQ(CSoundCue::FadeNone, pausedOldest->getFadeState());
	pausedOldest->setPaused(true);
	CSoundCue* fresh = play("fading");
	ASSERT_NE(nullptr, fresh);
	EXPECT_EQ(CSoundCue::FadeOut, pausedOldest->getFadeState());
	EXPECT_EQ(CSoundCue::FadeNone, fresh->getFadeState());
}

TEST_F(SoundManagerTest, NewMusicFadesInWhileTheOldFadesOut)
{
	configureLikeTheGame();
	addCue("music", 1, {"m"}, true);
	SmartPointer<CSoundCue> first = shareRef(play("music"));
	ASSERT_TRUE(first);
	// The group's fade-in applies when none is given.
	EXPECT_EQ(CSoundCue::FadeIn, first->getFadeState());
	tick(2000);
	tick(10);
	EXPECT_FLOAT_EQ(1.0f, variantOf(first.get())->volume);

	SmartPointer<CSoundCue> second = shareRef(play("music"));
	ASSERT_TRUE(second);
	EXPECT_EQ(CSoundCue::FadeOut, first->getFadeState());
	tick(500);
	EXPECT_NEAR(0.5f, variantOf(first.get())->volume, 1e-4);
	EXPECT_NEAR(0.25f, variantOf(second.get())->volume, 1e-4);
	// A third play: the fading one no longer counts, the fading-in one is faded out.
	tick(500);
	EXPECT_EQ(0, first->getState());
	EXPECT_EQ(2, second->getState());
	tick(10);
	EXPECT_EQ(1u, manager->getInstances().size());
}

TEST_F(SoundManagerTest, StopDuringFadeInStartsTheFadeOutAtTheLevelReached)
{
	configureLikeTheGame();
	addCue("music", 1, {"m"}, true);
	CSoundCue* instance = play("music");
	tick(1000);
	manager->stopCue(internStringId("music"));
	EXPECT_EQ(CSoundCue::FadeOut, instance->getFadeState());
	EXPECT_EQ(500, instance->getFadeElapsed());
	EXPECT_EQ(1000, instance->getFadeDuration());
	tick(250);
	EXPECT_NEAR(0.25f, variantOf(instance)->volume, 1e-4);
}

TEST_F(SoundManagerTest, StopCueSkipsAnInstanceAlreadyFadingOut)
{
	configureLikeTheGame();
	addCue("music", 1, {"m"}, true);
	SmartPointer<CSoundCue> old = shareRef(play("music", false, -1));
	SmartPointer<CSoundCue> current = shareRef(play("music", false, -1));
	ASSERT_EQ(CSoundCue::FadeOut, old->getFadeState());
	manager->stopCue(internStringId("music"), -1);
	EXPECT_EQ(0, current->getState());
}

TEST_F(SoundManagerTest, GroupVolumeScalesCuesAndZeroRefusesNewOnes)
{
	addCue("music", 1, {"m"}, false, 0.5f);
	CSoundCue* instance = play("music");
	manager->setGroupVolume(0.5f, -1);
	EXPECT_FLOAT_EQ(0.25f, variantOf(instance)->volume);
	manager->setGroupVolume(0.5f, 1);
	EXPECT_FLOAT_EQ(0.125f, instance->getEffectiveVolume());
	EXPECT_FLOAT_EQ(0.125f, manager->getCue(internStringId("music"))->getEffectiveVolume());

	manager->setGroupVolume(0.0f, 1);
	EXPECT_FLOAT_EQ(0.0f, variantOf(instance)->volume);
	EXPECT_EQ(2, instance->getState());
	EXPECT_EQ(nullptr, play("music"));
}

TEST_F(SoundManagerTest, PausedGroupAlsoPausesLaterInstances)
{
	addCue("music", 1, {"m"});
	addCue("click", 0, {"c"});
	CSoundCue* before = play("music");
	manager->setGroupPaused(true, 1);
	EXPECT_EQ(1, before->getState());
	CSoundCue* later = play("music");
	EXPECT_EQ(1, later->getState());
	CSoundCue* click = play("click");
	EXPECT_EQ(2, click->getState());

	manager->setGroupPaused(true, -1);
	EXPECT_EQ(1, click->getState());
	EXPECT_FALSE(manager->getGroupSettings(-1).paused);
	manager->setGroupPaused(false, -1);
	EXPECT_EQ(2, later->getState());
}

TEST_F(SoundManagerTest, StopGroupStopsAtOnce)
{
	configureLikeTheGame();
	addCue("a", 0, {"a"});
	addCue("b", 2, {"b"});
	SmartPointer<CSoundCue> a = shareRef(play("a"));
	SmartPointer<CSoundCue> b = shareRef(play("b"));
	manager->stopGroup(0);
	EXPECT_EQ(0, a->getState());
	EXPECT_EQ(2, b->getState());
	manager->stopGroup(-1);
	EXPECT_EQ(0, b->getState());
}

TEST_F(SoundManagerTest, LoopingCueAlternatesItsVariants)
{
	addCue("steps", 0, {"A", "B"}, true);
	CSoundCue* instance = play("steps");
	for (int i = 0; i < 6; ++i)
	{
		variantOf(instance)->finish();
		tick(10);
	}
	ASSERT_EQ(7u, journal.size());
	for (size_t i = 1; i < journal.size(); ++i)
		EXPECT_NE(journal[i - 1], journal[i]);
}

TEST_F(SoundManagerTest, LoopingCueNeverRepeatsTheVariantThatJustEnded)
{
	addCue("steps", 0, {"A", "B", "C"}, true);
	CSoundCue* instance = play("steps");
	std::map<std::string, int> after;
	for (int i = 0; i < 300; ++i)
	{
		const std::string ended = variantOf(instance)->label;
		variantOf(instance)->finish();
		tick(10);
		ASSERT_NE(ended, variantOf(instance)->label);
		if (ended == "A")
			++after[variantOf(instance)->label];
	}
	EXPECT_GT(after["B"], 20);
	EXPECT_GT(after["C"], 20);
}

TEST_F(SoundManagerTest, SingleVariantLoopsByItself)
{
	CSoundCue* cue = addCue("hum", 0, {"h"}, true);
	CSoundCue* instance = play("hum");
	EXPECT_TRUE(variantOf(instance)->looping);
	EXPECT_FALSE(static_cast<FakeSound*>(cue->getVariants()[0].get())->looping);
}

TEST_F(SoundManagerTest, CueWithoutPlayableVariantsDoesNotPlay)
{
	addCue("empty", 0, {});
	EXPECT_EQ(nullptr, play("empty"));
	CSoundCue* broken = addCue("broken", 0, {"x"});
	static_cast<FakeSound*>(broken->getVariants()[0].get())->playable = false;
	EXPECT_EQ(nullptr, play("broken"));
	EXPECT_TRUE(manager->getInstances().empty());
}

TEST_F(SoundManagerTest, FinishedHandlerMayPlayAndStopCuesDuringTheUpdate)
{
	addCue("a", 0, {"a"});
	addCue("b", 0, {"b"});
	addCue("c", 0, {"c"});
	CSoundCue* a = play("a");
	CSoundCue* b = play("b");
	SmartPointer<CSoundCue> c = shareRef(play("c"));

	FinishListener listener;
	CSoundCue* replay = nullptr;
	listener.action = [&] {
		replay = play("a");
		manager->stopCue(internStringId("c"), -1);
		manager->stopGroup(5);
	};
	a->postListeners.push_back(&listener);
	variantOf(a)->finish();
	variantOf(b)->finish();
	tick(10);

	EXPECT_EQ(1, listener.count);
	ASSERT_NE(nullptr, replay);
	// b retired in the same pass, and so did c, stopped by the handler before its turn came.
	EXPECT_EQ(0, c->getState());
	ASSERT_EQ(1u, manager->getInstances().size());
	EXPECT_EQ(replay, manager->getInstances()[0].get());
}

TEST_F(SoundManagerTest, SoundPackRegistersItsCuesInFileOrder)
{
	SmartPointer<SoundPack> pack(new SoundPack());
	SmartPointer<CSoundCue> one(new CSoundCue(internStringId("one")));
	SmartPointer<CSoundCue> dup(new CSoundCue(internStringId("one")));
	SmartPointer<CSoundCue> two(new CSoundCue(internStringId("two")));
	pack->addCue(one.get());
	pack->addCue(dup.get());
	pack->addCue(two.get());
	pack->registerCues(manager.get());
	EXPECT_EQ(one.get(), manager->getCue(internStringId("one")));
	EXPECT_EQ(two.get(), manager->getCue(internStringId("two")));
	EXPECT_EQ(SoundPackContentType, pack->getContentType());
}
