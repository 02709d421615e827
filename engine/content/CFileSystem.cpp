#include "CFileSystem.h"

#include "content/CFileList.h"
#include "content/CMemoryFile.h"
#include "content/CMountArchiveLoader.h"
#include "content/CPackedArchiveLoader.h"
#include "content/CReadFile.h"
#include "content/CWriteFile.h"
#include "content/CXMLReader.h"
#include "content/CZipArchiveLoader.h"
#include "content/IArchive.h"
#include "content/PathUtils.h"
#include "core/ILogger.h"
#include "core/Random.h"

#include <cstdio>
#include <unistd.h>
#include <vector>

using irr::core::stringc;

CFileSystem::CFileSystem()
{
	packedLoader = new CPackedArchiveLoader(this);
	loaders.push_back(packedLoader);
	loaders.push_back(new CZipArchiveLoader(this));
	loaders.push_back(new CMountArchiveLoader(this));
}

CFileSystem::~CFileSystem()
{
	dropPreloadedFiles();
	for (IArchive* archive : archives)
		archive->drop();
	for (IArchiveLoader* loader : loaders)
		loader->drop();
}

bool CFileSystem::archiveKnows(const stringc& name)
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	for (IArchive* archive : archives)
		if (archive->findFile(name) != -1)
			return true;
	return false;
}

bool CFileSystem::existFile(const stringc& name, bool checkArchives)
{
	if (checkArchives && archiveKnows(name))
		return true;
	FILE* file = fopen(name.c_str(), "rb");
	if (!file)
		return false;
	fclose(file);
	return true;
}

bool CFileSystem::removeFile(const stringc& name)
{
	return remove(name.c_str()) == 0;
}

bool CFileSystem::renameFile(const stringc& oldName, const stringc& newName)
{
	return rename(oldName.c_str(), newName.c_str()) == 0;
}

stringc CFileSystem::getUniqueFileName(const stringc& folder, const stringc& prefix)
{
	for (;;)
	{
		char digits[16];
		snprintf(digits, sizeof(digits), "%06d", static_cast<int>(Random::instance()->nextMt() % 999999u));
		stringc candidate = prefix;
		candidate += digits;
		stringc full = folder;
		full += "/";
		full += candidate;
		if (!existFile(full, false))
			return candidate;
	}
}

IReadFile* CFileSystem::createAndOpenFile(const stringc& name)
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	auto ahead = preloaded.find(name);
	if (ahead != preloaded.end())
	{
		const std::pair<char*, long> bytes = ahead->second;
		preloaded.erase(ahead);
		return new CMemoryFile(bytes.first, bytes.second, name, true);
	}
	CReadFile* file = new CReadFile(name);
	if (file->isOpen())
		return file;
	file->drop();

	for (IArchive* archive : archives)
		if (IReadFile* found = archive->openFile(name))
			return found;
	return nullptr;
}

IReadFile* CFileSystem::createMemoryReadFile(void* memory, long length, const stringc& name,
                                             bool deleteMemoryWhenDropped)
{
	if (!memory)
		return nullptr;
	return new CMemoryFile(memory, length, name, deleteMemoryWhenDropped);
}

IWriteFile* CFileSystem::createMemoryWriteFile(void* memory, long length, const stringc& name,
                                               bool deleteMemoryWhenDropped)
{
	if (!memory)
		return nullptr;
	return new CMemoryFile(memory, length, name, deleteMemoryWhenDropped);
}

IWriteFile* CFileSystem::createAndWriteFile(const stringc& name, bool append)
{
	CWriteFile* file = new CWriteFile(name, append);
	if (file->isOpen())
		return file;
	file->drop();
	return nullptr;
}

IArchive* CFileSystem::createArchiveFromContent(IReadFile* file, bool ignoreCase, bool ignorePaths)
{
	for (IArchiveLoader* loader : loaders)
	{
		file->seek(0);
		if (!loader->isLoadableFile(file))
			continue;
		file->seek(0);
		if (IArchive* archive = loader->createArchive(file, ignoreCase, ignorePaths))
			return archive;
	}
	return nullptr;
}

IArchive* CFileSystem::addArchive(IReadFile* file, bool ignoreCase, bool ignorePaths)
{
	if (!file)
		return nullptr;
	std::lock_guard<std::recursive_mutex> guard(lock);
	IArchive* archive = createArchiveFromContent(file, ignoreCase, ignorePaths);
	if (!archive)
	{
		getLogger()->log("Could not create archive for", file->getFileName().c_str(), 2);
		return nullptr;
	}
	archives.push_back(archive);
	return archive;
}

