#include "ContentTestHelpers.h"
#include "content/CFileList.h"
#include "content/CIrrlichtReadFile.h"
#include "content/IArchive.h"
#include "content/IFileList.h"
#include "content/IWriteFile.h"
#include "core/Random.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace
{
// A file system working inside a fresh temporary folder.
class FileSystemTest : public testing::Test
{
protected:
	FileSystemTest() : guard(temp.path()) {}

	TempDir temp;
	WorkingFolderGuard guard;
	SmartPointer<IFileSystem> fs{createFileSystem()};
};

TEST_F(FileSystemTest, LooseFileWinsOverFolderWhichWinsOverLaterArchives)
{
	ASSERT_TRUE(guard.ok());
	temp.write("assets/scenes/Main.qscn", "from folder");
	temp.write("second/scenes/Main.qscn", "from second folder");
	temp.write("second/only/Second.txt", "second only");
	ASSERT_NE(fs->addArchive("assets", false, false), nullptr);
	ASSERT_NE(fs->addArchive("second", false, false), nullptr);

	EXPECT_EQ(openAndRead(fs.get(), "scenes/Main.qscn"), "from folder");
	EXPECT_EQ(openAndRead(fs.get(), "only/Second.txt"), "second only");

	temp.write("scenes/Main.qscn", "loose");
	EXPECT_EQ(openAndRead(fs.get(), "scenes/Main.qscn"), "loose");
	EXPECT_EQ(openAndRead(fs.get(), "missing.txt"), "<none>");
}

TEST_F(FileSystemTest, MountedFolderReportsTheNameAsAskedAndLeavesTheWorkingFolder)
{
	temp.write("assets/scenes/Main.qscn", "x");
	const irr::core::stringc before = fs->getWorkingDirectory();
	IArchive* archive = fs->addArchive("assets", false, false);
	ASSERT_NE(archive, nullptr);
	EXPECT_EQ(fs->getWorkingDirectory(), before);
	EXPECT_STREQ(archive->getArchiveType().c_str(), "mount");
	EXPECT_STREQ(archive->getArchivePath().c_str(), (std::string(before.c_str()) + "/assets/").c_str());

	SmartPointer<IReadFile> file(archive->openFile("scenes/Main.qscn"));
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->getFileName().c_str(), "scenes/Main.qscn");
	EXPECT_EQ(archive->findFile("scenes/Main.qscn"), 1);
	EXPECT_EQ(archive->findFile("scenes/Other.qscn"), -1);
	EXPECT_TRUE(fs->existFile("scenes/Main.qscn", true));
	EXPECT_FALSE(fs->existFile("scenes/Main.qscn", false));
}

// A folder archive opens the names inside its folder only: a name that climbs out or starts at the root
// reads nothing, whatever the user could read there.
TEST_F(FileSystemTest, MountedFolderOpensOnlyNamesInsideIt)
{
	ASSERT_TRUE(guard.ok());
	temp.write("assets/scenes/Main.qscn", "inside");
	temp.write("secret.txt", "outside");
	IArchive* archive = fs->addArchive("assets", false, false);
	ASSERT_NE(archive, nullptr);
	const std::string secret = std::string(fs->getWorkingDirectory().c_str()) + "/secret.txt";
	const struct
	{
		const char* name;
		bool opens;
	} cases[] = {
	    {"scenes/Main.qscn", true},
	    {"scenes/../scenes/Main.qscn", false},
	    {"../secret.txt", false},
	    {"scenes/../../secret.txt", false},
	    {"..\\secret.txt", false},
	    {secret.c_str(), false},
	    {"", false},
	    {"scenes/..hidden", true},
	};
	temp.write("assets/scenes/..hidden", "dots in a name");
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		SmartPointer<IReadFile> file(archive->openFile(c.name));
		EXPECT_EQ(file.get() != nullptr, c.opens);
	}
}

