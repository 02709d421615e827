#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/CPropertyDataBool.h"
#include "core/CPropertyDataColor.h"
#include "core/CPropertyDataColorf.h"
#include "core/CPropertyDataFloat.h"
#include "core/CPropertyDataFont.h"
#include "core/CPropertyDataInt.h"
#include "core/CPropertyDataProperties.h"
#include "core/CPropertyDataRect.h"
#include "core/CPropertyDataString.h"
#include "core/CPropertyDataStringW.h"
#include "core/CPropertyDataStringWArray.h"
#include "core/CPropertyDataVector2d.h"
#include "core/CPropertyDataVector3d.h"
#include "core/PropertyMakers.h"
#include "core/PropertyTypeRegistry.h"

#include <climits>
#include <gtest/gtest.h>

namespace
{
SmartPointer<IPropertyData> create(const wchar_t* typeName)
{
	return PropertyTypeRegistry::instance()->create(typeName, nullptr);
}

TEST(PropertyTypeRegistry, RegistersFifteenTypesInOrder)
{
	const wchar_t* expected[] = {L"bool",         L"int",      L"float",        L"color",  L"colorf",
	                             L"vector2d",     L"vector3d", L"rect",         L"string", L"stringw",
	                             L"stringwArray", L"font",     L"atlasTexture", L"sound",  L"properties"};
	const irr::core::array<irr::core::stringw>& names = PropertyTypeRegistry::instance()->getTypeNames();
	ASSERT_EQ(names.size(), 15u);
	for (irr::u32 i = 0; i < names.size(); ++i)
	{
		EXPECT_STREQ(names[i].c_str(), expected[i]);
		SmartPointer<IPropertyData> value = create(expected[i]);
		ASSERT_TRUE(value);
		EXPECT_EQ(value->typeName(), names[i]);
		EXPECT_EQ(value->getReferenceCount(), 1);
		EXPECT_TRUE(value->isKindOf(value->typeId()));
		EXPECT_TRUE(value->isKindOf(0));
		EXPECT_FALSE(value->isKindOf(value->typeId() % 15 + 1));
	}
}

TEST(PropertyTypeRegistry, NamesAreCaseSensitiveAndFirstRegistrationWins)
{
	EXPECT_FALSE(create(L"Int"));
	EXPECT_FALSE(create(L"integer"));
	PropertyTypeRegistry::instance()->registerType(
	    L"int", [](IContentManager*) -> SmartPointer<IPropertyData> { return new CPropertyDataBool(true); });
	EXPECT_EQ(create(L"int")->typeId(), PROPERTY_INT);
}

TEST(PropertyData, IdsAndClassNames)
{
	struct Case
	{
		const wchar_t* type;
		int id;
		const wchar_t* className;
	} cases[] = {{L"int", 1, L"CPropertyDataInt"},
	             {L"bool", 2, L"CPropertyDataBool"},
	             {L"float", 3, L"CPropertyDataFloat"},
	             {L"color", 4, L"CPropertyDataColor"},
	             {L"colorf", 5, L"CPropertyDataColorf"},
	             {L"vector2d", 6, L"CPropertyDataVector2d"},
	             {L"vector3d", 7, L"CPropertyDataVector3d"},
	             {L"rect", 8, L"CPropertyDataRect"},
	             {L"string", 9, L"CPropertyDataString"},
	             {L"stringw", 10, L"CPropertyDataStringW"},
	             {L"stringwArray", 11, L"CPropertyDataStringWArray"},
	             {L"properties", 12, L"CPropertyDataProperties"},
	             {L"atlasTexture", 13, L"CPropertyDataAtlasTexture"},
	             {L"font", 14, L"CPropertyDataFont"},
	             {L"sound", 15, L"CPropertyDataSound"}};
	for (const Case& c : cases)
	{
		SmartPointer<IPropertyData> value = create(c.type);
		ASSERT_TRUE(value) << c.type;
		EXPECT_EQ(value->typeId(), c.id);
		EXPECT_STREQ(value->className().c_str(), c.className);
	}
}

// Text read by a freshly created value, and the text it gives back.
struct TextCase
{
	const wchar_t* type;
	const char* input;
	const char* output;
};

class PropertyText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(PropertyText, ReadsAndWritesTextForm)
{
	SmartPointer<IPropertyData> value = create(GetParam().type);
	ASSERT_TRUE(value);
	value->fromString(GetParam().input);
	EXPECT_STREQ(value->toString().c_str(), GetParam().output);
	EXPECT_EQ(value->toStringW(), irr::core::stringw(GetParam().output));

