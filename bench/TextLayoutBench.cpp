#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CDictionary.h"
#include "content/CFont.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"
#include "device/CDeviceStub.h"
#include "nodes/TextNode.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <irrlicht/irrlicht.h>
#include <string>

namespace
{

// A bitmap font of 8 x 10 cells for a-z and the space, written to a temporary folder and loaded
// through the content manager on the library's null driver.
struct BenchFont
{
	irr::IrrlichtDevice* device = nullptr;
	IFileSystem* fileSystem = nullptr;
	CContentProcessorsManager* processors = nullptr;
	CContentManager* manager = nullptr;
	CFont* font = nullptr;
	std::filesystem::path folder;

	BenchFont()
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_NULL;
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		irr::video::IVideoDriver* driver = device->getVideoDriver();
		char pattern[] = "/tmp/textbenchXXXXXX";
		folder = mkdtemp(pattern);

		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(128, 32));
		image->fill(irr::video::SColor(0xFFFFFFFF));
		driver->writeImageToFile(image, (folder / "page.png").string().c_str());
		image->drop();

		std::string xml = "<Font Type=\"Bitmap\"><Texture Filename=\"page.png\"/>";
		const std::string characters = "abcdefghijklmnopqrstuvwxyz ";
		for (size_t i = 0; i < characters.size(); ++i)
		{
			const int x = static_cast<int>(i % 16) * 8;
			const int y = static_cast<int>(i / 16) * 10;
			xml += "<c c=\"" + characters.substr(i, 1) + "\" r=\"" + std::to_string(x) + "," + std::to_string(y) + "," +
			       std::to_string(x + 8) + "," + std::to_string(y + 10) + "\"/>";
		}
		xml += "</Font>";
		std::ofstream(folder / "bench.qfnt") << xml;

		fileSystem = createFileSystem();
		processors = new CContentProcessorsManager(driver, nullptr, fileSystem, nullptr);
		manager = new CContentManager(driver, fileSystem, processors);
		font =
		    dynamic_cast<CFont*>(manager->getContent(ContentTypeFont, (folder / "bench.qfnt").string().c_str(), false));
	}
	~BenchFont()
	{
		if (font)
			font->drop();
		manager->drop();
		processors->drop();
		fileSystem->drop();
		device->drop();
		std::filesystem::remove_all(folder);
	}
};

BenchFont& benchFont()
{
	static BenchFont instance;
	return instance;
}

// Words of 3 to 7 letters separated by spaces, length characters in all.
irr::core::stringw sampleText(int length)
{
	irr::core::stringw text;
	int word = 0;
	while (static_cast<int>(text.size()) < length)
	{
		const int letters = 3 + word % 5;
		for (int i = 0; i < letters && static_cast<int>(text.size()) < length; ++i)
			text.append(static_cast<wchar_t>(L'a' + (word * 7 + i) % 26));
		if (static_cast<int>(text.size()) < length)
			text.append(L' ');
		++word;
	}
	return text;
}

