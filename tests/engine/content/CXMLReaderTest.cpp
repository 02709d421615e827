#include "content/CXMLReader.h"

#include "MemoryFiles.h"
#include "core/TextUtils.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
SmartPointer<CXMLReader> readerFor(const std::string& bytes)
{
	SmartPointer<TestReadFile> file(new TestReadFile(bytes));
	return new CXMLReader(file.get());
}

// One line per node: "<name a=v>" / "<name/>" for elements, "</name>", "T:text", "C:comment",
// "D:cdata", "?" for declarations.
std::wstring trace(IXMLReader& reader)
{
	std::wstring out;
	int guard = 0;
	while (reader.read() && ++guard < 1000)
	{
		const std::wstring name = reader.getNodeName().c_str();
		switch (reader.getNodeType())
		{
		case XML_NODE_ELEMENT:
			out += L"<" + name;
			for (int i = 0; i < reader.getAttributeCount(); ++i)
				out += std::wstring(L" ") + reader.getAttributeName(i).c_str() + L"=" +
				       reader.getAttributeValue(i).c_str();
			out += reader.isEmptyElement() ? L"/>" : L">";
			break;
		case XML_NODE_ELEMENT_END:
			out += L"</" + name + L">";
			break;
		case XML_NODE_TEXT:
			out += L"T:" + name;
			break;
		case XML_NODE_COMMENT:
			out += L"C:" + name;
			break;
		case XML_NODE_CDATA:
			out += L"D:" + name;
			break;
		case XML_NODE_UNKNOWN:
			out += L"?";
			break;
		default:
			out += L"!bad type";
		}
		out += L"|";
	}
	return out;
}

std::wstring traceOf(const std::string& bytes)
{
	SmartPointer<CXMLReader> reader = readerFor(bytes);
	return trace(*reader);
}

struct NodeCase
{
	const char* input;
	const wchar_t* expected;
};

class XmlNodes : public ::testing::TestWithParam<NodeCase>
{
};