	SmartPointer<IPropertyData> wide = create(GetParam().type);
	wide->fromStringW(irr::core::stringw(GetParam().input));
	EXPECT_TRUE(wide->equals(*value));
}

INSTANTIATE_TEST_SUITE_P(
    Values, PropertyText,
    ::testing::Values(
        TextCase{L"int", "42", "42"}, TextCase{L"int", "  -17abc", "-17"}, TextCase{L"int", "+5", "5"},
        TextCase{L"int", "x1", "0"}, TextCase{L"int", "3.9", "3"}, TextCase{L"int", "2147483647", "2147483647"},
        TextCase{L"int", "16777217", "16777217"}, TextCase{L"int", "", "0"}, TextCase{L"bool", "true", "true"},
        TextCase{L"bool", "True", "false"}, TextCase{L"bool", "true ", "false"}, TextCase{L"bool", "1", "false"},
        TextCase{L"float", "1.5", "1.500000"}, TextCase{L"float", "0.0000004", "0.000000"},
        TextCase{L"float", "-2.5e1", "-25.000000"}, TextCase{L"float", "abc", "0.000000"},
        TextCase{L"color", "FF00ff00", "ff00ff00"}, TextCase{L"color", "  1a", "0000001a"},
        TextCase{L"color", "xyz", "00000000"}, TextCase{L"color", "", "00000000"},
        TextCase{L"color", "123456789", "12345678"},
        TextCase{L"colorf", "0.5;1;0.25;1", "0.500000;1.000000;0.250000;1.000000"},
        TextCase{L"colorf", "1", "1.000000;0.000000;0.000000;0.000000"},
        TextCase{L"vector2d", "1, -2.5e1", "1.000000;-25.000000"}, TextCase{L"vector2d", "7", "7.000000;0.000000"},
        TextCase{L"vector3d", "1;2;3", "1.000000;2.000000;3.000000"},
        TextCase{L"vector3d", "4\xc3\xa9-5;6", "4.000000;-5.000000;6.000000"},
        TextCase{L"vector3d", " 1e1 ,2", "10.000000;2.000000;0.000000"},
        TextCase{L"color", "\xc2\xa0"
                           "ff",
                 "00000000"},
        TextCase{L"color", "\tAb\xc3\xa9", "000000ab"},
        TextCase{L"rect", "1 2 3 4", "1.000000;2.000000;3.000000;4.000000"},
        TextCase{L"string", "some text", "some text"}, TextCase{L"stringw", "wide", "wide"},
        TextCase{L"stringwArray", "ignored", ""}, TextCase{L"properties", "ignored", ""}));

TEST(PropertyData, DefaultsWhenCreatedByName)
{
	EXPECT_STREQ(create(L"int")->toString().c_str(), "0");
	EXPECT_STREQ(create(L"bool")->toString().c_str(), "false");
	EXPECT_STREQ(create(L"float")->toString().c_str(), "0.000000");
	EXPECT_STREQ(create(L"color")->toString().c_str(), "00000000");
	EXPECT_STREQ(create(L"colorf")->toString().c_str(), "0.000000;0.000000;0.000000;0.000000");
	EXPECT_STREQ(create(L"rect")->toString().c_str(), "0.000000;0.000000;0.000000;0.000000");
	EXPECT_STREQ(create(L"string")->toString().c_str(), "");
	EXPECT_EQ(static_cast<CPropertyDataProperties*>(create(L"properties").get())->getCollection(), nullptr);
}

TEST(PropertyData, WideTextKeepsCharactersBeyondByteRange)
{
	SmartPointer<IPropertyData> value = makeStringWProperty(L"\u20ac x");
	EXPECT_EQ(value->toStringW(), irr::core::stringw(L"\u20ac x"));
	// The narrow form is UTF-8 and reads back to the same wide text.
	EXPECT_STREQ(value->toString().c_str(), "\xE2\x82\xAC x");
	SmartPointer<IPropertyData> back = makeStringWProperty(L"");
	back->fromString(value->toString());
	EXPECT_EQ(back->toStringW(), irr::core::stringw(L"\u20ac x"));
}

TEST(PropertyData, TextFunctionsAcceptNull)
{
	SmartPointer<IPropertyData> none;
	EXPECT_STREQ(propertyToStringC(none).c_str(), "");
	EXPECT_EQ(propertyToStringW(none).size(), 0u);
	irr::core::stringc c("old");
	getPropertyStringC(c, makeIntProperty(-3));
	EXPECT_STREQ(c.c_str(), "-3");
	irr::core::stringw w(L"old");
	getPropertyStringW(w, none);
	EXPECT_EQ(w.size(), 0u);
	EXPECT_EQ(propertyToStringId(makeStringProperty("Idle")), internStringId("Idle"));
	EXPECT_STREQ(makeStringPropertyFromId(internStringId("Walk"))->toString().c_str(), "Walk");
	EXPECT_STREQ(makeIntProperty(INT_MIN)->toString().c_str(), "-2147483648");
}

struct EqualCase
{
	SmartPointer<IPropertyData> a;
	SmartPointer<IPropertyData> b;
	bool equal;
};

TEST(PropertyData, Equality)
{
	irr::core::array<irr::core::stringw> list;
	list.push_back(L"a");
	irr::core::array<irr::core::stringw> other = list;
	other.push_back(L"b");
	SmartPointer<CPropertyCollection> shared(new CPropertyCollection());
	SmartPointer<CPropertyCollection> another(new CPropertyCollection());
	const EqualCase cases[] = {
	    {makeIntProperty(3), makeIntProperty(3), true},
	    {makeIntProperty(3), makeFloatProperty(3.0f), false},
	    {makeFloatProperty(0.5f), makeFloatProperty(0.5000001f), false},
	    {makeVector3dProperty({1, 2, 3}), makeVector3dProperty({1.0000005f, 2, 3}), true},
	    {makeVector3dProperty({1, 2, 3}), makeVector3dProperty({1.00001f, 2, 3}), false},
	    {makeVector2dProperty({1, 2}), makeVector2dProperty({1.0000005f, 2}), false},
	    {makeColorProperty(0xff00ff00), makeColorProperty(0xff00ff00), true},
	    {makeStringProperty("a"), makeStringProperty("a"), true},
	    {makeStringProperty("a"), makeStringWProperty(L"a"), false},
	    {new CPropertyDataStringWArray(list), new CPropertyDataStringWArray(list), true},
	    {new CPropertyDataStringWArray(list), new CPropertyDataStringWArray(other), false},
	    {new CPropertyDataProperties(shared.get()), new CPropertyDataProperties(shared.get()), true},
	    {new CPropertyDataProperties(shared.get()), new CPropertyDataProperties(another.get()), false},
	};
	for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
	{
		EXPECT_EQ(cases[i].a->equals(*cases[i].b), cases[i].equal) << "case " << i;
		EXPECT_EQ(cases[i].b->equals(*cases[i].a), cases[i].equal) << "case " << i;
	}
}

struct InterpolationCase
{
	SmartPointer<IPropertyData> from;
	SmartPointer<IPropertyData> to;
	float t;
	const char* expected;
	bool changed;
};

TEST(PropertyData, Interpolation)
{
	const InterpolationCase cases[] = {
	    {makeIntProperty(10), makeIntProperty(0), 0.55f, "5", true},
	    {makeIntProperty(0), makeIntProperty(10), 0.55f, "5", true},
	    {makeIntProperty(0), makeIntProperty(10), 2.0f, "20", true},
	    {makeIntProperty(INT_MIN), makeIntProperty(INT_MAX), 1.0f, "2147483647", true},
	    {makeFloatProperty(1.0f), makeFloatProperty(3.0f), 0.25f, "1.500000", true},
	    {makeBoolProperty(false), makeBoolProperty(true), 0.999f, "false", false},
	    {makeBoolProperty(false), makeBoolProperty(true), 1.0f, "true", true},
	    {makeColorProperty(0x00000000), makeColorProperty(0xff804020), 0.5f, "7f402010", true},
	    // Outside 0..1 every channel stays within 0..255.
	    {makeColorProperty(0x10ff0080), makeColorProperty(0xf000ff80), 2.0f, "ff00ff80", true},
	    {makeColorProperty(0x10ff0080), makeColorProperty(0xf000ff80), -1.0f, "00ff0080", true},
	    {makeVector2dProperty({0, 10}), makeVector2dProperty({10, 20}), 0.5f, "5.000000;15.000000", true},
	    {makeVector3dProperty({0, 0, 0}), makeVector3dProperty({2, 4, 6}), -0.5f, "-1.000000;-2.000000;-3.000000",
	     true},
	    {makeStringProperty("a"), makeStringProperty("b"), 0.5f, "out", false},
	    {makeStringProperty("a"), makeStringProperty("b"), 1.0f, "b", true},
	    {makeStringWProperty(L"a"), makeStringWProperty(L"b"), 1.5f, "b", true},
	};
	for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
	{
		const InterpolationCase& c = cases[i];
		SmartPointer<IPropertyData> out = c.from->clone();
		if (c.from->typeId() == PROPERTY_STRING || c.from->typeId() == PROPERTY_STRINGW)
			out->fromString("out");
		EXPECT_EQ(c.from->interpolate(*c.to, *out, c.t), c.changed) << "case " << i;
		EXPECT_STREQ(out->toString().c_str(), c.expected) << "case " << i;
	}
}

TEST(PropertyData, InterpolationOfRectAndColorf)
{
	CPropertyDataRect from(irr::core::rectf(0, 0, 10, 10));
	CPropertyDataRect to(irr::core::rectf(10, 20, 30, 40));
	CPropertyDataRect out;
	EXPECT_TRUE(from.interpolate(to, out, 0.5f));
	EXPECT_STREQ(out.toString().c_str(), "5.000000;10.000000;20.000000;25.000000");

	CPropertyDataColorf a(irr::video::SColorf(0, 0, 0, 0));
	CPropertyDataColorf b(irr::video::SColorf(1, 0.5f, 0.25f, 1));
	CPropertyDataColorf c;
	EXPECT_TRUE(a.interpolate(b, c, 0.5f));
	EXPECT_STREQ(c.toString().c_str(), "0.500000;0.250000;0.125000;0.500000");
}

TEST(PropertyData, InterpolationOfMismatchedTypesLeavesOutputAlone)
{
	SmartPointer<IPropertyData> out = makeIntProperty(7);
	EXPECT_FALSE(makeIntProperty(1)->interpolate(*makeFloatProperty(2.0f), *out, 0.5f));
	EXPECT_FALSE(makeIntProperty(1)->interpolate(*makeIntProperty(2), *makeFloatProperty(0.0f), 0.5f));
	EXPECT_STREQ(out->toString().c_str(), "7");
}

TEST(PropertyData, ArrayAndPropertiesInterpolation)
{
	irr::core::array<irr::core::stringw> list;
	list.push_back(L"x");
	CPropertyDataStringWArray from;
	CPropertyDataStringWArray to(list);
	CPropertyDataStringWArray out;
	EXPECT_FALSE(from.interpolate(to, out, 0.5f));
	EXPECT_EQ(out.getValue().size(), 0u);
	EXPECT_TRUE(from.interpolate(to, out, 1.0f));
	EXPECT_TRUE(out.equals(to));

	SmartPointer<CPropertyCollection> nested(new CPropertyCollection());
	CPropertyDataProperties p(nested.get());
	CPropertyDataProperties q;
	EXPECT_FALSE(p.interpolate(p, q, 1.0f));
	EXPECT_EQ(q.getCollection(), nullptr);
}

TEST(PropertyData, CloneCopiesTheValue)
{
	SmartPointer<IPropertyData> original = makeVector2dProperty({1, 2});
	SmartPointer<IPropertyData> copy = original->clone();
	EXPECT_NE(copy.get(), original.get());
	EXPECT_TRUE(copy->equals(*original));
	EXPECT_EQ(copy->getReferenceCount(), 1);
	copy->fromString("3;4");
	EXPECT_STREQ(original->toString().c_str(), "1.000000;2.000000");
}

TEST(PropertyData, PropertiesValueHoldsOneReference)
{
	SmartPointer<CPropertyCollection> nested(new CPropertyCollection());
	{
		CPropertyDataProperties value(nested.get());
		EXPECT_EQ(nested->getReferenceCount(), 2);
	}
	EXPECT_EQ(nested->getReferenceCount(), 1);
}
} // namespace
