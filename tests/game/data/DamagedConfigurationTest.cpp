#include "ConfigXml.h"
#include "support/LogCapture.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GLogosList.h"
#include "data/GObjectiveList.h"
#include "data/GRandomEventList.h"
#include "data/GUpgrade.h"
#include "data/GUpgradesConfiguration.h"

#include <gtest/gtest.h>

#include <functional>

// The shipped configuration files as a tester damages them: numbers huge, negative, infinite or not numbers at
// all, files cut short. Each is read by the real reader; the number is refused with the log line and the
// default stands.
namespace
{
const char* const Refused = "Number out of range; the default is kept";

struct Case
{
	const char* name;
	std::string file;
	// The value the reader ends with, as text.
	std::function<std::string(const std::string& file)> read;
	const char* expected;
	const char* refusedName; // the hint of the log line; null: nothing refused
};

std::string level(const std::string& inner)
{
	return "<Level><Properties><string Name=\"Name\" Value=\"1\"/>" + inner + "</Properties></Level>";
}

SmartPointer<GLevelConfiguration> readLevel(const std::string& file)
{
	SmartPointer<GLevelConfiguration> configuration(new GLevelConfiguration());
	configuration->load(configReader(file).get());
	return configuration;
}

std::string building(const std::string& inner)
{
	return "<BuildingsConfiguration><Building><Properties><string Name=\"Name\" Value=\"Camp\"/>" + inner +
	       "</Properties></Building></BuildingsConfiguration>";
}

SmartPointer<GBuildingType> readBuilding(const std::string& file)
{
	SmartPointer<GBuildingsConfiguration> configuration(new GBuildingsConfiguration());
	configuration->load(configReader(file).get());
	return configuration->findBuilding(internStringId("Camp"));
}

GLevelScoreEntry readScores(const std::string& file)
{
	GLevelScores scores;
	scores.load(configReader(file).get());
	return scores.lookup("level1");
}

SmartPointer<GUpgrade> readUpgrade(const std::string& file)
{
	SmartPointer<GUpgradesConfiguration> upgrades(new GUpgradesConfiguration());
	upgrades->load(configReader(file).get());
	return upgrades->findUpgrade(internStringId("Roads"));
}

std::string upgrade(const std::string& inner)
{
	return "<UpgradesConfiguration><Upgrade><Name Value=\"Roads\"/>" + inner + "</Upgrade></UpgradesConfiguration>";
}

std::string objectivesOf(const std::string& objectives)
{
	return "<Level><Objectives>" + objectives + "</Objectives></Level>";
}

std::string objectiveCount(const std::string& file)
{
	return std::to_string(readLevel(file)->getObjectives()->getCount());
}

std::string text(float value)
{
	return std::to_string(static_cast<long long>(value));
}

template <class T> std::string pairText(const irr::core::vector2d<T>& pair)
{
	return text(static_cast<float>(pair.X)) + ";" + text(static_cast<float>(pair.Y));
}

std::string publisherLogoPos(const std::string& file)
{
	SmartPointer<GLogosList> logos(new GLogosList());
	logos->load(configReader(file).get());
	return logos->getPublisherLogoCount() == 1 ? pairText(logos->getPublisherLogo(0).pos) : "none";
}

// A range of the one random event of a level, as text.
template <class Get> std::string eventRange(const std::string& file, Get get)
{
	SmartPointer<GLevelConfiguration> level = readLevel(file);
	const GRandomEventList* events = level->getRandomEvents();
	return events && events->getCount() == 1 ? pairText(get(*events->get(0))) : "none";
}

std::string eventOf(const std::string& attributes)
{
	return "<Level><RandomEvents><Event " + attributes + "/></RandomEvents></Level>";
}
} // namespace

