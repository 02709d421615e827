#include "content/AtlasTexture.h"
#include "content/CTexture.h"
#include "content/TextureContent.h"
#include "nodes/ParticleSystemNode.h"
#include "nodes/PointEmitter.h"

#include <benchmark/benchmark.h>
#include <irrlicht/irrlicht.h>
#include <vector>

namespace
{
// A 16 x 16 frame on a page of the null video driver.
AtlasTexture* makeBenchFrame(irr::video::IVideoDriver* driver)
{
	irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(16, 16));
	image->fill(irr::video::SColor(0xFFFFFFFF));
	SmartPointer<CTexture> texture(new CTexture(driver->addTexture("bench particle", image), image));
	image->drop();
	SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "bench particle", texture.get()));
	return new AtlasTexture(ContentRef(), page.get(), {0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
}

// A fountain that keeps its node's array full: 500 particles per second living 1 to 2 seconds.
PointEmitter* makeFountain()
{
	auto* emitter = new PointEmitter();
	emitter->setPPSRange({1000.0f, 1000.0f});
	emitter->setLifeTimeRange({1000.0f, 2000.0f});
	emitter->setRadiusRange({0.0f, 20.0f});
	emitter->setVelocityXRange({-50.0f, 50.0f});
	emitter->setVelocityYRange({-200.0f, -100.0f});
	emitter->setAccelYRange({150.0f, 150.0f});
	emitter->setAngleRange({0.0f, 360.0f});
	emitter->setAngVelocityRange({-180.0f, 180.0f});
	emitter->setColorEnd(irr::video::SColor(0x00FF8000));
	emitter->setScaleRange({0.5f, 2.0f});
	return emitter;
}
} // namespace

// 20 particle systems kept at 500 particles, 1000 ticks of 30 ms: emission, ageing, motion and mesh fill.
static void BM_ParticleSystems1000Ticks(benchmark::State& state)
{
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_NULL;
	parameters.LoggingLevel = irr::ELL_NONE;
	irr::IrrlichtDevice* device = irr::createDeviceEx(parameters);
	SmartPointer<AtlasTexture> frame(makeBenchFrame(device->getVideoDriver()));

	constexpr int systems = 20;
	std::vector<SmartPointer<ParticleSystemNode>> nodes;
	std::vector<SmartPointer<PointEmitter>> emitters;
	for (int i = 0; i < systems; ++i)
	{
		nodes.emplace_back(new ParticleSystemNode());
		nodes.back()->setAtlasTexture(frame.get());
		emitters.emplace_back(makeFountain());
		emitters.back()->setParticles(&nodes.back()->getParticles());
		// Filled before timing, so every tick works on full arrays.
		for (int warm = 0; warm < 40; ++warm)
		{
			emitters.back()->run(30);
			nodes.back()->run(30);
		}
	}

	irr::u64 particles = 0;
	for (auto _ : state)
	{
		for (int tick = 0; tick < 1000; ++tick)
			for (int i = 0; i < systems; ++i)
			{
				emitters[i]->run(30);
				nodes[i]->run(30);
				particles += nodes[i]->getParticles().size();
			}
		benchmark::DoNotOptimize(nodes[0]->getMeshVertices().const_pointer());
	}
	state.counters["particles/tick"] =
	    benchmark::Counter(static_cast<double>(particles) / (1000.0 * systems * state.iterations()));

	for (auto& emitter : emitters)
		emitter->setParticles(nullptr);
	nodes.clear();
	frame = SmartPointer<AtlasTexture>();
	device->drop();
}
BENCHMARK(BM_ParticleSystems1000Ticks)->Unit(benchmark::kMillisecond);
