// Synthesises a sound from a text recipe: sound_maker <recipe.txt> <output.wav|.ogg>...
#include "SoundFileWriter.h"
#include "SoundRecipe.h"
#include "SoundSynth.h"

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
	if (argc < 3)
	{
		std::fprintf(stderr, "usage: sound_maker <recipe.txt> <output.wav|output.ogg>...\n");
		return 2;
	}
	std::ifstream input(argv[1], std::ios::binary);
	if (!input)
	{
		std::fprintf(stderr, "sound_maker: cannot read %s\n", argv[1]);
		return 1;
	}
	std::ostringstream text;
	text << input.rdbuf();

	SoundRecipe recipe;
	std::string error;
	if (!recipe.parse(text.str(), error))
	{
		std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
		return 1;
	}
	const std::vector<float> samples = SoundSynth(recipe).render();
	const SoundFileWriter writer(recipe.sampleRate, recipe.channels);
	for (int i = 2; i < argc; ++i)
		if (!writer.write(argv[i], samples, recipe.quality, error))
		{
			std::fprintf(stderr, "sound_maker: %s\n", error.c_str());
			return 1;
		}
	return 0;
}
