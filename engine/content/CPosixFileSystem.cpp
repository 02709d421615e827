#include "CPosixFileSystem.h"

#include "content/CFileList.h"
#include "core/TextUtils.h"
#include "device/IDevice.h"
#include "platform/DataFolders.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using irr::core::stringc;

bool CPosixFileSystem::existFile(const stringc& name, bool checkArchives)
{
	if (checkArchives && archiveKnows(name))
		return true;
	struct stat info;
	return name.size() != 0 && stat(name.c_str(), &info) == 0;
}

IFileList* CPosixFileSystem::createFileList()
{
	return new CFileList(getWorkingDirectory());
}

stringc CPosixFileSystem::getWorkingDirectory()
{
	char buffer[4096];
	return getcwd(buffer, sizeof(buffer)) ? stringc(buffer) : stringc();
}

bool CPosixFileSystem::changeWorkingDirectory(const stringc& folder)
{
	return folder.size() != 0 && chdir(folder.c_str()) == 0;
}

namespace
{
// A name setting of the device, or the engine default when there is no device or no value.
std::string nameSetting(const char* key, const char* fallback)
{
	if (IDevice* device = Singleton<IDevice>::peek())
	{
		irr::core::stringc value = narrow(device->getSetting(key));
		if (value.size() != 0)
			return value.c_str();
	}
	return fallback;
}

std::string publisherName()
{
	return nameSetting("PublisherName", "Marrowfen");
}
std::string titleName()
{
	return nameSetting("TitleName", "Nerra Sample");
}
} // namespace

stringc CPosixFileSystem::getUserDataFolder()
{
	return ::getUserDataFolder(publisherName(), titleName()).c_str();
}

stringc CPosixFileSystem::getCommonDataFolder()
{
	// Only an absolute override counts, so a stray relative value never lands in the working folder.
	const char* root = std::getenv(commonDataRootVariable);
	std::string sharedRoot = root && *root == '/' ? root : "/var/lib";
	return ::getCommonDataFolder(publisherName(), titleName(), sharedRoot).c_str();
}

IFileSystem* createFileSystem()
{
	return new CPosixFileSystem();
}
