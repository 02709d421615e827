// The cost of one 10 ms frame of a busy city: the first level entered from the main menu as a player does
// (a later one opened from the main menu as the map opens it), as shipped or with every place built, the
// neutral traffic driving, rain falling and a set of effect nodes (balloon, circling bird, fireworks, lake
// wave, shield effect) alive. One iteration is one frame:
// the update (schedulers and scene events) and the draw (the game's own draw on the OpenGL driver, with
// the built atlases as textures, up to the buffer swap). Needs an X display (xvfb-run -a) and the built
// content in the same build tree. Counters: "step_share_pct" is update plus draw (wall time, the buffer swap
// included) as a share of the 10 ms step; "submit_share_pct" counts the draw only by this thread's own
// time, which leaves out the wait for a software rasteriser (Mesa's llvmpipe under Xvfb); "empty_frame_ms"
// is that draw with every scene hidden, the floor the driver's own frame costs; "primitives" the triangles
// (two a quad) and other primitives the draw handed the driver.
#include "GameBenchSupport.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CQuadBatcher.h"
#include "content/ContentType.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/ProfileKeys.h"
#include "device/CDeviceStub.h"
#include "effects/GCircularBirdNode.h"
#include "effects/GLakeWaveNode.h"
#include "effects/GShieldEffectNode.h"
#include "effects/GWeatherParticlesNode.h"
#include "frontend/GMainMenuScene.h"
#include "frontend/LevelLoading.h"
#include "level/GGameLevelScene.h"
#include "level/GNeutralCarTraffic.h"
#include "play/GGamePlayScene.h"
#include "play/GLevelObjectivesScene.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyValue.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

// The running game with a level on screen; empty (level null) when any step of the way failed.
class BusyLevel
{
public:
	BusyLevel(int levelNumber, bool buildPlaces)
	{
		if (gamebench::enterGameFolder().empty())
		{
			failure = "the content set has not been built";
			return;
		}
		device = dynamic_cast<CDeviceStub*>(getDevice());
		CProfileManager* profiles = CProfileManager::instance();
		profiles->loadProfiles();
		profiles->addProfile(L"Bench");
		profiles->setActiveProfile(profiles->getProfileCount() - 1);
		// A fresh player: the new game button leads straight into the first level.
		profiles->getActiveProfile()->setInt(ProfileKey::MaxUnlockedLevelIndex, -1);
		profiles->getActiveProfile()->setInt(ProfileKey::LevelIndex, 0);
		application = new gamebench::BenchApplication(3);
		if (!device || !application->init() || !getDevice()->getVideoDriver())
		{
			failure = "the game did not start on OpenGL";
			return;
		}
		if (!enterLevel(levelNumber))
		{
			failure = "the level did not open";
			return;
		}
		if (buildPlaces)
			buildEveryPlace();
		addRain();
	}

	~BusyLevel()
	{
		clearEffects();
		rain = nullptr;
		if (application)
		{
			application->shutdown();
			application->drop();
		}
	}

	// One frame: the update of elapsed ms, then the draw; wall times in seconds, and the draw's time on
	// this thread alone (what the game spends submitting, without waiting for the rasteriser).
	void frame(unsigned elapsed, double& update, double& draw, double* drawOnThread = nullptr)
	{
		const Clock::time_point started = Clock::now();
		device->postEvent(new CEventSystemFlowUpdate(elapsed));
		application->uiSceneManager->drainEvents();
		application->worldSceneManager->drainEvents();
		const Clock::time_point updated = Clock::now();
		const double threadBefore = threadSeconds();
		CQuadBatcher* batcher = CQuadBatcher::forDriver(getDevice()->getVideoDriver());
		const irr::u32 callsBefore = batcher->getDrawCallCount();
		const irr::u32 primitivesBefore = batcher->getDrawnPrimitiveCount();
		CEventSystemFlowDraw drawing;
		application->onDraw(&drawing);
		drawCalls = batcher->getDrawCallCount() - callsBefore;
		primitives = batcher->getDrawnPrimitiveCount() - primitivesBefore;
		const Clock::time_point drawn = Clock::now();
		update = std::chrono::duration<double>(updated - started).count();
		draw = std::chrono::duration<double>(drawn - updated).count();
		if (drawOnThread)
			*drawOnThread = threadSeconds() - threadBefore;
	}

	static double threadSeconds()
	{
		timespec now{};
		clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
		return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1.0e-9;
	}

