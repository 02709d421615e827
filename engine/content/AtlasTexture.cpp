#include "AtlasTexture.h"

#include "content/CTexture.h"
#include "content/TextureContent.h"

AtlasTexture::AtlasTexture(const ContentRef& reference, TextureContent* pageTexture,
	const irr::core::rectf& rect, const irr::core::vector2df& cutTopLeft, const irr::core::vector2df& cutBottomRight)
	: ContentObject(reference), page(pageTexture), textureRect(rect), b(cutTopLeft), a(cutBottomRight)
{
	contentFlags = ContentShared;
	if (page)
		page->grab();
	const irr::core::dimension2du size = getPageTextureSize(page);
	frameSize.Width = (textureRect.LowerRightCorner.X - textureRect.UpperLeftCorner.X) * static_cast<float>(size.Width);
	frameSize.Height =
		(textureRect.LowerRightCorner.Y - textureRect.UpperLeftCorner.Y) * static_cast<float>(size.Height);
	splitFrameName(reference.getName(), prefix, frameNumber, extension);
}

AtlasTexture::~AtlasTexture()
{
	if (page)
		page->drop();
}

irr::core::dimension2du AtlasTexture::getPageTextureSize(const TextureContent* page)
{
	// The size of the image handed to the driver: the texture processor pads it itself where the
	// driver wants power-of-two sizes, so this is the texture's real extent on every driver.
	const CTexture* texture = page ? page->getTexture() : nullptr;
	return texture ? texture->getImageSize() : irr::core::dimension2du(0, 0);
}

irr::core::rectf AtlasTexture::pixelsToTextureRect(const TextureContent* page, const irr::core::recti& pixels)
{
	const irr::core::dimension2du size = getPageTextureSize(page);
	if (size.Width == 0 || size.Height == 0)
		return irr::core::rectf(0, 0, 0, 0);
	const float w = static_cast<float>(size.Width);
	const float h = static_cast<float>(size.Height);
	return irr::core::rectf(static_cast<float>(pixels.UpperLeftCorner.X) / w,
		static_cast<float>(pixels.UpperLeftCorner.Y) / h, static_cast<float>(pixels.LowerRightCorner.X) / w,
		static_cast<float>(pixels.LowerRightCorner.Y) / h);
}

irr::video::ITexture* AtlasTexture::getDeviceTexture() const
{
	return page ? page->getDeviceTexture() : nullptr;
}

irr::core::dimension2df AtlasTexture::getUncutSize() const
{
	return irr::core::dimension2df(b.X + frameSize.Width + a.X, b.Y + frameSize.Height + a.Y);
}

void AtlasTexture::splitFrameName(const irr::core::stringc& name, irr::core::stringc& prefix, int& frameNumber,
	irr::core::stringc& extension)
{
	prefix = "";
	extension = "";
	frameNumber = -1;
	const irr::s32 dot = name.findLast('.');
	if (dot <= 0)
		return;
	extension = name.subString(static_cast<irr::u32>(dot), name.size() - static_cast<irr::u32>(dot));
	// At most nine digits make the number, so it always fits; longer runs keep the rest in the prefix.
	irr::s32 first = dot;
	int value = 0;
	int scale = 1;
	while (first > 0 && dot - first < 9 && name[first - 1] >= '0' && name[first - 1] <= '9')
	{
		--first;
		value += (name[first] - '0') * scale;
		scale *= 10;
	}
	if (first < dot)
		frameNumber = value;
	prefix = name.subString(0, static_cast<irr::u32>(first));
}
