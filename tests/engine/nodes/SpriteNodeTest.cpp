#include "nodes/SpriteNode.h"

#include "NodeLibTestSupport.h"
#include "content/CQuadBatcher.h"
#include "content/CTexture.h"
#include "content/EngineMaterials.h"
#include "core/CPropertyCollection.h"

#include <gtest/gtest.h>

namespace
{
using irr::core::vector2df;

// Sprites over frames of a 32 x 32 page (quadrantPixel: opaque 16 x 16 square at the top left).
class SpriteNodeTest : public NullDriverTest
{
protected:
	void SetUp() override
	{
		irr::video::IVideoDriver* driver = library.driver();
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(32, 32));
		for (irr::u32 y = 0; y < 32; ++y)
			for (irr::u32 x = 0; x < 32; ++x)
				image->setPixel(x, y, irr::video::SColor(quadrantPixel(x, y)));
		SmartPointer<CTexture> texture(CTexture::createFromImage(driver, image, "page.png"));
		image->drop();
		ASSERT_TRUE(texture);
		page = SmartPointer<TextureContent>(new TextureContent(ContentRef(), "page.png", texture.get()));
	}

	// A frame of the page's pixel rectangle with trims b and a.
	SmartPointer<AtlasTexture> makeFrame(const irr::core::recti& pixels, vector2df b = {0, 0}, vector2df a = {0, 0})
	{
		return SmartPointer<AtlasTexture>(
		    new AtlasTexture(ContentRef(), page.get(), AtlasTexture::pixelsToTextureRect(page.get(), pixels), b, a));
	}

	SmartPointer<TextureContent> page;
};

struct QuadCase
{
	const char* label;
	vector2df pivot;
	int stretchX;
	int stretchY;
	vector2df bounds;
	bool flipX;
	bool flipY;
	// Expected corners 0 and 2 relative to the node's position (100, 50), and u/v of corners 0 and 2.
	float left, top, right, bottom;
	float u0, v0, u2, v2;
	float boundsXAfter;
};

TEST_F(SpriteNodeTest, QuadFollowsPivotStretchCropAndFlip)
{
	// The frame (8, 0)-(16, 8): u 0.25 to 0.5, v 0 to 0.25; trims b (2, 3).
	SmartPointer<AtlasTexture> frame = makeFrame({8, 0, 16, 8}, {2, 3}, {1, 1});
	const QuadCase cases[] = {
	    {"plain", {0, 0}, 0, 0, {100, 100}, false, false, 2, 3, 10, 11, 0.25f, 0, 0.5f, 0.25f, 100},
	    {"pivot", {4, 5}, 0, 0, {100, 100}, false, false, -2, -2, 6, 6, 0.25f, 0, 0.5f, 0.25f, 100},
	    {"stretch", {0, 0}, 1, 1, {20, 30}, false, false, 2, 3, 22, 33, 0.25f, 0, 0.5f, 0.25f, 20},
	    {"fit node", {0, 0}, 2, 0, {100, 100}, false, false, 2, 3, 10, 11, 0.25f, 0, 0.5f, 0.25f, 8},
	    {"crop left", {6, 0}, 3, 0, {100, 100}, false, false, 0, 3, 4, 11, 0.375f, 0, 0.5f, 0.25f, 100},
	    {"crop right", {0, 0}, 3, 3, {5, 7}, false, false, 2, 3, 5, 7, 0.25f, 0, 0.34375f, 0.125f, 5},
	    {"flip", {0, 0}, 0, 0, {100, 100}, true, true, 2, 3, 10, 11, 0.5f, 0.25f, 0.25f, 0, 100},
	    {"crop then flip", {6, 0}, 3, 0, {100, 100}, true, false, 0, 3, 4, 11, 0.5f, 0, 0.375f, 0.25f, 100},
	    {"unknown mode", {0, 0}, 7, -1, {1, 1}, false, false, 2, 3, 10, 11, 0.25f, 0, 0.5f, 0.25f, 1},
	};
	for (const QuadCase& c : cases)
	{
		SmartPointer<SpriteNode> sprite(new SpriteNode());
		sprite->setPosition({100, 50, 0});
		sprite->setBounds({c.bounds.X, c.bounds.Y, 0});
		sprite->setImagePivotPoint(c.pivot);
		sprite->setFlipX(c.flipX);
		sprite->setFlipY(c.flipY);
		sprite->setAtlasTexture(frame.get());
		sprite->setImageStretchX(c.stretchX);
		sprite->setImageStretchY(c.stretchY);
		sprite->refreshAbsolute();
		const BatchVertex* v = sprite->getQuad().vertices;
		EXPECT_FLOAT_EQ(v[0].x, 100 + c.left) << c.label;
		EXPECT_FLOAT_EQ(v[0].y, 50 + c.top) << c.label;
		EXPECT_FLOAT_EQ(v[2].x, 100 + c.right) << c.label;
		EXPECT_FLOAT_EQ(v[2].y, 50 + c.bottom) << c.label;
		EXPECT_FLOAT_EQ(v[1].x, v[2].x) << c.label;
		EXPECT_FLOAT_EQ(v[3].y, v[2].y) << c.label;
		EXPECT_FLOAT_EQ(v[0].u, c.u0) << c.label;
		EXPECT_FLOAT_EQ(v[0].v, c.v0) << c.label;
		EXPECT_FLOAT_EQ(v[2].u, c.u2) << c.label;
		EXPECT_FLOAT_EQ(v[2].v, c.v2) << c.label;
		EXPECT_FLOAT_EQ(v[3].u, c.u0) << c.label;
		EXPECT_FLOAT_EQ(v[1].v, c.v0) << c.label;
		EXPECT_FLOAT_EQ(v[0].z, 1.0f) << c.label;
		EXPECT_FLOAT_EQ(sprite->getBounds().X, c.boundsXAfter) << c.label;
	}
}

