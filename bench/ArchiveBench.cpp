// Lookup and open costs of the zip and packed archives.
#include "content/CPackedArchiveWriter.h"
#include "content/CVirtualFile.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "core/SmartPointer.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace
{
const char* const benchKey = "benchmark key of moderate length for the packed archive";

std::string entryName(int i)
{
	return "scenes/group" + std::to_string(i % 17) + "/entry" + std::to_string(i) + ".qscn";
}

// A file system holding one packed archive of `count` entries of `size` bytes.
struct PackedFixture
{
	PackedFixture(int count, size_t size)
	{
		CPackedArchiveWriter writer(benchKey);
		const std::string data(size, 'd');
		for (int i = 0; i < count; ++i)
			writer.addEntry(entryName(i), data.data(), data.size());
		SmartPointer<CVirtualFile> out(new CVirtualFile("bench.qca"));
		writer.write(out.get());
		out->seek(0);
		fs->setAssetsCryptKey(benchKey);
		archive = fs->addArchive(out.get(), false, false);
	}

	SmartPointer<IFileSystem> fs{createFileSystem()};
	IArchive* archive = nullptr;
};

void BM_PackedFindFile(benchmark::State& state)
{
	PackedFixture fixture(static_cast<int>(state.range(0)), 16);
	std::vector<irr::core::stringc> names;
	for (int i = 0; i < state.range(0); ++i)
		names.push_back(entryName(i).c_str());
	size_t i = 0;
	for (auto _ : state)
		benchmark::DoNotOptimize(fixture.archive->findFile(names[i++ % names.size()]));
}
BENCHMARK(BM_PackedFindFile)->Arg(100)->Arg(5000);

void BM_PackedOpenAndRead(benchmark::State& state)
{
	PackedFixture fixture(4, static_cast<size_t>(state.range(0)));
	std::vector<char> buffer(static_cast<size_t>(state.range(0)));
	for (auto _ : state)
	{
		SmartPointer<IReadFile> file(fixture.archive->openFile(entryName(2).c_str()));
		benchmark::DoNotOptimize(file->read(buffer.data(), static_cast<irr::u32>(buffer.size())));
	}
	state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PackedOpenAndRead)->Arg(4096)->Arg(1 << 20);
} // namespace
