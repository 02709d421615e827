#include "CNullAudioDevice.h"

#include "ISound.h"
#include "content/IReadFile.h"

CNullAudioDevice::CNullAudioDevice(SoundFileOpener opener) : fileOpener(std::move(opener)) {}

irr::core::stringc CNullAudioDevice::getDescription() const { return "Null audio device"; }

ISound* CNullAudioDevice::createSound(IReadFile*, const ContentRef&) { return nullptr; }

ISound* CNullAudioDevice::createSound(const char* fileName, const ContentRef& reference)
{
	IReadFile* file = openFile(fileName);
	if (!file)
		return nullptr;
	ISound* sound = createSound(file, reference);
	file->drop();
	return sound;
}

IReadFile* CNullAudioDevice::openFile(const char* fileName) const
{
	if (!fileOpener || !fileName || !*fileName)
		return nullptr;
	return fileOpener(fileName);
}

CNullAudioDevice* createNullAudioDevice(SoundFileOpener opener) { return new CNullAudioDevice(std::move(opener)); }
