#include "content/AtlasTexture.h"
#include "content/CTexture.h"
#include "content/CXMLReader.h"
#include "content/TextureContent.h"
#include "effects/GHOHintParticlesNode.h"
#include "effects/GWeatherParticlesNode.h"

#include <cstddef>
#include <cstdint>
#include <irrlicht/irrlicht.h>

namespace
{
// One frame over a page of a null video driver, made once for the whole run and kept reachable.
struct SharedFrame
{
	SharedFrame()
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_NULL;
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		irr::video::IVideoDriver* driver = device->getVideoDriver();
		irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(8, 8));
		irr::video::ITexture* texture = driver->addTexture("fuzz page", image);
		SmartPointer<CTexture> pageTexture(new CTexture(texture, image));
		image->drop();
		SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "fuzz page", pageTexture.get()));
		frame = new AtlasTexture(ContentRef(), page.get(), irr::core::rectf(0.0f, 0.0f, 1.0f, 1.0f),
		                         irr::core::vector2df(0, 0), irr::core::vector2df(0, 0));
	}

	irr::IrrlichtDevice* device = nullptr;
	AtlasTexture* frame = nullptr;
};

AtlasTexture* sharedFrame()
{
	static SharedFrame shared;
	return shared.frame;
}

// Reads the input as the node's particle file, then lets it live for a few steps with a frame.
void exercise(GEffectParticlesNode* node, const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	node->readConfiguration(reader.get());
	node->setAtlasTexture(sharedFrame());
	for (unsigned ms : {500u, 30u, 30u, 1000u, 30u})
		node->run(ms);
	node->setEnabled(false);
	node->run(30);
	node->clearParticles();
}
} // namespace

// The hint and weather particle files: read, emitted, aged and turned into quads.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<GHOHintParticlesNode> hint(new GHOHintParticlesNode());
	exercise(hint.get(), data, size);
	SmartPointer<GWeatherParticlesNode> weather(new GWeatherParticlesNode());
	exercise(weather.get(), data, size);
	return 0;
}
