#include "NarrowFast.h"

#include "TextUtils.h"

bool isPlainAscii(const irr::core::stringw& text)
{
	const wchar_t* characters = text.c_str();
	const irr::u32 length = text.size();
	for (irr::u32 i = 0; i < length; ++i)
	{
		const unsigned c = static_cast<unsigned>(characters[i]);
		if (c == 0 || c >= 0x80)
			return false;
	}
	return true;
}

irr::core::stringc narrowFast(const irr::core::stringw& text)
{
	if (isPlainAscii(text))
		return irr::core::stringc(text.c_str(), text.size());
	return narrow(text);
}
