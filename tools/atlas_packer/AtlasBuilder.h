#pragma once

#include <string>
#include <vector>

class ImageFiles;

namespace irr::video
{
class IImage;
}

// Packs a folder of PNG pictures onto page pictures and writes the atlas list that names every frame.
class AtlasBuilder
{
public:
	struct Options
	{
		std::string prefix;  // put before each picture's path inside the folder to make its frame name
		int pageSize = 1024; // largest page width and height
		int padding = 2;     // clear pixels between frames (edge pixels are repeated into half of it)
		bool trim = true;    // cut transparent borders, recording them as the frame's trims
	};

	AtlasBuilder(const ImageFiles& images, const Options& options) : images(images), options(options) {}
	~AtlasBuilder();
	AtlasBuilder(const AtlasBuilder&) = delete;
	AtlasBuilder& operator=(const AtlasBuilder&) = delete;

	// Reads every *.png under the folder, in name order so the output is the same on every run.
	bool addFolder(const std::string& folder, std::string& error);
	// Writes the list and its pages "<list name>_<n>.png" beside it.
	bool write(const std::string& listPath, std::string& error);

	size_t getPictureCount() const { return pictures.size(); }

private:
	struct Picture
	{
		std::string name;
		irr::video::IImage* image = nullptr;
		int left = 0, top = 0, right = 0, bottom = 0; // the part kept
		int width = 0, height = 0;                    // the whole picture
	};

	const ImageFiles& images;
	Options options;
	std::vector<Picture> pictures;
};