TEST_F(FileSystemTest, ArchiveThatNoLoaderTakesIsLoggedAndNotAdded)
{
	LogCapture log;
	temp.write("plain.txt", "not an archive");
	EXPECT_EQ(fs->addArchive("nofolder", false, false), nullptr);
	EXPECT_EQ(fs->addArchive("plain.txt", false, false), nullptr);
	EXPECT_EQ(fs->getArchiveCount(), 0u);
	EXPECT_TRUE(log.contains("Could not create archive for", 2));
	EXPECT_EQ(fs->addArchive(static_cast<IReadFile*>(nullptr), false, false), nullptr);
}

TEST_F(FileSystemTest, RemoveArchiveKeepsTheOrderOfTheOthers)
{
	for (const char* name : {"a", "b", "c"})
		temp.write(std::string(name) + "/f.txt", name);
	IArchive* a = fs->addArchive("a", false, false);
	IArchive* b = fs->addArchive("b", false, false);
	IArchive* c = fs->addArchive("c", false, false);
	ASSERT_TRUE(a && b && c);
	fs->removeArchive(b);
	ASSERT_EQ(fs->getArchiveCount(), 2u);
	EXPECT_EQ(fs->getArchive(0), a);
	EXPECT_EQ(fs->getArchive(1), c);
	EXPECT_EQ(fs->getArchive(2), nullptr);
	fs->removeArchive(nullptr);
	EXPECT_EQ(fs->getArchiveCount(), 2u);
}

TEST_F(FileSystemTest, UniqueFileNamesAvoidExistingFilesAndHaveSixDigits)
{
	// Seeded twice the same way, the first candidate is known and can be made to exist.
	Random::instance()->seed(77);
	const irr::core::stringc first = fs->getUniqueFileName(temp.path().c_str(), "save");
	temp.write(first.c_str(), "taken");
	Random::instance()->seed(77);
	const irr::core::stringc second = fs->getUniqueFileName(temp.path().c_str(), "save");
	EXPECT_NE(first, second);
	for (const irr::core::stringc& name : {first, second})
	{
		ASSERT_EQ(name.size(), 10u) << name.c_str();
		EXPECT_EQ(std::string(name.c_str()).find_first_not_of("0123456789", 4), std::string::npos);
	}
}

TEST_F(FileSystemTest, WriteRenameRemoveRoundTrip)
{
	{
		SmartPointer<IWriteFile> out(fs->createAndWriteFile("a.txt", false));
		ASSERT_TRUE(out);
		out->write("hello", 5);
	}
	{
		SmartPointer<IWriteFile> out(fs->createAndWriteFile("a.txt", true));
		out->write(" world", 6);
	}
	EXPECT_EQ(openAndRead(fs.get(), "a.txt"), "hello world");
	EXPECT_TRUE(fs->renameFile("a.txt", "b.txt"));
	EXPECT_FALSE(fs->existFile("a.txt", false));
	EXPECT_TRUE(fs->existFile("b.txt", false));
	EXPECT_TRUE(fs->removeFile("b.txt"));
	EXPECT_FALSE(fs->removeFile("b.txt"));
	EXPECT_EQ(fs->createAndWriteFile("no/such/folder/x.txt", false), nullptr);
	EXPECT_EQ(fs->createAndWriteFile("", false), nullptr);
}

TEST_F(FileSystemTest, FoldersExistButDoNotOpenAsFiles)
{
	mkdir((temp.path() + "/folder").c_str(), 0755);
	EXPECT_TRUE(fs->existFile("folder", false));
	EXPECT_EQ(fs->createAndOpenFile("folder"), nullptr);
	EXPECT_EQ(fs->createAndOpenFile(""), nullptr);
}

