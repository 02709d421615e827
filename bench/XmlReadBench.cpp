#include "content/CXMLReader.h"
#include "core/CPropertyCollection.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <tinyxml2.h>

namespace
{
// About 1 MB of typed properties, as scene and profile files hold them (UTF-8, ASCII only).
const std::string& propertyDocument()
{
	static const std::string text = []
	{
		const char* lines[] = {
		    "\t<int Name=\"Count%d\" Value=\"%d\" />\n",
		    "\t<float Name=\"Alpha%d\" Value=\"0.%06d\" />\n",
		    "\t<vector3d Name=\"Position%d\" Value=\"%d.000000;20.500000;0.000000\" />\n",
		    "\t<color Name=\"Tint%d\" Value=\"ff%06x\" />\n",
		    "\t<bool Name=\"Visible%d\" Value=\"%s\" />\n",
		    "\t<stringw Name=\"Text%d\" Value=\"Caption &amp; more %d\" />\n",
		};
		std::string out = "<?xml version=\"1.0\"?>\n<Properties>\n";
		char line[160];
		for (int i = 0; out.size() < 1024 * 1024; ++i)
		{
			const int kind = i % 6;
			if (kind == 4)
				std::snprintf(line, sizeof(line), lines[kind], i, (i & 8) ? "true" : "false");
			else
				std::snprintf(line, sizeof(line), lines[kind], i, i);
			out += line;
		}
		out += "</Properties>\n";
		return out;
	}();
	return text;
}

void BM_CXMLReader(benchmark::State& state)
{
	const std::string& doc = propertyDocument();
	for (auto _ : state)
	{
		CXMLReader reader(doc.data(), doc.size());
		size_t seen = 0;
		while (reader.read())
		{
			seen += reader.getNodeName().size();
			for (int i = 0; i < reader.getAttributeCount(); ++i)
				seen += reader.getAttributeName(i).size() + reader.getAttributeValue(i).size();
		}
		benchmark::DoNotOptimize(seen);
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_CXMLReader);

size_t walk(const tinyxml2::XMLElement* element)
{
	size_t seen = 0;
	for (; element; element = element->NextSiblingElement())
	{
		seen += std::char_traits<char>::length(element->Name());
		for (const tinyxml2::XMLAttribute* a = element->FirstAttribute(); a; a = a->Next())
			seen += std::char_traits<char>::length(a->Name()) + std::char_traits<char>::length(a->Value());
		seen += walk(element->FirstChildElement());
	}
	return seen;
}

void BM_TinyXml2(benchmark::State& state)
{
	const std::string& doc = propertyDocument();
	for (auto _ : state)
	{
		tinyxml2::XMLDocument parsed;
		parsed.Parse(doc.data(), doc.size());
		benchmark::DoNotOptimize(walk(parsed.RootElement()));
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_TinyXml2);

// The whole way from bytes to typed values.
void BM_PropertyCollectionRead(benchmark::State& state)
{
	const std::string& doc = propertyDocument();
	for (auto _ : state)
	{
		SmartPointer<CXMLReader> reader(new CXMLReader(doc.data(), doc.size()));
		while (reader->read() && reader->getNodeType() != XML_NODE_ELEMENT)
		{
		}
		SmartPointer<CPropertyCollection> collection(new CPropertyCollection());
		collection->readXml(reader.get());
		benchmark::DoNotOptimize(collection->getCount());
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_PropertyCollectionRead);
} // namespace
