#pragma once

#include "content/ContentObject.h"
#include "core/EventReceiver.h"

class CContentManager;
class CEventDeviceAudioDriverCreated;
class CEventDeviceReset;
class CEventDeviceVideoDriverCreated;
class IReadFile;
class IWriteFile;

// Turns an open file into the content object of one type and, for some types, writes it back.
class IContentProcessor : public EventReceiver
{
public:
	// Device events 9, 10, 11 and 12 go to the four device handlers below.
	bool onEvent(CEvent* event) override;

	// Order of processAll calls in the content manager's broadcast (lower first).
	virtual int getPriority() const { return 0; }
	virtual ContentType getContentType() const = 0;
	// A new object with one reference for the caller, or null. Relative requests made from
	// here resolve against the folder the processor pushed on the manager (pushFolder).
	virtual ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) = 0;
	// saveParameter is passed on from CContentManager::saveContent unchanged.
	virtual bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) = 0;
	// The manager's cached objects of this processor's type; entries may be dropped and erased.
	virtual void processAll(CEvent* event, ContentMap& objects);

	virtual bool onDeviceReset(CEventDeviceReset* event);
	virtual bool onVideoDriverCreated(CEventDeviceVideoDriverCreated* event);
	// Event 11 has no class of its own.
	virtual bool onAudioDeviceReleased(CEvent* event);
	virtual bool onAudioDeviceCreated(CEventDeviceAudioDriverCreated* event);

	static const EventMap& eventMap();
};
