#include "PropertyXmlTestSupport.h"
#include "core/CPropertyDataInt.h"
#include "core/CPropertyDataProperties.h"
#include "core/PropertyMakers.h"
#include "core/TextUtils.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
std::string names(const CPropertyCollection& c)
{
	std::string out;
	for (int i = 0; i < c.getCount(); ++i)
		out += std::string(c.getNameAt(i).c_str()) + "=" + propertyToStringC(c.getDataAt(i)).c_str() + ";";
	return out;
}

TEST(PropertyCollection, DuplicateNamesStayAndLookupsReachTheLast)
{
	CPropertyCollection c;
	c.addInt("A", 1);
	c.addInt("A", 2);
	EXPECT_EQ(c.getCount(), 2);
	EXPECT_EQ(c.getInt("A"), 2);
	EXPECT_EQ(c.indexOf("A"), 1);
	c.setInt("A", 3);
	EXPECT_EQ(names(c), "A=1;A=3;");
	c.setInt("B", 4);
	EXPECT_EQ(names(c), "A=1;A=3;B=4;");

	SmartPointer<CPropertyCollection> back = readCollection(writeCollection(c));
	EXPECT_EQ(names(*back), "A=1;A=3;B=4;");
	EXPECT_EQ(back->getInt("A"), 3);
}

// Small collections are searched, large ones indexed: lookups agree at every size, duplicates
// and clones included.
TEST(PropertyCollection, LookupsReachTheLastItemOfANameAtEverySize)
{
	for (int size = 1; size <= 40; ++size)
	{
		CPropertyCollection c;
		for (int i = 0; i < size; ++i)
			c.addInt(("N" + std::to_string(i % 7)).c_str(), i);
		c.addInt("", -1);
		for (int n = 0; n < 7; ++n)
		{
			const std::string name = "N" + std::to_string(n);
			const int last = n < size ? n + (size - 1 - n) / 7 * 7 : -1;
			EXPECT_EQ(c.indexOf(name.c_str()), last) << name << " of " << size;
			EXPECT_EQ(c.indexOf(irr::core::stringc(name.c_str())), last) << name << " of " << size;
			EXPECT_EQ(c.getInt(name.c_str()), last < 0 ? 0 : last) << name << " of " << size;
		}
		EXPECT_EQ(c.indexOf(""), size);
		EXPECT_EQ(c.indexOf("N7"), -1);
		EXPECT_EQ(c.indexOf("N"), -1);

		c.setInt("N0", 100);
		SmartPointer<CPropertyCollection> copy = c.clone();
		c.setInt("N0", 200);
		EXPECT_EQ(copy->getInt("N0"), 100) << size;
		EXPECT_EQ(copy->indexOf("N0"), c.indexOf("N0")) << size;
		EXPECT_EQ(copy->getCount(), size + 1);
	}
}

// Names and values that are not ASCII are read as UTF-8, as narrow makes them.
TEST(PropertyCollection, ReadsNamesAndValuesBeyondAscii)
{
	CPropertyCollection c;
	c.addString("caf\xC3\xA9", "\xE2\x82\xAC 5");
	SmartPointer<CPropertyCollection> back = readCollection(writeCollection(c));
	EXPECT_EQ(names(*back), "caf\xC3\xA9=\xE2\x82\xAC 5;");
}

TEST(PropertyCollection, IndexAccessOutOfRange)
{
	CPropertyCollection c;
	c.addInt("A", 1);
	EXPECT_FALSE(c.getDataAt(c.getCount()));
	EXPECT_FALSE(c.getDataAt(-1));
	EXPECT_EQ(&c.getNameAt(c.getCount()), &emptyStringC());
	EXPECT_EQ(&c.getNameAt(-5), &emptyStringC());
	c.setDataAt(1, makeIntProperty(9));
	c.setDataAt(-1, makeIntProperty(9));
	EXPECT_EQ(names(c), "A=1;");
	c.setDataAt(0, makeIntProperty(9));
	EXPECT_EQ(c.getInt("A"), 9);
	EXPECT_EQ(c.indexOf("missing"), -1);
	EXPECT_FALSE(c.get("missing"));
}

