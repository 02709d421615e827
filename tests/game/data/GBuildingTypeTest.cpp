#include "data/GBuildingType.h"

#include "DataTestSupport.h"
#include "data/GLevelModifierValues.h"

#include <gtest/gtest.h>

namespace
{
// A record read from one Building element.
SmartPointer<GBuildingType> readBuilding(const std::string& building)
{
	SmartPointer<GBuildingType> record(new GBuildingType());
	SmartPointer<CXMLReader> reader = xmlReader(building);
	if (readToElement(*reader, L"Building"))
		record->read(reader.get());
	return record;
}

SmartPointer<GBuildingType> readProperties(const std::string& properties)
{
	return readBuilding(buildingXml(properties));
}

std::string vectorText(const irr::core::vector2df& v)
{
	std::ostringstream out;
	out << v.X << ";" << v.Y;
	return out.str();
}

// A level whose modifiers in force save that many workers.
GLevelModifierValues workersSaving(float sum)
{
	GLevelModifierValues values;
	values.workersCostA = sum;
	return values;
}
} // namespace

TEST(GBuildingType, ReadsEveryPropertyOfARecord)
{
	SmartPointer<GBuildingType> r = readProperties(
	    property("string", "DisplayName", "Building_Hostel") + property("string", "Description", "Beds") +
	    property("stringw", "FullDescription", "Beds and breakfast") + property("float", "PreviewScale", "0.5") +
	    property("string", "BuiltSoundCueName", "Built") + property("string", "SelectedSoundCueName", "Hum") +
	    property("string", "Name", "Hostel2") + property("string", "NextLevelName", "Hostel3") +
	    property("int", "Level", "2") + property("int", "Type", "0") +
	    property("string", "ButtonTemplate", "Game_HostelButton") + property("float", "BuildTime", "9000") +
	    property("float", "RepairTime", "3000") + property("float", "DestroyTime", "2500") +
	    property("int", "ProvidedService", "5") + property("vector2d", "ServeArea", "200;120") +
	    property("vector2d", "BoostedServeArea", "300;180") + property("float", "ServeAreaIncomeBonus", "8") +
	    property("float", "ServeTime", "4000") + property("float", "ServeIncome", "12") +
	    property("float", "ServeBoostedIncome", "30") + property("float", "Income", "900") +
	    property("float", "SellPrice", "45000") + property("float", "Cost", "30000") +
	    property("float", "BrokenServeAreaIncomeBonus", "-4") + property("float", "BuildMaterialsCost", "60") +
	    property("int", "BuildWorkersCost", "3") + property("float", "RepairMaterialsCost", "15") +
	    property("int", "RepairWorkersCost", "2") + property("int", "DestroyWorkersCost", "2") +
	    property("int", "GuestsCount", "14"));
	EXPECT_EQ(r->getDisplayName(), "Building_Hostel");
	EXPECT_EQ(r->getDescription(), L"Beds");
	EXPECT_EQ(r->getFullDescription(), L"Beds and breakfast");
	EXPECT_EQ(r->getPreviewScale(), 0.5f);
	EXPECT_EQ(r->getBuiltSoundCueName(), internStringId("Built"));
	EXPECT_EQ(r->getSelectedSoundCueName(), internStringId("Hum"));
	EXPECT_EQ(r->getName(), internStringId("Hostel2"));
	EXPECT_EQ(r->getNextLevelName(), internStringId("Hostel3"));
	EXPECT_FALSE(r->isTopOfLine());
	EXPECT_EQ(r->getLevel(), 2);
	EXPECT_EQ(r->getType(), 0);
	EXPECT_EQ(r->getButtonTemplate(), internStringId("Game_HostelButton"));
	EXPECT_EQ(r->getBuildTime(), 9000.0f);
	EXPECT_EQ(r->getRepairTime(), 3000.0f);
	EXPECT_EQ(r->getDestroyTime(), 2500.0f);
	EXPECT_EQ(r->getProvidedService(), 5);
	EXPECT_EQ(vectorText(r->getServeArea()), "200;120");
	EXPECT_EQ(vectorText(r->getBoostedServeArea()), "300;180");
	EXPECT_EQ(r->getServeAreaIncomeBonus(0, 0), 8.0f);
	EXPECT_EQ(r->getServeAreaIncomeBonus(0, 1), -4.0f);
	EXPECT_EQ(r->getServeTime(), 4000.0f);
	EXPECT_EQ(r->getServeIncome(), 12.0f);
	EXPECT_EQ(r->getServeBoostedIncome(), 30.0f);
	EXPECT_EQ(r->getIncome(), 900.0f);
	EXPECT_EQ(r->getSellPrice(), 45000.0f);
	EXPECT_EQ(r->getCost(), 30000.0f);
	EXPECT_EQ(r->getBuildMaterialsCost(nullptr), 60.0f);
	EXPECT_EQ(r->getBuildWorkersCost(nullptr), 3);
	EXPECT_EQ(r->getRepairMaterialsCost(nullptr), 15.0f);
	EXPECT_EQ(r->getRepairWorkersCost(nullptr), 2);
	EXPECT_EQ(r->getDestroyWorkersCost(nullptr), 2);
	EXPECT_EQ(r->getGuestsCount(nullptr), 14);
}

