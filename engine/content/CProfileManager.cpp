#include "CProfileManager.h"

#include "content/CReadFile.h"
#include "content/CVirtualFile.h"
#include "content/CXMLWriter.h"
#include "content/FileReplaceLock.h"
#include "content/IFileSystem.h"
#include "content/ProfileFile.h"
#include "content/ProfileStreamTransform.h"
#include "content/SafeFileReplace.h"
#include "core/ILogger.h"
#include "core/TextUtils.h"
#include "device/IDevice.h"

#include <set>
#include <unistd.h>

namespace
{
const char* const profileFileName = "profile.dat";
constexpr unsigned UserFileMode = 0644;
// The all-users folder is shared by the group; so are the file and its lock file.
constexpr unsigned GlobalFileMode = 0664;

IFileSystem* fileSystem()
{
	IDevice* device = getDevice();
	return device ? device->getFileSystem() : nullptr;
}

irr::core::stringc profilesCryptKey()
{
	IDevice* device = getDevice();
	return device ? narrow(device->getSetting("ProfilesCryptKey")) : irr::core::stringc();
}

std::string inFolder(const irr::core::stringc& folder)
{
	if (folder.size() == 0)
		return std::string();
	return std::string(folder.c_str()) + "/" + profileFileName;
}

void writeSection(IXMLWriter& writer, const wchar_t* element, const CProfile& profile)
{
	writer.writeElement(element);
	writer.writeLineBreak();
	profile.write(&writer);
	writer.writeClosingTag(element);
	writer.writeLineBreak();
}
} // namespace

CProfileManager* CProfileManager::instance()
{
	return Singleton<CProfileManager>::instance();
}

CProfileManager::CProfileManager()
    : commonDefaults(new CProfile(L"", this)), playerDefaults(new CProfile(L"", this)),
      globalProfile(new CProfile(L"", this)), commonProfile(new CProfile(L"", this))
{
}

CProfileManager::~CProfileManager()
{
	// Profiles the game still holds must not call back into a manager that is gone.
	for (CProfile* profile : {commonDefaults.get(), playerDefaults.get(), globalProfile.get(), commonProfile.get()})
		profile->setOwner(nullptr);
	for (const SmartPointer<CProfile>& player : players)
		player->setOwner(nullptr);
}

bool CProfileManager::loadProfiles()
{
	ProfileFile userFile;
	if (readFile(getUserProfilePath(), UserFileMode, userFile) == FileRead::Done)
		takeUserFile(userFile);
	ProfileFile globalFile;
	if (readFile(getGlobalProfilePath(), GlobalFileMode, globalFile) == FileRead::Done)
		takeGlobalFile(globalFile);
	commonProfile->merge(*commonDefaults);
	return true;
}

CProfile* CProfileManager::getProfile(int index) const
{
	if (index < 0 || index >= getProfileCount())
		return nullptr;
	return players[static_cast<size_t>(index)].get();
}

CProfile* CProfileManager::findProfile(const irr::core::stringw& name) const
{
	for (const SmartPointer<CProfile>& player : players)
		if (player->getName() == name)
			return player.get();
	return nullptr;
}

bool CProfileManager::addProfile(const irr::core::stringw& name)
{
	// An empty name could be saved but never read back: the player would be lost.
	if (name.size() == 0 || findProfile(name))
		return false;
	makePlayer(name);
	return true;
}

SmartPointer<CProfile> CProfileManager::makePlayer(const irr::core::stringw& name)
{
	SmartPointer<CProfile> player(new CProfile(name, this));
	player->merge(*playerDefaults);
	players.push_back(player);
	return player;
}

void CProfileManager::removeProfile(int index)
{
	if (index < 0 || index >= getProfileCount())
		return;
	players[static_cast<size_t>(index)]->setOwner(nullptr);
	players.erase(players.begin() + index);
	activeProfile = nullptr;
}

void CProfileManager::setActiveProfile(int index)
{
	activeProfile = getProfile(index);
}

int CProfileManager::getActiveProfileIndex() const
{
	for (size_t i = 0; i < players.size(); ++i)
		if (players[i].get() == activeProfile)
			return static_cast<int>(i);
	return -1;
}

bool CProfileManager::saveProfiles()
{
	return writeFile(getUserProfilePath(), false, UserFileMode);
}

