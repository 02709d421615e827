#pragma once

#include "content/AtlasTexture.h"
#include "content/AtlasTextureCollection.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/IFileSystem.h"
#include "content/TextureContent.h"
#include "core/SmartPointer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>

#include <functional>
#include <string>

// A content manager with the engine's processors over a temporary folder, on a given video driver.
class AtlasContentFixture
{
public:
	explicit AtlasContentFixture(irr::video::IVideoDriver* driver) : videoDriver(driver)
	{
		fileSystem = createFileSystem();
		processors = new CContentProcessorsManager(driver, nullptr, fileSystem, nullptr);
		manager = new CContentManager(driver, fileSystem, processors);
	}
	~AtlasContentFixture()
	{
		manager->drop();
		processors->drop();
		fileSystem->drop();
	}
	AtlasContentFixture(const AtlasContentFixture&) = delete;
	AtlasContentFixture& operator=(const AtlasContentFixture&) = delete;

	std::string path(const std::string& name) const { return dir.file(name); }
	std::string write(const std::string& name, const std::string& text) const { return dir.write(name, text); }

	// A PNG written by the library's image writer; pixel gives the ARGB of each pixel.
	std::string writePng(const std::string& name, irr::u32 width, irr::u32 height,
		const std::function<irr::u32(irr::u32, irr::u32)>& pixel) const
	{
		dir.write(name, "");
		irr::video::IImage* image =
			videoDriver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
		for (irr::u32 y = 0; y < height; ++y)
			for (irr::u32 x = 0; x < width; ++x)
				image->setPixel(x, y, irr::video::SColor(pixel(x, y)));
		const bool written = videoDriver->writeImageToFile(image, path(name).c_str());
		image->drop();
		EXPECT_TRUE(written) << name;
		return path(name);
	}

	// getContent with the caller's reference adopted; null when absent or of another class.
	template <class T> SmartPointer<T> get(ContentType type, const std::string& name)
	{
		ContentObject* content = manager->getContent(type, path(name).c_str(), false);
		T* typed = dynamic_cast<T*>(content);
		if (content && !typed)
			content->drop();
		return SmartPointer<T>(typed);
	}
	SmartPointer<AtlasTexture> frame(const std::string& name)
	{
		return SmartPointer<AtlasTexture>(manager->getAtlasTexture(path(name).c_str(), false));
	}
	SmartPointer<AtlasTextureCollection> list(const std::string& name)
	{
		return get<AtlasTextureCollection>(ContentTypeAtlasTextureCollection, name);
	}

	TempDir dir;
	irr::video::IVideoDriver* videoDriver;
	IFileSystem* fileSystem;
	CContentProcessorsManager* processors;
	CContentManager* manager;
};

// One reference to a library device, dropped after everything declared after it.
struct LibraryDevice
{
	explicit LibraryDevice(irr::video::E_DRIVER_TYPE type) : device(create(type)) {}
	~LibraryDevice() { device->drop(); }
	LibraryDevice(const LibraryDevice&) = delete;
	LibraryDevice& operator=(const LibraryDevice&) = delete;
	irr::video::IVideoDriver* driver() const { return device->getVideoDriver(); }
	irr::IrrlichtDevice* device;

private:
	static irr::IrrlichtDevice* create(irr::video::E_DRIVER_TYPE type)
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = type;
		parameters.LoggingLevel = irr::ELL_NONE;
		return irr::createDeviceEx(parameters);
	}
};

// The library's null driver: no window, textures without pixels, power-of-two sizes.
class NullDriverTest : public ::testing::Test
{
protected:
	NullDriverTest() : content(library.driver()) {}

	LibraryDevice library{irr::video::EDT_NULL};
	AtlasContentFixture content;
};

// Four 8x8 quadrants: red, green / blue, white; the rest of the picture transparent.
inline irr::u32 quadrantPixel(irr::u32 x, irr::u32 y)
{
	if (x >= 16 || y >= 16)
		return 0x00000000;
	static const irr::u32 colours[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF}};
	return colours[y / 8][x / 8];
}
