#include "effects/GSelectGridNode.h"

#include "EffectTestSupport.h"

#include <gtest/gtest.h>
#include <set>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
// "x 0 40 80 | y 0 40 80": where the vertical and the horizontal lines lie.
std::string lineLayout(const GSelectGridNode& grid)
{
	std::string xs, ys;
	const auto& lines = grid.getLines();
	for (irr::u32 i = 0; i + 1 < lines.size(); i += 2)
	{
		const bool vertical = lines[i].Pos.X == lines[i + 1].Pos.X;
		std::string& target = vertical ? xs : ys;
		target += " " + std::to_string(static_cast<int>(vertical ? lines[i].Pos.X : lines[i].Pos.Y));
	}
	return "x" + xs + " | y" + ys;
}
} // namespace

TEST(GSelectGridNode, LinesAtMultiplesOfTheCellSize)
{
	struct Case
	{
		vector3df bounds;
		vector2df cell;
		const char* layout;
	};
	const Case cases[] = {
	    {{100, 100, 0}, {40, 40}, "x 0 40 80 | y 0 40 80"},
	    {{80, 80, 0}, {40, 40}, "x 0 40 80 | y 0 40 80"},
	    {{80, 40, 0}, {40, 0}, "x 0 40 80 | y"},
	    {{80, 40, 0}, {-5, 20}, "x | y 0 20 40"},
	};
	for (const Case& c : cases)
	{
		SmartPointer<GSelectGridNode> grid(new GSelectGridNode());
		grid->setBounds(c.bounds);
		grid->setCellSize(c.cell);
		grid->setGridColor(irr::video::SColor(255, 1, 2, 3));
		grid->updateAbsoluteTransform();
		EXPECT_EQ(lineLayout(*grid), c.layout);
	}
}

// A tiny cell is cut where 16-bit indices end instead of running on.
TEST(GSelectGridNode, TinyCellsStopAtTheIndexLimit)
{
	SmartPointer<GSelectGridNode> grid(new GSelectGridNode());
	grid->setBounds(vector3df(1000, 1000, 0));
	grid->setCellSize(vector2df(0.0001f, 0.0001f));
	grid->updateAbsoluteTransform();
	EXPECT_LE(grid->getLines().size(), GSelectGridNode::MaxLineVertices);
}

// The lines keep the grid colour untinted; a transparent tint keeps the grid off the render list.
TEST(GSelectGridNode, TintAffectsTheListNotTheLineColour)
{
	EffectScene scene;
	auto* grid = scene.add(new GSelectGridNode());
	grid->setGridColor(irr::video::SColor(255, 10, 20, 30));
	grid->setTintColor(irr::video::SColor(255, 0, 0, 0));
	RenderList list;
	grid->addToRenderList(list);
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(grid->getLines()[0].Color, irr::video::SColor(255, 10, 20, 30));
	grid->setTintColor(irr::video::SColor(0, 255, 255, 255));
	list.clear();
	grid->addToRenderList(list);
	EXPECT_TRUE(list.empty());
}
