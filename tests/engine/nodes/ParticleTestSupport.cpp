#include "ParticleTestSupport.h"

#include "content/CContentProcessorsManager.h"
#include "content/CFileSystem.h"
#include "content/CTexture.h"
#include "content/TextureContent.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <irrlicht/irrlicht.h>
#include <unistd.h>

TestSceneServices::TestSceneServices() : scheduler(new TaskScheduler()), templates(new TemplateCollectionNode()) {}

TestSceneServices::~TestSceneServices() = default;

void TestSceneServices::tick(int count, unsigned ms)
{
	for (int i = 0; i < count; ++i)
		scheduler->update(ms);
}

TestContent::TestContent()
    : fileSystem(new CFileSystem()), processors(new CContentProcessorsManager(nullptr, nullptr, fileSystem, nullptr)),
      manager(new CContentManager(nullptr, fileSystem, processors))
{
	char pattern[] = "/tmp/particle-test-XXXXXX";
	const char* made = mkdtemp(pattern);
	folder = made ? made : "/tmp";
}

TestContent::~TestContent()
{
	manager->releaseAllContent();
	manager->drop();
	processors->drop();
	fileSystem->drop();
	const std::string command = "rm -rf '" + folder + "'";
	if (folder != "/tmp" && std::system(command.c_str()) != 0)
		std::perror("rm");
}

ContentObject* TestContent::loadCollection(const std::string& xml, const char* fileName)
{
	const std::string path = folder + "/" + fileName;
	std::ofstream(path, std::ios::binary) << xml;
	return manager->getContent(ContentTypeParticleCollection, path.c_str(), false);
}

TestFrames::TestFrames()
{
	irr::SIrrlichtCreationParameters parameters;
	parameters.DriverType = irr::video::EDT_NULL;
	parameters.LoggingLevel = irr::ELL_NONE;
	device = irr::createDeviceEx(parameters);
}

TestFrames::~TestFrames()
{
	if (device)
		device->drop();
}

AtlasTexture* TestFrames::makeFrame(irr::u32 width, irr::u32 height, const irr::core::rectf& uv)
{
	irr::video::IVideoDriver* driver = device->getVideoDriver();
	irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
	image->fill(irr::video::SColor(0xFFFFFFFF));
	irr::video::ITexture* texture = driver->addTexture("particle page", image);
	SmartPointer<CTexture> pageTexture(new CTexture(texture, image));
	image->drop();
	SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "particle page", pageTexture.get()));
	return new AtlasTexture(ContentRef(), page.get(), uv, irr::core::vector2df(0, 0), irr::core::vector2df(0, 0));
}

Particle restingParticle(float x, float y, int life)
{
	Particle p{};
	p.x = x;
	p.y = y;
	p.scale = 1.0f;
	p.red = p.green = p.blue = p.alpha = 1.0f;
	p.life = life;
	return p;
}
