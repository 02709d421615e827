#include "FakeSound.h"
#include "audio/CNullAudioDevice.h"
#include "audio/CSoundCue.h"
#include "audio/SoundPack.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{
// Reads a pack from XML text; every file name the pack asks for is recorded with the
// streaming threshold in force at that moment, and names starting with "missing" give no sound.
struct PackReading
{
	explicit PackReading(const std::string& xml)
	{
		device.reset(createNullAudioDevice());
		device->setStreamingThreshold(0x20000);
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		pack.reset(new SoundPack());
		pack->load(
		    reader.get(),
		    [this](const char* name) -> ISound* {
			    requested[name] = device->getStreamingThreshold();
			    return std::string(name).rfind("missing", 0) == 0 ? nullptr : new FakeSound(name);
		    },
		    device.get());
	}

	const CSoundCue* cue(size_t i) const { return pack->getCues().at(i).get(); }

	SmartPointer<CNullAudioDevice> device;
	SmartPointer<SoundPack> pack;
	std::map<std::string, unsigned> requested;
};
} // namespace

TEST(SoundPack, ReadsCuesWithTheirAttributesAndSounds)
{
	PackReading reading(R"(<?xml version="1.0"?>
<SoundPack>
	<SoundCue Name="click" GroupID="0" Vol="0.5">
		<Sound Filename="click1.wav"/>
		<Sound Filename="missing.wav"/>
		<Sound Filename="click2.wav"/>
	</SoundCue>
	<SoundCue Name="music" GroupID="1" Loop="true" StreamingType="1">
		<Sound Filename="music.ogg"/>
	</SoundCue>
	<SoundCue Name="short" Loop="True" StreamingType="2"><Sound Filename="short.wav"/></SoundCue>
	<SoundCue Name="empty"/>
</SoundPack>
<SoundCue Name="after the end"/>)");

	ASSERT_EQ(4u, reading.pack->getCues().size());
	const CSoundCue* click = reading.cue(0);
	EXPECT_EQ("click", std::string(getStringById(click->getName()).c_str()));
	EXPECT_EQ(0, click->getGroupID());
	EXPECT_FLOAT_EQ(0.5f, click->getVol());
	EXPECT_FALSE(click->getLoop());
	ASSERT_EQ(2u, click->getVariants().size());
	EXPECT_EQ("click2.wav", static_cast<FakeSound*>(click->getVariants()[1].get())->label);

	EXPECT_EQ(1, reading.cue(1)->getGroupID());
	EXPECT_TRUE(reading.cue(1)->getLoop());
	// Only the exact text "true" loops; no GroupID means no group.
	EXPECT_FALSE(reading.cue(2)->getLoop());
	EXPECT_EQ(-1, reading.cue(2)->getGroupID());
	EXPECT_TRUE(reading.cue(3)->getVariants().empty());

	// StreamingType forces the threshold while the cue's files load, then it is restored.
	EXPECT_EQ(0x20000u, reading.requested["click1.wav"]);
	EXPECT_EQ(0u, reading.requested["music.ogg"]);
	EXPECT_EQ(0xFFFFFFFFu, reading.requested["short.wav"]);
	EXPECT_EQ(0x20000u, reading.device->getStreamingThreshold());
}

// Read a cue at a time, a pack gives the cues, sounds and thresholds of a whole reading.
TEST(SoundPack, ReadInPartsMatchesAWholeReading)
{
	const std::string xml = R"(<SoundPack>
	<SoundCue Name="a" Vol="0.25"><Sound Filename="a1.wav"/><Sound Filename="a2.wav"/></SoundCue>
	<SoundCue Name="b" StreamingType="1"><Sound Filename="b.ogg"/></SoundCue>
	<SoundCue Name="c"/>
</SoundPack>)";
	PackReading whole(xml);
	SmartPointer<CNullAudioDevice> device(createNullAudioDevice());
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<SoundPack> pack(new SoundPack());
	std::map<std::string, unsigned> requested;
	const SoundFileLoader loadSound = [&](const char* name) -> ISound*
	{
		requested[name] = device->getStreamingThreshold();
		return new FakeSound(name);
	};
	int parts = 1;
	while (!pack->loadPart(reader.get(), loadSound, device.get(), 1) && parts < 10)
	{
		EXPECT_EQ(pack->getCues().size(), static_cast<size_t>(parts));
		++parts;
	}
	ASSERT_EQ(pack->getCues().size(), whole.pack->getCues().size());
	for (size_t i = 0; i < pack->getCues().size(); ++i)
	{
		EXPECT_EQ(pack->getCues()[i]->getName(), whole.cue(i)->getName());
		EXPECT_FLOAT_EQ(pack->getCues()[i]->getVol(), whole.cue(i)->getVol());
		EXPECT_EQ(pack->getCues()[i]->getVariants().size(), whole.cue(i)->getVariants().size());
	}
	EXPECT_EQ(requested.size(), whole.requested.size());
	EXPECT_EQ(requested["b.ogg"], 0u);
}

TEST(SoundPack, MalformedTextGivesWhatWasReadWithoutFault)
{
	const char* cases[] = {
	    "",
	    "not xml at all",
	    "<SoundPack><SoundCue Name=\"a\"><Sound Filename=\"x.wav\">",
	    "<SoundPack><SoundCue Name=\"a\" Vol=\"abc\" GroupID=\"\"></SoundPack>",
	};
	for (const char* xml : cases)
	{
		SCOPED_TRACE(xml);
		PackReading reading(xml);
		EXPECT_LE(reading.pack->getCues().size(), 1u);
		EXPECT_EQ(0x20000u, reading.device->getStreamingThreshold());
	}
}
