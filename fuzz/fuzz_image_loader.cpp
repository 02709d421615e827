#include "content/CImageLoaderManager.h"
#include "content/CMemoryFile.h"
#include "content/ImageContent.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <irrlicht/IImage.h>

// The 3-D library's JPEG loader leaks its row table when the decoder gives up on a damaged
// picture; that is outside the engine's reach, so the leak checker is told about it.
extern "C" const char* __lsan_default_suppressions()
{
	return "leak:CImageLoaderJPG::loadImage\n";
}

// First byte: which file name the picture comes under (so both loader passes run); the rest: its bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const char* const names[] = {"f.png", "f.bmp", "f.tga", "f.jpg", "f.pcx", "f.wal", "f.ppm", "f"};
	if (size == 0)
		return 0;
	const char* name = names[data[0] % (sizeof(names) / sizeof(names[0]))];
	char* copy = new char[size];
	std::memcpy(copy, data + 1, size - 1);
	CMemoryFile* file = new CMemoryFile(copy, static_cast<long>(size - 1), name, true);
	ImageContent* image = CImageLoaderManager::instance()->createImage(file, ContentRef());
	int result = 0;
	if (image)
	{
		const irr::core::dimension2du dimension = image->getImage()->getDimension();
		result = dimension.Width == 0 ? 1 : 0;
		image->drop();
	}
	file->drop();
	return result;
}