TEST_P(XmlNodes, ReportsNodesInOrder)
{
	EXPECT_EQ(traceOf(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, XmlNodes,
    ::testing::Values(NodeCase{"<a/>", L"<a/>|"}, NodeCase{"<a />", L"<a/>|"}, NodeCase{"<a></a>", L"<a>|</a>|"},
                      NodeCase{"<?xml version=\"1.0\"?><r x=\"1\" y='two'/>", L"?|<r x=1 y=two/>|"},
                      NodeCase{"<r>\r\n<a/>\r\n</r>", L"<r>|<a/>|</r>|"},
                      NodeCase{"<r>\r\n\t<a/></r>", L"<r>|T:\r\n\t|<a/>|</r>|"},
                      NodeCase{"<r>hello <b>world</b></r>", L"<r>|T:hello |<b>|T:world|</b>|</r>|"},
                      NodeCase{"<r><!-- note --></r>", L"<r>|C: note |</r>|"},
                      NodeCase{"<r><!-- a > b --></r>", L"<r>|C: a > b |</r>|"},
                      NodeCase{"<r><![CDATA[x &amp; <y>]]></r>", L"<r>|D:x &amp; <y>|</r>|"},
                      NodeCase{"<!DOCTYPE r [<!ENTITY e \"v\">]><r/>", L"C:DOCTYPE r [<!ENTITY e \"v\">]|<r/>|"},
                      NodeCase{"<r a = \"1\" b=2 c/>", L"<r a=1 b=2 c=/>|"}, NodeCase{"<r\ta=\"1\"\n/>", L"<r a=1/>|"},
                      NodeCase{"<r a=\"x > y\">t</r >", L"<r a=x > y>|T:t|</r >|"},
                      NodeCase{"<r/>trailing text", L"<r/>|T:trailing text|"}, NodeCase{"<r/>\r\n", L"<r/>|"},
                      NodeCase{"", L""}, NodeCase{"just text", L"T:just text|"}));

INSTANTIATE_TEST_SUITE_P(Malformed, XmlNodes,
                         ::testing::Values(NodeCase{"<a", L""}, NodeCase{"<a x=\"1", L""},
                                           NodeCase{"<r/><a x=\"1\"", L"<r/>|"}, NodeCase{"<r/></r", L"<r/>|"},
                                           NodeCase{"<r/><!-- open", L"<r/>|"}, NodeCase{"<r/><![CDATA[open", L"<r/>|"},
                                           NodeCase{"<r/><?xml", L"<r/>|"}, NodeCase{"<r/><!DOCTYPE <x>", L"<r/>|"},
                                           NodeCase{"<", L""}, NodeCase{"<!", L""}, NodeCase{"<a x='1\">", L""},
                                           NodeCase{"<a/><b x=\"&amp", L"<a/>|"}));

// A comment or CDATA section whose end marker is the last thing in the text is still read whole.
INSTANTIATE_TEST_SUITE_P(EndOfText, XmlNodes,
                         ::testing::Values(NodeCase{"<r/><!-- end -->", L"<r/>|C: end |"},
                                           NodeCase{"<r/><![CDATA[end]]>", L"<r/>|D:end|"},
                                           NodeCase{"<!--only-->", L"C:only|"}, NodeCase{"<!---->", L"C:|"},
                                           NodeCase{"<![CDATA[]]>", L"D:|"},
                                           NodeCase{"<r/><![CDATA[a]]]>", L"<r/>|D:a]|"},
                                           NodeCase{"<r/><!-- a --->", L"<r/>|C: a -|"}));

TEST(XmlReader, ReaderStaysFinishedAfterMalformedTag)
{
	SmartPointer<CXMLReader> reader = readerFor("<a><b x=\"unterminated");
	ASSERT_TRUE(reader->read());
	EXPECT_FALSE(reader->read());
	EXPECT_EQ(reader->getNodeType(), XML_NODE_NONE);
	EXPECT_FALSE(reader->read());
}

TEST(XmlReader, NoFileOrEmptyFileGivesNoNodes)
{
	CXMLReader none(static_cast<IReadFile*>(nullptr));
	EXPECT_FALSE(none.read());
	EXPECT_EQ(none.getNodeType(), XML_NODE_NONE);
	EXPECT_FALSE(readerFor("")->read());
}

TEST(XmlReader, RefusesFilesAboveTheSizeLimit)
{
	// A file claiming more than the limit is never read into memory.
	class HugeFile : public TestReadFile
	{
	public:
		HugeFile() : TestReadFile("<a/>") {}
		long getSize() const override { return CXMLReader::maxFileSize + 1; }
	};
	SmartPointer<HugeFile> file(new HugeFile());
	CXMLReader reader(file.get());
	EXPECT_FALSE(reader.read());
}

TEST(XmlReader, ShortReadGivesNoNodes)
{
	class ShortFile : public TestReadFile
	{
	public:
		ShortFile() : TestReadFile("<a/>") {}
		long getSize() const override { return 100; }
	};
	SmartPointer<ShortFile> file(new ShortFile());
	CXMLReader reader(file.get());
	EXPECT_FALSE(reader.read());
}

struct EntityCase
{
	const char* value;
	const wchar_t* expected;
};

class XmlEntities : public ::testing::TestWithParam<EntityCase>
{
};

TEST_P(XmlEntities, AttributeAndTextReplaceTheSameWay)
{
	const std::string value = GetParam().value;
	SmartPointer<CXMLReader> reader = readerFor("<r v=\"" + value + "\">" + value + "</r>");
	ASSERT_TRUE(reader->read());
	EXPECT_STREQ(reader->getAttributeValue(L"v").c_str(), GetParam().expected);
	ASSERT_TRUE(reader->read());
	EXPECT_STREQ(reader->getNodeData().c_str(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Reader, XmlEntities,
                         ::testing::Values(EntityCase{"x &amp; y", L"x & y"}, EntityCase{"&amp;amp;", L"&amp;"},
                                           EntityCase{"&amp;lt;", L"&lt;"}, EntityCase{"&#65;", L"&#65;"},
                                           EntityCase{"&lt;&gt;&quot;&apos;", L"<>\"'"},
                                           EntityCase{"a&#xD;&#xA;b", L"a\r\nb"},
                                           EntityCase{"&unknown; &", L"&unknown; &"}, EntityCase{"tail&am", L"tail&am"},
                                           EntityCase{"&&amp;", L"&&"}));

TEST(XmlReader, AddedEntityHoldsForEveryReader)
{
	SmartPointer<CXMLReader> first = readerFor("<r/>");
	const irr::u32 before = first->getSpecialCharacters().size();
	EXPECT_EQ(before, 7u);
	first->addSpecialCharacter(L"\x263Asmile;");
	SmartPointer<CXMLReader> second = readerFor("<r v=\"&smile;\"/>");
	ASSERT_TRUE(second->read());
	EXPECT_STREQ(second->getAttributeValue(L"v").c_str(), L"\x263A");
	EXPECT_EQ(second->getSpecialCharacters().size(), before + 1);
}

TEST(XmlReader, AttributeAccessByNameAndIndex)
{
	SmartPointer<CXMLReader> reader = readerFor("<r Name=\"n\" name=\"lower\" Name=\"second\"/>");
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getAttributeCount(), 3);
	EXPECT_STREQ(reader->getAttributeValue(L"Name").c_str(), L"n");
	EXPECT_STREQ(reader->getAttributeValue(L"name").c_str(), L"lower");
	EXPECT_STREQ(reader->getAttributeValue(L"NAME").c_str(), L"");
	EXPECT_STREQ(reader->getAttributeValue(L"").c_str(), L"");
	EXPECT_STREQ(reader->getAttributeName(2).c_str(), L"Name");
	EXPECT_STREQ(reader->getAttributeValue(2).c_str(), L"second");
	EXPECT_EQ(&reader->getAttributeName(3), &emptyStringW());
	EXPECT_EQ(&reader->getAttributeValue(-1), &emptyStringW());
}

TEST(XmlReader, TextKeepsAttributesOfElementBeforeAndEndClearsThem)
{
	SmartPointer<CXMLReader> reader = readerFor("<r a=\"1\">text</r>");
	ASSERT_TRUE(reader->read());
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getAttributeCount(), 1);
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getNodeType(), XML_NODE_ELEMENT_END);
	EXPECT_EQ(reader->getAttributeCount(), 0);
}

struct NumberCase
{
	const char* value;
	int asInt;
	float asFloat;
};

class XmlNumbers : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(XmlNumbers, ReadsNumberAtStartOfValue)
{
	SmartPointer<CXMLReader> reader = readerFor(std::string("<r v=\"") + GetParam().value + "\"/>");
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getAttributeValueAsInt(L"v", 77), GetParam().asInt);
	EXPECT_EQ(reader->getAttributeValueAsInt(0, 77), GetParam().asInt);
	EXPECT_FLOAT_EQ(reader->getAttributeValueAsFloat(L"v", 7.5f), GetParam().asFloat);
	EXPECT_FLOAT_EQ(reader->getAttributeValueAsFloat(0, 7.5f), GetParam().asFloat);
}

