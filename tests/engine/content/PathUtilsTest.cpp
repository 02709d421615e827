#include "content/PathUtils.h"

#include <gtest/gtest.h>

namespace
{
struct PathCase
{
	const char* base;
	const char* name;
	const char* expected;
};

class FlattenPathTest : public testing::TestWithParam<PathCase>
{
};

TEST_P(FlattenPathTest, ResolvesAgainstTheBaseFolder)
{
	const PathCase& c = GetParam();
	EXPECT_STREQ(flattenPath(c.base, c.name).c_str(), c.expected) << c.base << " + " << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, FlattenPathTest,
                         testing::Values(PathCase{"scenes/menu/Main.qscn", "../common/a.png", "scenes/common/a.png"},
                                         PathCase{"scenes/Main.qscn", "./a.png", "scenes/a.png"},
                                         PathCase{"Main.qscn", "a.png", "a.png"},
                                         PathCase{"scenes/Main.qscn", "C:/x.png", "C:/x.png"},
                                         PathCase{"scenes/Main.qscn", "/abs/x.png", "/abs/x.png"},
                                         PathCase{"scenes/Main.qscn", "../../a.png", "a.png"},
                                         PathCase{"", "a/b.png", "a/b.png"},
                                         PathCase{"scenes\\menu\\Main.qscn", "..\\x.png", "scenes/x.png"},
                                         PathCase{"scenes/Main.qscn", "sub/../a.png", "scenes/sub/../a.png"},
                                         PathCase{"a/b/c/M.x", "./../.././y", "a/y"}));

class RelativePathTest : public testing::TestWithParam<PathCase>
{
};

TEST_P(RelativePathTest, WritesTargetFromTheBaseFolder)
{
	const PathCase& c = GetParam();
	EXPECT_STREQ(getRelativePath(c.base, c.name).c_str(), c.expected) << c.base << " -> " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RelativePathTest,
    testing::Values(PathCase{"scenes/Main.qscn", "scenes/a.png", "a.png"},
                    PathCase{"scenes/Main.qscn", "atlases/a.xml", "../atlases/a.xml"},
                    PathCase{"scenes/menu/Main.qscn", "scenes/common/Back.png", "../common/Back.png"},
                    PathCase{"Main.qscn", "Back.png", "Back.png"}, PathCase{"", "x\\y.png", "x\\y.png"},
                    PathCase{"scenes\\Main.qscn", "scenes/sub\\a.png", "sub/a.png"},
                    PathCase{"/home/u/a/M.x", "/home/u/b/c.png", "../b/c.png"},
                    PathCase{"C:/a/M.x", "D:/a/c.png", "D:/a/c.png"}, PathCase{"a/M.x", "/a/c.png", "/a/c.png"}));

struct TextCase
{
	const char* input;
	const char* expected;
};

TEST(PathUtils, FileNamePart)
{
	const TextCase cases[] = {{"a/b/c.png", "c.png"}, {"a\\b.png", "b.png"}, {"C:b.png", "b.png"},
	                          {"plain", "plain"},     {"dir/", ""},          {"", ""}};
	for (const TextCase& c : cases)
		EXPECT_STREQ(getFileNamePart(c.input).c_str(), c.expected) << c.input;
}

TEST(PathUtils, FileExtensionLooksOnlyAtTheFileName)
{
	const TextCase cases[] = {{"a.PNG", "PNG"},       {"archive.tar.gz", "gz"},  {"noext", ""},
	                          {"some.dir/noext", ""}, {"/tmp/x.d/a.qca", "qca"}, {"trailing.", ""}};
	for (const TextCase& c : cases)
		EXPECT_STREQ(getFileExtension(c.input).c_str(), c.expected) << c.input;
}

TEST(PathUtils, PathRoot)
{
	const TextCase cases[] = {{"", ""},
	                          {"a", ""},
	                          {"C:/x", "C"},
	                          {"c:", "c"},
	                          {"/home/x", "/"},
	                          {"/", "/"},
	                          {"\\\\server\\share\\dir\\f", "\\\\server\\share"},
	                          {"//server/share", "//server/share"},
	                          {"//server", "//server"},
	                          {"relative/path", ""}};
	for (const TextCase& c : cases)
		EXPECT_STREQ(getPathRoot(c.input).c_str(), c.expected) << c.input;
	EXPECT_TRUE(isAbsolutePath("/x"));
	EXPECT_TRUE(isAbsolutePath("C:/x"));
	EXPECT_FALSE(isAbsolutePath("x/y"));
}

TEST(PathUtils, ArchiveNameOrderIsSignedBytewiseShorterFirst)
{
	EXPECT_LT(compareArchiveNames("a", "ab"), 0);
	EXPECT_GT(compareArchiveNames("b", "ab"), 0);
	EXPECT_LT(compareArchiveNames("B", "a"), 0);
	EXPECT_EQ(compareArchiveNames("same", "same"), 0);
	// Bytes above 127 are negative as signed chars, so they come first.
	EXPECT_LT(compareArchiveNames("\xE9", "a"), 0);
}
} // namespace
