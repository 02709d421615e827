#include "ContentManagerFakes.h"
#include "audio/CNullAudioDevice.h"
#include "content/CSceneNodeProcessor.h"
#include "content/CSoundProcessor.h"
#include "content/CVideoDriverProcessor.h"
#include "core/DeviceEvents.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>

namespace
{
// A null-driver library device: a real video driver without any display.
irr::IrrlichtDevice* makeNullDevice()
{
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_NULL;
	parameters.LoggingLevel = irr::ELL_NONE;
	return irr::createDeviceEx(parameters);
}

class ContentProcessorsManagerTest : public ::testing::Test
{
protected:
	ContentProcessorsManagerTest()
	{
		library = makeNullDevice();
		fs = new FakeFileSystem();
		audio = new CNullAudioDevice();
		manager = new CContentProcessorsManager(library->getVideoDriver(), audio, fs, nullptr);
	}
	~ContentProcessorsManagerTest() override
	{
		if (manager)
			manager->drop();
		audio->drop();
		fs->drop();
		library->drop();
	}

	irr::video::IVideoDriver* driverOf(ContentType type) const
	{
		auto* processor = dynamic_cast<CVideoDriverProcessor*>(manager->findProcessor(type));
		return processor ? processor->getVideoDriver() : nullptr;
	}

	// The device's order: the manager's own table first, then its processors.
	void deliver(CEvent* event) { manager->deliverEvent(DeliverSelfThenChildren, event); }

