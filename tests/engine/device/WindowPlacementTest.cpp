#include "device/WindowPlacement.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
std::string text(const WindowPlacement& p)
{
	return std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.width) + " " +
	       std::to_string(p.height);
}
} // namespace

TEST(WindowPlacement, WindowsAreCentredAndFullScreenStartsAtTheOrigin)
{
	struct Case
	{
		const char* what;
		bool fullscreen;
		int clientWidth, clientHeight, screenWidth, screenHeight;
		WindowFrame frame;
		const char* expected;
	};
	const Case cases[] = {
	    {"without a frame", false, 1024, 768, 1920, 1080, {}, "448 156 1024 768"},
	    {"odd space rounds down", false, 1024, 768, 1281, 1025, {}, "128 128 1024 768"},
	    {"frame counts in the size", false, 1024, 768, 1920, 1080, {2, 2, 30, 2}, "446 140 1028 800"},
	    {"exactly the screen", false, 1024, 768, 1024, 768, {}, "0 0 1024 768"},
	    {"larger than the screen keeps its title bar on it", false, 1024, 768, 800, 600, {0, 0, 24, 0}, "0 0 1024 792"},
	    {"full screen", true, 1280, 1024, 1280, 1024, {2, 2, 30, 2}, "0 0 1280 1024"},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.expected, text(computeWindowRect(c.fullscreen, c.clientWidth, c.clientHeight, c.screenWidth,
		                                             c.screenHeight, c.frame)))
		    << c.what;
}
