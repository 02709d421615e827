#pragma once

#include <irrlicht/rect.h>

// Where the fixed 1024 x 768 virtual screen lands in a window: offset and scale of the UI tree and the
// two black bars that frame it when the window's shape is too far from 4:3 to stretch.
struct GameScreenLayout
{
	static constexpr int VirtualWidth = 1024;
	static constexpr int VirtualHeight = 768;

	int offsetX = 0;
	int offsetY = 0;
	float scaleX = 1.0f;
	float scaleY = 1.0f;
	// Left or top bar, then right or bottom bar, in window pixels (empty when stretched).
	irr::core::recti firstBar;
	irr::core::recti secondBar;

	bool hasBars() const { return firstBar.getArea() > 0 || secondBar.getArea() > 0; }
};

// The layout for a window of width x height pixels. Shapes less than 10 % away from 4:3 are stretched;
// others keep 4:3 between bars, which never cover a row or column the picture reaches into.
GameScreenLayout computeGameScreenLayout(int width, int height);
