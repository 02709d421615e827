// Adds the input as a zip archive and reads every entry.
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "core/SmartPointer.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static IFileSystem* fs = createFileSystem();
	char* copy = new char[size + 1];
	if (size)
		memcpy(copy, data, size);
	SmartPointer<IReadFile> file(fs->createMemoryReadFile(copy, static_cast<long>(size), "fuzz.zip", true));
	for (bool flags : {false, true})
	{
		IArchive* archive = fs->addArchive(file.get(), flags, flags);
		if (!archive)
			continue;
		char buffer[512];
		for (irr::u32 i = 0; i < archive->getFileCount(); ++i)
		{
			SmartPointer<IReadFile> entry(archive->openFile(static_cast<irr::s32>(i)));
			if (entry)
				while (entry->read(buffer, sizeof(buffer)) > 0)
				{
				}
			if (const SArchiveEntry* info = archive->getFileEntry(i))
				archive->findFile(info->storedName);
		}
		fs->removeArchive(archive);
	}
	return 0;
}
