#include "VideoModeList.h"

#include <algorithm>

bool VideoModeList::Mode::operator<(const Mode& o) const
{
	if (width != o.width)
		return width < o.width;
	if (height != o.height)
		return height < o.height;
	return depth < o.depth;
}

void VideoModeList::addMode(int width, int height, int depth)
{
	Mode mode{width, height, depth};
	auto it = std::lower_bound(modes.begin(), modes.end(), mode);
	if (it != modes.end() && *it == mode)
		return;
	modes.insert(it, mode);
}
