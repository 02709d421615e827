#include "AtlasTestSupport.h"

#include "content/BatchTypes.h"
#include "content/CQuadBatcher.h"
#include "content/CTexture.h"
#include "content/CTextureProcessor.h"
#include "content/CTextureUpload.h"
#include "content/ImageContent.h"
#include "content/EngineMaterials.h"
#include "core/DeviceEvents.h"
#include "support/OnScreenTest.h"

#include <memory>

namespace
{

const char* const pageList = R"(<AtlasTextureCollection>
	<t f="page.png"/>
	<a n="green.png" r="8,0,16,8"/>
	<a n="white.png" r="8,8,16,16"/>
</AtlasTextureCollection>)";

// Atlas frames drawn through the quad batcher on OpenGL, read back from the X server.
class RenderedAtlasTest : public onscreen::OnScreenTest
{
protected:
	RenderedAtlasTest() : OnScreenTest(128, 128) {}

	void SetUp() override
	{
		OnScreenTest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		content = std::make_unique<AtlasContentFixture>(driver);
		content->writePng("atlas/page.png", 32, 32, quadrantPixel);
		content->write("atlas/list.xml", pageList);
		list = content->list("atlas/list.xml");
		ASSERT_TRUE(list);
		ASSERT_EQ(list->getFrameCount(), 2u);
		batcher = new CQuadBatcher(driver);
	}
	void TearDown() override
	{
		if (batcher)
			batcher->drop();
		list = nullptr;
		content.reset();
		OnScreenTest::TearDown();
	}

	// The frame stretched over a 32 x 32 square at (left, top).
	void addFrame(const AtlasTexture* frame, irr::video::SMaterial& material, float left, float top)
	{
		material.MaterialType = EngineMaterials::vertexAlpha(driver);
		material.setTexture(0, frame->getDeviceTexture());
		material.TextureLayer[0].BilinearFilter = false;
		material.ZBuffer = irr::video::ECFN_NEVER;
		material.ZWriteEnable = false;
		const irr::core::rectf& uv = frame->getTextureRect();
		batcher->addQuad(&material, {left, top}, {left + 32, top}, {left + 32, top + 32}, {left, top + 32},
			uv.UpperLeftCorner, {uv.LowerRightCorner.X, uv.UpperLeftCorner.Y}, uv.LowerRightCorner,
			{uv.UpperLeftCorner.X, uv.LowerRightCorner.Y}, 0.0f, 0xFFFFFFFF);
	}

	void drawFrames()
	{
		irr::video::SMaterial green, white;
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
		batcher->begin();
		addFrame(list->getFrame(0), green, 10, 10);
		addFrame(list->getFrame(1), white, 60, 10);
		batcher->end();
		driver->endScene();
	}

	void expectFramesDrawn(const char* when)
	{
		drawFrames();
		const std::vector<unsigned long> pixels = windowPixels({{26, 26}, {11, 11}, {76, 26}, {100, 100}});
		ASSERT_EQ(pixels.size(), 4u) << when;
		EXPECT_EQ(pixels[0], 0x00FF00ul) << when;
		EXPECT_EQ(pixels[1], 0x00FF00ul) << when;
		EXPECT_EQ(pixels[2], 0xFFFFFFul) << when;
		EXPECT_EQ(pixels[3], 0x000000ul) << when;
	}

	std::unique_ptr<AtlasContentFixture> content;
	SmartPointer<AtlasTextureCollection> list;
	CQuadBatcher* batcher = nullptr;
};

TEST_F(RenderedAtlasTest, FramesDrawTheirPartOfThePage)
{
	expectFramesDrawn("first frame");
}

TEST_F(RenderedAtlasTest, FramesDrawAgainAfterTheDriverIsReplaced)
{
	expectFramesDrawn("before");
	CEventDeviceReset reset;
	content->processors->deliverEvent(DeliverSelfThenChildren, &reset);
	content->manager->deliverEvent(DeliverSelfThenChildren, &reset);
	ASSERT_EQ(list->getFrame(0)->getDeviceTexture(), nullptr);
	CEventDeviceVideoDriverCreated created(driver);
	content->processors->deliverEvent(DeliverSelfThenChildren, &created);
	content->manager->deliverEvent(DeliverSelfThenChildren, &created);
	ASSERT_NE(list->getFrame(0)->getDeviceTexture(), nullptr);
	expectFramesDrawn("after the driver came back");
}

