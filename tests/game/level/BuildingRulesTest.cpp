#include "level/BuildingRules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
std::string text(const LevelRect& r)
{
	return std::to_string(r.x1) + " " + std::to_string(r.y1) + " " + std::to_string(r.x2) + " " + std::to_string(r.y2);
}

std::string argb(irr::video::SColor c)
{
	return std::to_string(c.getAlpha()) + " " + std::to_string(c.getRed()) + " " + std::to_string(c.getGreen()) + " " +
	       std::to_string(c.getBlue());
}
} // namespace

TEST(LevelRectBuilder, StartsAtTheScreenCentreAndAddsThirtyAboveAndBelow)
{
	struct Case
	{
		const char* name;
		std::vector<std::pair<float, float>> buildings;
		const char* rect;
	};
	const Case cases[] = {
	    {"one building", {{100, 200}}, "100 170 512 419"},
	    {"two far apart", {{0, 0}, {900, 600}}, "0 -30 1035 690"},
	    {"fractions truncated", {{100.9f, 200.7f}}, "100 170 512 419"},
	    {"none", {}, "512 359 512 419"},
	};
	for (const Case& c : cases)
	{
		LevelRectBuilder builder;
		for (const auto& at : c.buildings)
			builder.addBuilding(at.first, at.second);
		EXPECT_EQ(text(builder.result()), c.rect) << c.name;
	}
}

// Positions from a file may be anything: pixels are truncated and bounded, never overflowing.
TEST(LevelRect, PixelsAreTruncatedAndBounded)
{
	struct Case
	{
		float value;
		int pixel;
	};
	const Case cases[] = {{12.9f, 12},           {-12.9f, -12},      {1e20f, 1000000000},
	                      {-1e20f, -1000000000}, {std::nanf(""), 0}, {1e30f * 1e30f, 1000000000}};
	for (const Case& c : cases)
		EXPECT_EQ(toPixel(c.value), c.pixel) << c.value;
	const LevelRect far = rectAround(7.7e19f, 0.0f, 135.0f, 60.0f);
	EXPECT_EQ(far.x1, 1000000000);
	LevelRectBuilder builder;
	builder.addBuilding(-1e25f, 1e25f);
	EXPECT_EQ(builder.result().x1, -1000000000);
	EXPECT_EQ(builder.result().y2, 1000000000 + 60 + 30);
}

TEST(LevelRect, OverlapNeedsSharedAreaAndClippingNeverGrows)
{
	const LevelRect a{0, 0, 100, 100};
	EXPECT_TRUE(rectsOverlap(a, LevelRect{99, 99, 200, 200}));
	EXPECT_FALSE(rectsOverlap(a, LevelRect{100, 0, 200, 100})) << "touching edges";
	EXPECT_FALSE(rectsOverlap(a, LevelRect{0, 100, 100, 200})) << "touching edges";
	EXPECT_TRUE(rectsOverlap(a, LevelRect{-50, -50, 150, 150})) << "around";

	EXPECT_EQ(text(clipRect(LevelRect{-30, 28, 370, 428}, LevelRect{100, 170, 512, 419})), "100 170 370 419");
	EXPECT_EQ(text(clipRect(LevelRect{200, 200, 300, 300}, LevelRect{100, 170, 512, 419})), "200 200 300 300");
	// Centred, each side truncated towards zero.
	EXPECT_EQ(text(rectAround(170.0f, 228.0f, 401.0f, 3.0f)), "-30 226 370 229");
}

TEST(SalePrice, OffersAreRoundedToTheNearestThousandHalvesUp)
{
	struct Case
	{
		float price;
		int rounded;
	};
	const Case cases[] = {{48400.0f * 0.9f, 44000}, {43500.0f, 44000}, {43499.0f, 43000}, {499.0f, 0},
	                      {500.0f, 1000},           {0.0f, 0}};
	for (const Case& c : cases)
		EXPECT_EQ(roundToThousand(c.price), c.rounded) << c.price;
}

