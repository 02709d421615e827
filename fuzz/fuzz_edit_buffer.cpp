// Drives an edit field's text and caret with arbitrary key sequences: every edit must leave the
// caret on an existing line and column, and the text must match its lines.
#include "nodes/EditBuffer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{
void check(const EditBuffer& buffer, const EditCaret& caret)
{
	if (caret.line < 0 || caret.line >= buffer.getLineCount() || caret.column < -1 ||
	    caret.column >= buffer.getLineLength(caret.line))
		std::abort();
	irr::u32 total = 0;
	for (int i = 0; i < buffer.getLineCount(); ++i)
		total += static_cast<irr::u32>(buffer.getLineLength(i));
	if (total > buffer.getLength())
		std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	EditBuffer buffer;
	EditCaret caret;
	for (size_t i = 0; i < size && i < 4096; ++i)
	{
		const uint8_t op = data[i];
		switch (op % 10)
		{
		case 0:
			buffer.deleteBackward(caret);
			break;
		case 1:
			buffer.deleteForward(caret);
			break;
		case 2:
			buffer.moveLeft(caret);
			break;
		case 3:
			buffer.moveRight(caret);
			break;
		case 4:
			buffer.moveUp(caret);
			break;
		case 5:
			buffer.moveDown(caret);
			break;
		case 6:
			buffer.moveHome(caret);
			break;
		case 7:
			buffer.moveEnd(caret);
			break;
		default:
		{
			// Mostly line breaks and plain letters, so that lines come and go.
			static const wchar_t characters[] = {L'\r', L'\n', L'a', L' ', L'%'};
			buffer.insertChar(characters[(op / 10) % 5], caret);
			break;
		}
		}
		check(buffer, caret);
	}
	return 0;
}
