#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CFileSystem.h"
#include "content/CTexture.h"
#include "content/CTextureProcessor.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"
#include "content/TextureContent.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <irrlicht/irrlicht.h>

// The 3-D library's JPEG loader leaks its row table when the decoder gives up on a damaged
// picture; that is outside the engine's reach, so the leak checker is told about it.
extern "C" const char* __lsan_default_suppressions()
{
	return "leak:CImageLoaderJPG::loadImage\n";
}

namespace
{
// The null video driver and the content services over it, made once.
struct NullDriverServices
{
	NullDriverServices()
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_NULL;
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		driver = device->getVideoDriver();
		fileSystem = new CFileSystem();
		processors = new CContentProcessorsManager(driver, nullptr, fileSystem, nullptr);
	}
	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
	CFileSystem* fileSystem = nullptr;
	CContentProcessorsManager* processors = nullptr;
};

// Probes what a frame knows of its picture: sizes, texture rectangles and the alpha test.
void probe(AtlasTexture* frame, const uint8_t* data, size_t size)
{
	frame->getUncutSize();
	TextureContent* page = frame->getPage();
	const irr::core::dimension2du pageSize = AtlasTexture::getPageTextureSize(page);
	const irr::u32 points[][2] = {{0, 0},
	                              {pageSize.Width, pageSize.Height},
	                              {pageSize.Width / 2, pageSize.Height / 2},
	                              {pageSize.Width - 1, 0},
	                              {0xFFFFFFFFu, 1}};
	for (const auto& point : points)
		page->alphaTest(point[0], point[1], size ? data[size - 1] : 0);
	AtlasTexture::pixelsToTextureRect(page, irr::core::recti(-5, 3, static_cast<irr::s32>(pageSize.Width) + 7, 1));
}
} // namespace

// First byte: the picture's file name (so every loader gets its turn) and the least page size;
// the rest: the picture's bytes, read as a whole-page atlas frame and as an atlas page padded
// to the driver's texture size rules.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static NullDriverServices services;
	static const char* const names[] = {"f.png", "f.bmp", "f.tga", "f.jpg", "f.pcx", "f.wal", "f.ppm", "f"};
	if (size == 0)
		return 0;
	const char* name = names[data[0] % (sizeof(names) / sizeof(names[0]))];
	const irr::u32 least = 1u << ((data[0] >> 4) & 7);

	CContentManager* manager = new CContentManager(services.driver, services.fileSystem, services.processors);
	char* copy = new char[size];
	std::memcpy(copy, data + 1, size - 1);
	IReadFile* file = services.fileSystem->createMemoryReadFile(copy, static_cast<long>(size - 1), name, true);
	if (ContentObject* content = manager->getContentFromFile(ContentTypeAtlasTexture, file))
	{
		if (AtlasTexture* frame = dynamic_cast<AtlasTexture*>(content))
			probe(frame, data, size);
		content->drop();
	}
	file->seek(0);
	if (ContentObject* content = manager->getContentFromFile(ContentTypeImage, file))
	{
		if (ImageContent* image = dynamic_cast<ImageContent*>(content))
		{
			CTexture* page = CTextureProcessor::createPageTexture(services.driver, image->getImage(), "page",
			                                                      irr::core::dimension2du(least, least));
			if (page)
			{
				page->alphaTest(0, 0, 0);
				page->alphaTest(least, least, 0);
				page->drop();
			}
		}
		content->drop();
	}
	file->drop();
	manager->releaseAllContent();
	manager->drop();
	return 0;
}
