#include "AssetsTestSupport.h"
#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "core/StringId.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GameNodeClasses.h"
#include "device/CDeviceStub.h"
#include "level/GBuildingNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"
#include "support/OnScreenTest.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// Every building record drawn by real building nodes from the level template collection, each twice:
// as it stands at the start of a level and broken (its repair icon over it); service buildings show their
// run-down look first and then restored. The window is kept as <build>/artifacts/buildings.png, and the
// level scenes as <build>/artifacts/level1.png and level2.png.
namespace
{
constexpr int WindowWidth = 1216;
constexpr int WindowHeight = 900;
constexpr int CellWidth = 76;
constexpr int CellHeight = 180;
constexpr int RecordsPerRow = 8;
constexpr float CellScale = 0.5f;
// Where a building node stands in its cell: the building rises above it, the stars sit below the plot.
constexpr int NodeX = 2;
constexpr int NodeY = 104;
const irr::video::SColor Backdrop(255, 156, 208, 122);

const char* const Records[] = {
    "BuildingPlace",  "Camping1",       "Camping2",       "Camping3",       "Hostel1",          "Hostel2",
    "Hostel3",        "GuestHouse1",    "GuestHouse2",    "GuestHouse3",    "GuestHouse4",      "BusinessHotel1",
    "BusinessHotel2", "BusinessHotel3", "BusinessHotel4", "HotelN51",       "HotelN52",         "HotelN53",
    "HotelN54",       "HotelN61",       "HotelN62",       "HotelN63",       "HotelN64",         "Cafe",
    "CityMall",       "AquaPark",       "TruckStation",   "REAgency",       "PRAgency",         "Statue",
    "Garden",         "Memorial",       "FishingCenter",  "ObservationTower", "Pyramid",        "Station",
    "HQ"};
constexpr int RecordCount = sizeof(Records) / sizeof(Records[0]);

using onscreen::Point;

struct Rgb
{
	int r, g, b;
	bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
	bool operator!=(const Rgb& o) const { return !(*this == o); }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
	return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class WindowShot : public onscreen::WindowImage
{
public:
	WindowShot() = default;
	explicit WindowShot(onscreen::WindowImage image) : WindowImage(std::move(image)) {}

	Rgb at(int x, int y) const
	{
		const unsigned long p = WindowImage::at(x, y);
		return {static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)};
	}
	template <class Test> int count(int x0, int y0, int x1, int y1, Test test) const
	{
		int n = 0;
		for (int y = y0; y < y1; ++y)
			for (int x = x0; x < x1; ++x)
				n += test(at(x, y)) ? 1 : 0;
		return n;
	}
};

bool isBackdrop(const Rgb& c)
{
	const int r = static_cast<int>(Backdrop.getRed()), g = static_cast<int>(Backdrop.getGreen()),
	          b = static_cast<int>(Backdrop.getBlue());
	return std::abs(c.r - r) < 6 && std::abs(c.g - g) < 6 && std::abs(c.b - b) < 6;
}
// A colourful pixel: the art is painted, not grey.
bool isColourful(const Rgb& c)
{
	const int high = std::max(c.r, std::max(c.g, c.b));
	const int low = std::min(c.r, std::min(c.g, c.b));
	return high - low > 40 && !isBackdrop(c);
}

// A configuration or scene read from the built assets folder.
template <class T> SmartPointer<T> readConfiguration(const std::string& name)
{
	SmartPointer<CReadFile> input(new CReadFile((builtAssetsFolder() + "/" + name).c_str()));
	SmartPointer<CXMLReader> reader(new CXMLReader(input.get()));
	SmartPointer<T> loaded(new T());
	return loaded->load(reader.get()) ? loaded : SmartPointer<T>();
}

class BuildingsScreenshotTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		assets = std::make_unique<MountedAssets>(3, WindowWidth, WindowHeight);
		if (!assets->device || !assets->device->getVideoDriver())
			GTEST_SKIP() << "no OpenGL device";
		ASSERT_TRUE(assets->folder);
		stub = dynamic_cast<CDeviceStub*>(assets->device);
		ASSERT_TRUE(stub);
		registerApplicationNodeClasses();
		registerGameNodeClasses();
		for (const char* atlas : {"atlases/MainMenu.xml", "atlases/Buildings.xml", "atlases/Env1.xml"})
		{
			atlases.push_back(assets->load<ContentObject>(ContentTypeAtlasTextureCollection, atlas));
			ASSERT_TRUE(atlases.back()) << atlas;
		}
		templates =
		    assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "levels/common/TemplateCollection.qscn");
		ASSERT_TRUE(templates);
		buildings = readConfiguration<GBuildingsConfiguration>("levels/common/BuildingsConfiguration.xml");
		ASSERT_TRUE(buildings);
		level = readConfiguration<GLevelConfiguration>("levels/level1/LevelConfiguration.xml");
		ASSERT_TRUE(level);

		manager = SmartPointer<SceneManager>(assets->device->createSceneManager());
		ASSERT_TRUE(manager);
		scheduler = SmartPointer<TaskScheduler>(assets->device->createTaskScheduler());
		assets->device->addEventListener(scheduler.get(), 0);
		manager->setScheduler(scheduler.get());
		manager->setTemplateCollection(templates.get());
	}

	void TearDown() override
	{
		if (manager)
			manager->showScene(nullptr);
		placed.clear();
		scene = nullptr;
		if (scheduler && assets && assets->device)
			assets->device->removeEventListener(scheduler.get());
		manager = nullptr;
		scheduler = nullptr;
		templates = nullptr;
		level = nullptr;
		buildings = nullptr;
		atlases.clear();
		assets.reset();
	}

	// A building node of the record at the place, set up as the level set-up does, owned by the player.
	GBuildingNode* place(const char* record, const irr::core::vector3df& at, float scale)
	{
		SmartPointer<GBuildingType> type = buildings->findBuilding(internStringId(record));
		EXPECT_TRUE(type) << record;
		SmartPointer<GBuildingNode> building(new GBuildingNode());
		building->setName(internStringId(record));
		building->setPosition(at);
		building->setScale({scale, scale, 1});
		building->setBounds({144, 72, 0});
		building->setLevelConfiguration(level.get());
		if (type)
			building->setLevelRecord(type.get(), false);
		building->setOwned(true);
		scene->addChild(building.get());
		building->setTemplateName(internStringId(record));
		placed.push_back(building);
		return building.get();
	}

	void showScene(BaseNode* root)
	{
		scene = SmartPointer<SceneNode>(new SceneNode());
		scene->setBounds({WindowWidth, WindowHeight, 0});
		ASSERT_TRUE(manager->showScene(scene.get()));
		if (root)
			scene->addChild(root);
	}

	// Lets the given number of 20 ms updates pass: states run, posted events arrive.
	void advance(int updates)
	{
		for (int i = 0; i < updates; ++i)
			stub->postEvent(new CEventSystemFlowUpdate(20));
	}

	WindowShot draw(irr::video::SColor clear)
	{
		irr::video::IVideoDriver* driver = assets->device->getVideoDriver();
		Display* display = onscreen::openTestDisplay();
		if (!display)
			return WindowShot();
		const auto frame = [&]
		{
			driver->beginScene(true, true, clear);
			manager->draw(driver);
			driver->endScene();
		};
		// Shown once the bottom-right corner has the frame's colours rather than a blank window.
		const auto shown = [](const onscreen::WindowImage& image)
		{ return image.at(image.width - 2, image.height - 2) != 0; };
		WindowShot shot(onscreen::drawUntilShown(display, onscreen::windowOf(driver), 0, 0, WindowWidth, WindowHeight,
		                                         frame, shown, 50));
		XCloseDisplay(display);
		return shot;
	}

	void saveArtifact(const WindowShot& shot, const char* name)
	{
		const std::string folder =
		    std::string(std::getenv("TEST_BINARY_DIR") ? std::getenv("TEST_BINARY_DIR") : ".") + "/artifacts";
		std::filesystem::create_directories(folder);
		EXPECT_TRUE(onscreen::writePng(assets->device->getVideoDriver(), shot, folder + "/" + name)) << name;
	}

	std::unique_ptr<MountedAssets> assets;
	CDeviceStub* stub = nullptr;
	std::vector<SmartPointer<ContentObject>> atlases;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<GBuildingsConfiguration> buildings;
	SmartPointer<GLevelConfiguration> level;
	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<SceneManager> manager;
	SmartPointer<SceneNode> scene;
	std::vector<SmartPointer<GBuildingNode>> placed;
};

