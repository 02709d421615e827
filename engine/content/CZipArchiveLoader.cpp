#include "CZipArchiveLoader.h"

#include "content/CZipArchive.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "content/PathUtils.h"

bool CZipArchiveLoader::isLoadableFile(IReadFile* file) const
{
	if (!file)
		return false;
	unsigned char signature[4] = {};
	if (file->read(signature, 4) != 4)
		return false;
	return signature[0] == 'P' && signature[1] == 'K' && signature[2] == 3 && signature[3] == 4;
}

bool CZipArchiveLoader::isLoadableFileExtension(const irr::core::stringc& name) const
{
	const irr::core::stringc extension = getFileExtension(name);
	return extension.equals_ignore_case("zip") || extension.equals_ignore_case("pk3");
}

IArchive* CZipArchiveLoader::createArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) const
{
	if (!file)
		return nullptr;
	file->seek(0);
	return new CZipArchive(file, ignoreCase, ignorePaths);
}

IArchive* CZipArchiveLoader::createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const
{
	IReadFile* file = fileSystem->createAndOpenFile(name);
	if (!file)
		return nullptr;
	IArchive* archive = createArchive(file, ignoreCase, ignorePaths);
	file->drop();
	return archive;
}
