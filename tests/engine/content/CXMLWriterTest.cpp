#include "content/CXMLWriter.h"

#include "MemoryFiles.h"
#include "content/CXMLReader.h"

#include <gtest/gtest.h>

namespace
{
struct Written
{
	SmartPointer<TestWriteFile> file{new TestWriteFile()};
	SmartPointer<CXMLWriter> writer{new CXMLWriter(file.get())};

	std::wstring units() const { return fromUtf16LeUnits(file->bytes); }
	// Indentation after a line break comes back as text nodes: those are passed over.
	static bool readNonText(IXMLReader& reader)
	{
		while (reader.read())
		{
			if (reader.getNodeType() != XML_NODE_TEXT)
				return true;
		}
		return false;
	}

	SmartPointer<CXMLReader> reader() const
	{
		SmartPointer<TestReadFile> in(new TestReadFile(file->bytes));
		return new CXMLReader(in.get());
	}
};

TEST(XmlWriter, HeaderIsBomDeclarationAndCrLf)
{
	Written w;
	w.writer->writeXMLHeader();
	EXPECT_EQ(w.file->bytes.substr(0, 2), "\xFF\xFE");
	EXPECT_EQ(w.units(), L"\xFEFF<?xml version=\"1.0\"?>\r\n");
}

TEST(XmlWriter, NestedElementsAreIndentedWithTabs)
{
	Written w;
	w.writer->writeElement(L"outer", false, L"a", L"1");
	w.writer->writeLineBreak();
	w.writer->writeElement(L"inner", false);
	w.writer->writeLineBreak();
	w.writer->writeElement(L"leaf", true, L"x", L"1", nullptr, L"skipped", L"y", nullptr, L"z", L"3");
	w.writer->writeLineBreak();
	w.writer->writeClosingTag(L"inner");
	w.writer->writeLineBreak();
	w.writer->writeClosingTag(L"outer");
	w.writer->writeLineBreak();
	EXPECT_EQ(w.units(), L"<outer a=\"1\">\r\n"
	                     L"\t<inner>\r\n"
	                     L"\t\t<leaf x=\"1\" z=\"3\" />\r\n"
	                     L"\t</inner>\r\n"
	                     L"</outer>\r\n");
	EXPECT_EQ(w.writer->getDepth(), 0);
}

TEST(XmlWriter, TextWrittenLastSuppressesIndentOfClosingTag)
{
	Written w;
	w.writer->writeElement(L"a", false);
	w.writer->writeElement(L"b", false);
	w.writer->writeText(L"t");
	w.writer->writeClosingTag(L"b");
	w.writer->writeClosingTag(L"a");
	EXPECT_EQ(w.units(), L"<a>\t<b>t</b></a>");
}

TEST(XmlWriter, EscapesSpecialCharacters)
{
	Written w;
	w.writer->writeElement(L"e", true, L"v", L"<it's & \"x\">\r\n");
	w.writer->writeComment(L"a<b");
	w.writer->writeText(L"c>d");
	EXPECT_EQ(w.units(), L"<e v=\"&lt;it&apos;s &amp; &quot;x&quot;&gt;&#xD;&#xA;\" /><!--a&lt;b-->c&gt;d");
}

TEST(XmlWriter, ArrayFormTakesPairsWhileBothHaveEntries)
{
	Written w;
	irr::core::array<irr::core::stringw> names;
	irr::core::array<irr::core::stringw> values;
	names.push_back(L"a");
	names.push_back(L"b");
	values.push_back(L"1");
	w.writer->writeElement(L"e", true, names, values);
	EXPECT_EQ(w.units(), L"<e a=\"1\" />");
}

TEST(XmlWriter, NullNamesAndFilesWriteNothing)
{
	Written w;
	w.writer->writeElement(nullptr, true, L"a", L"1");
	w.writer->writeClosingTag(nullptr);
	w.writer->writeText(nullptr);
	w.writer->writeComment(nullptr);
	EXPECT_TRUE(w.file->bytes.empty());

	CXMLWriter none(nullptr);
	none.writeXMLHeader();
	none.writeElement(L"a", true);
	none.writeLineBreak();
}

TEST(XmlWriter, ExtraClosingTagsKeepIndentationAtZero)
{
	Written w;
	w.writer->writeClosingTag(L"x");
	w.writer->writeElement(L"a", true);
	EXPECT_EQ(w.units(), L"</x><a />");
}

TEST(XmlWriter, CharactersBeyondBmpAreWrittenAsSurrogatePairs)
{
	Written w;
	w.writer->writeText(L"\U0001F600");
	EXPECT_EQ(w.file->bytes, std::string("\x3D\xD8\x00\xDE", 4));
}

TEST(XmlWriterRoundTrip, ReaderGetsBackWhatWriterWrote)
{
	const wchar_t* values[] = {L"it's", L"a\r\nb", L"<&>\"'", L"\u00e9\u20ac\U0001F600", L"", L"  spaced  "};
	Written w;
	w.writer->writeXMLHeader();
	w.writer->writeElement(L"root", false);
	w.writer->writeLineBreak();
	for (const wchar_t* v : values)
	{
		w.writer->writeElement(L"item", true, L"Value", v);
		w.writer->writeLineBreak();
	}
	w.writer->writeElement(L"text", false);
	w.writer->writeText(L"x & y\r\nz");
	w.writer->writeClosingTag(L"text");
	w.writer->writeLineBreak();
	w.writer->writeClosingTag(L"root");

	SmartPointer<CXMLReader> reader = w.reader();
	ASSERT_TRUE(Written::readNonText(*reader));
	EXPECT_EQ(reader->getNodeType(), XML_NODE_UNKNOWN);
	ASSERT_TRUE(Written::readNonText(*reader));
	EXPECT_STREQ(reader->getNodeName().c_str(), L"root");
	for (const wchar_t* v : values)
	{
		ASSERT_TRUE(Written::readNonText(*reader));
		EXPECT_STREQ(reader->getNodeName().c_str(), L"item");
		EXPECT_TRUE(reader->isEmptyElement());
		EXPECT_EQ(std::wstring(reader->getAttributeValue(L"Value").c_str()), v);
	}
	ASSERT_TRUE(Written::readNonText(*reader));
	EXPECT_STREQ(reader->getNodeName().c_str(), L"text");
	ASSERT_TRUE(reader->read());
	EXPECT_STREQ(reader->getNodeData().c_str(), L"x & y\r\nz");
	ASSERT_TRUE(Written::readNonText(*reader));
	EXPECT_EQ(reader->getNodeType(), XML_NODE_ELEMENT_END);
	ASSERT_TRUE(Written::readNonText(*reader));
	EXPECT_STREQ(reader->getNodeName().c_str(), L"root");
	EXPECT_FALSE(Written::readNonText(*reader));
}
} // namespace
