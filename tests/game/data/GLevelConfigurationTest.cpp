#include "data/GLevelConfiguration.h"

#include "LevelDataTestSupport.h"
#include "data/GLevelModifierValues.h"
#include "data/GObjectiveList.h"
#include "data/GRandomEventList.h"
#include "data/GResourceOffer.h"

#include <gtest/gtest.h>

namespace
{
// One property element: <type Name="name" Value="value"/>.
std::string item(const std::string& type, const std::string& name, const std::string& value)
{
	return "<" + type + " Name=\"" + name + "\" Value=\"" + value + "\"/>\n";
}

std::string levelFile(const std::string& inner)
{
	return "<?xml version=\"1.0\"?>\n<Level>\n" + inner + "</Level>\n";
}

std::string propertiesOf(const std::string& items)
{
	return "<Properties>\n" + items + "</Properties>\n";
}

std::string offers(const irr::core::array<SmartPointer<GResourceOffer>>& list)
{
	std::string text;
	for (irr::u32 i = 0; i < list.size(); ++i)
		text += (i ? " " : "") + std::to_string(static_cast<int>(list[i]->getAmount())) + "/" +
		        std::to_string(static_cast<int>(list[i]->getPrice())) + "/" +
		        std::to_string(static_cast<int>(list[i]->getTime()));
	return text;
}

class LevelConfiguration : public testing::Test
{
protected:
	bool load(const std::string& text) { return configuration->load(xmlText(text).get()); }
	bool loadProperties(const std::string& items) { return load(levelFile(propertiesOf(items))); }

	SmartPointer<GLevelConfiguration> configuration{new GLevelConfiguration()};
};
} // namespace