TEST(CountdownRing, GreenOverYellowToRedWithoutOvershoot)
{
	struct Case
	{
		float ratio;
		int degrees;
		const char* colour;
	};
	const Case cases[] = {
	    {0.0f, 0, "255 0 255 0"},      {0.25f, 90, "255 128 255 0"}, {0.5f, 180, "255 255 255 0"},
	    {0.75f, 270, "255 255 128 0"}, {1.0f, 360, "255 255 0 0"},   {1.3f, 468, "255 255 0 0"},
	    {-0.2f, -72, "255 0 255 0"},
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(countdownRingDegrees(c.ratio), c.degrees) << c.ratio;
		EXPECT_EQ(argb(countdownRingColor(c.ratio)), c.colour) << c.ratio;
	}
	// Across and past the whole range red never falls and green never rises.
	irr::video::SColor before = countdownRingColor(-1.0f);
	for (int i = -100; i <= 300; ++i)
	{
		const irr::video::SColor now = countdownRingColor(static_cast<float>(i) / 100.0f);
		EXPECT_GE(now.getRed(), before.getRed()) << i;
		EXPECT_LE(now.getGreen(), before.getGreen()) << i;
		EXPECT_EQ(now.getBlue(), 0u) << i;
		EXPECT_EQ(now.getAlpha(), 255u) << i;
		before = now;
	}
}

TEST(BonusIcon, TextAndSmileFollowTheBonus)
{
	struct Case
	{
		float bonus;
		const wchar_t* text;
		const char* picture;
	};
	const Case cases[] = {{-5.0f, L"-5%", "Red.png"},
	                      {14.9f, L"+14%", "Blue.png"},
	                      {15.0f, L"+15%", "Green.png"},
	                      {0.5f, L"+0%", "Blue.png"}};
	for (const Case& c : cases)
	{
		const BonusIcon icon = bonusIconFor(c.bonus);
		EXPECT_TRUE(icon.text == c.text) << c.bonus;
		EXPECT_STREQ(icon.picture, c.picture) << c.bonus;
	}
}

// A paying feature of 12 000 ms pays a quarter at the first update after 3000, 7000 and 11000 ms
// of working time and the last quarter when it ends at 12 000 ms, whatever the update step.
TEST(FeatureTimer, PaysFourQuartersAtTheirTimes)
{
	for (int step : {10, 20, 50, 1000})
	{
		GFeatureState state;
		state.state = GFeatureState::Active;
		state.remaining = 12000;
		state.paying = true;
		state.paymentTimer = 12000 / 4;
		std::vector<int> paidAt;
		int endedAt = -1;
		for (int t = step; t <= 20000 && state.state == GFeatureState::Active; t += step)
		{
			const FeatureStepResult result = stepFeature(state, 12000, 30000, step);
			for (int i = 0; i < result.payments; ++i)
				paidAt.push_back(t);
			if (result.activeEnded)
				endedAt = t;
		}
		auto firstAfter = [step](int ms) { return (ms / step + 1) * step; };
		EXPECT_EQ(paidAt, (std::vector<int>{firstAfter(3000), firstAfter(7000), firstAfter(11000), 12000}))
		    << "step " << step;
		EXPECT_EQ(endedAt, 12000) << "step " << step;
		EXPECT_EQ(state.state, GFeatureState::Recharging);
		EXPECT_EQ(state.remaining, 30000);
	}
}

TEST(FeatureTimer, RechargeEndsInIdleAndCancelRechargesTheUsedShare)
{
	GFeatureState state;
	state.state = GFeatureState::Recharging;
	state.remaining = 100;
	EXPECT_FALSE(stepFeature(state, 12000, 30000, 50).rechargeEnded);
	const FeatureStepResult result = stepFeature(state, 12000, 30000, 50);
	EXPECT_TRUE(result.rechargeEnded);
	EXPECT_EQ(result.payments, 0);
	EXPECT_EQ(state.state, GFeatureState::Idle);
	// An idle feature stands still.
	EXPECT_EQ(stepFeature(state, 12000, 30000, 50).rechargeEnded, false);
	EXPECT_EQ(state.remaining, 0);

	// A quarter of its time used: a quarter of the recharge; three quarters used: three quarters.
	EXPECT_EQ(rechargeAfterCancel(9000, 12000, 30000), 7500);
	EXPECT_EQ(rechargeAfterCancel(3000, 12000, 30000), 22500);
	EXPECT_EQ(rechargeAfterCancel(5, 0, 30000), 30000);
}
