#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"

#include <functional>
#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>
#include <string>
#include <vector>

namespace
{

// Counts draw calls with the null driver: no display needed.
class QuadBatcherCounting : public ::testing::Test
{
protected:
	void SetUp() override
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_NULL;
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		ASSERT_NE(device, nullptr);
		driver = device->getVideoDriver();
		textureA = driver->addTexture(irr::core::dimension2du(4, 4), "a");
		textureB = driver->addTexture(irr::core::dimension2du(4, 4), "b");
		materialA.setTexture(0, textureA);
		materialB.setTexture(0, textureB);
		batcher = new CQuadBatcher(driver);
	}
	void TearDown() override
	{
		if (batcher)
			batcher->drop();
		if (device)
			device->drop();
	}

public:
	void addQuads(int count, const irr::video::SMaterial& material)
	{
		for (int i = 0; i < count; ++i)
		{
			const float x = static_cast<float>(i % 64);
			QuadRecord quad{&material,
			                {{x, 0, 0, 0xFFFFFFFF, 0, 0},
			                 {x + 1, 0, 0, 0xFFFFFFFF, 1, 0},
			                 {x + 1, 1, 0, 0xFFFFFFFF, 1, 1},
			                 {x, 1, 0, 0xFFFFFFFF, 0, 1}}};
			batcher->addQuad(&quad);
		}
	}

	// A mesh of count triangles over count + 2 vertices, as a list or a strip.
	BatchMesh mesh(const irr::video::SMaterial& material, irr::scene::E_PRIMITIVE_TYPE type, irr::u32 count)
	{
		meshVertices.assign(count + 2, BatchVertex{0, 0, 0, 0xFFFFFFFF, 0, 0});
		meshIndices.clear();
		if (type == irr::scene::EPT_TRIANGLES)
			for (irr::u32 i = 0; i < count; ++i)
				meshIndices.insert(meshIndices.end(), {static_cast<irr::u16>(i), static_cast<irr::u16>(i + 1),
				                                       static_cast<irr::u16>(i + 2)});
		else
			for (irr::u32 i = 0; i < count + 2; ++i)
				meshIndices.push_back(static_cast<irr::u16>(i));
		return BatchMesh{&material,
		                 type,
		                 count,
		                 meshVertices.data(),
		                 static_cast<irr::u32>(meshVertices.size()),
		                 meshIndices.data(),
		                 static_cast<irr::u32>(meshIndices.size())};
	}

	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
	irr::video::ITexture* textureA = nullptr;
	irr::video::ITexture* textureB = nullptr;
	irr::video::SMaterial materialA;
	irr::video::SMaterial materialB;
	CQuadBatcher* batcher = nullptr;
	std::vector<BatchVertex> meshVertices;
	std::vector<irr::u16> meshIndices;
};

struct CountCase
{
	const char* label;
	std::function<void(QuadBatcherCounting&)> frame;
	irr::u32 drawCalls;
	irr::u32 primitives;
};

TEST_F(QuadBatcherCounting, DrawCallsPerFrame)
{
	const std::vector<CountCase> cases = {
	    {"1023 quads of one texture", [](QuadBatcherCounting& t) { t.addQuads(1023, t.materialA); }, 1, 2046},
	    {"1024 quads of one texture", [](QuadBatcherCounting& t) { t.addQuads(1024, t.materialA); }, 2, 2048},
	    {"3000 quads of one texture", [](QuadBatcherCounting& t) { t.addQuads(3000, t.materialA); }, 3, 6000},
	    {"two textures",
	     [](QuadBatcherCounting& t)
	     {
		     t.addQuads(1, t.materialA);
		     t.addQuads(1, t.materialB);
	     },
	     2, 4},
	    {"alternating textures",
	     [](QuadBatcherCounting& t)
	     {
		     for (int i = 0; i < 5; ++i)
		     {
			     t.addQuads(1, t.materialA);
			     t.addQuads(1, t.materialB);
		     }
	     },
	     10, 20},
	    {"mesh between quads of one material",
	     [](QuadBatcherCounting& t)
	     {
		     t.addQuads(2, t.materialA);
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLES, 3);
		     t.batcher->addMesh(&m);
		     t.addQuads(2, t.materialA);
	     },
	     3, 11},
	    {"two triangle lists share a call",
	     [](QuadBatcherCounting& t)
	     {
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLES, 3);
		     t.batcher->addMesh(&m);
		     t.batcher->addMesh(&m);
	     },
	     1, 6},
	    {"two strips are drawn apart",
	     [](QuadBatcherCounting& t)
	     {
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLE_STRIP, 4);
		     t.batcher->addMesh(&m);
		     t.batcher->addMesh(&m);
	     },
	     2, 8},
	    {"equal materials of two objects share a call",
	     [](QuadBatcherCounting& t)
	     {
		     const irr::video::SMaterial copy = t.materialA;
		     t.addQuads(2, t.materialA);
		     t.addQuads(2, copy);
	     },
	     1, 8},
	    {"a material given another texture between its quads",
	     [](QuadBatcherCounting& t)
	     {
		     irr::video::SMaterial changing = t.materialA;
		     t.addQuads(1, changing);
		     changing.setTexture(0, t.textureB);
		     t.addQuads(1, changing);
	     },
	     2, 4},
	    {"a material given another type between its quads",
	     [](QuadBatcherCounting& t)
	     {
		     irr::video::SMaterial changing = t.materialA;
		     t.addQuads(1, changing);
		     changing.MaterialType = irr::video::EMT_TRANSPARENT_ADD_COLOR;
		     t.addQuads(1, changing);
	     },
	     2, 4},
	    {"a material given another filter after a flush",
	     [](QuadBatcherCounting& t)
	     {
		     irr::video::SMaterial changing = t.materialA;
		     t.addQuads(1, changing);
		     t.batcher->flush();
		     changing.TextureLayer[0].BilinearFilter = !changing.TextureLayer[0].BilinearFilter;
		     t.addQuads(1, changing);
		     t.addQuads(1, t.materialA);
	     },
	     3, 6},
	    {"begin discards what was added",
	     [](QuadBatcherCounting& t)
	     {
		     t.addQuads(5, t.materialA);
		     t.batcher->begin();
	     },
	     0, 0},
	    {"null quad and null material",
	     [](QuadBatcherCounting& t)
	     {
		     t.batcher->addQuad(nullptr);
		     QuadRecord quad{};
		     t.batcher->addQuad(&quad);
		     t.batcher->addQuad(nullptr, {}, {}, {}, {}, {}, {}, {}, {}, 0.0f, 0u);
		     t.batcher->addMesh(nullptr);
	     },
	     0, 0},
	    {"mesh with an index past its vertices",
	     [](QuadBatcherCounting& t)
	     {
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLES, 2);
		     t.meshIndices[4] = 50;
		     t.batcher->addMesh(&m);
	     },
	     0, 0},
	    {"mesh with fewer indices than its primitives need",
	     [](QuadBatcherCounting& t)
	     {
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLES, 2);
		     m.primitiveCount = 5;
		     t.batcher->addMesh(&m);
	     },
	     0, 0},
	    {"mesh larger than the batch",
	     [](QuadBatcherCounting& t)
	     {
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLE_STRIP, 4200);
		     t.batcher->addMesh(&m);
	     },
	     0, 0},
	    {"meshes fill the index array",
	     [](QuadBatcherCounting& t)
	     {
		     BatchMesh m = t.mesh(t.materialA, irr::scene::EPT_TRIANGLES, 500);
		     for (int i = 0; i < 5; ++i)
			     t.batcher->addMesh(&m);
	     },
	     2, 2500},
	};
	for (const CountCase& c : cases)
	{
		const irr::u32 before = batcher->getDrawCallCount();
		const irr::u32 primitivesBefore = batcher->getDrawnPrimitiveCount();
		ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
		batcher->flush();
		batcher->begin();
		c.frame(*this);
		batcher->end();
		driver->endScene();
		EXPECT_EQ(batcher->getDrawCallCount() - before, c.drawCalls) << c.label;
		EXPECT_EQ(batcher->getDrawnPrimitiveCount() - primitivesBefore, c.primitives) << c.label;
		EXPECT_EQ(driver->getPrimitiveCountDrawn(0), c.primitives) << c.label;
	}
}

