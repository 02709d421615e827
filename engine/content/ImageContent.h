#pragma once

#include "content/ContentObject.h"

namespace irr
{
namespace video
{
class IImage;
}
} // namespace irr

// A decoded picture held in memory ("imag" content); shared by every requester.
class ImageContent : public ContentObject
{
public:
	// Takes over the caller's reference of image.
	ImageContent(irr::video::IImage* image, const ContentRef& reference);
	~ImageContent() override;

	ContentType getContentType() const override { return ContentTypeImage; }
	irr::video::IImage* getImage() const { return image; }

private:
	irr::video::IImage* image;
};
