#include "PropertyXmlTestSupport.h"
#include "core/CPropertyDataProperties.h"
#include "core/CPropertyDataStringWArray.h"
#include "core/PropertyMakers.h"
#include "core/PropertyTypeRegistry.h"

#include <gtest/gtest.h>

namespace
{
struct RoundTripCase
{
	const wchar_t* type;
	const char* text; // empty for types without a text form
};

class PropertyXmlRoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(PropertyXmlRoundTrip, WrittenValueReadsBackEqual)
{
	SmartPointer<IPropertyData> value = PropertyTypeRegistry::instance()->create(GetParam().type, nullptr);
	ASSERT_TRUE(value);
	value->fromString(GetParam().text);
	CPropertyCollection collection;
	collection.add("Item", value);

	const std::string bytes = writeCollection(collection);
	bool ok = false;
	SmartPointer<CPropertyCollection> back = readCollection(bytes, &ok);
	ASSERT_TRUE(ok);
	ASSERT_EQ(back->getCount(), 1);
	EXPECT_STREQ(back->getNameAt(0).c_str(), "Item");
	SmartPointer<IPropertyData> read = back->get("Item");
	ASSERT_TRUE(read);
	EXPECT_EQ(read->typeId(), value->typeId());
	EXPECT_TRUE(read->equals(*value)) << read->toString().c_str();
	EXPECT_EQ(read->toString(), value->toString());
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, PropertyXmlRoundTrip,
    ::testing::Values(RoundTripCase{L"int", "-2147483647"}, RoundTripCase{L"int", "16777217"},
                      RoundTripCase{L"bool", "true"}, RoundTripCase{L"bool", "false"}, RoundTripCase{L"float", "-1.25"},
                      RoundTripCase{L"color", "80ff0010"}, RoundTripCase{L"colorf", "0.5;0.25;1;0.75"},
                      RoundTripCase{L"vector2d", "0.5;0.5"}, RoundTripCase{L"vector3d", "10;20;-3"},
                      RoundTripCase{L"rect", "1;2;30;40"}, RoundTripCase{L"string", "a \"quoted\" <text> & 'more'\r\n"},
                      RoundTripCase{L"stringw", "wide text"}));

TEST(PropertyXml, ValuesWriteTheirElementForm)
{
	CPropertyCollection collection;
	collection.addVector2d("PivotPoint", {0.5f, 0.5f});
	collection.addBool("Visible", false);
	const std::wstring text = fromUtf16LeUnits(writeCollection(collection, false));
	EXPECT_EQ(text, L"<Properties>\r\n"
	                L"\t<vector2d Name=\"PivotPoint\" Value=\"0.500000;0.500000\" />\r\n"
	                L"\t<bool Name=\"Visible\" Value=\"false\" />\r\n"
	                L"</Properties>\r\n");
}

TEST(PropertyXml, StringArrayRoundTripsWithSpecialCharacters)
{
	irr::core::array<irr::core::stringw> list;
	list.push_back(L"first");
	list.push_back(L"");
	list.push_back(L"<&>\r\n\u20ac");
	CPropertyCollection collection;
	collection.add("Lines", new CPropertyDataStringWArray(list));
	collection.add("None", new CPropertyDataStringWArray());
	collection.addInt("After", 3);

	const std::string bytes = writeCollection(collection);
	EXPECT_NE(fromUtf16LeUnits(bytes).find(L"\t<stringwArray Name=\"Lines\">\r\n\t\t<stringw Value=\"first\" />\r\n"),
	          std::wstring::npos);
	SmartPointer<CPropertyCollection> back = readCollection(bytes);
	ASSERT_EQ(back->getCount(), 3);
	EXPECT_TRUE(back->get("Lines")->equals(*collection.get("Lines")));
	EXPECT_TRUE(back->get("None")->equals(*collection.get("None")));
	EXPECT_EQ(back->getInt("After"), 3);
}

TEST(PropertyXml, StringArrayTakesFirstAttributeOfEachStringElement)
{
	const std::string xml =
	    "<Properties><stringwArray Name=\"L\"><stringw Other=\"a\" Value=\"x\"/><skip Value=\"no\"/>"
	    "<stringw Value=\"b\"/></stringwArray><int Name=\"I\" Value=\"1\"/></Properties>";
	SmartPointer<CPropertyCollection> back = readCollection(xml);
	ASSERT_EQ(back->getCount(), 2);
	const auto& got = static_cast<CPropertyDataStringWArray*>(back->get("L").get())->getValue();
	ASSERT_EQ(got.size(), 2u);
	EXPECT_STREQ(got[0].c_str(), L"a");
	EXPECT_STREQ(got[1].c_str(), L"b");
}

TEST(PropertyXml, NestedPropertiesRoundTrip)
{
	SmartPointer<CPropertyCollection> inner(new CPropertyCollection());
	inner->addInt("Depth", 2);
	SmartPointer<CPropertyCollection> innermost(new CPropertyCollection());
	innermost->addString("Leaf", "yes");
	inner->add("Deeper", new CPropertyDataProperties(innermost.get()));
	CPropertyCollection outer;
	outer.add("Nested", new CPropertyDataProperties(inner.get()));
	outer.addFloat("Tail", 1.5f);
	outer.add("Empty", new CPropertyDataProperties());

	const std::string bytes = writeCollection(outer);
	SmartPointer<CPropertyCollection> back = readCollection(bytes);
	// A "properties" value without a collection writes nothing.
	ASSERT_EQ(back->getCount(), 2);
	auto* nested = static_cast<CPropertyDataProperties*>(back->get("Nested").get());
	ASSERT_TRUE(nested && nested->getCollection());
	EXPECT_EQ(nested->getCollection()->getInt("Depth"), 2);
	EXPECT_EQ(nested->getCollection()->getContentManager(), nullptr);
	auto* deeper = static_cast<CPropertyDataProperties*>(nested->getCollection()->get("Deeper").get());
	ASSERT_TRUE(deeper && deeper->getCollection());
	EXPECT_STREQ(deeper->getCollection()->getString("Leaf").c_str(), "yes");
	EXPECT_FLOAT_EQ(back->getFloat("Tail"), 1.5f);
}

TEST(PropertyXml, HostileNestingIsCutOffWithoutExhaustingTheStack)
{
	std::string xml = "<Properties>";
	for (int i = 0; i < 5000; ++i)
		xml += "<properties Name=\"p\">";
	xml += "<int Name=\"deep\" Value=\"1\"/>";
	for (int i = 0; i < 5000; ++i)
		xml += "</properties>";
	xml += "<int Name=\"after\" Value=\"7\"/></Properties>";
	SmartPointer<CPropertyCollection> back = readCollection(xml);
	EXPECT_EQ(back->getInt("after"), 7);
	int depth = 0;
	SmartPointer<CPropertyCollection> level = back;
	while (level->get("p"))
	{
		CPropertyCollection* next = static_cast<CPropertyDataProperties*>(level->get("p").get())->getCollection();
		if (!next)
			break;
		level = shareRef(next);
		++depth;
	}
	EXPECT_LE(depth, CPropertyDataProperties::maxReadDepth);
	EXPECT_GE(depth, 2);
}
} // namespace