TEST(PropertyCollection, TypedGettersDoNotConvert)
{
	CPropertyCollection c;
	c.addInt("I", 5);
	c.addFloat("F", 2.5f);
	c.addBool("B", true);
	c.addVector2d("V", {1, 2});
	c.add("Null", nullptr);
	EXPECT_EQ(c.getInt("I"), 5);
	EXPECT_FLOAT_EQ(c.getFloat("I"), 0.0f);
	EXPECT_EQ(c.getInt("F"), 0);
	EXPECT_FALSE(c.getBool("I"));
	EXPECT_TRUE(c.getBool("B"));
	EXPECT_STREQ(c.getString("V").c_str(), "1.000000;2.000000");
	EXPECT_STREQ(c.getString("Null").c_str(), "");
	EXPECT_STREQ(c.getString("Absent").c_str(), "");
	EXPECT_EQ(c.getInt("Null"), 0);
}

TEST(PropertyCollection, NullValuesAreNotWritten)
{
	CPropertyCollection c;
	c.add("Null", nullptr);
	c.addInt("I", 1);
	EXPECT_EQ(fromUtf16LeUnits(writeCollection(c, false)),
	          L"<Properties>\r\n\t<int Name=\"I\" Value=\"1\" />\r\n</Properties>\r\n");
	EXPECT_EQ(fromUtf16LeUnits(writeCollection(c, false, false)), L"<int Name=\"I\" Value=\"1\" />\r\n");
	EXPECT_EQ(fromUtf16LeUnits(writeCollection(c, true)).substr(0, 24), L"\xFEFF<?xml version=\"1.0\"?>\r\n");
	EXPECT_FALSE(c.writeXml(nullptr));
}

struct ReadCase
{
	const char* xml;
	bool result;
	const char* items;
};

