#include "AudioTestSupport.h"
#include "audio/COpenALAudioDevice.h"
#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "audio/CStaticSound.h"
#include "audio/CStreamedSound.h"
#include "audio/SoundPack.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CSoundPackProcessor.h"
#include "content/CSoundProcessor.h"
#include "content/IFileSystem.h"
#include "core/DeviceEvents.h"
#include "core/SmartPointer.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
// Event 11 has no class of its own in the engine.
class AudioDeviceReleased : public CEventDevice
{
	ENGINE_EVENT_TYPE(EventIdDeviceAudioDriverReleased, CEventDevice)
};
static_assert(AudioDeviceReleased::TypeId == 11, "audio device released");

std::string bytesOf(const std::vector<uint8_t>& bytes)
{
	return std::string(bytes.begin(), bytes.end());
}

// Frames of a 16-bit mono WAV whose decoded size is exactly the given number of bytes.
WavSpec monoWavOfBytes(uint32_t bytes)
{
	WavSpec spec;
	spec.frames = bytes / 2;
	return spec;
}

const char* const packXml = R"(<?xml version="1.0"?>
<SoundPack>
	<SoundCue Name="Hit" GroupID="0" Vol="0.5">
		<Sound Filename="hit.wav"/>
		<Sound Filename="effects/hit2.wav"/>
	</SoundCue>
	<SoundCue Name="Theme" GroupID="1" Loop="true" StreamingType="1">
		<Sound Filename="../music/theme.wav"/>
	</SoundCue>
	<SoundCue Name="Gone">
		<Sound Filename="missing.wav"/>
	</SoundCue>
</SoundPack>
)";

// A content manager over a temporary folder, with the OpenAL device of the null driver.
class SoundContentTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		setenv("ALSOFT_DRIVERS", "null", 0);
		fs = createFileSystem();
		IFileSystem* files = fs;
		audio = createOpenALAudioDevice([files](const char* name) { return files->createAndOpenFile(name); });
		if (!audio)
			GTEST_SKIP() << "no OpenAL device";
		processors = new CContentProcessorsManager(nullptr, audio, fs, nullptr);
		manager = new CContentManager(nullptr, fs, processors);
	}

	void TearDown() override
	{
		if (manager)
			manager->drop();
		if (processors)
			processors->drop();
		if (audio)
			audio->drop();
		fs->drop();
	}

	std::string writeWav(const std::string& name, const WavSpec& spec = WavSpec())
	{
		return dir.write(name, bytesOf(makeWav(spec)));
	}

	std::string writePack()
	{
		writeWav("sounds/hit.wav");
		writeWav("sounds/effects/hit2.wav");
		writeWav("music/theme.wav");
		return dir.write("sounds/SoundPack.xml", packXml);
	}

	template <class T> SmartPointer<T> load(ContentType type, const std::string& name)
	{
		ContentObject* object = manager->getContent(type, name.c_str(), false);
		T* typed = dynamic_cast<T*>(object);
		if (object && !typed)
			object->drop();
		return SmartPointer<T>(typed);
	}

	CSoundProcessor* soundProcessor() const
	{
		return static_cast<CSoundProcessor*>(processors->findProcessor(ContentTypeSound));
	}

	void sendDeviceEvent(CEvent* event)
	{
		// The device's order: processors manager (priority -1) before the content manager.
		processors->deliverEvent(DeliverSelfThenChildren, event);
		manager->deliverEvent(DeliverSelfThenChildren, event);
		event->drop();
	}

	TempDir dir;
	IFileSystem* fs = nullptr;
	COpenALAudioDevice* audio = nullptr;
	CContentProcessorsManager* processors = nullptr;
	CContentManager* manager = nullptr;
};

TEST_F(SoundContentTest, ContentClassesAndTheirCacheRules)
{
	const std::string name = writeWav("short.wav");
	SmartPointer<ISound> sound = load<ISound>(ContentTypeSound, name);
	ASSERT_TRUE(sound);
	EXPECT_EQ(ContentTypeSound, sound->getContentType());
	EXPECT_EQ(int(ContentCloned), sound->getContentFlags());

	SoundPack pack;
	EXPECT_EQ(ContentTypeSoundPack, pack.getContentType());
	EXPECT_EQ(int(ContentShared), pack.getContentFlags());
	EXPECT_NE(nullptr, dynamic_cast<ContentObject*>(&pack));
}

