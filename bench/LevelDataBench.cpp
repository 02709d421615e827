// Reading the shipped level files as a level start does: the whole XML text decoded and read into the
// level configuration (objectives and random events included) or the level paths. One iteration is one file.
#include "content/CXMLReader.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPaths.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
// A shipped asset, read from the source tree.
std::string shippedFile(const std::string& name)
{
	std::ifstream in(std::string(BENCH_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

template <class T> void readShipped(benchmark::State& state, const std::string& name)
{
	const std::string text = shippedFile(name);
	if (text.empty())
	{
		state.SkipWithError("the shipped file is missing");
		return;
	}
	for (auto _ : state)
	{
		SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
		SmartPointer<T> data(new T());
		benchmark::DoNotOptimize(data->load(reader.get()));
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_LevelConfigurationRead(benchmark::State& state)
{
	readShipped<GLevelConfiguration>(state, "levels/level2/LevelConfiguration.xml");
}
BENCHMARK(BM_LevelConfigurationRead)->Unit(benchmark::kMicrosecond);

void BM_LevelPathsRead(benchmark::State& state)
{
	readShipped<GLevelPaths>(state, "levels/level2/LevelPaths.xml");
}
BENCHMARK(BM_LevelPathsRead)->Unit(benchmark::kMicrosecond);
} // namespace
