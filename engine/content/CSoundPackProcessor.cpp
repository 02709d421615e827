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
    : manager(contentManager), cacheWhenWhole(true)
{
	IFileSystem* files = manager ? manager->getFileSystem() : nullptr;
	IReadFile* file = files ? files->createAndOpenFile(name) : nullptr;
	if (!file)
		return;
	open(files, file, ContentRef(manager, name.c_str()));
	file->drop();
}

SoundPackLoading::SoundPackLoading(CContentManager* contentManager, IFileSystem* files, IReadFile* file,
                                   const ContentRef& reference)
    : manager(contentManager), cacheWhenWhole(false)
{
	if (file && files)
		open(files, file, reference);
}

SoundPackLoading::~SoundPackLoading() = default;

void SoundPackLoading::open(IFileSystem* files, IReadFile* file, const ContentRef& reference)
{
	fileName = file->getFileName();
	reader = SmartPointer<CXMLReader>(files->createXMLReader(file));
	// Text that is not a sound pack (not XML, or another root) makes no pack.
	if (reader && findSoundPackRoot(reader.get()))
		pack = SmartPointer<SoundPack>(new SoundPack(reference));
	else
		reader = nullptr;
}

bool SoundPackLoading::loadPart(unsigned cueBudget)
{
	if (!pack || !reader)
		return true;
	// Without a manager the cues are read without their sounds.
	SoundFileLoader loadSound;
	if (manager)
	{
		loadSound = [this](const char* name) { return loadRelativeSound(manager, name); };
		manager->pushFolder(fileName);
	}
	const bool done = pack->loadPart(reader.get(), loadSound, audioDeviceOf(manager), cueBudget);
	if (manager)
		manager->popFolder();
	if (!done)
		return false;
	reader = nullptr;
	getLogger()->log("Loaded sound pack", fileName.c_str(), 0);
	if (cacheWhenWhole)
		manager->addContent(pack.get());
	return true;
}

ContentObject* CSoundPackProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	SmartPointer<SoundPackLoading> loading(new SoundPackLoading(manager, fileSystem.get(), file, reference));
	loading->loadPart(~0u);
	return SmartPointer<SoundPack>(shareRef(loading->getPack())).detach();
}

bool CSoundPackProcessor::save(CContentManager*, ContentObject*, IWriteFile*, void*)
{
	return true;
}
