#pragma once

#include "content/ImageHeaderCheck.h"
#include "core/ContentRef.h"
#include "core/Singleton.h"

#include <vector>

namespace irr
{
namespace video
{
class IImage;
class IImageLoader;
class IImageWriter;
} // namespace video
} // namespace irr

class IReadFile;
class IWriteFile;
class ImageContent;

// Process-wide registry of the picture loaders and writers: files to images and back.
class CImageLoaderManager
{
public:
	static CImageLoaderManager* instance() { return Singleton<CImageLoaderManager>::instance(); }

	CImageLoaderManager();
	~CImageLoaderManager();
	CImageLoaderManager(const CImageLoaderManager&) = delete;
	CImageLoaderManager& operator=(const CImageLoaderManager&) = delete;

	// A new image content (one reference for the caller), or null when no loader accepts the file.
	ImageContent* createImage(IReadFile* file, const ContentRef& reference);
	// quality: the writer's quality, 100 when null.
	bool writeImage(irr::video::IImage* image, IWriteFile* file, const int* quality);
	bool writeImage(const ImageContent* image, IWriteFile* file, const int* quality);

	irr::u32 getLoaderCount() const { return static_cast<irr::u32>(loaders.size()); }
	irr::u32 getWriterCount() const { return static_cast<irr::u32>(writers.size()); }

private:
	struct Loader
	{
		ImageFileFormat format;
		irr::video::IImageLoader* loader;
		std::vector<const char*> extensions;
	};
	struct Writer
	{
		ImageFileFormat format;
		irr::video::IImageWriter* writer; // null: the format cannot be written
		std::vector<const char*> extensions;
	};

	irr::video::IImage* loadWith(const Loader& loader, IReadFile* file) const;
	irr::video::IImage* loadJpeg(const Loader& loader, IReadFile* file) const;

	std::vector<Loader> loaders;
	std::vector<Writer> writers;
};
