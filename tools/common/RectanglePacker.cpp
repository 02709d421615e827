#include "RectanglePacker.h"

#include <algorithm>
#include <numeric>

namespace
{
int powerOfTwoAtLeast(int value)
{
	int size = 1;
	while (size < value)
		size *= 2;
	return size;
}
} // namespace

bool RectanglePacker::place(Page& page, int width, int height, Placement& placement) const
{
	if (page.cursorX + width > pageWidth)
	{
		// Next shelf.
		page.shelfY += page.shelfHeight;
		page.shelfHeight = 0;
		page.cursorX = 0;
	}
	if (page.shelfY + height > pageHeight || width > pageWidth)
		return false;
	placement.x = page.cursorX;
	placement.y = page.shelfY;
	page.cursorX += width;
	page.shelfHeight = std::max(page.shelfHeight, height);
	page.usedWidth = std::max(page.usedWidth, page.cursorX);
	page.usedHeight = std::max(page.usedHeight, page.shelfY + page.shelfHeight);
	return true;
}

std::vector<RectanglePacker::Placement> RectanglePacker::pack(const std::vector<std::pair<int, int>>& sizes)
{
	pages.clear();
	std::vector<Placement> placements(sizes.size());
	std::vector<size_t> order(sizes.size());
	std::iota(order.begin(), order.end(), size_t(0));
	// Stable, so equal sizes keep the caller's (sorted) order and the output does not change between runs.
	std::stable_sort(order.begin(), order.end(),
	                 [&](size_t a, size_t b)
	                 {
		                 if (sizes[a].second != sizes[b].second)
			                 return sizes[a].second > sizes[b].second;
		                 return sizes[a].first > sizes[b].first;
	                 });
	for (size_t index : order)
	{
		const int width = sizes[index].first;
		const int height = sizes[index].second;
		Placement& placement = placements[index];
		if (width > pageWidth || height > pageHeight)
			continue;
		// Only the last page takes new shelves; earlier pages are closed once a picture did not fit.
		if (pages.empty() || !place(pages.back(), width, height, placement))
		{
			pages.emplace_back();
			place(pages.back(), width, height, placement);
		}
		placement.page = static_cast<int>(pages.size()) - 1;
	}
	return placements;
}

std::pair<int, int> RectanglePacker::usedPageSize(int page) const
{
	if (page < 0 || page >= getPageCount())
		return {0, 0};
	const Page& used = pages[static_cast<size_t>(page)];
	return {powerOfTwoAtLeast(used.usedWidth), powerOfTwoAtLeast(used.usedHeight)};
}
