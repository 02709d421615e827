#pragma once

#include "content/CFileSystem.h"

// This platform's file system: POSIX calls for existence tests, the working folder and the data folders.
class CPosixFileSystem : public CFileSystem
{
public:
	// Environment variable naming the shared root of the all-users data folder in place of
	// "/var/lib" (absolute paths only); tests point it at a temporary folder.
	static constexpr const char* commonDataRootVariable = "ENGINE_COMMON_DATA_ROOT";

	// Anything at the name counts, folders too.
	bool existFile(const irr::core::stringc& name, bool checkArchives) override;
	IFileList* createFileList() override;
	irr::core::stringc getWorkingDirectory() override;
	bool changeWorkingDirectory(const irr::core::stringc& folder) override;
	// Both follow the "PublisherName" and "TitleName" device settings (the engine defaults
	// without a device) and are made on every call; see platform/DataFolders.h.
	irr::core::stringc getUserDataFolder() override;
	irr::core::stringc getCommonDataFolder() override;
};
