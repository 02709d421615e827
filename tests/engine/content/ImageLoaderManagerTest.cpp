#include "ImageTestHelpers.h"
#include "content/CImageProcessor.h"
#include "core/SmartPointer.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace
{

SmartPointer<ImageContent> fixtureImage()
{
	SmartPointer<ImageContent> image(decode(makeFixtureTga(), "fixture.tga"));
	return image;
}

struct RoundTripCase
{
	const char* name;
	bool keepsAlpha;
	int tolerance;
};

class ImageRoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(ImageRoundTrip, WrittenImageLoadsBackWithItsPixels)
{
	const RoundTripCase& c = GetParam();
	SmartPointer<ImageContent> source = fixtureImage();
	ASSERT_TRUE(source);
	const std::string bytes = encode(source->getImage(), c.name);
	ASSERT_FALSE(bytes.empty()) << c.name;

	SmartPointer<ImageContent> loaded(decode(bytes, c.name));
	ASSERT_TRUE(loaded) << c.name;
	irr::video::IImage* image = loaded->getImage();
	ASSERT_EQ(image->getDimension(), irr::core::dimension2du(4, 2));
	EXPECT_EQ(loaded->getContentFlags(), ContentShared);
	EXPECT_EQ(loaded->getContentType(), 0x67616D69u);
	// Lossy JPEG smears a picture this small: only its size is checked.
	for (irr::u32 y = 0; c.tolerance >= 0 && y < 2; ++y)
		for (irr::u32 x = 0; x < 2; ++x)
			EXPECT_TRUE(colorNear(image->getPixel(x, y).color, fixturePixel(x, y), c.tolerance)) << c.name;
	if (c.keepsAlpha)
	{
		EXPECT_EQ(image->getPixel(2, 0).getAlpha(), 0u);
		EXPECT_EQ(image->getPixel(0, 0).getAlpha(), 255u);
	}
}

INSTANTIATE_TEST_SUITE_P(Writers, ImageRoundTrip,
                         ::testing::Values(RoundTripCase{"pic.png", true, 0}, RoundTripCase{"pic.tga", true, 0},
                                           RoundTripCase{"pic.bmp", false, 0}, RoundTripCase{"pic.ppm", false, 0},
                                           RoundTripCase{"PIC.JPG", false, -1}, RoundTripCase{"pic.jpeg", false, -1}),
                         [](const ::testing::TestParamInfo<RoundTripCase>& info)
                         {
	                         std::string name = info.param.name;
	                         for (char& ch : name)
		                         if (ch == '.')
			                         ch = '_';
	                         return name;
                         });

TEST(CImageLoaderManager, NetpbmColoursKeepTheirChannels)
{
	SmartPointer<ImageContent> red(decode(std::string("P6\n1 1\n255\n\xff\x00\x00", 14), "red.ppm"));
	ASSERT_TRUE(red);
	EXPECT_EQ(red->getImage()->getPixel(0, 0).color, 0xFFFF0000u);
}

TEST(CImageLoaderManager, HasSevenLoadersAndSixWriters)
{
	EXPECT_EQ(CImageLoaderManager::instance()->getLoaderCount(), 7u);
	EXPECT_EQ(CImageLoaderManager::instance()->getWriterCount(), 6u);
}

// A name no loader claims (or a wrong one) still loads through the content pass.
TEST(CImageLoaderManager, ContentPassLoadsWhatTheNameDoesNot)
{
	SmartPointer<ImageContent> source = fixtureImage();
	ASSERT_TRUE(source);
	const std::string png = encode(source->getImage(), "a.png");
	const std::string jpeg = encode(source->getImage(), "a.jpg");
	ASSERT_FALSE(png.empty());
	ASSERT_FALSE(jpeg.empty());
	for (const char* name : {"picture.jpeg", "picture.bmp", "picture", "picture.dat"})
	{
		SmartPointer<ImageContent> fromPng(decode(png, name));
		SmartPointer<ImageContent> fromJpeg(decode(jpeg, name));
		EXPECT_TRUE(fromPng) << name;
		EXPECT_TRUE(fromJpeg) << name;
	}
}

TEST(CImageLoaderManager, PcxIsNotWritten)
{
	SmartPointer<ImageContent> source = fixtureImage();
	ASSERT_TRUE(source);
	LogCapture log;
	EXPECT_TRUE(encode(source->getImage(), "shot.pcx").empty());
	EXPECT_TRUE(log.contains("PCX writer not yet implemented. Image not written."));
}

TEST(CImageLoaderManager, NullArgumentsGiveNothing)
{
	EXPECT_EQ(CImageLoaderManager::instance()->createImage(nullptr, ContentRef()), nullptr);
	EXPECT_FALSE(
	    CImageLoaderManager::instance()->writeImage(static_cast<irr::video::IImage*>(nullptr), nullptr, nullptr));
	EXPECT_TRUE(encode(nullptr, "x.png").empty());
}

TEST(CImageLoaderManager, QualityReachesTheJpegWriter)
{
	// A noisy picture, so the quality shows in the file size.
	SmartPointer<ImageContent> noisy(decode(
	    makeTga32(64, 64,
	              [](irr::u32 x, irr::u32 y) { return 0xFF000000u | ((x * 7919u + y * 104729u) * 2654435761u >> 8); }),
	    "noise.tga"));
	ASSERT_TRUE(noisy);
	const int low = 5;
	const std::string small = encode(noisy->getImage(), "q.jpg", &low);
	const std::string full = encode(noisy->getImage(), "q.jpg");
	ASSERT_FALSE(small.empty());
	EXPECT_LT(small.size(), full.size());
}

std::string validPng()
{
	SmartPointer<ImageContent> source = fixtureImage();
	return source ? encode(source->getImage(), "v.png") : std::string();
}

std::string bigEndian32(irr::u32 v)
{
	return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string littleEndian32(irr::u32 v)
{
	return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

// A BMP header claiming width x height at the given bits per pixel, followed by tail bytes of pixel data.
std::string bmpHeader(irr::u32 width, irr::u32 height, irr::u32 compression, size_t tail, char bits = 24)
{
	std::string out = "BM" + littleEndian32(static_cast<irr::u32>(54 + tail)) + littleEndian32(0) + littleEndian32(54) +
	                  littleEndian32(40) + littleEndian32(width) + littleEndian32(height) + std::string("\x01\x00", 2) +
	                  bits + '\0' + littleEndian32(compression) + littleEndian32(0) + std::string(16, '\0');
	return out + std::string(tail, '\x7f');
}

struct BadFileCase
{
	const char* label;
	const char* name;
	std::function<std::string()> bytes;
};

// Files no loader may accept: each gives a null image, and the image processor's warning.
TEST(CImageLoaderManager, DamagedFilesGiveNoImage)
{
	const std::string png = validPng();
	ASSERT_GT(png.size(), 60u);
	const std::string pngSignature = png.substr(0, 16);
	const std::vector<BadFileCase> cases = {
	    {"empty", "e.png", [] { return std::string(); }},
	    {"garbage", "g.png", [] { return std::string(300, '\x5a'); }},
	    {"garbage without name", "garbage", [] { return std::string("\xff\xd8\xff\xe0 not really a jpeg"); }},
	    {"png cut in its header", "t.png", [&] { return png.substr(0, 20); }},
	    {"png cut in its data", "t.png", [&] { return png.substr(0, png.size() / 2); }},
	    {"png claiming 100000 x 100000", "huge.png",
	     [&] { return pngSignature + bigEndian32(100000) + bigEndian32(100000) + png.substr(24); }},
	    {"bmp claiming 60000 x 60000", "huge.bmp", [] { return bmpHeader(60000, 60000, 0, 64); }},
	    {"bmp missing its pixels", "cut.bmp", [] { return bmpHeader(16, 16, 0, 20); }},
	    {"run-length bmp", "rle.bmp", [] { return bmpHeader(16, 16, 1, 2048); }},
	    {"16-bit bmp with padded rows", "odd.bmp", [] { return bmpHeader(1, 18, 0, 81, 16); }},
	    {"tga claiming 65535 x 65535", "huge.tga",
	     [] { return std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\xff\xff\xff\xff\x20\x28", 18) + std::string(64, '\0'); }},
	    {"run-length tga", "rle.tga",
	     [] { return std::string("\0\0\x0a\0\0\0\0\0\0\0\0\0\x02\0\x02\0\x20\x28", 18) + std::string(8, '\xff'); }},
	    {"pcx", "x.pcx", [] { return std::string("\x0a\x05\x01\x08", 4) + std::string(200, '\xc1'); }},
	    {"ppm claiming 99999 x 99999", "huge.ppm",
	     [] { return std::string("P6\n99999 99999\n255\n") + std::string(30, 'x'); }},
	};
	for (const BadFileCase& c : cases)
	{
		SmartPointer<ImageContent> image(decode(c.bytes(), c.name));
		EXPECT_FALSE(image) << c.label;

		LogCapture log;
		CImageProcessor processor;
		SmartPointer<TestReadFile> file(new TestReadFile(c.bytes(), c.name));
		SmartPointer<ContentObject> content(processor.load(nullptr, file.get(), ContentRef()));
		EXPECT_FALSE(content) << c.label;
		EXPECT_TRUE(log.contains("Can't load image", 1)) << c.label;
	}
}

} // namespace
