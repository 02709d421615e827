#include "ProfileTestSupport.h"
#include "core/CPropertyDataInt.h"
#include "core/TextUtils.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace
{
// The ASCII lines of a UTF-16 little-endian file, without the byte-order mark.
std::vector<std::string> utf16Lines(const std::string& bytes)
{
	std::string text;
	for (size_t i = 2; i + 1 < bytes.size(); i += 2)
		text += bytes[i];
	std::vector<std::string> lines;
	std::istringstream in(text);
	for (std::string line; std::getline(in, line);)
	{
		line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
		line.erase(0, line.find_first_not_of('\t'));
		lines.push_back(line);
	}
	return lines;
}

void setIntInPlace(CPropertyCollection& collection, const char* name, int value)
{
	auto* data = dynamic_cast<CPropertyDataInt*>(collection.get(name).get());
	ASSERT_NE(nullptr, data);
	data->setValue(value);
}
} // namespace

TEST_F(ProfileTest, FirstStartWithoutFilesGivesExactlyTheDefaults)
{
	manager.getCommonProfileDefaults()->addInt("MusicVolume", 5);
	manager.getCommonProfileDefaults()->addBool("Fullscreen", true);

	EXPECT_TRUE(manager.loadProfiles());

	CProfile* common = manager.getCommonProfile();
	EXPECT_EQ(2, common->getCount());
	EXPECT_EQ(5, common->getInt("MusicVolume"));
	EXPECT_TRUE(common->getBool("Fullscreen"));
	EXPECT_EQ(0, manager.getProfileCount());
	EXPECT_EQ(nullptr, manager.getActiveProfile());
}

TEST_F(ProfileTest, SavedProfilesReadBackInOrderWithTheActivePlayer)
{
	manager.getCommonProfile()->addInt("MusicVolume", 7);
	manager.getGlobalProfile()->addString("InstallId", "abc");
	ASSERT_TRUE(manager.addProfile(L"Anna"));
	ASSERT_TRUE(manager.addProfile(L"Ben \x00e9<&>\""));
	manager.getProfile(0)->addInt("Level", 3);
	manager.getProfile(1)->setStringW("Title", L"Gr\x00fc\x00df"
	                                           L"e");
	manager.setActiveProfile(1);
	ASSERT_TRUE(manager.saveProfiles());
	ASSERT_TRUE(manager.saveGlobalProfile());

	CProfileManager& loaded = reload();
	ASSERT_EQ(2, loaded.getProfileCount());
	EXPECT_EQ(irr::core::stringw(L"Anna"), loaded.getProfile(0)->getName());
	EXPECT_EQ(irr::core::stringw(L"Ben \x00e9<&>\""), loaded.getProfile(1)->getName());
	EXPECT_EQ(3, loaded.getProfile(0)->getInt("Level"));
	EXPECT_EQ(irr::core::stringw(L"Gr\x00fc\x00df"
	                             L"e"),
	          loaded.getProfile(1)->get("Title")->toStringW());
	EXPECT_EQ(1, loaded.getActiveProfileIndex());
	EXPECT_EQ(7, loaded.getCommonProfile()->getInt("MusicVolume"));
	EXPECT_EQ(irr::core::stringc("abc"), loaded.getGlobalProfile()->getString("InstallId"));
	EXPECT_EQ(&loaded, loaded.getProfile(0)->getOwner());
}

