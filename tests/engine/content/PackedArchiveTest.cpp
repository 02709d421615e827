#include "ContentTestHelpers.h"
#include "content/CPackedArchiveWriter.h"
#include "content/CVirtualFile.h"
#include "content/IArchive.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
const char* const gameKey = "k3Y-0f-fifty-nine-characters-for-the-packed-asset-archive!";

struct Blob
{
	std::string name;
	std::string data;
};

std::string packBytes(const std::vector<Blob>& blobs, const char* key)
{
	CPackedArchiveWriter writer(key);
	for (const Blob& blob : blobs)
		EXPECT_TRUE(writer.addEntry(blob.name, blob.data.data(), blob.data.size()));
	SmartPointer<CVirtualFile> out(new CVirtualFile("out", 256));
	EXPECT_TRUE(writer.write(out.get()));
	return readAll(out.get());
}

class PackedArchiveTest : public testing::Test
{
protected:
	IArchive* addPacked(const std::string& bytes, const char* key, bool ignoreCase = false, bool ignorePaths = false)
	{
		fs->setAssetsCryptKey(key);
		SmartPointer<IReadFile> file(memoryFileOf(fs.get(), bytes, "assets.qca"));
		return fs->addArchive(file.get(), ignoreCase, ignorePaths);
	}

	std::string readEntry(IArchive* archive, const char* name)
	{
		SmartPointer<IReadFile> file(archive->openFile(name));
		return file ? readAll(file.get()) : std::string("<none>");
	}

	SmartPointer<IFileSystem> fs{createFileSystem()};
	const std::vector<Blob> blobs = {{"scenes/Main.qscn", "<scene/>"},
	                                 {"textures/a.png", std::string("\x89PNG\0\x01\x02", 7)},
	                                 {"empty.txt", ""},
	                                 {"texts/long.txt", std::string(5000, 'q')}};
};

TEST_F(PackedArchiveTest, EmptyKeyStoresPlainBytesThatReadBack)
{
	const std::string bytes = packBytes(blobs, "");
	EXPECT_NE(bytes.find("scenes/Main.qscn"), std::string::npos);
	EXPECT_NE(bytes.find("<scene/>"), std::string::npos);
	IArchive* archive = addPacked(bytes, "");
	ASSERT_NE(archive, nullptr);
	EXPECT_STREQ(archive->getArchiveType().c_str(), "qca");
	EXPECT_EQ(archive->getFileCount(), blobs.size());
	for (const Blob& blob : blobs)
		EXPECT_EQ(readEntry(archive, blob.name.c_str()), blob.data) << blob.name;
}

TEST_F(PackedArchiveTest, KeyedArchiveHidesNamesAndDataAndNeedsTheKey)
{
	const std::string bytes = packBytes(blobs, gameKey);
	EXPECT_EQ(bytes.find("scenes/Main.qscn"), std::string::npos);
	EXPECT_EQ(bytes.find("<scene/>"), std::string::npos);
	EXPECT_EQ(bytes.find("qqqqqqqq"), std::string::npos);

	IArchive* archive = addPacked(bytes, gameKey);
	ASSERT_NE(archive, nullptr);
	for (const Blob& blob : blobs)
		EXPECT_EQ(readEntry(archive, blob.name.c_str()), blob.data) << blob.name;

	SmartPointer<IFileSystem> other(createFileSystem());
	other->setAssetsCryptKey("a-different-key");
	SmartPointer<IReadFile> file(memoryFileOf(other.get(), bytes, "assets.qca"));
	IArchive* wrong = other->addArchive(file.get(), false, false);
	ASSERT_NE(wrong, nullptr);
	EXPECT_EQ(wrong->findFile("scenes/Main.qscn"), -1);
}

TEST_F(PackedArchiveTest, EmptyEntryOpensAsAnEmptyFile)
{
	IArchive* archive = addPacked(packBytes(blobs, gameKey), gameKey);
	ASSERT_NE(archive, nullptr);
	SmartPointer<IReadFile> file(archive->openFile("empty.txt"));
	ASSERT_TRUE(file);
	EXPECT_EQ(file->getSize(), 0);
	char c;
	EXPECT_EQ(file->read(&c, 1), 0);
	EXPECT_STREQ(file->getFileName().c_str(), "empty.txt");
}

struct FlagCase
{
	bool ignoreCase;
	bool ignorePaths;
	const char* name;
	bool found;
};

