#pragma once

#include "content/CPosixFileSystem.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "device/IDevice.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>

// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
	ScopedEnv(const char* name, const std::string& value) : name(name)
	{
		const char* old = std::getenv(name);
		hadOld = old != nullptr;
		if (old)
			oldValue = old;
		setenv(name, value.c_str(), 1);
	}
	~ScopedEnv()
	{
		if (hadOld)
			setenv(name, oldValue.c_str(), 1);
		else
			unsetenv(name);
	}
	ScopedEnv(const ScopedEnv&) = delete;
	ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
	const char* name;
	std::string oldValue;
	bool hadOld;
};

// Sets a device setting for the life of the object, then restores it.
class ScopedSetting
{
public:
	ScopedSetting(const char* key, const wchar_t* value) : key(key), oldValue(getDevice()->getSetting(key))
	{
		getDevice()->setSetting(key, value);
	}
	~ScopedSetting() { getDevice()->setSetting(key, oldValue.c_str()); }
	ScopedSetting(const ScopedSetting&) = delete;
	ScopedSetting& operator=(const ScopedSetting&) = delete;

private:
	const char* key;
	irr::core::stringw oldValue;
};

inline std::string readWholeFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeWholeFile(const std::string& path, const std::string& content)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out << content;
}

// Both data folders inside a fresh temporary folder, and a fresh manager over them.
class ProfileTest : public ::testing::Test
{
protected:
	ProfileTest()
	    : home("HOME", temp.path()), userData("XDG_DATA_HOME", temp.file("user")),
	      commonRoot(CPosixFileSystem::commonDataRootVariable, temp.file("shared"))
	{
		// The shared root stands for /var/lib, which always exists.
		temp.write("shared/.keep", "");
		getDevice();
	}

	std::string userFolder() const { return temp.file("user/Marrowfen/Nerra Sample"); }
	std::string userFile() const { return userFolder() + "/profile.dat"; }
	std::string globalFile() const { return temp.file("shared/Marrowfen/Nerra Sample/profile.dat"); }

	// Writes a per-user file from the elements inside its root.
	void writeUserFile(const std::string& body) const
	{
		temp.write("user/Marrowfen/Nerra Sample/profile.dat",
		           "<?xml version=\"1.0\"?>\n<Profiles>\n" + body + "</Profiles>\n");
	}

	static std::string player(const std::string& name, const std::string& parameters, bool active = false)
	{
		return "<Profile Name=\"" + name + "\"" + (active ? " Active=\"true\"" : "") + ">\n<Parameters>\n" +
		       parameters + "</Parameters>\n</Profile>\n";
	}

	static std::string intItem(const std::string& name, int value)
	{
		return "<int Name=\"" + name + "\" Value=\"" + std::to_string(value) + "\" />\n";
	}

	// A new manager that loads what the previous one saved.
	CProfileManager& reload()
	{
		fresh.reset(new CProfileManager());
		fresh->loadProfiles();
		return *fresh;
	}

	TempDir temp;
	ScopedEnv home;
	ScopedEnv userData;
	ScopedEnv commonRoot;
	CProfileManager manager;
	std::unique_ptr<CProfileManager> fresh;
};