TEST_F(LevelConfiguration, ReadsPropertiesObjectivesAndRandomEvents)
{
	ASSERT_TRUE(load(levelFile(
	    "<Objectives><Objective Type=\"Money\" Value=\"100\"/><Objective Type=\"Workers\" "
	    "Value=\"2\"/></Objectives>\n" +
	    propertiesOf(
	        item("string", "Name", "3") + item("stringw", "Description", "Harbour days") +
	        item("int", "SettingIndex", "4") + item("string", "UnlockLevels", "level2;") +
	        item("string", "AvailableBuildingsForBuild", " Camping1 ;; Hostel1") + item("int", "LevelTime", "420") +
	        item("int", "Score", "1000") + item("int", "ExpertScore", "1500") + item("int", "DayLength", "45") +
	        item("float", "InitMoney", "25000") + item("float", "InitRating", "10") +
	        item("float", "InitMaterialsCount", "300") + item("int", "InitWorkersCount", "3") +
	        item("float", "IncomeBonus1", "15") + item("float", "IncomeBonus2", "-10") +
	        item("string", "PyramidIncomeBonusPlaces", "P1;P2") + item("float", "StationIncomeBonus1", "5") +
	        item("float", "StationIncomeBonus2", "7") + item("string", "StationIncomeBonus1BuildingTypes", "Hostel1") +
	        item("string", "StationIncomeBonus2BuildingTypes", "Cafe1;Cafe2") +
	        item("vector2d", "BuildingsSellTime", "20000;30000") +
	        item("vector2d", "BuildingsBuyRequestTime", "1000;2000") +
	        item("vector2d", "BuildingsBuyRequestTimeWaiting", "3000;4000") + item("bool", "IsRatingOn", "false") +
	        item("bool", "IsClockOn", "false") + item("bool", "IsBuildingLevelOn", "false") +
	        item("bool", "IsBuildingPlaceLuckinessOn", "false") + item("bool", "IsSellOn", "false") +
	        item("bool", "IsNotOwnedDecorationsDirty", "true")) +
	    "<RandomEvents><Event Type=\"RegularDirtyBuildingRequest\" PeriodRange=\"1;2\"/></RandomEvents>\n"
	    "<Unknown><Properties><int Name=\"Score\" Value=\"999\"/></Properties></Unknown>\n")));
	const GLevelConfiguration& c = *configuration;
	EXPECT_EQ(wideText(c.getName()), "3");
	EXPECT_EQ(c.getLevelNumber(), 3);
	EXPECT_EQ(wideText(c.getDescription()), "Harbour days");
	EXPECT_EQ(c.getSettingIndex(), 4);
	ASSERT_EQ(c.getUnlockLevels().size(), 2u);
	EXPECT_EQ(c.getUnlockLevels()[0], "level2");
	EXPECT_EQ(c.getUnlockLevels()[1], "");
	EXPECT_EQ(idNames(c.getAvailableBuildings()), "Camping1,Hostel1");
	EXPECT_EQ(c.getLevelTime(), 420);
	// Properties inside an unknown element are skipped with it.
	EXPECT_EQ(c.getScore(), 1000);
	EXPECT_EQ(c.getExpertScore(), 1500);
	EXPECT_EQ(c.getDayLength(), 45);
	EXPECT_EQ(c.getInitMoney(), 25000.0f);
	EXPECT_EQ(c.getInitRating(), 10.0f);
	EXPECT_EQ(c.getInitMaterialsCount(), 300.0f);
	EXPECT_EQ(c.getInitWorkersCount(), 3);
	EXPECT_EQ(c.getIncomeBonus1(), 15.0f);
	EXPECT_EQ(c.getIncomeBonus2(), -10.0f);
	EXPECT_EQ(idNames(c.getPyramidIncomeBonusPlaces()), "P1,P2");
	EXPECT_EQ(c.getStationIncomeBonus1(), 5.0f);
	EXPECT_EQ(c.getStationIncomeBonus2(), 7.0f);
	EXPECT_EQ(idNames(c.getStationIncomeBonus1BuildingTypes()), "Hostel1");
	EXPECT_EQ(idNames(c.getStationIncomeBonus2BuildingTypes()), "Cafe1,Cafe2");
	EXPECT_EQ(c.getBuildingsSellTime(), irr::core::vector2df(20000.0f, 30000.0f));
	EXPECT_EQ(c.getBuildingsBuyRequestTime(), irr::core::vector2df(1000.0f, 2000.0f));
	EXPECT_EQ(c.getBuildingsBuyRequestTimeWaiting(), irr::core::vector2df(3000.0f, 4000.0f));
	// Absent: the default stays.
	EXPECT_EQ(c.getBuildingsBuyRequestPriceMultiplier(), irr::core::vector2df(0.8f, 1.0f));
	EXPECT_FALSE(c.isRatingOn());
	EXPECT_FALSE(c.isClockOn());
	EXPECT_FALSE(c.isBuildingLevelOn());
	EXPECT_FALSE(c.isBuildingPlaceLuckinessOn());
	EXPECT_FALSE(c.isSellOn());
	EXPECT_TRUE(c.isNotOwnedDecorationsDirty());
	EXPECT_EQ(c.getObjectives()->getCount(), 2u);
	EXPECT_EQ(c.getRandomEvents()->getCount(), 1u);
}

TEST_F(LevelConfiguration, LevelNumberIsTheLeadingIntegerOfTheName)
{
	struct Case
	{
		const char* name;
		int number;
	};
	for (const Case& c : {Case{"12", 12}, Case{"x3", 0}, Case{"-4b", -4}, Case{"7 Old Town", 7}, Case{"", 0}})
	{
		ASSERT_TRUE(loadProperties(item("string", "Name", c.name)));
		EXPECT_EQ(configuration->getLevelNumber(), c.number) << c.name;
	}
	// The name is read as text whatever the value's type.
	ASSERT_TRUE(loadProperties(item("int", "Name", "21")));
	EXPECT_EQ(wideText(configuration->getName()), "21");
	EXPECT_EQ(configuration->getLevelNumber(), 21);
}

