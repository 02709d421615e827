#pragma once

#include "content/CProfile.h"
#include "core/Singleton.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrString.h>
#include <string>
#include <vector>

class IFileSystem;
class ProfileFile;

// Keeps the players' profiles, the common and the global profile and their defaults, and reads
// and writes them as "profile.dat" in the data folders.
class CProfileManager
{
public:
	// The process-wide manager.
	static CProfileManager* instance();

	// Separate managers serve tests and tools; the game uses instance().
	CProfileManager();
	~CProfileManager();
	CProfileManager(const CProfileManager&) = delete;
	CProfileManager& operator=(const CProfileManager&) = delete;

	// Reads the per-user file, then the all-users file, then merges the common defaults into
	// the common profile. Always true: a missing or damaged file leaves the defaults.
	bool loadProfiles();

	int getProfileCount() const { return static_cast<int>(players.size()); }
	// Null when the index is out of range.
	CProfile* getProfile(int index) const;
	// Exact comparison; null when no player has that name.
	CProfile* findProfile(const irr::core::stringw& name) const;
	// Appends a player with the player defaults; false for an empty or existing name.
	bool addProfile(const irr::core::stringw& name);
	// Leaves no profile active.
	void removeProfile(int index);
	// None becomes active when the index is out of range.
	void setActiveProfile(int index);
	CProfile* getActiveProfile() const { return activeProfile; }
	// -1 when none is active.
	int getActiveProfileIndex() const;

	// Write the per-user / all-users file; false (the old file kept) when it cannot be written.
	bool saveProfiles();
	bool saveGlobalProfile();
	// Saves the file holding the profile; false for the defaults and for foreign profiles.
	bool saveProfile(const CProfile* profile);

	// Filled by the game before loadProfiles.
	CProfile* getCommonProfileDefaults() const { return commonDefaults.get(); }
	CProfile* getPlayerProfileDefaults() const { return playerDefaults.get(); }
	CProfile* getGlobalProfile() const { return globalProfile.get(); }
	CProfile* getCommonProfile() const { return commonProfile.get(); }

	// Take over what a per-user / all-users file holds (used by the loading).
	void takeUserFile(const ProfileFile& file);
	void takeGlobalFile(const ProfileFile& file);

	// Full paths of the two files; empty when the file system gives no data folder.
	std::string getUserProfilePath() const;
	std::string getGlobalProfilePath() const;

private:
	enum class FileRead
	{
		Done,
		Missing,
		Damaged
	};

	FileRead readFile(const std::string& path, unsigned mode, ProfileFile& file) const;
	bool writeFile(const std::string& path, bool global, unsigned mode) const;
	SmartPointer<CProfile> makePlayer(const irr::core::stringw& name);

	SmartPointer<CProfile> commonDefaults;
	SmartPointer<CProfile> playerDefaults;
	SmartPointer<CProfile> globalProfile;
	SmartPointer<CProfile> commonProfile;
	CProfile* activeProfile = nullptr;
	std::vector<SmartPointer<CProfile>> players;
};
