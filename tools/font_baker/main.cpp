// Bakes a bitmap font: font_baker <font.ttf> <pixel size> <output.qfnt> [--crisp] [--chars 32-126,160-255]
#include "FontBaker.h"
#include "common/ImageFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
int usage()
{
	std::fprintf(stderr, "usage: font_baker <font.ttf> <pixel size> <output.qfnt> [--crisp] [--chars RANGES] "
	                     "[--page-size N]\n");
	return 2;
}
} // namespace

int main(int argc, char** argv)
{
	if (argc < 4)
		return usage();
	FontBaker::Options options;
	char* end = nullptr;
	const long size = std::strtol(argv[2], &end, 10);
	if (!end || *end || size < 4 || size > 256)
		return usage();
	options.pixelSize = static_cast<int>(size);
	for (int i = 4; i < argc; ++i)
	{
		const std::string option = argv[i];
		if (option == "--crisp")
			options.crisp = true;
		else if (option == "--chars" && i + 1 < argc && parseCharacterRanges(argv[i + 1], options.ranges))
			++i;
		else if (option == "--page-size" && i + 1 < argc)
		{
			const long pageSize = std::strtol(argv[++i], &end, 10);
			if (!end || *end || pageSize < 16 || pageSize > 4096)
				return usage();
			options.pageSize = static_cast<int>(pageSize);
		}
		else
			return usage();
	}
	ImageFiles images;
	if (!images.isReady())
	{
		std::fprintf(stderr, "font_baker: no image library device\n");
		return 1;
	}
	FontBaker baker(images, options);
	std::string error;
	if (!baker.bake(argv[1], error) || !baker.write(argv[3], error))
	{
		std::fprintf(stderr, "font_baker: %s\n", error.c_str());
		return 1;
	}
	return 0;
}
