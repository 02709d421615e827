#include "EditBuffer.h"

using irr::u32;

void EditBuffer::setText(const irr::core::stringw& value)
{
	text = value;
	split();
}

void EditBuffer::split()
{
	lines.clear();
	u32 start = 0;
	for (u32 i = 0; i < text.size(); ++i)
	{
		if (text[i] != L'\r' && text[i] != L'\n')
			continue;
		const u32 breakLength = text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' ? 2 : 1;
		lines.push_back(Line{start, i - start, breakLength});
		i += breakLength - 1;
		start = i + 1;
	}
	lines.push_back(Line{start, text.size() - start, 0});
}

int EditBuffer::getLineLength(int line) const
{
	return line >= 0 && line < getLineCount() ? static_cast<int>(lines[static_cast<size_t>(line)].length) : 0;
}

irr::core::stringw EditBuffer::getLine(int line) const
{
	if (line < 0 || line >= getLineCount())
		return irr::core::stringw();
	const Line& l = lines[static_cast<size_t>(line)];
	return text.subString(l.start, l.length);
}

EditCaret EditBuffer::clamp(const EditCaret& caret) const
{
	EditCaret result = caret;
	if (result.line < 0)
		result.line = 0;
	if (result.line >= getLineCount())
		result.line = getLineCount() - 1;
	const int length = getLineLength(result.line);
	if (result.column < -1)
		result.column = -1;
	if (result.column >= length)
		result.column = length - 1;
	return result;
}

u32 EditBuffer::positionAfter(const EditCaret& caret) const
{
	const EditCaret c = clamp(caret);
	return lines[static_cast<size_t>(c.line)].start + static_cast<u32>(c.column + 1);
}

void EditBuffer::erase(u32 position, u32 count)
{
	irr::core::stringw edited = text.subString(0, position);
	edited.append(text.subString(position + count, text.size() - position - count));
	setText(edited);
}

void EditBuffer::insertChar(wchar_t character, EditCaret& caret)
{
	caret = clamp(caret);
	const u32 position = positionAfter(caret);
	irr::core::stringw edited = text.subString(0, position);
	edited.append(character);
	edited.append(text.subString(position, text.size() - position));
	// A CR typed before an LF would merge with it into one line break.
	setText(edited);
	if (character == L'\r' || character == L'\n')
	{
		caret.line += 1;
		caret.column = -1;
	}
	else
	{
		caret.column += 1;
	}
	caret = clamp(caret);
}

bool EditBuffer::deleteBackward(EditCaret& caret)
{
	caret = clamp(caret);
	if (caret.column >= 0)
	{
		erase(positionAfter(caret) - 1, 1);
		caret.column -= 1;
		return true;
	}
	if (caret.line == 0)
		return false;
	const Line& previous = lines[static_cast<size_t>(caret.line - 1)];
	const EditCaret join{caret.line - 1, static_cast<int>(previous.length) - 1};
	erase(previous.start + previous.length, previous.breakLength);
	caret = clamp(join);
	return true;
}

bool EditBuffer::deleteForward(const EditCaret& caret)
{
	const EditCaret c = clamp(caret);
	const Line& line = lines[static_cast<size_t>(c.line)];
	if (c.column + 1 < static_cast<int>(line.length))
	{
		erase(positionAfter(c), 1);
		return true;
	}
	if (line.breakLength == 0)
		return false;
	erase(line.start + line.length, line.breakLength);
	return true;
}

void EditBuffer::moveHome(EditCaret& caret) const
{
	caret = clamp(caret);
	caret.column = -1;
}

void EditBuffer::moveEnd(EditCaret& caret) const
{
	caret = clamp(caret);
	caret.column = getLineLength(caret.line) - 1;
}

void EditBuffer::moveLeft(EditCaret& caret) const
{
	caret = clamp(caret);
	if (caret.column >= 0)
	{
		caret.column -= 1;
		return;
	}
	if (caret.line > 0)
	{
		caret.line -= 1;
		caret.column = getLineLength(caret.line) - 1;
	}
}

void EditBuffer::moveRight(EditCaret& caret) const
{
	caret = clamp(caret);
	if (caret.column + 1 < getLineLength(caret.line))
	{
		caret.column += 1;
		return;
	}
	if (caret.line + 1 < getLineCount())
	{
		caret.line += 1;
		caret.column = -1;
	}
}

bool EditBuffer::moveUp(EditCaret& caret) const
{
	caret = clamp(caret);
	if (caret.line == 0)
		return false;
	caret.line -= 1;
	caret = clamp(caret);
	return true;
}

bool EditBuffer::moveDown(EditCaret& caret) const
{
	caret = clamp(caret);
	if (caret.line + 1 >= getLineCount())
		return false;
	caret.line += 1;
	caret = clamp(caret);
	return true;
}
