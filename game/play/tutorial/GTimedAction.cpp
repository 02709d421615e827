#include "GTimedAction.h"

#include "content/IXMLReader.h"

void GTimedAction::update(int elapsed)
{
	if (remaining > 0)
		remaining -= elapsed;
}

void GTimedAction::load(IXMLReader* reader)
{
	remaining = reader->getAttributeValueAsInt(L"Time", 0);
}
