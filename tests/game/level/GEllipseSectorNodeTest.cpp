#include "level/GEllipseSectorNode.h"
#include "core/CPropertyCollection.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using irr::core::vector2df;

namespace
{
// The rim of a fan as whole-number points, "x,y x,y ...", the centre left out.
std::string rim(const irr::core::array<vector2df>& points)
{
	std::string text;
	for (irr::u32 i = 1; i < points.size(); ++i)
		text += (i > 1 ? " " : "") + std::to_string(std::lround(points[i].X)) + "," +
		        std::to_string(std::lround(points[i].Y));
	return text;
}
} // namespace

TEST(EllipseSectorFan, RimPointsRunClockwiseFromTheTop)
{
	struct Case
	{
		const char* name;
		int angle1, angle2, steps;
		size_t points;       // centre included
		const char* rimText; // empty: not compared
	};
	const Case cases[] = {
	    {"empty range: centre and one rim point", 0, 0, 32, 2, "0,-10"},
	    {"full circle in 32 steps", 0, 360, 32, 34, ""},
	    {"diamond", 0, 360, 4, 6, "0,-10 20,0 0,10 -20,0 0,-10"},
	    {"quarter", 0, 90, 4, 3, "0,-10 20,0"},
	    {"no steps does not loop for ever", 0, 360, 0, 362, ""},
	};
	for (const Case& c : cases)
	{
		const auto points = ellipseSectorFan(vector2df(0, 0), 20.0f, 10.0f, c.angle1, c.angle2, c.steps);
		EXPECT_EQ(points.size(), c.points) << c.name;
		if (*c.rimText)
			EXPECT_EQ(rim(points), c.rimText) << c.name;
	}
}

TEST(EllipseSectorFan, HugeRangesAreCapped)
{
	const auto points = ellipseSectorFan(vector2df(0, 0), 1.0f, 1.0f, -2000000000, 2000000000, 100000);
	EXPECT_LE(points.size(), 4097u);
}

TEST(GEllipseSectorNode, BuildsItsFanInTheNodesBoundsWithItsColour)
{
	SmartPointer<GEllipseSectorNode> node(new GEllipseSectorNode());
	node->setPosition(irr::core::vector3df(100, 50, 0));
	node->setBounds(irr::core::vector3df(40, 20, 0));
	node->setFillColor(irr::video::SColor(255, 255, 0, 0));
	node->setTintColor(irr::video::SColor(128, 255, 255, 255));
	node->setMaxVerticesCount(4);
	node->updateAbsoluteTransform();
	node->updateAbsoluteColor();
	ASSERT_TRUE(node->buildVertices());
	const auto& v = node->getVertices();
	ASSERT_EQ(v.size(), 6u);
	EXPECT_FLOAT_EQ(v[0].Pos.X, 120.0f);
	EXPECT_FLOAT_EQ(v[0].Pos.Y, 60.0f);
	EXPECT_NEAR(v[1].Pos.Y, 50.0f, 1e-3); // top of the bounds
	EXPECT_NEAR(v[2].Pos.X, 140.0f, 1e-3); // right edge
	EXPECT_EQ(v[0].Color.getAlpha(), 128u);
	EXPECT_EQ(v[0].Color.getGreen(), 0u);

	node->setAngle2(0);
	EXPECT_FALSE(node->buildVertices());
}

// The node keeps its vertex storage between draws: each rebuild, larger or smaller, is the fan alone.
TEST(GEllipseSectorNode, EveryRebuildIsExactlyTheFan)
{
	SmartPointer<GEllipseSectorNode> node(new GEllipseSectorNode());
	node->setBounds(irr::core::vector3df(40, 20, 0));
	node->updateAbsoluteTransform();
	node->updateAbsoluteColor();
	const struct
	{
		int angle1, angle2, steps;
	} builds[] = {{0, 360, 4}, {0, 360, 32}, {90, 200, 8}, {0, 360, 0}, {0, 90, 4}};
	for (const auto& b : builds)
	{
		node->setAngle1(b.angle1);
		node->setAngle2(b.angle2);
		node->setMaxVerticesCount(b.steps);
		ASSERT_TRUE(node->buildVertices());
		const auto fan = ellipseSectorFan(vector2df(20, 10), 20.0f, 10.0f, b.angle1, b.angle2, b.steps);
		const auto& v = node->getVertices();
		ASSERT_EQ(v.size(), fan.size()) << b.angle1 << ".." << b.angle2 << " / " << b.steps;
		for (irr::u32 i = 0; i < fan.size(); ++i)
		{
			EXPECT_FLOAT_EQ(v[i].Pos.X, fan[i].X) << i;
			EXPECT_FLOAT_EQ(v[i].Pos.Y, fan[i].Y) << i;
		}
	}
}

TEST(GEllipseSectorNode, TransparentNodeIsNotDrawn)
{
	SmartPointer<GEllipseSectorNode> node(new GEllipseSectorNode());
	SmartPointer<GEllipseSectorNode> middle(new GEllipseSectorNode());
	SmartPointer<GEllipseSectorNode> leaf(new GEllipseSectorNode());
	node->addChild(middle.get());
	middle->addChild(leaf.get());
	middle->setTintColor(irr::video::SColor(0, 255, 255, 255)); // opaque fill, transparent node
	RenderList list;
	node->addToRenderList(list);
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(list[0].node, node.get());
}

TEST(GEllipseSectorNode, PropertiesRoundTripAndSurviveCloning)
{
	SmartPointer<GEllipseSectorNode> node(new GEllipseSectorNode());
	CPropertyCollection defaults;
	node->writeProperties(defaults);
	EXPECT_FALSE(defaults.get("Angle2")) << "defaults are not written";

	node->setFillColor(irr::video::SColor(200, 10, 20, 30));
	node->setAngle1(-90);
	node->setAngle2(180);
	node->setMaxVerticesCount(12);
	SmartPointer<BaseNode> copy(node->clone());
	auto* sector = nodeCast<GEllipseSectorNode>(copy.get());
	ASSERT_NE(sector, nullptr);
	EXPECT_EQ(sector->getFillColor(), node->getFillColor());
	EXPECT_EQ(sector->getAngle1(), -90);
	EXPECT_EQ(sector->getAngle2(), 180);
	EXPECT_EQ(sector->getMaxVerticesCount(), 12);

	CPropertyCollection written;
	node->writeProperties(written);
	SmartPointer<GEllipseSectorNode> read(new GEllipseSectorNode());
	read->readProperties(written);
	EXPECT_EQ(read->getAngle1(), -90);
	EXPECT_EQ(read->getMaxVerticesCount(), 12);

	CPropertyCollection wrongType;
	wrongType.addFloat("Angle2", 90.0f);
	read->readProperties(wrongType);
	EXPECT_EQ(read->getAngle2(), 0) << "a value of the wrong type reads as 0";
}
