#pragma once

#include "audio/IAudioDevice.h"
#include "content/IContentProcessor.h"
#include "core/SmartPointer.h"

// Processor of "isnd": sounds made by the audio device; releases every cached sound with the device.
class CSoundProcessor : public IContentProcessor
{
public:
	// The audio device may be null (no sound output): every load then gives null.
	explicit CSoundProcessor(IAudioDevice* audioDevice);

	int getPriority() const override { return 1; }
	ContentType getContentType() const override { return ContentTypeSound; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;
	// On event 11 every cached sound goes, so none keeps buffers of the released device.
	void processAll(CEvent* event, ContentMap& objects) override;

	bool onAudioDeviceReleased(CEvent* event) override;
	bool onAudioDeviceCreated(CEventDeviceAudioDriverCreated* event) override;

	IAudioDevice* getAudioDevice() const { return audioDevice.get(); }

private:
	SmartPointer<IAudioDevice> audioDevice;
};
