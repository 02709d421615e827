#include "scene/NodeMath.h"

#include <gtest/gtest.h>

using irr::core::vector2df;

TEST(NodeMath, MultiplyColorsPerChannel)
{
	struct Case
	{
		irr::u32 a, b, expected;
	};
	const std::vector<Case> cases = {
	    {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, {0x80FFFFFF, 0x80FFFFFF, 0x40FFFFFF},
	    {0xFF808080, 0xFFFFFFFF, 0xFF808080}, {0x00000000, 0xFFFFFFFF, 0x00000000},
	    {0xFF102030, 0x80FF7F00, 0x80100F00},
	};
	for (const auto& c : cases)
		EXPECT_EQ(multiplyColors(irr::video::SColor(c.a), irr::video::SColor(c.b)).color, c.expected)
		    << std::hex << c.a;
}

TEST(NodeMath, RotateByWholeDegrees)
{
	struct Case
	{
		int degrees;
		vector2df expected;
	};
	const std::vector<Case> cases = {
	    {0, {10, 0}}, {90, {0, 10}}, {180, {-10, 0}}, {270, {0, -10}}, {-90, {0, -10}}, {450, {0, 10}}, {-720, {10, 0}},
	};
	for (const auto& c : cases)
	{
		vector2df r = rotateByWholeDegrees(vector2df(10, 0), c.degrees);
		EXPECT_NEAR(r.X, c.expected.X, 1e-5f) << c.degrees;
		EXPECT_NEAR(r.Y, c.expected.Y, 1e-5f) << c.degrees;
	}
	vector2df r = rotateByWholeDegrees(vector2df(10, 0), 30);
	EXPECT_NEAR(r.X, 8.660254f, 1e-4f);
	EXPECT_NEAR(r.Y, 5.0f, 1e-4f);
}

TEST(NodeMath, MatrixScale)
{
	irr::core::matrix4 m;
	m.setScale(irr::core::vector3df(2, 3, 4));
	EXPECT_EQ(getMatrixScale(m), irr::core::vector3df(2, 3, 4));
	irr::core::matrix4 r;
	r.setRotationDegrees(irr::core::vector3df(0, 0, 90));
	irr::core::matrix4 rs = r * m;
	irr::core::vector3df s = getMatrixScale(rs);
	EXPECT_NEAR(s.X, 2.0f, 1e-5f);
	EXPECT_NEAR(s.Y, 3.0f, 1e-5f);
	EXPECT_NEAR(s.Z, 4.0f, 1e-5f);
	EXPECT_TRUE(isNearIdentity(identityMatrix()));
}
