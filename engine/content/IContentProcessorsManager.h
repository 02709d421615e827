#pragma once

#include "content/ContentType.h"
#include "core/EventReceiver.h"

class IContentProcessor;

// Owns the content processors and finds the one of a content type.
class IContentProcessorsManager : public EventReceiver
{
public:
	// The first registered processor of the type, or null.
	virtual IContentProcessor* findProcessor(ContentType type) const = 0;
	// Grabs and appends; a second processor of a registered type is refused with a warning.
	virtual void registerProcessor(IContentProcessor* processor) = 0;
};
