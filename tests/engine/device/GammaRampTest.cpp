#include "device/GammaRamp.h"

#include <cmath>
#include <gtest/gtest.h>

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
