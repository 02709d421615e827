#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <irrlicht/irrlicht.h>
#include <unistd.h>

namespace
{
// One textured quad per node, as sprites will draw.
class BenchQuadNode : public BaseNode
{
	ENGINE_NODE_TYPE(BenchQuadNode, 1900, BaseNode)
	ENGINE_NODE_CLONE(BenchQuadNode)

public:
	using BaseNode::BaseNode;

	void addToRenderList(RenderList& list) override
	{
		if (!Visible)
			return;
		if (transformDirty)
			updateAbsoluteTransform();
		if (colorDirty)
			updateAbsoluteColor();
		list.push_back(RenderEntry{this, absoluteTransformation[14], 1});
	}

	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>*) override
	{
		const float x = absoluteTransformation[12];
		const float y = absoluteTransformation[13];
		CQuadBatcher::forDriver(driver)->addQuad(material, {x, y}, {x + 32, y}, {x + 32, y + 32}, {x, y + 32}, {0, 0},
		                                         {1, 0}, {1, 1}, {0, 1}, 0.0f, absoluteColor.color);
	}

	const irr::video::SMaterial* material = nullptr;
};

SmartPointer<SceneNode> sceneOfQuads(int count, const irr::video::SMaterial* material)
{
	SmartPointer<SceneNode> scene(new SceneNode());
	for (int i = 0; i < count; ++i)
	{
		SmartPointer<BenchQuadNode> quad(new BenchQuadNode());
		quad->setPosition(
		    {static_cast<float>((i * 37) % 768), static_cast<float>((i * 53) % 568), static_cast<float>(i % 7)});
		quad->material = material;
		scene->addChild(quad.get());
	}
	return scene;
}

irr::video::SMaterial textureMaterial(irr::video::IVideoDriver* driver, irr::video::ITexture* texture)
{
	irr::video::SMaterial material;
	material.MaterialType = EngineMaterials::vertexAlpha(driver);
	material.setTexture(0, texture);
	material.ZBuffer = irr::video::ECFN_NEVER;
	material.ZWriteEnable = false;
	return material;
}

// Frames of N textured quads in one scene, drawn by a sorting scene manager on OpenGL.
void BM_SceneManagerDrawQuads(benchmark::State& state)
{
	const char* display = std::getenv("DISPLAY");
	irr::IrrlichtDevice* window = nullptr;
	if (display && *display)
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_OPENGL;
		parameters.WindowSize = irr::core::dimension2du(800, 600);
		parameters.LoggingLevel = irr::ELL_NONE;
		// Xvfb now and then refuses a connection it accepts a moment later.
		for (int attempt = 0; attempt < 5 && !window; ++attempt)
		{
			window = irr::createDeviceEx(parameters);
			if (!window)
				usleep(50000);
		}
	}
	if (!window)
	{
		state.SkipWithError("no display or no OpenGL driver");
		return;
	}
	irr::video::IVideoDriver* driver = window->getVideoDriver();
	EngineMaterials::registerMaterials(driver);
	irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(32, 32));
	image->fill(irr::video::SColor(200, 255, 128, 0));
	irr::video::ITexture* texture = driver->addTexture("scene-bench", image);
	image->drop();
	const irr::video::SMaterial material = textureMaterial(driver, texture);
	{
		SmartPointer<SceneManager> manager(new SceneManager());
		manager->sortingEnabled = true;
		SmartPointer<SceneNode> scene = sceneOfQuads(static_cast<int>(state.range(0)), &material);
		manager->showScene(scene.get());
		CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
		const irr::u32 calls = batcher->getDrawCallCount();
		for (auto _ : state)
		{
			driver->beginScene(true, false, irr::video::SColor(255, 0, 0, 0));
			manager->draw(driver);
			driver->endScene();
		}
		state.counters["draw_calls_per_frame"] =
		    static_cast<double>(batcher->getDrawCallCount() - calls) / static_cast<double>(state.iterations());
		state.SetItemsProcessed(state.iterations() * state.range(0));
	}
	CQuadBatcher::releaseForDriver(driver);
	window->closeDevice();
	window->run();
	window->drop();
}
BENCHMARK(BM_SceneManagerDrawQuads)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One update and one draw (null driver: the manager's own cost) of a 1000-quad scene, after
// the given number of scenes were pushed over it and closed again; must not grow with them.
void BM_SceneManagerFrameAfterClosedScenes(benchmark::State& state)
{
	irr::IrrlichtDevice* nullDevice = irr::createDevice(irr::video::EDT_NULL);
	irr::video::IVideoDriver* driver = nullDevice->getVideoDriver();
	const irr::video::SMaterial material = textureMaterial(driver, nullptr);
	{
		SmartPointer<CDeviceStub> device(new CDeviceStub());
		SmartPointer<SceneManager> manager(device->createSceneManager());
		SmartPointer<TaskScheduler> ui(device->createTaskScheduler());
		device->addEventListener(ui.get(), 0);
		manager->setScheduler(ui.get());
		manager->sortingEnabled = true;
		SmartPointer<SceneNode> base = sceneOfQuads(1000, &material);
		manager->showScene(base.get());
		device->postEvent(new CEventSystemFlowUpdate(10));
		for (int i = 0; i < state.range(0); ++i)
		{
			SmartPointer<SceneNode> covering = sceneOfQuads(50, &material);
			base->pushScene(covering.get());
			device->postEvent(new CEventSystemFlowUpdate(10));
			covering->closeTo(0);
			device->postEvent(new CEventSystemFlowUpdate(10));
			device->postEvent(new CEventSystemFlowUpdate(10));
		}
		for (auto _ : state)
		{
			device->postEvent(new CEventSystemFlowUpdate(10));
			manager->draw(driver);
		}
		state.counters["scenes"] = static_cast<double>(manager->getChildren().size());
		state.counters["scene_schedulers"] = manager->getSceneSchedulerCount();
		state.counters["device_listeners"] = device->getListenerCount();
		device->removeEventListener(ui.get());
	}
	CQuadBatcher::releaseForDriver(driver);
	nullDevice->drop();
}
BENCHMARK(BM_SceneManagerFrameAfterClosedScenes)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);
} // namespace
