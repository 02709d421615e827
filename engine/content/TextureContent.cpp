#include "TextureContent.h"

#include "content/CTexture.h"

TextureContent::TextureContent(const ContentRef& reference, const irr::core::stringc& name, CTexture* newTexture)
    : ContentObject(reference), imageName(name)
{
	contentFlags = ContentShared;
	setTexture(newTexture);
}

TextureContent::~TextureContent()
{
	setTexture(nullptr);
}

void TextureContent::setTexture(CTexture* newTexture)
{
	if (newTexture)
		newTexture->grab();
	if (texture)
		texture->drop();
	texture = newTexture;
}

irr::video::ITexture* TextureContent::getDeviceTexture() const
{
	return texture ? texture->getDeviceTexture() : nullptr;
}

bool TextureContent::alphaTest(irr::u32 x, irr::u32 y, irr::u32 threshold) const
{
	return texture && texture->alphaTest(x, y, threshold);
}

irr::core::dimension2du TextureContent::getPictureSize() const
{
	if (pictureSize.Width != 0 && pictureSize.Height != 0)
		return pictureSize;
	return texture ? texture->getImageSize() : irr::core::dimension2du(0, 0);
}
