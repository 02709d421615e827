#pragma once

#include <irrlicht/irrString.h>

// Keyed byte transform of the packed asset archive; enciphering and deciphering are the same call.
// Transforms the buffer in place from key position keyPos and returns the position that follows it.
irr::u32 applyAssetCipher(const irr::core::stringc& key, void* buffer, irr::u32 length, irr::u32 keyPos);

// Key position of a region starting at the given file offset: (offset - 16) mod key length.
irr::u32 assetCipherPosition(const irr::core::stringc& key, irr::u32 fileOffset);
