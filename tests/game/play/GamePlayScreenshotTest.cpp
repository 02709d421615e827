#include "PlayTestSupport.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "device/CLinuxDevice.h"
#include "level/GBuildingNode.h"
#include "scene/NodeEvents.h"
#include "scene/TabSceneNode.h"
#include "support/OnScreenTest.h"

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>

// Level 1 played in a 1024 x 768 OpenGL window: a campsite going up, the hotels' build cards in the dock.
// The window is kept as <build>/artifacts/gameplay.png.
namespace
{
class GamePlayScreenshots : public playtest::PlayStage
{
protected:
	GamePlayScreenshots() : PlayStage(3) {}

	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		display = onscreen::openTestDisplay(10);
		ASSERT_NE(display, nullptr);
		PlayStage::SetUp();
		device = dynamic_cast<CLinuxDevice*>(getDevice());
		if (!IsSkipped() && (!device || !device->hasWindow() || !device->getVideoDriver()))
			GTEST_SKIP() << "no OpenGL window";
	}

	void TearDown() override
	{
		PlayStage::TearDown();
		if (device)
		{
			DeviceCreationParameters nullDriver;
			nullDriver.driverType = 0;
			device->setCreationParameters(nullDriver);
		}
		if (display)
			XCloseDisplay(display);
	}

	onscreen::WindowImage shoot(const char* name)
	{
		const auto frame = [&]
		{
			XRaiseWindow(display, device->getWindowId());
			CEventSystemFlowDraw draw;
			application->onEvent(&draw);
		};
		const auto shown = [](const onscreen::WindowImage& shot) { return !shot.empty() && shot.at(5, 5) != 0; };
		onscreen::WindowImage image =
		    onscreen::drawUntilShown(display, device->getWindowId(), 0, 0, 1024, 768, frame, shown, 50);
		const std::string folder = binaryDir() + "/artifacts";
		std::filesystem::create_directories(folder);
		EXPECT_TRUE(onscreen::writePng(device->getVideoDriver(), image, folder + "/" + name + ".png")) << name;
		return image;
	}

	Display* display = nullptr;
	CLinuxDevice* device = nullptr;
};

bool isGold(unsigned long p)
{
	const int r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
	return r > 180 && g > 120 && b < 110;
}
} // namespace

TEST_F(GamePlayScreenshots, LevelOneWithACampsiteGoingUp)
{
	ASSERT_TRUE(enterLevel()) << log.dump();

	// The first empty place is bought and a campsite ordered on it, and the player looks at the hotels' cards.
	GBuildingNode* place = nullptr;
	for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
		if (!place && building->getRecord() && building->getRecord()->getLevel() == 0)
			place = building.get();
	ASSERT_NE(place, nullptr);
	SmartPointer<GBuildingType> camping = application->buildingsConfiguration->findBuilding(internStringId("Camping1"));
	ASSERT_TRUE(camping);
	EXPECT_TRUE(level->buyBuilding(place) || place->isOwned()) << log.dump();
	EXPECT_TRUE(level->buildOnPlace(place, camping.get())) << log.dump();
	for (int i = 0; i < 150; ++i)
		step();
	auto* tabs = nodeCast<TabSceneNode>(play->findChild(internStringId("ActionsTabScene"), 3));
	ASSERT_NE(tabs, nullptr);
	tabs->setActiveTab(0, true);
	for (int i = 0; i < 20; ++i)
		step();

	const onscreen::WindowImage shot = shoot("gameplay");
	ASSERT_FALSE(shot.empty());
	// The money sign at the top left and the clock's gold rim at the top right are drawn over the level.
	EXPECT_TRUE(isGold(shot.at(23, 28))) << std::hex << shot.at(23, 28);
	EXPECT_TRUE(isGold(shot.at(844, 52))) << std::hex << shot.at(844, 52);

	// Selected, the campsite shows its building work in the dock, with its information above it.
	CEventNodeClicked clicked(place);
	level->onEvent(&clicked);
	for (int i = 0; i < 20; ++i)
		step();
	ASSERT_EQ(tabs->getActiveTabIndex(), 5);
	ASSERT_FALSE(shoot("gameplay-building").empty());

	// The materials page lists the level's deliveries.
	tabs->setActiveTab(3, true);
	for (int i = 0; i < 20; ++i)
		step();
	ASSERT_FALSE(shoot("gameplay-materials").empty());
}
