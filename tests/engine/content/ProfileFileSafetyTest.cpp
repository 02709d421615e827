#include "ProfileTestSupport.h"
#include "content/CMemoryFile.h"
#include "content/CVirtualFile.h"
#include "content/FileReplaceLock.h"
#include "content/ProfileStreamTransform.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
const char* const damagedLine = "Profile file is damaged, defaults used";

bool exists(const std::string& path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0;
}

std::string transformed(const std::string& bytes, const char* key)
{
	std::string copy = bytes;
	SmartPointer<CMemoryFile> source(new CMemoryFile(copy.data(), static_cast<long>(copy.size()), "in", false));
	SmartPointer<CVirtualFile> out(new CVirtualFile("out", 64));
	EXPECT_EQ(static_cast<long>(bytes.size()), transformProfileStream(*source, *out, key));
	std::string result(static_cast<size_t>(out->getSize()), '\0');
	out->seek(0);
	out->read(result.data(), static_cast<irr::u32>(result.size()));
	return result;
}

// Names in the folder of path that start with the file's name, other than the file itself.
std::vector<std::string> filesBeside(const std::string& path)
{
	const std::string folder = path.substr(0, path.rfind('/'));
	const std::string base = path.substr(path.rfind('/') + 1);
	std::vector<std::string> names;
	if (DIR* dir = opendir(folder.c_str()))
	{
		while (dirent* entry = readdir(dir))
			if (std::string(entry->d_name).rfind(base + ".", 0) == 0)
				names.push_back(entry->d_name);
		closedir(dir);
	}
	std::sort(names.begin(), names.end());
	return names;
}

// Waits until a temporary file of the given size lies beside path; false after ten seconds.
bool waitForTemporaryFile(const std::string& path, size_t size)
{
	const std::string prefix = path.substr(path.rfind('/') + 1) + ".tmp-";
	for (int i = 0; i < 10000; ++i)
	{
		for (const std::string& name : filesBeside(path))
		{
			struct stat info;
			if (name.rfind(prefix, 0) == 0 && stat((path.substr(0, path.rfind('/') + 1) + name).c_str(), &info) == 0 &&
			    static_cast<size_t>(info.st_size) == size)
				return true;
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(1));
	}
	return false;
}

// A child that tells by its exit code whether it did its part; -1 while it runs.
struct Child
{
	pid_t pid = -1;
	int exitCode = -1;
	bool ended = false;

	bool poll(bool wait)
	{
		int status = 0;
		if (!ended && waitpid(pid, &status, wait ? 0 : WNOHANG) == pid)
		{
			ended = true;
			exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		}
		return ended;
	}
};
} // namespace

TEST_F(ProfileTest, DamagedFilesAreReportedKeptAsideAndReplacedByDefaults)
{
	manager.addProfile(L"Anna");
	manager.getProfile(0)->addInt("Level", 3);
	ASSERT_TRUE(manager.saveProfiles());
	const std::string good = readWholeFile(userFile());

	struct Case
	{
		const char* what;
		std::string content;
	};
	const Case cases[] = {
	    {"empty file", ""},
	    {"binary noise", std::string("\x01\x02\xff\x00 not xml", 12)},
	    {"another document", "<Settings><Profile Name=\"X\" /></Settings>"},
	    {"cut in half", good.substr(0, good.size() / 2)},
	    {"cut before the root closes", good.substr(0, good.size() - 6)},
	    {"unclosed player", "<Profiles><Profile Name=\"Anna\"><Parameters>"},
	};
	int n = 0;
	for (const Case& c : cases)
	{
		++n;
		writeWholeFile(userFile(), c.content);
		LogCapture log;
		CProfileManager loaded;
		loaded.getCommonProfileDefaults()->addInt("MusicVolume", 5);
		EXPECT_TRUE(loaded.loadProfiles()) << c.what;

		EXPECT_TRUE(log.contains(damagedLine, 2)) << c.what << "\n" << log.dump();
		EXPECT_EQ(0, loaded.getProfileCount()) << c.what;
		EXPECT_EQ(1, loaded.getCommonProfile()->getCount()) << c.what;
		EXPECT_EQ(5, loaded.getCommonProfile()->getInt("MusicVolume")) << c.what;
		EXPECT_FALSE(exists(userFile())) << c.what;
		// Every damaged copy is kept under its own name, none overwritten.
		EXPECT_EQ(c.content, readWholeFile(userFile() + ".bad-" + std::to_string(n))) << c.what;
	}

	ASSERT_TRUE(manager.saveProfiles());
	EXPECT_EQ(good, readWholeFile(userFile()));
	EXPECT_TRUE(exists(userFile() + ".bad-1"));
}

