#include "XErrorLog.h"

#include "core/ILogger.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace
{
int logXError(Display* display, XErrorEvent* error)
{
	char description[256] = {};
	XGetErrorText(display, error->error_code, description, sizeof(description));
	char hint[320];
	std::snprintf(hint, sizeof(hint), "%s (request %d.%d)", description, error->request_code, error->minor_code);
	getLogger()->log("X request refused", hint, 1);
	return 0;
}
} // namespace

void installXErrorLog() { XSetErrorHandler(logXError); }
