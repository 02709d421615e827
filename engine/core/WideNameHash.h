#pragma once

#include <cstddef>
#include <irrlicht/irrString.h>

// Hash of a wide name, for maps looked up by name once per element of every file read.
struct WideNameHash
{
	size_t operator()(const irr::core::stringw& name) const
	{
		// FNV-1a over the characters.
		size_t hash = 14695981039346656037ull;
		const wchar_t* characters = name.c_str();
		for (irr::u32 i = 0; i < name.size(); ++i)
		{
			hash ^= static_cast<size_t>(characters[i]);
			hash *= 1099511628211ull;
		}
		return hash;
	}
};
