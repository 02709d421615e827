#include "AtlasTestSupport.h"

#include "content/CContentPreloader.h"
#include "content/CXMLReader.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{
// Two pages of 16 x 16, each with two frames.
const char* const twoPageList = R"(<?xml version="1.0"?>
<AtlasTextureCollection>
	<t f="one.png"/>
	<t f="two.png"/>
	<a n="a.png" i="0" r="0,0,8,8"/>
	<a n="b.png" i="0" r="8,0,16,8"/>
	<a n="c.png" i="1" r="0,0,8,8"/>
	<a n="d.png" i="1" r="8,8,16,16"/>
</AtlasTextureCollection>
)";

class ContentPreloaderTest : public NullDriverTest
{
protected:
	void writeList()
	{
		content.writePng("atlas/one.png", 16, 16, quadrantPixel);
		content.writePng("atlas/two.png", 16, 16, quadrantPixel);
		content.write("atlas/list.xml", twoPageList);
	}

	// The log's lines as "text hint", in order.
	static std::vector<std::string> linesOf(const LogCapture& log)
	{
		std::vector<std::string> lines;
		for (const LogCapture::Line& line : log.lines)
			lines.push_back(line.text + " " + line.hint);
		return lines;
	}

	// Every attribute value of the file, read through the file system.
	std::vector<std::string> attributeValuesOf(const std::string& name)
	{
		std::vector<std::string> values;
		SmartPointer<CXMLReader> reader(content.fileSystem->createXMLReader(name.c_str()));
		while (reader && reader->read())
			for (int i = 0; i < reader->getAttributeCount(); ++i)
				values.push_back(irr::core::stringc(reader->getAttributeValue(i).c_str()).c_str());
		return values;
	}

	// Delivers until everything asked for has arrived, the time bounded; afterEach looks at each delivery.
	static void deliverAll(CContentPreloader& preloader, CContentManager* manager,
	                       const std::function<void()>& afterEach = [] {})
	{
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (!preloader.isIdle() && std::chrono::steady_clock::now() < deadline)
		{
			preloader.waitForResult(std::chrono::steady_clock::now() + std::chrono::milliseconds(50));
			preloader.deliver(manager);
			afterEach();
		}
	}
};

// Read in parts of one page each, a list gives the frames, and the log lines in the order, of a whole reading.
TEST_F(ContentPreloaderTest, AListReadInPartsMatchesAWholeReading)
{
	writeList();
	std::vector<std::string> wholeLines;
	std::vector<std::string> wholeFrames;
	{
		LogCapture log;
		SmartPointer<AtlasTextureCollection> whole = content.list("atlas/list.xml");
		ASSERT_TRUE(whole);
		wholeLines = linesOf(log);
		for (irr::u32 i = 0; i < whole->getFrameCount(); ++i)
			wholeFrames.push_back(whole->getFrame(i)->getContentRef().getName().c_str());
	}
	content.manager->releaseAllContent();

	LogCapture log;
	const std::string name = content.path("atlas/list.xml");
	SmartPointer<CXMLReader> reader(content.fileSystem->createXMLReader(name.c_str()));
	ASSERT_TRUE(reader);
	SmartPointer<AtlasTextureCollection> parts(new AtlasTextureCollection(ContentRef(content.manager, name.c_str())));
	parts->beginLoad();
	std::vector<std::string> waited;
	int calls = 0;
	for (bool done = false; !done && calls < 10; ++calls)
	{
		waited.push_back(parts->getWaitingPageName().c_str());
		const size_t texturesBefore = content.manager->getCachedCount(ContentTypeTexture);
		content.manager->pushFolder(name.c_str());
		done = parts->loadPart(reader.get(), 1);
		content.manager->popFolder();
		EXPECT_LE(content.manager->getCachedCount(ContentTypeTexture) - texturesBefore, 1u) << calls;
	}
	getLogger()->log("Loaded atlas texture collection", name.c_str(), 0);
	// The first part loads the first page and stops on the second page's first frame.
	EXPECT_EQ(waited, (std::vector<std::string>{"", "two.png"}));
	EXPECT_EQ(linesOf(log), wholeLines);
	ASSERT_EQ(parts->getFrameCount(), wholeFrames.size());
	for (irr::u32 i = 0; i < parts->getFrameCount(); ++i)
		EXPECT_EQ(parts->getFrame(i)->getContentRef().getName().c_str(), wholeFrames[i]) << i;
}

