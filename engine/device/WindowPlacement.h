#pragma once

// The frame the window manager draws around a window's client area, in pixels.
struct WindowFrame
{
	int left = 0;
	int right = 0;
	int top = 0;
	int bottom = 0;
};

// Where a window goes on the screen: the top-left corner and the outer size, frame included.
struct WindowPlacement
{
	int x = 0;
	int y = 0;
	int width = 0;
	int height = 0;
};

// Full screen: the client area alone at the origin. Windowed: client area and frame centred on the
// screen (integer division), but never with the frame's top or left edge off the screen, where it
// could no longer be taken to move the window.
WindowPlacement computeWindowRect(bool fullscreen, int clientWidth, int clientHeight, int screenWidth, int screenHeight,
                                  const WindowFrame& frame = WindowFrame());
