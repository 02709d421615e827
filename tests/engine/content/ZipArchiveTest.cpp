#include "ContentTestHelpers.h"
#include "ZipBuilder.h"
#include "content/IArchive.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
std::string patterned(size_t size)
{
	std::string text;
	for (size_t i = 0; i < size; ++i)
		text += static_cast<char>("zip archive contents "[i % 21] + (i / 97) % 3);
	return text;
}

class ZipArchiveTest : public testing::Test
{
protected:
	IArchive* addZip(const std::vector<ZipItem>& items, bool ignoreCase = false, bool ignorePaths = false)
	{
		SmartPointer<IReadFile> file(memoryFileOf(fs.get(), buildZip(items), "test.zip"));
		return fs->addArchive(file.get(), ignoreCase, ignorePaths);
	}

	std::string readEntry(IArchive* archive, const char* name)
	{
		SmartPointer<IReadFile> file(archive->openFile(name));
		return file ? readAll(file.get()) : std::string("<none>");
	}

	SmartPointer<IFileSystem> fs{createFileSystem()};
};

TEST_F(ZipArchiveTest, ReadsStoredDeflatedAndDescriptorEntries)
{
	const std::string big = patterned(70000);
	IArchive* archive = addZip({{"stored.txt", "plain text", 0, false},
	                            {"dir/deflated.bin", big, 8, false},
	                            {"late/stored.txt", "sizes after the data", 0, true},
	                            {"late/deflated.bin", big + "tail", 8, true},
	                            {"empty.txt", "", 8, false},
	                            {"last.txt", "still found after descriptors", 0, false}});
	ASSERT_NE(archive, nullptr);
	EXPECT_STREQ(archive->getArchiveType().c_str(), "zip");
	EXPECT_STREQ(archive->getArchivePath().c_str(), "test.zip");
	EXPECT_EQ(archive->getFileCount(), 6u);
	EXPECT_EQ(readEntry(archive, "stored.txt"), "plain text");
	EXPECT_EQ(readEntry(archive, "dir/deflated.bin"), big);
	EXPECT_EQ(readEntry(archive, "late/stored.txt"), "sizes after the data");
	EXPECT_EQ(readEntry(archive, "late/deflated.bin"), big + "tail");
	EXPECT_EQ(readEntry(archive, "empty.txt"), "");
	EXPECT_EQ(readEntry(archive, "last.txt"), "still found after descriptors");
	EXPECT_EQ(readEntry(archive, "missing.txt"), "<none>");

	SmartPointer<IReadFile> viaFileSystem(fs->createAndOpenFile("dir/deflated.bin"));
	ASSERT_TRUE(viaFileSystem);
	EXPECT_STREQ(viaFileSystem->getFileName().c_str(), "dir/deflated.bin");
	EXPECT_EQ(viaFileSystem->getSize(), 70000);
}

TEST_F(ZipArchiveTest, EntriesAreSortedAndDescribed)
{
	IArchive* archive = addZip({{"b.txt", "bb", 0, false}, {"A.txt", "a", 8, false}, {"a.txt", "aaa", 0, false}});
	ASSERT_NE(archive, nullptr);
	ASSERT_EQ(archive->getFileCount(), 3u);
	EXPECT_STREQ(archive->getFileEntry(0)->keyName.c_str(), "A.txt");
	EXPECT_STREQ(archive->getFileEntry(1)->keyName.c_str(), "a.txt");
	EXPECT_EQ(archive->getFileEntry(2)->size, 2);
	EXPECT_EQ(archive->getFileEntry(3), nullptr);
	EXPECT_EQ(archive->openFile(3), nullptr);
	EXPECT_EQ(archive->openFile(-1), nullptr);
}

struct FlagCase
{
	bool ignoreCase;
	bool ignorePaths;
	const char* name;
	bool found;
};

TEST_F(ZipArchiveTest, IgnoreCaseAndPathFlagsDecideWhichNamesFind)
{
	const FlagCase cases[] = {
	    {true, true, "img.png", true},         {true, true, "x/IMG.png", true},      {true, true, "y\\img.png", true},
	    {true, true, "Data/Img.PNG", true},    {false, false, "Data/Img.PNG", true}, {false, false, "img.png", false},
	    {false, false, "data/img.png", false}, {true, false, "data/img.png", true},  {true, false, "img.png", false},
	    {false, true, "z/Img.PNG", true},      {false, true, "img.png", false}};
	for (const FlagCase& c : cases)
	{
		SmartPointer<IFileSystem> own(createFileSystem());
		SmartPointer<IReadFile> file(
		    memoryFileOf(own.get(), buildZip({{"Data/Img.PNG", "pixels", 8, false}}), "t.zip"));
		IArchive* archive = own->addArchive(file.get(), c.ignoreCase, c.ignorePaths);
		ASSERT_NE(archive, nullptr);
		EXPECT_EQ(archive->findFile(c.name) >= 0, c.found)
		    << c.name << " case " << c.ignoreCase << " paths " << c.ignorePaths;
	}
}

