#include "device/GammaRamp.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

TEST(GammaRamp, LinearRampForGammaOneWithoutBrightnessOrContrast)
{
	uint16_t ramp[256];
	ASSERT_TRUE(calculateGammaRamp(ramp, 1.0f, 0.0f, 0.0f));
	EXPECT_EQ(0, ramp[0]);
	EXPECT_EQ(65535, ramp[255]);
	for (int i : {1, 64, 128, 200})
		EXPECT_EQ(static_cast<uint16_t>(std::trunc(i / 255.0 * 65535 + 0.5)), ramp[i]) << i;
}

TEST(GammaRamp, BrightnessShiftsAndClamps)
{
	uint16_t ramp[256];
	ASSERT_TRUE(calculateGammaRamp(ramp, 1.0f, 1.0f, 0.0f));
	EXPECT_EQ(16383, ramp[0]);
	EXPECT_EQ(65535, ramp[255]);
	ASSERT_TRUE(calculateGammaRamp(ramp, 1.0f, -5.0f, 0.0f));
	EXPECT_EQ(0, ramp[128]);
}

TEST(GammaRamp, ArgumentsWithoutARampLeaveItUnchanged)
{
	struct Case
	{
		float gamma, contrast;
	};
	for (const Case& c : {Case{0.0f, 0.0f}, Case{-1.0f, 0.0f}, Case{1.0f, 2.0f}, Case{1.0f, 3.0f}, Case{NAN, 0.0f}})
	{
		uint16_t ramp[256];
		for (int i = 0; i < 256; ++i)
			ramp[i] = static_cast<uint16_t>(i * 7);
		EXPECT_FALSE(calculateGammaRamp(ramp, c.gamma, 0.0f, c.contrast)) << c.gamma << " " << c.contrast;
		for (int i = 0; i < 256; ++i)
			ASSERT_EQ(i * 7, ramp[i]);
	}
}

TEST(GammaRamp, ContrastNearTheLimitStaysInRange)
{
	uint16_t ramp[256];
	ASSERT_TRUE(calculateGammaRamp(ramp, 1.0f, 0.0f, 1.9999f));
	EXPECT_EQ(65535, ramp[255]);
}

TEST(GammaRamp, GammaIsRecoveredFromARamp)
{
	for (float gamma : {0.5f, 1.0f, 1.8f, 2.2f})
	{
		uint16_t ramp[256];
		ASSERT_TRUE(calculateGammaRamp(ramp, gamma, 0.0f, 0.0f));
		EXPECT_NEAR(gamma, calculateGammaFromRamp(ramp), 0.05f * gamma) << gamma;
	}
}

TEST(GammaRamp, RampWithoutInformationGivesOne)
{
	uint16_t ramp[256] = {};
	EXPECT_FLOAT_EQ(1.0f, calculateGammaFromRamp(ramp));
	for (auto& v : ramp)
		v = 65535;
	EXPECT_FLOAT_EQ(1.0f, calculateGammaFromRamp(ramp));
}

TEST(GammaRamp, RampsAreSpreadOverAndGatheredFromScreenRampsOfOtherSizes)
{
	uint16_t ramp[256];
	ASSERT_TRUE(calculateGammaRamp(ramp, 2.2f, 0.0f, 0.0f));
	for (int size : {256, 1024, 16, 2})
	{
		std::vector<uint16_t> screen(static_cast<size_t>(size));
		spreadGammaRamp(ramp, screen.data(), size);
		EXPECT_EQ(ramp[0], screen.front()) << size;
		EXPECT_EQ(ramp[255], screen.back()) << size;
		EXPECT_TRUE(std::is_sorted(screen.begin(), screen.end())) << size;

		uint16_t back[256];
		gatherGammaRamp(screen.data(), size, back);
		EXPECT_EQ(ramp[0], back[0]) << size;
		EXPECT_EQ(ramp[255], back[255]) << size;
		if (size >= 256)
			EXPECT_TRUE(std::equal(ramp, ramp + 256, back)) << size << ": nothing is lost";
	}
	// The gamma read back from a screen ramp of another size is the one that was set.
	std::vector<uint16_t> screen(1024);
	spreadGammaRamp(ramp, screen.data(), 1024);
	uint16_t back[256];
	gatherGammaRamp(screen.data(), 1024, back);
	EXPECT_NEAR(2.2f, calculateGammaFromRamp(back), 0.1f);
}

TEST(GammaRamp, BrightnessAndContrastShapeTheRamp)
{
	struct Case
	{
		const char* what;
		float brightness, contrast;
		int index;
		uint16_t expected;
	};
	// value = trunc(brightness x 16383.75) + trunc((i / (255 - contrast x 127.5)) ^ (1 / gamma) x 65535 + 0.5)
	const Case cases[] = {
	    {"brighter lifts the black", 0.5f, 0.0f, 0, 8191},
	    {"brighter lifts the middle", 0.5f, 0.0f, 128, 8191 + 32896},
	    {"darker lowers the middle", -0.5f, 0.0f, 128, 32896 - 8191},
	    {"contrast steepens the ramp", 0.0f, 1.0f, 64, 32896},
	    {"contrast saturates early", 0.0f, 1.0f, 200, 65535},
	};
	for (const Case& c : cases)
	{
		uint16_t ramp[256];
		ASSERT_TRUE(calculateGammaRamp(ramp, 1.0f, c.brightness, c.contrast)) << c.what;
		EXPECT_EQ(c.expected, ramp[c.index]) << c.what;
	}
}
