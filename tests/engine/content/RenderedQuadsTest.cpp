#include "ImageTestHelpers.h"
#include "content/CQuadBatcher.h"
#include "content/CTexture.h"
#include "content/EngineMaterials.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

namespace
{

// Draws the 4x2 fixture texture through the batcher on OpenGL and reads the screen back.
class RenderedQuads : public GlDeviceTest
{
protected:
	void SetUp() override
	{
		GlDeviceTest::SetUp();
		if (IsSkipped())
			return;
		ASSERT_TRUE(EngineMaterials::registerMaterials(driver));
		SmartPointer<ImageContent> image(decode(makeFixtureTga(), "fixture.tga"));
		ASSERT_TRUE(image);
		texture = CTexture::createFromImage(driver, image->getImage(), "fixture.tga");
		ASSERT_NE(texture, nullptr);
		batcher = new CQuadBatcher(driver);
	}
	void TearDown() override
	{
		if (batcher)
			batcher->drop();
		if (texture)
			texture->drop();
		GlDeviceTest::TearDown();
	}

	irr::video::SMaterial material(irr::video::E_MATERIAL_TYPE type) const
	{
		irr::video::SMaterial m;
		m.MaterialType = type;
		m.setTexture(0, texture->getDeviceTexture());
		m.TextureLayer[0].BilinearFilter = false;
		m.ZBuffer = irr::video::ECFN_NEVER;
		m.ZWriteEnable = false;
		return m;
	}

	// The whole texture on the rectangle (left, top) .. (left + 64, top + 32): 16 pixels per texel.
	void drawFixture(const irr::video::SMaterial& m, float left, float top, irr::u32 color)
	{
		batcher->addQuad(&m, {left, top}, {left + 64, top}, {left + 64, top + 32}, {left, top + 32}, {0, 0}, {1, 0},
		                 {1, 1}, {0, 1}, 0.0f, color);
	}

	void frame(const std::function<void()>& draw)
	{
		ASSERT_TRUE(beginFrame());
		batcher->begin();
		draw();
		batcher->end();
		endFrame();
	}

