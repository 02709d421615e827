#pragma once

#include "CEvent.h"

namespace irr::video
{
class IVideoDriver;
}
class IAudioDevice;

// Device category (mask 1): driver life cycle.
class CEventDevice : public CEvent
{
	ENGINE_EVENT_TYPE(1, CEvent)
protected:
	CEventDevice() { mask = EventCategoryDevice; }
};

// Posted before the video driver is released.
class CEventDeviceReset : public CEventDevice
{
	ENGINE_EVENT_TYPE(9, CEventDevice)
};

// Posted after a video driver was created; the driver is not grabbed.
class CEventDeviceVideoDriverCreated : public CEventDevice
{
	ENGINE_EVENT_TYPE(10, CEventDevice)
public:
	explicit CEventDeviceVideoDriverCreated(irr::video::IVideoDriver* d) : driver(d) {}
	irr::video::IVideoDriver* driver;
};

// Id 11: the audio device was released. Never posted; tables may list it.
constexpr int EventIdDeviceAudioDriverReleased = 11;

// Posted after the audio device was created; the device is not grabbed.
class CEventDeviceAudioDriverCreated : public CEventDevice
{
	ENGINE_EVENT_TYPE(12, CEventDevice)
public:
	explicit CEventDeviceAudioDriverCreated(IAudioDevice* d) : audioDevice(d) {}
	IAudioDevice* audioDevice;
};
