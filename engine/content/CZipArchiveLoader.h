#pragma once

#include "content/IArchiveLoader.h"

class IFileSystem;

// Recognises zip files by extension ("zip", "pk3") or by their first local header.
class CZipArchiveLoader : public IArchiveLoader
{
public:
	explicit CZipArchiveLoader(IFileSystem* fileSystem) : fileSystem(fileSystem) {}

	bool isLoadableFile(IReadFile* file) const override;
	bool isLoadableFileExtension(const irr::core::stringc& name) const override;
	IArchive* createArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) const override;
	IArchive* createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const override;

private:
	IFileSystem* fileSystem;
};
