// The XML factory of the file system lives apart so the file classes build without the XML classes.
#include "content/CFileSystem.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"

#if __has_include("content/CXMLReader.h") && __has_include("content/CXMLWriter.h")
#define FILESYSTEM_HAS_XML 1
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#else
#define FILESYSTEM_HAS_XML 0
#endif

using irr::core::stringc;

CXMLReader* CFileSystem::createXMLReader(IReadFile* file)
{
#if FILESYSTEM_HAS_XML
	if (!file)
		return nullptr;
	if (file->getPos() == 0)
	{
		std::lock_guard<std::recursive_mutex> guard(lock);
		auto prepared = preparedReaders.find(file->getFileName());
		if (prepared != preparedReaders.end())
		{
			CXMLReader* reader = prepared->second;
			preparedReaders.erase(prepared);
			return reader;
		}
	}
	return new CXMLReader(file);
#else
	(void)file;
	return nullptr;
#endif
}

CXMLReader* CFileSystem::createXMLReader(const stringc& name)
{
	IReadFile* file = createAndOpenFile(name);
	if (!file)
		return nullptr;
	CXMLReader* reader = createXMLReader(file);
	file->drop();
	return reader;
}

CXMLWriter* CFileSystem::createXMLWriter(IWriteFile* file)
{
#if FILESYSTEM_HAS_XML
	if (!file)
		return nullptr;
	return new CXMLWriter(file);
#else
	(void)file;
	return nullptr;
#endif
}

CXMLWriter* CFileSystem::createXMLWriter(const stringc& name)
{
	IWriteFile* file = createAndWriteFile(name, false);
	if (!file)
		return nullptr;
	CXMLWriter* writer = createXMLWriter(file);
	file->drop();
	return writer;
}