// Top-left corner of the cell of a record's first (state 0) or second (state 1) picture.
irr::core::vector2di cellOf(int record, int state)
{
	return {((record % RecordsPerRow) * 2 + state) * CellWidth, (record / RecordsPerRow) * CellHeight};
}

bool isServiceRecord(const std::string& name)
{
	return name == "FishingCenter" || name == "ObservationTower" || name == "Pyramid" || name == "Station" ||
	       name == "HQ";
}
} // namespace

TEST_F(BuildingsScreenshotTest, EveryRecordIsDrawnInItsNormalAndBrokenLook)
{
	showScene(nullptr);
	for (int i = 0; i < RecordCount; ++i)
	{
		const irr::core::vector2di first = cellOf(i, 0), second = cellOf(i, 1);
		GBuildingNode* normal = place(Records[i], {float(first.X + NodeX), float(first.Y + NodeY), 0}, CellScale);
		GBuildingNode* broken = place(Records[i], {float(second.X + NodeX), float(second.Y + NodeY), 0}, CellScale);
		// A service building starts run down; its restored look stands beside it, broken.
		if (isServiceRecord(Records[i]))
		{
			broken->setCondition(GBuildingNode::Normal);
			broken->setChildrenState(internStringId("Restoring"), nullptr);
			EXPECT_EQ(normal->getCondition(), int(GBuildingNode::RunDown)) << Records[i];
		}
		broken->setCondition(GBuildingNode::Broken);
	}
	// Past the fades of restoring (its key frames as the file gives them) and the icons' first bob.
	advance(520);

	const WindowShot shot = draw(Backdrop);
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	saveArtifact(shot, "buildings.png");

	for (int i = 0; i < RecordCount; ++i)
	{
		const irr::core::vector2di first = cellOf(i, 0), second = cellOf(i, 1);
		// The plot and the building: painted, colourful pixels fill a good part of the cell.
		const int painted = shot.count(first.X, first.Y, first.X + CellWidth, first.Y + CellHeight, isColourful);
		EXPECT_GT(painted, 500) << Records[i] << " is hardly drawn or drawn grey";
		// The broken look adds its icon over the building: that area differs between the two cells.
		int differing = 0;
		for (int y = NodeY - 34; y < NodeY - 6; ++y)
			for (int x = NodeX + 26; x < NodeX + 46; ++x)
				differing += shot.at(first.X + x, first.Y + y) != shot.at(second.X + x, second.Y + y) ? 1 : 0;
		EXPECT_GT(differing, 120) << Records[i] << ": no repair icon on the broken building";
	}
	// Hotels above the first level show their stars: a gold pixel under the plot of a level-3 campsite.
	const irr::core::vector2di camping3 = cellOf(3, 0);
	const auto isGold = [](const Rgb& c) { return c.r > 180 && c.r > c.g && c.b < 100; };
	const int gold =
	    shot.count(camping3.X, camping3.Y + NodeY + 28, camping3.X + CellWidth, camping3.Y + CellHeight, isGold);
	const irr::core::vector2di camping1 = cellOf(1, 0);
	const int noGold =
	    shot.count(camping1.X, camping1.Y + NodeY + 28, camping1.X + CellWidth, camping1.Y + CellHeight, isGold);
	EXPECT_GT(gold, 12) << "the two filled stars of a level-3 campsite";
	EXPECT_LT(noGold, 3) << "a level-1 campsite has no filled star";
}

