// Reads a sound pack through its content processor; sound requests resolve but open nothing.
#include "audio/SoundPack.h"
#include "content/CContentManager.h"
#include "content/CSoundPackProcessor.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "core/SmartPointer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static IFileSystem* fileSystem = createFileSystem();
	static CSoundPackProcessor* processor = new CSoundPackProcessor(fileSystem);
	// No file system in the manager: relative names are resolved, then nothing is opened.
	SmartPointer<CContentManager> manager(new CContentManager(nullptr, nullptr, nullptr));

	SmartPointer<IReadFile> file(fileSystem->createMemoryReadFile(const_cast<uint8_t*>(data), static_cast<long>(size),
	                                                              "sounds/SoundPack.xml", false));
	if (!file)
		return 0;
	SmartPointer<ContentObject> pack(processor->load(manager.get(), file.get(), ContentRef()));
	if (auto* soundPack = dynamic_cast<SoundPack*>(pack.get()))
		(void)soundPack->getCues().size();
	return 0;
}
