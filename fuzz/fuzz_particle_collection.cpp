#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CFileSystem.h"
#include "content/IReadFile.h"
#include "core/CPropertyCollection.h"
#include "nodes/BaseEmitter.h"
#include "nodes/ParticleCollection.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads the input as a particle collection file, then lets every emitter it named run for a
// while into a full-size particle array and writes its properties back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CFileSystem> fileSystem(new CFileSystem());
	SmartPointer<CContentProcessorsManager> processors(
	    new CContentProcessorsManager(nullptr, nullptr, fileSystem.get(), nullptr));
	SmartPointer<CContentManager> manager(new CContentManager(nullptr, fileSystem.get(), processors.get()));

	char* copy = new char[size + 1];
	if (size)
		std::memcpy(copy, data, size);
	SmartPointer<IReadFile> file(fileSystem->createMemoryReadFile(copy, static_cast<long>(size), "fuzz.xml", true));
	SmartPointer<ContentObject> loaded(manager->getContentFromFile(ContentTypeParticleCollection, file.get()));
	auto* collection = dynamic_cast<ParticleCollection*>(loaded.get());
	if (collection)
	{
		for (const auto& entry : collection->getEmitters())
		{
			SmartPointer<ContentObject> cloned(
			    manager->getContent(ContentTypeParticleEmitter, entry.first, false));
			auto* emitter = dynamic_cast<BaseEmitter*>(cloned.get());
			if (!emitter)
				continue;
			ParticleArray particles;
			particles.reallocate(500);
			emitter->setParticles(&particles);
			for (int run = 0; run < 20; ++run)
				emitter->run(30);
			emitter->run(100000);
			CPropertyCollection written;
			emitter->writeProperties(written);
			emitter->setParticles(nullptr);
		}
	}
	manager->releaseAllContent();
	return 0;
}
