#include "AssetCipher.h"

irr::u32 applyAssetCipher(const irr::core::stringc& key, void* buffer, irr::u32 length, irr::u32 keyPos)
{
	const irr::u32 keyLength = key.size();
	if (keyLength == 0)
		return keyPos;
	unsigned char* bytes = static_cast<unsigned char*>(buffer);
	irr::u32 k = keyPos % keyLength;
	for (irr::u32 i = 0; i < length; ++i)
	{
		// Mixing in the key position keeps a short repeated key from showing through plain runs.
		const unsigned char mask = static_cast<unsigned char>(key[k]) ^ static_cast<unsigned char>(k * 151u + 0x5Bu);
		bytes[i] ^= mask;
		if (++k == keyLength)
			k = 0;
	}
	return k;
}

irr::u32 assetCipherPosition(const irr::core::stringc& key, irr::u32 fileOffset)
{
	return key.size() == 0 ? 0 : (fileOffset - 16u) % key.size();
}
