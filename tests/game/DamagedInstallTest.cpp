// The built game started on a copy of its install in which one thing is damaged, as a tester damages it: a
// configuration with numbers past any range, scenes with a huge tab count, numbers out of range or references
// renamed, a hostile profile, a data folder that cannot be written. Each run must reach the main menu, say
// what it could not use on stderr, keep running, and end within 10 s of a close request.
#include "GameWindowFixture.h"
#include "content/CProfileManager.h"
#include "data/ProfileKeys.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace
{
namespace fs = std::filesystem;
using namespace gameinput;

std::string readText(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces a file of the copy: the copy's files are links to the build's, so the link goes first.
void replaceFile(const std::string& path, const std::string& text)
{
	fs::remove(path);
	std::ofstream(path, std::ios::binary) << text;
}

// Edits a file of the copy with a regular expression; the edit must change something.
void editFile(const std::string& path, const std::string& pattern, const std::string& replacement)
{
	const std::string before = readText(path);
	const std::string after = std::regex_replace(before, std::regex(pattern), replacement);
	ASSERT_NE(before, after) << path << ": nothing matched " << pattern;
	replaceFile(path, after);
}

struct Case
{
	const char* name;
	// Damages the copy of the content ("<folder>/assets").
	std::function<void(const std::string& assets)> damage;
	// Writes the player's profile; the plain returning player when null.
	std::function<void()> profile;
	// Set in the game's environment: XDG_DATA_HOME becomes a file.
	bool unwritableData;
	// The main menu is waited for (a player who cannot be read back may get another first screen).
	bool toMenu;
	// After the main menu: New Game is clicked, and the map must open (or the menu stay, when the map is damaged).
	bool toMap;
	bool mapOpens;
	const char* said; // a part of stderr; null: nothing is asked of stderr
};

void writeDamagedPlayer(const std::function<void(CProfile&)>& damage)
{
	CProfileManager manager;
	manager.loadProfiles();
	while (manager.getProfileCount() > 0)
		manager.removeProfile(0);
	ASSERT_TRUE(manager.addProfile(L"Ada"));
	manager.setActiveProfile(manager.getProfileCount() - 1);
	manager.getActiveProfile()->setInt(ProfileKey::MaxUnlockedLevelIndex, 0);
	manager.getActiveProfile()->setInt(ProfileKey::LevelIndex, 0);
	damage(*manager.getActiveProfile());
	ASSERT_TRUE(manager.saveProfiles());
}

class DamagedInstallScreens : public GameWindowTest
{
protected:
	DamagedInstallScreens() : GameWindowTest("damaged-") {}

	// A copy of the install in its own folder: the program and its content (links to the build's files).
	std::string install(const std::string& name)
	{
		const std::string folder = runs.file(name);
		fs::create_directories(folder);
		fs::copy(workingFolder + "/assets", folder + "/assets",
		         fs::copy_options::recursive | fs::copy_options::create_hard_links);
		const std::string installed = gameprocess::installProgram(program, folder);
		EXPECT_FALSE(installed.empty());
		return installed;
	}

	// Starts the installed game with its error stream going to a file.
	void startWithErrors(const std::string& installed, const std::string& folder, const std::string& errors)
	{
		const int saved = dup(STDERR_FILENO);
		const int file = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
		ASSERT_GE(file, 0);
		dup2(file, STDERR_FILENO);
		close(file);
		program = installed;
		workingFolder = folder;
		startGame();
		dup2(saved, STDERR_FILENO);
		close(saved);
	}

	void run(const Case& c, int index)
	{
		SCOPED_TRACE(c.name);
		const std::string name = "case" + std::to_string(index);
		const std::string build = workingFolder;
		const std::string original = program;
		const std::string installed = install(name);
		const std::string folder = runs.file(name);
		ASSERT_FALSE(installed.empty());
		if (c.damage)
			c.damage(folder + "/assets");
		ASSERT_FALSE(HasFatalFailure());
		if (c.profile)
			c.profile();
		else
			writeDamagedPlayer([](CProfile&) {});
		ASSERT_FALSE(HasFatalFailure());

		const char* dataHome = std::getenv("XDG_DATA_HOME");
		const std::string keptDataHome = dataHome ? dataHome : "";
		const std::string blocker = runs.file(name + "-data-is-a-file");
		if (c.unwritableData)
		{
			std::ofstream(blocker) << "not a folder";
			setenv("XDG_DATA_HOME", blocker.c_str(), 1);
		}
		const std::string errors = runs.file(name + "-stderr.txt");
		startWithErrors(installed, folder, errors);
		setenv("XDG_DATA_HOME", keptDataHome.c_str(), 1);
		program = original;
		workingFolder = build;
		ASSERT_FALSE(HasFatalFailure()) << readText(errors);

		const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
		if (c.toMenu)
			ASSERT_TRUE(waitForLook(newGame, buttonBlue, 60000))
			    << "the main menu did not appear; stderr: " << readText(errors);
		if (c.toMap)
		{
			const SceneNodeRect mapPlay = node("MapScene.qscn", {"Scene", "PlayButton"});
			if (c.mapOpens)
			{
				EXPECT_TRUE(clickUntil(newGame, [&] { return looks(mapPlay, buttonBlue); }))
				    << "the map did not open; stderr: " << readText(errors);
			}
			else
			{
				ASSERT_TRUE(click(newGame));
				// Said once, and the menu stays where it was, not a black window.
				EXPECT_TRUE(waitFor(15000, [&] { return readText(errors).find(c.said) != std::string::npos; }))
				    << readText(errors);
				EXPECT_TRUE(waitForLook(newGame, buttonBlue, 10000)) << "the menu did not stay";
			}
		}
		screenshot(name);
		if (c.said)
			EXPECT_TRUE(waitFor(10000, [&] { return readText(errors).find(c.said) != std::string::npos; }))
			    << readText(errors);
		ASSERT_TRUE(gameRunning()) << "the game ended by itself; stderr: " << readText(errors);

		gameprocess::requestClose(display, window);
		const int code = gameprocess::waitForExit(pid, 10000);
		if (code == -1)
			stopGame();
		pid = -1;
		EXPECT_EQ(code, 0) << "no clean exit within 10 s of the close request; stderr: " << readText(errors);
		const std::string said = readText(errors);
		EXPECT_EQ(said.find("ERROR: AddressSanitizer"), std::string::npos) << said;
		EXPECT_EQ(said.find("runtime error:"), std::string::npos) << said;
	}

	TempDir runs;
};
} // namespace

TEST_F(DamagedInstallScreens, EachDamageIsSurvivedAndSaidAndTheGameClosesOnRequest)
{
	const Case cases[] = {
	    {"configuration numbers past any range",
	     [](const std::string& assets)
	     {
		     editFile(assets + "/levels/common/BuildingsConfiguration.xml", "(<float Name=\"[A-Za-z]+\" Value=\")[^\"]*",
		              "$011e38");
		     editFile(assets + "/levels/common/LevelScores.xml", "Time=\"[0-9]+\"", "Time=\"99999999999\"");
	     },
	     nullptr, false, true, true, true, nullptr},
	    {"a scene with a tab count of two thousand million",
	     [](const std::string& assets)
	     {
		     editFile(assets + "/scenes/MainMenuScene.qscn", "</SceneNode>\\s*$",
		              "<SceneNode Type=\"TabSceneNode\"><Properties><string Name=\"Name\" Value=\"Damaged\"/>"
		              "<int Name=\"TabsCount\" Value=\"2000000000\"/></Properties></SceneNode></SceneNode>\n");
	     },
	     nullptr, false, true, false, false, nullptr},
	    {"a map with numbers out of range",
	     [](const std::string& assets)
	     {
		     editFile(assets + "/scenes/MapScene.qscn", "(<string Name=\"Name\" Value=\"Scene\"/>)",
		              "$01<vector3d Name=\"Position\" Value=\"1e30;-1e30;0\"/>");
	     },
	     nullptr, false, true, true, false, "the scene \"scenes/MapScene.qscn\" could not be built"},
	    {"a map with its references renamed",
	     [](const std::string& assets)
	     { editFile(assets + "/scenes/MapScene.qscn", "\"LocationButtons\"", "\"LocationButtonsRenamed\""); },
	     nullptr, false, true, true, false, "the scene \"scenes/MapScene.qscn\" could not be built: it has no location"},
	    {"a hostile profile",
	     nullptr,
	     []
	     {
		     writeDamagedPlayer(
		         [](CProfile& p)
		         {
			         p.setInt(ProfileKey::MaxUnlockedLevelIndex, 2000000000);
			         p.setInt(ProfileKey::LevelIndex, 2000000000);
			         p.setFloat(ProfileKey::MusicVolume, 1e30f);
			         p.setString(ProfileKey::Scores, std::string(1 << 20, '9').c_str());
		         });
	     },
	     false, true, true, true, nullptr},
	    {"a data folder that cannot be written", nullptr, nullptr, true, false, false, false,
	     "progress will not be saved"},
	};
	int index = 0;
	for (const Case& c : cases)
		run(c, ++index);
}

// Started from a folder that holds loose files of the content's names (a home folder, say), the game still
// reads its own content: files where the shell stands are not the game's.
TEST_F(DamagedInstallScreens, FilesWhereTheShellStandsAreNotTheGames)
{
	const std::string home = runs.file("home");
	fs::create_directories(home + "/scenes");
	fs::create_directories(home + "/logos");
	std::ofstream(home + "/scenes/LogosScene.qscn") << "<SceneNode Type=\"nothing";
	std::ofstream(home + "/scenes/MainMenuScene.qscn") << "not a scene";
	std::ofstream(home + "/logos/Logos.xml") << "<Logos><Logo Scene=\"../../etc/passwd\"/>";
	writeDamagedPlayer([](CProfile&) {});
	ASSERT_FALSE(HasFatalFailure());
	const std::string errors = runs.file("home-stderr.txt");
	startWithErrors(program, home, errors);
	ASSERT_FALSE(HasFatalFailure()) << readText(errors);
	const SceneNodeRect newGame = node("MainMenuScene.qscn", {"Scene", "NewGameButton"});
	EXPECT_TRUE(waitForLook(newGame, buttonBlue, 60000)) << "the main menu did not appear; stderr: " << readText(errors);
	gameprocess::requestClose(display, window);
	const int code = gameprocess::waitForExit(pid, 10000);
	if (code == -1)
		stopGame();
	pid = -1;
	EXPECT_EQ(code, 0) << readText(errors);
}