TEST_F(FileSystemTest, AbsolutePathResolvesDotsWithoutNeedingTheFile)
{
	const std::string cwd = fs->getWorkingDirectory().c_str();
	struct Case
	{
		std::string name;
		std::string expected;
	};
	const Case cases[] = {{"x.txt", cwd + "/x.txt"},
	                      {"./a/../b/./c.txt", cwd + "/b/c.txt"},
	                      {"a\\b", cwd + "/a/b"},
	                      {"/usr//lib/../share/", "/usr/share"},
	                      {"/..", "/"},
	                      {"C:/a/../b", "C:/b"}};
	for (const Case& c : cases)
		EXPECT_STREQ(fs->getAbsolutePath(c.name.c_str()).c_str(), c.expected.c_str()) << c.name;
}

TEST_F(FileSystemTest, WorkingDirectoryChangesAndFailsForMissingFolders)
{
	temp.write("sub/x.txt", "x");
	const irr::core::stringc start = fs->getWorkingDirectory();
	EXPECT_TRUE(fs->changeWorkingDirectory("sub"));
	EXPECT_TRUE(fs->existFile("x.txt", false));
	EXPECT_FALSE(fs->changeWorkingDirectory("missing"));
	EXPECT_TRUE(fs->changeWorkingDirectory(start));
}

TEST_F(FileSystemTest, FileListPutsFoldersFirstThenNamesIgnoringCase)
{
	temp.write("b.txt", "12345");
	temp.write("A.txt", "1");
	temp.write("Zdir/x", "");
	temp.write("adir/x", "");
	SmartPointer<IFileList> list(fs->createFileList());
	std::vector<std::string> names;
	for (irr::u32 i = 0; i < list->getFileCount(); ++i)
		names.push_back(list->getFileName(i));
	const std::vector<std::string> expected = {".", "..", "adir", "Zdir", "A.txt", "b.txt"};
	EXPECT_EQ(names, expected);
	EXPECT_TRUE(list->isDirectory(2));
	EXPECT_FALSE(list->isDirectory(4));
	EXPECT_FALSE(list->isDirectory(99));
	EXPECT_EQ(list->getFileName(99), nullptr);
	EXPECT_EQ(list->getFullFileName(99), nullptr);
	EXPECT_STREQ(list->getFullFileName(5), (std::string(fs->getWorkingDirectory().c_str()) + "/b.txt").c_str());
}

TEST(CFileList, RootFolderTakesNoExtraSeparator)
{
	SmartPointer<CFileList> list(new CFileList("/"));
	ASSERT_GT(list->getFileCount(), 0u);
	const std::string full = list->getFullFileName(0);
	EXPECT_EQ(full, std::string("/") + list->getFileName(0));
}

TEST(FileSystemMemory, MemoryFilesNeedABuffer)
{
	SmartPointer<IFileSystem> fs(createFileSystem());
	EXPECT_EQ(fs->createMemoryReadFile(nullptr, 4, "x", false), nullptr);
	EXPECT_EQ(fs->createMemoryWriteFile(nullptr, 4, "x", false), nullptr);
	char data[4] = {};
	SmartPointer<IWriteFile> out(fs->createMemoryWriteFile(data, 4, "x", false));
	ASSERT_TRUE(out);
	EXPECT_EQ(out->write("abcd", 4), 4);
	EXPECT_EQ(std::string(data, 4), "abcd");
}

TEST(CIrrlichtReadFile, PassesReadsThroughToTheEngineFile)
{
	SmartPointer<IFileSystem> fs(createFileSystem());
	SmartPointer<IReadFile> file(memoryFileOf(fs.get(), "0123456789", "img.png"));
	CIrrlichtReadFile* adapter = new CIrrlichtReadFile(file.get());
	EXPECT_EQ(file->getReferenceCount(), 2);
	EXPECT_STREQ(adapter->getFileName().c_str(), "img.png");
	EXPECT_EQ(adapter->getSize(), 10);
	EXPECT_TRUE(adapter->seek(3));
	char out[3];
	EXPECT_EQ(adapter->read(out, 3), 3);
	EXPECT_EQ(std::string(out, 3), "345");
	EXPECT_EQ(adapter->getPos(), 6);
	adapter->drop();
	EXPECT_EQ(file->getReferenceCount(), 1);
}
} // namespace
