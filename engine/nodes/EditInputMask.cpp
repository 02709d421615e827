#include "EditInputMask.h"

#include <cwctype>

void EditInputMask::setMask(const irr::core::stringc& value)
{
	mask = value;
	classes = 0;
	for (irr::u32 i = 0; i < mask.size(); ++i)
	{
		switch (mask[i])
		{
		case '0':
			classes |= Digits;
			break;
		case 'A':
		case 'a':
			classes |= Letters;
			break;
		case 'S':
		case 's':
			classes |= Blanks;
			break;
		case 'R':
		case 'r':
			classes |= LineBreaks;
			break;
		case 'T':
		case 't':
			classes |= Tabs;
			break;
		default:
			break;
		}
	}
}

bool EditInputMask::acceptsChar(wchar_t character) const
{
	if (mask.empty())
		return true;
	if ((classes & LineBreaks) && (character == L'\r' || character == L'\n'))
		return true;
	if ((classes & Tabs) && character == L'\t')
		return true;
	const wint_t c = static_cast<wint_t>(character);
	return ((classes & Digits) && std::iswdigit(c)) || ((classes & Letters) && std::iswalpha(c)) ||
	       ((classes & Blanks) && std::iswblank(c));
}
