#pragma once

#include "content/CVideoDriverProcessor.h"

#include <irrlicht/dimension2d.h>
#include <irrlicht/irrString.h>

#include <map>

class CTexture;

namespace irr
{
namespace video
{
class IImage;
}
}

// Processor of "itex": video-driver textures made from the "imag" content of the same file.
class CTextureProcessor : public CVideoDriverProcessor
{
public:
	explicit CTextureProcessor(irr::video::IVideoDriver* driver) : CVideoDriverProcessor(driver) {}

	int getPriority() const override { return 1; }
	ContentType getContentType() const override { return ContentTypeTexture; }
	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override;
	bool save(CContentManager* manager, ContentObject* object, IWriteFile* file, void* saveParameter) override;
	// Event 9 drops every device texture, event 10 makes each again with the new driver.
	void processAll(CEvent* event, ContentMap& objects) override;

	// A texture of image on driver, the picture padded with transparent pixels to power-of-two
	// sizes where the driver needs them (the library would otherwise stretch it), and at least
	// minimumSize. Null when the driver cannot make it.
	static CTexture* createPageTexture(irr::video::IVideoDriver* driver, irr::video::IImage* image,
		const irr::core::stringc& name, const irr::core::dimension2du& minimumSize = irr::core::dimension2du(0, 0));
	// The size the texture of a picture of size picture will have on driver.
	static irr::core::dimension2du pageTextureSize(irr::video::IVideoDriver* driver,
		const irr::core::dimension2du& picture, const irr::core::dimension2du& minimumSize);

private:
	void recreateTextures(ContentMap& objects);

	// Texture sizes of the contents between a device reset and the next driver, so that frames
	// placed on them stay right even when the new driver pads differently.
	std::map<int, irr::core::dimension2du> sizesBeforeReset;
};
