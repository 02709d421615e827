#include "platform/DataFolders.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace
{
bool isFolder(const std::string& path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
	ScopedEnv(const char* name, const char* value) : name(name)
	{
		const char* old = std::getenv(name);
		hadOld = old != nullptr;
		if (old)
			oldValue = old;
		if (value)
			setenv(name, value, 1);
		else
			unsetenv(name);
	}
	~ScopedEnv()
	{
		if (hadOld)
			setenv(name, oldValue.c_str(), 1);
		else
			unsetenv(name);
	}

private:
	const char* name;
	std::string oldValue;
	bool hadOld;
};
} // namespace

TEST(DataFolders, UserFolderFollowsXdgDataHomeAndIsCreated)
{
	TempDir temp;
	ScopedEnv data("XDG_DATA_HOME", (temp.path() + "/data/").c_str());
	std::string folder = getUserDataFolder("Marrowfen", "Nerra Sample");
	EXPECT_EQ(temp.path() + "/data/Marrowfen/Nerra Sample", folder);
	EXPECT_TRUE(isFolder(folder));
}

TEST(DataFolders, UserFolderFallsBackToHomeWhenXdgDataHomeIsUnsetOrRelative)
{
	for (const char* xdg : {static_cast<const char*>(nullptr), "relative/path"})
	{
		TempDir temp;
		ScopedEnv home("HOME", temp.path().c_str());
		ScopedEnv data("XDG_DATA_HOME", xdg);
		std::string folder = getUserDataFolder("Pub", "Title");
		EXPECT_EQ(temp.path() + "/.local/share/Pub/Title", folder);
		EXPECT_TRUE(isFolder(folder));
	}
}

TEST(DataFolders, DeletedFolderIsMadeAgainByTheNextCall)
{
	TempDir temp;
	ScopedEnv data("XDG_DATA_HOME", temp.path().c_str());
	std::string folder = getUserDataFolder("Pub", "Title");
	ASSERT_EQ(0, rmdir(folder.c_str()));
	ASSERT_EQ(0, rmdir((temp.path() + "/Pub").c_str()));
	EXPECT_EQ(folder, getUserDataFolder("Pub", "Title"));
	EXPECT_TRUE(isFolder(folder));
}

TEST(DataFolders, NamesCannotLeaveTheDataFolder)
{
	TempDir temp;
	ScopedEnv data("XDG_DATA_HOME", temp.path().c_str());
	EXPECT_EQ(temp.path() + "/_/a_b", getUserDataFolder("..", "a/b"));
	EXPECT_EQ(temp.path() + "/_/_", getUserDataFolder("", "."));
}

TEST(DataFolders, CommonFolderCreatedUnderSharedRootIsGroupWritable)
{
	TempDir temp;
	ScopedEnv data("XDG_DATA_HOME", (temp.path() + "/user").c_str());
	mkdir((temp.path() + "/shared").c_str(), 0755);
	std::string folder = getCommonDataFolder("Pub", "Title", temp.path() + "/shared");
	EXPECT_EQ(temp.path() + "/shared/Pub/Title", folder);
	struct stat info;
	ASSERT_EQ(0, stat(folder.c_str(), &info));
	EXPECT_TRUE(info.st_mode & S_IWGRP);
}

TEST(DataFolders, ExistingCommonFolderKeepsItsMode)
{
	TempDir temp;
	std::string shared = temp.path() + "/shared";
	mkdir(shared.c_str(), 0755);
	mkdir((shared + "/Pub").c_str(), 0755);
	mkdir((shared + "/Pub/Title").c_str(), 0700);
	chmod((shared + "/Pub/Title").c_str(), 0700);
	EXPECT_EQ(shared + "/Pub/Title", getCommonDataFolder("Pub", "Title", shared));
	struct stat info;
	ASSERT_EQ(0, stat((shared + "/Pub/Title").c_str(), &info));
	EXPECT_EQ(0700u, info.st_mode & 07777);
}

TEST(DataFolders, CommonFolderFallsBackToUserFolderWhenSharedRootIsUnusable)
{
	TempDir temp;
	ScopedEnv data("XDG_DATA_HOME", (temp.path() + "/user").c_str());
	// A file where a folder should be: no folder can be made below it, whoever runs the test.
	std::string blocker = temp.write("blocker", "x");
	std::string folder = getCommonDataFolder("Pub", "Title", blocker);
	EXPECT_EQ(temp.path() + "/user/Pub/Title/AllUsers", folder);
	EXPECT_TRUE(isFolder(folder));
}
