#include "content/CDictionary.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{

class DictionaryTest : public ::testing::Test
{
protected:
	DictionaryTest() : fileSystem(createFileSystem()), dictionary(new CDictionary(fileSystem.get())) {}

	bool loadText(const std::string& name, const std::string& text)
	{
		return dictionary->loadFile(dir.write(name, text).c_str());
	}

	TempDir dir;
	SmartPointer<IFileSystem> fileSystem;
	SmartPointer<CDictionary> dictionary;
};

struct ExpandCase
{
	const wchar_t* text;
	const wchar_t* expanded;
};

TEST_F(DictionaryTest, ExpandsTagsAndKeepsWhatIsNoTag)
{
	dictionary->setText("Name", L"Ann");
	dictionary->setText("", L"empty tag");
	const ExpandCase cases[] = {
		{L"", L""},
		{L"%", L"%"},
		{L"x", L"x"},
		{L"Hi %Name%!", L"Hi Ann!"},
		{L"%Name%%Name%", L"AnnAnn"},
		{L"a %Foo% b", L"a %Foo% b"},
		{L"100%%", L"100%"},
		{L"100%", L"100%"},
		{L"50% off", L"50% off"},
		{L"%Name% is 50% off", L"Ann is 50% off"},
		{L"%%Name%%", L"%Name%"},
	};
	for (const ExpandCase& c : cases)
		EXPECT_EQ(dictionary->expandTags(c.text), irr::core::stringw(c.expanded)) << irr::core::stringc(c.text).c_str();
}

TEST_F(DictionaryTest, FormatFillsFourPlaceholdersInOrder)
{
	dictionary->setText("Two", L"#p and #p.");
	dictionary->setText("Five", L"#p#p#p#p#p");
	dictionary->setText("Short", L"#");
	EXPECT_EQ(dictionary->format("Two", L"X", L"Y", L"Z", L"W"), irr::core::stringw(L"X and Y."));
	EXPECT_EQ(dictionary->format("Five", L"1", L"2", L"3", L"4"), irr::core::stringw(L"1234#p"));
	EXPECT_EQ(dictionary->format("Two", L"", L"Y"), irr::core::stringw(L" and Y."));
	EXPECT_EQ(dictionary->format("Short", L"X"), irr::core::stringw(L"#"));
	EXPECT_EQ(dictionary->format("Missing", L"X"), irr::core::stringw(L"%Missing%"));
	EXPECT_EQ(dictionary->getText("Foo"), irr::core::stringw(L"%Foo%"));
}

TEST_F(DictionaryTest, ReadsBothFormsAndLaterFilesReplaceRepeatedTags)
{
	ASSERT_TRUE(loadText("first.xml", R"(<?xml version="1.0" encoding="utf-8"?>
<Dictionary>
	<s n="TitleName">Tycoon</s>
	<s n="Greeting">Hello &amp; welcome</s>
	<s n="Empty"></s>
	<s n="Closed"/>
	<s n="">ignored</s>
	<s n="Kept">kept</s>
</Dictionary>
<texts>
	<phrase tag="Phrase" text="From phrase"/>
	<phrase text="No tag"/>
</texts>)"));
	EXPECT_EQ(dictionary->getText("TitleName"), irr::core::stringw(L"Tycoon"));
	EXPECT_EQ(dictionary->getText("Greeting"), irr::core::stringw(L"Hello & welcome"));
	EXPECT_TRUE(dictionary->hasText("Empty"));
	EXPECT_EQ(dictionary->getText("Empty").size(), 0u);
	EXPECT_EQ(dictionary->getText("Closed").size(), 0u);
	EXPECT_EQ(dictionary->getText("Kept"), irr::core::stringw(L"kept"));
	EXPECT_EQ(dictionary->getText("Phrase"), irr::core::stringw(L"From phrase"));
	EXPECT_EQ(dictionary->getText(""), irr::core::stringw(L"No tag"));
	EXPECT_EQ(dictionary->getTextCount(), 7u);

	ASSERT_TRUE(loadText("second.xml", "<Dictionary><s n=\"TitleName\">Second</s></Dictionary>"));
	EXPECT_EQ(dictionary->getText("TitleName"), irr::core::stringw(L"Second"));
	EXPECT_EQ(dictionary->getText("Kept"), irr::core::stringw(L"kept"));

	dictionary->clear();
	EXPECT_EQ(dictionary->getTextCount(), 0u);
}

TEST_F(DictionaryTest, MissingAndMalformedFilesLeaveTheTextsAlone)
{
	dictionary->setText("A", L"a");
	EXPECT_FALSE(dictionary->loadFile(dir.file("none.xml").c_str()));
	for (const char* text : {"", "garbage", "<Dictionary><s n=\"A\"", "<texts><phrase tag=\"B\" text=\"b"})
		EXPECT_TRUE(loadText("bad.xml", text)) << text;
	EXPECT_EQ(dictionary->getText("A"), irr::core::stringw(L"a"));
	EXPECT_FALSE(dictionary->hasText("B"));

	SmartPointer<CDictionary> withoutFiles(new CDictionary());
	EXPECT_FALSE(withoutFiles->loadFile("anything.xml"));
	EXPECT_EQ(withoutFiles->getMissText(), irr::core::stringw(L"##NO_MATCH##"));
}

} // namespace
