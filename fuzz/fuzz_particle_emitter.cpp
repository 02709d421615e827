#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CFileSystem.h"
#include "content/IReadFile.h"
#include "core/CPropertyCollection.h"
#include "nodes/BaseEmitter.h"
#include "nodes/ParticleSystemNode.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads the input as a stand-alone particle emitter file, hands clones of it to a requester and
// to a particle system node that runs for a while, and writes the properties back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const char* const name = "fuzz-emitter.xml";
	SmartPointer<CFileSystem> fileSystem(new CFileSystem());
	SmartPointer<CContentProcessorsManager> processors(
	    new CContentProcessorsManager(nullptr, nullptr, fileSystem.get(), nullptr));
	SmartPointer<CContentManager> manager(new CContentManager(nullptr, fileSystem.get(), processors.get()));

	char* copy = new char[size + 1];
	if (size)
		std::memcpy(copy, data, size);
	SmartPointer<IReadFile> file(fileSystem->createMemoryReadFile(copy, static_cast<long>(size), name, true));
	SmartPointer<ContentObject> loaded(manager->getContentFromFile(ContentTypeParticleEmitter, file.get()));
	if (auto* emitter = dynamic_cast<BaseEmitter*>(loaded.get()))
	{
		CPropertyCollection written;
		emitter->writeProperties(written);
		SmartPointer<ContentObject> cloned(manager->getContent(ContentTypeParticleEmitter, name, false));
		if (auto* clone = dynamic_cast<BaseEmitter*>(cloned.get()))
		{
			ParticleArray particles;
			particles.reallocate(ParticleSystemNode::Capacity);
			clone->setParticles(&particles);
			for (int run = 0; run < 10; ++run)
				clone->run(30);
			clone->setParticles(nullptr);
		}
		SmartPointer<ParticleSystemNode> node(new ParticleSystemNode(ContentRef(manager.get(), "")));
		node->setEmitterName(name);
		for (int run = 0; run < 10; ++run)
			node->run(ParticleSystemNode::TaskPeriod);
		node->run(100000);
		CPropertyCollection nodeProperties;
		node->writeProperties(nodeProperties);
	}
	manager->releaseAllContent();
	return 0;
}
