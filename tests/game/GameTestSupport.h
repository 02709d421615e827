#pragma once

#include "engine/content/ProfileTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// Every folder the game writes or locks (profiles, shared data, the single-instance lock) inside a
// fresh temporary folder for the life of the object.
class GameDataFolders
{
public:
	GameDataFolders()
	    : home("HOME", temp.path()), userData("XDG_DATA_HOME", temp.file("user")),
	      commonRoot(CPosixFileSystem::commonDataRootVariable, temp.file("shared")), runtime("XDG_RUNTIME_DIR", temp.path()),
	      publisher("PublisherName", L"Pellwick"), title("TitleName", L"Verandel")
	{
	}

	// Writes the per-user profile file with these display options in the common profile.
	void writeDisplayOptions(bool fullScreen, bool vsync) const
	{
		CProfileManager manager;
		manager.getCommonProfileDefaults()->setBool("FullScreen", fullScreen);
		manager.getCommonProfileDefaults()->setBool("VSync", vsync);
		manager.getCommonProfileDefaults()->setBool("WindowsCursor", false);
		manager.getCommonProfileDefaults()->setInt("VideoDriver", 3);
		manager.loadProfiles();
		ASSERT_TRUE(manager.saveProfiles());
	}

	const TempDir& folder() const { return temp; }

private:
	TempDir temp;
	ScopedEnv home;
	ScopedEnv userData;
	ScopedEnv commonRoot;
	ScopedEnv runtime;
	ScopedSetting publisher;
	ScopedSetting title;
};

// Changes the working folder for the life of the object.
class ScopedWorkingFolder
{
public:
	explicit ScopedWorkingFolder(const std::string& folder)
	{
		char buffer[4096];
		if (getcwd(buffer, sizeof(buffer)))
			previous = buffer;
		changed = chdir(folder.c_str()) == 0;
	}
	~ScopedWorkingFolder()
	{
		if (changed && !previous.empty())
			(void)!chdir(previous.c_str());
	}
	ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
	ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

private:
	std::string previous;
	bool changed = false;
};

// The source tree: from the test environment, else from where this header lies.
inline std::string sourceDir()
{
	if (const char* dir = std::getenv("TEST_SOURCE_DIR"))
		return dir;
	const std::string header = __FILE__;
	return header.substr(0, header.rfind("/tests/game/"));
}

// The build tree: from the test environment, else the folder above the test program's.
inline std::string binaryDir()
{
	if (const char* dir = std::getenv("TEST_BINARY_DIR"))
		return dir;
	char buffer[4096];
	const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
	std::string program(buffer, n > 0 ? static_cast<size_t>(n) : 0);
	program = program.substr(0, program.rfind('/'));
	return program.substr(0, program.rfind('/'));
}
