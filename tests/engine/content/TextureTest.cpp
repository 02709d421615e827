#include "ContentManagerFakes.h"
#include "ImageTestHelpers.h"
#include "content/CTexture.h"
#include "content/TextureContent.h"
#include "core/SmartPointer.h"

#include <gtest/gtest.h>

namespace
{

SmartPointer<ImageContent> fixtureImage()
{
	return SmartPointer<ImageContent>(decode(makeFixtureTga(), "fixture.tga"));
}

struct AlphaCase
{
	irr::u32 x;
	irr::u32 y;
	irr::u32 threshold;
	bool expected;
};

TEST(CTexture, AlphaTestReadsTheKeptPicture)
{
	SmartPointer<ImageContent> image = fixtureImage();
	ASSERT_TRUE(image);
	SmartPointer<CTexture> texture(new CTexture(nullptr, image->getImage()));
	const std::vector<AlphaCase> cases = {
	    {0, 0, 20, true},                                // opaque
	    {2, 0, 20, false},                               // transparent
	    {3, 0, 20, true},                                // alpha 0x80
	    {3, 0, 0x80, false},                             // not greater than the threshold
	    {3, 0, 0x7F, true},         {2, 1, 0x10, false}, // alpha 0x10 equals the threshold
	    {2, 1, 0x0F, true},         {4, 0, 0, false},    // right of the picture
	    {0, 2, 0, false},                                // below it
	    {0xFFFFFFFFu, 0, 0, false},
	};
	for (const AlphaCase& c : cases)
		EXPECT_EQ(texture->alphaTest(c.x, c.y, c.threshold), c.expected) << c.x << "," << c.y << " > " << c.threshold;
}

TEST(CTexture, WithoutPictureNothingIsHit)
{
	SmartPointer<CTexture> texture(new CTexture(nullptr, nullptr));
	EXPECT_FALSE(texture->keepsImage());
	EXPECT_FALSE(texture->alphaTest(0, 0, 0));
	SmartPointer<TextureContent> content(new TextureContent(ContentRef(), "x.png", nullptr));
	EXPECT_FALSE(content->alphaTest(0, 0, 0));
	EXPECT_EQ(content->getDeviceTexture(), nullptr);
}

TEST(TextureContent, HoldsOneReferenceOfItsTexture)
{
	SmartPointer<CTexture> first(new CTexture(nullptr, nullptr));
	SmartPointer<CTexture> second(new CTexture(nullptr, nullptr));
	{
		SmartPointer<TextureContent> content(new TextureContent(ContentRef(), "ui/logo.png", first.get()));
		EXPECT_EQ(content->getContentType(), 0x78657469u);
		EXPECT_EQ(content->getContentFlags(), ContentShared);
		EXPECT_EQ(content->getImageName(), "ui/logo.png");
		EXPECT_EQ(first->getReferenceCount(), 2);
		content->setTexture(second.get());
		EXPECT_EQ(first->getReferenceCount(), 1);
		EXPECT_EQ(second->getReferenceCount(), 2);
		content->setTexture(second.get());
		EXPECT_EQ(second->getReferenceCount(), 2);
		content->setTexture(nullptr);
		EXPECT_EQ(second->getReferenceCount(), 1);
		content->setTexture(first.get());
	}
	EXPECT_EQ(first->getReferenceCount(), 1);
}

using TextureFromFile = GlDeviceTest;

TEST_F(TextureFromFile, OpensThroughTheEngineFileSystem)
{
	SmartPointer<ImageContent> image = fixtureImage();
	ASSERT_TRUE(image);
	SmartPointer<FakeFileSystem> files(new FakeFileSystem);
	files->files["ui/logo.png"] = encode(image->getImage(), "logo.png");
	files->files["ui/broken.png"] = files->files["ui/logo.png"].substr(0, 30);

	SmartPointer<CTexture> texture(CTexture::createFromFile(driver, files.get(), "ui/logo.png"));
	ASSERT_TRUE(texture);
	EXPECT_EQ(files->openCount("ui/logo.png"), 1);
	ASSERT_NE(texture->getDeviceTexture(), nullptr);
	EXPECT_EQ(texture->getDeviceTexture()->getOriginalSize(), irr::core::dimension2du(4, 2));
	EXPECT_TRUE(texture->alphaTest(0, 0, 20));
	EXPECT_FALSE(texture->alphaTest(2, 0, 20));
	// Kept out of the library's cache: the engine reference is the only one.
	EXPECT_EQ(texture->getDeviceTexture()->getReferenceCount(), 1);
	EXPECT_EQ(driver->findTexture("ui/logo.png"), nullptr);

	EXPECT_FALSE(SmartPointer<CTexture>(CTexture::createFromFile(driver, files.get(), "ui/missing.png")));
	EXPECT_FALSE(SmartPointer<CTexture>(CTexture::createFromFile(driver, files.get(), "ui/broken.png")));
	EXPECT_FALSE(SmartPointer<CTexture>(CTexture::createFromFile(nullptr, files.get(), "ui/logo.png")));
}

} // namespace
