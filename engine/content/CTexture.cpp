#include "CTexture.h"

#include "content/CImageLoaderManager.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"

#include <irrlicht/IImage.h>
#include <irrlicht/ITexture.h>
#include <irrlicht/IVideoDriver.h>

#include <utility>

CTexture::CTexture(irr::video::ITexture* deviceTexture, const irr::video::IImage* image) : texture(deviceTexture)
{
	if (texture)
		texture->grab();
	if (!image)
		return;
	imageSize = image->getDimension();
	alpha.resize(static_cast<size_t>(imageSize.Width) * imageSize.Height);
	const irr::video::ECOLOR_FORMAT format = image->getColorFormat();
	// Pictures without an alpha channel are opaque everywhere.
	if (format == irr::video::ECF_R8G8B8 || format == irr::video::ECF_R5G6B5)
	{
		alpha.assign(alpha.size(), 255);
		return;
	}
	const bool packed = format == irr::video::ECF_A8R8G8B8;
	const irr::u8* pixels = static_cast<const irr::u8*>(const_cast<irr::video::IImage*>(image)->lock());
	// The pitch is asked once: per pixel, the library's out-of-line call cost as much as the decoding.
	const size_t pitch = image->getPitch();
	for (irr::u32 y = 0; y < imageSize.Height; ++y)
	{
		irr::u8* out = alpha.data() + static_cast<size_t>(y) * imageSize.Width;
		if (packed && pixels)
		{
			const irr::u8* row = pixels + static_cast<size_t>(y) * pitch + 3;
			for (irr::u32 x = 0; x < imageSize.Width; ++x)
				out[x] = row[static_cast<size_t>(x) * 4];
		}
		else
			for (irr::u32 x = 0; x < imageSize.Width; ++x)
				out[x] = static_cast<irr::u8>(image->getPixel(x, y).getAlpha());
	}
	const_cast<irr::video::IImage*>(image)->unlock();
}

CTexture::CTexture(irr::video::ITexture* deviceTexture, const irr::core::dimension2du& size, std::vector<irr::u8> bytes)
    : texture(deviceTexture), imageSize(size), alpha(std::move(bytes))
{
	if (texture)
		texture->grab();
	if (alpha.size() != static_cast<size_t>(imageSize.Width) * imageSize.Height)
		alpha.clear();
}

CTexture::~CTexture()
{
	if (texture)
		texture->drop();
}

CTexture* CTexture::createFromImage(irr::video::IVideoDriver* driver, irr::video::IImage* image,
                                    const irr::core::stringc& name)
{
	if (!driver || !image)
		return nullptr;
	// The picture is drawn 1:1 in 2-D: mip maps would only cost memory.
	const bool mipMaps = driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
	driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
	irr::video::ITexture* deviceTexture = driver->addTexture(name.size() ? name.c_str() : "#texture", image);
	driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
	if (!deviceTexture)
		return nullptr;
	CTexture* result = new CTexture(deviceTexture, image);
	// Out of the driver's cache, so the texture dies with its last engine reference.
	driver->removeTexture(deviceTexture);
	return result;
}

CTexture* CTexture::createFromFile(irr::video::IVideoDriver* driver, IFileSystem* fileSystem,
                                   const irr::core::stringc& name)
{
	if (!driver || !fileSystem)
		return nullptr;
	IReadFile* file = fileSystem->createAndOpenFile(name);
	if (!file)
		return nullptr;
	CTexture* result = nullptr;
	if (ImageContent* image = CImageLoaderManager::instance()->createImage(file, ContentRef()))
	{
		result = createFromImage(driver, image->getImage(), name);
		image->drop();
	}
	file->drop();
	return result;
}

bool CTexture::alphaTest(irr::u32 x, irr::u32 y, irr::u32 threshold) const
{
	if (alpha.empty() || x >= imageSize.Width || y >= imageSize.Height)
		return false;
	return alpha[static_cast<size_t>(y) * imageSize.Width + x] > threshold;
}