TEST_F(QuadBatcherCounting, SameMaterialContinuesAcrossFlush)
{
	batcher->begin();
	addQuads(3, materialA);
	batcher->flush();
	EXPECT_EQ(batcher->getCurrentMaterial().getTexture(0), textureA);
	addQuads(3, materialA);
	EXPECT_EQ(batcher->getPendingPrimitiveCount(), 6u);
	batcher->end();
	EXPECT_EQ(batcher->getDrawCallCount(), 2u);
	EXPECT_EQ(batcher->getPendingPrimitiveCount(), 0u);
}

TEST_F(QuadBatcherCounting, OneBatcherPerDriver)
{
	CQuadBatcher* first = CQuadBatcher::forDriver(driver);
	EXPECT_EQ(CQuadBatcher::forDriver(driver), first);
	EXPECT_EQ(first->getVideoDriver(), driver);
	CQuadBatcher::releaseForDriver(driver);
	CQuadBatcher::releaseForDriver(driver);
	EXPECT_EQ(CQuadBatcher::forDriver(nullptr), nullptr);
}

TEST_F(QuadBatcherCounting, MaterialLookupFollowsRenamedAndAddedRenderers)
{
	ASSERT_TRUE(EngineMaterials::registerMaterials(driver));
	const irr::s32 first = EngineMaterials::find(driver, EngineMaterials::VertexAlpha);
	ASSERT_GE(first, 0);
	EXPECT_EQ(EngineMaterials::find(driver, EngineMaterials::VertexAlpha), first);
	// Renamed: the old name is gone, the new one is found.
	driver->setMaterialRendererName(first, "renamed");
	EXPECT_EQ(EngineMaterials::find(driver, EngineMaterials::VertexAlpha), -1);
	EXPECT_EQ(EngineMaterials::find(driver, "renamed"), first);
	// Registered again: the name is that of the new renderer.
	ASSERT_TRUE(EngineMaterials::registerMaterials(driver));
	const irr::s32 again = EngineMaterials::find(driver, EngineMaterials::VertexAlpha);
	EXPECT_GT(again, first);
	EXPECT_EQ(driver->getMaterialRendererName(static_cast<irr::u32>(again)), std::string(EngineMaterials::VertexAlpha));
	// Another driver has its own.
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_NULL;
	parameters.LoggingLevel = irr::ELL_NONE;
	irr::IrrlichtDevice* other = irr::createDeviceEx(parameters);
	ASSERT_NE(other, nullptr);
	EXPECT_EQ(EngineMaterials::find(other->getVideoDriver(), EngineMaterials::VertexAlpha), -1);
	ASSERT_TRUE(EngineMaterials::registerMaterials(other->getVideoDriver()));
	EXPECT_EQ(EngineMaterials::find(other->getVideoDriver(), EngineMaterials::VertexAlpha), first);
	EXPECT_EQ(EngineMaterials::find(driver, EngineMaterials::VertexAlpha), again);
	other->drop();
}

} // namespace
