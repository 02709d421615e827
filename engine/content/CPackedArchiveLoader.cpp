#include "CPackedArchiveLoader.h"

#include "content/CPackedArchive.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "content/PathUtils.h"

bool CPackedArchiveLoader::isLoadableFile(IReadFile* file) const
{
	if (!file)
		return false;
	unsigned char header[16] = {};
	file->seek(0);
	const bool complete = file->read(header, 16) == 16;
	file->seek(0);
	return complete && header[0] == 'Q' && header[1] == 'C' && header[2] == 'A' && header[3] == 0;
}

bool CPackedArchiveLoader::isLoadableFileExtension(const irr::core::stringc& name) const
{
	return getFileExtension(name).equals_ignore_case("qca");
}

IArchive* CPackedArchiveLoader::createArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) const
{
	if (!file)
		return nullptr;
	file->seek(0);
	return new CPackedArchive(file, ignoreCase, ignorePaths, key);
}

IArchive* CPackedArchiveLoader::createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const
{
	IReadFile* file = fileSystem->createAndOpenFile(name);
	if (!file)
		return nullptr;
	IArchive* archive = createArchive(file, ignoreCase, ignorePaths);
	file->drop();
	return archive;
}