TEST_F(SoundContentTest, ShortSoundIsReadOnceAndEveryRequestGetsACloneSharingTheBuffer)
{
	LogCapture log;
	const std::string name = writeWav("short.wav");
	SmartPointer<ISound> a = load<ISound>(ContentTypeSound, name);
	SmartPointer<ISound> b = load<ISound>(ContentTypeSound, name);
	auto* staticA = dynamic_cast<CStaticSound*>(a.get());
	auto* staticB = dynamic_cast<CStaticSound*>(b.get());
	ASSERT_TRUE(staticA && staticB);
	EXPECT_NE(staticA, staticB);
	EXPECT_EQ(staticA->getBuffer(), staticB->getBuffer());
	EXPECT_EQ(1u, manager->getCachedCount(ContentTypeSound));

	int loadedLines = 0;
	for (const LogCapture::Line& line : log.lines)
	{
		if (line.text == "Loaded sound")
		{
			++loadedLines;
			EXPECT_EQ(name, line.hint);
			EXPECT_EQ(0, line.level);
		}
	}
	EXPECT_EQ(1, loadedLines) << "the second request is a clone, not a read";
}

TEST_F(SoundContentTest, StreamingThresholdDecidesTheKindAndStreamedSoundsAreNeverCached)
{
	struct Case
	{
		uint32_t decodedBytes;
		bool streamed;
	};
	const uint32_t threshold = 4000;
	audio->setStreamingThreshold(threshold);
	const Case cases[] = {{threshold, false}, {threshold + 2, true}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.decodedBytes);
		LogCapture log;
		manager->releaseAllContent();
		const std::string name =
		    writeWav("sound" + std::to_string(c.decodedBytes) + ".wav", monoWavOfBytes(c.decodedBytes));
		SmartPointer<ISound> a = load<ISound>(ContentTypeSound, name);
		SmartPointer<ISound> b = load<ISound>(ContentTypeSound, name);
		ASSERT_TRUE(a && b);
		EXPECT_NE(a.get(), b.get());
		EXPECT_EQ(c.streamed, dynamic_cast<CStreamedSound*>(a.get()) != nullptr);
		EXPECT_EQ(c.streamed ? 0u : 1u, manager->getCachedCount(ContentTypeSound));
		size_t reads = 0;
		for (const LogCapture::Line& line : log.lines)
			reads += line.text == "Loaded sound";
		EXPECT_EQ(c.streamed ? 2u : 1u, reads);
	}
}

TEST_F(SoundContentTest, WithoutAnAudioDeviceNoSoundIsMadeAndNothingIsLogged)
{
	const std::string name = writeWav("short.wav");
	sendDeviceEvent(new AudioDeviceReleased());
	EXPECT_EQ(nullptr, soundProcessor()->getAudioDevice());
	LogCapture log;
	EXPECT_FALSE(load<ISound>(ContentTypeSound, name));
	EXPECT_TRUE(log.lines.empty()) << log.dump();
}

TEST_F(SoundContentTest, UndecodableFileGivesNoSound)
{
	const std::string name = dir.write("noise.wav", "definitely not RIFF data");
	LogCapture log;
	EXPECT_FALSE(load<ISound>(ContentTypeSound, name));
	EXPECT_FALSE(log.contains("Loaded sound"));
}

