#include "FrontendTestSupport.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "frontend/GAchievementsScene.h"
#include "frontend/GCreditsScene.h"
#include "frontend/GQuitConfirmationScene.h"
#include "nodes/TextNode.h"
#include "support/TempDir.h"

#include <fstream>

using namespace frontendtest;

// How each of the small screens is left: by which keys and buttons, and what the covered scene plays.
namespace
{
struct CloseCase
{
	const char* file;
	int key;            // 0: press the button instead
	const char* button; // pressed when key is 0
	bool closes;
	const char* coveredPlays;
};

const CloseCase closeCases[] = {
    {"scenes/QuitConfirmationScene.qscn", 27, nullptr, true, "NoTransTo"},
    {"scenes/QuitConfirmationScene.qscn", 13, nullptr, false, nullptr},
    {"scenes/QuitConfirmationScene.qscn", 0, "NoButton", true, "NoTransTo"},
    {"scenes/CreditsScene.qscn", 27, nullptr, true, "NavBackToSlide"},
    {"scenes/CreditsScene.qscn", 13, nullptr, true, "NavBackToSlide"},
    {"scenes/CreditsScene.qscn", 0, "BackButton", true, "NavBackToSlide"},
    {"scenes/CreditsScene.qscn", 65, nullptr, false, nullptr},
    {"scenes/AchievementsScene.qscn", 27, nullptr, true, "NavBackToSlide"},
    {"scenes/AchievementsScene.qscn", 13, nullptr, true, "NavBackToSlide"},
    {"scenes/AchievementsScene.qscn", 0, "BackButton", true, "NavBackToSlide"},
    {"scenes/AchievementUnlockedScene.qscn", 27, nullptr, true, "NavBackTo"},
    {"scenes/AchievementUnlockedScene.qscn", 13, nullptr, true, "NavBackTo"},
    {"scenes/AchievementUnlockedScene.qscn", 0, "OkButton", true, "NavBackTo"},
};

using ClosingScreens = FrontendStage;
} // namespace

TEST_F(ClosingScreens, KeysAndButtonsCloseBackWithTheCoveredScenesState)
{
	for (const CloseCase& c : closeCases)
	{
		const std::string shown = std::string(c.file) + " " + (c.key ? std::to_string(c.key) : c.button);
		showCovered(new CoveredScene());
		SceneNode* scene = open<GBaseSceneNode>(c.file);
		ASSERT_NE(scene, nullptr) << shown;
		if (c.key)
			EXPECT_EQ(keyUp(scene, c.key), c.closes) << shown;
		else
			EXPECT_TRUE(press(scene, scene->findChild(internStringId(c.button)))) << shown;
		settle();
		EXPECT_EQ(top() == covered.get(), c.closes) << shown;
		if (c.coveredPlays)
			EXPECT_TRUE(covered->hasPlayed(c.coveredPlays)) << shown;
	}
}

TEST_F(ClosingScreens, YesEndsTheGameWithoutSavingAnything)
{
	usePlayers({L"Ann"}, 0);
	CProfileManager::instance()->getActiveProfile()->setBool("MusicOn", false);
	auto* scene = open<GQuitConfirmationScene>("scenes/QuitConfirmationScene.qscn");
	ASSERT_NE(scene, nullptr);
	LogCapture log;
	EXPECT_TRUE(press(scene, scene->findChild(internStringId("YesButton"))));
	EXPECT_TRUE(log.contains("closeDevice() was called")) << log.dump();
	EXPECT_TRUE(reloadedProfiles()->getProfile(0)->getBool("MusicOn"));
	// The device goes on for the next tests: take the quit it left for the main loop.
	getDevice()->run();
}

namespace
{
// The question shown by the quit screen, as its text node holds it after the dictionary.
std::string quitQuestion(GQuitConfirmationScene* scene)
{
	const auto* question = nodeCast<TextNode>(scene->findChild(internStringId("Question")));
	const irr::core::stringw text =
	    question ? getDevice()->getDictionary()->expandTags(question->getText()) : irr::core::stringw();
	return irr::core::stringc(text.c_str()).c_str();
}

// A game whose data folder cannot be written: XDG_DATA_HOME names a file.
class UnsavedQuit : public FrontendStage
{
protected:
	void prepareProfiles() override
	{
		std::ofstream(blocker.file("data")) << "not a folder";
		setenv("XDG_DATA_HOME", blocker.file("data").c_str(), 1);
	}

	TempDir blocker;
};
} // namespace

TEST_F(ClosingScreens, TheQuitQuestionSaysWhatIsKept)
{
	EXPECT_TRUE(application->getSavingProblem().empty()) << application->getSavingProblem();
	auto* scene = open<GQuitConfirmationScene>("scenes/QuitConfirmationScene.qscn");
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(quitQuestion(scene), "Finished levels are kept. A level left unfinished starts again.");
}

// Where nothing can be saved, the application knows why from its start, and no screen says otherwise.
TEST_F(UnsavedQuit, TheQuitQuestionDoesNotClaimProgressIsSaved)
{
	const std::string& problem = application->getSavingProblem();
	EXPECT_NE(problem.find("/data/Pellwick/Verandel\" cannot be written: Not a directory"), std::string::npos)
	    << problem;
	auto* scene = open<GQuitConfirmationScene>("scenes/QuitConfirmationScene.qscn");
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(quitQuestion(scene).find("are kept"), std::string::npos) << quitQuestion(scene);
	EXPECT_NE(quitQuestion(scene).find("could not be saved"), std::string::npos) << quitQuestion(scene);
}
