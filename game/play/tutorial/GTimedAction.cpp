#include "GTimedAction.h"

#include "content/IXMLReader.h"
#include "data/CheckedNumber.h"

void GTimedAction::update(int elapsed)
{
	if (remaining > 0)
		remaining -= elapsed;
}

void GTimedAction::load(IXMLReader* reader)
{
	// Up to an hour in ms; a refused time passes at once, as none given.
	remaining = readIntAttribute(reader, L"Time", 0, {0.0, 3600000.0});
}
