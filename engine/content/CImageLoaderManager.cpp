#include "CImageLoaderManager.h"

#include "content/CIrrlichtReadFile.h"
#include "content/CIrrlichtWriteFile.h"
#include "content/CMemoryFile.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "content/ImageContent.h"
#include "core/ILogger.h"

#include <cstring>
#include <irrlicht/IImage.h>
#include <irrlicht/IImageLoader.h>
#include <irrlicht/IImageWriter.h>
#include <strings.h>

// The library's own loader and writer factories: exported, though not in its public headers.
namespace irr
{
namespace video
{
IImageLoader* createImageLoaderBMP();
IImageLoader* createImageLoaderJPG();
IImageLoader* createImageLoaderTGA();
IImageLoader* createImageLoaderPCX();
IImageLoader* createImageLoaderPNG();
IImageLoader* createImageLoaderWAL();
IImageLoader* createImageLoaderPPM();
IImageWriter* createImageWriterBMP();
IImageWriter* createImageWriterJPG();
IImageWriter* createImageWriterTGA();
IImageWriter* createImageWriterPNG();
IImageWriter* createImageWriterPPM();
} // namespace video
} // namespace irr

namespace
{

bool hasExtension(const irr::core::stringc& name, const std::vector<const char*>& extensions)
{
	const irr::s32 dot = name.findLast('.');
	if (dot < 0)
		return false;
	const char* extension = name.c_str() + dot + 1;
	for (const char* candidate : extensions)
		if (strcasecmp(extension, candidate) == 0)
			return true;
	return false;
}

// The library's netpbm loader stores colour pictures with red and blue exchanged.
void exchangeRedAndBlue(irr::video::IImage* image)
{
	const irr::core::dimension2du size = image->getDimension();
	for (irr::u32 y = 0; y < size.Height; ++y)
		for (irr::u32 x = 0; x < size.Width; ++x)
		{
			irr::video::SColor c = image->getPixel(x, y);
			const irr::u32 red = c.getRed();
			c.setRed(c.getBlue());
			c.setBlue(red);
			image->setPixel(x, y, c);
		}
}

} // namespace

CImageLoaderManager::CImageLoaderManager()
{
	using namespace irr::video;
	loaders = {
	    {ImageFileFormat::Bmp, createImageLoaderBMP(), {"bmp"}},
	    {ImageFileFormat::Jpeg, createImageLoaderJPG(), {"jpg"}},
	    {ImageFileFormat::Tga, createImageLoaderTGA(), {"tga"}},
	    {ImageFileFormat::Pcx, createImageLoaderPCX(), {"pcx"}},
	    {ImageFileFormat::Png, createImageLoaderPNG(), {"png"}},
	    {ImageFileFormat::Wal, createImageLoaderWAL(), {"wal"}},
	    {ImageFileFormat::Ppm, createImageLoaderPPM(), {"ppm", "pgm", "pbm"}},
	};
	writers = {
	    {ImageFileFormat::Bmp, createImageWriterBMP(), {"bmp"}},
	    {ImageFileFormat::Jpeg, createImageWriterJPG(), {"jpg", "jpeg"}},
	    {ImageFileFormat::Tga, createImageWriterTGA(), {"tga"}},
	    {ImageFileFormat::Pcx, nullptr, {"pcx"}},
	    {ImageFileFormat::Png, createImageWriterPNG(), {"png"}},
	    {ImageFileFormat::Ppm, createImageWriterPPM(), {"ppm"}},
	};
}

CImageLoaderManager::~CImageLoaderManager()
{
	for (Loader& entry : loaders)
		if (entry.loader)
			entry.loader->drop();
	for (Writer& entry : writers)
		if (entry.writer)
			entry.writer->drop();
	Singleton<CImageLoaderManager>::forget(this);
}

irr::video::IImage* CImageLoaderManager::loadWith(const Loader& entry, IReadFile* file) const
{
	if (!entry.loader || !isImageHeaderSafe(entry.format, file) || !file->seek(0))
		return nullptr;
	irr::video::IImage* image = nullptr;
	if (entry.format == ImageFileFormat::Jpeg)
		image = loadJpeg(entry, file);
	else
	{
		CIrrlichtReadFile adapter(file);
		// The adapter lives on the stack: the loaders never keep the file they read.
		image = entry.loader->loadImage(&adapter);
	}
	if (image && (image->getDimension().Width == 0 || image->getDimension().Height == 0))
	{
		image->drop();
		image = nullptr;
	}
	if (image && entry.format == ImageFileFormat::Ppm)
		exchangeRedAndBlue(image);
	return image;
}

// The library's JPEG source hands the decoder bytes past the end of a cut file; end markers
// appended to a copy make the decoder stop there.
irr::video::IImage* CImageLoaderManager::loadJpeg(const Loader& entry, IReadFile* file) const
{
	static const unsigned char endMarker[2] = {0xFF, 0xD9};
	const long size = file->getSize();
	const long padded = size + 64;
	char* copy = new char[static_cast<size_t>(padded)];
	if (!file->seek(0) || file->read(copy, static_cast<irr::u32>(size)) != static_cast<irr::s32>(size))
	{
		delete[] copy;
		return nullptr;
	}
	for (long i = size; i + 1 < padded; i += 2)
		std::memcpy(copy + i, endMarker, 2);
	CMemoryFile* memory = new CMemoryFile(copy, padded, file->getFileName(), true);
	irr::video::IImage* image = nullptr;
	{
		CIrrlichtReadFile adapter(memory);
		image = entry.loader->loadImage(&adapter);
	}
	memory->drop();
	return image;
}

ImageContent* CImageLoaderManager::createImage(IReadFile* file, const ContentRef& reference)
{
	if (!file)
		return nullptr;
	for (const Loader& entry : loaders)
	{
		if (!hasExtension(file->getFileName(), entry.extensions))
			continue;
		if (irr::video::IImage* image = loadWith(entry, file))
			return new ImageContent(image, reference);
	}
	for (const Loader& entry : loaders)
	{
		if (!entry.loader || entry.format == ImageFileFormat::Wal || !file->seek(0))
			continue;
		CIrrlichtReadFile adapter(file);
		if (!entry.loader->isALoadableFileFormat(&adapter))
			continue;
		if (irr::video::IImage* image = loadWith(entry, file))
			return new ImageContent(image, reference);
	}
	return nullptr;
}

bool CImageLoaderManager::writeImage(irr::video::IImage* image, IWriteFile* file, const int* quality)
{
	if (!image || !file)
		return false;
	const irr::u32 param = quality ? static_cast<irr::u32>(*quality) : 100u;
	for (const Writer& entry : writers)
	{
		if (!hasExtension(file->getFileName(), entry.extensions))
			continue;
		if (!entry.writer)
		{
			getLogger()->log("PCX writer not yet implemented. Image not written.", 1);
			continue;
		}
		CIrrlichtWriteFile adapter(file);
		if (entry.writer->writeImage(&adapter, image, param))
			return true;
	}
	return false;
}

bool CImageLoaderManager::writeImage(const ImageContent* image, IWriteFile* file, const int* quality)
{
	return image && writeImage(image->getImage(), file, quality);
}
