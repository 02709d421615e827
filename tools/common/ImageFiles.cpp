#include "ImageFiles.h"

#include <irrlicht/irrlicht.h>

ImageFiles::ImageFiles()
{
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_NULL;
	parameters.LoggingLevel = irr::ELL_NONE;
	device = irr::createDeviceEx(parameters);
}

ImageFiles::~ImageFiles()
{
	if (device)
		device->drop();
}

irr::video::IImage* ImageFiles::load(const std::string& path) const
{
	if (!device)
		return nullptr;
	irr::video::IVideoDriver* driver = device->getVideoDriver();
	irr::video::IImage* loaded = driver->createImageFromFile(path.c_str());
	if (!loaded || loaded->getColorFormat() == irr::video::ECF_A8R8G8B8)
		return loaded;
	irr::video::IImage* converted = driver->createImage(irr::video::ECF_A8R8G8B8, loaded->getDimension());
	loaded->copyTo(converted);
	loaded->drop();
	return converted;
}

irr::video::IImage* ImageFiles::create(irr::u32 width, irr::u32 height) const
{
	if (!device)
		return nullptr;
	irr::video::IImage* image =
	    device->getVideoDriver()->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
	image->fill(irr::video::SColor(0, 0, 0, 0));
	return image;
}

bool ImageFiles::save(irr::video::IImage* image, const std::string& path) const
{
	return device && image && device->getVideoDriver()->writeImageToFile(image, path.c_str());
}
