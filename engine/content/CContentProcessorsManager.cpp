#include "CContentProcessorsManager.h"

#include "audio/IAudioDevice.h"
#include "content/CAtlasTextureCollectionProcessor.h"
#include "content/CAtlasTextureProcessor.h"
#include "content/CFontProcessor.h"
#include "content/CImageProcessor.h"
#include "content/CParticleCollectionProcessor.h"
#include "content/CParticleEmitterProcessor.h"
#include "content/CSceneNodeProcessor.h"
#include "content/CSoundPackProcessor.h"
#include "content/CSoundProcessor.h"
#include "content/CTextureProcessor.h"
#include "content/IFileSystem.h"
#include "core/DeviceEvents.h"
#include "core/ILogger.h"

#include <irrlicht/IVideoDriver.h>

const EventMap& CContentProcessorsManager::eventMap()
{
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {{CEventDeviceReset::TypeId,
	      &eventHandler<CContentProcessorsManager, CEventDeviceReset, &CContentProcessorsManager::onDeviceReset>},
	     {CEventDeviceVideoDriverCreated::TypeId,
	      &eventHandler<CContentProcessorsManager, CEventDeviceVideoDriverCreated,
	                    &CContentProcessorsManager::onVideoDriverCreated>}});
	return table;
}

CContentProcessorsManager::CContentProcessorsManager(irr::video::IVideoDriver* driver, IAudioDevice* audio,
                                                     IFileSystem* fs, NodeFactory* factory)
    : audioDevice(shareRef(audio)), fileSystem(shareRef(fs)), nodeFactory(shareRef(factory))
{
	mask |= EventCategoryDevice;
	setVideoDriver(driver);

	registerOwned(new CTextureProcessor(driver));
	registerOwned(new CAtlasTextureProcessor(driver));
	registerOwned(new CAtlasTextureCollectionProcessor(fs));
	registerOwned(new CImageProcessor());
	registerOwned(new CSceneNodeProcessor(fs, factory));
	registerOwned(new CFontProcessor(fs, driver));
	registerOwned(new CParticleCollectionProcessor(fs));
	registerOwned(new CParticleEmitterProcessor(fs));
	registerOwned(new CSoundProcessor(audio));
	registerOwned(new CSoundPackProcessor(fs));
}

CContentProcessorsManager::~CContentProcessorsManager()
{
	for (IContentProcessor* processor : processors)
		processor->drop();
	processors.clear();
	setVideoDriver(nullptr);
	audioDevice = nullptr;
	fileSystem = nullptr;
	nodeFactory = nullptr;
}

bool CContentProcessorsManager::onEvent(CEvent* event)
{
	return dispatchThroughTable(eventMap(), event);
}

bool CContentProcessorsManager::sendToChildren(int, CEvent* event)
{
	// Index loop: a processor may be registered while another handles the event.
	for (size_t i = 0; i < processors.size(); ++i)
	{
		if (processors[i]->mask & event->mask)
			processors[i]->onEvent(event);
	}
	return false;
}

IContentProcessor* CContentProcessorsManager::findProcessor(ContentType type) const
{
	for (IContentProcessor* processor : processors)
	{
		if (processor->getContentType() == type)
			return processor;
	}
	return nullptr;
}

void CContentProcessorsManager::registerProcessor(IContentProcessor* processor)
{
	if (!processor)
		return;
	if (findProcessor(processor->getContentType()))
	{
		const irr::core::stringc hint = irr::core::stringc("IContentProcessor for the type #") +
		                                contentTypeToText(processor->getContentType()) + " is already present";
		getLogger()->log("CContentProcessorsManager", hint.c_str(), 1);
		return;
	}
	processor->grab();
	processors.push_back(processor);
}

bool CContentProcessorsManager::onDeviceReset(CEventDeviceReset*)
{
	setVideoDriver(nullptr);
	return false;
}

bool CContentProcessorsManager::onVideoDriverCreated(CEventDeviceVideoDriverCreated* event)
{
	setVideoDriver(event->driver);
	return false;
}

void CContentProcessorsManager::registerOwned(IContentProcessor* processor)
{
	registerProcessor(processor);
	processor->drop();
}

void CContentProcessorsManager::setVideoDriver(irr::video::IVideoDriver* driver)
{
	if (driver)
		driver->grab();
	if (videoDriver)
		videoDriver->drop();
	videoDriver = driver;
}
