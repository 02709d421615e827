#include "ContentManagerFakes.h"
#include "core/DeviceEvents.h"
#include "scene/BaseNode.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace
{
constexpr ContentType ClonedType = makeContentType("tcln");
constexpr ContentType SharedType = makeContentType("tshr");
constexpr ContentType NeverCachedType = makeContentType("tnev");

class ContentManagerTest : public ::testing::Test
{
protected:
	ContentManagerTest()
	{
		FakeContent::alive = 0;
		FakeProcessor::calls.clear();
		fs = new FakeFileSystem();
		processors = new CContentProcessorsManager(nullptr, nullptr, fs, nullptr);
		cloned = addProcessor(ClonedType, ContentCloned);
		shared = addProcessor(SharedType, ContentShared);
		neverCached = addProcessor(NeverCachedType, ContentNeverCached);
		manager = new CContentManager(nullptr, fs, processors);
	}
	~ContentManagerTest() override
	{
		manager->drop();
		processors->drop();
		fs->drop();
		EXPECT_EQ(FakeContent::alive, 0) << "content leaked or destroyed too early";
	}

	FakeProcessor* addProcessor(ContentType type, int flags, int priority = 0)
	{
		FakeProcessor* processor = new FakeProcessor(type, flags, priority);
		processors->registerProcessor(processor);
		processor->drop();
		return processor;
	}

	FakeContent* get(ContentType type, const char* name, bool relative = false)
	{
		return static_cast<FakeContent*>(manager->getContent(type, name, relative));
	}

	FakeFileSystem* fs;
	CContentProcessorsManager* processors;
	CContentManager* manager;
	FakeProcessor* cloned;
	FakeProcessor* shared;
	FakeProcessor* neverCached;
};

TEST_F(ContentManagerTest, ClonedContentIsReadOnceAndEachRequesterGetsItsOwnCloneOfTheTemplate)
{
	fs->files["scenes/Main.qscn"] = "main";
	FakeContent* a = get(ClonedType, "scenes/Main.qscn");
	FakeContent* b = get(ClonedType, "scenes/Main.qscn");
	ASSERT_TRUE(a && b);
	EXPECT_EQ(fs->openCount("scenes/Main.qscn"), 1);
	EXPECT_EQ(cloned->loads, 1);
	EXPECT_NE(a, b);

	ContentObject* tmpl = manager->findCachedContent(ClonedType, ContentRef(manager, "scenes/Main.qscn"));
	ASSERT_NE(tmpl, nullptr);
	EXPECT_EQ(a->cloneOf, tmpl);
	EXPECT_EQ(b->cloneOf, tmpl);
	EXPECT_EQ(tmpl->getReferenceCount(), 1) << "only the cache holds the template";
	EXPECT_EQ(a->getReferenceCount(), 1);
	EXPECT_EQ(a->text, "main");

	a->drop();
	b->drop();
	manager->releaseUnusedContent();
	EXPECT_EQ(manager->getCachedCount(ClonedType), 0u);
	EXPECT_EQ(FakeContent::alive, 0);
}

TEST_F(ContentManagerTest, SharedContentIsOneObjectGrabbedForEachRequester)
{
	fs->files["ui/logo.png"] = "logo";
	FakeContent* a = get(SharedType, "ui/logo.png");
	FakeContent* b = get(SharedType, "ui/logo.png");
	ASSERT_NE(a, nullptr);
	EXPECT_EQ(a, b);
	EXPECT_EQ(a->getReferenceCount(), 3) << "the cache and two requesters";
	EXPECT_EQ(shared->loads, 1);

	manager->releaseUnusedContent();
	EXPECT_EQ(manager->getCachedCount(SharedType), 1u) << "held elsewhere, so it stays";
	a->drop();
	b->drop();
	manager->releaseUnusedContent();
	EXPECT_EQ(manager->getCachedCount(SharedType), 0u);
}

TEST_F(ContentManagerTest, NeverCachedContentIsReadOnEveryRequest)
{
	fs->files["atlas.xml"] = "list";
	FakeContent* a = get(NeverCachedType, "atlas.xml");
	FakeContent* b = get(NeverCachedType, "atlas.xml");
	ASSERT_TRUE(a && b);
	EXPECT_NE(a, b);
	EXPECT_EQ(fs->openCount("atlas.xml"), 2);
	EXPECT_EQ(a->getReferenceCount(), 1);
	EXPECT_EQ(manager->getCachedCount(NeverCachedType), 0u);
	a->drop();
	b->drop();
}

TEST_F(ContentManagerTest, WithCachingOffEveryRequestReadsAgainAndNothingIsCached)
{
	fs->files["a"] = "a";
	manager->setCachingEnabled(false);
	EXPECT_FALSE(manager->isCachingEnabled());
	for (ContentType type : {ClonedType, SharedType})
	{
		FakeContent* first = get(type, "a");
		FakeContent* second = get(type, "a");
		ASSERT_TRUE(first && second);
		EXPECT_NE(first, second);
		EXPECT_EQ(first->getReferenceCount(), 1);
		EXPECT_EQ(manager->getCachedCount(type), 0u);
		first->drop();
		second->drop();
	}
	EXPECT_EQ(fs->openCount("a"), 4);
}

TEST_F(ContentManagerTest, ContentCachedBeforeCachingWasTurnedOffIsStillHandedOutByItsRule)
{
	fs->files["a"] = "a";
	FakeContent* first = get(SharedType, "a");
	manager->setCachingEnabled(false);
	FakeContent* second = get(SharedType, "a");
	EXPECT_EQ(first, second);
	EXPECT_EQ(fs->openCount("a"), 1);
	first->drop();
	second->drop();
}

TEST_F(ContentManagerTest, RelativeNamesResolveAgainstTheFileBeingRead)
{
	fs->files["scenes/menu/Main.qscn"] = "include ../common/Button.qscn\n";
	fs->files["scenes/common/Button.qscn"] = "include parts/Knob.qscn\ninclude ./Frame.qscn\n";
	fs->files["scenes/common/parts/Knob.qscn"] = "knob";
	fs->files["scenes/common/Frame.qscn"] = "frame";

	FakeContent* scene = get(ClonedType, "scenes/menu/Main.qscn", true);
	ASSERT_NE(scene, nullptr);
	ASSERT_EQ(scene->parts.size(), 1u);
	FakeContent* button = static_cast<FakeContent*>(scene->parts[0]);
	ASSERT_NE(button, nullptr);
	ASSERT_EQ(button->parts.size(), 2u);
	ASSERT_NE(button->parts[0], nullptr);
	ASSERT_NE(button->parts[1], nullptr);
	EXPECT_EQ(button->getContentRef().getName(), "scenes/common/Button.qscn");
	EXPECT_EQ(static_cast<FakeContent*>(button->parts[0])->text, "knob");
	EXPECT_EQ(static_cast<FakeContent*>(button->parts[1])->text, "frame");
	EXPECT_EQ(manager->getFolderDepth(), 1u) << "every push was popped";

	// Outside any load the same relative name stays as it is.
	EXPECT_EQ(get(ClonedType, "../common/Button.qscn", true), nullptr);
	EXPECT_EQ(fs->opened, (std::vector<std::string>{"scenes/menu/Main.qscn", "scenes/common/Button.qscn",
	                                                "scenes/common/parts/Knob.qscn", "scenes/common/Frame.qscn",
	                                                "../common/Button.qscn"}));
	scene->drop();
}

TEST_F(ContentManagerTest, FolderStackKeepsItsBottomEntry)
{
	manager->popFolder();
	EXPECT_EQ(manager->getFolderDepth(), 1u);
	EXPECT_EQ(manager->resolvePath("../a/b.png"), "../a/b.png");

	manager->pushFolder("data/fonts/Main.xml");
	EXPECT_EQ(manager->resolvePath("Main.png"), "data/fonts/Main.png");
	EXPECT_EQ(manager->getRelativePath("data/fonts/page/Main.png"), "page/Main.png");
	manager->popFolder();
	manager->popFolder();
	EXPECT_EQ(manager->getFolderDepth(), 1u);
	EXPECT_EQ(manager->resolvePath("Main.png"), "Main.png");
}

TEST_F(ContentManagerTest, AFileThatRequestsItselfIsNotReadRecursively)
{
	fs->files["loop.qscn"] = "include loop.qscn\n";
	LogCapture log;
	FakeContent* scene = get(ClonedType, "loop.qscn");
	ASSERT_NE(scene, nullptr);
	ASSERT_EQ(scene->parts.size(), 1u);
	EXPECT_EQ(scene->parts[0], nullptr);
	EXPECT_EQ(cloned->loads, 1);
	EXPECT_TRUE(log.contains("CContentManager", 1));
	scene->drop();
}

TEST_F(ContentManagerTest, UnknownTypeLogsItsCodeInUnsignedDecimalAndReturnsNull)
{
	fs->files["x.dat"] = "x";
	LogCapture log;
	EXPECT_EQ(manager->getContent(0x8000FFFEu, "x.dat", false), nullptr);
	ASSERT_EQ(log.lines.size(), 1u);
	EXPECT_EQ(log.lines[0].text, "CContentManager");
	EXPECT_EQ(log.lines[0].hint, "IContentProcessor for the content x.dat and type #2147549182 not found");
	EXPECT_EQ(log.lines[0].level, 1);
	EXPECT_EQ(manager->getCachedCount(0x8000FFFEu), 0u);
}

TEST_F(ContentManagerTest, MissingFilesEmptyNamesAndFailedLoadsGiveNullSilently)
{
	fs->files["broken"] = "?";
	cloned->failLoads = true;
	LogCapture log;
	EXPECT_EQ(get(SharedType, "nowhere.png"), nullptr);
	EXPECT_EQ(get(SharedType, ""), nullptr);
	EXPECT_EQ(get(ClonedType, "broken"), nullptr);
	EXPECT_TRUE(log.lines.empty()) << log.dump();
	EXPECT_EQ(fs->opened, (std::vector<std::string>{"nowhere.png", "broken"}));
	EXPECT_EQ(manager->getCachedCount(ClonedType), 0u);
}

TEST_F(ContentManagerTest, GetContentFromFileUsesTheOpenFileAndItsName)
{
	fs->files["pic.png"] = "pixels";
	IReadFile* file = fs->createAndOpenFile("pic.png");
	FakeContent* a = static_cast<FakeContent*>(manager->getContentFromFile(SharedType, file));
	FakeContent* b = static_cast<FakeContent*>(manager->getContentFromFile(SharedType, file));
	file->drop();
	ASSERT_NE(a, nullptr);
	EXPECT_EQ(a, b);
	EXPECT_EQ(a->text, "pixels");
	EXPECT_EQ(fs->openCount("pic.png"), 1) << "only the test opened it";
	EXPECT_EQ(manager->findCachedContent(SharedType, ContentRef(manager, "pic.png")), a);
	EXPECT_EQ(manager->getContentFromFile(SharedType, nullptr), nullptr);
	a->drop();
	b->drop();
}

TEST_F(ContentManagerTest, CacheRefusesDuplicatesNeverCachedObjectsAndAnythingWhileCachingIsOff)
{
	FakeContent* first = new FakeContent(ContentRef(manager, "e"), SharedType, ContentShared, "1");
	FakeContent* second = new FakeContent(ContentRef(manager, "e"), SharedType, ContentShared, "2");
	FakeContent* never = new FakeContent(ContentRef(manager, "n"), SharedType, ContentNeverCached, "");
	FakeContent* other = new FakeContent(ContentRef(manager, "o"), SharedType, ContentShared, "");

	EXPECT_TRUE(manager->addContent(first));
	EXPECT_FALSE(manager->addContent(second));
	EXPECT_FALSE(manager->addContent(never));
	EXPECT_FALSE(manager->addContent(nullptr));
	manager->setCachingEnabled(false);
	EXPECT_FALSE(manager->addContent(other));
	manager->setCachingEnabled(true);

	EXPECT_EQ(first->getReferenceCount(), 2);
	EXPECT_EQ(second->getReferenceCount(), 1) << "a refused object is not grabbed";
	EXPECT_EQ(manager->findCachedContent(SharedType, ContentRef(manager, "e")), first);
	EXPECT_EQ(manager->getCachedCount(SharedType), 1u);

	// Cached under another name, the way particle collections cache their emitters.
	EXPECT_TRUE(manager->addContentAs(ContentRef(manager, "alias"), second));
	EXPECT_EQ(manager->findCachedContent(SharedType, ContentRef(manager, "alias")), second);

	for (FakeContent* object : {first, second, never, other})
		object->drop();
	manager->releaseAllContent();
	EXPECT_EQ(manager->getCachedCount(SharedType), 0u);
}

TEST_F(ContentManagerTest, RemovingACloneRemovesItsTemplate)
{
	fs->files["s"] = "s";
	FakeContent* clone = get(ClonedType, "s");
	ASSERT_NE(clone, nullptr);
	EXPECT_EQ(FakeContent::alive, 2);
	manager->removeContent(clone);
	manager->removeContent(nullptr);
	EXPECT_EQ(manager->getCachedCount(ClonedType), 0u);
	EXPECT_EQ(FakeContent::alive, 1) << "the template is gone, the clone stays with its owner";
	clone->drop();
}

TEST_F(ContentManagerTest, ReleasingUnusedContentFollowsReferencesBetweenCachedObjects)
{
	// A shared object holding another cached one, as an atlas frame holds its page texture.
	fs->files["frame"] = "include page\n";
	fs->files["page"] = "page";
	FakeContent* frame = get(SharedType, "frame");
	ASSERT_NE(frame, nullptr);
	frame->drop();
	EXPECT_EQ(manager->getCachedCount(SharedType), 2u);
	manager->releaseUnusedContent();
	EXPECT_EQ(manager->getCachedCount(SharedType), 0u);
}

TEST_F(ContentManagerTest, ReleaseAllContentDropsEveryCachedObjectEvenWhenHeldElsewhere)
{
	fs->files["a"] = "a";
	fs->files["b"] = "b";
	FakeContent* held = get(SharedType, "a");
	FakeContent* clone = get(ClonedType, "b");
	manager->releaseAllContent();
	EXPECT_EQ(manager->getCachedCount(SharedType), 0u);
	EXPECT_EQ(manager->getCachedCount(ClonedType), 0u);
	EXPECT_EQ(held->getReferenceCount(), 1);
	held->drop();
	clone->drop();
}

TEST_F(ContentManagerTest, SaveContentWritesThroughTheTypesProcessor)
{
	FakeContent* object = new FakeContent(ContentRef(manager, "out"), SharedType, ContentShared, "saved text");
	int quality = 80;
	EXPECT_TRUE(manager->saveContent(SharedType, object, "out/file.txt", &quality));
	EXPECT_EQ(fs->files["out/file.txt"], "saved text");
	EXPECT_EQ(shared->lastSaveParameter, &quality);

	fs->writable = false;
	LogCapture log;
	EXPECT_FALSE(manager->saveContent(SharedType, object, "out/other.txt", nullptr));
	EXPECT_TRUE(log.lines.empty());

	EXPECT_FALSE(manager->saveContent(makeContentType("none"), object, "out/x.txt", nullptr));
	ASSERT_EQ(log.lines.size(), 1u);
	EXPECT_EQ(log.lines[0].hint, "IContentProcessor for saving the content out/x.txt of type #1701736302 not found");
	EXPECT_EQ(log.lines[0].level, 1);
	object->drop();
}

TEST_F(ContentManagerTest, BroadcastReachesProcessorsOfCachedTypesInPriorityOrder)
{
	FakeProcessor* early = addProcessor(makeContentType("tlow"), ContentShared, -5);
	FakeProcessor* late = addProcessor(makeContentType("thig"), ContentShared, 7);
	addProcessor(makeContentType("temp"), ContentShared, -10); // nothing cached: not called
	for (const char* name : {"a", "b"})
		fs->files[name] = name;
	ContentObject* objects[] = {get(late->type, "a"), get(SharedType, "a"), get(SharedType, "b"),
	                            get(early->type, "b")};

	CEventDeviceReset reset;
	EXPECT_FALSE(manager->sendToChildren(DeliverSelfThenChildren, &reset));
	ASSERT_EQ(FakeProcessor::calls.size(), 3u);
	EXPECT_EQ(FakeProcessor::calls[0].type, early->type);
	EXPECT_EQ(FakeProcessor::calls[1].type, SharedType);
	EXPECT_EQ(FakeProcessor::calls[1].objectCount, 2u);
	EXPECT_EQ(FakeProcessor::calls[2].type, late->type);
	EXPECT_EQ(FakeProcessor::calls[2].eventId, CEventDeviceReset::TypeId);
	for (ContentObject* object : objects)
		object->drop();
}

TEST_F(ContentManagerTest, SoundProcessorReleasesEveryCachedSoundWhenTheAudioDeviceGoes)
{
	FakeContent* sound = new FakeContent(ContentRef(manager, "beep.wav"), ContentTypeSound, ContentCloned, "");
	EXPECT_TRUE(manager->addContent(sound));
	sound->drop();
	TestAudioReleasedEvent released;
	manager->sendToChildren(DeliverSelfThenChildren, &released);
	EXPECT_EQ(manager->getCachedCount(ContentTypeSound), 0u);
	EXPECT_EQ(FakeContent::alive, 0);
}

TEST_F(ContentManagerTest, GetSceneNodeHandsOutACloneOfTheCachedTree)
{
	BaseNode* tree = new BaseNode(ContentRef(manager, "scenes/Main.qscn"));
	EXPECT_TRUE(manager->addContent(tree));
	tree->drop();
	BaseNode* node = manager->getSceneNode("scenes/Main.qscn", false);
	ASSERT_NE(node, nullptr);
	EXPECT_NE(node, tree);
	EXPECT_EQ(node->getContentRef().getName(), "scenes/Main.qscn");
	EXPECT_EQ(manager->getSceneNode("scenes/Missing.qscn", false), nullptr);
	node->drop();
}

} // namespace