// Splitting and laying out a text of state.range(0) characters, wrapped at 200 pixels when range(1) is 1.
void BM_TextLayout(benchmark::State& state)
{
	BenchFont& bench = benchFont();
	if (!bench.font)
	{
		state.SkipWithError("font not loaded");
		return;
	}
	TextNode* node = new TextNode();
	node->setBounds({200.0f, 1000.0f, 0.0f});
	node->setFont(bench.font);
	node->setWordWrap(state.range(1) != 0);
	node->setText(sampleText(static_cast<int>(state.range(0))));
	for (auto _ : state)
	{
		node->splitLines();
		node->layoutGlyphs();
		benchmark::DoNotOptimize(node->getGlyphCount());
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
	node->drop();
}
BENCHMARK(BM_TextLayout)->ArgsProduct({{10, 100, 1000}, {0, 1}})->ArgNames({"chars", "wrap"});

// The same words twice: spelled out, and as tags the device's dictionary expands to them.
struct TaggedText
{
	irr::core::stringw plain;
	irr::core::stringw tagged;
};

// About length characters of words once expanded; the dictionary learns the tags W0 to W25.
TaggedText taggedText(CDictionary* dictionary, int length)
{
	const int wordCount = 26;
	for (int w = 0; w < wordCount; ++w)
	{
		irr::core::stringw word;
		for (int i = 0; i < 3 + w % 5; ++i)
			word.append(static_cast<wchar_t>(L'a' + (w * 7 + i) % 26));
		dictionary->setText(("W" + std::to_string(w)).c_str(), word);
	}
	TaggedText text;
	for (int w = 0; static_cast<int>(text.plain.size()) < length; ++w)
	{
		const std::string tag = "W" + std::to_string(w % wordCount);
		if (w > 0)
		{
			text.plain += L" ";
			text.tagged += L" ";
		}
		text.plain += dictionary->getText(tag.c_str());
		text.tagged += (L"%" + std::wstring(tag.begin(), tag.end()) + L"%").c_str();
	}
	return text;
}

// Seconds one re-split and re-lay out of the node's text takes, the best of a few runs.
double layoutSeconds(TextNode& node)
{
	double best = 1e9;
	for (int run = 0; run < 3; ++run)
	{
		const auto start = std::chrono::steady_clock::now();
		node.splitLines();
		node.layoutGlyphs();
		const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
		best = std::min(best, spent.count());
	}
	return best;
}

// Laying out text through the device's dictionary against the same text without tags, at 1 000 and
// 10 000 characters, wrapped at 200 pixels when range(0) is 1. Counters: tags_per_plain is the cost of
// the tagged text over the plain one at 10 000 characters; tenfold is the cost of 10 000 tagged
// characters over 1 000.
void BM_TextLayoutDictionary(benchmark::State& state)
{
	BenchFont& bench = benchFont();
	if (!bench.font)
	{
		state.SkipWithError("font not loaded");
		return;
	}
	SmartPointer<CDeviceStub> device(new CDeviceStub());
	const TaggedText shortText = taggedText(device->getDictionary(), 1000);
	const TaggedText longText = taggedText(device->getDictionary(), 10000);
	auto makeNode = [&](const irr::core::stringw& text)
	{
		SmartPointer<TextNode> node(new TextNode());
		node->setBounds({200.0f, 1000.0f, 0.0f});
		node->setFont(bench.font);
		node->setWordWrap(state.range(0) != 0);
		node->setText(text);
		return node;
	};
	SmartPointer<TextNode> plain = makeNode(longText.plain);
	SmartPointer<TextNode> tagged = makeNode(longText.tagged);
	SmartPointer<TextNode> shortTagged = makeNode(shortText.tagged);
	if (tagged->getDisplayedText() != longText.plain)
	{
		state.SkipWithError("tags not expanded");
		return;
	}
	double plainSeconds = 0.0;
	double taggedSeconds = 0.0;
	double shortSeconds = 0.0;
	for (auto _ : state)
	{
		plainSeconds += layoutSeconds(*plain);
		taggedSeconds += layoutSeconds(*tagged);
		shortSeconds += layoutSeconds(*shortTagged);
	}
	const double runs = static_cast<double>(state.iterations());
	state.counters["plain_us"] = plainSeconds / runs * 1e6;
	state.counters["tagged_us"] = taggedSeconds / runs * 1e6;
	state.counters["tagged1000_us"] = shortSeconds / runs * 1e6;
	state.counters["tags_per_plain"] = taggedSeconds / plainSeconds;
	state.counters["tenfold"] = taggedSeconds / shortSeconds;
}
BENCHMARK(BM_TextLayoutDictionary)->Arg(0)->Arg(1)->ArgName("wrap")->Unit(benchmark::kMillisecond);

} // namespace
