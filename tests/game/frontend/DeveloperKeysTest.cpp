#include "FrontendTestSupport.h"
#include "content/IFileSystem.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GComicsConfiguration.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "frontend/GComicsScene.h"
#include "frontend/GMapScene.h"

#include <cctype>
#include <fstream>

using namespace frontendtest;

namespace
{
// The application's key handler fed by hand; the developer flag starts off for every case.
class DeveloperKeys : public FrontendStage
{
protected:
	void SetUp() override
	{
		FrontendStage::SetUp();
		gDeveloperMode = false;
	}
	void TearDown() override
	{
		gDeveloperMode = false;
		FrontendStage::TearDown();
	}

	// Each character one key press; '_' a key that types nothing (an arrow key).
	void typeKeys(const std::string& keys)
	{
		for (char c : keys)
		{
			CEventInputKeyDown down(c == '_' ? 0 : c, c == '_' ? 37 : std::toupper(c), false, false);
			EXPECT_FALSE(application->onKeyDown(&down));
		}
	}

	void command(int key, bool shift, bool control)
	{
		CEventInputKeyDown down(0, key, shift, control);
		EXPECT_FALSE(application->onKeyDown(&down));
	}
};
} // namespace

TEST_F(DeveloperKeys, TheCodeIsTheLastEightCharactersInAnyCase)
{
	const std::pair<const char*, bool> cases[] = {
	    {"plumvask", true}, {"PLUMVASK", true},  {"xyzplumvask", true}, {"plum_vask", false},
	    {"plumvas", false}, {"plumvasx", false}, {"pplumvask", true},
	};
	for (const auto& [keys, on] : cases)
	{
		gDeveloperMode = false;
		typeKeys("________");
		typeKeys(keys);
		EXPECT_EQ(gDeveloperMode, on) << keys;
	}
}

TEST_F(DeveloperKeys, ReloadNeedsTheFlagAndBothModifiers)
{
	ASSERT_EQ(application->comicsConfiguration->size(), 0u);
	ASSERT_FALSE(application->buildingsConfiguration->findBuilding(internStringId("BuildingPlace")));
	command(82, true, true);
	EXPECT_EQ(application->comicsConfiguration->size(), 0u) << "no reload without the code";
	typeKeys("plumvask");
	command(82, true, false);
	command(82, false, true);
	EXPECT_EQ(application->comicsConfiguration->size(), 0u);
	command(82, true, true);
	EXPECT_GT(application->comicsConfiguration->size(), 0u);
	EXPECT_GT(application->levelScores->size(), 0u);
	EXPECT_TRUE(application->buildingsConfiguration->findBuilding(internStringId("BuildingPlace")));
	EXPECT_TRUE(application->upgradesConfiguration->findUpgrade(internStringId("Camping")));
	// The null driver takes no screenshot: nothing is written.
	command(83, true, true);
	EXPECT_FALSE(
	    std::ifstream(std::string(getDevice()->getFileSystem()->getUserDataFolder().c_str()) + "/screenshot0.jpg"));
}

namespace
{
// On the map the digits 1 to 5 show the story's comics, only in developer mode.
TEST_F(DeveloperKeys, TheMapsDigitKeysShowTheComicsInDeveloperModeOnly)
{
	GMapScene* map = open<GMapScene>("scenes/MapScene.qscn");
	ASSERT_NE(map, nullptr);
	EXPECT_FALSE(keyUp(map, '4'));
	settle();
	EXPECT_EQ(top(), map);

	gDeveloperMode = true;
	EXPECT_FALSE(keyUp(map, '6')) << "there is no sixth comic";
	EXPECT_TRUE(keyUp(map, '4'));
	settle();
	auto* comic = nodeCast<GComicsScene>(top());
	ASSERT_NE(comic, nullptr);
	EXPECT_EQ(getStringById(comic->getName()), irr::core::stringc("ComicsScene4"));
}
} // namespace
