#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CFont.h"
#include "content/IFileSystem.h"
#include "nodes/TextNode.h"

#include <benchmark/benchmark.h>
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

} // namespace