// The thread reads the list ahead and decodes its pages; the file then opens from memory, the pages' textures
// take the decoded pictures, and neither the pictures nor the bytes stay once they are used.
TEST_F(ContentPreloaderTest, ReadAheadFilesAndPicturesAreUsedOnceAndNotKept)
{
	writeList();
	content.write("notes.xml", "<Notes/>");
	const std::string list = content.path("atlas/list.xml");
	const std::string notes = content.path("notes.xml");
	LogCapture log;
	{
		CContentPreloader preloader(content.fileSystem, 4);
		preloader.request(CContentPreloader::Kind::AtlasList, list.c_str());
		preloader.request(CContentPreloader::Kind::File, notes.c_str());
		preloader.request(CContentPreloader::Kind::File, content.path("absent.xml").c_str());
		// The main thread keeps opening files meanwhile.
		for (int i = 0; i < 20; ++i)
			SmartPointer<IReadFile>(content.fileSystem->createAndOpenFile(content.path("atlas/one.png").c_str()));
		deliverAll(preloader, content.manager);
		EXPECT_TRUE(preloader.isIdle());
		EXPECT_FALSE(preloader.isPending(list.c_str()));
	}
	EXPECT_EQ(content.manager->getPreparedImageCount(), 2u);
	// Gone from the disk, the file still opens once, from what was read ahead.
	std::remove(notes.c_str());
	SmartPointer<IReadFile> first(content.fileSystem->createAndOpenFile(notes.c_str()));
	ASSERT_TRUE(first);
	EXPECT_EQ(first->getSize(), 8);
	EXPECT_FALSE(SmartPointer<IReadFile>(content.fileSystem->createAndOpenFile(notes.c_str())));

	SmartPointer<AtlasTextureCollection> loaded = content.list("atlas/list.xml");
	ASSERT_TRUE(loaded);
	EXPECT_EQ(loaded->getFrameCount(), 4u);
	EXPECT_EQ(content.manager->getPreparedImageCount(), 0u);
	EXPECT_EQ(content.manager->getCachedCount(ContentTypeImage), 0u);
	EXPECT_TRUE(log.contains("Loaded image", 0));
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
	content.fileSystem->dropPreloadedFiles();
}

// A scene's pictures are decoded right after it: those it names that exist, then the pages of the fonts it
// names (relative to the font), each once; names that are not files (atlas frames) are left alone.
TEST_F(ContentPreloaderTest, AScenesPicturesAndFontPagesAreDecodedAfterIt)
{
	content.writePng("scenes/back.png", 8, 8, quadrantPixel);
	content.writePng("scenes/fonts/face_0.png", 8, 8, quadrantPixel);
	content.write("scenes/fonts/face.qfnt", R"(<Font Type="Bitmap"><Texture Filename="face_0.png"/></Font>)");
	content.write("scenes/one.qscn", R"(<Scene><Node Image="images/frame.png" Font="fonts/face.qfnt"/>
		<Node Background="back.png" Other="fonts/face.qfnt" Missing="absent.jpg"/><Node Again="back.png"/></Scene>)");
	const std::string scene = content.path("scenes/one.qscn");
	CContentPreloader preloader(content.fileSystem, 4);
	preloader.request(CContentPreloader::Kind::Scene, scene.c_str());
	deliverAll(preloader, content.manager);
	const std::vector<irr::core::stringc> pictures = preloader.getNamedPictures(scene.c_str());
	ASSERT_EQ(pictures.size(), 2u);
	EXPECT_EQ(pictures[0], irr::core::stringc(content.path("scenes/fonts/face_0.png").c_str()));
	EXPECT_EQ(pictures[1], irr::core::stringc(content.path("scenes/back.png").c_str()));
	EXPECT_EQ(content.manager->getPreparedImageCount(), 2u);
	EXPECT_TRUE(preloader.getNamedPictures(content.path("scenes/other.qscn").c_str()).empty());
	// The scene's first reading is the text read ahead (decoded on the thread); a later one reads the file.
	content.write("scenes/one.qscn", R"(<Scene><Node Changed="yes"/></Scene>)");
	const std::vector<std::string> first = attributeValuesOf(scene);
	EXPECT_NE(std::find(first.begin(), first.end(), "back.png"), first.end());
	EXPECT_EQ(attributeValuesOf(scene), std::vector<std::string>{"yes"});
	content.fileSystem->dropPreloadedFiles();
}

// A picture two scenes name is decoded once, for the first: the second would wait behind pictures nobody takes.
TEST_F(ContentPreloaderTest, APictureTwoScenesNameIsDecodedForTheFirstOnly)
{
	content.writePng("scenes/back.png", 8, 8, quadrantPixel);
	content.writePng("scenes/fonts/face_0.png", 8, 8, quadrantPixel);
	content.write("scenes/fonts/face.qfnt", R"(<Font><Texture Filename="face_0.png"/></Font>)");
	content.write("scenes/one.qscn", R"(<Scene><Node Font="fonts/face.qfnt" Image="back.png"/></Scene>)");
	content.write("scenes/two.qscn", R"(<Scene><Node Font="fonts/face.qfnt"/></Scene>)");
	const std::string one = content.path("scenes/one.qscn");
	const std::string two = content.path("scenes/two.qscn");
	CContentPreloader preloader(content.fileSystem, 1);
	preloader.request(CContentPreloader::Kind::Scene, one.c_str());
	preloader.request(CContentPreloader::Kind::Scene, two.c_str());
	const auto deliverUntilDone = [&](const std::string& name)
	{
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (preloader.isPending(name.c_str()) && std::chrono::steady_clock::now() < deadline)
		{
			preloader.waitForResult(std::chrono::steady_clock::now() + std::chrono::milliseconds(50));
			preloader.deliver(content.manager);
		}
		return !preloader.isPending(name.c_str());
	};
	ASSERT_TRUE(deliverUntilDone(one));
	const std::vector<irr::core::stringc> pictures = preloader.getNamedPictures(one.c_str());
	EXPECT_EQ(pictures.size(), 2u);
	// One picture waits at a time, taken as the intro takes it; the next follows.
	for (const irr::core::stringc& picture : pictures)
	{
		ASSERT_TRUE(deliverUntilDone(picture.c_str()));
		EXPECT_TRUE(SmartPointer<ImageContent>(
		    content.manager->takePreparedImage(ContentRef(content.manager, picture.c_str()))));
	}
	ASSERT_TRUE(deliverUntilDone(two));
	EXPECT_TRUE(preloader.getNamedPictures(two.c_str()).empty());
	EXPECT_TRUE(preloader.isIdle());
	content.fileSystem->dropPreloadedFiles();
}

