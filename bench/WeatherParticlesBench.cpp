#include "content/AtlasTexture.h"
#include "content/CTexture.h"
#include "content/CXMLReader.h"
#include "content/TextureContent.h"
#include "effects/GWeatherParticlesNode.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <irrlicht/irrlicht.h>
#include <sstream>

// One rain node from the shipped file, its array kept full, 1000 updates of 30 ms: ageing, motion,
// sway, timelines, emission and the quad mesh of all live drops.
static void BM_RainNode1000Updates(benchmark::State& state)
{
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_NULL;
	parameters.LoggingLevel = irr::ELL_NONE;
	irr::IrrlichtDevice* device = irr::createDeviceEx(parameters);
	irr::video::IVideoDriver* driver = device->getVideoDriver();
	irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(8, 32));
	SmartPointer<CTexture> texture(new CTexture(driver->addTexture("bench rain", image), image));
	image->drop();
	SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "bench rain", texture.get()));
	SmartPointer<AtlasTexture> frame(
	    new AtlasTexture(ContentRef(), page.get(), {0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}));

	std::ifstream input(std::string(BENCH_SOURCE_DIR) + "/assets/levels/common/Effects/Rain.xml", std::ios::binary);
	std::stringstream text;
	text << input.rdbuf();
	const std::string xml = text.str();
	SmartPointer<GWeatherParticlesNode> rain(new GWeatherParticlesNode());
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	rain->readConfiguration(reader.get());
	rain->setAtlasTexture(frame.get());
	// Filled before timing: about 250 drops alive.
	for (int i = 0; i < 100; ++i)
		rain->run(30);
	for (auto _ : state)
	{
		for (int i = 0; i < 1000; ++i)
			rain->run(30);
		benchmark::DoNotOptimize(rain->getMesh().getVertices().const_pointer());
	}
	state.counters["alive"] = static_cast<double>(rain->getParticleCount());
	rain.release();
	frame.release();
	page.release();
	texture.release();
	device->drop();
}
BENCHMARK(BM_RainNode1000Updates)->Unit(benchmark::kMillisecond);
