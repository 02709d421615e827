#include "audio/ISound.h"
#include "content/AtlasTexture.h"
#include "content/CFont.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/CPropertyDataFont.h"
#include "core/CPropertyDataRect.h"
#include "core/CPropertyDataSound.h"
#include "core/CPropertyDataStringWArray.h"
#include "core/PropertyMakers.h"
#include "scene/IPropertyOwner.h"
#include "scene/PropertyAccessors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using irr::core::stringc;
using irr::core::stringw;

namespace
{
class BareFont : public CFont
{
public:
	BareFont() : CFont(ContentRef()) {}
	void load(IXMLReader*) override {}
};

// One field of every value kind, and a label reached through accessors that take a C string.
class Sample : public IPropertyOwner
{
public:
	const PropertyTable& propertyTable() const override
	{
		static const PropertyTable table = appendPropertyDescriptors(
		    rootPropertyTable(),
		    {
		        fieldProperty<&Sample::flag>("Flag"),
		        fieldProperty<&Sample::count>("Count"),
		        fieldProperty<&Sample::weight>("Weight"),
		        fieldProperty<&Sample::tint>("Tint"),
		        fieldProperty<&Sample::size>("Size"),
		        fieldProperty<&Sample::position>("Position"),
		        fieldProperty<&Sample::area>("Area"),
		        fieldProperty<&Sample::text>("Text"),
		        fieldProperty<&Sample::wideText>("WideText"),
		        fieldProperty<&Sample::lines>("Lines"),
		        fieldProperty<&Sample::name>("Name"),
		        fieldProperty<&Sample::frame>("Frame"),
		        fieldProperty<&Sample::font>("Font"),
		        fieldProperty<&Sample::sound>("Sound"),
		        accessorProperty<&Sample::setLabel, &Sample::getLabel>("Label"),
		    });
		return table;
	}

	void setLabel(const char* value) { label = value; }
	const char* getLabel() const { return label.c_str(); }

	bool flag = false;
	int count = 0;
	float weight = 0.0f;
	irr::video::SColor tint{0};
	irr::core::vector2df size;
	irr::core::vector3df position;
	irr::core::rectf area{0.0f, 0.0f, 0.0f, 0.0f};
	stringc text;
	stringw wideText;
	irr::core::array<stringw> lines;
	StringId name;
	AtlasTexture* frame = nullptr;
	CFont* font = nullptr;
	ISound* sound = nullptr;
	stringc label;
};

irr::core::array<stringw> twoLines()
{
	irr::core::array<stringw> lines;
	lines.push_back(L"one");
	lines.push_back(L"two");
	return lines;
}
} // namespace

// Each kind hands back what it was given, as a value of its own type; a value of another type or
// none at all reads as zero (text kinds read the text of any value).
TEST(PropertyAccessors, EachKindKeepsItsValueAndReadsOthersAsZero)
{
	SmartPointer<AtlasTexture> frame(new AtlasTexture(ContentRef(), nullptr, {0, 0, 1, 1}, {0, 0}, {0, 0}));
	SmartPointer<CFont> font(new BareFont);
	struct Case
	{
		const char* name;
		SmartPointer<IPropertyData> value;
		int typeId;
		SmartPointer<IPropertyData> other; // a value of another type
		std::string otherText;             // the text the owner then holds
	};
	const std::vector<Case> cases = {
	    {"Flag", makeBoolValue(true), PROPERTY_BOOL, makeIntValue(1), "false"},
	    {"Count", makeIntValue(-7), PROPERTY_INT, makeFloatValue(3.0f), "0"},
	    {"Weight", makeFloatValue(2.5f), PROPERTY_FLOAT, makeIntValue(2), makeFloatValue(0.0f)->toString().c_str()},
	    {"Tint", makeColorValue(irr::video::SColor(0x80FF0000)), PROPERTY_COLOR, makeIntValue(5), "00000000"},
	    {"Size", makeVector2dValue({3, 4}), PROPERTY_VECTOR2D, makeVector3dValue({3, 4, 5}),
	     makeVector2dValue({0, 0})->toString().c_str()},
	    {"Position", makeVector3dValue({1, 2, 3}), PROPERTY_VECTOR3D, makeVector2dValue({1, 2}),
	     makeVector3dValue({0, 0, 0})->toString().c_str()},
	    {"Area", new CPropertyDataRect({1, 2, 3, 4}), PROPERTY_RECT, makeVector2dValue({1, 2}),
	     CPropertyDataRect().toString().c_str()},
	    {"Text", makeStringValue("abc"), PROPERTY_STRING, makeIntValue(12), "12"},
	    {"WideText", makeStringWProperty(L"wide"), PROPERTY_STRINGW, makeIntValue(12), "12"},
	    {"Lines", new CPropertyDataStringWArray(twoLines()), PROPERTY_STRINGW_ARRAY, makeStringValue("one"),
	     CPropertyDataStringWArray(irr::core::array<stringw>()).toString().c_str()},
	    {"Name", makeStringValue("hero"), PROPERTY_STRING, makeIntValue(3), "3"},
	    {"Frame", makeAtlasTextureProperty(frame.get()), PROPERTY_ATLAS_TEXTURE, makeStringValue("x"), ""},
	    {"Font", new CPropertyDataFont(font.get()), PROPERTY_FONT, makeAtlasTextureProperty(frame.get()), ""},
	    {"Sound", new CPropertyDataSound(static_cast<ISound*>(nullptr)), PROPERTY_SOUND, makeStringValue("x"), ""},
	    {"Label", makeStringValue("tag"), PROPERTY_STRING, makeBoolValue(true), "true"},
	};
	Sample sample;
	ASSERT_EQ(sample.propertyTable().size(), cases.size());
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		ASSERT_TRUE(sample.setPropertyByName(c.name, c.value));
		SmartPointer<IPropertyData> got = sample.getPropertyByName(c.name);
		ASSERT_TRUE(got);
		EXPECT_EQ(got->typeId(), c.typeId);
		EXPECT_TRUE(got->equals(*c.value));

		ASSERT_TRUE(sample.setPropertyByName(c.name, c.other));
		EXPECT_EQ(std::string(sample.getPropertyByName(c.name)->toString().c_str()), c.otherText);
		ASSERT_TRUE(sample.setPropertyByName(c.name, SmartPointer<IPropertyData>()));
		EXPECT_EQ(sample.getPropertyByName(c.name)->typeId(), c.typeId);
	}
	EXPECT_EQ(sample.frame, nullptr);
	EXPECT_EQ(sample.font, nullptr);
	EXPECT_TRUE(sample.lines.empty());
}

// Empty text and a missing value are no name; any other text is interned.
TEST(PropertyAccessors, NamesFromText)
{
	Sample sample;
	ASSERT_TRUE(sample.setPropertyByName("Name", makeStringValue("hero")));
	EXPECT_EQ(sample.name, internStringId("hero"));
	ASSERT_TRUE(sample.setPropertyByName("Name", makeStringValue("")));
	EXPECT_TRUE(sample.name.isEmpty());
	ASSERT_TRUE(sample.setPropertyByName("Name", makeIntValue(4)));
	EXPECT_EQ(sample.name, internStringId("4"));
	ASSERT_TRUE(sample.setPropertyByName("Name", SmartPointer<IPropertyData>()));
	EXPECT_TRUE(sample.name.isEmpty());
}
