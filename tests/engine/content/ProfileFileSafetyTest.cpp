#include "ProfileTestSupport.h"
#include "content/CMemoryFile.h"
#include "content/CVirtualFile.h"
#include "content/ProfileStreamTransform.h"
#include "support/LogCapture.h"

#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

	// A folder where the temporary file must go makes the write fail.
	ASSERT_EQ(0, mkdir((userFile() + ".tmp").c_str(), 0755));
	manager.addProfile(L"Ben");
	EXPECT_FALSE(manager.saveProfiles());
	EXPECT_EQ(before, readWholeFile(userFile()));
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

// A process killed at any moment of a save leaves the complete old or the complete new file.
TEST_F(ProfileTest, SavesKilledAtRandomPointsNeverLeaveAPartialFile)
{
	manager.addProfile(L"Anna");
	manager.setActiveProfile(0);
	auto makeState = [this](int round)
	{
		CProfile* anna = manager.getProfile(0);
		anna->setInt("Round", round);
		anna->setString("Notes", irr::core::stringc(std::string(round == 1 ? 40 : 4000, 'n').c_str()));
	};
	makeState(1);
	ASSERT_TRUE(manager.saveProfiles());
	const std::string first = readWholeFile(userFile());
	makeState(2);
	ASSERT_TRUE(manager.saveProfiles());
	const std::string second = readWholeFile(userFile());
	ASSERT_NE(first, second);

	std::mt19937 random(20240611u);
	std::uniform_int_distribution<int> delay(0, 1500);
	int partial = 0;
	int seenFirst = 0;
	const int trials = 220;
	for (int trial = 0; trial < trials; ++trial)
	{
		int ready[2];
		ASSERT_EQ(0, pipe(ready));
		pid_t child = fork();
		ASSERT_GE(child, 0);
		if (child == 0)
		{
			close(ready[0]);
			char byte = 1;
			if (write(ready[1], &byte, 1) != 1)
				_exit(2);
			for (int round = 0; round < 100000; ++round)
			{
				makeState(round % 2 + 1);
				manager.saveProfiles();
			}
			_exit(0);
		}
		close(ready[1]);
		char byte = 0;
		ASSERT_EQ(1, read(ready[0], &byte, 1));
		close(ready[0]);
		usleep(static_cast<useconds_t>(delay(random)));
		kill(child, SIGKILL);
		int status = 0;
		waitpid(child, &status, 0);

		std::string now = readWholeFile(userFile());
		if (now == first)
			++seenFirst;
		else if (now != second)
			++partial;
	}
	EXPECT_EQ(0, partial) << "of " << trials << " killed saves";
	// Kills landed both before and after completed saves.
	EXPECT_GT(seenFirst, 0);
	EXPECT_LT(seenFirst, trials);

	LogCapture log;
	CProfileManager& loaded = reload();
	ASSERT_NE(nullptr, loaded.findProfile(L"Anna"));
	EXPECT_EQ(0u, log.problemCount()) << log.dump();
}
