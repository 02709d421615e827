#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"

#include <benchmark/benchmark.h>
#include <string>

namespace
{
constexpr ContentType BenchType = makeContentType("bshr");

// A shared object, as textures and fonts are.
struct SharedContent : ContentObject
{
	explicit SharedContent(const ContentRef& reference) : ContentObject(reference) { contentFlags = ContentShared; }
	ContentType getContentType() const override { return BenchType; }
};

// A manager with 1000 cached objects, as a game's menus leave it.
struct CachedManager
{
	CachedManager()
	{
		processors = new CContentProcessorsManager(nullptr, nullptr, nullptr, nullptr);
		manager = new CContentManager(nullptr, nullptr, processors);
		for (int i = 0; i < 1000; ++i)
		{
			SharedContent* object =
			    new SharedContent(ContentRef(manager, ("ui/buttons/button" + std::to_string(i) + ".png").c_str()));
			manager->addContent(object);
			object->drop();
		}
	}
	~CachedManager()
	{
		manager->drop();
		processors->drop();
	}
	CContentManager* manager;
	CContentProcessorsManager* processors;
};

void BM_ContentCacheHit(benchmark::State& state)
{
	CachedManager cached;
	const irr::core::stringc name = "ui/buttons/button500.png";
	for (auto _ : state)
	{
		ContentObject* object = cached.manager->getContent(BenchType, name, false);
		benchmark::DoNotOptimize(object);
		object->drop();
	}
}
BENCHMARK(BM_ContentCacheHit);

// A relative name inside a file being read: resolved against the folder first.
void BM_ContentCacheHitRelative(benchmark::State& state)
{
	CachedManager cached;
	cached.manager->pushFolder("ui/buttons/Buttons.xml");
	const irr::core::stringc name = "button500.png";
	for (auto _ : state)
	{
		ContentObject* object = cached.manager->getContent(BenchType, name, true);
		benchmark::DoNotOptimize(object);
		object->drop();
	}
}
BENCHMARK(BM_ContentCacheHitRelative);
} // namespace