	// A fresh set of effect nodes over the city; the previous set goes, wherever it got to.
	void spawnEffects()
	{
		clearEffects();
		TemplateCollectionNode* templates = application->worldSceneManager->getTemplateCollection();
		for (const char* name : {"Balloon", "Firework1", "Firework2", "Firework3", "Firework4"})
			if (BaseNode* found = templates ? templates->findTemplate(internStringId(name)) : nullptr)
			{
				BaseNode* copy = found->clone(level, application->worldSceneManager);
				copy->setPosition({200.0f + 150.0f * static_cast<float>(effects.size()), 600.0f, 0.0f});
				effects.push_back(SmartPointer<BaseNode>(shareRef(copy)));
			}
		auto* bird = new GCircularBirdNode();
		bird->setPropertyByName("Ellipse1Size", makeVector2dValue({300.0f, 120.0f}));
		bird->setPropertyByName("Ellipse2Size", makeVector2dValue({200.0f, 80.0f}));
		bird->setPropertyByName("BirdTemplateID", makeStringValue("Bird"));
		bird->setPosition({500.0f, 300.0f, 0.0f});
		adopt(bird);
		auto* lake = new GLakeWaveNode();
		lake->setBounds({200.0f, 100.0f, 0.0f});
		lake->setPosition({700.0f, 500.0f, 0.0f});
		adopt(lake);
		auto* shield = new GShieldEffectNode();
		shield->setPropertyByName("Area1Rect1Size", makeVector2dValue({200.0f, 100.0f}));
		shield->setPropertyByName("Area1Rect2Size", makeVector2dValue({200.0f, 100.0f}));
		shield->setPropertyByName("Area2RectSize", makeVector2dValue({20.0f, 20.0f}));
		shield->setPropertyByName("MovingTime", makeIntValue(1000));
		shield->setPosition({400.0f, 400.0f, 0.0f});
		adopt(shield);
	}

	// This thread's seconds for one draw with every scene hidden, a mean over frames.
	double emptyDraw(int frames)
	{
		SceneManager* ui = application->uiSceneManager;
		std::vector<BaseNode*> shown;
		for (irr::u32 i = 0; i < ui->getChildren().size(); ++i)
			if (ui->getChildren()[i]->isVisible())
			{
				shown.push_back(ui->getChildren()[i]);
				shown.back()->setVisible(false);
			}
		double total = 0.0;
		for (int i = 0; i < frames; ++i)
		{
			const double before = threadSeconds();
			CEventSystemFlowDraw drawing;
			application->onDraw(&drawing);
			total += threadSeconds() - before;
		}
		for (BaseNode* node : shown)
			node->setVisible(true);
		return total / frames;
	}

	// Whether the play screen is still the one drawn (no popup or end of the level over it).
	bool playing() const { return onTop<GGamePlayScene>(); }

	const char* failure = nullptr;
	GGameLevelScene* level = nullptr;
	// The batcher's driver calls in the last frame's draw.
	irr::u32 drawCalls = 0;
	// The triangles (two a quad) and other primitives those calls drew.
	irr::u32 primitives = 0;
	int placesBuilt = 0;
	std::vector<SmartPointer<BaseNode>> effects;

private:
	bool stepUntil(int maxSteps, const std::function<bool()>& done)
	{
		double update = 0.0, draw = 0.0;
		for (int i = 0; i < maxSteps && !done(); ++i)
			frame(30, update, draw);
		return done();
	}

	SceneNode* top() const { return application->uiSceneManager->getTopScene(); }
	template <class T> bool onTop() const
	{
		return nodeCast<T>(top()) && !application->uiSceneManager->isInNavigation(top());
	}

	bool fail(const char* where)
	{
		fprintf(stderr, "stuck before the %s, top type %d\n", where, top() ? top()->typeId() : -1);
		return false;
	}

	// The main menu's new game button (a later level: the loading scene opened as the map does), the
	// goals closed with Enter.
	bool enterLevel(int levelNumber)
	{
		if (!stepUntil(3000, [&] { return onTop<GMainMenuScene>(); }))
			return fail("main menu");
		if (levelNumber > 1)
		{
			CProfile* profile = CProfileManager::instance()->getActiveProfile();
			profile->setInt(ProfileKey::MaxUnlockedLevelIndex, levelNumber - 1);
			profile->setInt(ProfileKey::LevelIndex, levelNumber - 1);
			openLevelLoading(top(), ("level" + std::to_string(levelNumber)).c_str());
		}
		else
		{
			BaseNode* button = top()->findChild(internStringId("Scene"), 0);
			button = button ? button->findChild(internStringId("NewGameButton"), 0) : nullptr;
			CEventNodeClicked newGame(button);
			top()->onEvent(&newGame);
		}
		if (!stepUntil(1000, [&] { return onTop<GLevelObjectivesScene>(); }))
			return fail("goals");
		CEventInputKeyUp enter(0, 13, false, false);
		top()->onEvent(&enter);
		if (!stepUntil(300, [&] { return onTop<GGamePlayScene>(); }))
			return fail("play screen");
		level = nodeCast<GGameLevelScene>(application->worldSceneManager->getTopScene());
		return level != nullptr;
	}

