#include "ImageContent.h"

#include <irrlicht/IImage.h>

ImageContent::ImageContent(irr::video::IImage* adopted, const ContentRef& reference)
    : ContentObject(reference), image(adopted)
{
	contentFlags = ContentShared;
}

ImageContent::~ImageContent()
{
	if (image)
		image->drop();
}
