#include "content/CXMLReader.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GLogosList.h"
#include "game/GameTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <string>

// The game's configuration files as the build packed them into assets.qca, read the way the game
// reads them: through the file system, from the enciphered archive alone.
namespace
{
const char* const ArchiveKey = "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";

class PackedGameData : public ::testing::Test
{
protected:
	void SetUp() override
	{
		files->setAssetsCryptKey(ArchiveKey);
		archive = files->addArchive((binaryDir() + "/bin/assets.qca").c_str(), false, false);
		ASSERT_NE(archive, nullptr) << "the build packs bin/assets.qca";
	}

	SmartPointer<CXMLReader> open(const char* name) { return SmartPointer<CXMLReader>(files->createXMLReader(name)); }

	// Nothing outside the archive can answer: the working folder holds no assets.
	TempDir empty;
	ScopedWorkingFolder nowhere{empty.path()};
	SmartPointer<IFileSystem> files{createFileSystem()};
	IArchive* archive = nullptr;
	LogCapture log;
};
} // namespace

TEST_F(PackedGameData, LevelScoresGiveEveryCityLevelRisingTargets)
{
	SmartPointer<CXMLReader> reader = open(GLevelScores::FileName);
	ASSERT_TRUE(reader);
	SmartPointer<GLevelScores> scores(new GLevelScores());
	ASSERT_TRUE(scores->load(reader.get()));
	EXPECT_EQ(scores->size(), 28u);
	GLevelScoreEntry previous{0, 0, 0};
	for (int v = 1; v <= 28; ++v)
	{
		const irr::core::stringc name = irr::core::stringc("level") + irr::core::stringc(v);
		ASSERT_TRUE(scores->contains(name)) << name.c_str();
		const GLevelScoreEntry entry = scores->lookup(name);
		EXPECT_GT(entry.score, previous.score) << name.c_str();
		EXPECT_GT(entry.expertScore, entry.score) << name.c_str();
		EXPECT_GE(entry.time, 300) << name.c_str();
		EXPECT_LE(entry.time, 900) << name.c_str();
		previous = entry;
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST_F(PackedGameData, ComicsFollowTheFirstLevelAndLeadIntoEachMiniGame)
{
	SmartPointer<CXMLReader> reader = open(GComicsConfiguration::FileName);
	ASSERT_TRUE(reader);
	SmartPointer<GComicsConfiguration> comics(new GComicsConfiguration());
	ASSERT_TRUE(comics->load(reader.get()));
	int number = 1;
	for (int location : {1, 7, 15, 23, 31})
	{
		const GComicsEntry* entry = comics->findComics(location);
		ASSERT_NE(entry, nullptr) << location;
		EXPECT_EQ(entry->getScenePath(), irr::core::stringc("scenes/ComicsScene") + irr::core::stringc(number++) +
		                                     irr::core::stringc(".qscn"));
	}
	EXPECT_EQ(comics->size(), 5u);
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST_F(PackedGameData, LogosNamePicturesOfTheArchive)
{
	SmartPointer<CXMLReader> reader = open(GLogosList::FileName);
	ASSERT_TRUE(reader);
	SmartPointer<GLogosList> logos(new GLogosList());
	ASSERT_TRUE(logos->load(reader.get()));
	ASSERT_GE(logos->getLogoCount(), 1u);
	for (irr::u32 i = 0; i < logos->getLogoCount(); ++i)
	{
		EXPECT_TRUE(files->existFile(logos->getLogo(i).image, true)) << logos->getLogo(i).image.c_str();
		EXPECT_GT(logos->getLogo(i).time, 0);
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}
