#include "data/GLevelModifierList.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// A list read from the Modifier elements given, inside a LevelModifiers element.
SmartPointer<GLevelModifierList> modifierList(const std::string& modifiers)
{
	SmartPointer<GLevelModifierList> list(new GLevelModifierList());
	SmartPointer<CXMLReader> reader = xmlReader("<LevelModifiers>" + modifiers + "</LevelModifiers>");
	if (readToElement(*reader, L"LevelModifiers"))
		list->load(reader.get());
	return list;
}

// The values after applying the list to fresh defaults.
std::string applied(const std::string& modifiers)
{
	GLevelModifierValues values;
	modifierList(modifiers)->applyAll(values);
	return describe(values);
}

std::string modifier(const std::string& type, const std::string& value)
{
	return "<Modifier Type=\"" + type + "\" Value=\"" + value + "\"/>";
}

struct ModifierCase
{
	const char* name;
	std::string modifiers;
	const char* expected;
};
} // namespace

TEST(GLevelModifierList, EachTypeChangesItsOwnField)
{
	const ModifierCase cases[] = {
	    {"delivery of materials", modifier("MaterialDeliveryTimeM", "0.5"), "MaterialDeliveryTimeM=0.5"},
	    {"training of workers", modifier("WorkerDeliveryTimeM", "0.75"), "WorkerDeliveryTimeM=0.75"},
	    {"material price", modifier("MaterialPriceM", "0.8"), "MaterialPriceM=0.8"},
	    {"worker price", modifier("WorkerPriceM", "0.9"), "WorkerPriceM=0.9"},
	    {"worker saving", modifier("WorkersCostA", "1"), "WorkersCostA=1"},
	    {"build time", modifier("BuildTimeM", "0.5"), "BuildTimeM=0.5"},
	    {"money letters", modifier("CanReceiveMoneyLetters", "1"), "CanReceiveMoneyLetters=1"},
	    {"no breakdowns", modifier("CanBuildingsBroke", "0"), "CanBuildingsBroke=0"},
	    {"pyramid", modifier("PyramidIncomeBonus", "20"), "PyramidIncomeBonus=20"},
	    {"station 1", modifier("StationIncomeBonus1", "5"), "StationIncomeBonus1=5"},
	    {"station 2", modifier("StationIncomeBonus2", "7"), "StationIncomeBonus2=7"},
	    {"aqua park", modifier("AquaParkIncomeBonus", "10"), "AquaParkIncomeBonus=10"},
	    {"public relations", modifier("PRIncomeBonus", "3"), "PRIncomeBonus=3"},
	    {"buying what is not for sale", modifier("BuyNotForSaleBuildingPriceBonus", "25"),
	     "BuyNotForSaleBuildingPriceBonus=25"},
	    {"purchase discount", modifier("BuyBuildingPriceDiscount", "15"), "BuyBuildingPriceDiscount=15"},
	    {"owned building price", modifier("OwnedBuildingPriceBonus", "12"), "OwnedBuildingPriceBonus=12"},
	    {"guests", modifier("GuestsCountM", "1.5"), "GuestsCountM=1.5"},
	};
	for (const ModifierCase& c : cases)
		EXPECT_EQ(applied(c.modifiers), c.expected) << c.name;
}

TEST(GLevelModifierList, FactorsCompoundSumsAddAndTheLastFlagDecides)
{
	const ModifierCase cases[] = {
	    {"two price factors", modifier("MaterialPriceM", "0.5") + modifier("MaterialPriceM", "0.8"),
	     "MaterialPriceM=0.4"},
	    {"two build time halvings", modifier("BuildTimeM", "0.5") + modifier("BuildTimeM", "0.5"), "BuildTimeM=0.25"},
	    {"worker savings from two sources", modifier("WorkersCostA", "1") + modifier("WorkersCostA", "1"),
	     "WorkersCostA=2"},
	    {"breakdowns off then on again", modifier("CanBuildingsBroke", "0") + modifier("CanBuildingsBroke", "1"), ""},
	    {"letters on then off", modifier("CanReceiveMoneyLetters", "1") + modifier("CanReceiveMoneyLetters", "-1"), ""},
	};
	for (const ModifierCase& c : cases)
		EXPECT_EQ(applied(c.modifiers), c.expected) << c.name;
}