class PropertyCollectionRead : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(PropertyCollectionRead, ReadsItems)
{
	bool ok = !GetParam().result;
	SmartPointer<CPropertyCollection> c = readCollection(GetParam().xml, &ok);
	EXPECT_EQ(ok, GetParam().result);
	EXPECT_EQ(names(*c), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Xml, PropertyCollectionRead,
    ::testing::Values(ReadCase{"<Properties />", true, ""},
                      ReadCase{"<Parameters><int Name=\"A\" Value=\"1\"/></Parameters>", false, ""},
                      ReadCase{"<Properties><int Value=\"5\"/></Properties>", true, ""},
                      ReadCase{"<Properties><integer Name=\"X\" Value=\"5\"/></Properties>", true, "X=;"},
                      ReadCase{"<Properties><int Name=\"A\" Value=\"1\"><bool Name=\"B\" Value=\"true\"/></int>"
                               "<!-- c -->text</Properties><int Name=\"Z\" Value=\"9\"/>",
                               true, "A=1;B=true;"},
                      ReadCase{"<Properties><int Name=\"A\" Value=\"1\"/>", true, "A=1;"},
                      ReadCase{"<Properties><int Name=\"A\" Value=\"1", true, ""},
                      ReadCase{"<Properties><int Name=\"Big\" Value=\"123456789\"/></Properties>", true,
                               "Big=123456789;"}));

TEST(PropertyCollection, ReadClearsAndChecksName)
{
	CPropertyCollection c;
	c.addInt("Old", 1);
	SmartPointer<TestReadFile> file(new TestReadFile("<Settings><int Name=\"A\" Value=\"2\"/></Settings>"));
	SmartPointer<CXMLReader> reader(new CXMLReader(file.get()));
	ASSERT_TRUE(reader->read());
	EXPECT_FALSE(c.readXml(reader.get(), true));
	EXPECT_EQ(c.getCount(), 0);
	EXPECT_TRUE(c.readXml(reader.get(), true, L"Settings"));
	EXPECT_EQ(names(c), "A=2;");
	EXPECT_FALSE(c.readXml(nullptr));
	EXPECT_EQ(c.getCount(), 1);
}

TEST(PropertyCollection, CloneIsIndependent)
{
	SmartPointer<CPropertyCollection> nested(new CPropertyCollection());
	nested->addInt("N", 1);
	CPropertyCollection original;
	original.addInt("A", 1);
	original.addInt("A", 2);
	original.add("Nested", new CPropertyDataProperties(nested.get()));
	original.add("Null", nullptr);

	SmartPointer<CPropertyCollection> copy = original.clone();
	EXPECT_EQ(copy->getReferenceCount(), 1);
	EXPECT_EQ(names(*copy), names(original));
	EXPECT_EQ(copy->getInt("A"), 2);
	EXPECT_NE(copy->get("A").get(), original.get("A").get());

	static_cast<CPropertyDataInt*>(copy->get("A").get())->setValue(50);
	auto* copiedNested = static_cast<CPropertyDataProperties*>(copy->get("Nested").get());
	ASSERT_NE(copiedNested->getCollection(), nested.get());
	copiedNested->getCollection()->setInt("N", 99);
	static_cast<CPropertyDataInt*>(copiedNested->getCollection()->get("N").get())->setValue(98);

	EXPECT_EQ(original.getInt("A"), 2);
	EXPECT_EQ(nested->getInt("N"), 1);
}

TEST(PropertyCollection, AddMissingAppendsCopiesOfAbsentNames)
{
	CPropertyCollection defaults;
	defaults.addInt("A", 1);
	defaults.addInt("B", 2);
	defaults.addInt("C", 3);
	CPropertyCollection c;
	c.addInt("B", 20);
	c.addBool("Z", true);
	c.addMissing(defaults);
	EXPECT_EQ(names(c), "B=20;Z=true;A=1;C=3;");

	// Changing a value in place in one collection never shows in the other.
	static_cast<CPropertyDataInt*>(c.get("A").get())->setValue(100);
	EXPECT_EQ(defaults.getInt("A"), 1);
	static_cast<CPropertyDataInt*>(defaults.get("C").get())->setValue(300);
	EXPECT_EQ(c.getInt("C"), 3);
}

TEST(PropertyCollection, ClearEmptiesItemsAndIndex)
{
	CPropertyCollection c;
	c.addString("S", "x");
	SmartPointer<IPropertyData> kept = c.get("S");
	c.clear();
	EXPECT_EQ(c.getCount(), 0);
	EXPECT_EQ(c.indexOf("S"), -1);
	EXPECT_EQ(kept->getReferenceCount(), 1);
}

// A recycled collection reads the next element as a new one does; its kept names and plain values
// are read into again, never a value something else still holds.
TEST(PropertyCollection, RecycledItemsReadLikeNewOnes)
{
	const char* const documents[] = {
	    "<Properties><vector3d Name=\"Position\" Value=\"1;2;3\"/><string Name=\"Name\" Value=\"a long name\"/>"
	    "<color Name=\"C\" Value=\"ff00ff00\"/><int Name=\"I\" Value=\"7\"/></Properties>",
	    "<Properties><vector3d Name=\"P\"/><string Name=\"Name\" Value=\"x\"/><int Name=\"C\" Value=\"5\"/></Properties>",
	    "<Properties><string Name=\"A name longer than any before\"/><bool Name=\"B\" Value=\"true\"/>"
	    "<float Name=\"F\" Value=\"0.5\"/><vector2d Name=\"V\" Value=\"4;5\"/><stringw Name=\"W\" Value=\"w\"/></Properties>",
	    "<Properties/>",
	    "<Properties><vector3d Name=\"P\"/><bool Name=\"B\"/><float Name=\"F\"/><vector2d Name=\"V\"/>"
	    "<stringw Name=\"W\"/><int Name=\"B\" Value=\"3\"/></Properties>",
	};
	CPropertyCollection recycled;
	SmartPointer<IPropertyData> held;
	irr::core::stringc heldText;
	for (const char* document : documents)
	{
		const SmartPointer<CPropertyCollection> fresh = readCollection(document);
		SmartPointer<TestReadFile> file(new TestReadFile(document));
		SmartPointer<CXMLReader> reader(new CXMLReader(file.get()));
		ASSERT_TRUE(reader->read());
		ASSERT_TRUE(recycled.readXml(reader.get()));
		EXPECT_EQ(names(recycled), names(*fresh)) << document;
		for (int i = 0; i < fresh->getCount(); ++i)
			EXPECT_EQ(recycled.indexOf(fresh->getNameAt(i)), fresh->indexOf(fresh->getNameAt(i))) << document;
		if (held)
			EXPECT_STREQ(propertyToStringC(held).c_str(), heldText.c_str()) << document;
		// The first value stays held through the next read.
		held = recycled.getDataAt(0);
		heldText = propertyToStringC(held);
		recycled.recycle();
		EXPECT_EQ(recycled.getCount(), 0);
		EXPECT_EQ(recycled.indexOf("Name"), -1);
	}
}

TEST(PropertyCollection, EmptyNameIsAValidKey)
{
	CPropertyCollection c;
	c.setString("", "blank");
	EXPECT_STREQ(c.getString("").c_str(), "blank");
	c.setStringW("W", L"wide");
	EXPECT_STREQ(c.getString("W").c_str(), "wide");
}
} // namespace
