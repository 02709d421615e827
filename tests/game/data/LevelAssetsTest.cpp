#include "../GameTestSupport.h"
#include "LevelDataTestSupport.h"
#include "content/CDictionary.h"
#include "content/IFileSystem.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GIncomeObjective.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "data/GObjective.h"
#include "data/GObjectiveList.h"
#include "data/GRandomEventList.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

// The shipped level files, read from the enciphered asset archive the build packs, as the game reads them.
namespace
{
const char* const ArchiveKey = "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";

class ShippedLevelFiles : public testing::Test
{
protected:
	void SetUp() override
	{
		const std::string archive = binaryDir() + "/bin/assets.qca";
		if (access(archive.c_str(), R_OK) != 0)
			GTEST_SKIP() << "the content set has not been built";
		files->setAssetsCryptKey(ArchiveKey);
		ASSERT_TRUE(files->addArchive(archive.c_str(), false, false));
		ASSERT_TRUE(dictionary->loadFile("strings/Dictionary.xml"));
	}

	// The file read from the archive by the reader of the given class; false when it is not there.
	template <class T> bool load(const std::string& name, T& into)
	{
		SmartPointer<CXMLReader> reader(files->createXMLReader(irr::core::stringc(name.c_str())));
		EXPECT_TRUE(reader) << name << " is not in the archive";
		return reader && into.load(reader.get());
	}

	// Every point lies on the screen or within a car's length of its edge.
	static void expectDrawable(const GLevelPath& path, const std::string& where)
	{
		EXPECT_GE(path.getPoints().size(), 2u) << where;
		for (irr::u32 i = 0; i < path.getPoints().size(); ++i)
		{
			const GLevelPathPoint& p = path.getPoints()[i];
			EXPECT_TRUE(p.x >= -300 && p.x <= 1324 && p.y >= -100 && p.y <= 920) << where << " point " << i;
		}
	}

	// The text as the player reads it: not empty, every tag known to the shipped dictionary.
	void expectShown(const irr::core::stringw& text, const std::string& where)
	{
		const irr::core::stringw shown = dictionary->expandTags(text);
		EXPECT_GT(shown.size(), 0u) << where;
		EXPECT_EQ(shown.findFirst(L'%'), -1) << where << ": " << wideText(text);
	}

	SmartPointer<IFileSystem> files{createFileSystem()};
	SmartPointer<CDictionary> dictionary{new CDictionary(files.get())};
	LogCapture log;
};
} // namespace

// The campaign's levels are numbered 1 to 28 without gaps.
TEST_F(ShippedLevelFiles, TheCampaignHasTwentyEightLevels)
{
	int last = 0;
	while (files->existFile(("levels/level" + std::to_string(last + 1) + "/LevelConfiguration.xml").c_str(), true))
		++last;
	EXPECT_EQ(last, 28);
	EXPECT_FALSE(files->existFile("levels/level29/LevelConfiguration.xml", true));
}

