#include "CAtlasTextureProcessor.h"

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"
#include "content/TextureContent.h"
#include "core/ILogger.h"

#include <irrlicht/IImage.h>

ContentObject* CAtlasTextureProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	if (!manager || !file)
		return nullptr;
	ContentObject* content = manager->getContentFromFile(ContentTypeTexture, file);
	TextureContent* page = dynamic_cast<TextureContent*>(content);
	if (!page)
	{
		if (content)
			content->drop();
		return nullptr;
	}
	// The whole picture, placed exactly as a list entry covering it would be.
	const irr::core::dimension2du picture = page->getPictureSize();
	const irr::core::recti pixels(0, 0, static_cast<irr::s32>(picture.Width), static_cast<irr::s32>(picture.Height));
	AtlasTexture* frame = new AtlasTexture(reference, page, AtlasTexture::pixelsToTextureRect(page, pixels),
		irr::core::vector2df(0, 0), irr::core::vector2df(0, 0));
	page->drop();
	getLogger()->log("Loaded atlas texture", file->getFileName().c_str(), 0);
	return frame;
}

bool CAtlasTextureProcessor::save(CContentManager*, ContentObject*, IWriteFile*, void*)
{
	return false;
}
