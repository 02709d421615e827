#include "CFileList.h"

#include "content/PathUtils.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

CFileList::CFileList()
{
	char buffer[4096];
	if (getcwd(buffer, sizeof(buffer)))
		path = buffer;
	readFolder();
}

CFileList::CFileList(const irr::core::stringc& folder) : path(folder)
{
	readFolder();
}

void CFileList::readFolder()
{
	DIR* dir = opendir(path.size() ? path.c_str() : ".");
	if (!dir)
		return;
	while (dirent* item = readdir(dir))
	{
		Entry entry;
		entry.name = item->d_name;
		irr::core::stringc full = path;
		full += "/";
		full += item->d_name;
		struct stat info;
		if (stat(full.c_str(), &info) == 0)
		{
			entry.isDirectory = S_ISDIR(info.st_mode);
			entry.size = static_cast<long>(info.st_size);
		}
		files.push_back(entry);
	}
	closedir(dir);
	std::sort(files.begin(), files.end(), entryBefore);
}

bool CFileList::entryBefore(const Entry& a, const Entry& b)
{
	if (a.isDirectory != b.isDirectory)
		return a.isDirectory;
	const irr::u32 shorter = std::min(a.name.size(), b.name.size());
	for (irr::u32 i = 0; i < shorter; ++i)
	{
		signed char ca = static_cast<signed char>(a.name[i]);
		signed char cb = static_cast<signed char>(b.name[i]);
		if (ca >= 'A' && ca <= 'Z')
			ca = static_cast<signed char>(ca + ('a' - 'A'));
		if (cb >= 'A' && cb <= 'Z')
			cb = static_cast<signed char>(cb + ('a' - 'A'));
		if (ca != cb)
			return ca < cb;
	}
	return a.name.size() < b.name.size();
}

const char* CFileList::getFileName(irr::u32 index) const
{
	return index < files.size() ? files[index].name.c_str() : nullptr;
}

const char* CFileList::getFullFileName(irr::u32 index)
{
	if (index >= files.size())
		return nullptr;
	Entry& entry = files[index];
	if (entry.fullName.size() == 0)
	{
		entry.fullName = path;
		// A folder that already ends with a separator (a root such as "/" or "C:\") takes none.
		if (path.size() > 0 && !isPathSeparator(path[path.size() - 1]))
			entry.fullName += "/";
		entry.fullName += entry.name;
	}
	return entry.fullName.c_str();
}

bool CFileList::isDirectory(irr::u32 index) const
{
	return index < files.size() && files[index].isDirectory;
}
