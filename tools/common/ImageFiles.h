#pragma once

#include <irrlicht/IImage.h>
#include <string>

namespace irr
{
class IrrlichtDevice;
}

// Reads and writes pictures through the 3-D library's loaders on its null driver (no window needed).
class ImageFiles
{
public:
	ImageFiles();
	~ImageFiles();
	ImageFiles(const ImageFiles&) = delete;
	ImageFiles& operator=(const ImageFiles&) = delete;

	bool isReady() const { return device != nullptr; }
	// The picture as 32-bit ARGB (caller drops it), or null when it cannot be read.
	irr::video::IImage* load(const std::string& path) const;
	// A transparent 32-bit ARGB picture (caller drops it).
	irr::video::IImage* create(irr::u32 width, irr::u32 height) const;
	bool save(irr::video::IImage* image, const std::string& path) const;

private:
	irr::IrrlichtDevice* device = nullptr;
};
