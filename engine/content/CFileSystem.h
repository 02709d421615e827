#pragma once

#include "content/IFileSystem.h"

#include <map>
#include <mutex>
#include <vector>

class CPackedArchiveLoader;

// Portable file system on the standard I/O functions; owns the archive loaders and archives. Opening files and
// the archive list are guarded by a lock, so a loading thread may open files beside the main thread.
class CFileSystem : public IFileSystem
{
public:
	CFileSystem();
	~CFileSystem() override;

	bool existFile(const irr::core::stringc& name, bool checkArchives) override;
	bool removeFile(const irr::core::stringc& name) override;
	bool renameFile(const irr::core::stringc& oldName, const irr::core::stringc& newName) override;
	irr::core::stringc getUniqueFileName(const irr::core::stringc& folder, const irr::core::stringc& prefix) override;
	IReadFile* createAndOpenFile(const irr::core::stringc& name) override;
	IReadFile* createMemoryReadFile(void* memory, long length, const irr::core::stringc& name,
	                                bool deleteMemoryWhenDropped) override;
	IWriteFile* createMemoryWriteFile(void* memory, long length, const irr::core::stringc& name,
	                                  bool deleteMemoryWhenDropped) override;
	IWriteFile* createAndWriteFile(const irr::core::stringc& name, bool append) override;
	IArchive* addArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) override;
	IArchive* addArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) override;
	void removeArchive(IArchive* archive) override;
	irr::u32 getArchiveCount() const override { return static_cast<irr::u32>(archives.size()); }
	IArchive* getArchive(irr::u32 index) const override;
	void addArchiveLoader(IArchiveLoader* loader) override;
	CXMLReader* createXMLReader(IReadFile* file) override;
	CXMLReader* createXMLReader(const irr::core::stringc& name) override;
	CXMLWriter* createXMLWriter(IWriteFile* file) override;
	CXMLWriter* createXMLWriter(const irr::core::stringc& name) override;
	IFileList* createFileList() override;
	irr::core::stringc getAbsolutePath(const irr::core::stringc& name) const override;
	irr::core::stringc getWorkingDirectory() override;
	bool changeWorkingDirectory(const irr::core::stringc& folder) override;
	irr::core::stringc getUserDataFolder() override { return irr::core::stringc(); }
	irr::core::stringc getCommonDataFolder() override { return irr::core::stringc(); }
	void setAssetsCryptKey(const irr::core::stringc& key) override;
	void addPreloadedFile(const irr::core::stringc& name, char* bytes, long size) override;
	void addPreparedXMLReader(const irr::core::stringc& name, CXMLReader* reader) override;
	void dropPreloadedFiles() override;

protected:
	// True when an added archive finds the name.
	bool archiveKnows(const irr::core::stringc& name);
	// Content tests of the loaders in order; the first archive made is appended.
	IArchive* createArchiveFromContent(IReadFile* file, bool ignoreCase, bool ignorePaths);

private:
	std::vector<IArchiveLoader*> loaders;
	std::vector<IArchive*> archives;
	CPackedArchiveLoader* packedLoader = nullptr;
	// Read ahead: bytes (new[]) and size by name, each taken by the first open of its name.
	std::map<irr::core::stringc, std::pair<char*, long>> preloaded;
	std::map<irr::core::stringc, CXMLReader*> preparedReaders; // one reference each
	// Recursive: an archive loader may open files through this file system.
	mutable std::recursive_mutex lock;
};
