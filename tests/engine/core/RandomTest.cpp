#include "core/Random.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
unsigned temper(unsigned y)
{
	y ^= y >> 11;
	y ^= (y << 7) & 0x9d2c5680u;
	y ^= (y << 15) & 0xefc60000u;
	y ^= y >> 18;
	return y;
}
} // namespace

TEST(Random, FirstOutputsAfterSeedAreTemperedSeedWords)
{
	Random r;
	r.seed(5489u);
	EXPECT_EQ(r.nextMt(), temper(5489u));
	unsigned second = 1812433253u * (5489u ^ (5489u >> 30)) + 1u;
	EXPECT_EQ(r.nextMt(), temper(second));
}

TEST(Random, TwistMatchesStandardGeneratorShiftedBy624)
{
	// After the 624 untwisted words, the outputs are the standard MT19937 sequence.
	Random r;
	r.seed(5489u);
	for (int i = 0; i < 624; ++i)
		r.nextMt();
	std::mt19937 reference(5489u);
	for (int i = 0; i < 1000; ++i)
		ASSERT_EQ(r.nextMt(), reference()) << i;
}

TEST(Random, MultiplyWithCarryFromFreshObject)
{
	Random r;
	unsigned z = 0x38d4b27cu, w = 0x29169588u;
	for (int i = 0; i < 5; ++i)
	{
		z = 36969u * (z & 0xFFFFu) + (z >> 16);
		w = 18000u * (w & 0xFFFFu) + (w >> 16);
		EXPECT_EQ(r.nextUInt(), (z << 16) + w);
	}
}

TEST(Random, SeedReplacesFirstWordAndKeepsSecond)
{
	Random a, b;
	a.nextUInt(); // moves z
	b.nextUInt();
	a.seed(77u);
	b.seed(77u);
	EXPECT_EQ(a.nextUInt(), b.nextUInt());

	Random c;
	c.seed(1234u);
	unsigned z = 0x38d4b27cu, w = 1234u;
	z = 36969u * (z & 0xFFFFu) + (z >> 16);
	w = 18000u * (w & 0xFFFFu) + (w >> 16);
	EXPECT_EQ(c.nextUInt(), (z << 16) + w);
}

TEST(Random, EqualRangeEndsDoNotStep)
{
	Random a, b;
	EXPECT_EQ(a.nextIntInRange(7, 7), 7u);
	EXPECT_EQ(a.nextFloatInRange(2.0f, 2.0f), 2.0f);
	EXPECT_EQ(a.nextUInt(), b.nextUInt());
}

TEST(Random, RangesStayInside)
{
	Random r;
	for (int i = 0; i < 10000; ++i)
	{
		unsigned v = r.nextIntInRange(3, 9);
		ASSERT_GE(v, 3u);
		ASSERT_LT(v, 9u);
		float f = r.nextFloat();
		ASSERT_GE(f, 0.0f);
		ASSERT_LE(f, 1.0f);
		float g = r.nextFloatInRange(-1.0f, 1.0f);
		ASSERT_GE(g, -1.0f);
		ASSERT_LE(g, 1.0f);
	}
}