TEST_F(SpriteNodeTest, FlipShowsOnlyAtTheNextQuadRecomputation)
{
	SmartPointer<AtlasTexture> frame = makeFrame({0, 0, 16, 16});
	SmartPointer<SpriteNode> sprite(new SpriteNode());
	sprite->setAtlasTexture(frame.get());
	sprite->refreshAbsolute();
	sprite->setFlipX(true);
	EXPECT_FLOAT_EQ(sprite->getQuad().vertices[0].u, 0.0f);
	sprite->setPosition({1, 0, 0});
	sprite->refreshAbsolute();
	EXPECT_FLOAT_EQ(sprite->getQuad().vertices[0].u, 0.5f);
}

TEST_F(SpriteNodeTest, FrameReferencesAreHeldAndSettingTheSameFrameKeepsIt)
{
	SmartPointer<AtlasTexture> frame = makeFrame({0, 0, 16, 16});
	const int base = frame->getReferenceCount();
	SmartPointer<SpriteNode> sprite(new SpriteNode());
	sprite->setAtlasTexture(frame.get());
	EXPECT_EQ(frame->getReferenceCount(), base + 1);
	sprite->setAtlasTexture(frame.get());
	EXPECT_EQ(frame->getReferenceCount(), base + 1);
	// Null keeps the quad; nothing is drawn or hit.
	sprite->refreshAbsolute();
	const float right = sprite->getQuad().vertices[2].x;
	sprite->setAtlasTexture(nullptr);
	EXPECT_EQ(frame->getReferenceCount(), base);
	EXPECT_FLOAT_EQ(sprite->getQuad().vertices[2].x, right);
	RenderList list;
	sprite->addToRenderList(list);
	EXPECT_TRUE(list.empty());
	EXPECT_FALSE(sprite->hitTestPoint({4, 4}));
}

TEST_F(SpriteNodeTest, BlendTypePicksTheEngineMaterial)
{
	irr::video::IVideoDriver* driver = library.driver();
	ASSERT_TRUE(EngineMaterials::registerMaterials(driver));
	SmartPointer<AtlasTexture> frame = makeFrame({0, 0, 16, 16});
	const std::pair<int, const char*> cases[] = {
	    {0, EngineMaterials::VertexAlpha}, {1, EngineMaterials::VertexAlphaAdd}, {5, EngineMaterials::VertexAlpha}};
	for (const auto& c : cases)
	{
		SmartPointer<SpriteNode> sprite(new SpriteNode());
		sprite->setAtlasTexture(frame.get());
		sprite->setBlendType(c.first);
		EXPECT_EQ(sprite->getBlendType(), c.first == 1 ? 1 : 0);
		CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
		batcher->begin();
		sprite->draw(driver, nullptr);
		batcher->end();
		EXPECT_STREQ(driver->getMaterialRendererName(sprite->getMaterial().MaterialType), c.second);
		EXPECT_EQ(sprite->getMaterial().getTexture(0), frame->getDeviceTexture());
	}
	CQuadBatcher::releaseForDriver(driver);
}

struct HitPoint
{
	vector2df point;
	bool hit;
};