TEST_F(ProfileTest, DamagedGlobalFileIsKeptAside)
{
	temp.write("shared/Marrowfen/Nerra Sample/profile.dat", "<Profiles><GlobalProfile>");
	LogCapture log;
	manager.loadProfiles();
	EXPECT_TRUE(log.contains(damagedLine, 2));
	EXPECT_EQ(0, manager.getGlobalProfile()->getCount());
	EXPECT_EQ("<Profiles><GlobalProfile>", readWholeFile(globalFile() + ".bad-1"));
}

TEST_F(ProfileTest, MissingFilesAreNotReported)
{
	LogCapture log;
	EXPECT_TRUE(manager.loadProfiles());
	EXPECT_EQ(0u, log.problemCount()) << log.dump();
}

TEST_F(ProfileTest, FailedSaveReportsFalseAndKeepsTheOldFile)
{
	manager.addProfile(L"Anna");
	ASSERT_TRUE(manager.saveProfiles());
	const std::string before = readWholeFile(userFile());

	manager.addProfile(L"Ben");
	manager.getProfile(1)->setString("Notes", std::string(400, 'n').c_str());
	Child saver;
	saver.pid = fork();
	ASSERT_GE(saver.pid, 0);
	if (saver.pid == 0)
	{
		// The disk fills up half-way through the new file.
		signal(SIGXFSZ, SIG_IGN);
		rlimit limit{200, 200};
		setrlimit(RLIMIT_FSIZE, &limit);
		_exit(manager.saveProfiles() ? 1 : 0);
	}
	saver.poll(true);
	EXPECT_EQ(0, saver.exitCode) << "the save reported success";
	EXPECT_EQ(before, readWholeFile(userFile()));
	EXPECT_EQ(std::vector<std::string>({"profile.dat.lock"}), filesBeside(userFile()));
}

// The all-users file is shared between the users of the machine: two processes saving it at the
// same moment each get a complete file, and whoever reads it meanwhile sees one of the two.
TEST_F(ProfileTest, TwoProcessesSavingTheSameFileAtOnceLeaveOneCompleteFile)
{
	CProfile* global = manager.getGlobalProfile();
	auto makeState = [global](char mark, size_t length)
	{ global->setString("Notes", std::string(length, mark).c_str()); };
	makeState('a', 300);
	ASSERT_TRUE(manager.saveGlobalProfile());
	const std::string first = readWholeFile(globalFile());
	makeState('b', 900);
	ASSERT_TRUE(manager.saveGlobalProfile());
	const std::string second = readWholeFile(globalFile());

	Child savers[2];
	for (int i = 0; i < 2; ++i)
	{
		savers[i].pid = fork();
		ASSERT_GE(savers[i].pid, 0);
		if (savers[i].pid == 0)
		{
			makeState(i == 0 ? 'a' : 'b', i == 0 ? 300 : 900);
			int failed = 0;
			for (int round = 0; round < 40; ++round)
				failed += manager.saveGlobalProfile() ? 0 : 1;
			_exit(failed == 0 ? 0 : 1);
		}
	}
	int mixed = 0;
	int reads = 0;
	while (!savers[0].poll(false) || !savers[1].poll(false))
	{
		const std::string now = readWholeFile(globalFile());
		++reads;
		if (now != first && now != second)
			++mixed;
	}
	EXPECT_EQ(0, savers[0].exitCode) << "a save failed";
	EXPECT_EQ(0, savers[1].exitCode) << "a save failed";
	EXPECT_EQ(0, mixed) << "of " << reads << " reads while saving";
	const std::string last = readWholeFile(globalFile());
	EXPECT_TRUE(last == first || last == second) << last.size() << " bytes";
	EXPECT_EQ(std::vector<std::string>({"profile.dat.lock"}), filesBeside(globalFile()));
}

TEST_F(ProfileTest, StreamTransformIsItsOwnInverseAndCopiesPlainWithoutKey)
{
	std::string bytes;
	for (int i = 0; i < 300; ++i)
		bytes += static_cast<char>(i % 7 == 0 ? 0 : i);
	EXPECT_EQ(bytes, transformed(bytes, ""));
	for (const char* key : {"k", "secret", "a much longer key than usual"})
	{
		std::string scrambled = transformed(bytes, key);
		EXPECT_NE(bytes, scrambled) << key;
		EXPECT_EQ(std::string::npos, scrambled.find(key)) << key;
		EXPECT_EQ(bytes, transformed(scrambled, key)) << key;
	}
}

