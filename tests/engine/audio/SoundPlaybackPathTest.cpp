#include "AudioTestSupport.h"
#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "audio/IAudioDevice.h"
#include "audio/SoundEvents.h"
#include "audio/SoundPack.h"
#include "content/CContentManager.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"
#include "core/Thread.h"
#include "device/CDeviceStub.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
// Counts the finished events offered to the cue instance it listens to.
class FinishedCounter : public EventReceiver
{
public:
	bool onEvent(CEvent* event) override
	{
		if (auto* finished = eventCast<CEventSoundFinished>(event))
		{
			++count;
			cue = finished->cue;
		}
		return false;
	}
	int count = 0;
	CSoundCue* cue = nullptr;
};

// From the device's OpenAL output to a finished cue: the content manager loads the pack,
// the sound manager plays its cue on the device's update events.
TEST(SoundPlaybackPath, PackCuePlayedThroughTheDeviceFinishes)
{
	setenv("ALSOFT_DRIVERS", "null", 0);
	TempDir dir;
	WavSpec shortSound;
	shortSound.frames = 2205; // a tenth of a second
	const std::vector<uint8_t> wav = makeWav(shortSound);
	dir.write("sounds/blip.wav", std::string(wav.begin(), wav.end()));
	const std::string packName = dir.write("sounds/SoundPack.xml", "<SoundPack>\n"
	                                                               "\t<SoundCue Name=\"Blip\" GroupID=\"0\">\n"
	                                                               "\t\t<Sound Filename=\"blip.wav\"/>\n"
	                                                               "\t</SoundCue>\n"
	                                                               "</SoundPack>\n");

	DeviceCreationParameters parameters;
	parameters.driverType = 0;
	IDevice* device = createDevice(parameters);
	ASSERT_NE(nullptr, device);
	auto* stub = dynamic_cast<CDeviceStub*>(device);
	ASSERT_NE(nullptr, stub);
	if (!device->getAudioDevice())
	{
		device->drop();
		Singleton<IDevice>::allowRecreation();
		GTEST_SKIP() << "OpenAL could not open its null output";
	}
	CSoundManager* sounds = device->getSoundManager();
	ASSERT_EQ(device->getAudioDevice(), sounds->getAudioDevice()) << "the manager took the device from event 12";

	FinishedCounter finished;
	{
		SmartPointer<CContentManager> content(device->createContentManager());
		SmartPointer<SoundPack> pack(
		    dynamic_cast<SoundPack*>(content->getContent(ContentTypeSoundPack, packName.c_str(), false)));
		ASSERT_TRUE(pack);
		ASSERT_EQ(1u, pack->getCues().size());
		ASSERT_EQ(1u, pack->getCues()[0]->getVariants().size());
		pack->registerCues(sounds);

		CSoundCue* instance = sounds->playCue(internStringId("Blip"));
		ASSERT_NE(nullptr, instance);
		instance->preListeners.push_back(&finished);
		EXPECT_EQ(2, instance->getState());

		// The output runs in real time; the bound only guards against a hang.
		for (int step = 0; step < 1000 && finished.count == 0; ++step)
		{
			stub->postEvent(new CEventSystemFlowUpdate(10));
			if (finished.count == 0)
				sleepMilliseconds(10);
		}
		EXPECT_EQ(1, finished.count);
		EXPECT_EQ(instance, finished.cue);
		EXPECT_FALSE(sounds->isCuePlaying(internStringId("Blip")));
	}
	device->drop();
	Singleton<IDevice>::allowRecreation();
}
} // namespace