// A page texture filled a band of rows at a time draws exactly as the one the library makes whole, from a
// 32-bit and from a 24-bit picture, and keeps the same alpha for the hit tests.
TEST_F(RenderedAtlasTest, BandedPageTexturesDrawAsWholeOnes)
{
	const irr::core::dimension2du size(37, 19);
	for (const irr::video::ECOLOR_FORMAT format : {irr::video::ECF_A8R8G8B8, irr::video::ECF_R8G8B8})
	{
		irr::video::IImage* image = driver->createImage(format, size);
		ASSERT_TRUE(image);
		for (irr::u32 y = 0; y < size.Height; ++y)
			for (irr::u32 x = 0; x < size.Width; ++x)
				image->setPixel(x, y, irr::video::SColor((x * 7 + y * 13) % 256, x * 6 % 256, y * 13 % 256, (x + y) * 5 % 256));
		SmartPointer<ImageContent> picture(new ImageContent(image, ContentRef()));
		SmartPointer<CTexture> whole(CTextureProcessor::createPageTexture(driver, image, "whole"));
		SmartPointer<CTextureUpload> upload(new CTextureUpload(driver, picture.get(), "banded"));
		int parts = 1;
		while (!upload->uploadPart(size.Width * 4 * 2) && parts < 100)
			++parts;
		EXPECT_GE(parts, 10) << "two rows a part, after the storage";
		SmartPointer<CTexture> banded(upload->takeTexture());
		ASSERT_TRUE(whole && banded);
		EXPECT_EQ(banded->getImageSize(), size);
		for (irr::u32 y = 0; y < size.Height; ++y)
			for (irr::u32 x = 0; x < size.Width; ++x)
				for (const irr::u32 threshold : {0u, 127u})
					ASSERT_EQ(banded->alphaTest(x, y, threshold), whole->alphaTest(x, y, threshold)) << x << "," << y;

		irr::video::SMaterial materials[2];
		const CTexture* textures[2] = {whole.get(), banded.get()};
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
		batcher->begin();
		for (int i = 0; i < 2; ++i)
		{
			irr::video::SMaterial& material = materials[i];
			material.MaterialType = EngineMaterials::vertexAlpha(driver);
			material.setTexture(0, textures[i]->getDeviceTexture());
			material.TextureLayer[0].BilinearFilter = false;
			material.ZBuffer = irr::video::ECFN_NEVER;
			material.ZWriteEnable = false;
			const float left = 4.0f + 50.0f * static_cast<float>(i);
			const float right = left + static_cast<float>(size.Width);
			const float bottom = 4.0f + static_cast<float>(size.Height);
			batcher->addQuad(&material, {left, 4}, {right, 4}, {right, bottom}, {left, bottom}, {0, 0}, {1, 0},
				{1, 1}, {0, 1}, 0.0f, 0xFFFFFFFF);
		}
		batcher->end();
		driver->endScene();
		std::vector<onscreen::Point> points;
		for (int i = 0; i < 2; ++i)
			for (int y = 0; y < static_cast<int>(size.Height); ++y)
				for (int x = 0; x < static_cast<int>(size.Width); ++x)
					points.push_back({4 + 50 * i + x, 4 + y});
		const std::vector<unsigned long> pixels = windowPixels(points);
		ASSERT_EQ(pixels.size(), points.size());
		const size_t half = pixels.size() / 2;
		size_t differing = 0;
		for (size_t i = 0; i < half; ++i)
			differing += pixels[i] != pixels[half + i];
		EXPECT_EQ(differing, 0u) << "format " << format;
		size_t black = 0;
		for (size_t i = 0; i < half; ++i)
			black += pixels[i] == 0;
		EXPECT_LT(black, half / 2) << "the picture is drawn at all";
	}
}

} // namespace