TEST(GBuildingType, AbsentPropertiesKeepTheirDefaults)
{
	SmartPointer<GBuildingType> r = readBuilding("<Building><Unknown><Properties/></Unknown></Building>");
	EXPECT_TRUE(r->getName().isEmpty());
	EXPECT_TRUE(r->isTopOfLine());
	EXPECT_TRUE(r->getButtonTemplate().isEmpty());
	EXPECT_EQ(r->getDisplayName(), "");
	EXPECT_EQ(r->getPreviewScale(), 0.75f);
	EXPECT_EQ(r->getLevel(), 0);
	EXPECT_EQ(r->getBuildTime(), 5000.0f);
	EXPECT_EQ(r->getRepairTime(), 2000.0f);
	EXPECT_EQ(r->getDestroyTime(), 1500.0f);
	EXPECT_EQ(r->getServeTime(), 2000.0f);
	EXPECT_EQ(r->getBuildMaterialsCost(nullptr), 10.0f);
	EXPECT_EQ(r->getBuildWorkersCost(nullptr), 1);
	EXPECT_EQ(r->getRepairMaterialsCost(nullptr), 10.0f);
	EXPECT_EQ(r->getRepairWorkersCost(nullptr), 1);
	EXPECT_EQ(r->getDestroyWorkersCost(nullptr), 1);
	EXPECT_EQ(r->getFeatureCount(), 0);
	EXPECT_FALSE(r->getLevelModifiers());
}

TEST(GBuildingType, AValueOfAnotherTypeReadsAsZero)
{
	struct Case
	{
		const char* name;
		std::string properties;
		std::string (*read)(const GBuildingType&);
		const char* expected;
	};
	const Case cases[] = {
	    {"level written as a float", property("float", "Level", "2"),
	     [](const GBuildingType& r) { return std::to_string(r.getLevel()); }, "0"},
	    {"build time written as an int", property("int", "BuildTime", "9000"),
	     [](const GBuildingType& r) { return std::to_string(r.getBuildTime()); }, "0.000000"},
	    {"serve area written as a string", property("string", "ServeArea", "100;100"),
	     [](const GBuildingType& r) { return vectorText(r.getServeArea()); }, "0;0"},
	    {"guests of an unknown value type", property("number", "GuestsCount", "5"),
	     [](const GBuildingType& r) { return std::to_string(r.getGuestsCount(nullptr)); }, "0"},
	    {"a name written as an int is its text", property("int", "Name", "17"),
	     [](const GBuildingType& r) { return std::string(getStringById(r.getName()).c_str()); }, "17"},
	    {"an empty name is no name", property("string", "Name", ""),
	     [](const GBuildingType& r) { return std::to_string(r.getName().id); }, "-1"},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.read(*readProperties(c.properties)), c.expected) << c.name;
}

TEST(GBuildingType, BoostedServeAreaFallsBackToTheServeArea)
{
	const struct
	{
		const char* boosted;
		const char* expected;
	} cases[] = {{nullptr, "160;80"}, {"0;0", "160;80"}, {"0;5", "0;5"}, {"240;120", "240;120"}};
	for (const auto& c : cases)
	{
		std::string properties = property("vector2d", "ServeArea", "160;80");
		if (c.boosted)
			properties += property("vector2d", "BoostedServeArea", c.boosted);
		EXPECT_EQ(vectorText(readProperties(properties)->getBoostedServeArea()), c.expected)
		    << (c.boosted ? c.boosted : "absent");
	}
}