IArchive* CFileSystem::addArchive(const stringc& name, bool ignoreCase, bool ignorePaths)
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	IArchive* archive = nullptr;
	for (IArchiveLoader* loader : loaders)
	{
		if (loader->isLoadableFileExtension(name))
			archive = loader->createArchive(name, ignoreCase, ignorePaths);
		if (archive)
			break;
	}
	if (!archive)
	{
		if (IReadFile* file = createAndOpenFile(name))
		{
			archive = createArchiveFromContent(file, ignoreCase, ignorePaths);
			file->drop();
		}
	}
	if (!archive)
	{
		getLogger()->log("Could not create archive for", name.c_str(), 2);
		return nullptr;
	}
	archives.push_back(archive);
	return archive;
}

void CFileSystem::removeArchive(IArchive* archive)
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	for (auto it = archives.begin(); it != archives.end(); ++it)
	{
		if (*it == archive)
		{
			archives.erase(it);
			archive->drop();
			return;
		}
	}
}

IArchive* CFileSystem::getArchive(irr::u32 index) const
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	return index < archives.size() ? archives[index] : nullptr;
}

void CFileSystem::addArchiveLoader(IArchiveLoader* loader)
{
	if (!loader)
		return;
	loader->grab();
	loaders.push_back(loader);
}

IFileList* CFileSystem::createFileList()
{
	return new CFileList(getWorkingDirectory());
}

stringc CFileSystem::getAbsolutePath(const stringc& name) const
{
	stringc path = toForwardSlashes(name);
	if (!isAbsolutePath(path))
	{
		char buffer[4096];
		stringc folder = getcwd(buffer, sizeof(buffer)) ? buffer : "";
		folder += "/";
		folder += path;
		path = toForwardSlashes(folder);
	}

	// The root stays as it is; the folders after it are resolved without touching the disk.
	stringc root;
	irr::u32 restStart = 0;
	if (path.size() >= 2 && path[1] == ':')
	{
		root = path.subString(0, 2);
		restStart = 2;
	}
	else if (path.size() >= 2 && path[0] == '/' && path[1] == '/')
	{
		root = getPathRoot(path);
		restStart = root.size();
	}

	std::vector<stringc> parts;
	irr::u32 i = restStart;
	while (i <= path.size())
	{
		irr::u32 end = i;
		while (end < path.size() && path[end] != '/')
			++end;
		const stringc part = path.subString(i, end - i);
		if (part == "..")
		{
			if (!parts.empty())
				parts.pop_back();
		}
		else if (part.size() != 0 && part != ".")
			parts.push_back(part);
		i = end + 1;
	}

	stringc result = root;
	if (parts.empty())
		result += "/";
	for (const stringc& part : parts)
	{
		result += "/";
		result += part;
	}
	return result;
}

stringc CFileSystem::getWorkingDirectory()
{
	char buffer[1024];
	return getcwd(buffer, sizeof(buffer)) ? stringc(buffer) : stringc();
}

bool CFileSystem::changeWorkingDirectory(const stringc& folder)
{
	return chdir(folder.c_str()) == 0;
}

void CFileSystem::setAssetsCryptKey(const stringc& key)
{
	packedLoader->setKey(key);
}

void CFileSystem::addPreloadedFile(const stringc& name, char* bytes, long size)
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	auto entry = preloaded.find(name);
	if (entry != preloaded.end())
	{
		delete[] entry->second.first;
		entry->second = {bytes, size};
	}
	else
		preloaded.emplace(name, std::make_pair(bytes, size));
}

void CFileSystem::addPreparedXMLReader(const stringc& name, CXMLReader* reader)
{
	if (!reader)
		return;
	std::lock_guard<std::recursive_mutex> guard(lock);
	auto entry = preparedReaders.emplace(name, reader);
	if (!entry.second)
	{
		entry.first->second->drop();
		entry.first->second = reader;
	}
}

void CFileSystem::dropPreloadedFiles()
{
	std::lock_guard<std::recursive_mutex> guard(lock);
	for (auto& entry : preloaded)
		delete[] entry.second.first;
	preloaded.clear();
	for (auto& entry : preparedReaders)
		entry.second->drop();
	preparedReaders.clear();
}