TEST_F(ProfileTest, FileLayoutPutsEachElementOnItsOwnLineAndMarksOnlyTheActivePlayer)
{
	manager.getCommonProfile()->addInt("MusicVolume", 7);
	manager.addProfile(L"Anna");
	manager.addProfile(L"Ben");
	manager.getProfile(1)->addInt("Level", 2);

	struct Case
	{
		int active;
		std::vector<std::string> lines;
	};
	const Case cases[] = {
	    {-1,
	     {"<Profiles>", "<CommonProfile>", "<Parameters>", "<int Name=\"MusicVolume\" Value=\"7\" />", "</Parameters>",
	      "</CommonProfile>", "<Profile Name=\"Anna\">", "<Parameters>", "</Parameters>", "</Profile>",
	      "<Profile Name=\"Ben\">", "<Parameters>", "<int Name=\"Level\" Value=\"2\" />", "</Parameters>", "</Profile>",
	      "</Profiles>"}},
	    {1,
	     {"<Profiles>", "<CommonProfile>", "<Parameters>", "<int Name=\"MusicVolume\" Value=\"7\" />", "</Parameters>",
	      "</CommonProfile>", "<Profile Name=\"Anna\">", "<Parameters>", "</Parameters>", "</Profile>",
	      "<Profile Name=\"Ben\" Active=\"true\">", "<Parameters>", "<int Name=\"Level\" Value=\"2\" />",
	      "</Parameters>", "</Profile>", "</Profiles>"}},
	};
	for (const Case& c : cases)
	{
		manager.setActiveProfile(c.active);
		ASSERT_TRUE(manager.saveProfiles());
		std::string bytes = readWholeFile(userFile());
		ASSERT_GE(bytes.size(), 2u);
		EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2)) << "UTF-16 with a byte-order mark";
		std::vector<std::string> lines = utf16Lines(bytes);
		ASSERT_FALSE(lines.empty());
		EXPECT_EQ(0u, lines.front().rfind("<?xml", 0)) << lines.front();
		EXPECT_EQ(c.lines, std::vector<std::string>(lines.begin() + 1, lines.end())) << "active " << c.active;
	}
}

TEST_F(ProfileTest, OldProfilesGainNewDefaultKeysAndKeepTheirOwnValues)
{
	writeUserFile("<CommonProfile><Parameters>" + intItem("MusicVolume", 2) + "</Parameters></CommonProfile>\n" +
	              player("Anna", intItem("Level", 3)));
	manager.getCommonProfileDefaults()->addInt("MusicVolume", 5);
	manager.getCommonProfileDefaults()->addInt("SoundVolume", 6);
	manager.getPlayerProfileDefaults()->addInt("Level", 1);
	manager.getPlayerProfileDefaults()->addInt("Coins", 10);

	manager.loadProfiles();

	CProfile* anna = manager.findProfile(L"Anna");
	ASSERT_NE(nullptr, anna);
	EXPECT_EQ(3, anna->getInt("Level"));
	EXPECT_EQ(10, anna->getInt("Coins"));
	EXPECT_EQ(2, anna->getCount());
	EXPECT_EQ(2, manager.getCommonProfile()->getInt("MusicVolume"));
	EXPECT_EQ(6, manager.getCommonProfile()->getInt("SoundVolume"));
}

TEST_F(ProfileTest, ReadingSkipsEmptyAndRepeatedNamesAndTheLastActiveWins)
{
	writeUserFile(player("Anna", intItem("Level", 1), true) + player("", intItem("Level", 9), true) +
	              "<Profile><Parameters>" + intItem("Level", 8) + "</Parameters></Profile>\n" +
	              player("Anna", intItem("Level", 7), true) + player("Ben", intItem("Level", 2), true) +
	              player("Cleo", intItem("Level", 3)));

	manager.loadProfiles();

	ASSERT_EQ(3, manager.getProfileCount());
	EXPECT_EQ(1, manager.findProfile(L"Anna")->getInt("Level"));
	EXPECT_EQ(2, manager.findProfile(L"Ben")->getInt("Level"));
	EXPECT_EQ(irr::core::stringw(L"Cleo"), manager.getProfile(2)->getName());
	EXPECT_EQ(manager.findProfile(L"Ben"), manager.getActiveProfile());
}

