#pragma once

#include "content/ContentType.h"
#include "core/ContentRef.h"
#include "core/EventReceiver.h"

#include <map>

// Content flags of a ContentObject: the cache rule of its class.
enum ContentFlags
{
	// Neither bit: the cached object is a template cloned for every requester.
	ContentCloned = 0,
	// The cached object itself is handed to every requester.
	ContentShared = 1,
	// Read anew on every request; the cache refuses it.
	ContentNeverCached = 2,
};

// Base of everything the content manager loads, caches and hands out.
class ContentObject : public EventReceiver
{
public:
	explicit ContentObject(const ContentRef& reference = ContentRef()) : contentRef(reference) {}

	// A new object with one reference for the caller, or null when the class is not cloned.
	virtual ContentObject* cloneContent() { return nullptr; }
	virtual ContentType getContentType() const = 0;

	int getContentFlags() const { return contentFlags; }
	const ContentRef& getContentRef() const { return contentRef; }
	void setContentRef(const ContentRef& reference) { contentRef = reference; }

protected:
	ContentObject(const ContentObject&) = default;
	ContentObject& operator=(const ContentObject&) = default;

	int contentFlags = ContentCloned;
	ContentRef contentRef;
};

// The cached objects of one content type by content name id; the cache holds one reference of each.
using ContentMap = std::map<int, ContentObject*>;