	// Money, stock and workers enough for every place; waits until the crews are back.
	void buildEveryPlace()
	{
		GBuildingsConfiguration* records = level->getBuildingsConfiguration();
		const GBuildingType* camping = records ? records->findBuilding(internStringId("Camping1")).get() : nullptr;
		if (!camping)
			return;
		const float ownMoney = level->money;
		const float lent = 1.0e7f;
		level->money = lent;
		level->materials = 1.0e6f;
		level->freeWorkers += 40;
		level->totalWorkers += 40;
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			placesBuilt += level->buildOnPlace(building.get(), camping) ? 1 : 0;
		// The places are paid from the level's own money: with the loan kept, the first level's money goal
		// would be met as the sites are done, and its popup would hide the city.
		level->money = std::max(0.0f, ownMoney - (lent - level->money));
		const int workers = level->totalWorkers;
		stepUntil(4000, [&] { return level->freeWorkers == workers; });
	}

	void addRain()
	{
		rain = SmartPointer<GWeatherParticlesNode>(
		    new GWeatherParticlesNode(ContentRef(application->contentManager, "bench.qscn")));
		rain->setConfigurationFilename("levels/common/Effects/Rain.xml");
		SmartPointer<ContentObject> drop(
		    application->contentManager->getContent(ContentTypeAtlasTexture, "particles/Rain.png", false));
		rain->setAtlasTexture(dynamic_cast<AtlasTexture*>(drop.get()));
		level->addChild(rain.get());
	}

	void adopt(BaseNode* node)
	{
		effects.push_back(SmartPointer<BaseNode>(node)); // takes over the new node's reference
		level->addChild(node);
	}

	void clearEffects()
	{
		for (SmartPointer<BaseNode>& effect : effects)
			if (effect->getParent())
				effect->getParent()->removeChild(effect.get());
		effects.clear();
	}

	CDeviceStub* device = nullptr;
	gamebench::BenchApplication* application = nullptr;
	SmartPointer<GWeatherParticlesNode> rain;
};

void BM_BusyLevelFrame(benchmark::State& state)
{
	if (!std::getenv("DISPLAY"))
	{
		state.SkipWithError("needs an X display (xvfb-run -a)");
		return;
	}
	BusyLevel city(static_cast<int>(state.range(0)), state.range(1) != 0);
	if (city.failure)
	{
		state.SkipWithError(city.failure);
		return;
	}
	double updateTotal = 0.0, drawTotal = 0.0, submitTotal = 0.0, drawCallTotal = 0.0, primitiveTotal = 0.0;
	int frames = 0;
	for (auto _ : state)
	{
		// Effects end by design; a fresh set every three seconds keeps them all alive on screen.
		if (frames % 300 == 0)
			city.spawnEffects();
		double update = 0.0, draw = 0.0, submit = 0.0;
		city.frame(10, update, draw, &submit);
		state.SetIterationTime(update + draw);
		submitTotal += submit;
		drawCallTotal += city.drawCalls;
		primitiveTotal += city.primitives;
		updateTotal += update;
		drawTotal += draw;
		++frames;
	}
	if (!city.playing())
	{
		state.SkipWithError("the play screen was covered during the run");
		return;
	}
	const double n = frames > 0 ? frames : 1;
	state.counters["empty_frame_ms"] = 1000.0 * city.emptyDraw(300);
	state.counters["update_ms"] = 1000.0 * updateTotal / n;
	state.counters["draw_ms"] = 1000.0 * drawTotal / n;
	state.counters["step_share_pct"] = 100.0 * (updateTotal + drawTotal) / n / 0.010;
	state.counters["submit_ms"] = 1000.0 * submitTotal / n;
	state.counters["submit_share_pct"] = 100.0 * (updateTotal + submitTotal) / n / 0.010;
	state.counters["draw_calls"] = drawCallTotal / n;
	state.counters["primitives"] = primitiveTotal / n;
	state.counters["places_built"] = city.placesBuilt;
	state.counters["buildings"] = static_cast<double>(city.level->getBuildings().size());
	state.counters["traffic"] = city.level->getNeutralCarTraffic() ? 1 : 0;
}
// The level's number; built 0: the level as shipped, 1: every place built.
BENCHMARK(BM_BusyLevelFrame)
    ->ArgsProduct({{1, 28}, {0, 1}})
    ->ArgNames({"level", "built"})
    ->UseManualTime()
    // FRAME_BENCH_ITERATIONS runs fewer frames (under a profiler).
    ->Iterations(std::getenv("FRAME_BENCH_ITERATIONS") ? std::atoi(std::getenv("FRAME_BENCH_ITERATIONS")) : 3000)
    ->Unit(benchmark::kMicrosecond);
} // namespace
