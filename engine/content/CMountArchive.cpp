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

namespace
{
// A name that stays inside the folder: relative, and no ".." step.
bool staysInside(const irr::core::stringc& name)
{
	if (name.size() == 0 || isAbsolutePath(name) || isPathSeparator(name[0]))
		return false;
	irr::u32 start = 0;
	for (irr::u32 i = 0; i <= name.size(); ++i)
	{
		if (i < name.size() && !isPathSeparator(name[i]))
			continue;
		if (i - start == 2 && name[start] == '.' && name[start + 1] == '.')
			return false;
		start = i + 1;
	}
	return true;
}
} // namespace

IReadFile* CMountArchive::openFile(const irr::core::stringc& name)
{
	// A folder archive serves its own files only, never whatever the user can read elsewhere.
	if (!staysInside(name))
		return nullptr;
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
