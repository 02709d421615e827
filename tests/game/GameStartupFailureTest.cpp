#include "GameTestSupport.h"
#include "content/CPackedArchive.h"
#include "content/CReadFile.h"

// After the engine headers: Xlib's macros clash with names in them.
#include "GameProcessSupport.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace
{
const char* const ArchiveKey = "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";

std::string readBytes(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A copy of the game's archive in which the second half of one entry is overwritten, as a disk
// error would leave it; false when the archive or the entry is not there.
bool writeArchiveWithDamagedEntry(const std::string& source, const std::string& target, const char* entryName)
{
	SmartPointer<CReadFile> file(new CReadFile(source.c_str()));
	if (!file->isOpen())
		return false;
	SmartPointer<CPackedArchive> archive(new CPackedArchive(file.get(), false, false, ArchiveKey));
	const irr::s32 index = archive->findFile(entryName);
	const SArchiveEntry* entry = index < 0 ? nullptr : archive->getFileEntry(static_cast<irr::u32>(index));
	if (!entry || entry->size < 16)
		return false;
	std::string bytes = readBytes(source);
	for (long i = entry->dataOffset + entry->size / 2; i < entry->dataOffset + entry->size; ++i)
		bytes[static_cast<size_t>(i)] = static_cast<char>(0xa5 ^ (i & 0xff));
	std::ofstream(target, std::ios::binary) << bytes;
	return true;
}

// A display number no server listens on.
std::string unusedDisplay()
{
	for (int n = 4242;; ++n)
	{
		struct stat info;
		if (stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &info) != 0)
			return ":" + std::to_string(n);
	}
}

// Whether the test display refuses a client that has no key for it.
bool serverAsksForAKey()
{
	const pid_t child = fork();
	if (child == 0)
	{
		setenv("XAUTHORITY", "/dev/null", 1);
		// The refusal Xlib prints is not wanted here.
		(void)!freopen("/dev/null", "w", stderr);
		Display* display = XOpenDisplay(nullptr);
		_exit(display ? 0 : 1);
	}
	int status = 0;
	return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// The built game started with a start-up that cannot succeed.
class GameStartupFailure : public testing::Test
{
protected:
	void SetUp() override
	{
		program = gameprocess::gameProgram(binaryDir().c_str());
		if (program.empty())
			GTEST_SKIP() << "the game program has not been built";
		folders.writeDisplayOptions(false, false);
		contentRoot = gameprocess::assetsRoot(binaryDir().c_str(), sourceDir().c_str());
	}

	// Whether the test can reach the content checks, which come after the window is open.
	static bool hasDisplay() { return std::getenv("DISPLAY") != nullptr; }

	// Runs the game and checks that it ends with an error and one line on stderr naming the problem.
	void expectOneLineFailure(const char* what, const std::string& folder,
	                          const std::vector<std::pair<const char*, const char*>>& environment,
	                          const std::vector<std::string>& expected)
	{
		// The game looks for its content in its own folder: a folder of its own gets a copy of the program.
		const std::string installed = folder == contentRoot ? program : gameprocess::installProgram(program, folder);
		ASSERT_FALSE(installed.empty()) << what;
		const gameprocess::Outcome outcome = gameprocess::runToEnd(installed, folder, environment, 30000);
		EXPECT_EQ(1, outcome.exitCode) << what;
		EXPECT_EQ(0u, outcome.errors.rfind("Verandel: ", 0)) << what << ": " << outcome.errors;
		EXPECT_EQ(1, std::count(outcome.errors.begin(), outcome.errors.end(), '\n')) << what << ": " << outcome.errors;
		for (const std::string& part : expected)
			EXPECT_NE(std::string::npos, outcome.errors.find(part)) << what << ": " << outcome.errors;
	}

	GameDataFolders folders;
	TempDir runFolders;
	std::string program;
	std::string contentRoot;
};
} // namespace

TEST_F(GameStartupFailure, WithoutAWindowTheGameSaysWhy)
{
	expectOneLineFailure("no display", contentRoot, {{"DISPLAY", nullptr}},
	                     {"could not open a window: ", "no X display is set"});
	const std::string noServer = unusedDisplay();
	expectOneLineFailure("no server", contentRoot, {{"DISPLAY", noServer.c_str()}},
	                     {"could not open a window: ", "no X server answers on display \"" + noServer + "\""});
}

// A server that asks for a key the game does not have: Xlib's own complaint becomes the reason.
TEST_F(GameStartupFailure, ARefusingServerIsNamedWithItsReason)
{
	if (!hasDisplay() || !serverAsksForAKey())
		GTEST_SKIP() << "the test display lets everyone in";
	expectOneLineFailure("refusing server", contentRoot, {{"XAUTHORITY", "/dev/null"}},
	                     {"could not open a window: ", "refused the connection: "});
}

TEST_F(GameStartupFailure, MissingOrUnreadableContentIsNamed)
{
	if (!hasDisplay())
		GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
	struct Case
	{
		const char* what;
		std::function<void(const std::string& folder)> prepare;
		std::vector<std::string> expected;
	};
	const std::string archive = contentRoot + "/assets.qca";
	const Case cases[] = {
	    {"nothing there",
	     [](const std::string&) {},
	     {"could not find the game's content: ", "neither a folder \"assets\" nor an archive \"assets.qca\""}},
	    {"archive is a folder",
	     [](const std::string& folder) { mkdir((folder + "/assets.qca").c_str(), 0755); },
	     {"could not read the content archive \"", "assets.qca\": Is a directory"}},
	    {"archive of noise",
	     [](const std::string& folder) { std::ofstream(folder + "/assets.qca") << "noise"; },
	     {"could not read the content archive \"", "damaged or not a content archive"}},
	    {"folder is a file",
	     [](const std::string& folder) { std::ofstream(folder + "/assets") << "x"; },
	     {"could not read the assets folder \"", "/assets\": Not a directory"}},
	    {"first scene damaged",
	     [&](const std::string& folder)
	     { ASSERT_TRUE(writeArchiveWithDamagedEntry(archive, folder + "/assets.qca", "scenes/LogosScene.qscn")); },
	     {"could not load the first scene \"scenes/LogosScene.qscn\""}},
	};
	int n = 0;
	for (const Case& c : cases)
	{
		const std::string folder = runFolders.file("run" + std::to_string(++n));
		mkdir(folder.c_str(), 0755);
		c.prepare(folder);
		expectOneLineFailure(c.what, folder, {}, c.expected);
	}
}