TEST_F(ShippedLevelFiles, LevelsAreNumberedByTheirFolderAndGetHarder)
{
	struct Shipped
	{
		int number;
		irr::u32 objectives;
		irr::u32 events;
		float money;
		float income;
		int time;
		int setting;
		irr::u32 lines;
	};
	Shipped previous{0, 0, 0, 0.0f, 0.0f, 0, 1, 0};
	for (int number = 1; number <= 28; ++number)
	{
		const std::string folder = "levels/level" + std::to_string(number) + "/";
		SmartPointer<GLevelConfiguration> level(new GLevelConfiguration());
		ASSERT_TRUE(load(folder + GLevelConfiguration::FileName, *level)) << folder;
		// The folder, the level scores key ("level" + Name) and the level number agree, and the number maps
		// to a level location of the map and back.
		EXPECT_EQ("levels/level" + wideText(level->getName()) + "/", folder);
		EXPECT_EQ(level->getLevelNumber(), number);
		const int location = (number - 1) + (number - 1) / 7;
		EXPECT_NE((location + 1) % 8, 0) << "a mini-game location";
		EXPECT_EQ(location - (location + 1) / 8, number - 1);

		EXPECT_GT(level->getInitMoney(), 0.0f) << folder;
		EXPECT_GT(level->getLevelTime(), 0) << folder;
		EXPECT_LT(level->getScore(), level->getExpertScore()) << folder;
		EXPECT_FALSE(level->getAvailableBuildings().empty()) << folder;
		EXPECT_EQ(level->getMaterialOffers().size(), 6u);
		EXPECT_EQ(level->getWorkerOffers().size(), 4u);
		// What the objectives popup and the play screen show.
		expectShown(level->getDescription(), folder + " description");
		for (irr::u32 i = 0; i < level->getObjectives()->getCount(); ++i)
		{
			GObjective* objective = level->getObjectives()->get(i);
			const std::string where = folder + " objective " + std::to_string(i);
			expectShown(objective->getText(*dictionary, false), where);
			expectShown(objective->getText(*dictionary, true), where);
			if (objective->getHintText().size() > 0)
				expectShown(objective->getHintText(), where + " hint");
		}
		float income = previous.income;
		for (irr::u32 i = 0; i < level->getObjectives()->getCount(); ++i)
			if (auto* goal = dynamic_cast<GIncomeObjective*>(level->getObjectives()->get(i)))
				income = goal->getValue();
		const Shipped shipped{number,
		                      level->getObjectives()->getCount(),
		                      level->getRandomEvents()->getCount(),
		                      level->getInitMoney(),
		                      income,
		                      level->getLevelTime(),
		                      level->getSettingIndex(),
		                      level->getAvailableBuildings().size()};
		EXPECT_GE(shipped.objectives, 2u) << folder;
		EXPECT_GE(shipped.events, 1u) << folder;
		// Each level asks at least as much as the one before, and more in the long run: the goals and
		// interruptions, the daily income asked for and the money to work with never fall.
		EXPECT_GE(shipped.events + shipped.objectives, previous.events + previous.objectives) << folder;
		EXPECT_GE(shipped.income, previous.income) << folder;
		EXPECT_GE(shipped.money, previous.money) << folder;
		// Bigger goals get more time: 20 s more a level (the first level of a district gets a minute on top).
		EXPECT_GE(shipped.time, 300 + 20 * (number - 1)) << folder;
		// One scenery per district of seven levels, the last one under snow.
		EXPECT_EQ(shipped.setting == 4, number > 21) << folder;
		EXPECT_GE(shipped.setting, number > 7 ? (number - 1) / 7 + 1 : 1) << folder;
		// The lines on offer only grow, as the shop opens them.
		EXPECT_GE(shipped.lines, previous.lines) << folder;
		previous = shipped;

		// The buildings it allows are building lines of the buildings configuration.
		SmartPointer<GBuildingsConfiguration> buildings(new GBuildingsConfiguration());
		if (files->existFile("levels/common/BuildingsConfiguration.xml", true))
		{
			ASSERT_TRUE(load("levels/common/BuildingsConfiguration.xml", *buildings));
			for (irr::u32 i = 0; i < level->getAvailableBuildings().size(); ++i)
				EXPECT_TRUE(buildings->findBuilding(level->getAvailableBuildings()[i]))
				    << folder << ": " << getStringById(level->getAvailableBuildings()[i]).c_str();
		}

		SmartPointer<GLevelPaths> paths(new GLevelPaths());
		ASSERT_TRUE(load(folder + GLevelPaths::FileName, *paths)) << folder;
		const irr::core::array<SmartPointer<GLevelPath>> traffic = paths->getCarPaths(internStringId("NeutralCar"));
		EXPECT_FALSE(traffic.empty()) << folder;
		for (irr::u32 i = 0; i < traffic.size(); ++i)
		{
			EXPECT_FALSE(traffic[i]->getCars().empty()) << folder;
			EXPECT_NE(traffic[i]->getTime(), irr::core::vector2di(0, 0)) << folder;
			EXPECT_LE(traffic[i]->getTime().X, traffic[i]->getTime().Y) << folder;
		}
		EXPECT_GT(paths->getCarGroupCount(), 1) << folder << ": no routes for work vehicles";
		EXPECT_FALSE(paths->getPedestrianPaths().empty()) << folder;
		for (irr::u32 i = 0; i < paths->getPedestrianPaths().size(); ++i)
			expectDrawable(*paths->getPedestrianPaths()[i], folder + " footpath");
		for (irr::u32 i = 0; i < traffic.size(); ++i)
			expectDrawable(*traffic[i], folder + " road");
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST_F(ShippedLevelFiles, ObjectiveTextsOfEveryTypeAreInTheDictionary)
{
	for (const char* key :
	     {"MoneyDollar", "Obj_Income", "Obj_IncomeFull", "Obj_Workers", "Obj_HaveGuests", "GamePlay_CompleteHintMoney",
	      "GamePlay_CompleteHintIncome", "GamePlay_CompleteHintWorkers", "GamePlay_CompleteHintGuests"})
		EXPECT_TRUE(dictionary->hasText(key)) << key;
	EXPECT_EQ(wideText(dictionary->format("Obj_Income", L"16,000")), "Earn $16,000 a day");
}

TEST_F(ShippedLevelFiles, MainMenuTrafficHasEveryKindOfMover)
{
	SmartPointer<GLevelPaths> paths(new GLevelPaths());
	ASSERT_TRUE(load(GLevelPaths::BackgroundTrafficFileName, *paths));
	for (const char* id : {"Path", "Bike", "Clouds"})
	{
		const irr::core::array<SmartPointer<GLevelPath>> group = paths->getCarPaths(internStringId(id));
		EXPECT_GE(group.size(), 2u) << id << ": fewer than two routes repeat themselves";
		for (irr::u32 i = 0; i < group.size(); ++i)
			expectDrawable(*group[i], id);
	}
	// Cars cross the horizon of the street (y 668), where they are drawn smallest.
	const irr::core::array<SmartPointer<GLevelPath>> cars = paths->getCarPaths(internStringId("Path"));
	for (irr::u32 i = 0; i < cars.size(); ++i)
	{
		float top = 10000.0f;
		for (irr::u32 k = 0; k < cars[i]->getPoints().size(); ++k)
			top = std::min(top, cars[i]->getPoints()[k].y);
		EXPECT_LE(top, 668.0f);
	}
	EXPECT_GE(paths->getPedestrianPaths().size(), 2u);
	for (irr::u32 i = 0; i < paths->getPedestrianPaths().size(); ++i)
		expectDrawable(*paths->getPedestrianPaths()[i], "footpath");
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}