TEST_F(LevelConfiguration, DefaultsStandWithoutProperties)
{
	ASSERT_TRUE(load(levelFile("<Objectives/>\n<RandomEvents/>\n")));
	const GLevelConfiguration& c = *configuration;
	EXPECT_EQ(c.getLevelNumber(), -1);
	EXPECT_EQ(c.getSettingIndex(), 1);
	EXPECT_EQ(c.getLevelTime(), -1);
	EXPECT_EQ(c.getDayLength(), 60);
	EXPECT_EQ(c.getBuildingsSellTime(), irr::core::vector2df(10000.0f, 60000.0f));
	EXPECT_EQ(c.getBuildingsBuyRequestTimeWaiting(), irr::core::vector2df(10000.0f, 20000.0f));
	EXPECT_TRUE(c.getMaterialOffers().empty());
	EXPECT_TRUE(c.getWorkerOffers().empty());
	EXPECT_TRUE(c.isRatingOn());
	EXPECT_FALSE(c.isNotOwnedDecorationsDirty());
	EXPECT_EQ(c.getRatingStep(0), 0);
	EXPECT_EQ(c.getRatingStep(1), 50);
	EXPECT_EQ(c.getRatingStep(5), 50);
	EXPECT_TRUE(load("<Level/>"));
	EXPECT_FALSE(load("<Level><Properties>" + item("int", "Score", "5")));
	EXPECT_FALSE(configuration->load(nullptr));
}

TEST_F(LevelConfiguration, ValuesOfAnotherTypeReadAsZero)
{
	ASSERT_TRUE(loadProperties(item("float", "LevelTime", "300") + item("int", "InitMoney", "5000") +
	                           item("string", "BuildingsSellTime", "1;2") + item("int", "IsClockOn", "1") +
	                           item("float", "SettingIndex", "2")));
	EXPECT_EQ(configuration->getLevelTime(), 0);
	EXPECT_EQ(configuration->getInitMoney(), 0.0f);
	EXPECT_EQ(configuration->getBuildingsSellTime(), irr::core::vector2df(0.0f, 0.0f));
	EXPECT_FALSE(configuration->isClockOn());
	EXPECT_EQ(configuration->getSettingIndex(), 0);
}

TEST_F(LevelConfiguration, DayLengthOfZeroOrBelowIsTheDefault)
{
	struct Case
	{
		std::string item;
		int dayLength;
	};
	for (const Case& c : {Case{item("int", "DayLength", "90"), 90}, Case{item("int", "DayLength", "0"), 60},
	                      Case{item("int", "DayLength", "-30"), 60}, Case{item("float", "DayLength", "90"), 60},
	                      Case{item("int", "DayLength", "1"), 1}})
	{
		SmartPointer<GLevelConfiguration> fresh(new GLevelConfiguration());
		ASSERT_TRUE(fresh->load(xmlText(levelFile(propertiesOf(c.item))).get()));
		EXPECT_EQ(fresh->getDayLength(), c.dayLength) << c.item;
	}
}

TEST_F(LevelConfiguration, OffersAreTheFixedListsOnceWhateverThePropertiesElements)
{
	const std::string materials = "125/12500/5000 250/22500/6000 500/40000/7000 1000/75000/9000 "
	                              "2500/150000/10000 5000/250000/12000";
	const std::string workers = "1/50000/5000 2/90000/7000 3/125000/10000 4/150000/12000";
	ASSERT_TRUE(
	    load(levelFile(propertiesOf(item("int", "Score", "10")) + propertiesOf(item("int", "ExpertScore", "20")))));
	EXPECT_EQ(offers(configuration->getMaterialOffers()), materials);
	EXPECT_EQ(offers(configuration->getWorkerOffers()), workers);
	// The second element adds to the first; values it lacks stay.
	EXPECT_EQ(configuration->getScore(), 10);
	EXPECT_EQ(configuration->getExpertScore(), 20);
	ASSERT_TRUE(loadProperties(""));
	EXPECT_EQ(configuration->getMaterialOffers().size(), 6u);
	EXPECT_EQ(configuration->getWorkerOffers().size(), 4u);
}

TEST(GLevelModifierValues, ResetRestoresTheDefaults)
{
	GLevelModifierValues values;
	values.buildTimeM = 0.25f;
	values.canReceiveMoneyLetters = true;
	values.reset();
	EXPECT_EQ(values.buildTimeM, 1.0f);
	EXPECT_FALSE(values.canReceiveMoneyLetters);
}
