#include "ToolTestSupport.h"
#include "audio/CNullAudioDevice.h"
#include "audio/CSoundCue.h"
#include "audio/SoundPack.h"
#include "content/CXMLReader.h"
#include "core/StringId.h"
#include "data/GBuildingsConfiguration.h"
#include "engine/audio/FakeSound.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

// The cue table of docs/Sounds.md, the shipped sound pack and the cues the shipped configuration names
// agree, and the built sounds are fit to play: below clipping, loops without a click at the seam.
namespace
{
std::string readFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

std::string assetsFolder()
{
	return builtProgramsFolder() + "/assets";
}

std::string sourceFolder()
{
	const char* dir = std::getenv("TEST_SOURCE_DIR");
	return dir ? dir : ".";
}

std::string trim(const std::string& text)
{
	const size_t first = text.find_first_not_of(" \t");
	const size_t last = text.find_last_not_of(" \t");
	return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string stem(const std::string& fileName)
{
	return fileName.substr(0, fileName.rfind('.'));
}

struct CueRow
{
	std::string name;
	int group = -1;
	bool loop = false;
	std::string recipe;
};

// The rows "| cue | moment | group | loop | recipe |" of the table under "## Cues".
std::vector<CueRow> documentedCues()
{
	std::vector<CueRow> rows;
	std::istringstream lines(readFile(sourceFolder() + "/docs/Sounds.md"));
	std::string line;
	bool inTable = false;
	while (std::getline(lines, line))
	{
		if (line.rfind("## ", 0) == 0)
			inTable = line == "## Cues";
		if (!inTable || line.rfind("| ", 0) != 0 || line.rfind("| cue ", 0) == 0)
			continue;
		std::vector<std::string> cells;
		std::istringstream cellText(line.substr(1));
		std::string cell;
		while (std::getline(cellText, cell, '|'))
			cells.push_back(trim(cell));
		if (cells.size() < 5)
			continue;
		rows.push_back({cells[0], std::atoi(cells[2].c_str()), cells[3] == "yes", cells[4]});
	}
	return rows;
}

struct PackedCue
{
	int group = -1;
	bool loop = false;
	std::vector<std::string> files;
};

// The built sound pack read as the game reads it, each cue with the files of its variants.
std::map<std::string, PackedCue> shippedPack()
{
	const std::string text = readFile(assetsFolder() + "/sounds/SoundPack.xml");
	SmartPointer<CNullAudioDevice> device(createNullAudioDevice());
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	SmartPointer<SoundPack> pack(new SoundPack());
	pack->load(
	    reader.get(), [](const char* name) -> ISound* { return new FakeSound(name); }, device.get());
	std::map<std::string, PackedCue> cues;
	for (const SmartPointer<CSoundCue>& cue : pack->getCues())
	{
		PackedCue& packed = cues[getStringById(cue->getName()).c_str()];
		packed.group = cue->getGroupID();
		packed.loop = cue->getLoop();
		for (const SmartPointer<ISound>& variant : cue->getVariants())
			packed.files.push_back(static_cast<FakeSound*>(variant.get())->label);
	}
	return cues;
}

// Every cue name the shipped buildings configuration gives its records.
std::set<std::string> buildingCues()
{
	const std::string text = readFile(assetsFolder() + "/levels/common/BuildingsConfiguration.xml");
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	SmartPointer<GBuildingsConfiguration> buildings(new GBuildingsConfiguration());
	EXPECT_TRUE(buildings->load(reader.get()));
	std::set<std::string> names;
	for (const auto& [name, record] : buildings->getRecords())
		for (StringId cue : {record->getBuiltSoundCueName(), record->getSelectedSoundCueName()})
			if (!cue.isEmpty())
				names.insert(getStringById(cue).c_str());
	return names;
}
} // namespace

TEST(SoundCues, TableAndPackNameTheSameCuesWithTheirGroupLoopAndRecipe)
{
	LogCapture log;
	const std::vector<CueRow> rows = documentedCues();
	const std::map<std::string, PackedCue> pack = shippedPack();
	ASSERT_FALSE(rows.empty());
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();

	std::set<std::string> documented;
	for (const CueRow& row : rows)
	{
		EXPECT_TRUE(documented.insert(row.name).second) << row.name << " is in the table twice";
		const auto found = pack.find(row.name);
		ASSERT_NE(found, pack.end()) << row.name << " is not in the sound pack";
		const PackedCue& cue = found->second;
		EXPECT_EQ(cue.group, row.group) << row.name;
		EXPECT_EQ(cue.loop, row.loop) << row.name;
		ASSERT_EQ(cue.files.size(), 1u) << row.name;
		EXPECT_EQ(stem(cue.files[0]), stem(row.recipe)) << row.name;
		std::ifstream recipe(sourceFolder() + "/assets-src/sounds/" + row.recipe);
		EXPECT_TRUE(recipe.good()) << row.recipe;
	}
	for (const auto& [name, cue] : pack)
		EXPECT_TRUE(documented.count(name)) << name << " is in the pack but not in the table";

	// Names the game builds at run time: the level music of the four settings.
	for (const char* cue : {"GameMusicSetting1", "GameMusicSetting2", "GameMusicSetting3", "GameMusicSetting4"})
		EXPECT_TRUE(documented.count(cue)) << cue;
}

TEST(SoundCues, EveryCueTheBuildingsNameIsInThePack)
{
	const std::set<std::string> named = buildingCues();
	const std::map<std::string, PackedCue> pack = shippedPack();
	ASSERT_FALSE(named.empty());
	for (const std::string& cue : named)
	{
		const auto found = pack.find(cue);
		ASSERT_NE(found, pack.end()) << cue << " is named by the buildings but not in the sound pack";
		// Built cues play once; a building's own sound is its work sound while selected, so it loops.
		const bool selected = cue != "BuildingComplete" && cue != "UpgradeComplete";
		EXPECT_EQ(found->second.loop, selected) << cue;
		EXPECT_EQ(found->second.group, 2) << cue;
	}
}

TEST(SoundCues, SoundsStayBelowClippingAndLoopsJoinWithoutAClick)
{
	for (const auto& [name, cue] : shippedPack())
		for (const std::string& file : cue.files)
		{
			SmartPointer<CSoundStream> stream = decodeSoundFile(assetsFolder() + "/sounds/" + file);
			ASSERT_TRUE(stream) << file;
			const std::vector<int16_t> samples = readAllSamples(stream.get());
			const size_t channels = static_cast<size_t>(stream->getChannels());
			ASSERT_GT(samples.size(), 2 * channels) << file;
			int peak = 0;
			for (int16_t sample : samples)
				peak = std::max(peak, std::abs(static_cast<int>(sample)));
			EXPECT_LT(peak, 32000) << file << " clips";
			if (!cue.loop)
				continue;
			// The jump from the last frame to the first is no larger than the steps the sound makes
			// anyway (its 99th percentile), so the loop point is not heard.
			std::vector<int> steps;
			int seam = 0;
			for (size_t c = 0; c < channels; ++c)
				seam = std::max(seam, std::abs(samples[c] - samples[samples.size() - channels + c]));
			for (size_t i = channels; i < samples.size(); ++i)
				steps.push_back(std::abs(samples[i] - samples[i - channels]));
			std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
			EXPECT_LE(seam, steps[steps.size() * 99 / 100]) << file << " clicks at its loop point";
		}
}
