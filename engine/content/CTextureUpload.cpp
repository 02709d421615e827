#include "CTextureUpload.h"

#include "content/CTexture.h"
#include "content/CTextureProcessor.h"
#include "content/ImageContent.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <algorithm>
#include <irrlicht/IImage.h>
#include <irrlicht/ITexture.h>
#include <irrlicht/IVideoDriver.h>
#include <utility>

namespace
{
// The pixel-store state a band sets, and the texture bound before it: both put back after the band, so the
// library finds the state it left.
class BandState
{
public:
	BandState()
	{
		glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
		glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
		glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
		glGetIntegerv(GL_UNPACK_SKIP_ROWS, &skipRows);
		glGetIntegerv(GL_UNPACK_SKIP_PIXELS, &skipPixels);
		glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
		glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
		glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
		glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
	}
	~BandState()
	{
		glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
		glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
		glPixelStorei(GL_UNPACK_SKIP_ROWS, skipRows);
		glPixelStorei(GL_UNPACK_SKIP_PIXELS, skipPixels);
		glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
	}
	BandState(const BandState&) = delete;
	BandState& operator=(const BandState&) = delete;

private:
	GLint bound = 0;
	GLint alignment = 4;
	GLint rowLength = 0;
	GLint skipRows = 0;
	GLint skipPixels = 0;
};

// Reads away the errors earlier calls left, so that a check after a call sees only its own.
void clearGLErrors()
{
	for (int i = 0; i < 16; ++i)
		if (glGetError() == GL_NO_ERROR)
			return;
}
} // namespace

CTextureUpload::CTextureUpload(irr::video::IVideoDriver* videoDriver, ImageContent* image,
                               const irr::core::stringc& textureName)
    : driver(videoDriver), picture(shareRef(image)), name(textureName)
{
	if (picture && picture->getImage())
		pictureSize = picture->getImage()->getDimension();
}

CTextureUpload::~CTextureUpload()
{
	if (deviceTexture)
		deviceTexture->drop();
	if (texture)
		texture->drop();
}

CTexture* CTextureUpload::takeTexture()
{
	CTexture* result = done ? texture : nullptr;
	if (result)
		result->grab();
	return result;
}

void CTextureUpload::finish(CTexture* made)
{
	texture = made;
	done = true;
	picture = nullptr;
	alpha.clear();
	converted.clear();
	converted.shrink_to_fit();
	if (deviceTexture)
		deviceTexture->drop();
	deviceTexture = nullptr;
}

bool CTextureUpload::begin()
{
	irr::video::IImage* image = picture ? picture->getImage() : nullptr;
	if (!driver || !image)
	{
		finish(nullptr);
		return false;
	}
	const irr::video::ECOLOR_FORMAT format = image->getColorFormat();
	const bool packed = (format == irr::video::ECF_A8R8G8B8 && image->getPitch() == pictureSize.Width * 4) ||
	                    (format == irr::video::ECF_R8G8B8 && image->getPitch() == pictureSize.Width * 3);
	// The creation flags that make the library's texture another format than 32-bit with alpha.
	const bool fullColour = !driver->getTextureCreationFlag(irr::video::ETCF_ALWAYS_16_BIT) &&
	                        !driver->getTextureCreationFlag(irr::video::ETCF_OPTIMIZED_FOR_SPEED) &&
	                        !driver->getTextureCreationFlag(irr::video::ETCF_NO_ALPHA_CHANNEL);
	const bool banded =
	    driver->getDriverType() == irr::video::EDT_OPENGL && glXGetCurrentContext() && packed && fullColour &&
	    pictureSize.Width > 0 && pictureSize.Height > 0 &&
	    CTextureProcessor::pageTextureSize(driver, pictureSize, irr::core::dimension2du(0, 0)) == pictureSize;
	irr::video::IImage* seed =
	    banded ? driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(1, 1)) : nullptr;
	if (seed)
	{
		seed->fill(irr::video::SColor(0, 0, 0, 0));
		clearGLErrors();
		const bool mipMaps = driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
		driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
		deviceTexture = driver->addTexture(name.size() ? name.c_str() : "#texture", seed);
		driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
		seed->drop();
	}
	if (deviceTexture)
	{
		deviceTexture->grab();
		driver->removeTexture(deviceTexture);
		// The library leaves the texture it has just made bound: its name is taken from there, once the bound
		// texture is seen to be the single pixel just made.
		GLint bound = 0;
		GLint width = 0;
		GLint height = 0;
		GLint internalFormat = 0;
		glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
		glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
		glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
		glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internalFormat);
		if (bound > 0 && width == 1 && height == 1 && glGetError() == GL_NO_ERROR)
		{
			glName = static_cast<unsigned>(bound);
			BandState keep;
			glBindTexture(GL_TEXTURE_2D, glName);
			// Storage only: the bands fill it.
			glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, static_cast<GLsizei>(pictureSize.Width),
			             static_cast<GLsizei>(pictureSize.Height), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
			if (glGetError() == GL_NO_ERROR)
			{
				alpha.reserve(static_cast<size_t>(pictureSize.Width) * pictureSize.Height);
				return true;
			}
		}
		deviceTexture->drop();
		deviceTexture = nullptr;
		glName = 0;
	}
	finish(CTextureProcessor::createPageTexture(driver, image, name));
	return false;
}

bool CTextureUpload::uploadPart(size_t bandBytes)
{
	if (done)
		return true;
	if (!started)
	{
		started = true;
		return !begin();
	}
	irr::video::IImage* image = picture->getImage();
	const size_t pitch = image->getPitch();
	const irr::u32 rows = std::min<irr::u32>(pictureSize.Height - rowsDone,
	                                         static_cast<irr::u32>(std::max<size_t>(1, bandBytes / pitch)));
	const irr::u8* pixels = static_cast<const irr::u8*>(image->lock());
	bool failed = !pixels;
	if (pixels)
	{
		const irr::u8* band = pixels + rowsDone * pitch;
		if (image->getColorFormat() == irr::video::ECF_R8G8B8)
		{
			// Made opaque 32-bit as the library makes its texture of such a picture.
			converted.resize(static_cast<size_t>(pictureSize.Width) * rows * 4);
			for (size_t i = 0, n = static_cast<size_t>(pictureSize.Width) * rows; i < n; ++i)
			{
				converted[i * 4] = band[i * 3 + 2];
				converted[i * 4 + 1] = band[i * 3 + 1];
				converted[i * 4 + 2] = band[i * 3];
				converted[i * 4 + 3] = 0xFF;
			}
			band = converted.data();
		}
		clearGLErrors();
		BandState keep;
		glBindTexture(GL_TEXTURE_2D, glName);
		glTexSubImage2D(GL_TEXTURE_2D, 0, 0, static_cast<GLint>(rowsDone), static_cast<GLsizei>(pictureSize.Width),
		                static_cast<GLsizei>(rows), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, band);
		failed = glGetError() != GL_NO_ERROR;
		// The alpha the hit tests read, as CTexture keeps it.
		for (size_t i = 0, n = static_cast<size_t>(pictureSize.Width) * rows; i < n; ++i)
			alpha.push_back(band[i * 4 + 3]);
	}
	image->unlock();
	rowsDone += rows;
	if (failed)
	{
		// The texture as the library makes it, whole, rather than one with missing rows.
		finish(CTextureProcessor::createPageTexture(driver, image, name));
		return true;
	}
	if (rowsDone < pictureSize.Height)
		return false;
	finish(new CTexture(deviceTexture, pictureSize, std::move(alpha)));
	return true;
}
