#include "WindowPlacement.h"

#include <algorithm>

WindowPlacement computeWindowRect(bool fullscreen, int clientWidth, int clientHeight, int screenWidth, int screenHeight,
                                  const WindowFrame& frame)
{
	WindowPlacement placement;
	if (fullscreen)
	{
		placement.width = clientWidth;
		placement.height = clientHeight;
		return placement;
	}
	placement.width = clientWidth + frame.left + frame.right;
	placement.height = clientHeight + frame.top + frame.bottom;
	placement.x = std::max(0, (screenWidth - placement.width) / 2);
	placement.y = std::max(0, (screenHeight - placement.height) / 2);
	return placement;
}
