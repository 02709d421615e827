#include "content/CMemoryFile.h"
#include "content/CRangeReadFile.h"
#include "content/CVirtualFile.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
TEST(CMemoryFile, ReadsAndSeeksWithinItsLength)
{
	char data[10] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};
	SmartPointer<CMemoryFile> file(new CMemoryFile(data, 10, "mem", false));
	ASSERT_TRUE(file->seek(8));
	char out[5] = {};
	EXPECT_EQ(file->read(out, 5), 2);
	EXPECT_EQ(std::string(out, 2), "89");

	ASSERT_TRUE(file->seek(8));
	EXPECT_FALSE(file->seek(11));
	EXPECT_EQ(file->getPos(), 8);
	EXPECT_FALSE(file->seek(-9, true));
	EXPECT_EQ(file->getPos(), 8);
	EXPECT_TRUE(file->seek(10));
	EXPECT_EQ(file->read(out, 5), 0);
	EXPECT_EQ(file->getSize(), 10);
}

TEST(CMemoryFile, WritesShareThePositionWithReadsAndNeverGrow)
{
	char data[4] = {};
	SmartPointer<CMemoryFile> file(new CMemoryFile(data, 4, "mem", false));
	EXPECT_EQ(file->write("abcdef", 6), 4);
	EXPECT_EQ(file->getPos(), 4);
	EXPECT_EQ(file->write("x", 1), 0);
	ASSERT_TRUE(file->seek(-2, true));
	char out[4] = {};
	EXPECT_EQ(file->read(out, 4), 2);
	EXPECT_EQ(std::string(out, 2), "cd");
}

TEST(CVirtualFile, GrowsByBlocksAndKeepsCapacityBeyondTheData)
{
	SmartPointer<CVirtualFile> file(new CVirtualFile("virtual", 4));
	EXPECT_EQ(file->write("abcd", 4), 4);
	EXPECT_EQ(file->getBlockCount(), 2u);
	EXPECT_EQ(file->write("efg", 3), 3);
	EXPECT_EQ(file->getBlockCount(), 2u);
	EXPECT_EQ(file->getSize(), 7);
	EXPECT_FALSE(file->seek(8));
	EXPECT_EQ(file->getPos(), 7);
	EXPECT_EQ(file->write("", 0), 0);

	ASSERT_TRUE(file->seek(2));
	char out[16] = {};
	EXPECT_EQ(file->read(out, 16), 5);
	EXPECT_EQ(std::string(out, 5), "cdefg");
}

TEST(CVirtualFile, OverwritesAcrossBlockBoundaries)
{
	SmartPointer<CVirtualFile> file(new CVirtualFile("virtual", 3));
	const std::string text = "0123456789abcdef";
	ASSERT_EQ(file->write(text.data(), static_cast<irr::u32>(text.size())), 16);
	ASSERT_TRUE(file->seek(5));
	ASSERT_EQ(file->write("XYZW", 4), 4);
	EXPECT_EQ(file->getSize(), 16);
	ASSERT_TRUE(file->seek(0));
	std::string out(16, '\0');
	EXPECT_EQ(file->read(out.data(), 16), 16);
	EXPECT_EQ(out, "01234XYZW9abcdef");
}

class RangeFileTest : public testing::Test
{
protected:
	void SetUp() override
	{
		for (int i = 0; i < 200; ++i)
			data[i] = static_cast<char>(i);
		source = new CMemoryFile(data, 200, "source", false);
	}
	void TearDown() override { source->drop(); }

	char data[200];
	CMemoryFile* source = nullptr;
};

TEST_F(RangeFileTest, ReadsOnlyInsideItsWindow)
{
	SmartPointer<CRangeReadFile> range(new CRangeReadFile("part", source, 100, 10));
	EXPECT_EQ(range->getSize(), 10);
	char out[32] = {};
	EXPECT_EQ(range->read(out, 32), 10);
	EXPECT_EQ(out[0], 100);
	EXPECT_EQ(out[9], 109);
	EXPECT_EQ(range->getPos(), 10);
}

TEST_F(RangeFileTest, SeekBeyondTheWindowClampsAndReportsFailure)
{
	SmartPointer<CRangeReadFile> range(new CRangeReadFile("part", source, 100, 10));
	EXPECT_FALSE(range->seek(50));
	EXPECT_EQ(range->getPos(), 10);
	char out[4];
	EXPECT_EQ(range->read(out, 4), 0);
	EXPECT_FALSE(range->seek(-20, true));
	EXPECT_EQ(range->getPos(), 0);
	EXPECT_TRUE(range->seek(4));
	EXPECT_TRUE(range->seek(2, true));
	EXPECT_EQ(range->read(out, 1), 1);
	EXPECT_EQ(out[0], 106);
}

TEST_F(RangeFileTest, TwoWindowsOverOneSourceKeepTheirOwnPositions)
{
	SmartPointer<CRangeReadFile> a(new CRangeReadFile("a", source, 0, 100));
	SmartPointer<CRangeReadFile> b(new CRangeReadFile("b", source, 0, 100));
	char out;
	a->seek(40);
	b->read(&out, 1);
	EXPECT_EQ(out, 0);
	a->read(&out, 1);
	EXPECT_EQ(out, 40);
	b->read(&out, 1);
	EXPECT_EQ(out, 1);
}

TEST_F(RangeFileTest, KeepsTheSourceAlive)
{
	source->grab();
	CRangeReadFile* range = new CRangeReadFile("part", source, 0, 5);
	EXPECT_EQ(source->getReferenceCount(), 3);
	range->drop();
	EXPECT_EQ(source->getReferenceCount(), 2);
	source->drop();
}
} // namespace