TEST_F(SoundContentTest, ReleasedDeviceEmptiesTheSoundCacheAndANewDeviceReadsTheFileAgain)
{
	const std::string name = writeWav("short.wav");
	SmartPointer<ISound> first = load<ISound>(ContentTypeSound, name);
	ASSERT_TRUE(first);
	ASSERT_EQ(1u, manager->getCachedCount(ContentTypeSound));

	sendDeviceEvent(new AudioDeviceReleased());
	EXPECT_EQ(0u, manager->getCachedCount(ContentTypeSound));

	sendDeviceEvent(new CEventDeviceAudioDriverCreated(audio));
	EXPECT_EQ(audio, soundProcessor()->getAudioDevice());
	LogCapture log;
	SmartPointer<ISound> second = load<ISound>(ContentTypeSound, name);
	ASSERT_TRUE(second);
	EXPECT_TRUE(log.contains("Loaded sound", 0));
	auto* a = dynamic_cast<CStaticSound*>(first.get());
	auto* b = dynamic_cast<CStaticSound*>(second.get());
	ASSERT_TRUE(a && b);
	EXPECT_NE(a->getBuffer(), b->getBuffer()) << "a fresh read, not the old template";
}

TEST_F(SoundContentTest, PackReadsItsCuesWithSoundNamesRelativeToThePackFile)
{
	LogCapture log;
	const std::string packName = writePack();
	SmartPointer<SoundPack> pack = load<SoundPack>(ContentTypeSoundPack, packName);
	ASSERT_TRUE(pack);
	EXPECT_TRUE(log.contains("Loaded sound pack", 0));
	EXPECT_EQ(0u, log.problemCount()) << log.dump();
	EXPECT_EQ(1u, manager->getFolderDepth()) << "the pack's folder was popped";

	const auto& cues = pack->getCues();
	ASSERT_EQ(3u, cues.size());
	struct Expected
	{
		const char* name;
		int group;
		float vol;
		bool loop;
		size_t variants;
	};
	const Expected expected[] = {
	    {"Hit", 0, 0.5f, false, 2},
	    {"Theme", 1, 1.0f, true, 1},
	    {"Gone", -1, 1.0f, false, 0},
	};
	for (size_t i = 0; i < cues.size(); ++i)
	{
		SCOPED_TRACE(expected[i].name);
		EXPECT_EQ(internStringId(expected[i].name), cues[i]->getName());
		EXPECT_EQ(expected[i].group, cues[i]->getGroupID());
		EXPECT_FLOAT_EQ(expected[i].vol, cues[i]->getVol());
		EXPECT_EQ(expected[i].loop, cues[i]->getLoop());
		EXPECT_EQ(expected[i].variants, cues[i]->getVariants().size());
	}

	// The short effects are cached under the names resolved against sounds/.
	for (const char* file : {"sounds/hit.wav", "sounds/effects/hit2.wav"})
		EXPECT_NE(nullptr, manager->findCachedContent(ContentTypeSound, ContentRef(manager, dir.file(file).c_str())))
		    << file;
	// StreamingType 1 streams the theme for this cue only; the threshold comes back afterwards.
	EXPECT_NE(nullptr, dynamic_cast<CStreamedSound*>(cues[1]->getVariants()[0].get()));
	EXPECT_EQ(0x40000u, audio->getStreamingThreshold());
}

