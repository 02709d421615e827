#pragma once

#include "content/IContentProcessorsManager.h"
#include "core/SmartPointer.h"
#include "scene/NodeFactory.h"

#include <vector>

namespace irr::video
{
class IVideoDriver;
}
class CEventDeviceReset;
class CEventDeviceVideoDriverCreated;
class IAudioDevice;
class IFileSystem;

// Owns the engine's ten content processors and hands them the device events.
class CContentProcessorsManager : public IContentProcessorsManager
{
public:
	// Any service may be null; the processors that need it then load nothing.
	CContentProcessorsManager(irr::video::IVideoDriver* driver, IAudioDevice* audioDevice, IFileSystem* fileSystem,
	                          NodeFactory* nodeFactory);
	~CContentProcessorsManager() override;

	bool onEvent(CEvent* event) override;
	// Offers the event to every processor whose mask shares a category with it; never handles it.
	bool sendToChildren(int mode, CEvent* event) override;

	IContentProcessor* findProcessor(ContentType type) const override;
	void registerProcessor(IContentProcessor* processor) override;

	virtual bool onDeviceReset(CEventDeviceReset* event);
	virtual bool onVideoDriverCreated(CEventDeviceVideoDriverCreated* event);

	irr::video::IVideoDriver* getVideoDriver() const { return videoDriver; }
	IAudioDevice* getAudioDevice() const { return audioDevice.get(); }
	IFileSystem* getFileSystem() const { return fileSystem.get(); }
	NodeFactory* getNodeFactory() const { return nodeFactory.get(); }
	// Processors in registration order.
	const std::vector<IContentProcessor*>& getProcessors() const { return processors; }

	static const EventMap& eventMap();

private:
	void registerOwned(IContentProcessor* processor);
	void setVideoDriver(irr::video::IVideoDriver* driver);

	irr::video::IVideoDriver* videoDriver = nullptr;
	SmartPointer<IAudioDevice> audioDevice;
	SmartPointer<IFileSystem> fileSystem;
	SmartPointer<NodeFactory> nodeFactory;
	std::vector<IContentProcessor*> processors;
};
