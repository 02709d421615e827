#pragma once

#include <cstdint>

// The gamma ramps of the X screen a window is on, through the XFree86 video mode extension. Each
// ramp has 256 entries, spread over or gathered from the screen's own ramp size. Both calls fail
// (false, nothing changed) on a server without the extension or without a ramp, such as a virtual
// framebuffer, and when the server refuses the request.
bool setScreenGammaRamps(void* display, unsigned long window, const uint16_t red[256], const uint16_t green[256],
                         const uint16_t blue[256]);
bool getScreenGammaRamps(void* display, unsigned long window, uint16_t red[256], uint16_t green[256],
                         uint16_t blue[256]);
