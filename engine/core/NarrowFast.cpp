#include "NarrowFast.h"

#include "TextUtils.h"

irr::core::stringc narrowFast(const irr::core::stringw& text)
{
	const wchar_t* characters = text.c_str();
	irr::u32 length = 0;
	// narrow stops at the first zero as well.
	for (; characters[length]; ++length)
	{
		if (static_cast<unsigned>(characters[length]) >= 0x80)
			return narrow(text);
	}
	return irr::core::stringc(characters, length);
}
