#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>
#include <irrlicht/irrTypes.h>

class CXMLReader;
class CXMLWriter;
class IArchive;
class IArchiveLoader;
class IFileList;
class IReadFile;
class IWriteFile;

// The one service through which the engine opens, writes and finds files, loose or in archives.
class IFileSystem : public virtual ReferenceCounted
{
public:
	// With checkArchives an archive that knows the name is enough.
	virtual bool existFile(const irr::core::stringc& name, bool checkArchives) = 0;
	virtual bool removeFile(const irr::core::stringc& name) = 0;
	virtual bool renameFile(const irr::core::stringc& oldName, const irr::core::stringc& newName) = 0;
	// prefix + six random digits, naming nothing in the folder yet.
	virtual irr::core::stringc getUniqueFileName(const irr::core::stringc& folder,
	                                             const irr::core::stringc& prefix) = 0;
	// A loose file first, then each archive in the order added; null when none has it.
	virtual IReadFile* createAndOpenFile(const irr::core::stringc& name) = 0;
	virtual IReadFile* createMemoryReadFile(void* memory, long length, const irr::core::stringc& name,
	                                        bool deleteMemoryWhenDropped) = 0;
	virtual IWriteFile* createMemoryWriteFile(void* memory, long length, const irr::core::stringc& name,
	                                          bool deleteMemoryWhenDropped) = 0;
	virtual IWriteFile* createAndWriteFile(const irr::core::stringc& name, bool append) = 0;
	virtual IArchive* addArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) = 0;
	virtual IArchive* addArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) = 0;
	virtual void removeArchive(IArchive* archive) = 0;
	virtual irr::u32 getArchiveCount() const = 0;
	virtual IArchive* getArchive(irr::u32 index) const = 0;
	virtual void addArchiveLoader(IArchiveLoader* loader) = 0;
	virtual CXMLReader* createXMLReader(IReadFile* file) = 0;
	virtual CXMLReader* createXMLReader(const irr::core::stringc& name) = 0;
	virtual CXMLWriter* createXMLWriter(IWriteFile* file) = 0;
	virtual CXMLWriter* createXMLWriter(const irr::core::stringc& name) = 0;
	virtual IFileList* createFileList() = 0;
	// Full path of the name, folders "." and ".." resolved; the name need not exist.
	virtual irr::core::stringc getAbsolutePath(const irr::core::stringc& name) const = 0;
	virtual irr::core::stringc getWorkingDirectory() = 0;
	virtual bool changeWorkingDirectory(const irr::core::stringc& folder) = 0;
	virtual irr::core::stringc getUserDataFolder() = 0;
	virtual irr::core::stringc getCommonDataFolder() = 0;
	// Key of the packed asset archives added from now on (the "AssetsCryptKey" setting).
	virtual void setAssetsCryptKey(const irr::core::stringc& key) = 0;

	// Takes bytes read ahead of time (allocated with new[]) for the next open of name, which then reads them
	// from memory and frees them with the file. Safe to call from any thread. A file system that keeps none
	// frees them at once.
	virtual void addPreloadedFile(const irr::core::stringc& name, char* bytes, long size)
	{
		(void)name;
		(void)size;
		delete[] bytes;
	}
	// Takes a reader made ahead of time (one reference) from the bytes of name: the next createXMLReader of a file
	// of that name opened at its start returns it instead of decoding the file again. Main thread. A file system
	// that keeps none drops it at once.
	virtual void addPreparedXMLReader(const irr::core::stringc& name, CXMLReader* reader);
	// Frees every preloaded file and prepared reader nobody used.
	virtual void dropPreloadedFiles() {}
};

// The file system of this platform, with one reference for the caller.
IFileSystem* createFileSystem();
