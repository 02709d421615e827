#include "nodes/NineGridSpriteNode.h"

#include "ParticleTestSupport.h"
#include "content/AtlasTexture.h"
#include "core/CPropertyCollection.h"
#include "nodes/NineGridLayout.h"
#include "scene/NodeFactory.h"

#include <gtest/gtest.h>

using irr::core::dimension2du;
using irr::core::rectf;
using irr::core::vector2df;

namespace
{
struct PatchCase
{
	vector2df bounds;
	vector2df topLeft;
	vector2df bottomRight;
	// Sizes of the top-left corner, the centre and the bottom-right corner.
	vector2df corner;
	vector2df centre;
	vector2df farCorner;
};

class NineGridPatchTest : public ::testing::TestWithParam<PatchCase>
{
};

TEST_P(NineGridPatchTest, CornersKeepTheirSizeAndTheCentreTakesTheRest)
{
	const PatchCase& c = GetParam();
	const NineGridLayout layout =
	    NineGridLayout::compute(c.bounds, c.topLeft, c.bottomRight, rectf(0, 0, 1, 1), dimension2du(64, 64));
	EXPECT_EQ(layout.patchSize(0, 0), c.corner);
	EXPECT_EQ(layout.patchSize(1, 1), c.centre);
	EXPECT_EQ(layout.patchSize(2, 2), c.farCorner);
	// Edges stretch along one axis only.
	EXPECT_EQ(layout.patchSize(0, 1), vector2df(c.centre.X, c.corner.Y));
	EXPECT_EQ(layout.patchSize(1, 0), vector2df(c.corner.X, c.centre.Y));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, NineGridPatchTest,
    ::testing::Values(PatchCase{{100, 40}, {10, 10}, {10, 10}, {10, 10}, {80, 20}, {10, 10}},
                      PatchCase{{200, 60}, {12, 8}, {20, 4}, {12, 8}, {168, 48}, {20, 4}},
                      // Too small for both deltas: the middle patches turn over, nothing is clamped.
                      PatchCase{{15, 15}, {10, 10}, {10, 10}, {10, 10}, {-5, -5}, {10, 10}}));

TEST(NineGridLayoutTest, TextureEdgesMoveInByTheDeltasInPagePixels)
{
	const NineGridLayout layout =
	    NineGridLayout::compute({100, 40}, {10, 10}, {20, 5}, rectf(0.25f, 0.5f, 0.75f, 1.0f), dimension2du(200, 100));
	const float u[4] = {0.25f, 0.3f, 0.65f, 0.75f};
	const float v[4] = {0.5f, 0.6f, 0.95f, 1.0f};
	for (int i = 0; i < 4; ++i)
	{
		EXPECT_FLOAT_EQ(layout.u[i], u[i]) << i;
		EXPECT_FLOAT_EQ(layout.v[i], v[i]) << i;
	}
}

TEST(NineGridLayoutTest, APageWithoutSizeDividesNothing)
{
	const NineGridLayout layout =
	    NineGridLayout::compute({100, 40}, {10, 10}, {10, 10}, rectf(0, 0, 1, 1), dimension2du(0, 0));
	EXPECT_FLOAT_EQ(layout.u[1], 0.0f);
	EXPECT_FLOAT_EQ(layout.u[2], 1.0f);
}

class NineGridSpriteNodeTest : public ::testing::Test
{
protected:
	SmartPointer<NineGridSpriteNode> makeNode()
	{
		SmartPointer<NineGridSpriteNode> node(new NineGridSpriteNode());
		SmartPointer<AtlasTexture> frame(frames.makeFrame(64, 64));
		node->setAtlasTexture(frame.get());
		node->setBounds({100, 40, 0});
		node->setPosition({5, 7, 3});
		node->setTintColor(irr::video::SColor(0x80FF0000));
		node->refreshAbsolute();
		return node;
	}