TEST_F(ProfileTest, PlayerListOperations)
{
	EXPECT_TRUE(manager.addProfile(L"Anna"));
	EXPECT_FALSE(manager.addProfile(L"Anna"));
	EXPECT_FALSE(manager.addProfile(L"")) << "an unnamed player could never be read back";
	EXPECT_TRUE(manager.addProfile(L"anna")) << "names compare exactly";
	EXPECT_TRUE(manager.addProfile(L"Ben"));
	EXPECT_EQ(nullptr, manager.findProfile(L"Cleo"));
	EXPECT_EQ(nullptr, manager.getProfile(3));
	EXPECT_EQ(nullptr, manager.getProfile(-1));

	manager.setActiveProfile(2);
	EXPECT_EQ(manager.findProfile(L"Ben"), manager.getActiveProfile());
	manager.removeProfile(5);
	EXPECT_EQ(3, manager.getProfileCount());
	EXPECT_EQ(manager.findProfile(L"Ben"), manager.getActiveProfile()) << "nothing removed, nothing changed";

	manager.removeProfile(0);
	EXPECT_EQ(2, manager.getProfileCount());
	EXPECT_EQ(nullptr, manager.getActiveProfile());
	EXPECT_EQ(nullptr, manager.findProfile(L"Anna"));

	manager.setActiveProfile(1);
	manager.setActiveProfile(2);
	EXPECT_EQ(nullptr, manager.getActiveProfile());
	EXPECT_EQ(-1, manager.getActiveProfileIndex());
}

TEST_F(ProfileTest, RemovingTheMiddlePlayerKeepsTheOtherTwoInOrder)
{
	for (const wchar_t* name : {L"Anna", L"Ben", L"Cleo"})
		ASSERT_TRUE(manager.addProfile(name));
	manager.getProfile(0)->addInt("Level", 1);
	manager.getProfile(2)->addInt("Level", 3);
	SmartPointer<CProfile> ben = shareRef(manager.getProfile(1));
	manager.setActiveProfile(2);

	manager.removeProfile(1);
	const auto names = [](const CProfileManager& m)
	{
		std::string text;
		for (int i = 0; i < m.getProfileCount(); ++i)
			text += irr::core::stringc(m.getProfile(i)->getName()).c_str() + std::string(" ");
		return text;
	};
	EXPECT_EQ("Anna Cleo ", names(manager));
	EXPECT_EQ(1, manager.getProfile(0)->getInt("Level"));
	EXPECT_EQ(3, manager.getProfile(1)->getInt("Level"));
	EXPECT_EQ(nullptr, manager.getActiveProfile());
	EXPECT_EQ(nullptr, ben->getOwner()) << "a removed player belongs to no manager";
	EXPECT_FALSE(ben->save());

	ASSERT_TRUE(manager.saveProfiles());
	CProfileManager& loaded = reload();
	EXPECT_EQ("Anna Cleo ", names(loaded));
	EXPECT_EQ(3, loaded.findProfile(L"Cleo")->getInt("Level"));
}

TEST_F(ProfileTest, EachProfileSavesTheFileThatHoldsIt)
{
	manager.addProfile(L"Anna");
	SmartPointer<CProfile> removed = shareRef(manager.getProfile(0));
	manager.addProfile(L"Ben");
	manager.removeProfile(0);
	SmartPointer<CProfile> stranger(new CProfile(L"Stranger", &manager));

	struct Case
	{
		const char* what;
		CProfile* profile;
		bool saved;
		bool userFileWritten;
		bool globalFileWritten;
	};
	const Case cases[] = {
	    {"common defaults", manager.getCommonProfileDefaults(), false, false, false},
	    {"player defaults", manager.getPlayerProfileDefaults(), false, false, false},
	    {"removed player", removed.get(), false, false, false},
	    {"foreign profile", stranger.get(), false, false, false},
	    {"global", manager.getGlobalProfile(), true, false, true},
	    {"common", manager.getCommonProfile(), true, true, false},
	    {"player", manager.getProfile(0), true, true, false},
	};
	for (const Case& c : cases)
	{
		std::remove(userFile().c_str());
		std::remove(globalFile().c_str());
		EXPECT_EQ(c.saved, c.profile->save()) << c.what;
		EXPECT_EQ(c.userFileWritten, !readWholeFile(userFile()).empty()) << c.what;
		EXPECT_EQ(c.globalFileWritten, !readWholeFile(globalFile()).empty()) << c.what;
	}
}