bool CProfileManager::saveGlobalProfile()
{
	return writeFile(getGlobalProfilePath(), true, GlobalFileMode);
}

bool CProfileManager::saveProfile(const CProfile* profile)
{
	if (!profile)
		return false;
	if (profile == globalProfile.get())
		return saveGlobalProfile();
	if (profile == commonProfile.get())
		return saveProfiles();
	for (const SmartPointer<CProfile>& player : players)
		if (player.get() == profile)
			return saveProfiles();
	return false;
}

void CProfileManager::takeUserFile(const ProfileFile& file)
{
	if (file.commonProfile)
		commonProfile->assign(*file.commonProfile);

	// A set, not findProfile: a file listing very many players must not take quadratic time.
	std::set<irr::core::stringw> names;
	for (const SmartPointer<CProfile>& player : players)
		names.insert(player->getName());
	for (const ProfileFile::Player& entry : file.players)
	{
		if (entry.name.size() == 0 || !names.insert(entry.name).second)
			continue;
		SmartPointer<CProfile> player = makePlayer(entry.name);
		player->assign(*entry.parameters);
		// Keys added to the defaults since the file was saved.
		player->merge(*playerDefaults);
		if (entry.active)
			activeProfile = player.get();
	}
}

void CProfileManager::takeGlobalFile(const ProfileFile& file)
{
	if (file.globalProfile)
		globalProfile->assign(*file.globalProfile);
}

std::string CProfileManager::getUserProfilePath() const
{
	IFileSystem* files = fileSystem();
	return files ? inFolder(files->getUserDataFolder()) : std::string();
}

std::string CProfileManager::getGlobalProfilePath() const
{
	IFileSystem* files = fileSystem();
	return files ? inFolder(files->getCommonDataFolder()) : std::string();
}

CProfileManager::FileRead CProfileManager::readFile(const std::string& path, unsigned mode, ProfileFile& file) const
{
	if (path.empty() || ::access(path.c_str(), F_OK) != 0)
		return FileRead::Missing;
	// Held while reading: a save that replaced the file meanwhile must not be moved aside as damaged.
	FileReplaceLock lock(path, true, mode);
	// Opened as a loose file only: an archive must never stand in for the player's data.
	SmartPointer<CReadFile> disk(new CReadFile(path.c_str()));
	if (!disk->isOpen())
		return FileRead::Missing;
	bool loaded = file.load(*disk, profilesCryptKey());
	disk = nullptr;
	if (loaded)
		return FileRead::Done;

	getLogger()->log("Profile file is damaged, defaults used", path.c_str(), 2);
	std::string kept = keepDamagedFile(path);
	if (!kept.empty())
		getLogger()->log("Damaged profile file kept as", kept.c_str(), 1);
	return FileRead::Damaged;
}

bool CProfileManager::writeFile(const std::string& path, bool global, unsigned mode) const
{
	if (path.empty())
		return false;

	SmartPointer<CVirtualFile> plain(new CVirtualFile(profileFileName, 0x10000));
	{
		SmartPointer<CXMLWriter> writer(new CXMLWriter(plain.get()));
		writer->writeXMLHeader();
		writer->writeElement(L"Profiles");
		writer->writeLineBreak();
		if (global)
		{
			writeSection(*writer, L"GlobalProfile", *globalProfile);
		}
		else
		{
			writeSection(*writer, L"CommonProfile", *commonProfile);
			for (const SmartPointer<CProfile>& player : players)
			{
				if (player.get() == activeProfile)
					writer->writeElement(L"Profile", false, L"Name", player->getName().c_str(), L"Active", L"true");
				else
					writer->writeElement(L"Profile", false, L"Name", player->getName().c_str());
				writer->writeLineBreak();
				player->write(writer.get());
				writer->writeClosingTag(L"Profile");
				writer->writeLineBreak();
			}
		}
		writer->writeClosingTag(L"Profiles");
		writer->writeLineBreak();
	}

	plain->seek(0);
	SmartPointer<CVirtualFile> stored(new CVirtualFile(profileFileName, 0x10000));
	transformProfileStream(*plain, *stored, profilesCryptKey());
	stored->seek(0);
	return replaceFileAtomically(path, *stored, mode);
}
