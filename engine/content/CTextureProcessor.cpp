#include "CTextureProcessor.h"

#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "content/CTexture.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"
#include "content/TextureContent.h"
#include "core/DeviceEvents.h"
#include "core/ILogger.h"

#include <irrlicht/IImage.h>
#include <irrlicht/IVideoDriver.h>

#include <algorithm>

namespace
{
irr::u32 nextPowerOfTwo(irr::u32 value)
{
	irr::u32 result = 1;
	while (result < value && result < 0x80000000u)
		result <<= 1;
	return result;
}

// The decoded picture of the file: one prepared ahead, the cached image content, or one decoded now by the
// image processor and left out of the cache (the texture keeps what drawing and hit tests need of it).
ImageContent* decodedPicture(CContentManager* manager, IReadFile* file)
{
	const ContentRef reference(manager, file->getFileName().c_str());
	if (ImageContent* prepared = manager->takePreparedImage(reference))
	{
		getLogger()->log("Loaded image", file->getFileName().c_str(), 0);
		return prepared;
	}
	if (auto* cached = dynamic_cast<ImageContent*>(manager->findCachedContent(ContentTypeImage, reference)))
	{
		cached->grab();
		return cached;
	}
	CContentProcessorsManager* processors = manager->getProcessorsManager();
	IContentProcessor* images = processors ? processors->findProcessor(ContentTypeImage) : nullptr;
	ContentObject* content = images ? images->load(manager, file, reference) : nullptr;
	auto* image = dynamic_cast<ImageContent*>(content);
	if (content && !(image && image->getImage()))
	{
		content->drop();
		return nullptr;
	}
	return image;
}
} // namespace

irr::core::dimension2du CTextureProcessor::pageTextureSize(irr::video::IVideoDriver* driver,
	const irr::core::dimension2du& picture, const irr::core::dimension2du& minimumSize)
{
	irr::core::dimension2du size(std::max(picture.Width, minimumSize.Width), std::max(picture.Height, minimumSize.Height));
	// The software renderers take power-of-two textures whatever they report.
	const irr::video::E_DRIVER_TYPE type = driver ? driver->getDriverType() : irr::video::EDT_NULL;
	const bool powerOfTwo = !driver || !driver->queryFeature(irr::video::EVDF_TEXTURE_NPOT) ||
		type == irr::video::EDT_BURNINGSVIDEO || type == irr::video::EDT_SOFTWARE;
	if (powerOfTwo)
		size = irr::core::dimension2du(nextPowerOfTwo(size.Width), nextPowerOfTwo(size.Height));
	return size;
}

CTexture* CTextureProcessor::createPageTexture(irr::video::IVideoDriver* driver, irr::video::IImage* image,
	const irr::core::stringc& name, const irr::core::dimension2du& minimumSize)
{
	if (!driver || !image)
		return nullptr;
	const irr::core::dimension2du picture = image->getDimension();
	const irr::core::dimension2du size = pageTextureSize(driver, picture, minimumSize);
	if (size == picture)
		return CTexture::createFromImage(driver, image, name);
	irr::video::IImage* padded = driver->createImage(irr::video::ECF_A8R8G8B8, size);
	if (!padded)
		return nullptr;
	padded->fill(irr::video::SColor(0, 0, 0, 0));
	image->copyTo(padded, irr::core::position2di(0, 0));
	CTexture* texture = CTexture::createFromImage(driver, padded, name);
	padded->drop();
	return texture;
}

ContentObject* CTextureProcessor::load(CContentManager* manager, IReadFile* file, const ContentRef& reference)
{
	if (!manager || !file)
		return nullptr;
	irr::core::dimension2du preparedSize;
	if (CTexture* prepared = manager->takePreparedTexture(ContentRef(manager, file->getFileName().c_str()), preparedSize))
	{
		// Made ahead from a picture prepared like the one decodedPicture takes, and logged the same way.
		getLogger()->log("Loaded image", file->getFileName().c_str(), 0);
		TextureContent* result = new TextureContent(reference, file->getFileName(), prepared);
		result->setPictureSize(preparedSize);
		prepared->drop();
		getLogger()->log("Loaded texture", file->getFileName().c_str(), 0);
		return result;
	}
	ImageContent* image = decodedPicture(manager, file);
	if (!image)
		return nullptr;
	const irr::core::dimension2du picture = image->getImage()->getDimension();
	CTexture* texture = createPageTexture(getVideoDriver(), image->getImage(), file->getFileName());
	image->drop();
	if (!texture)
		return nullptr;
	TextureContent* result = new TextureContent(reference, file->getFileName(), texture);
	result->setPictureSize(picture);
	texture->drop();
	getLogger()->log("Loaded texture", file->getFileName().c_str(), 0);
	return result;
}

bool CTextureProcessor::save(CContentManager*, ContentObject*, IWriteFile*, void*)
{
	return false;
}

void CTextureProcessor::processAll(CEvent* event, ContentMap& objects)
{
	if (!event)
		return;
	if (event->typeId() == CEventDeviceReset::TypeId)
	{
		for (auto& entry : objects)
			if (TextureContent* content = dynamic_cast<TextureContent*>(entry.second))
			{
				if (content->getTexture())
					sizesBeforeReset[entry.first] = content->getTexture()->getImageSize();
				content->setTexture(nullptr);
			}
	}
	else if (event->typeId() == CEventDeviceVideoDriverCreated::TypeId)
		recreateTextures(objects);
}

void CTextureProcessor::recreateTextures(ContentMap& objects)
{
	for (auto& entry : objects)
	{
		TextureContent* content = dynamic_cast<TextureContent*>(entry.second);
		CContentManager* manager = content ? content->getContentRef().getContentManager() : nullptr;
		if (!manager)
			continue;
		IFileSystem* files = manager->getFileSystem();
		IReadFile* file = files ? files->createAndOpenFile(content->getImageName()) : nullptr;
		ImageContent* image = file ? decodedPicture(manager, file) : nullptr;
		if (file)
			file->drop();
		if (!image)
			continue;
		auto before = sizesBeforeReset.find(entry.first);
		const irr::core::dimension2du minimum =
			before != sizesBeforeReset.end() ? before->second : irr::core::dimension2du(0, 0);
		CTexture* texture = createPageTexture(getVideoDriver(), image->getImage(), content->getImageName(), minimum);
		image->drop();
		if (texture)
		{
			content->setTexture(texture);
			texture->drop();
		}
	}
	sizesBeforeReset.clear();
}