	TestFrames frames;
};

TEST_F(NineGridSpriteNodeTest, QuadsArePlacedByTheAbsoluteTransformationAtDepthZero)
{
	SmartPointer<NineGridSpriteNode> node = makeNode();
	ASSERT_TRUE(node->updateQuads());
	const QuadRecord& centre = node->getQuad(4);
	const float expected[4][2] = {{15, 17}, {95, 17}, {95, 37}, {15, 37}};
	for (int corner = 0; corner < 4; ++corner)
	{
		EXPECT_FLOAT_EQ(centre.vertices[corner].x, expected[corner][0]) << corner;
		EXPECT_FLOAT_EQ(centre.vertices[corner].y, expected[corner][1]) << corner;
		EXPECT_FLOAT_EQ(centre.vertices[corner].z, 0.0f);
		EXPECT_EQ(centre.vertices[corner].color, 0x80FF0000u);
	}
	EXPECT_EQ(centre.material, &node->getMaterial());
	// The last quad is the bottom-right corner.
	EXPECT_FLOAT_EQ(node->getQuad(8).vertices[2].x, 105.0f);
	EXPECT_FLOAT_EQ(node->getQuad(8).vertices[2].y, 47.0f);
}

TEST_F(NineGridSpriteNodeTest, ABoundsChangeShowsAtTheNextRebuild)
{
	SmartPointer<NineGridSpriteNode> node = makeNode();
	node->setBounds({200, 40, 0});
	ASSERT_TRUE(node->updateQuads());
	EXPECT_FLOAT_EQ(node->getQuad(5).vertices[1].x, 205.0f);
}

TEST_F(NineGridSpriteNodeTest, NothingIsBuiltOrListedWithoutAFrame)
{
	SmartPointer<NineGridSpriteNode> node(new NineGridSpriteNode());
	EXPECT_FALSE(node->updateQuads());
	RenderList list;
	node->addToRenderList(list);
	EXPECT_EQ(list.size(), 0u);

	SmartPointer<NineGridSpriteNode> framed = makeNode();
	framed->addToRenderList(list);
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(list[0].node, framed.get());
	EXPECT_FLOAT_EQ(list[0].depth, 3.0f);
}

TEST_F(NineGridSpriteNodeTest, DefaultDeltasAreNotWrittenAndReadBackAsDefaults)
{
	SmartPointer<NineGridSpriteNode> node(new NineGridSpriteNode());
	CPropertyCollection written;
	node->writeProperties(written);
	EXPECT_LT(written.indexOf("TopLeftDelta"), 0);
	EXPECT_LT(written.indexOf("BottomRightDelta"), 0);
	EXPECT_LT(written.indexOf("AtlasTexture"), 0);

	SmartPointer<NineGridSpriteNode> reread(new NineGridSpriteNode());
	reread->readProperties(written);
	EXPECT_EQ(reread->getTopLeftDelta(), vector2df(10, 10));
	EXPECT_EQ(reread->getBottomRightDelta(), vector2df(10, 10));

	node->setBottomRightDelta({4, 6});
	CPropertyCollection changed;
	node->writeProperties(changed);
	EXPECT_LT(changed.indexOf("TopLeftDelta"), 0);
	reread->readProperties(changed);
	EXPECT_EQ(reread->getBottomRightDelta(), vector2df(4, 6));

	// A value of another type reads as 0,0.
	CPropertyCollection wrong;
	wrong.addInt("TopLeftDelta", 3);
	reread->readProperties(wrong);
	EXPECT_EQ(reread->getTopLeftDelta(), vector2df(0, 0));
}

TEST_F(NineGridSpriteNodeTest, ClonesKeepDeltasAndFrame)
{
	SmartPointer<NineGridSpriteNode> node = makeNode();
	node->setTopLeftDelta({3, 4});
	SmartPointer<BaseNode> copy(node->clone());
	auto* grid = nodeCast<NineGridSpriteNode>(copy.get());
	ASSERT_NE(grid, nullptr);
	EXPECT_EQ(grid->getTopLeftDelta(), vector2df(3, 4));
	EXPECT_EQ(grid->getAtlasTexture(), node->getAtlasTexture());
}

TEST_F(NineGridSpriteNodeTest, HitsInsideBoundsUnlessNearlyTransparent)
{
	SmartPointer<NineGridSpriteNode> node = makeNode();
	EXPECT_TRUE(node->hitTestPoint({50, 20}));
	EXPECT_FALSE(node->hitTestPoint({150, 20}));
	node->setTintColor(irr::video::SColor(20, 255, 255, 255));
	EXPECT_FALSE(node->hitTestPoint({50, 20}));
}

TEST(NineGridFactoryTest, CreatedByNameAsItsOwnKind)
{
	SmartPointer<BaseNode> node(NodeFactory::instance()->createNode(L"NineGridSpriteNode", ContentRef()));
	ASSERT_NE(node.get(), nullptr);
	EXPECT_EQ(node->typeId(), 4);
	EXPECT_TRUE(node->isKindOf(0));
	EXPECT_FALSE(node->isKindOf(NodeTypeSpriteNode));
}
} // namespace