INSTANTIATE_TEST_SUITE_P(Reader, XmlNumbers,
                         ::testing::Values(NumberCase{"3.9", 3, 3.9f}, NumberCase{"-3.9", -3, -3.9f},
                                           NumberCase{"12px", 12, 12.0f}, NumberCase{"abc", 0, 0.0f},
                                           NumberCase{" 5", 0, 0.0f}, NumberCase{"", 0, 0.0f},
                                           NumberCase{"16777217", 16777217, 16777217.0f},
                                           NumberCase{"2147483647", 2147483647, 2147483647.0f},
                                           NumberCase{"-123456789", -123456789, -123456789.0f},
                                           NumberCase{"1e3", 1000, 1000.0f}, NumberCase{"2.5e+3", 2500, 2500.0f},
                                           NumberCase{"+5", 0, 0.0f}, NumberCase{"1e10", 2147483647, 1e10f}));

TEST(XmlReader, AbsentAttributeGivesTheDefault)
{
	SmartPointer<CXMLReader> reader = readerFor("<r v=\"1\"/>");
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getAttributeValueAsInt(L"w", 42), 42);
	EXPECT_EQ(reader->getAttributeValueAsInt(1, 42), 42);
	EXPECT_FLOAT_EQ(reader->getAttributeValueAsFloat(L"w", 2.5f), 2.5f);
	EXPECT_FLOAT_EQ(reader->getAttributeValueAsFloat(5, 2.5f), 2.5f);
}

// The same document in every encoding the reader accepts.
struct EncodingCase
{
	const char* label;
	std::string bytes;
};

std::string utf32(const std::wstring& text, bool bigEndian)
{
	std::string out;
	for (wchar_t c : text)
	{
		const unsigned u = static_cast<unsigned>(c);
		const char b[4] = {static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8),
		                   static_cast<char>(u)};
		if (bigEndian)
			out.append(b, 4);
		else
			out.append({b[3], b[2], b[1], b[0]});
	}
	return out;
}