TEST_F(PackedArchiveTest, FlagsFindNamesStoredWithCapitals)
{
	const FlagCase cases[] = {{false, false, "Scenes/Main.QSCN", true}, {false, false, "scenes/main.qscn", false},
	                          {true, false, "scenes/main.qscn", true},  {true, false, "SCENES/MAIN.QSCN", true},
	                          {true, false, "main.qscn", false},        {false, true, "x/Main.QSCN", true},
	                          {false, true, "main.qscn", false},        {true, true, "y\\MAIN.qscn", true}};
	const std::string bytes = packBytes({{"Scenes/Main.QSCN", "m"}, {"other.txt", "o"}}, gameKey);
	for (const FlagCase& c : cases)
	{
		SmartPointer<IFileSystem> own(createFileSystem());
		own->setAssetsCryptKey(gameKey);
		SmartPointer<IReadFile> file(memoryFileOf(own.get(), bytes, "assets.qca"));
		IArchive* archive = own->addArchive(file.get(), c.ignoreCase, c.ignorePaths);
		ASSERT_NE(archive, nullptr);
		SmartPointer<IReadFile> entry(archive->openFile(c.name));
		EXPECT_EQ(entry.get() != nullptr, c.found) << c.name << " case " << c.ignoreCase << " paths " << c.ignorePaths;
		if (entry)
		{
			EXPECT_EQ(readAll(entry.get()), "m");
			EXPECT_STREQ(entry->getFileName().c_str(), "Scenes/Main.QSCN");
		}
	}
}

TEST_F(PackedArchiveTest, EmptyArchiveOpensWithoutAMessage)
{
	LogCapture log;
	IArchive* archive = addPacked(packBytes({}, gameKey), gameKey);
	ASSERT_NE(archive, nullptr);
	EXPECT_EQ(archive->getFileCount(), 0u);
	EXPECT_TRUE(log.lines.empty()) << log.dump();
}

TEST_F(PackedArchiveTest, SameEntryTwiceGivesIndependentCopies)
{
	IArchive* archive = addPacked(packBytes(blobs, gameKey), gameKey);
	ASSERT_NE(archive, nullptr);
	SmartPointer<IReadFile> a(archive->openFile("texts/long.txt"));
	SmartPointer<IReadFile> b(archive->openFile("texts/long.txt"));
	ASSERT_TRUE(a && b);
	a->seek(4000);
	EXPECT_EQ(b->getPos(), 0);
	EXPECT_EQ(readAll(a.get()), readAll(b.get()));
}

TEST_F(PackedArchiveTest, TruncatedArchivesGiveWholeEntriesOrNone)
{
	const std::string bytes = packBytes(blobs, gameKey);
	bool sawTableMessage = false;
	for (size_t length = 0; length < bytes.size(); length += (length < 64 || length > bytes.size() - 200) ? 1 : 97)
	{
		LogCapture log;
		SmartPointer<IFileSystem> own(createFileSystem());
		own->setAssetsCryptKey(gameKey);
		SmartPointer<IReadFile> file(memoryFileOf(own.get(), bytes.substr(0, length), "cut.qca"));
		IArchive* archive = own->addArchive(file.get(), false, false);
		sawTableMessage = sawTableMessage || log.contains("Unable to read file description", 0);
		if (!archive)
			continue;
		for (const Blob& blob : blobs)
		{
			SmartPointer<IReadFile> entry(archive->openFile(blob.name.c_str()));
			if (entry)
			{
				EXPECT_EQ(readAll(entry.get()), blob.data) << blob.name << " cut at " << length;
			}
		}
	}
	EXPECT_TRUE(sawTableMessage);
}

TEST_F(PackedArchiveTest, LyingEntrySizesOpenNothing)
{
	// Empty key: the table is plain, so its numbers can be edited directly.
	std::string bytes = packBytes({{"a.txt", "abc"}}, "");
	const size_t sizeField = bytes.size() - 4;
	bytes[sizeField + 3] = '\x7F';
	IArchive* archive = addPacked(bytes, "");
	ASSERT_NE(archive, nullptr);
	ASSERT_GE(archive->findFile("a.txt"), 0);
	EXPECT_EQ(archive->openFile("a.txt"), nullptr);
}

TEST_F(PackedArchiveTest, AddedByNameFromDiskOrByMagic)
{
	TempDir temp;
	temp.write("game.QCA", packBytes({{"x.txt", "by extension"}}, gameKey));
	temp.write("renamed.bin", packBytes({{"y.txt", "by magic"}}, gameKey));
	fs->setAssetsCryptKey(gameKey);
	IArchive* byExtension = fs->addArchive(temp.file("game.QCA").c_str(), false, false);
	ASSERT_NE(byExtension, nullptr);
	EXPECT_STREQ(byExtension->getArchivePath().c_str(), temp.file("game.QCA").c_str());
	ASSERT_NE(fs->addArchive(temp.file("renamed.bin").c_str(), false, false), nullptr);
	EXPECT_EQ(openAndRead(fs.get(), "x.txt"), "by extension");
	EXPECT_EQ(openAndRead(fs.get(), "y.txt"), "by magic");
}

TEST(CPackedArchiveWriter, RefusesNamesThatDoNotFitTheTable)
{
	CPackedArchiveWriter writer("");
	EXPECT_FALSE(writer.addEntry("", "x", 1));
	EXPECT_FALSE(writer.addEntry(std::string(70000, 'n'), "x", 1));
	EXPECT_TRUE(writer.addEntry(std::string(65535, 'n'), "x", 1));
	EXPECT_FALSE(writer.addFolder("/no/such/folder/anywhere"));
}
} // namespace