TEST_F(ZipArchiveTest, StoredEntryOpenedTwiceHasIndependentPositions)
{
	const std::string data = patterned(100);
	IArchive* archive = addZip({{"s.bin", data, 0, false}});
	ASSERT_NE(archive, nullptr);
	SmartPointer<IReadFile> a(archive->openFile("s.bin"));
	SmartPointer<IReadFile> b(archive->openFile("s.bin"));
	ASSERT_TRUE(a && b);
	EXPECT_EQ(a->getSize(), 100);
	char ca[10], cb[10];
	a->seek(50);
	ASSERT_EQ(b->read(cb, 10), 10);
	ASSERT_EQ(a->read(ca, 10), 10);
	EXPECT_EQ(std::string(cb, 10), data.substr(0, 10));
	EXPECT_EQ(std::string(ca, 10), data.substr(50, 10));
	EXPECT_EQ(b->getPos(), 10);
}

TEST_F(ZipArchiveTest, DamagedDeflateDataIsReported)
{
	std::string zip = buildZip({{"bad.bin", patterned(5000), 8, false}});
	const size_t dataStart = 30 + 7;
	for (size_t i = dataStart; i < dataStart + 40; ++i)
		zip[i] = static_cast<char>(0xFF);
	LogCapture log;
	SmartPointer<IReadFile> file(memoryFileOf(fs.get(), zip, "bad.zip"));
	IArchive* archive = fs->addArchive(file.get(), false, false);
	ASSERT_NE(archive, nullptr);
	EXPECT_EQ(archive->openFile("bad.bin"), nullptr);
	EXPECT_TRUE(log.contains("Error decompressing %s", 2));
}

TEST_F(ZipArchiveTest, UnsupportedMethodIsReported)
{
	LogCapture log;
	IArchive* archive = addZip({{"bz.bin", "pretend bzip2", 12, false}});
	ASSERT_NE(archive, nullptr);
	EXPECT_EQ(archive->openFile("bz.bin"), nullptr);
	EXPECT_TRUE(log.contains("File has unsupported compression method. %s", 2));
}

TEST_F(ZipArchiveTest, SizeClaimsBeyondTheFileDropTheEntry)
{
	std::string zip = buildZip({{"a.txt", "aaaa", 0, false}, {"b.txt", "bbbb", 0, false}});
	// Second local header: compressed and uncompressed sizes claim 2 GB.
	const size_t second = 30 + 5 + 4;
	for (size_t i = second + 18; i < second + 26; ++i)
		zip[i] = (i - second - 18) % 4 == 3 ? '\x7F' : '\xFF';
	SmartPointer<IReadFile> file(memoryFileOf(fs.get(), zip, "lying.zip"));
	IArchive* archive = fs->addArchive(file.get(), false, false);
	ASSERT_NE(archive, nullptr);
	EXPECT_EQ(readEntry(archive, "a.txt"), "aaaa");
	EXPECT_EQ(archive->findFile("b.txt"), -1);
}

TEST_F(ZipArchiveTest, EveryTruncationGivesWholeEntriesOrNone)
{
	const std::vector<ZipItem> items = {{"one.txt", patterned(300), 8, false},
	                                    {"two.txt", patterned(200), 0, true},
	                                    {"three.txt", patterned(400), 8, true}};
	const std::string zip = buildZip(items);
	for (size_t length = 0; length < zip.size(); length += 7)
	{
		SmartPointer<IFileSystem> own(createFileSystem());
		SmartPointer<IReadFile> file(memoryFileOf(own.get(), zip.substr(0, length), "cut.zip"));
		IArchive* archive = own->addArchive(file.get(), false, false);
		if (!archive)
			continue;
		for (const ZipItem& item : items)
		{
			SmartPointer<IReadFile> entry(archive->openFile(item.name.c_str()));
			if (entry)
			{
				EXPECT_EQ(readAll(entry.get()), item.data) << item.name << " cut at " << length;
			}
		}
	}
}

TEST_F(ZipArchiveTest, ZipFileOnDiskIsAddedByExtension)
{
	TempDir temp;
	temp.write("pack.PK3", buildZip({{"inside.txt", "from disk", 8, false}}));
	temp.write("renamed.dat", buildZip({{"other.txt", "by signature", 0, false}}));
	ASSERT_NE(fs->addArchive(temp.file("pack.PK3").c_str(), false, false), nullptr);
	ASSERT_NE(fs->addArchive(temp.file("renamed.dat").c_str(), false, false), nullptr);
	EXPECT_EQ(openAndRead(fs.get(), "inside.txt"), "from disk");
	EXPECT_EQ(openAndRead(fs.get(), "other.txt"), "by signature");
}
} // namespace
