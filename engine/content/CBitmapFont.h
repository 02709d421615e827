#pragma once

#include "content/CFont.h"

// A font whose glyphs are rectangles of atlas frames, read from a ".qfnt" file.
class CBitmapFont : public CFont
{
public:
	explicit CBitmapFont(const ContentRef& reference) : CFont(reference) {}

	// Reads to the end of the input; pages resolve against the folder on top of the owning manager's stack.
	void load(IXMLReader* reader) override;

private:
	void readPage(IXMLReader* reader);
	void readGlyph(IXMLReader* reader);
	void readKerning(IXMLReader* reader);
};
