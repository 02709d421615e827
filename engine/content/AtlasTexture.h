#pragma once

#include "content/ContentObject.h"

#include <irrlicht/dimension2d.h>
#include <irrlicht/irrString.h>
#include <irrlicht/rect.h>
#include <irrlicht/vector2d.h>

namespace irr
{
namespace video
{
class ITexture;
}
}

class TextureContent;

// One named picture of the engine: a rectangle of a page texture with the trim around it ("atex").
class AtlasTexture : public ContentObject
{
public:
	// Grabs page; textureRect is in texture coordinates (0 to 1 over the page texture), b and a in pixels.
	AtlasTexture(const ContentRef& reference, TextureContent* page, const irr::core::rectf& textureRect,
		const irr::core::vector2df& b, const irr::core::vector2df& a);
	~AtlasTexture() override;
	AtlasTexture(const AtlasTexture&) = delete;
	AtlasTexture& operator=(const AtlasTexture&) = delete;

	ContentType getContentType() const override { return ContentTypeAtlasTexture; }

	// Texture coordinates of a pixel rectangle of page; every frame is placed through this, so a page
	// padded by the driver's size rules keeps its frames in place. Empty without a page texture.
	static irr::core::rectf pixelsToTextureRect(const TextureContent* page, const irr::core::recti& pixels);
	// Size in pixels of the texture behind page (padding included); (0, 0) when it holds none.
	static irr::core::dimension2du getPageTextureSize(const TextureContent* page);

	TextureContent* getPage() const { return page; }
	// The library texture of the page; null while the driver is being replaced.
	irr::video::ITexture* getDeviceTexture() const;
	const irr::core::rectf& getTextureRect() const { return textureRect; }
	// Cut away at the left and top of the uncut picture; the frame is drawn displaced by it.
	const irr::core::vector2df& getB() const { return b; }
	// Cut away at the right and bottom of the uncut picture.
	const irr::core::vector2df& getA() const { return a; }
	// Size in pixels of the frame on its page, fixed when the frame is made.
	const irr::core::dimension2df& getFrameSize() const { return frameSize; }
	// b + frame size + a.
	irr::core::dimension2df getUncutSize() const;

	// Name parts of numbered animation frames: Walk0012.png is "Walk", 12, ".png".
	const irr::core::stringc& getPrefix() const { return prefix; }
	int getFrameNumber() const { return frameNumber; }
	const irr::core::stringc& getExtension() const { return extension; }

	// Splits a content name into the parts above.
	static void splitFrameName(const irr::core::stringc& name, irr::core::stringc& prefix, int& frameNumber,
		irr::core::stringc& extension);

private:
	TextureContent* page;
	irr::core::rectf textureRect;
	irr::core::vector2df b;
	irr::core::vector2df a;
	irr::core::dimension2df frameSize;
	irr::core::stringc prefix;
	int frameNumber = -1;
	irr::core::stringc extension;
};