TEST_F(ProfileTest, ProfilesOutliveTheirManagerWithoutCallingBack)
{
	auto owner = std::make_unique<CProfileManager>();
	owner->addProfile(L"Anna");
	SmartPointer<CProfile> kept = shareRef(owner->getProfile(0));
	owner.reset();
	EXPECT_EQ(nullptr, kept->getOwner());
	EXPECT_FALSE(kept->save());
}

TEST_F(ProfileTest, PlayersNeverShareValueObjectsWithTheDefaultsOrEachOther)
{
	manager.getPlayerProfileDefaults()->addInt("Level", 1);
	manager.getCommonProfileDefaults()->addInt("MusicVolume", 5);
	writeUserFile(player("Anna", "") + player("Ben", ""));
	manager.loadProfiles();
	manager.addProfile(L"Cleo");

	setIntInPlace(*manager.findProfile(L"Anna"), "Level", 4);
	setIntInPlace(*manager.getCommonProfile(), "MusicVolume", 9);

	EXPECT_EQ(4, manager.findProfile(L"Anna")->getInt("Level"));
	EXPECT_EQ(1, manager.findProfile(L"Ben")->getInt("Level"));
	EXPECT_EQ(1, manager.findProfile(L"Cleo")->getInt("Level"));
	EXPECT_EQ(1, manager.getPlayerProfileDefaults()->getInt("Level"));
	EXPECT_EQ(5, manager.getCommonProfileDefaults()->getInt("MusicVolume"));

	setIntInPlace(*manager.findProfile(L"Cleo"), "Level", 6);
	EXPECT_EQ(4, manager.findProfile(L"Anna")->getInt("Level"));
	EXPECT_EQ(1, manager.getPlayerProfileDefaults()->getInt("Level"));
}

TEST_F(ProfileTest, DataFoldersFollowTheDeviceNameSettings)
{
	CPosixFileSystem files;
	EXPECT_EQ(userFolder(), files.getUserDataFolder().c_str());
	EXPECT_EQ(temp.file("shared/Marrowfen/Nerra Sample"), files.getCommonDataFolder().c_str());

	ScopedSetting publisher("PublisherName", L"Acme");
	ScopedSetting title("TitleName", L"Rocket");
	EXPECT_EQ(temp.file("user/Acme/Rocket"), files.getUserDataFolder().c_str());
	EXPECT_EQ(temp.file("shared/Acme/Rocket"), files.getCommonDataFolder().c_str());
	manager.getGlobalProfile()->addInt("Runs", 1);
	ASSERT_TRUE(manager.saveGlobalProfile());
	EXPECT_FALSE(readWholeFile(temp.file("shared/Acme/Rocket/profile.dat")).empty());
}

// A value of a megabyte, with characters beyond ASCII and the ones XML escapes, reads back whole
// in both the wide and the narrow (UTF-8) property types.
TEST_F(ProfileTest, MegabyteValuesReadBackUnchanged)
{
	const wchar_t pattern[] = L"d\u00e9tail & <\u20ac> \"x\"\r\n\U0001F600 ";
	std::wstring text;
	while (text.size() < (1u << 20))
		text += pattern;
	const irr::core::stringw wide(text.c_str(), static_cast<irr::u32>(text.size()));
	manager.getCommonProfile()->setStringW("Notes", wide);
	manager.getCommonProfile()->setString("History", narrow(wide));
	ASSERT_TRUE(manager.saveProfiles());

	CProfileManager& loaded = reload();
	EXPECT_TRUE(loaded.getCommonProfile()->get("Notes")->toStringW() == wide);
	EXPECT_TRUE(loaded.getCommonProfile()->getString("History") == narrow(wide));
}

// Data folders named by the device settings reach the disk as the UTF-8 bytes of the names.
TEST_F(ProfileTest, NonAsciiFolderNamesAreWrittenAsUtf8)
{
	ScopedSetting title("TitleName", L"Caf\u00e9 \u20ac");
	manager.getGlobalProfile()->addInt("Runs", 1);
	ASSERT_TRUE(manager.saveGlobalProfile());
	EXPECT_FALSE(readWholeFile(temp.file("shared/Marrowfen/Caf\u00e9 \u20ac/profile.dat")).empty());
}
