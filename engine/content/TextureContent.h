#pragma once

#include "content/ContentObject.h"

#include <irrlicht/dimension2d.h>
#include <irrlicht/irrString.h>

class CTexture;

namespace irr
{
namespace video
{
class ITexture;
}
} // namespace irr

// A video-driver texture as content ("itex"), remembering the image it is made again from.
class TextureContent : public ContentObject
{
public:
	// Grabs texture (which may be null while the driver is being replaced).
	TextureContent(const ContentRef& reference, const irr::core::stringc& imageName, CTexture* texture);
	~TextureContent() override;

	ContentType getContentType() const override { return ContentTypeTexture; }

	CTexture* getTexture() const { return texture; }
	// Grabs the new texture and drops the held one; null holds none.
	void setTexture(CTexture* newTexture);
	// The library texture to put in a material; null when none is held.
	irr::video::ITexture* getDeviceTexture() const;
	const irr::core::stringc& getImageName() const { return imageName; }
	// The size of the picture the texture was made from, before any padding; the texture's own size when
	// it is not known.
	irr::core::dimension2du getPictureSize() const;
	void setPictureSize(const irr::core::dimension2du& size) { pictureSize = size; }

	// False when no texture is held; see CTexture::alphaTest.
	bool alphaTest(irr::u32 x, irr::u32 y, irr::u32 threshold) const;

private:
	CTexture* texture = nullptr;
	irr::core::stringc imageName;
	irr::core::dimension2du pictureSize; // 0 x 0: not known
};