TEST(GLevelModifierList, ElementsThatAreNoModifierAreLeftOut)
{
	const ModifierCase cases[] = {
	    {"a Type that is not in the table", modifier("BuildTime", "0.5"), ""},
	    {"a Type in other case", modifier("buildtimem", "0.5"), ""},
	    {"no Type", "<Modifier Value=\"3\"/>", ""},
	    {"another element", "<Bonus Type=\"PRIncomeBonus\" Value=\"3\"/>" + modifier("PRIncomeBonus", "2"),
	     "PRIncomeBonus=2"},
	    {"text between modifiers", "text" + modifier("PRIncomeBonus", "2") + "more", "PRIncomeBonus=2"},
	};
	for (const ModifierCase& c : cases)
		EXPECT_EQ(applied(c.modifiers), c.expected) << c.name;
	EXPECT_EQ(modifierList(modifier("BuildTime", "0.5") + modifier("BuildTimeM", "0.5"))->getCount(), 1);
}

// A factor without a Value is the identity: a build time multiplied by 0 would build at once.
TEST(GLevelModifierList, AMissingValueLeavesFactorsAloneAndAddsNothing)
{
	const ModifierCase cases[] = {
	    {"factor without Value", "<Modifier Type=\"BuildTimeM\"/>", ""},
	    {"factor with an empty Value", "<Modifier Type=\"MaterialPriceM\" Value=\"\"/>", ""},
	    {"sum without Value", "<Modifier Type=\"PRIncomeBonus\"/>", ""},
	    {"flag without Value clears it", "<Modifier Type=\"CanBuildingsBroke\"/>", "CanBuildingsBroke=0"},
	};
	for (const ModifierCase& c : cases)
		EXPECT_EQ(applied(c.modifiers), c.expected) << c.name;
	SmartPointer<GLevelModifierList> list = modifierList("<Modifier Type=\"BuildTimeM\"/>");
	ASSERT_EQ(list->getCount(), 1);
	EXPECT_EQ(list->getModifier(0)->getValue(), 1.0f);
	EXPECT_EQ(list->getModifier(1), nullptr);
}

TEST(GLevelModifierList, ResetBringsEveryFieldBackWhateverWasApplied)
{
	GLevelModifierValues values;
	modifierList(modifier("BuildTimeM", "0.5") + modifier("CanBuildingsBroke", "0") +
	             modifier("CanReceiveMoneyLetters", "1") + modifier("GuestsCountM", "2") +
	             modifier("OwnedBuildingPriceBonus", "9"))
	    ->applyAll(values);
	ASSERT_NE(describe(values), "");
	values.reset();
	EXPECT_EQ(describe(values), "");
}

TEST(GLevelModifierList, ReadsOnlyItsOwnElementAndEmptiesItselfFirst)
{
	SmartPointer<CXMLReader> reader =
	    xmlReader("<Root><LevelModifiers>" + modifier("PRIncomeBonus", "2") +
	              "</LevelModifiers><After/><LevelModifiers/>" + modifier("PRIncomeBonus", "5") + "</Root>");
	SmartPointer<GLevelModifierList> list(new GLevelModifierList());
	ASSERT_TRUE(readToElement(*reader, L"LevelModifiers"));
	list->load(reader.get());
	EXPECT_EQ(list->getCount(), 1);
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getNodeName(), L"After");

	// An empty element holds nothing and leaves the elements after it to its owner.
	ASSERT_TRUE(readToElement(*reader, L"LevelModifiers"));
	list->load(reader.get());
	EXPECT_EQ(list->getCount(), 0);
	ASSERT_TRUE(reader->read());
	EXPECT_EQ(reader->getNodeName(), L"Modifier");
}

TEST(GLevelModifierList, AnUnclosedListReadsToTheEndOfTheInput)
{
	SmartPointer<CXMLReader> reader =
	    xmlReader("<LevelModifiers>" + modifier("WorkersCostA", "1") + "<Other>" + modifier("WorkersCostA", "2"));
	SmartPointer<GLevelModifierList> list(new GLevelModifierList());
	ASSERT_TRUE(readToElement(*reader, L"LevelModifiers"));
	list->load(reader.get());
	EXPECT_EQ(list->getCount(), 2);
	EXPECT_FALSE(reader->read());
}