// A level under way: its ground, and on its places a few owned buildings (one of them dirty) among the
// empty places; points of the ground that must show grass, road and water.
struct LevelShot
{
	const char* folder;
	const char* atlas;
	std::vector<const char*> built;
	Point grass, road, water;
};

TEST_F(BuildingsScreenshotTest, EachLevelShowsItsGroundPlacesAndBuildings)
{
	const LevelShot levels[] = {
	    {"level1", "atlases/Env1.xml", {"Camping1", "Camping2", "Camping3"}, {250, 300}, {40, 530}, {1000, 740}},
	    {"level2", "atlases/Env2.xml", {"Camping1", "Camping3", "Cafe", "Camping2"}, {420, 240}, {40, 300}, {900, 490}},
	};
	for (const LevelShot& shown : levels)
	{
		SCOPED_TRACE(shown.folder);
		atlases.push_back(assets->load<ContentObject>(ContentTypeAtlasTextureCollection, shown.atlas));
		ASSERT_TRUE(atlases.back());
		SmartPointer<SceneNode> levelScene =
		    assets->load<SceneNode>(ContentTypeSceneNode, std::string("levels/") + shown.folder + "/Level.qscn");
		ASSERT_TRUE(levelScene);
		BaseNode* places = levelScene->findChild(internStringId("Buildings"), 1);
		ASSERT_TRUE(places);
		scene = levelScene;
		ASSERT_TRUE(manager->showScene(scene.get()));
		size_t next = 0;
		for (irr::u32 i = 0; i < places->getChildren().size(); ++i)
		{
			auto* building = dynamic_cast<GBuildingNode*>(places->getChildren()[i]);
			ASSERT_TRUE(building);
			building->setLevelConfiguration(level.get());
			const bool builds = next < shown.built.size() && i % 2 == 1;
			const char* record = builds ? shown.built[next++] : "BuildingPlace";
			building->setLevelRecord(buildings->findBuilding(internStringId(record)).get(), false);
			building->setOwned(builds);
			building->setTemplateName(internStringId(record));
			if (next == 2 && builds)
				building->setCondition(GBuildingNode::Dirty);
		}
		advance(30);

		const WindowShot shot = draw(irr::video::SColor(255, 0, 0, 0));
		ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
		saveArtifact(shot, (std::string(shown.folder) + ".png").c_str());

		const Rgb grass = shot.at(shown.grass.first, shown.grass.second);
		EXPECT_GT(grass.g, grass.r + 30) << grass;
		const Rgb road = shot.at(shown.road.first, shown.road.second);
		EXPECT_LT(std::abs(road.r - road.b), 20) << road;
		EXPECT_LT(road.r, 120) << road;
		const Rgb water = shot.at(shown.water.first, shown.water.second);
		EXPECT_GT(water.b, water.r + 60) << water;
		// Every place shows its raised plot where the node stands: the earth of its front left side.
		for (irr::u32 i = 0; i < places->getChildren().size(); ++i)
		{
			const irr::core::vector3df at = places->getChildren()[i]->getPosition();
			const Rgb side = shot.at(int(at.X) + 40, int(at.Y) + 55);
			EXPECT_TRUE(side.r > side.g + 20 && side.g > side.b) << "place " << i << side;
		}
		manager->showScene(nullptr);
		scene = nullptr;
	}
}
