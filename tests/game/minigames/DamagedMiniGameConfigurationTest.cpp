#include "MiniGameTestSupport.h"
#include "minigames/GMiniGameAuctionScene.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "minigames/GMiniGameHiddenScene.h"
#include "support/RefusedNumbers.h"

using namespace minigametest;

// A mini-game configuration damaged in its numbers: times negative, huge or not numbers, scores negative,
// trails without speed, sequences endless. Each number is refused with the log line and a playable default
// stands.
namespace
{
template <class Scene> SmartPointer<Scene> read(const std::string& inner)
{
	SmartPointer<Scene> scene(new Scene());
	scene->parseConfiguration(configReader("<MiniGame>" + inner + "</MiniGame>").get());
	return scene;
}

std::string levelTime(const std::string& inner)
{
	return std::to_string(read<GMiniGameHiddenScene>(inner)->getMaxLevelTime());
}
std::string expertScore(const std::string& inner)
{
	return std::to_string(read<GMiniGameHiddenScene>(inner)->getExpertScore());
}
std::string firstStep(const std::string& inner)
{
	const SmartPointer<GMiniGameAuctionScene> scene = read<GMiniGameAuctionScene>(inner);
	if (scene->getSequence().empty())
		return "none";
	return std::to_string(scene->getSequence()[0].m) + "/" + std::to_string(scene->getSequence()[0].d);
}
std::string trailVelocity(const std::string& inner)
{
	return std::to_string(static_cast<int>(read<GMiniGameHidden2Scene>(inner)->getHintTrailVelocity()));
}
std::string trailPps(const std::string& inner)
{
	return std::to_string(read<GMiniGameHidden2Scene>(inner)->getHintTrailPps());
}

std::string steps(int count)
{
	std::string list;
	for (int i = 0; i < count; ++i)
		list += "<S M='3' D='1'/>";
	return "<Sequence>" + list + "</Sequence>";
}
} // namespace

TEST(DamagedMiniGameConfiguration, NumbersOutOfTheirRangeKeepTheDefaultWithALogLine)
{
	expectRefusedNumbers({
	    {"a time in range", "<MaxLevelTime Value='90000'/>", levelTime, "90000", nullptr},
	    {"a negative time", "<MaxLevelTime Value='-60000'/>", levelTime, "60000", "Value"},
	    {"a time of days", "<MaxLevelTime Value='99999999999'/>", levelTime, "60000", "Value"},
	    {"an infinite time", "<MaxLevelTime Value='1e999'/>", levelTime, "60000", "Value"},
	    {"a time that is no number", "<MaxLevelTime Value='nan'/>", levelTime, "60000", "Value"},
	    {"a refused time after a good one", "<MaxLevelTime Value='5000'/><MaxLevelTime Value='-1'/>", levelTime,
	     "60000", "Value"},
	    {"a negative expert score", "<ExpertScore Value='-5'/>", expertScore, "0", "Value"},
	    {"a refused score keeps the one before", "<ExpertScore Value='40'/><ExpertScore Value='1e999'/>", expertScore,
	     "40", "Value"},
	    {"a step in range", "<Sequence><S M='4' D='2'/></Sequence>", firstStep, "4/2", nullptr},
	    {"a negative pile", "<Sequence><S M='-4' D='2'/></Sequence>", firstStep, "2/2", "M"},
	    {"a huge spread", "<Sequence><S M='4' D='99999999999'/></Sequence>", firstStep, "4/1", "D"},
	    {"a trail speed in range", "<HintTrailVelocity Value='250'/>", trailVelocity, "250", nullptr},
	    {"a trail that stands", "<HintTrailVelocity Value='0'/>", trailVelocity, "100", "Value"},
	    {"a trail running backwards", "<HintTrailVelocity Value='-50'/>", trailVelocity, "100", "Value"},
	    {"a trail of no number", "<HintTrailVelocity Value='nan'/>", trailVelocity, "100", "Value"},
	    {"a negative particle rate", "<HintTrailPPS Value='-10'/>", trailPps, "0", "Value"},
	    {"a huge particle rate", "<HintTrailPPS Value='1e12'/>", trailPps, "0", "Value"},
	});
}

TEST(DamagedMiniGameConfiguration, AnEndlessSequenceIsCutWithOneLogLine)
{
	const char* const cut = "Too many sequence steps; the rest are skipped";
	LogCapture log;
	EXPECT_EQ(read<GMiniGameAuctionScene>(steps(GMiniGameAuctionScene::MaxSequenceSteps))->getSequence().size(),
	          static_cast<irr::u32>(GMiniGameAuctionScene::MaxSequenceSteps));
	EXPECT_FALSE(log.contains(cut));
	EXPECT_EQ(read<GMiniGameAuctionScene>(steps(5000) + "<ExpertScore Value='7'/>")->getExpertScore(), 7)
	    << "reading goes on past the cut sequence";
	EXPECT_EQ(read<GMiniGameAuctionScene>(steps(5000))->getSequence().size(),
	          static_cast<irr::u32>(GMiniGameAuctionScene::MaxSequenceSteps));
	size_t lines = 0;
	for (const LogCapture::Line& line : log.lines)
		lines += line.text == cut ? 1 : 0;
	EXPECT_EQ(lines, 2u) << "one line for each file read";
}
