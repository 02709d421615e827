#include "CSoundPackProcessor.h"

#include "audio/ISound.h"
#include "audio/SoundPack.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CSoundProcessor.h"
#include "content/CXMLReader.h"
#include "content/ContentType.h"
#include "content/IReadFile.h"
#include "core/ILogger.h"

#include <irrlicht/irrString.h>

namespace
{
// Names inside the pack are relative to the pack file (its name is on the folder stack).
ISound* loadRelativeSound(CContentManager* manager, const char* fileName)
{
	ContentObject* content = manager->getContent(ContentTypeSound, irr::core::stringc(fileName), true);
	ISound* sound = dynamic_cast<ISound*>(content);
	if (content && !sound)
		content->drop();
	return sound;
}

// Moves the reader onto the first element; true when it is the SoundPack root.
bool findSoundPackRoot(IXMLReader* reader)
{
	while (reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT)
			return reader->getNodeName() == L"SoundPack";
	}
	return false;
}

// The threshold a cue's "StreamingType" changes must be the one of the device that makes the sounds.
IAudioDevice* audioDeviceOf(CContentManager* manager)
{
	CContentProcessorsManager* processors = manager ? manager->getProcessorsManager() : nullptr;
	CSoundProcessor* soundProcessor =
	    processors ? dynamic_cast<CSoundProcessor*>(processors->findProcessor(ContentTypeSound)) : nullptr;
	return soundProcessor ? soundProcessor->getAudioDevice() : nullptr;
}
} // namespace

SoundPackLoading::SoundPackLoading(CContentManager* contentManager, const irr::core::stringc& name)
    : manager(contentManager)
{
	IFileSystem* files = manager ? manager->getFileSystem() : nullptr;
	IReadFile* file = files ? files->createAndOpenFile(name) : nullptr;
	if (!file)
		return;
	fileName = file->getFileName();
	reader = SmartPointer<CXMLReader>(files->createXMLReader(file));
	file->drop();
	if (reader && findSoundPackRoot(reader.get()))
		pack = SmartPointer<SoundPack>(new SoundPack(ContentRef(manager, name.c_str())));
	else
		reader = nullptr;
}

SoundPackLoading::~SoundPackLoading() = default;

bool SoundPackLoading::loadPart(unsigned cueBudget)
{
	if (!pack || !reader)
		return true;
	const SoundFileLoader loadSound = [this](const char* name) { return loadRelativeSound(manager, name); };
	manager->pushFolder(fileName);
	const bool done = pack->loadPart(reader.get(), loadSound, audioDeviceOf(manager), cueBudget);
	manager->popFolder();
	if (!done)
		return false;
	reader = nullptr;
	getLogger()->log("Loaded sound pack", fileName.c_str(), 0);
	manager->addContent(pack.get());
	return true;
}

ContentObject* CSoundPackProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	if (!file || !fileSystem)
		return nullptr;
	CXMLReader* reader = fileSystem->createXMLReader(file);
	if (!reader)
		return nullptr;
	// Text that is not a sound pack (not XML, or another root) makes no pack.
	if (!findSoundPackRoot(reader))
	{
		reader->drop();
		return nullptr;
	}

	SoundPack* pack = new SoundPack(reference);
	if (manager)
	{
		const SoundFileLoader loadSound = [manager](const char* fileName)
		{ return loadRelativeSound(manager, fileName); };
		manager->pushFolder(file->getFileName());
		pack->load(reader, loadSound, audioDeviceOf(manager));
		manager->popFolder();
	}
	else
		pack->load(reader, SoundFileLoader(), nullptr);

	reader->drop();
	getLogger()->log("Loaded sound pack", file->getFileName().c_str(), 0);
	return pack;
}

bool CSoundPackProcessor::save(CContentManager*, ContentObject*, IWriteFile*, void*)
{
	return true;
}