std::string swapPairs(std::string bytes)
{
	for (size_t i = 0; i + 1 < bytes.size(); i += 2)
		std::swap(bytes[i], bytes[i + 1]);
	return bytes;
}

const std::wstring sampleText = L"<r v=\"\u00e9\u20ac\U0001F600\">\u00fc</r>";
const std::string sampleUtf8 = "<r v=\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\">\xC3\xBC</r>";

std::vector<EncodingCase> encodingCases()
{
	const std::string le16 = toUtf16Le(sampleText);
	return {
	    {"utf8-bom", "\xEF\xBB\xBF" + sampleUtf8},
	    {"utf8-plain", sampleUtf8},
	    {"utf16le", "\xFF\xFE" + le16},
	    {"utf16be", "\xFE\xFF" + swapPairs(le16)},
	    {"utf32le", std::string("\xFF\xFE\0\0", 4) + utf32(sampleText, false)},
	    {"utf32be", std::string("\0\0\xFE\xFF", 4) + utf32(sampleText, true)},
	};
}

TEST(XmlReaderEncodings, EveryEncodingGivesTheSameCharacters)
{
	for (const EncodingCase& c : encodingCases())
	{
		SCOPED_TRACE(c.label);
		SmartPointer<CXMLReader> reader = readerFor(c.bytes);
		ASSERT_TRUE(reader->read());
		EXPECT_STREQ(reader->getNodeName().c_str(), L"r");
		EXPECT_EQ(std::wstring(reader->getAttributeValue(L"v").c_str()), L"\u00e9\u20ac\U0001F600");
		ASSERT_TRUE(reader->read());
		EXPECT_EQ(std::wstring(reader->getNodeData().c_str()), L"\u00fc");
		ASSERT_TRUE(reader->read());
		EXPECT_EQ(reader->getNodeType(), XML_NODE_ELEMENT_END);
		EXPECT_FALSE(reader->read());
	}
}

struct DecodeCase
{
	const char* label;
	std::string bytes;
	std::wstring text;
};

class XmlDecoding : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(XmlDecoding, TextNodeHoldsDecodedCharacters)
{
	SmartPointer<CXMLReader> reader = readerFor(GetParam().bytes);
	std::wstring got;
	if (reader->read() && reader->getNodeType() == XML_NODE_TEXT)
		got = reader->getNodeData().c_str();
	EXPECT_EQ(got, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, XmlDecoding,
    ::testing::Values(
        // Not valid UTF-8: one character per byte.
        DecodeCase{"latin1", "caf\xE9 ok", L"caf\u00e9 ok"},
        DecodeCase{"latin1-lone-continuation", "a\x80\xFF", L"a\u0080\u00ff"},
        // With the UTF-8 signature, malformed sequences give "?" and stray continuation bytes vanish.
        DecodeCase{"utf8-bad-lead",
                   "\xEF\xBB\xBF"
                   "a\xF8z",
                   L"a?z"},
        DecodeCase{"utf8-cut-sequence",
                   "\xEF\xBB\xBF"
                   "a\xE2\x82",
                   L"a?"},
        DecodeCase{"utf8-stray-continuation",
                   "\xEF\xBB\xBF"
                   "a\x80\x80z",
                   L"az"},
        DecodeCase{"utf8-overlong",
                   "\xEF\xBB\xBF"
                   "a\xC0\xAFz",
                   L"a?z"},
        DecodeCase{"utf8-surrogate",
                   "\xEF\xBB\xBF"
                   "a\xED\xA0\x80z",
                   L"a?z"},
        // A zero character ends the text.
        DecodeCase{"embedded-zero", std::string("ab\0cd", 5), L"ab"},
        DecodeCase{"utf16-no-bom", std::string("a\0b\0", 4), L"a"},
        DecodeCase{"utf16-lone-surrogate", "\xFF\xFE" + toUtf16Le(L"a") + std::string("\x00\xD8", 2) + toUtf16Le(L"b"),
                   std::wstring(L"a") + wchar_t(0xD800) + L"b"},
        DecodeCase{"utf16-odd-byte", "\xFF\xFE" + toUtf16Le(L"xy") + "\x41", L"xy"},
        DecodeCase{"utf32-out-of-range", std::string("\xFF\xFE\0\0", 4) + std::string("a\0\0\0\0\0\0\x7F", 8), L"a?"}));
} // namespace