TEST_F(ProfileTest, KeyedProfilesAreScrambledOnDiskAndNeedTheKeyToRead)
{
	{
		ScopedSetting key("ProfilesCryptKey", L"secret");
		manager.addProfile(L"Anna");
		manager.getProfile(0)->addInt("Level", 3);
		ASSERT_TRUE(manager.saveProfiles());
		EXPECT_EQ(std::string::npos, readWholeFile(userFile()).find(std::string("P\0r\0o\0f\0i\0l\0e", 13)));

		CProfileManager& loaded = reload();
		ASSERT_NE(nullptr, loaded.findProfile(L"Anna"));
		EXPECT_EQ(3, loaded.findProfile(L"Anna")->getInt("Level"));
	}
	const std::string scrambled = readWholeFile(userFile());
	LogCapture log;
	CProfileManager& withoutKey = reload();
	EXPECT_EQ(0, withoutKey.getProfileCount());
	EXPECT_TRUE(log.contains(damagedLine, 2));
	EXPECT_EQ(scrambled, readWholeFile(userFile() + ".bad-1")) << "the file is kept for the right key";
}

// A process killed at any moment of a save leaves the complete old or the complete new file, and a
// later save clears away the temporary file it left. The child tells where it is; the moments that
// must be seen (before the rename, after a completed save) are made certain, not hoped for.
TEST_F(ProfileTest, SavesKilledAtAnyPointNeverLeaveAPartialFile)
{
	manager.addProfile(L"Anna");
	manager.setActiveProfile(0);
	auto makeState = [this](int round)
	{
		CProfile* anna = manager.getProfile(0);
		anna->setInt("Round", round);
		anna->setString("Notes", irr::core::stringc(std::string(round == 1 ? 40 : 600, 'n').c_str()));
	};
	makeState(1);
	ASSERT_TRUE(manager.saveProfiles());
	const std::string first = readWholeFile(userFile());
	makeState(2);
	const auto start = std::chrono::steady_clock::now();
	for (int i = 0; i < 5; ++i)
		ASSERT_TRUE(manager.saveProfiles());
	const auto saveTime = (std::chrono::steady_clock::now() - start) / 5;
	const std::string second = readWholeFile(userFile());
	ASSERT_NE(first, second);

	// Where the kill lands: in a save held before its rename, anywhere in a save, after a save.
	enum class Moment
	{
		BeforeRename,
		Anywhere,
		AfterSave
	};
	std::mt19937 random(20240611u);
	std::uniform_int_distribution<long long> delay(
	    0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());
	int partial = 0;
	int trials = 0;
	for (Moment moment : {Moment::BeforeRename, Moment::Anywhere, Moment::AfterSave})
	{
		for (int trial = 0; trial < (moment == Moment::Anywhere ? 60 : 10); ++trial, ++trials)
		{
			writeWholeFile(userFile(), first);
			// A reader of the lock holds every save back between writing its file and renaming it.
			std::unique_ptr<FileReplaceLock> holdBack;
			if (moment == Moment::BeforeRename)
				holdBack.reset(new FileReplaceLock(userFile(), false, 0644));
			int progress[2];
			ASSERT_EQ(0, pipe(progress));
			Child saver;
			saver.pid = fork();
			ASSERT_GE(saver.pid, 0);
			if (saver.pid == 0)
			{
				close(progress[0]);
				const char started = 'S';
				const char saved = 'D';
				if (write(progress[1], &started, 1) != 1 || !manager.saveProfiles() ||
				    write(progress[1], &saved, 1) != 1)
					_exit(2);
				for (;;)
					pause();
			}
			close(progress[1]);
			char seen = 0;
			ASSERT_EQ(1, read(progress[0], &seen, 1));
			if (moment == Moment::BeforeRename)
			{
				ASSERT_TRUE(waitForTemporaryFile(userFile(), second.size()));
			}
			else if (moment == Moment::Anywhere)
			{
				std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
			}
			else
			{
				ASSERT_EQ(1, read(progress[0], &seen, 1));
				ASSERT_EQ('D', seen);
			}
			close(progress[0]);
			kill(saver.pid, SIGKILL);
			saver.poll(true);
			holdBack.reset();

			const std::string now = readWholeFile(userFile());
			if (moment == Moment::BeforeRename)
				EXPECT_EQ(first, now) << "killed before its rename";
			else if (moment == Moment::AfterSave)
				EXPECT_EQ(second, now) << "killed after a completed save";
			else if (now != first && now != second)
				++partial;
		}
	}
	EXPECT_EQ(0, partial) << "of " << trials << " killed saves";

	ASSERT_TRUE(manager.saveProfiles());
	EXPECT_EQ(std::vector<std::string>({"profile.dat", "profile.dat.lock"}), filesBeside(userFolder() + "/profile"))
	    << "temporary files of killed saves are cleared away";

	LogCapture log;
	CProfileManager& loaded = reload();
	ASSERT_NE(nullptr, loaded.findProfile(L"Anna"));
	EXPECT_EQ(0u, log.problemCount()) << log.dump();
}
