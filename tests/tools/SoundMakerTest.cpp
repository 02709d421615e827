#include "ToolTestSupport.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
struct RecipeCase
{
	const char* what;
	const char* recipe;
	int channels;
	int sampleRate;
	double seconds;
};

const RecipeCase recipeCases[] = {
    {"tone with release", "tone 0 0.1 440 release=0.05\n", 1, 22050, 0.15},
    {"stereo noise at 44.1 kHz", "rate 44100\nchannels 2\nnoise 0 0.2 cutoff=2000 cutoff_end=200 pan=-0.5\n", 2, 44100,
     0.25},
    {"notes at a tempo", "tempo 60\nnotes 0 0.5 wave=square release=0 : C4 - E4*2\n", 1, 22050, 1.9},
    {"fixed looping length", "rate 8000\nlength 0.5\nloop\ntone 0.4 0.3 220 wave=saw\n", 1, 8000, 0.5},
};

class SoundMakerTest : public ::testing::TestWithParam<RecipeCase>
{
protected:
	TempDir dir;
};

// Peak of the first `count` frames' samples, all channels.
int peakOf(const std::vector<int16_t>& samples, size_t from, size_t to)
{
	int peak = 0;
	for (size_t i = from; i < std::min(to, samples.size()); ++i)
		peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
	return peak;
}
} // namespace

TEST_P(SoundMakerTest, WritesWavAndOggThatTheEngineDecodes)
{
	const RecipeCase& c = GetParam();
	const std::string recipe = dir.write("recipe.txt", c.recipe);
	ASSERT_EQ(runTool("sound_maker", {recipe, dir.file("out.wav"), dir.file("out.ogg")}), 0) << c.what;

	const long long expectedFrames = static_cast<long long>(std::ceil(c.seconds * c.sampleRate));
	for (const char* name : {"out.wav", "out.ogg"})
	{
		SCOPED_TRACE(std::string(c.what) + ", " + name);
		SmartPointer<CSoundStream> stream = decodeSoundFile(dir.file(name));
		ASSERT_TRUE(stream);
		EXPECT_EQ(stream->getChannels(), c.channels);
		EXPECT_EQ(stream->getSampleRate(), c.sampleRate);
		EXPECT_EQ(stream->getFormat(), c.channels == 1 ? SoundFormatMono16 : SoundFormatStereo16);
		EXPECT_NEAR(static_cast<double>(stream->getLength()), static_cast<double>(expectedFrames), 2.0);
		const std::vector<int16_t> samples = readAllSamples(stream.get());
		EXPECT_GT(peakOf(samples, 0, samples.size()), 1000) << "silent";
	}
}

INSTANTIATE_TEST_SUITE_P(Recipes, SoundMakerTest, ::testing::ValuesIn(recipeCases));

TEST(SoundMaker, LoopWrapsTheTailToTheStart)
{
	TempDir dir;
	// The tone starts 0.1 s before the end and lasts 0.3 s: its last 0.2 s sound at the start of the loop.
	const std::string recipe = dir.write("loop.txt", "rate 8000\nlength 1\nloop\ntone 0.9 0.3 500 release=0\n");
	const std::string plain = dir.write("plain.txt", "rate 8000\nlength 1\ntone 0.9 0.3 500 release=0\n");
	ASSERT_EQ(runTool("sound_maker", {recipe, dir.file("loop.wav")}), 0);
	ASSERT_EQ(runTool("sound_maker", {plain, dir.file("plain.wav")}), 0);
	const std::vector<int16_t> looped = readAllSamples(decodeSoundFile(dir.file("loop.wav")).get());
	const std::vector<int16_t> cut = readAllSamples(decodeSoundFile(dir.file("plain.wav")).get());
	ASSERT_EQ(looped.size(), 8000u);
	ASSERT_EQ(cut.size(), 8000u);
	EXPECT_GT(peakOf(looped, 0, 1500), 1000);
	EXPECT_EQ(peakOf(cut, 0, 7000), 0);
	EXPECT_EQ(peakOf(looped, 2000, 7000), 0);
}

TEST(SoundMaker, NormalizeScalesThePeakToTheGain)
{
	TempDir dir;
	const std::string recipe = dir.write("quiet.txt", "tone 0 0.2 300 amp=0.01\nnormalize\ngain 0.5\n");
	ASSERT_EQ(runTool("sound_maker", {recipe, dir.file("quiet.wav")}), 0);
	const std::vector<int16_t> samples = readAllSamples(decodeSoundFile(dir.file("quiet.wav")).get());
	EXPECT_NEAR(peakOf(samples, 0, samples.size()), 0.5 * 0.98 * 32767, 100);
}

TEST(SoundMaker, SameRecipeGivesTheSameFiles)
{
	TempDir dir;
	const std::string recipe = dir.write("r.txt", "noise 0 0.1 cutoff=1000\ntone 0 0.1 880\n");
	ASSERT_EQ(runTool("sound_maker", {recipe, dir.file("a.ogg"), dir.file("a.wav")}), 0);
	ASSERT_EQ(runTool("sound_maker", {recipe, dir.file("b.ogg"), dir.file("b.wav")}), 0);
	EXPECT_EQ(dir.read("a.ogg"), dir.read("b.ogg"));
	EXPECT_EQ(dir.read("a.wav"), dir.read("b.wav"));
}

struct BadRecipeCase
{
	const char* what;
	const char* recipe;
};

const BadRecipeCase badRecipes[] = {
    {"no events", "rate 22050\n"},
    {"unknown keyword", "tone 0 1 440\nbogus 3\n"},
    {"unknown option", "tone 0 1 440 colour=red\n"},
    {"rate out of range", "rate 100\ntone 0 1 440\n"},
    {"three channels", "channels 3\ntone 0 1 440\n"},
    {"not a number", "tone 0 one 440\n"},
    {"trailing text after a number", "tone 0 1 440hz\n"},
    {"not a note", "notes 0 1 : C4 H4\n"},
    {"notes without a colon", "notes 0 1 C4\n"},
    {"longer than allowed", "tone 0 179 440 release=10\n"},
    {"too long a note run", "tempo 10\nnotes 0 1000 : C4 C4\n"},
    {"infinite value", "tone 0 inf 440\n"},
};

TEST(SoundMaker, RefusesBadRecipesWithoutWritingAnything)
{
	for (const BadRecipeCase& c : badRecipes)
	{
		TempDir dir;
		const std::string recipe = dir.write("bad.txt", c.recipe);
		EXPECT_EQ(runTool("sound_maker", {recipe, dir.file("out.wav")}), 1) << c.what;
		EXPECT_FALSE(decodeSoundFile(dir.file("out.wav"))) << c.what;
	}
}

TEST(SoundMaker, RefusesAnUnknownOutputKind)
{
	TempDir dir;
	const std::string recipe = dir.write("r.txt", "tone 0 0.1 440\n");
	EXPECT_EQ(runTool("sound_maker", {recipe, dir.file("out.mp3")}), 1);
	EXPECT_EQ(runTool("sound_maker", {dir.file("missing.txt"), dir.file("out.wav")}), 1);
	EXPECT_EQ(runTool("sound_maker", {recipe}), 2);
}
