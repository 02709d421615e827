// Packs a folder of pictures into atlas pages and a list:
// atlas_packer <picture folder> <list.xml> [--prefix P] [--page-size N] [--padding N] [--no-trim]
#include "AtlasBuilder.h"
#include "common/ImageFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
bool readCount(const char* text, int low, int high, int& value)
{
	char* end = nullptr;
	const long number = std::strtol(text, &end, 10);
	if (!end || *end || number < low || number > high)
		return false;
	value = static_cast<int>(number);
	return true;
}

int usage()
{
	std::fprintf(
	    stderr,
	    "usage: atlas_packer <picture folder> <list.xml> [--prefix P] [--page-size N] [--padding N] [--no-trim]\n");
	return 2;
}
} // namespace

int main(int argc, char** argv)
{
	if (argc < 3)
		return usage();
	AtlasBuilder::Options options;
	for (int i = 3; i < argc; ++i)
	{
		const std::string option = argv[i];
		const bool hasValue = i + 1 < argc;
		if (option == "--no-trim")
			options.trim = false;
		else if (option == "--prefix" && hasValue)
			options.prefix = argv[++i];
		else if (option == "--page-size" && hasValue && readCount(argv[++i], 16, 8192, options.pageSize))
			continue;
		else if (option == "--padding" && hasValue && readCount(argv[++i], 0, 64, options.padding))
			continue;
		else
			return usage();
	}
	ImageFiles images;
	if (!images.isReady())
	{
		std::fprintf(stderr, "atlas_packer: no image library device\n");
		return 1;
	}
	AtlasBuilder builder(images, options);
	std::string error;
	if (!builder.addFolder(argv[1], error) || !builder.write(argv[2], error))
	{
		std::fprintf(stderr, "atlas_packer: %s\n", error.c_str());
		return 1;
	}
	return 0;
}
