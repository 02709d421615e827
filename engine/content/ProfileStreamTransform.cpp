#include "ProfileStreamTransform.h"

#include "content/IReadFile.h"
#include "content/IWriteFile.h"

long transformProfileStream(IReadFile& source, IWriteFile& destination, const irr::core::stringc& key)
{
	const irr::u32 keyLength = key.size();
	unsigned char buffer[16384];
	long total = 0;
	for (;;)
	{
		irr::s32 count = source.read(buffer, sizeof(buffer));
		if (count <= 0)
			break;
		if (keyLength != 0)
		{
			// The position enters the mask too, so runs of equal bytes (the zeros of UTF-16 text)
			// do not spell out the key.
			for (irr::s32 i = 0; i < count; ++i)
			{
				unsigned long at = static_cast<unsigned long>(total + i);
				unsigned char mask =
				    static_cast<unsigned char>(key[at % keyLength]) ^ static_cast<unsigned char>(at * 167u + 13u);
				buffer[i] ^= mask;
			}
		}
		if (destination.write(buffer, static_cast<irr::u32>(count)) != count)
			break;
		total += count;
	}
	return total;
}
