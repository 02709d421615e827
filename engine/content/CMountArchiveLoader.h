#pragma once

#include "content/IArchiveLoader.h"

class IFileSystem;

// Mounts a folder, named by a name without extension, as an archive.
class CMountArchiveLoader : public IArchiveLoader
{
public:
	explicit CMountArchiveLoader(IFileSystem* fileSystem) : fileSystem(fileSystem) {}

	bool isLoadableFile(IReadFile*) const override { return false; }
	bool isLoadableFileExtension(const irr::core::stringc& name) const override;
	IArchive* createArchive(IReadFile*, bool, bool) const override { return nullptr; }
	IArchive* createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const override;

private:
	IFileSystem* fileSystem;
};
