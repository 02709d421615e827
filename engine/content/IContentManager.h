#pragma once

#include "content/ContentObject.h"
#include "core/EventReceiver.h"

#include <irrlicht/irrString.h>

class IReadFile;

// The one place where content is asked for by type code and file name.
class IContentManager : public EventReceiver
{
public:
	virtual void setCachingEnabled(bool enabled) = 0;
	virtual bool isCachingEnabled() const = 0;
	// The content named after the file, from the cache or read from that open file.
	// The result carries one reference owned by the caller.
	virtual ContentObject* getContentFromFile(ContentType type, IReadFile* file) = 0;
	// The main request; a relative name resolves against the file being read.
	// The result carries one reference owned by the caller.
	virtual ContentObject* getContent(ContentType type, const irr::core::stringc& name, bool relative) = 0;
	// The cached object or null; no reference is added.
	virtual ContentObject* findCachedContent(ContentType type, const ContentRef& reference) const = 0;
	// saveParameter is handed to the type's processor unchanged.
	virtual bool saveContent(ContentType type, ContentObject* object, const irr::core::stringc& fileName,
	                         void* saveParameter) = 0;
	virtual bool addContentAs(const ContentRef& reference, ContentObject* object) = 0;
	virtual bool addContent(ContentObject* object) = 0;
	virtual void removeContent(ContentObject* object) = 0;
	virtual void releaseUnusedContent() = 0;
	virtual void releaseAllContent() = 0;
	// The name of the file about to be read or written; its folder is what counts.
	virtual void pushFolder(const irr::core::stringc& fileName) = 0;
	virtual void popFolder() = 0;
	virtual irr::core::stringc resolvePath(const irr::core::stringc& name) const = 0;
	virtual irr::core::stringc getRelativePath(const irr::core::stringc& name) const = 0;
};
