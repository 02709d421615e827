#include "CSoundProcessor.h"

#include "audio/ISound.h"
#include "content/IReadFile.h"
#include "core/DeviceEvents.h"
#include "core/ILogger.h"

CSoundProcessor::CSoundProcessor(IAudioDevice* device) : audioDevice(shareRef(device))
{
	mask |= EventCategoryDevice;
}

// The device decides between a static and a streamed sound by the decoded size.
ContentObject* CSoundProcessor::load(CContentManager*, IReadFile* file, const ContentRef& reference)
{
	// Without an audio device the game runs silent: no sound and no message.
	if (!audioDevice || !file)
		return nullptr;
	ISound* sound = audioDevice->createSound(file, reference);
	if (sound)
		getLogger()->log("Loaded sound", file->getFileName().c_str(), 0);
	return sound;
}

bool CSoundProcessor::save(CContentManager*, ContentObject*, IWriteFile*, void*)
{
	return false;
}

void CSoundProcessor::processAll(CEvent* event, ContentMap& objects)
{
	if (event->typeId() != EventIdDeviceAudioDriverReleased)
		return;
	// Emptied before dropping: a sound's destructor must not find itself still cached.
	ContentMap released;
	released.swap(objects);
	for (auto& entry : released)
		entry.second->drop();
}

bool CSoundProcessor::onAudioDeviceReleased(CEvent*)
{
	audioDevice = nullptr;
	return false;
}

bool CSoundProcessor::onAudioDeviceCreated(CEventDeviceAudioDriverCreated* event)
{
	audioDevice.share(event->audioDevice);
	return false;
}
