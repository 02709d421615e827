#pragma once

#include <irrlicht/irrString.h>
#include <vector>

// A caret between characters: it stands after character `column` of `line`; -1 is before the first.
struct EditCaret
{
	int line = 0;
	int column = -1;

	bool operator==(const EditCaret& o) const { return line == o.line && column == o.column; }
};

// The text of an edit field split at its line breaks (CR, LF or a CR LF pair), with the
// editing and caret moves of the field. Every operation leaves the caret at a valid position.
class EditBuffer
{
public:
	void setText(const irr::core::stringw& text);
	const irr::core::stringw& getText() const { return text; }
	// Characters in the text, line breaks included (a CR LF pair counts two).
	irr::u32 getLength() const { return text.size(); }

	int getLineCount() const { return static_cast<int>(lines.size()); }
	// Characters of the line without its line break; 0 for a line that does not exist.
	int getLineLength(int line) const;
	// The line's characters without its line break.
	irr::core::stringw getLine(int line) const;
	// Clamps the caret onto an existing line and column.
	EditCaret clamp(const EditCaret& caret) const;

	// Inserts after the caret and moves the caret past the new character; a line break starts a new line.
	void insertChar(wchar_t character, EditCaret& caret);
	// Removes the character before the caret; at a line start, the whole line break before it,
	// leaving the caret at the join. False at the start of the text.
	bool deleteBackward(EditCaret& caret);
	// Removes the character after the caret (a whole line break at a line end). False at the end.
	bool deleteForward(const EditCaret& caret);

	void moveHome(EditCaret& caret) const;
	void moveEnd(EditCaret& caret) const;
	void moveLeft(EditCaret& caret) const;
	void moveRight(EditCaret& caret) const;
	// False (caret unchanged) on the first / last line.
	bool moveUp(EditCaret& caret) const;
	bool moveDown(EditCaret& caret) const;

private:
	struct Line
	{
		irr::u32 start;
		irr::u32 length;
		// Characters of the line break after it: 0 (last line), 1 or 2.
		irr::u32 breakLength;
	};

	void split();
	// Position in the text right after the caret.
	irr::u32 positionAfter(const EditCaret& caret) const;
	void erase(irr::u32 position, irr::u32 count);

	irr::core::stringw text;
	std::vector<Line> lines{Line{0, 0, 0}};
};
