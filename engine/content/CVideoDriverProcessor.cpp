#include "CVideoDriverProcessor.h"

#include "core/DeviceEvents.h"

#include <irrlicht/IVideoDriver.h>

CVideoDriverProcessor::CVideoDriverProcessor(irr::video::IVideoDriver* driver)
{
	mask |= EventCategoryDevice;
	setVideoDriver(driver);
}

CVideoDriverProcessor::~CVideoDriverProcessor()
{
	setVideoDriver(nullptr);
}

bool CVideoDriverProcessor::onDeviceReset(CEventDeviceReset*)
{
	setVideoDriver(nullptr);
	return false;
}

bool CVideoDriverProcessor::onVideoDriverCreated(CEventDeviceVideoDriverCreated* event)
{
	setVideoDriver(event->driver);
	return false;
}

void CVideoDriverProcessor::setVideoDriver(irr::video::IVideoDriver* driver)
{
	if (driver)
		driver->grab();
	if (videoDriver)
		videoDriver->drop();
	videoDriver = driver;
}
