#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "data/GBuildingsConfiguration.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
// The shipped file in the source tree this benchmark was built from.
std::string shippedBuildingsFile()
{
	return std::string(BENCH_SOURCE_DIR) + "/assets/levels/common/BuildingsConfiguration.xml";
}

// Reading the whole shipped buildings configuration as the intro's loading step does: open the file
// through the file system, decode it and fill the records. Reported per file.
void BM_BuildingsConfigurationFile(benchmark::State& state)
{
	SmartPointer<IFileSystem> files(createFileSystem());
	const std::string path = shippedBuildingsFile();
	SmartPointer<GBuildingsConfiguration> configuration(new GBuildingsConfiguration());
	for (auto _ : state)
	{
		SmartPointer<CXMLReader> reader(files->createXMLReader(path.c_str()));
		if (!reader || !configuration->load(reader.get()))
		{
			state.SkipWithError("the shipped buildings configuration does not load");
			return;
		}
	}
	state.counters["records"] = static_cast<double>(configuration->getRecords().size());
}
BENCHMARK(BM_BuildingsConfigurationFile)->Unit(benchmark::kMicrosecond);

// The same without the file: decoding and reading the text already in memory.
void BM_BuildingsConfigurationText(benchmark::State& state)
{
	std::ifstream in(shippedBuildingsFile(), std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	const std::string xml = text.str();
	SmartPointer<GBuildingsConfiguration> configuration(new GBuildingsConfiguration());
	for (auto _ : state)
	{
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		if (!configuration->load(reader.get()))
		{
			state.SkipWithError("the shipped buildings configuration does not load");
			return;
		}
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(xml.size()));
}
BENCHMARK(BM_BuildingsConfigurationText)->Unit(benchmark::kMicrosecond);
} // namespace