	irr::IrrlichtDevice* library;
	FakeFileSystem* fs;
	CNullAudioDevice* audio;
	CContentProcessorsManager* manager;
};

TEST_F(ContentProcessorsManagerTest, RegistersTheTenProcessorsInOrder)
{
	struct Row
	{
		const char code[5];
		unsigned value;
		int priority;
		bool deviceEvents;
	};
	const Row rows[] = {
	    {"itex", 0x78657469, 1, true},  {"atex", 0x78657461, 0, true},  {"atxc", 0x63787461, 0, false},
	    {"imag", 0x67616D69, 0, false}, {"snod", 0x646F6E73, 0, false}, {"font", 0x746E6F66, 0, true},
	    {"prtc", 0x63747270, 0, false}, {"pemt", 0x746D6570, 0, false}, {"isnd", 0x646E7369, 1, true},
	    {"sndp", 0x70646E73, 0, false},
	};
	const auto& processors = manager->getProcessors();
	ASSERT_EQ(processors.size(), std::size(rows));
	for (size_t i = 0; i < std::size(rows); ++i)
	{
		SCOPED_TRACE(rows[i].code);
		EXPECT_EQ(makeContentType(rows[i].code), rows[i].value);
		EXPECT_EQ(processors[i]->getContentType(), rows[i].value);
		EXPECT_EQ(processors[i]->getPriority(), rows[i].priority);
		EXPECT_EQ((processors[i]->mask & EventCategoryDevice) != 0, rows[i].deviceEvents);
		EXPECT_EQ(processors[i]->getReferenceCount(), 1) << "the manager holds the only reference";
		EXPECT_EQ(manager->findProcessor(rows[i].value), processors[i]);
	}
	EXPECT_EQ(manager->findProcessor(makeContentType("none")), nullptr);
	EXPECT_EQ(contentTypeToText(ContentTypeSceneNode), "1685024371");
	EXPECT_EQ(contentTypeToText(0xFFFFFFFEu), "4294967294");
}

TEST_F(ContentProcessorsManagerTest, ASecondProcessorOfARegisteredTypeIsRefusedWithAWarning)
{
	IContentProcessor* first = manager->findProcessor(ContentTypeSceneNode);
	FakeProcessor* second = new FakeProcessor(ContentTypeSceneNode, ContentCloned);
	LogCapture log;
	manager->registerProcessor(second);
	manager->registerProcessor(nullptr);
	ASSERT_EQ(log.lines.size(), 1u);
	EXPECT_EQ(log.lines[0].text, "CContentProcessorsManager");
	EXPECT_EQ(log.lines[0].hint, "IContentProcessor for the type #1685024371 is already present");
	EXPECT_EQ(log.lines[0].level, 1);
	EXPECT_EQ(manager->findProcessor(ContentTypeSceneNode), first);
	EXPECT_EQ(second->getReferenceCount(), 1) << "a refused processor is not grabbed";
	EXPECT_EQ(manager->getProcessors().size(), 10u);
	second->drop();
}

TEST_F(ContentProcessorsManagerTest, VideoDriverEventsReachOnlyProcessorsThatTakeDeviceEvents)
{
	irr::video::IVideoDriver* first = library->getVideoDriver();
	FakeProcessor* listening = new FakeProcessor(makeContentType("tdev"), ContentShared, 0, EventCategoryDevice);
	FakeProcessor* deaf = new FakeProcessor(makeContentType("tnot"), ContentShared, 0, 0);
	manager->registerProcessor(listening);
	manager->registerProcessor(deaf);
	listening->drop();
	deaf->drop();
	for (ContentType type : {ContentTypeTexture, ContentTypeAtlasTexture, ContentTypeFont})
		EXPECT_EQ(driverOf(type), first);

	CEventDeviceReset reset;
	deliver(&reset);
	EXPECT_EQ(manager->getVideoDriver(), nullptr);
	for (ContentType type : {ContentTypeTexture, ContentTypeAtlasTexture, ContentTypeFont})
		EXPECT_EQ(driverOf(type), nullptr);

	irr::IrrlichtDevice* other = makeNullDevice();
	irr::video::IVideoDriver* second = other->getVideoDriver();
	const int before = second->getReferenceCount();
	CEventDeviceVideoDriverCreated created(second);
	deliver(&created);
	EXPECT_EQ(manager->getVideoDriver(), second);
	for (ContentType type : {ContentTypeTexture, ContentTypeAtlasTexture, ContentTypeFont})
		EXPECT_EQ(driverOf(type), second);
	EXPECT_EQ(second->getReferenceCount(), before + 4) << "the manager and three processors hold it";
	EXPECT_EQ(listening->deviceEvents, 1);
	EXPECT_EQ(deaf->deviceEvents, 0);

	// Releasing the manager lets go of every reference it and its processors took.
	manager->drop();
	manager = nullptr;
	EXPECT_EQ(second->getReferenceCount(), before);
	other->drop();
}

TEST_F(ContentProcessorsManagerTest, SoundProcessorFollowsTheAudioDevice)
{
	auto* sounds = static_cast<CSoundProcessor*>(manager->findProcessor(ContentTypeSound));
	EXPECT_EQ(sounds->getAudioDevice(), audio);

	TestAudioReleasedEvent released;
	deliver(&released);
	EXPECT_EQ(sounds->getAudioDevice(), nullptr);

	CNullAudioDevice* replacement = new CNullAudioDevice();
	CEventDeviceAudioDriverCreated created(replacement);
	deliver(&created);
	EXPECT_EQ(sounds->getAudioDevice(), replacement);
	EXPECT_EQ(replacement->getReferenceCount(), 2);
	replacement->drop();
}

TEST_F(ContentProcessorsManagerTest, SceneProcessorHoldsTheNodeFactoryItIsGiven)
{
	NodeFactory* factory = NodeFactory::instance();
	const int before = factory->getReferenceCount();
	auto* withFactory = new CContentProcessorsManager(nullptr, nullptr, fs, factory);
	auto* scenes = static_cast<CSceneNodeProcessor*>(withFactory->findProcessor(ContentTypeSceneNode));
	EXPECT_EQ(scenes->getNodeFactory(), factory);
	EXPECT_EQ(withFactory->getNodeFactory(), factory);
	EXPECT_EQ(factory->getReferenceCount(), before + 2);
	withFactory->drop();
	EXPECT_EQ(factory->getReferenceCount(), before);
}

TEST_F(ContentProcessorsManagerTest, ProcessorsThatCannotSaveSayWhy)
{
	struct Row
	{
		ContentType type;
		bool result;
		bool warns;
	};
	const Row rows[] = {
	    {ContentTypeParticleCollection, false, true},
	    {ContentTypeParticleEmitter, false, true},
	    {ContentTypeSoundPack, true, false},
	    {ContentTypeTexture, false, false},
	    {ContentTypeSound, false, false},
	};
	for (const Row& row : rows)
	{
		SCOPED_TRACE(contentTypeToText(row.type).c_str());
		LogCapture log;
		IWriteFile* file = fs->createAndWriteFile("out.xml", false);
		EXPECT_EQ(manager->findProcessor(row.type)->save(nullptr, nullptr, file, nullptr), row.result);
		file->drop();
		EXPECT_EQ(log.contains("Particle collection can't be saved", 1), row.warns);
		EXPECT_EQ(fs->files["out.xml"], "") << "nothing is written";
	}
}

} // namespace
