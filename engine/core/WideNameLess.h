#pragma once

#include <cwchar>
#include <irrlicht/irrString.h>

// Orders wide names by whole-word comparison of their characters, for maps looked up by name
// (the library's own string order goes one character at a time).
struct WideNameLess
{
	bool operator()(const irr::core::stringw& a, const irr::core::stringw& b) const
	{
		const irr::u32 common = a.size() < b.size() ? a.size() : b.size();
		const int order = std::wmemcmp(a.c_str(), b.c_str(), common);
		return order != 0 ? order < 0 : a.size() < b.size();
	}
};