TEST(GBuildingType, OnlyServicesFourAndFiveAreKept)
{
	const int cases[][2] = {{0, 0}, {3, 0}, {4, 4}, {5, 5}, {6, 0}, {-5, 0}};
	for (const auto& c : cases)
		EXPECT_EQ(readProperties(property("int", "ProvidedService", std::to_string(c[0])))->getProvidedService(), c[1])
		    << c[0];
}

TEST(GBuildingType, WorkerSavingsLeaveAtLeastOneWorker)
{
	SmartPointer<GBuildingType> r =
	    readProperties(property("int", "BuildWorkersCost", "3") + property("int", "DestroyWorkersCost", "3"));
	const struct
	{
		float saving;
		int expected;
	} cases[] = {{0.0f, 3}, {0.5f, 2}, {1.5f, 1}, {2.5f, 1}, {5.0f, 1}, {-1.0f, 4}, {-1e30f, 2147483647}};
	for (const auto& c : cases)
	{
		const GLevelModifierValues values = workersSaving(c.saving);
		EXPECT_EQ(r->getBuildWorkersCost(&values), c.expected) << c.saving;
		EXPECT_EQ(r->getDestroyWorkersCost(&values), c.expected) << c.saving;
	}
	EXPECT_EQ(r->getBuildWorkersCost(nullptr), 3);
	const GLevelModifierValues undefinedSaving = workersSaving(std::nanf(""));
	EXPECT_EQ(r->getBuildWorkersCost(&undefinedSaving), 1);
}

TEST(GBuildingType, OnlyHotelGuestsFollowTheGuestsFactor)
{
	const struct
	{
		int type;
		float factor;
		int expected;
	} cases[] = {{0, 1.5f, 11}, {1, 1.5f, 7}, {0, 1.0f, 7}, {0, 0.5f, 4}, {0, 0.0f, 0}, {4, 2.0f, 7}, {0, 1e30f, 7}};
	for (const auto& c : cases)
	{
		SmartPointer<GBuildingType> r =
		    readProperties(property("int", "Type", std::to_string(c.type)) + property("int", "GuestsCount", "7"));
		GLevelModifierValues values;
		values.guestsCountM = c.factor;
		EXPECT_EQ(r->getGuestsCount(&values), c.expected) << "type " << c.type << " factor " << c.factor;
		EXPECT_EQ(r->getGuestsCount(nullptr), 7);
	}
}

TEST(GBuildingType, ServeAreaBonusDependsOnWorkAndCondition)
{
	SmartPointer<GBuildingType> r = readProperties(property("float", "ServeAreaIncomeBonus", "10") +
	                                               property("float", "BrokenServeAreaIncomeBonus", "-5"));
	const struct
	{
		int workKind;
		int condition;
		float expected;
	} cases[] = {{0, 0, 10.0f}, {0, 2, -5.0f}, {0, 3, -5.0f}, {1, 0, 0.0f}, {3, 2, 0.0f}, {4, 0, 0.0f}};
	for (const auto& c : cases)
		EXPECT_EQ(r->getServeAreaIncomeBonus(c.workKind, c.condition), c.expected)
		    << "work " << c.workKind << " condition " << c.condition;
}

