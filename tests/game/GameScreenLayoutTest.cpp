#include "app/GameScreenLayout.h"

#include <gtest/gtest.h>

namespace
{
struct LayoutCase
{
	const char* name;
	int width, height;
	int offsetX, offsetY;
	float scaleX, scaleY;
	irr::core::recti firstBar, secondBar;
};

const LayoutCase layoutCases[] = {
    {"4:3 exact", 1024, 768, 0, 0, 1.0f, 1.0f, {0, 0, 0, 768}, {1024, 0, 1024, 768}},
    {"4:3 larger", 1600, 1200, 0, 0, 1.5625f, 1.5625f, {0, 0, 0, 1200}, {1600, 0, 1600, 1200}},
    {"5:4 stretched", 1280, 1024, 0, 0, 1.25f, 1024.0f / 768.0f, {0, 0, 0, 1024}, {1280, 0, 1280, 1024}},
    {"16:9 pillarbox", 1280, 720, 160, 0, 0.9375f, 0.9375f, {0, 0, 160, 720}, {1120, 0, 1280, 720}},
    // The picture is 768 rows high (128 to 895): the bottom bar begins below it.
    {"square letterbox", 1024, 1024, 0, 128, 1.0f, 1.0f, {0, 0, 1024, 128}, {0, 896, 1024, 1024}},
    // 1100 x 750 is exactly 10 % wider than 4:3; 900 x 750 exactly 10 % narrower.
    {"10% wider gets bars", 1100, 750, 50, 0, 750.0f / 768.0f, 750.0f / 768.0f, {0, 0, 50, 750}, {1050, 0, 1100, 750}},
    {"10% narrower gets bars", 900, 750, 0, 37, 900.0f / 1024.0f, 900.0f / 1024.0f, {0, 0, 900, 37},
     {0, 712, 900, 750}},
    {"just under 10% stretched", 1099, 750, 0, 0, 1099.0f / 1024.0f, 750.0f / 768.0f, {0, 0, 0, 750},
     {1099, 0, 1099, 750}},
    {"empty window", 0, 0, 0, 0, 1.0f, 1.0f, {0, 0, 0, 0}, {0, 0, 0, 0}},
};
} // namespace

class GameScreenLayoutTest : public testing::TestWithParam<LayoutCase>
{
};

TEST_P(GameScreenLayoutTest, PlacesTheVirtualScreen)
{
	const LayoutCase& c = GetParam();
	const GameScreenLayout layout = computeGameScreenLayout(c.width, c.height);
	EXPECT_EQ(layout.offsetX, c.offsetX);
	EXPECT_EQ(layout.offsetY, c.offsetY);
	EXPECT_FLOAT_EQ(layout.scaleX, c.scaleX);
	EXPECT_FLOAT_EQ(layout.scaleY, c.scaleY);
	EXPECT_EQ(layout.firstBar, c.firstBar);
	EXPECT_EQ(layout.secondBar, c.secondBar);
}

INSTANTIATE_TEST_SUITE_P(Windows, GameScreenLayoutTest, testing::ValuesIn(layoutCases),
                         [](const testing::TestParamInfo<LayoutCase>& info)
                         {
	                         std::string name = info.param.name;
	                         for (char& c : name)
		                         if (!isalnum(static_cast<unsigned char>(c)))
			                         c = '_';
	                         return name;
                         });

// Across many window sizes the bars never reach into the scaled picture and the picture fits the window.
TEST(GameScreenLayoutSweep, BarsNeverCoverThePicture)
{
	for (int width = 320; width <= 2560; width += 37)
	{
		for (int height = 240; height <= 1600; height += 41)
		{
			const GameScreenLayout l = computeGameScreenLayout(width, height);
			const double right = l.offsetX + 1024.0 * l.scaleX;
			const double bottom = l.offsetY + 768.0 * l.scaleY;
			ASSERT_LE(right, width + 1e-3) << width << "x" << height;
			ASSERT_LE(bottom, height + 1e-3) << width << "x" << height;
			if (!l.hasBars())
				continue;
			ASSERT_FLOAT_EQ(l.scaleX, l.scaleY);
			const bool letterbox = l.offsetX == 0 && l.firstBar.getWidth() == width;
			if (letterbox)
			{
				ASSERT_EQ(l.firstBar.LowerRightCorner.Y, l.offsetY) << width << "x" << height;
				ASSERT_GE(l.secondBar.UpperLeftCorner.Y, bottom - 1e-3) << width << "x" << height;
				ASSERT_LT(l.secondBar.UpperLeftCorner.Y, bottom + 1.0) << width << "x" << height;
				ASSERT_EQ(l.secondBar.LowerRightCorner.Y, height);
			}
			else
			{
				ASSERT_EQ(l.firstBar.LowerRightCorner.X, l.offsetX) << width << "x" << height;
				ASSERT_GE(l.secondBar.UpperLeftCorner.X, right - 1e-3) << width << "x" << height;
				ASSERT_LT(l.secondBar.UpperLeftCorner.X, right + 1.0) << width << "x" << height;
				ASSERT_EQ(l.secondBar.LowerRightCorner.X, width);
			}
		}
	}
}
