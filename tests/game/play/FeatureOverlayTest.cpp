#include "play/GGamePlayScene.h"

#include <gtest/gtest.h>

// The recharge overlay of a 119 x 101 feature button: c = floor((1 - f) x 91) + 5 rows stay uncovered.
TEST(FeatureOverlay, UncoveredRowsFollowTheFeaturesProgress)
{
	struct Case
	{
		float fraction;
		int top;
	};
	for (const Case& c : {Case{-1.0f, 101}, Case{0.0f, 96}, Case{0.5f, 50}, Case{0.25f, 73}, Case{1.0f, 5},
	                      Case{1.5f, 5}})
		EXPECT_EQ(GGamePlayScene::featureOverlayTop(c.fraction), c.top) << c.fraction;
	EXPECT_EQ(GGamePlayScene::featureOverlayTop(std::nanf("")), 101);
}