// Read a cue a part, a pack gives the cues and the log lines of a whole reading and is cached as that pack;
// a file that is no pack opens nothing.
TEST_F(SoundContentTest, APackReadInPartsMatchesAWholeReading)
{
	const std::string packName = writePack();
	// Each line as "level text hint", each cue as "name variants".
	const auto linesOf = [](const LogCapture& log)
	{
		std::vector<std::string> lines;
		for (const LogCapture::Line& line : log.lines)
			lines.push_back(std::to_string(line.level) + " " + line.text + " " + line.hint);
		return lines;
	};
	const auto cuesOf = [](const SoundPack& pack)
	{
		std::vector<std::string> cues;
		for (const SmartPointer<CSoundCue>& cue : pack.getCues())
			cues.push_back(std::string(getStringById(cue->getName()).c_str()) + " " +
			               std::to_string(cue->getVariants().size()));
		return cues;
	};
	std::vector<std::string> wholeLines;
	std::vector<std::string> wholeCues;
	{
		LogCapture log;
		SmartPointer<SoundPack> whole = load<SoundPack>(ContentTypeSoundPack, packName);
		ASSERT_TRUE(whole);
		wholeLines = linesOf(log);
		wholeCues = cuesOf(*whole);
	}
	manager->releaseAllContent();

	LogCapture log;
	SmartPointer<SoundPackLoading> parts(new SoundPackLoading(manager, packName.c_str()));
	ASSERT_TRUE(parts->isOpen());
	std::vector<size_t> cuesAfterEachPart;
	for (int calls = 0; calls < 10 && !parts->loadPart(1); ++calls)
	{
		cuesAfterEachPart.push_back(parts->getPack()->getCues().size());
		EXPECT_EQ(1u, manager->getFolderDepth());
		EXPECT_FALSE(manager->findCachedContent(ContentTypeSoundPack, ContentRef(manager, packName.c_str())));
	}
	EXPECT_EQ(cuesAfterEachPart, (std::vector<size_t>{1, 2, 3}));
	EXPECT_EQ(linesOf(log), wholeLines);
	EXPECT_EQ(cuesOf(*parts->getPack()), wholeCues);
	EXPECT_EQ(manager->findCachedContent(ContentTypeSoundPack, ContentRef(manager, packName.c_str())),
	          parts->getPack());

	const std::string notAPack = dir.write("notes.xml", "<Scene><SoundCue Name=\"Hit\"/></Scene>");
	EXPECT_FALSE(SmartPointer<SoundPackLoading>(new SoundPackLoading(manager, notAPack.c_str()))->isOpen());
	EXPECT_FALSE(
	    SmartPointer<SoundPackLoading>(new SoundPackLoading(manager, dir.file("absent.xml").c_str()))->isOpen());
}

TEST_F(SoundContentTest, PackIsSharedAndItsCuesRegisterOnceByName)
{
	const std::string packName = writePack();
	SmartPointer<SoundPack> a = load<SoundPack>(ContentTypeSoundPack, packName);
	SmartPointer<SoundPack> b = load<SoundPack>(ContentTypeSoundPack, packName);
	ASSERT_TRUE(a);
	EXPECT_EQ(a.get(), b.get());

	SmartPointer<CSoundManager> sounds(new CSoundManager());
	a->registerCues(sounds.get());
	b->registerCues(sounds.get());
	for (const char* cue : {"Hit", "Theme", "Gone"})
		EXPECT_EQ(sounds.get(), sounds->getCue(internStringId(cue))->getOwner()) << cue;
	EXPECT_EQ(nullptr, sounds->playCue(internStringId("Gone"))) << "a cue without sounds never plays";
}

TEST_F(SoundContentTest, FilesThatAreNoSoundPackGiveNothing)
{
	const char* const texts[] = {
	    "",
	    "just some text, not markup",
	    "<Scene><SoundCue Name=\"Hit\"/></Scene>",
	    "\x01\x02\x03\xff\xfe binary",
	};
	int index = 0;
	for (const char* text : texts)
	{
		SCOPED_TRACE(text);
		const std::string name = dir.write("bad" + std::to_string(index++) + ".xml", text);
		EXPECT_FALSE(load<SoundPack>(ContentTypeSoundPack, name));
		EXPECT_EQ(1u, manager->getFolderDepth());
	}
}

TEST_F(SoundContentTest, SavingSoundsFailsAndSavingAPackSucceedsWithoutWriting)
{
	const std::string packName = writePack();
	SmartPointer<SoundPack> pack = load<SoundPack>(ContentTypeSoundPack, packName);
	ASSERT_TRUE(pack);
	const std::string target = dir.file("saved.xml");
	EXPECT_TRUE(manager->saveContent(ContentTypeSoundPack, pack.get(), target.c_str(), nullptr));
	EXPECT_EQ("", dir.read("saved.xml"));

	SmartPointer<ISound> sound = load<ISound>(ContentTypeSound, dir.file("sounds/hit.wav"));
	ASSERT_TRUE(sound);
	EXPECT_FALSE(manager->saveContent(ContentTypeSound, sound.get(), dir.file("saved.wav").c_str(), nullptr));
}
} // namespace
