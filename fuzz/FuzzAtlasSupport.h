#pragma once

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CTexture.h"
#include "content/TextureContent.h"

#include <irrlicht/irrlicht.h>

// Two page textures ("page.png", "second.png") and their whole-page frames on the null driver,
// made once and added to a fresh content manager without files for every input.
class FuzzAtlasPages
{
public:
	static FuzzAtlasPages& instance()
	{
		static FuzzAtlasPages pages;
		return pages;
	}

	// A content manager that knows only the pages: every other name is missing.
	CContentManager* createManager()
	{
		CContentManager* manager = new CContentManager(driver, nullptr, processors);
		for (TextureContent* page : textures)
			manager->addContentAs(ContentRef(manager, page->getImageName().c_str()), page);
		for (TextureContent* page : textures)
		{
			AtlasTexture* frame = new AtlasTexture(ContentRef(manager, page->getImageName().c_str()), page,
				irr::core::rectf(0, 0, 1, 1), irr::core::vector2df(0, 0), irr::core::vector2df(0, 0));
			manager->addContent(frame);
			frame->drop();
		}
		return manager;
	}

private:
	FuzzAtlasPages()
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_NULL;
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		driver = device->getVideoDriver();
		processors = new CContentProcessorsManager(driver, nullptr, nullptr, nullptr);
		const char* names[] = {"page.png", "second.png"};
		for (const char* name : names)
		{
			irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(64, 32));
			image->fill(irr::video::SColor(255, 255, 255, 255));
			CTexture* texture = CTexture::createFromImage(driver, image, name);
			image->drop();
			textures[textureCount++] = new TextureContent(ContentRef(), name, texture);
			if (texture)
				texture->drop();
		}
	}

	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
	CContentProcessorsManager* processors = nullptr;
	TextureContent* textures[2] = {};
	int textureCount = 0;
};
