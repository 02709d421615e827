#include "AtlasTestSupport.h"

#include "content/CFont.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/CPropertyDataFont.h"
#include "core/CPropertyDataSound.h"
#include "core/PropertyTypeRegistry.h"

#include <sstream>

namespace
{

// Frames anim/Walk0001.png .. Walk0005.png, anim/Run00001.png .. Run00005.png, Icon.png and Button.png.
class ContentPropertyValuesTest : public NullDriverTest
{
protected:
	void SetUp() override
	{
		content.writePng("anim/page.png", 16, 16, quadrantPixel);
		std::ostringstream list;
		list << "<AtlasTextureCollection><t f=\"page.png\"/>";
		for (int i = 1; i <= 5; ++i)
		{
			list << "<a n=\"anim/Walk000" << i << ".png\" r=\"0,0," << i << ",1\"/>";
			list << "<a n=\"anim/Run0000" << i << ".png\" r=\"0,0," << i << ",2\"/>";
		}
		list << "<a n=\"Icon.png\" r=\"0,0,1,1\"/><a n=\"Button.png\" r=\"0,0,2,2\"/></AtlasTextureCollection>";
		content.write("anim/list.xml", list.str());
		frames = content.list("anim/list.xml");
		ASSERT_TRUE(frames);
		ASSERT_EQ(frames->getFrameCount(), 12u);
	}

	SmartPointer<CPropertyDataAtlasTexture> atlasValue(const char* name)
	{
		SmartPointer<CPropertyDataAtlasTexture> value(new CPropertyDataAtlasTexture(content.manager));
		value->fromString(name);
		return value;
	}

