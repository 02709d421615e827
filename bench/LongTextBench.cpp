// Loading texts of very long values: a 1 MB profile value and a 100 000-character node name must
// cost time linear in their length (a load of the 1 MB profile far below a second).
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TextUtils.h"
#include "device/IDevice.h"
#include "scene/BaseNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace
{
// Points the data folders at a fresh temporary folder; false when none can be made.
bool useTemporaryDataFolders()
{
	char pattern[] = "/tmp/long_text_XXXXXX";
	const char* folder = mkdtemp(pattern);
	if (!folder)
		return false;
	const std::string root = folder;
	setenv("XDG_DATA_HOME", (root + "/user").c_str(), 1);
	setenv("ENGINE_COMMON_DATA_ROOT", (root + "/shared").c_str(), 1);
	getDevice()->setSetting("PublisherName", L"Pellwick");
	getDevice()->setSetting("TitleName", L"LongText");
	return true;
}

// A text of length characters, some beyond ASCII, with the characters the XML writer escapes.
irr::core::stringw longText(size_t length)
{
	const wchar_t pattern[] = L"Notes & d\u00e9tails <\u20ac> ";
	std::wstring text;
	text.reserve(length);
	while (text.size() < length)
		text += pattern[text.size() % (sizeof(pattern) / sizeof(pattern[0]) - 1)];
	return irr::core::stringw(text.c_str(), static_cast<irr::u32>(text.size()));
}

// Saves the common profile with one "string" and one "stringw" value of the given length, then
// times loading every profile as the game does at start-up.
void BM_LoadProfilesWithLongValue(benchmark::State& state)
{
	if (!useTemporaryDataFolders())
	{
		state.SkipWithError("no temporary data folder");
		return;
	}
	const size_t length = static_cast<size_t>(state.range(0));
	const irr::core::stringw text = longText(length);
	{
		CProfileManager writer;
		writer.loadProfiles();
		writer.getCommonProfile()->setStringW("Notes", text);
		writer.getCommonProfile()->setString("History", narrow(text));
		if (!writer.saveProfiles())
		{
			state.SkipWithError("cannot write the profiles");
			return;
		}
	}
	for (auto _ : state)
	{
		CProfileManager reader;
		reader.loadProfiles();
		if (reader.getCommonProfile()->getString("History").size() < length)
		{
			state.SkipWithError("the long value did not load");
			break;
		}
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(length) * 2);
}
BENCHMARK(BM_LoadProfilesWithLongValue)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// A scene of one node whose name is length characters long.
void BM_LoadSceneWithLongNodeName(benchmark::State& state)
{
	const size_t length = static_cast<size_t>(state.range(0));
	const std::string xml = "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"" +
	                        std::string(length, 'n') + "\"/></Properties></SceneNode>";
	for (auto _ : state)
	{
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		SmartPointer<BaseNode> root(
		    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "long.qscn"));
		benchmark::DoNotOptimize(root.get());
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(length));
}
BENCHMARK(BM_LoadSceneWithLongNodeName)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

// Saving the same profiles: writing a long value must be linear too.
void BM_SaveProfilesWithLongValue(benchmark::State& state)
{
	if (!useTemporaryDataFolders())
	{
		state.SkipWithError("no temporary data folder");
		return;
	}
	const size_t length = static_cast<size_t>(state.range(0));
	const irr::core::stringw text = longText(length);
	CProfileManager writer;
	writer.loadProfiles();
	writer.getCommonProfile()->setStringW("Notes", text);
	writer.getCommonProfile()->setString("History", narrow(text));
	for (auto _ : state)
	{
		if (!writer.saveProfiles())
		{
			state.SkipWithError("cannot write the profiles");
			break;
		}
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(length) * 2);
}
BENCHMARK(BM_SaveProfilesWithLongValue)->Arg(1 << 13)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
