#pragma once

#include "core/ReferenceCounted.h"

#include <cstddef>
#include <vector>

// Display modes without duplicates, sorted by width, height, depth; plus the desktop mode.
class VideoModeList : public virtual ReferenceCounted
{
public:
	struct Mode
	{
		int width;
		int height;
		int depth;
		bool operator<(const Mode& o) const;
		bool operator==(const Mode& o) const { return width == o.width && height == o.height && depth == o.depth; }
	};

	// Inserts in order; duplicates are ignored.
	void addMode(int width, int height, int depth);
	void clear() { modes.clear(); }
	int getModeCount() const { return static_cast<int>(modes.size()); }
	const Mode& getMode(int index) const { return modes[static_cast<std::size_t>(index)]; }

	Mode desktop{0, 0, 0};

private:
	std::vector<Mode> modes;
};
