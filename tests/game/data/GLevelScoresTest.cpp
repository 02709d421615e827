#include "data/GLevelScores.h"

#include "ConfigXml.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
// "score expert time" of a level, or "-" when the table has no entry.
std::string entry(const GLevelScores& scores, const char* name)
{
	if (!scores.contains(name))
		return "-";
	const GLevelScoreEntry e = scores.lookup(name);
	return std::to_string(e.score) + " " + std::to_string(e.expertScore) + " " + std::to_string(e.time);
}

std::string scoresXml(const std::string& body)
{
	return "<LevelScores>\n" + body + "</LevelScores>\n";
}
} // namespace

TEST(GLevelScores, ReadsEveryLevelAndTheLastOfANameStands)
{
	LogCapture log;
	SmartPointer<GLevelScores> scores(new GLevelScores());
	ASSERT_TRUE(scores->load(configReader(scoresXml(R"(
		<Level Name="level1" Score="500" ExpertScore="750" Time="300"/>
		<Level Name="level2" Score="550" ExpertScore="800"></Level>
		<Unknown Name="level9" Score="1"><Level Name="level3" Score="7" ExpertScore="8" Time="9"/></Unknown>
		<Level Name="level1" Score="600"/>
		<Level Score="5" ExpertScore="6" Time="7"/>
		<Level Name="level4" Score="16777217" ExpertScore="2147483647" Time="-20"/>
	)"))
	                             .get()));
	EXPECT_EQ(entry(*scores, "level1"), "600 0 0");
	EXPECT_EQ(entry(*scores, "level2"), "550 800 0");
	EXPECT_EQ(entry(*scores, "level3"), "7 8 9");
	EXPECT_EQ(entry(*scores, ""), "5 6 7");
	// Scores past the stated limit and negative times are refused, each with a log line.
	EXPECT_EQ(entry(*scores, "level4"), "16777217 0 0");
	EXPECT_EQ(entry(*scores, "level9"), "-");
	EXPECT_EQ(scores->size(), 5u);
	EXPECT_EQ(log.lines.size(), 2u) << log.dump();
	EXPECT_EQ(log.problemCount(), 2u) << log.dump();
	EXPECT_TRUE(log.contains("Number out of range; the default is kept", 1)) << log.dump();
}

TEST(GLevelScores, LookingUpAMissingLevelGivesTheDefaultsAndAddsNothing)
{
	SmartPointer<GLevelScores> scores(new GLevelScores());
	ASSERT_TRUE(scores->load(configReader(scoresXml(R"(<Level Name="level1" Score="500"/>)")).get()));
	for (int i = 0; i < 3; ++i)
	{
		const GLevelScoreEntry missing = scores->lookup("level28");
		EXPECT_EQ(missing.score, 0);
		EXPECT_EQ(missing.expertScore, 0);
		EXPECT_EQ(missing.time, 360);
	}
	EXPECT_FALSE(scores->contains("level28"));
	EXPECT_EQ(scores->size(), 1u);
}

TEST(GLevelScores, ReloadReplacesTheTableAndReportsAnUnfinishedFile)
{
	struct Case
	{
		const char* name;
		std::string text;
		bool complete;
		size_t entries;
	};
	const Case cases[] = {
	    {"whole file", scoresXml(R"(<Level Name="a"/><Level Name="b"/>)"), true, 2},
	    {"empty root", "<LevelScores/>", true, 0},
	    {"cut off", R"(<LevelScores><Level Name="a"/>)", false, 1},
	    {"not XML", "level1=500", false, 0},
	    {"nothing", "", false, 0},
	};
	SmartPointer<GLevelScores> scores(new GLevelScores());
	for (const Case& c : cases)
	{
		ASSERT_TRUE(scores->load(configReader(scoresXml(R"(<Level Name="old"/>)")).get()));
		EXPECT_EQ(scores->load(configReader(c.text).get()), c.complete) << c.name;
		EXPECT_EQ(scores->size(), c.entries) << c.name;
		EXPECT_FALSE(scores->contains("old")) << c.name;
	}
	EXPECT_FALSE(scores->load(nullptr));
	EXPECT_EQ(scores->size(), 0u);
}
