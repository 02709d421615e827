#include "IContentProcessor.h"

#include "core/DeviceEvents.h"

namespace
{
bool audioDeviceReleasedHandler(EventReceiver* receiver, CEvent* event)
{
	return static_cast<IContentProcessor*>(receiver)->onAudioDeviceReleased(event);
}
} // namespace

const EventMap& IContentProcessor::eventMap()
{
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {{CEventDeviceReset::TypeId,
	      &eventHandler<IContentProcessor, CEventDeviceReset, &IContentProcessor::onDeviceReset>},
	     {CEventDeviceVideoDriverCreated::TypeId,
	      &eventHandler<IContentProcessor, CEventDeviceVideoDriverCreated, &IContentProcessor::onVideoDriverCreated>},
	     {EventIdDeviceAudioDriverReleased, &audioDeviceReleasedHandler},
	     {CEventDeviceAudioDriverCreated::TypeId,
	      &eventHandler<IContentProcessor, CEventDeviceAudioDriverCreated, &IContentProcessor::onAudioDeviceCreated>}});
	return table;
}

bool IContentProcessor::onEvent(CEvent* event)
{
	return dispatchThroughTable(eventMap(), event);
}

void IContentProcessor::processAll(CEvent*, ContentMap&) {}

bool IContentProcessor::onDeviceReset(CEventDeviceReset*)
{
	return false;
}

bool IContentProcessor::onVideoDriverCreated(CEventDeviceVideoDriverCreated*)
{
	return false;
}

bool IContentProcessor::onAudioDeviceReleased(CEvent*)
{
	return false;
}

bool IContentProcessor::onAudioDeviceCreated(CEventDeviceAudioDriverCreated*)
{
	return false;
}