// A reader made ahead serves the next reading of its file from the start, once; dropping the read-ahead frees it.
TEST_F(ContentPreloaderTest, APreparedReaderServesTheNextReadingOnce)
{
	const std::string name = content.path("notes.xml");
	content.write("notes.xml", R"(<Notes On="disk"/>)");
	const std::string ahead = R"(<Notes On="ahead"/>)";
	content.fileSystem->addPreparedXMLReader(name.c_str(), new CXMLReader(ahead.data(), ahead.size()));
	EXPECT_EQ(attributeValuesOf(name), std::vector<std::string>{"ahead"});
	EXPECT_EQ(attributeValuesOf(name), std::vector<std::string>{"disk"});
	content.fileSystem->addPreparedXMLReader(name.c_str(), new CXMLReader(ahead.data(), ahead.size()));
	content.fileSystem->dropPreloadedFiles();
	EXPECT_EQ(attributeValuesOf(name), std::vector<std::string>{"disk"});
}

// The thread keeps no more decoded pictures ready than it is allowed; the rest follow as they are taken.
TEST_F(ContentPreloaderTest, DecodedPicturesWaitingAreBounded)
{
	std::vector<std::string> names;
	for (int i = 0; i < 5; ++i)
		names.push_back(content.writePng("p" + std::to_string(i) + ".png", 8, 8, quadrantPixel));
	CContentPreloader preloader(content.fileSystem, 2);
	for (const std::string& name : names)
		preloader.request(CContentPreloader::Kind::Picture, name.c_str());
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
	while (!preloader.isIdle() && std::chrono::steady_clock::now() < deadline)
	{
		preloader.waitForResult(std::chrono::steady_clock::now() + std::chrono::milliseconds(50));
		preloader.deliver(content.manager);
		EXPECT_LE(content.manager->getPreparedImageCount(), 2u);
		// The texture takes its prepared picture, which frees room for the next.
		for (const std::string& name : names)
			if (content.manager->getPreparedImageCount() == 2u)
				SmartPointer<ContentObject>(content.manager->getContent(ContentTypeTexture, name.c_str(), false));
	}
	EXPECT_TRUE(preloader.isIdle());
}
} // namespace

// Pictures nobody takes do not hold back the ones after them for ever: once the caller waits for a later result,
// those it went past make room, oldest first, and no more than the quota waits. A picture someone else prepared
// is theirs: it keeps its room. What made room only costs its texture a decoding of the file.
TEST_F(ContentPreloaderTest, PicturesNobodyTakesMakeRoomOnceALaterResultIsWaited)
{
	struct Case
	{
		const char* story;
		bool theirs;                   // another owner's picture waits in the manager too
		std::vector<int> stillWaiting; // of ours, at the end
	};
	const Case cases[] = {
	    {"only ours", false, {2, 3}},
	    {"one of theirs", true, {3}},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.story);
		AtlasContentFixture fresh(library.driver());
		std::vector<std::string> names;
		for (int i = 0; i < 4; ++i)
			names.push_back(fresh.writePng("p" + std::to_string(i) + ".png", 8, 8, quadrantPixel));
		const ContentRef theirs(fresh.manager, fresh.path("theirs.png").c_str());
		if (c.theirs)
			fresh.manager->addPreparedImage(
			    theirs, new ImageContent(library.driver()->createImage(irr::video::ECF_A8R8G8B8, {1, 1}), theirs));
		CContentPreloader preloader(fresh.fileSystem, 2);
		for (const std::string& name : names)
			preloader.request(CContentPreloader::Kind::Picture, name.c_str());
		// Nothing is ever taken.
		deliverAll(preloader, fresh.manager, [&] { EXPECT_LE(fresh.manager->getPreparedImageCount(), 2u); });
		ASSERT_TRUE(preloader.isIdle());
		EXPECT_EQ(fresh.manager->hasPreparedImage(theirs), c.theirs);
		std::vector<int> waiting;
		for (int i = 0; i < 4; ++i)
			if (fresh.manager->hasPreparedImage(ContentRef(fresh.manager, names[static_cast<size_t>(i)].c_str())))
				waiting.push_back(i);
		EXPECT_EQ(waiting, c.stillWaiting);
		EXPECT_TRUE(fresh.get<ContentObject>(ContentTypeTexture, "p0.png"));
	}
}
