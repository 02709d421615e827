#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <irrlicht/irrlicht.h>

namespace
{

// One OpenGL window for all runs: made on first use, null without a display.
struct BenchWindow
{
	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
	irr::video::ITexture* texture = nullptr;
	CQuadBatcher* batcher = nullptr;

	BenchWindow()
	{
		const char* display = std::getenv("DISPLAY");
		if (!display || !*display)
			return;
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_OPENGL;
		parameters.WindowSize = irr::core::dimension2du(800, 600);
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		if (!device)
			return;
		driver = device->getVideoDriver();
		EngineMaterials::registerMaterials(driver);
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(32, 32));
		image->fill(irr::video::SColor(200, 255, 128, 0));
		texture = driver->addTexture("bench", image);
		image->drop();
		batcher = new CQuadBatcher(driver);
	}
	~BenchWindow()
	{
		if (batcher)
			batcher->drop();
		if (device)
			device->drop();
	}
};

BenchWindow& window()
{
	static BenchWindow instance;
	return instance;
}

float quadX(int i)
{
	return static_cast<float>((i * 37) % 768);
}
float quadY(int i)
{
	return static_cast<float>((i * 53) % 568);
}

void drawBatched(BenchWindow& w, const irr::video::SMaterial& material, int count)
{
	w.driver->beginScene(true, false, irr::video::SColor(255, 0, 0, 0));
	w.batcher->begin();
	for (int i = 0; i < count; ++i)
	{
		const float x = quadX(i);
		const float y = quadY(i);
		w.batcher->addQuad(&material, {x, y}, {x + 32, y}, {x + 32, y + 32}, {x, y + 32}, {0, 0}, {1, 0}, {1, 1},
		                   {0, 1}, 0.0f, 0xFFFFFFFF);
	}
	w.batcher->end();
	w.driver->endScene();
}

void drawPlain(BenchWindow& w, int count)
{
	w.driver->beginScene(true, false, irr::video::SColor(255, 0, 0, 0));
	const irr::core::recti source(0, 0, 32, 32);
	for (int i = 0; i < count; ++i)
		w.driver->draw2DImage(w.texture, irr::core::position2di(static_cast<int>(quadX(i)), static_cast<int>(quadY(i))),
		                      source, nullptr, irr::video::SColor(255, 255, 255, 255), true);
	w.driver->endScene();
}

// The library draws 2-D images with its own 2-D material (no mip-maps, its filtering); the batch
// samples the same way, so the two paths differ only in how they submit the quads.
void sampleLikeLibrary2D(irr::video::IVideoDriver* driver, irr::video::SMaterial& material)
{
	const irr::video::SMaterial& library2D = driver->getMaterial2D();
	material.UseMipMaps = library2D.UseMipMaps;
	irr::video::SMaterialLayer& layer = material.TextureLayer[0];
	const irr::video::SMaterialLayer& libraryLayer = library2D.TextureLayer[0];
	layer.BilinearFilter = libraryLayer.BilinearFilter;
	layer.TrilinearFilter = libraryLayer.TrilinearFilter;
	layer.AnisotropicFilter = libraryLayer.AnisotropicFilter;
	layer.LODBias = libraryLayer.LODBias;
	layer.TextureWrapU = libraryLayer.TextureWrapU;
	layer.TextureWrapV = libraryLayer.TextureWrapV;
}

// Frames of N textured 32x32 quads through the batcher beside the same quads drawn one
// draw2DImage call each, sampled alike; reports both frame times, their ratio and the draw calls
// of a frame (draw2DImage makes one per image).
void BM_QuadBatchVsDraw2DImage(benchmark::State& state)
{
	BenchWindow& w = window();
	if (!w.device)
	{
		state.SkipWithError("no display or no OpenGL driver");
		return;
	}
	const int count = static_cast<int>(state.range(0));
	irr::video::SMaterial material;
	material.MaterialType = EngineMaterials::vertexAlpha(w.driver);
	material.setTexture(0, w.texture);
	material.ZBuffer = irr::video::ECFN_NEVER;
	material.ZWriteEnable = false;
	sampleLikeLibrary2D(w.driver, material);

	using Clock = std::chrono::steady_clock;
	double batched = 0;
	double plain = 0;
	const irr::u32 callsBefore = w.batcher->getDrawCallCount();
	for (auto _ : state)
	{
		const Clock::time_point start = Clock::now();
		drawBatched(w, material, count);
		const Clock::time_point middle = Clock::now();
		drawPlain(w, count);
		const Clock::time_point end = Clock::now();
		batched += std::chrono::duration<double, std::milli>(middle - start).count();
		plain += std::chrono::duration<double, std::milli>(end - middle).count();
	}
	const double frames = static_cast<double>(state.iterations());
	state.counters["batched_ms"] = batched / frames;
	state.counters["draw2DImage_ms"] = plain / frames;
	state.counters["speedup"] = batched > 0 ? plain / batched : 0;
	state.counters["batched_draw_calls"] = (w.batcher->getDrawCallCount() - callsBefore) / frames;
	state.counters["draw2DImage_draw_calls"] = count;
}

BENCHMARK(BM_QuadBatchVsDraw2DImage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
