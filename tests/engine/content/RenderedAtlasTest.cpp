#include "AtlasTestSupport.h"

#include "content/BatchTypes.h"
#include "content/CQuadBatcher.h"
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

} // namespace