TEST_F(SpriteNodeTest, HitTestReadsThePictureAlpha)
{
	// The whole page: opaque where x < 16 and y < 16.
	SmartPointer<AtlasTexture> frame = makeFrame({0, 0, 32, 32});
	SmartPointer<SpriteNode> sprite(new SpriteNode());
	sprite->setPosition({10, 10, 0});
	sprite->setAtlasTexture(frame.get());
	sprite->refreshAbsolute();
	for (const HitPoint& p :
	     {HitPoint{{14, 14}, true}, HitPoint{{30, 30}, false}, HitPoint{{5, 5}, false}, HitPoint{{50, 14}, false}})
		EXPECT_EQ(sprite->hitTestPoint(p.point), p.hit) << p.point.X << "," << p.point.Y;

	sprite->setFlipX(true);
	sprite->setImageStretchX(0);
	EXPECT_FALSE(sprite->hitTestPoint({14, 14}));
	EXPECT_TRUE(sprite->hitTestPoint({38, 14}));
	sprite->setFlipX(false);

	// A trimmed frame flips where it is drawn: texels 8..16 of the page are opaque, 16..24 clear, and the
	// frame stands 4 pixels in from the picture's left edge.
	{
		SmartPointer<AtlasTexture> trimmed = makeFrame({8, 0, 24, 8}, {4, 0}, {12, 0});
		SmartPointer<SpriteNode> flipped(new SpriteNode());
		flipped->setAtlasTexture(trimmed.get());
		flipped->setFlipX(true);
		flipped->refreshAbsolute();
		EXPECT_FALSE(flipped->hitTestPoint({8, 4})) << "the clear half is drawn on the left";
		EXPECT_TRUE(flipped->hitTestPoint({16, 4})) << "the opaque half is drawn on the right";
		EXPECT_FALSE(flipped->hitTestPoint({22, 4})) << "past the drawn rectangle";
	}

	// Stretched over 64: the picture is read at half the rate.
	sprite->setBounds({64, 32, 0});
	sprite->setImageStretchX(1);
	EXPECT_TRUE(sprite->hitTestPoint({10 + 30, 14}));
	EXPECT_FALSE(sprite->hitTestPoint({10 + 34, 14}));
	sprite->setImageStretchX(0);

	// Its own alpha decides, not the effective one.
	sprite->setTintColor(irr::video::SColor(20, 255, 255, 255));
	EXPECT_FALSE(sprite->hitTestPoint({14, 14}));
	SmartPointer<BaseNode> parent(new BaseNode());
	parent->addChild(sprite.get());
	parent->setTintColor(irr::video::SColor(0, 255, 255, 255));
	sprite->setTintColor(irr::video::SColor(21, 255, 255, 255));
	sprite->refreshAbsolute();
	EXPECT_TRUE(sprite->hitTestPoint({14, 14}));
	RenderList list;
	parent->addToRenderList(list);
	EXPECT_TRUE(list.empty());
}

TEST_F(SpriteNodeTest, RenderEntriesIgnoreChildrenClipping)
{
	SmartPointer<AtlasTexture> frame = makeFrame({0, 0, 16, 16});
	SmartPointer<SpriteNode> sprite(new SpriteNode());
	SmartPointer<SpriteNode> child(new SpriteNode());
	sprite->setAtlasTexture(frame.get());
	child->setAtlasTexture(frame.get());
	sprite->addChild(child.get());
	sprite->setChildrenClipped(true);
	sprite->setPosition({0, 0, 3});
	RenderList list;
	sprite->addToRenderList(list);
	ASSERT_EQ(list.size(), 2u);
	EXPECT_EQ(list[0].node, sprite.get());
	EXPECT_FLOAT_EQ(list[0].depth, 3.0f);
	EXPECT_EQ(list[1].node, child.get());
	EXPECT_EQ(list[0].key, list[1].key);
}

TEST_F(SpriteNodeTest, PropertiesRoundTripIncludingFitMode)
{
	SmartPointer<AtlasTexture> frame = makeFrame({0, 0, 16, 16});
	CPropertyCollection defaults;
	SmartPointer<SpriteNode>(new SpriteNode())->writeProperties(defaults);
	for (const char* name :
	     {"ImageStretchX", "ImageStretchY", "ImagePivotPoint", "FlipX", "FlipY", "BlendType", "AtlasTexture"})
		EXPECT_LT(defaults.indexOf(name), 0) << name;

	SmartPointer<SpriteNode> sprite(new SpriteNode());
	sprite->setAtlasTexture(frame.get());
	sprite->setImageStretchX(SpriteNode::StretchFitNode);
	sprite->setImageStretchY(SpriteNode::StretchCrop);
	sprite->setImagePivotPoint({3, 4});
	sprite->setFlipY(true);
	sprite->setBlendType(1);
	CPropertyCollection written;
	sprite->writeProperties(written);

	SmartPointer<SpriteNode> read(new SpriteNode());
	read->readProperties(written);
	EXPECT_EQ(read->getImageStretchX(), SpriteNode::StretchFitNode);
	EXPECT_EQ(read->getImageStretchY(), SpriteNode::StretchCrop);
	EXPECT_EQ(read->getImagePivotPoint(), vector2df(3, 4));
	EXPECT_FALSE(read->getFlipX());
	EXPECT_TRUE(read->getFlipY());
	EXPECT_EQ(read->getBlendType(), 1);
	EXPECT_EQ(read->getAtlasTexture(), frame.get());
	EXPECT_FLOAT_EQ(read->getBounds().X, 16.0f);

	SmartPointer<BaseNode> cloned(sprite->clone());
	auto* copy = nodeCast<SpriteNode>(cloned.get());
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->getAtlasTexture(), frame.get());
	EXPECT_EQ(copy->getImageStretchY(), SpriteNode::StretchCrop);
	EXPECT_EQ(copy->getBlendType(), 1);
}
} // namespace