TEST(GBuildingType, FeaturesKeepFileOrderAndTheirAttributeDefaults)
{
	SmartPointer<GBuildingType> r = readBuilding(namedBuildingXml(
	    "Cafe", "",
	    "<ActiveFeature ButtonName=\"Game_CafeMusic\" DurationTime=\"12000\" RechargeTime=\"30000\" MoneyCost=\"2500\""
	    " Name=\"Live music\" InfoText=\"A band plays\" ButtonInfoText=\"Hire a band\">"
	    "<Feature Type=\"BoostIncome\"/><Other/><Feature Type=\"BoostServeArea\"/>"
	    "<LevelModifiers><Modifier Type=\"PRIncomeBonus\" Value=\"2\"/></LevelModifiers>"
	    "</ActiveFeature>"
	    "<ActiveFeature DurationTime=\"8000\"></ActiveFeature>"
	    "<ActiveFeature></ActiveFeature>"
	    "<ActiveFeature RechargeTime=\"500\"/>"));
	ASSERT_EQ(r->getFeatureCount(), 4);
	const GBuildingFeature& music = *r->getFeature(0);
	EXPECT_EQ(music.getButtonName(), internStringId("Game_CafeMusic"));
	EXPECT_EQ(music.getDurationTime(), 12000);
	EXPECT_EQ(music.getRechargeTime(), 30000);
	EXPECT_EQ(music.getMoneyCost(), 2500.0f);
	EXPECT_EQ(music.getName(), L"Live music");
	EXPECT_EQ(music.getInfoText(), L"A band plays");
	EXPECT_EQ(music.getButtonInfoText(), L"Hire a band");
	EXPECT_EQ(music.getEffects(),
	          (std::vector<StringId>{internStringId("BoostIncome"), internStringId("BoostServeArea")}));
	EXPECT_TRUE(music.hasEffect(internStringId("BoostServeArea")));
	ASSERT_TRUE(music.getLevelModifiers());
	EXPECT_EQ(music.getLevelModifiers()->getCount(), 1);

	const struct
	{
		int duration, recharge;
	} defaults[] = {{8000, 8000}, {15000, 15000}, {15000, 500}};
	for (int i = 1; i < 4; ++i)
	{
		const GBuildingFeature& f = *r->getFeature(i);
		EXPECT_EQ(f.getDurationTime(), defaults[i - 1].duration) << i;
		EXPECT_EQ(f.getRechargeTime(), defaults[i - 1].recharge) << i;
		EXPECT_EQ(f.getMoneyCost(), 0.0f) << i;
		EXPECT_TRUE(f.getEffects().empty()) << i;
		EXPECT_FALSE(f.getLevelModifiers()) << i;
	}
	EXPECT_EQ(r->getFeature(4), nullptr);
	EXPECT_EQ(r->getFeature(-1), nullptr);
}

TEST(GBuildingType, ACopyHasItsOwnCountAndSharesTheModifierLists)
{
	SmartPointer<GBuildingType> r = readBuilding(
	    namedBuildingXml("Garden1", property("float", "Income", "100"),
	                     "<LevelModifiers><Modifier Type=\"GuestsCountM\" Value=\"1.2\"/></LevelModifiers>"
	                     "<ActiveFeature><LevelModifiers><Modifier Type=\"BuildTimeM\" Value=\"0.5\"/></LevelModifiers>"
	                     "</ActiveFeature>"));
	SmartPointer<GBuildingType> copy(new GBuildingType(*r));
	EXPECT_EQ(copy->getReferenceCount(), 1);
	EXPECT_EQ(copy->getName(), r->getName());
	EXPECT_EQ(copy->getIncome(), 100.0f);
	EXPECT_EQ(copy->getLevelModifiers(), r->getLevelModifiers());
	EXPECT_EQ(copy->getLevelModifiers()->getReferenceCount(), 2);
	ASSERT_EQ(copy->getFeatureCount(), 1);
	EXPECT_EQ(copy->getFeature(0)->getLevelModifiers(), r->getFeature(0)->getLevelModifiers());

	// The copy's lists outlive the record it was copied from.
	r = nullptr;
	GLevelModifierValues values;
	copy->getLevelModifiers()->applyAll(values);
	copy->getFeature(0)->getLevelModifiers()->applyAll(values);
	EXPECT_EQ(describe(values), "BuildTimeM=0.5 GuestsCountM=1.2");
}

TEST(GBuildingType, ReadingAgainStartsWithoutTheOldFeaturesAndModifiers)
{
	SmartPointer<GBuildingType> r =
	    readBuilding(namedBuildingXml("Cafe", "", "<LevelModifiers></LevelModifiers><ActiveFeature></ActiveFeature>"));
	ASSERT_EQ(r->getFeatureCount(), 1);
	SmartPointer<CXMLReader> reader = xmlReader(namedBuildingXml("Cafe2"));
	ASSERT_TRUE(readToElement(*reader, L"Building"));
	r->read(reader.get());
	EXPECT_EQ(r->getName(), internStringId("Cafe2"));
	EXPECT_EQ(r->getFeatureCount(), 0);
	EXPECT_FALSE(r->getLevelModifiers());
}
