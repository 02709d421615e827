#include "CImageProcessor.h"

#include "content/CImageLoaderManager.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"
#include "core/ILogger.h"

ContentObject* CImageProcessor::load(CContentManager*, IReadFile* file, const ContentRef& reference)
{
	if (!file)
		return nullptr;
	ImageContent* image = CImageLoaderManager::instance()->createImage(file, reference);
	if (image)
		getLogger()->log("Loaded image", file->getFileName().c_str(), 0);
	else
		getLogger()->log("Can't load image", file->getFileName().c_str(), 1);
	return image;
}

bool CImageProcessor::save(CContentManager*, ContentObject* object, IWriteFile* file, void* saveParameter)
{
	const ImageContent* image = dynamic_cast<const ImageContent*>(object);
	if (!image || !file)
		return false;
	return CImageLoaderManager::instance()->writeImage(image, file, static_cast<const int*>(saveParameter));
}
