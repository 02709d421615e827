#pragma once

#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"

#include <irrlicht/dimension2d.h>
#include <irrlicht/irrString.h>
#include <vector>

namespace irr
{
namespace video
{
class ITexture;
class IVideoDriver;
} // namespace video
} // namespace irr

class CTexture;
class ImageContent;

// A page texture made over several calls, for a caller that spreads the upload of a large picture over
// frames. On OpenGL the library's texture is made from a single pixel and its storage then filled a band of
// rows a call straight through OpenGL (the library's own creation copies the whole picture and uploads it in
// one go); the texture is handed out only once it is whole. Other drivers, and pictures other than packed
// 32-bit or 24-bit ones or that need padding, get the whole texture made the usual way by the first call.
class CTextureUpload : public ReferenceCounted
{
public:
	// Keeps a reference of picture until the texture is whole.
	CTextureUpload(irr::video::IVideoDriver* driver, ImageContent* picture, const irr::core::stringc& name);
	~CTextureUpload() override;
	CTextureUpload(const CTextureUpload&) = delete;
	CTextureUpload& operator=(const CTextureUpload&) = delete;

	// Does the next share of the work, about bandBytes of pixels; true once the texture is whole (or could not
	// be made).
	bool uploadPart(size_t bandBytes);
	bool isDone() const { return done; }
	// The whole texture, with a new reference; null before, or when the driver could not make it.
	CTexture* takeTexture();
	const irr::core::dimension2du& getPictureSize() const { return pictureSize; }

private:
	bool begin();
	void finish(CTexture* made);

	irr::video::IVideoDriver* driver;
	SmartPointer<ImageContent> picture;
	irr::core::stringc name;
	irr::core::dimension2du pictureSize;
	irr::video::ITexture* deviceTexture = nullptr; // one reference while the bands are uploaded
	unsigned glName = 0;
	irr::u32 rowsDone = 0;
	std::vector<irr::u8> alpha;
	std::vector<irr::u8> converted; // a band of a 24-bit picture made 32-bit
	CTexture* texture = nullptr;    // one reference once whole
	bool started = false;
	bool done = false;
};
