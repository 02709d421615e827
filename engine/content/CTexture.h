#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/dimension2d.h>
#include <irrlicht/irrString.h>
#include <vector>

namespace irr
{
namespace video
{
class IImage;
class ITexture;
class IVideoDriver;
} // namespace video
} // namespace irr

class IFileSystem;

// A video-driver texture with the alpha of the picture it was made from, for per-pixel hit tests.
class CTexture : public virtual ReferenceCounted
{
public:
	// Grabs texture; keeps the alpha of image when one is given.
	CTexture(irr::video::ITexture* texture, const irr::video::IImage* image);
	// Grabs texture; alpha holds one byte a pixel of a picture of imageSize, row by row (empty: none kept).
	CTexture(irr::video::ITexture* texture, const irr::core::dimension2du& imageSize, std::vector<irr::u8> alpha);
	~CTexture() override;
	CTexture(const CTexture&) = delete;
	CTexture& operator=(const CTexture&) = delete;

	// A texture made by driver from image, outside the driver's named texture cache; null when
	// the driver cannot make it.
	static CTexture* createFromImage(irr::video::IVideoDriver* driver, irr::video::IImage* image,
	                                 const irr::core::stringc& name);
	// Opens name through the engine's file system and decodes it with the image loader registry.
	static CTexture* createFromFile(irr::video::IVideoDriver* driver, IFileSystem* fileSystem,
	                                const irr::core::stringc& name);

	irr::video::ITexture* getDeviceTexture() const { return texture; }
	// Size of the picture kept for the alpha test (the texture itself may be larger).
	const irr::core::dimension2du& getImageSize() const { return imageSize; }
	bool keepsImage() const { return !alpha.empty(); }

	// True when (x, y) lies on the kept picture and its alpha is greater than threshold.
	bool alphaTest(irr::u32 x, irr::u32 y, irr::u32 threshold) const;

private:
	irr::video::ITexture* texture;
	irr::core::dimension2du imageSize;
	std::vector<irr::u8> alpha;
};
