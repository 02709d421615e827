#include "CMountArchive.h"

#include "content/CReadFile.h"
#include "content/PathUtils.h"

CMountArchive::CMountArchive(IFileSystem*, const irr::core::stringc& folder, bool caseFlag, bool pathsFlag)
    : path(toForwardSlashes(folder)), type("mount"), ignoreCase(caseFlag), ignorePaths(pathsFlag)
{
	if (path.size() == 0 || path[path.size() - 1] != '/')
		path += "/";
}

IReadFile* CMountArchive::openFile(irr::s32)
{
	return nullptr;
}

IReadFile* CMountArchive::openFile(const irr::core::stringc& name)
{
	irr::core::stringc full = path;
	full += name;
	CReadFile* file = new CReadFile(full, &name);
	if (file->isOpen())
		return file;
	file->drop();
	return nullptr;
}

irr::s32 CMountArchive::findFile(const irr::core::stringc& name)
{
	IReadFile* file = openFile(name);
	if (!file)
		return -1;
	file->drop();
	return 1;
}

const SArchiveEntry* CMountArchive::getFileEntry(irr::u32) const
{
	return nullptr;
}
