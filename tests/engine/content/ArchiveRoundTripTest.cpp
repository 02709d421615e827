#include "ContentTestHelpers.h"
#include "ZipBuilder.h"
#include "content/CPackedArchiveWriter.h"
#include "content/IArchive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
const char* const packKey = "round-trip key with some length to wrap around the entries";

// The same fixture files read back from a mounted folder, a zip and a packed archive.
class ArchiveRoundTripTest : public testing::Test
{
protected:
	void SetUp() override
	{
		std::string binary;
		for (int i = 0; i < 3000; ++i)
			binary += static_cast<char>((i * 131) ^ (i >> 3));
		files = {{"scenes/Main.qscn", "<Scene Name=\"Main\"/>\n"},
		         {"scenes/menu/Options.qscn", std::string(900, 'o') + "end"},
		         {"textures/noise.bin", binary},
		         {"empty.txt", ""},
		         {"readme", "no extension"}};
		for (const auto& file : files)
			source.write("assets/" + file.first, file.second);
	}

	void expectAllRead(IFileSystem* fs, const std::string& label)
	{
		for (const auto& file : files)
			EXPECT_EQ(openAndRead(fs, file.first.c_str()), file.second) << label << ": " << file.first;
		EXPECT_EQ(openAndRead(fs, "scenes/Missing.qscn"), "<none>") << label;
	}

	TempDir source;
	std::vector<std::pair<std::string, std::string>> files;
};

TEST_F(ArchiveRoundTripTest, FolderZipAndPackedArchiveGiveTheSameBytes)
{
	TempDir work;
	WorkingFolderGuard guard(work.path());
	ASSERT_TRUE(guard.ok());

	CPackedArchiveWriter writer(packKey);
	ASSERT_TRUE(writer.addFolder(source.file("assets")));
	EXPECT_EQ(writer.getEntryCount(), files.size());
	ASSERT_TRUE(writer.writeToFile(work.file("assets.qca")));

	std::vector<ZipItem> items;
	for (const auto& file : files)
		items.push_back({file.first, file.second, file.first.size() % 2 ? 8 : 0, file.first.size() % 3 == 0});
	work.write("assets.zip", buildZip(items));

	{
		SmartPointer<IFileSystem> fs(createFileSystem());
		ASSERT_NE(fs->addArchive(source.file("assets").c_str(), false, false), nullptr);
		expectAllRead(fs.get(), "folder");
	}
	{
		SmartPointer<IFileSystem> fs(createFileSystem());
		ASSERT_NE(fs->addArchive("assets.zip", false, false), nullptr);
		expectAllRead(fs.get(), "zip");
	}
	{
		SmartPointer<IFileSystem> fs(createFileSystem());
		fs->setAssetsCryptKey(packKey);
		IArchive* archive = fs->addArchive("assets.qca", false, false);
		ASSERT_NE(archive, nullptr);
		EXPECT_EQ(archive->getFileCount(), files.size());
		expectAllRead(fs.get(), "packed");
	}
}
} // namespace
