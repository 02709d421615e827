#pragma once

#include <vector>

// Places rectangles on as few pages as it can (tallest first, left to right in shelves).
class RectanglePacker
{
public:
	struct Placement
	{
		int page = -1; // -1: larger than a page
		int x = 0;
		int y = 0;
	};

	RectanglePacker(int pageWidth, int pageHeight) : pageWidth(pageWidth), pageHeight(pageHeight) {}

	// One placement per size, in the order given; sizes include any padding the caller wants.
	std::vector<Placement> pack(const std::vector<std::pair<int, int>>& sizes);
	int getPageCount() const { return static_cast<int>(pages.size()); }
	// The smallest power-of-two size holding everything placed on the page.
	std::pair<int, int> usedPageSize(int page) const;

private:
	struct Page
	{
		int shelfY = 0;
		int shelfHeight = 0;
		int cursorX = 0;
		int usedWidth = 0;
		int usedHeight = 0;
	};
	bool place(Page& page, int width, int height, Placement& placement) const;

	int pageWidth;
	int pageHeight;
	std::vector<Page> pages;
};