	CTexture* texture = nullptr;
	CQuadBatcher* batcher = nullptr;
};

TEST_F(RenderedQuads, EngineMaterialsFollowTheLibrarysOwn)
{
	const irr::u32 count = driver->getMaterialRendererCount();
	EXPECT_EQ(EngineMaterials::find(driver, EngineMaterials::VertexAlpha), 24);
	EXPECT_EQ(EngineMaterials::find(driver, EngineMaterials::VertexAlphaAdd), 25);
	EXPECT_TRUE(EngineMaterials::registerMaterials(driver));
	EXPECT_EQ(driver->getMaterialRendererCount(), count);
	EXPECT_EQ(EngineMaterials::find(driver, "no such material"), -1);
}

struct PixelCase
{
	const char* label;
	bool add;
	irr::u32 vertexColor;
	irr::u32 x;
	irr::u32 y;
	irr::u32 expected;
};

TEST_F(RenderedQuads, TexelsCombineWithTheVertexColour)
{
	const std::vector<PixelCase> cases = {
	    {"red texel", false, 0xFFFFFFFF, 8, 8, 0xFF0000},
	    {"green texel", false, 0xFFFFFFFF, 24, 8, 0x00FF00},
	    {"transparent texel shows the background", false, 0xFFFFFFFF, 40, 8, 0x000000},
	    {"half transparent white texel", false, 0xFFFFFFFF, 56, 8, 0x808080},
	    {"blue texel, second row: y grows downwards", false, 0xFFFFFFFF, 8, 24, 0x0000FF},
	    {"modulated by grey", false, 0xFF808080, 8, 8, 0x800000},
	    {"vertex alpha halves", false, 0x80FFFFFF, 24, 24, 0x808080},
	    {"outside the quad", false, 0xFFFFFFFF, 100, 100, 0x000000},
	    {"added vertex colour", true, 0xFF004000, 8, 8, 0xFF4000},
	    {"added colour saturates", true, 0xFF808080, 24, 24, 0xFFFFFF},
	    {"added colour keeps the texel alpha", true, 0xFF400000, 40, 8, 0x000000},
	    {"added colour with vertex alpha", true, 0x80000040, 8, 24, 0x000080},
	};
	for (const PixelCase& c : cases)
	{
		const irr::video::SMaterial m =
		    material(c.add ? EngineMaterials::vertexAlphaAdd(driver) : EngineMaterials::vertexAlpha(driver));
		frame([&] { drawFixture(m, 0, 0, c.vertexColor); });
		EXPECT_TRUE(colorNear(screenPixel(c.x, c.y), c.expected, 3)) << c.label;
	}
}

TEST_F(RenderedQuads, VirtualScreenScalesToTheWindow)
{
	const irr::video::SMaterial m = material(EngineMaterials::vertexAlpha(driver));
	batcher->setVirtualScreenSize(irr::core::dimension2du(128, 128));
	frame([&] { drawFixture(m, 64, 64, 0xFFFFFFFF); });
	EXPECT_TRUE(colorNear(screenPixel(128 + 16, 128 + 16), 0xFF0000, 3));
	EXPECT_TRUE(colorNear(screenPixel(128 + 16, 128 + 48), 0x0000FF, 3));
	EXPECT_TRUE(colorNear(screenPixel(120, 120), 0x000000, 3));
}

TEST_F(RenderedQuads, ThousandTwentyFourQuadsTakeTwoDrawCalls)
{
	const irr::video::SMaterial m = material(EngineMaterials::vertexAlpha(driver));
	const irr::u32 before = batcher->getDrawCallCount();
	frame(
	    [&]
	    {
		    for (int i = 0; i < 1023; ++i)
			    drawFixture(m, static_cast<float>(i % 4) * 64, static_cast<float>(i / 4 % 8) * 32, 0xFFFFFFFF);
	    });
	EXPECT_EQ(batcher->getDrawCallCount() - before, 1u);
	EXPECT_EQ(driver->getPrimitiveCountDrawn(0), 2046u);
	frame(
	    [&]
	    {
		    for (int i = 0; i < 1024; ++i)
			    drawFixture(m, 0, 0, 0xFFFFFFFF);
	    });
	EXPECT_EQ(batcher->getDrawCallCount() - before, 3u);
	EXPECT_EQ(driver->getPrimitiveCountDrawn(0), 2048u);
	EXPECT_TRUE(colorNear(screenPixel(8, 8), 0xFF0000, 3));
}

// One quad of a reordering case: which of two materials, where, in what colour.
struct PlacedQuad
{
	int material;
	float left;
	float top;
	irr::u32 color;
};

struct ReorderCase
{
	const char* label;
	std::vector<PlacedQuad> quads;
	irr::u32 drawCalls;
	irr::u32 primitives;
};

TEST_F(RenderedQuads, LaterQuadsJoinEarlierRunsOnlyWhereThePictureStaysTheSame)
{
	const irr::video::SMaterial materials[2] = {material(EngineMaterials::vertexAlpha(driver)),
	                                            material(EngineMaterials::vertexAlphaAdd(driver))};
	const irr::u32 red = 0xC0FF8080;
	const irr::u32 blue = 0x808080FF;
	const std::vector<ReorderCase> cases = {
	    {"apart", {{0, 0, 0, red}, {1, 100, 0, blue}, {0, 0, 100, red}, {1, 100, 100, blue}}, 2, 8},
	    {"each over the one before", {{0, 0, 0, red}, {1, 32, 16, blue}, {0, 60, 30, red}, {1, 90, 40, blue}}, 4, 8},
	    {"over the run between", {{0, 0, 0, red}, {1, 100, 0, blue}, {0, 120, 20, red}}, 3, 6},
	    {"next to the run between", {{0, 0, 0, red}, {1, 64, 0, blue}, {0, 128, 0, red}}, 3, 6},
	    {"past runs it misses, not past one it covers",
	     {{0, 0, 0, red},
	      {1, 0, 100, blue},
	      {0, 100, 100, blue},
	      {1, 100, 0, red},
	      {0, 0, 200, red},
	      {0, 20, 110, red}},
	     3,
	     12},
	    {"wholly off the screen", {{0, -100, 0, red}, {0, 0, 300, red}, {1, 10, 10, blue}}, 1, 2},
	    {"partly off the screen", {{0, -32, -16, red}, {1, 230, 240, blue}}, 2, 4},
	};
	const irr::u32 width = target->getSize().Width;
	const irr::u32 height = target->getSize().Height;
	const auto picture = [&]()
	{
		const irr::u32* pixels = static_cast<const irr::u32*>(target->lock(irr::video::ETLM_READ_ONLY));
		std::vector<irr::u32> copy;
		if (pixels)
			for (irr::u32 y = 0; y < height; ++y)
				copy.insert(copy.end(), pixels + y * (target->getPitch() / 4),
				            pixels + y * (target->getPitch() / 4) + width);
		target->unlock();
		return copy;
	};
	for (const ReorderCase& c : cases)
	{
		// In the order given, one call a quad: the picture the runs must keep.
		frame(
		    [&]
		    {
			    for (const PlacedQuad& q : c.quads)
			    {
				    drawFixture(materials[q.material], q.left, q.top, q.color);
				    batcher->flush();
			    }
		    });
		const std::vector<irr::u32> expected = picture();
		const irr::u32 callsBefore = batcher->getDrawCallCount();
		const irr::u32 primitivesBefore = batcher->getDrawnPrimitiveCount();
		frame(
		    [&]
		    {
			    for (const PlacedQuad& q : c.quads)
				    drawFixture(materials[q.material], q.left, q.top, q.color);
		    });
		EXPECT_EQ(batcher->getDrawCallCount() - callsBefore, c.drawCalls) << c.label;
		EXPECT_EQ(batcher->getDrawnPrimitiveCount() - primitivesBefore, c.primitives) << c.label;
		const std::vector<irr::u32> drawn = picture();
		ASSERT_EQ(drawn.size(), expected.size()) << c.label;
		irr::u32 differing = 0;
		for (size_t i = 0; i < drawn.size(); ++i)
			differing += drawn[i] != expected[i] ? 1 : 0;
		EXPECT_EQ(differing, 0u) << c.label;
	}
}

} // namespace
