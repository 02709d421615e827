#pragma once

#include "MemoryFiles.h"
#include "content/CImageLoaderManager.h"
#include "content/IWriteFile.h"
#include "content/ImageContent.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <irrlicht/irrlicht.h>
#include <string>

// Growable in-memory file with a chosen name, for the image writers.
class NamedWriteFile : public IWriteFile
{
public:
	explicit NamedWriteFile(const char* fileName) : name(fileName) {}
	irr::s32 write(const void* buffer, irr::u32 size) override
	{
		if (position + size > bytes.size())
			bytes.resize(position + size);
		bytes.replace(position, size, static_cast<const char*>(buffer), size);
		position += size;
		return static_cast<irr::s32>(size);
	}
	bool seek(long finalPos, bool relative) override
	{
		const long target = relative ? static_cast<long>(position) + finalPos : finalPos;
		if (target < 0 || target > static_cast<long>(bytes.size()))
			return false;
		position = static_cast<size_t>(target);
		return true;
	}
	long getPos() const override { return static_cast<long>(position); }
	const irr::core::stringc& getFileName() const override { return name; }

	std::string bytes;

private:
	size_t position = 0;
	irr::core::stringc name;
};

using PixelFunction = std::function<irr::u32(irr::u32 x, irr::u32 y)>;

// An uncompressed 32-bit TGA (top-left origin) whose pixels are given as ARGB words.
inline std::string makeTga32(irr::u32 width, irr::u32 height, const PixelFunction& argb)
{
	std::string out(18, '\0');
	out[2] = 2;
	out[12] = static_cast<char>(width & 0xFF);
	out[13] = static_cast<char>(width >> 8);
	out[14] = static_cast<char>(height & 0xFF);
	out[15] = static_cast<char>(height >> 8);
	out[16] = 32;
	out[17] = 0x28;
	for (irr::u32 y = 0; y < height; ++y)
		for (irr::u32 x = 0; x < width; ++x)
		{
			const irr::u32 c = argb(x, y);
			out.push_back(static_cast<char>(c & 0xFF));
			out.push_back(static_cast<char>((c >> 8) & 0xFF));
			out.push_back(static_cast<char>((c >> 16) & 0xFF));
			out.push_back(static_cast<char>(c >> 24));
		}
	return out;
}

// Decodes bytes under a file name through the loader registry; null when nothing could load it.
inline ImageContent* decode(const std::string& bytes, const char* name)
{
	TestReadFile file(bytes, name);
	file.grab(); // lives on the stack: the loaders must not be the last to drop it
	return CImageLoaderManager::instance()->createImage(&file, ContentRef());
}

// Encodes an image with the writer chosen by the file name; empty when no writer wrote it.
inline std::string encode(irr::video::IImage* image, const char* name, const int* quality = nullptr)
{
	NamedWriteFile file(name);
	file.grab();
	if (!CImageLoaderManager::instance()->writeImage(image, &file, quality))
		return std::string();
	return file.bytes;
}

// The test picture: 4x2, left half opaque colours, right half transparent or half transparent.
inline irr::u32 fixturePixel(irr::u32 x, irr::u32 y)
{
	static const irr::u32 pixels[2][4] = {{0xFFFF0000, 0xFF00FF00, 0x00000000, 0x80FFFFFF},
	                                      {0xFF0000FF, 0xFFFFFFFF, 0x10203040, 0x00FFFFFF}};
	return pixels[y][x];
}

inline std::string makeFixtureTga()
{
	return makeTga32(4, 2, fixturePixel);
}

// A window with the OpenGL driver, or a skipped test when there is no display or no OpenGL.
// Frames are drawn into a 256x256 render-target texture and read back from it: under Xvfb the
// library's screenshot reads the front buffer, which is black after the swap.
class GlDeviceTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		const char* display = std::getenv("DISPLAY");
		if (!display || !*display)
			GTEST_SKIP() << "no display";
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_OPENGL;
		parameters.WindowSize = irr::core::dimension2du(256, 256);
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
		if (!device)
			GTEST_SKIP() << "no OpenGL driver";
		driver = device->getVideoDriver();
		target = driver->addRenderTargetTexture(irr::core::dimension2du(256, 256), "#screen", irr::video::ECF_A8R8G8B8);
		if (!target)
			GTEST_SKIP() << "no render targets";
	}
	void TearDown() override
	{
		if (device)
		{
			device->closeDevice();
			device->run();
			device->drop();
		}
	}

	// Starts a frame drawn into the render target, cleared to opaque black.
	bool beginFrame()
	{
		return driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)) &&
		       driver->setRenderTarget(target, true, true, irr::video::SColor(255, 0, 0, 0));
	}
	void endFrame()
	{
		driver->setRenderTarget(nullptr);
		driver->endScene();
	}

	// ARGB of a pixel of the last frame (y down).
	irr::u32 screenPixel(irr::u32 x, irr::u32 y)
	{
		const irr::u32* pixels = static_cast<const irr::u32*>(target->lock(irr::video::ETLM_READ_ONLY));
		if (!pixels)
			return 0xDEADBEEF;
		const irr::u32 color = pixels[y * (target->getPitch() / 4) + x];
		target->unlock();
		return color;
	}

	irr::IrrlichtDevice* device = nullptr;
	irr::video::IVideoDriver* driver = nullptr;
	irr::video::ITexture* target = nullptr;
};

// Channels of two ARGB words differ by at most tolerance (alpha ignored).
inline ::testing::AssertionResult colorNear(irr::u32 actual, irr::u32 expected, int tolerance)
{
	for (int shift = 0; shift < 24; shift += 8)
	{
		const int a = static_cast<int>((actual >> shift) & 0xFF);
		const int e = static_cast<int>((expected >> shift) & 0xFF);
		if (std::abs(a - e) > tolerance)
		{
			char text[64];
			std::snprintf(text, sizeof(text), "%08x is not near %06x", actual, expected);
			return ::testing::AssertionFailure() << text;
		}
	}
	return ::testing::AssertionSuccess();
}
