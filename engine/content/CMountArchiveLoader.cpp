#include "CMountArchiveLoader.h"

#include "content/CMountArchive.h"
#include "content/IFileSystem.h"
#include "content/PathUtils.h"

bool CMountArchiveLoader::isLoadableFileExtension(const irr::core::stringc& name) const
{
	return getFileExtension(name).size() == 0;
}

IArchive* CMountArchiveLoader::createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const
{
	// Entering the folder proves it exists and can be read; the working folder is restored after.
	const irr::core::stringc previous = fileSystem->getWorkingDirectory();
	const irr::core::stringc absolute = fileSystem->getAbsolutePath(name);
	IArchive* archive = nullptr;
	if (fileSystem->changeWorkingDirectory(absolute))
		archive = new CMountArchive(fileSystem, absolute, ignoreCase, ignorePaths);
	fileSystem->changeWorkingDirectory(previous);
	return archive;
}