	SmartPointer<AtlasTextureCollection> frames;
};

TEST_F(ContentPropertyValuesTest, AtlasValueReadsAndWritesFrameNames)
{
	SmartPointer<CPropertyDataAtlasTexture> value = atlasValue("anim/Walk0002.png");
	ASSERT_TRUE(value->getAtlasTexture());
	EXPECT_EQ(value->getAtlasTexture(), frames->getFrame(2));
	EXPECT_STREQ(value->toString().c_str(), "anim/Walk0002.png");
	EXPECT_EQ(value->toStringW(), irr::core::stringw(L"anim/Walk0002.png"));

	// Empty text keeps the frame; an unknown name leaves none.
	value->fromString("");
	EXPECT_EQ(value->getAtlasTexture(), frames->getFrame(2));
	value->fromString("anim/Nothing.png");
	EXPECT_EQ(value->getAtlasTexture(), nullptr);
	EXPECT_STREQ(value->toString().c_str(), "");
	EXPECT_EQ(value->getContentManager(), content.manager);

	// Written while a file is on top of the folder stack: relative to that file.
	SmartPointer<IPropertyData> frame = makeAtlasTextureProperty(frames->getFrame(0));
	content.manager->pushFolder("anim/scene.xml");
	EXPECT_STREQ(frame->toString().c_str(), "Walk0001.png");
	// And read relative to it.
	SmartPointer<CPropertyDataAtlasTexture> relative(new CPropertyDataAtlasTexture(content.manager));
	relative->fromString("Walk0003.png");
	EXPECT_EQ(relative->getAtlasTexture(), frames->getFrame(4));
	content.manager->popFolder();
}

TEST_F(ContentPropertyValuesTest, ValuesWithoutContentManagerIgnoreText)
{
	SmartPointer<IPropertyData> values[] = {PropertyTypeRegistry::instance()->create(L"atlasTexture", nullptr),
		PropertyTypeRegistry::instance()->create(L"font", nullptr),
		PropertyTypeRegistry::instance()->create(L"sound", nullptr)};
	for (const SmartPointer<IPropertyData>& value : values)
	{
		ASSERT_TRUE(value);
		value->fromString("anim/Walk0001.png");
		EXPECT_STREQ(value->toString().c_str(), "");
		EXPECT_TRUE(value->equals(*value->clone()));
	}
}

TEST_F(ContentPropertyValuesTest, EqualityIsIdentityAndClonesShareTheObject)
{
	SmartPointer<CPropertyDataAtlasTexture> a = atlasValue("anim/Walk0001.png");
	SmartPointer<CPropertyDataAtlasTexture> b = atlasValue("anim/Walk0001.png");
	SmartPointer<CPropertyDataAtlasTexture> c = atlasValue("Icon.png");
	EXPECT_TRUE(a->equals(*b));
	EXPECT_FALSE(a->equals(*c));
	EXPECT_TRUE(CPropertyDataAtlasTexture().equals(CPropertyDataAtlasTexture()));
	EXPECT_FALSE(CPropertyDataAtlasTexture().equals(CPropertyDataFont()));

	const int before = frames->getFrame(0)->getReferenceCount();
	SmartPointer<IPropertyData> copy = a->clone();
	EXPECT_TRUE(copy->equals(*a));
	EXPECT_EQ(frames->getFrame(0)->getReferenceCount(), before + 1);
	copy = nullptr;
	EXPECT_EQ(frames->getFrame(0)->getReferenceCount(), before);

	// An empty value keeps its content manager in the copy, so the copy can still read names.
	SmartPointer<IPropertyData> emptyFont = CPropertyDataFont(content.manager).clone();
	EXPECT_EQ(static_cast<CPropertyDataFont*>(emptyFont.get())->getContentManager(), content.manager);
}

struct StepCase
{
	const char* from;
	const char* to;
	float t;
	const char* shown; // null: no frame
};

TEST_F(ContentPropertyValuesTest, InterpolationStepsThroughNumberedFrames)
{
	const StepCase cases[] = {
		{"anim/Walk0001.png", "anim/Walk0005.png", 0.0f, "anim/Walk0001.png"},
		{"anim/Walk0001.png", "anim/Walk0005.png", 0.6f, "anim/Walk0003.png"},
		{"anim/Walk0001.png", "anim/Walk0005.png", 0.99f, "anim/Walk0004.png"},
		{"anim/Walk0001.png", "anim/Walk0005.png", 1.0f, "anim/Walk0005.png"},
		{"anim/Walk0005.png", "anim/Walk0001.png", 0.6f, "anim/Walk0003.png"},
		{"anim/Walk0005.png", "anim/Walk0001.png", 0.3f, "anim/Walk0004.png"},
		// Five-digit names are rebuilt with four digits: the steps find nothing.
		{"anim/Run00001.png", "anim/Run00005.png", 0.6f, nullptr},
		{"anim/Run00001.png", "anim/Run00005.png", 1.0f, "anim/Run00005.png"},
		{"Icon.png", "Button.png", 0.9f, "Icon.png"},
		{"Icon.png", "Button.png", 1.0f, "Button.png"},
		{"anim/Walk0001.png", "anim/Walk0005.png", -100000.0f, nullptr},
	};
	for (bool prepared : {true, false})
		for (const StepCase& c : cases)
		{
			SmartPointer<CPropertyDataAtlasTexture> from = atlasValue(c.from);
			SmartPointer<CPropertyDataAtlasTexture> to = atlasValue(c.to);
			if (prepared)
				from->prepareInterpolation(*to);
			CPropertyDataAtlasTexture out(content.manager);
			out.setAtlasTexture(frames->getFrame(5)); // Run00003.png, never a result
			EXPECT_TRUE(from->interpolate(*to, out, c.t)) << c.from << " " << c.t;
			EXPECT_STREQ(out.getContentName().c_str(), c.shown ? c.shown : "") << c.from << " " << c.t;
			EXPECT_FALSE(from->interpolate(*to, out, c.t)) << "unchanged the second time";
		}
}

TEST_F(ContentPropertyValuesTest, PrepareCachesTheFramesBetween)
{
	SmartPointer<CPropertyDataAtlasTexture> from = atlasValue("anim/Walk0004.png");
	SmartPointer<CPropertyDataAtlasTexture> to = atlasValue("anim/Walk0002.png");
	from->prepareInterpolation(*to);
	ASSERT_EQ(from->getFrameCacheCount(), 3u);
	EXPECT_STREQ(from->getCachedFrame(1)->getContentRef().getName().c_str(), "anim/Walk0003.png");
	SmartPointer<IPropertyData> copy = from->clone();
	EXPECT_EQ(static_cast<CPropertyDataAtlasTexture*>(copy.get())->getFrameCacheCount(), 3u);

	SmartPointer<CPropertyDataAtlasTexture> icon = atlasValue("Icon.png");
	from->prepareInterpolation(*icon);
	EXPECT_EQ(from->getFrameCacheCount(), 0u);
}

TEST_F(ContentPropertyValuesTest, FontValueLooksUpFontsAndClearsOnEmptyText)
{
	content.writePng("fonts/page.png", 8, 8, quadrantPixel);
	content.write("fonts/main.qfnt", "<Font Type=\"Bitmap\"><Texture Filename=\"page.png\"/><c c=\"A\" r=\"0,0,4,4\"/></Font>");
	CPropertyDataFont value(content.manager);
	value.fromString(content.path("fonts/main.qfnt").c_str());
	ASSERT_TRUE(value.getFont());
	EXPECT_EQ(value.getFont()->getGlyphCount(), 1u);
	EXPECT_EQ(value.toString(), content.manager->getRelativePath(content.path("fonts/main.qfnt").c_str()));

	CPropertyDataFont other(content.manager);
	EXPECT_TRUE(value.interpolate(other, other, 0.5f));
	EXPECT_EQ(other.getFont(), value.getFont());
	CPropertyDataFont none(content.manager);
	EXPECT_TRUE(value.interpolate(none, other, 1.0f));
	EXPECT_EQ(other.getFont(), nullptr);

	value.fromString("");
	EXPECT_EQ(value.getFont(), nullptr);

	// A value read inside a collection from XML gets the collection's content manager.
	CPropertyDataSound sound(content.manager);
	sound.fromString("no/such.wav");
	EXPECT_EQ(sound.getSound(), nullptr);
}

} // namespace
