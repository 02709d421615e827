#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

class ImageFiles;

// Rasterises a TrueType font with FreeType into a bitmap font file (".qfnt") and its page pictures.
class FontBaker
{
public:
	struct Options
	{
		int pixelSize = 14;
		bool crisp = false; // one-bit glyphs hinted to the pixel grid; otherwise anti-aliased
		// Character ranges baked; Latin-1 by default.
		std::vector<std::pair<unsigned, unsigned>> ranges{{32, 126}, {160, 255}};
		int pageSize = 512;
		int padding = 1;
	};

	FontBaker(const ImageFiles& images, const Options& options) : images(images), options(options) {}

	bool bake(const std::string& fontPath, std::string& error);
	// Writes "<name>.qfnt" and its pages "<name>_<n>.png" beside it.
	bool write(const std::string& fontFilePath, std::string& error) const;

	size_t getGlyphCount() const { return glyphs.size(); }
	size_t getKerningCount() const { return kerning.size(); }

private:
	struct Glyph
	{
		unsigned character = 0;
		int width = 0, height = 0;
		int left = 0, top = 0; // offset inside the character cell
		int advance = 0;
		std::vector<unsigned char> coverage; // width x height alpha values
		int page = 0, x = 0, y = 0;
	};

	const ImageFiles& images;
	Options options;
	int lineHeight = 0;
	int pageCount = 0;
	std::vector<std::pair<int, int>> pageSizes;
	std::vector<Glyph> glyphs;
	std::map<std::pair<unsigned, unsigned>, int> kerning;
};

// Reads "32-126,160-255,8364" into ranges; false when the text is not such a list.
bool parseCharacterRanges(const std::string& text, std::vector<std::pair<unsigned, unsigned>>& ranges);
