// Scene files and node animation: loading and cloning a large scene, running many key-frame states.
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/AnimatorSet.h"
#include "scene/BaseNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

namespace
{
const char* const animatedState =
    "<States><State Name=\"Idle\"><Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" Value=\"\"/>"
    "<color Name=\"TintColor\" Value=\"ffffffff\"/></Properties><KeyFrame t=\"0\" Value0=\"0;0;0\" "
    "Value1=\"ffffffff\"/>"
    "<KeyFrame t=\"400\" i=\"0\" Value0=\"50;20;0\" Value1=\"80ffffff\"/>"
    "<KeyFrame t=\"400\" i=\"0\" g=\"0\" Value0=\"0;0;0\" Value1=\"ffffffff\"/></Animator></State></States>";

// 2 000 nodes: 40 groups of 49 leaves, each with properties and a looping state.
std::string makeScene()
{
	std::string xml = "<SceneNode Type=\"BaseNode\">";
	int count = 1;
	for (int g = 0; count < 2000; ++g)
	{
		xml += "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"g" + std::to_string(g) +
		       "\"/></Properties>";
		++count;
		for (int i = 0; i < 49 && count < 2000; ++i, ++count)
		{
			xml += "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"n" + std::to_string(i) +
			       "\"/><vector3d Name=\"Position\" Value=\"" + std::to_string(i) + ";" + std::to_string(g) +
			       ";0\"/></Properties>" + animatedState + "</SceneNode>";
		}
		xml += "</SceneNode>";
	}
	return xml + "</SceneNode>";
}

const std::string& sceneText()
{
	static const std::string text = makeScene();
	return text;
}

BaseNode* loadScene()
{
	const std::string& xml = sceneText();
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	return SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "bench.qscn");
}

void BM_LoadScene2000(benchmark::State& state)
{
	for (auto _ : state)
	{
		SmartPointer<BaseNode> root(loadScene());
		benchmark::DoNotOptimize(root.get());
	}
	state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_LoadScene2000)->Unit(benchmark::kMillisecond);

// Every node, attribute and text of the scene file through the XML reader alone, as the loader reads them.
size_t readSceneXml()
{
	const std::string& xml = sceneText();
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	size_t seen = 0;
	while (reader->read())
	{
		seen += reader->getNodeName().size() + reader->getNodeData().size();
		for (int i = 0; i < reader->getAttributeCount(); ++i)
			seen += reader->getAttributeName(i).size() + reader->getAttributeValue(i).size();
	}
	return seen;
}

// Seconds of the fastest of a few runs of the call.
template <class Call> double bestSeconds(Call call)
{
	double best = 1e9;
	for (int run = 0; run < 3; ++run)
	{
		const auto start = std::chrono::steady_clock::now();
		call();
		const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
		best = std::min(best, spent.count());
	}
	return best;
}

// Loading the 2 000-node scene against reading the same file with the XML reader alone;
// the counter load_per_xml is the ratio of the two.
void BM_LoadScene2000AgainstXmlReader(benchmark::State& state)
{
	double loadSeconds = 0.0;
	double xmlSeconds = 0.0;
	for (auto _ : state)
	{
		// The trees are destroyed outside the timing: only reading counts.
		SmartPointer<BaseNode> roots[3];
		int next = 0;
		loadSeconds += bestSeconds([&] { roots[next++] = SmartPointer<BaseNode>(loadScene()); });
		xmlSeconds += bestSeconds([] { benchmark::DoNotOptimize(readSceneXml()); });
	}
	const double runs = static_cast<double>(state.iterations());
	state.counters["load_ms"] = loadSeconds / runs * 1e3;
	state.counters["xml_ms"] = xmlSeconds / runs * 1e3;
	state.counters["load_per_xml"] = loadSeconds / xmlSeconds;
}
BENCHMARK(BM_LoadScene2000AgainstXmlReader)->Unit(benchmark::kMillisecond);

void BM_CloneScene2000(benchmark::State& state)
{
	SmartPointer<BaseNode> root(loadScene());
	for (auto _ : state)
	{
		SmartPointer<BaseNode> copy(root->clone());
		benchmark::DoNotOptimize(copy.get());
	}
	state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_CloneScene2000)->Unit(benchmark::kMillisecond);

// 1 000 nodes playing a looping two-property state, 1 000 scheduler ticks of 20 ms.
void BM_Animate1000NodesFor1000Ticks(benchmark::State& state)
{
	SmartPointer<BaseNode> root(loadScene());
	SmartPointer<TaskScheduler> scheduler(new TaskScheduler());
	const StringId idle = internStringId("Idle");
	int started = 0;
	for (irr::u32 g = 0; g < root->getChildren().size() && started < 1000; ++g)
	{
		const auto& leaves = root->getChildren()[g]->getChildren();
		for (irr::u32 i = 0; i < leaves.size() && started < 1000; ++i, ++started)
			leaves[i]->findState(idle)->start(scheduler.get());
	}
	for (auto _ : state)
	{
		for (int tick = 0; tick < 1000; ++tick)
			scheduler->update(20);
	}
	state.SetItemsProcessed(state.iterations() * 1000 * 1000);
	root->stopAllStates(false);
}
BENCHMARK(BM_Animate1000NodesFor1000Ticks)->Unit(benchmark::kMillisecond);
} // namespace