TEST(DamagedConfiguration, NumbersOutOfTheirRangeKeepTheDefaultWithALogLine)
{
	const auto money = [](const std::string& f) { return text(readLevel(f)->getInitMoney()); };
	const auto levelTime = [](const std::string& f) { return std::to_string(readLevel(f)->getLevelTime()); };
	const auto dayLength = [](const std::string& f) { return std::to_string(readLevel(f)->getDayLength()); };
	const auto expert = [](const std::string& f) { return std::to_string(readLevel(f)->getExpertScore()); };
	const auto number = [](const std::string& f) { return std::to_string(readLevel(f)->getLevelNumber()); };
	const auto cost = [](const std::string& f) { return text(readBuilding(f)->getCost()); };
	const auto buildTime = [](const std::string& f) { return text(readBuilding(f)->getBuildTime()); };
	const auto buildingLevel = [](const std::string& f) { return std::to_string(readBuilding(f)->getLevel()); };
	const auto scoreTime = [](const std::string& f) { return std::to_string(readScores(f).time); };
	const auto score = [](const std::string& f) { return std::to_string(readScores(f).score); };
	const auto obligatory = [](const std::string& f) { return std::to_string(readUpgrade(f)->getObligatoryLevel()); };
	const auto price = [](const std::string& f) { return std::to_string(readUpgrade(f)->getPrice()); };
	const auto letterMoney = [](const std::string& f)
	{ return eventRange(f, [](const GRandomEvent& event) { return event.getMoneyRange(); }); };
	const auto weatherTime = [](const std::string& f)
	{ return eventRange(f, [](const GRandomEvent& event) { return event.getDurationTimeRange(); }); };

	const Case cases[] = {
	    {"money in range", level("<float Name=\"InitMoney\" Value=\"25000\"/>"), money, "25000", nullptr},
	    {"huge money", level("<float Name=\"InitMoney\" Value=\"1e30\"/>"), money, "0", "InitMoney"},
	    {"infinite money", level("<float Name=\"InitMoney\" Value=\"1e999\"/>"), money, "0", "InitMoney"},
	    {"negative infinite money", level("<float Name=\"InitMoney\" Value=\"-1e999\"/>"), money, "0", "InitMoney"},
	    {"huge level time", level("<int Name=\"LevelTime\" Value=\"2000000000\"/>"), levelTime, "-1", "LevelTime"},
	    {"negative level time", level("<int Name=\"LevelTime\" Value=\"-7\"/>"), levelTime, "-1", "LevelTime"},
	    {"huge day length", level("<int Name=\"DayLength\" Value=\"99999999999\"/>"), dayLength, "60", "DayLength"},
	    {"negative expert score", level("<int Name=\"ExpertScore\" Value=\"-5\"/>"), expert, "0", "ExpertScore"},
	    {"huge level number",
	     "<Level><Properties><string Name=\"Name\" Value=\"99999999999\"/></Properties></Level>", number, "0",
	     "Name"},
	    {"huge cost", building("<float Name=\"Cost\" Value=\"3e38\"/>"), cost, "0", "Cost"},
	    {"negative huge build time", building("<float Name=\"BuildTime\" Value=\"-1e20\"/>"), buildTime, "5000",
	     "BuildTime"},
	    {"huge building level", building("<int Name=\"Level\" Value=\"2147483647\"/>"), buildingLevel, "0", "Level"},
	    {"huge score time", "<LevelScores><Level Name=\"level1\" Score=\"5\" Time=\"4000000000\"/></LevelScores>",
	     scoreTime, "0", "Time"},
	    {"negative score", "<LevelScores><Level Name=\"level1\" Score=\"-100\"/></LevelScores>", score, "0",
	     "Score"},
	    {"huge obligatory level", upgrade("<ObligatoryLevel Value=\"2147483647\"/>"), obligatory, "0", "Value"},
	    {"infinite price", upgrade("<Price Value=\"1e999\"/>"), price, "0", "Value"},
	    {"logo in place", "<Logos><QuillLogo Image=\"q.png\" Pos=\"16;704\"/></Logos>", publisherLogoPos, "16;704",
	     nullptr},
	    {"logo far off", "<Logos><QuillLogo Image=\"q.png\" Pos=\"16;1e30\"/></Logos>", publisherLogoPos, "0;0", "Pos"},
	    {"letter money in range", eventOf("Type=\"OneTimeLetterRequest\" MoneyRange=\"1000;5000\""), letterMoney,
	     "1000;5000", nullptr},
	    {"infinite letter money", eventOf("Type=\"OneTimeLetterRequest\" MoneyRange=\"1000;1e999\""), letterMoney,
	     "0;0", "MoneyRange"},
	    {"huge weather time", eventOf("Type=\"RegularWeatherEffectRequest\" DurationTimeRange=\"5000;99999999999\""),
	     weatherTime, "0;0", "DurationTimeRange"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		LogCapture log;
		EXPECT_EQ(c.read(c.file), c.expected);
		if (c.refusedName)
		{
			ASSERT_TRUE(log.contains(Refused, 1)) << log.dump();
			bool named = false;
			for (const LogCapture::Line& line : log.lines)
				named = named || (line.text == Refused && line.hint == c.refusedName);
			EXPECT_TRUE(named) << log.dump();
		}
		else
		{
			EXPECT_EQ(log.problemCount(), 0u) << log.dump();
		}
	}
}

// An objective whose numbers are refused is no goal: it is dropped, so a level whose objectives are all damaged
// has none (and the play screen refuses to start it).
TEST(DamagedConfiguration, ObjectivesWithRefusedNumbersAreDropped)
{
	const Case cases[] = {
	    {"valid", objectivesOf("<Objective Type=\"Money\" Value=\"40000\"/>"), objectiveCount, "1", nullptr},
	    {"negative money", objectivesOf("<Objective Type=\"Money\" Value=\"-40000\"/>"), objectiveCount, "0",
	     "Value"},
	    {"infinite income", objectivesOf("<Objective Type=\"Income\" Value=\"1e999\"/>"), objectiveCount, "0",
	     "Value"},
	    {"negative workers", objectivesOf("<Objective Type=\"Workers\" Value=\"-1\"/>"), objectiveCount, "0",
	     "Value"},
	    {"huge guests", objectivesOf("<Objective Type=\"GuestsCount\" Value=\"99999999999\"/>"), objectiveCount,
	     "0", "Value"},
	    {"one of two damaged",
	     objectivesOf("<Objective Type=\"Money\" Value=\"-1\"/><Objective Type=\"Workers\" Value=\"3\"/>"),
	     objectiveCount, "1", "Value"},
	    {"negative served guests",
	     objectivesOf("<Objective Type=\"HaveTypedBuildingsCount\" Value=\"2\" MinServedGuests=\"-3\"/>"),
	     objectiveCount, "0", "MinServedGuests"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		LogCapture log;
		EXPECT_EQ(c.read(c.file), c.expected);
		EXPECT_EQ(log.contains(Refused, 1), c.refusedName != nullptr) << log.dump();
		EXPECT_EQ(log.contains("Objective with a number out of range skipped", 1), c.refusedName != nullptr)
		    << log.dump();
	}
}

// A file cut anywhere reads without a fault; the reader says it did not reach the end.
TEST(DamagedConfiguration, CutFilesReportThatTheyEndedEarly)
{
	const std::string whole = "<Level><Objectives><Objective Type=\"Money\" Value=\"40000\"/></Objectives>"
	                          "<Properties><string Name=\"Name\" Value=\"1\"/><float Name=\"InitMoney\" "
	                          "Value=\"5000\"/></Properties></Level>";
	SmartPointer<GLevelConfiguration> full(new GLevelConfiguration());
	EXPECT_TRUE(full->load(configReader(whole).get()));
	for (size_t length = 0; length + 1 < whole.size(); ++length)
	{
		SCOPED_TRACE(length);
		SmartPointer<GLevelConfiguration> cut(new GLevelConfiguration());
		EXPECT_FALSE(cut->load(configReader(whole.substr(0, length)).get()));
	}
}
