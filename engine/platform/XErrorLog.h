#pragma once

// Makes X protocol errors log a warning instead of ending the process, which is Xlib's
// default. Some servers refuse requests the 3-D library makes (swap control under a
// virtual framebuffer, for one); the game goes on without what was refused.
void installXErrorLog();
