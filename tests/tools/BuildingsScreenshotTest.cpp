#include "AssetsScreenTest.h"
#include "AssetsTestSupport.h"
#include "app/GameNodeClasses.h"
#include "content/CDictionary.h"
#include "content/CMemoryFile.h"
#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "core/StringId.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GLevelPaths.h"
#include "device/CDeviceStub.h"
#include "level/GBuildProcess.h"
#include "level/GBuildingNode.h"
#include "level/GGameLevelScene.h"
#include "nodes/BaseProgressBarNode.h"
#include "nodes/ButtonNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"
#include "support/OnScreenTest.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

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

const char* const Records[] = {"BuildingPlace",
                               "Camping1",
                               "Camping2",
                               "Camping3",
                               "Hostel1",
                               "Hostel2",
                               "Hostel3",
                               "GuestHouse1",
                               "GuestHouse2",
                               "GuestHouse3",
                               "GuestHouse4",
                               "BusinessHotel1",
                               "BusinessHotel2",
                               "BusinessHotel3",
                               "BusinessHotel4",
                               "HotelN51",
                               "HotelN52",
                               "HotelN53",
                               "HotelN54",
                               "HotelN61",
                               "HotelN62",
                               "HotelN63",
                               "HotelN64",
                               "Cafe",
                               "CityMall",
                               "AquaPark",
                               "TruckStation",
                               "REAgency",
                               "PRAgency",
                               "Statue",
                               "Garden",
                               "Memorial",
                               "FishingCenter",
                               "ObservationTower",
                               "Pyramid",
                               "Station",
                               "HQ"};
constexpr int RecordCount = sizeof(Records) / sizeof(Records[0]);

using onscreen::Point;
using onscreen::Rgb;
using onscreen::WindowShot;

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

class BuildingsScreenshotTest : public AssetsScreenTest
{
protected:
	BuildingsScreenshotTest() : AssetsScreenTest(WindowWidth, WindowHeight) {}

	void SetUp() override
	{
		mountAssets();
		if (IsSkipped() || HasFatalFailure())
			return;
		registerApplicationNodeClasses();
		registerGameNodeClasses();
		for (const char* atlas : {"atlases/MainMenu.xml", "atlases/Buildings.xml", "atlases/Env1.xml"})
		{
			atlases.push_back(assets->load<ContentObject>(ContentTypeAtlasTextureCollection, atlas));
			ASSERT_TRUE(atlases.back()) << atlas;
		}
		templates = assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "levels/common/TemplateCollection.qscn");
		ASSERT_TRUE(templates);
		buildings = readConfiguration<GBuildingsConfiguration>("levels/common/BuildingsConfiguration.xml");
		ASSERT_TRUE(buildings);
		level = readConfiguration<GLevelConfiguration>("levels/level1/LevelConfiguration.xml");
		ASSERT_TRUE(level);

		startSceneManager();
		if (HasFatalFailure())
			return;
		manager->setTemplateCollection(templates.get());
	}

	void TearDown() override
	{
		if (manager)
			manager->showScene(nullptr);
		placed.clear();
		scene = nullptr;
		stopSceneManager();
		templates = nullptr;
		level = nullptr;
		buildings = nullptr;
		atlases.clear();
		assets.reset();
	}

	// A building node of the record at the place, set up as the level set-up does, owned by the player.
	GBuildingNode* place(const char* record, const irr::core::vector3df& at, float scale)
	{
		return place(record, at, scale, level.get());
	}
	GBuildingNode* place(const char* record, const irr::core::vector3df& at, float scale,
	                     GLevelConfiguration* configuration)
	{
		SmartPointer<GBuildingType> type = buildings->findBuilding(internStringId(record));
		EXPECT_TRUE(type) << record;
		SmartPointer<GBuildingNode> building(new GBuildingNode());
		building->setName(internStringId(record));
		building->setPosition(at);
		building->setScale({scale, scale, 1});
		building->setBounds({144, 72, 0});
		building->setLevelConfiguration(configuration);
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

	WindowShot draw(irr::video::SColor clear)
	{
		// Shown once the bottom-right corner has the frame's colours rather than a blank window.
		const auto shown = [](const onscreen::WindowImage& image)
		{ return image.at(image.width - 2, image.height - 2) != 0; };
		return WindowShot(shootScene(clear, shown));
	}

	std::vector<SmartPointer<ContentObject>> atlases;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<GBuildingsConfiguration> buildings;
	SmartPointer<GLevelConfiguration> level;
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
	bool winter = false; // snow for grass, ice for water
};

TEST_F(BuildingsScreenshotTest, EachLevelShowsItsGroundPlacesAndBuildings)
{
	const LevelShot levels[] = {
	    {"level1", "atlases/Env1.xml", {"Camping1", "Camping2", "Camping3"}, {250, 200}, {40, 430}, {1000, 640}},
	    {"level2", "atlases/Env2.xml", {"Camping1", "Camping3", "Cafe", "Camping2"}, {420, 220}, {40, 265}, {900, 407}},
	    // One level of each district ground.
	    {"level3", "atlases/Districts.xml", {"Camping1", "Camping2", "Cafe"}, {130, 431}, {40, 268}, {490, 671}},
	    {"level9", "atlases/Districts.xml", {"GuestHouse1", "Hostel3", "Cafe"}, {130, 431}, {40, 268}, {100, 678}},
	    {"level17",
	     "atlases/Districts.xml",
	     {"BusinessHotel2", "Memorial", "GuestHouse3"},
	     {130, 431},
	     {40, 268},
	     {100, 695}},
	    {"level24",
	     "atlases/Districts.xml",
	     {"HotelN52", "AquaPark", "CityMall"},
	     {130, 431},
	     {40, 268},
	     {512, 695},
	     true},
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
		if (shown.winter)
			EXPECT_TRUE(grass.r > 200 && grass.g > 200 && grass.b > 200) << grass;
		else
			EXPECT_GT(grass.g, grass.r + 30) << grass;
		const Rgb road = shot.at(shown.road.first, shown.road.second);
		EXPECT_LT(std::abs(road.r - road.b), 20) << road;
		EXPECT_LT(road.r, 120) << road;
		const Rgb water = shot.at(shown.water.first, shown.water.second);
		EXPECT_GT(water.b, water.r + (shown.winter ? 20 : 60)) << water;
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

namespace
{
// Where the pieces of the third picture stand.
const int BuildingRowY = 200;
const int BuildingX[] = {20, 190, 360, 530, 700, 870, 1040};
const int SiteRowY = 500;
const int BusRowY = 690;
const int WorkerRowY = 770;
const int HelicopterRowY = 880;
const char* const Headings[] = {"Right", "RightUp", "Up", "LeftUp", "Left", "LeftDown", "Down", "RightDown"};
const char* const HelicopterHeadings[] = {"RightUp", "RightDown", "LeftUp", "LeftDown"};

bool isInk(const Rgb& c)
{
	return c.r + c.g + c.b < 250;
}
bool isCloudWhite(const Rgb& c)
{
	return c.r > 205 && c.g > 205 && c.b > 195;
}
} // namespace

// The icons, rings, building site, effects, vehicles and clouds the level clones from its templates, in
// the states the game plays on them; kept as <build>/artifacts/pieces.png.
TEST_F(BuildingsScreenshotTest, IconsRingsSitesVehiclesAndCloudsShowTheirStates)
{
	if (CDictionary* dictionary = assets->device->getDictionary())
		dictionary->loadFile("strings/Dictionary.xml");
	showScene(nullptr);
	auto at = [](int column, int row) { return irr::core::vector3df(float(BuildingX[column]), float(row), 0); };
	GBuildingNode* focused = place("Hostel2", at(0, BuildingRowY), 1.0f);
	focused->setChildrenState(internStringId("Focus"), nullptr);
	GBuildingNode* forSale = place("Camping1", at(1, BuildingRowY), 1.0f);
	forSale->setOwned(false);
	forSale->setForSale(true);
	forSale->updateSale(12000);
	GBuildingNode* calling = place("Hostel1", at(2, BuildingRowY), 1.0f);
	calling->setForSale(true);
	calling->setBuyRequest(true);
	calling->updateSale(9000);
	GBuildingNode* active = place("Cafe", at(3, BuildingRowY), 1.0f);
	active->activateFeature(0);
	GBuildingNode* recharging = place("TruckStation", at(4, BuildingRowY), 1.0f);
	recharging->activateFeature(0);
	recharging->updateFeatures(recharging->getRecord()->getFeatures()[0].getDurationTime() + 50);
	recharging->updateFeatures(5000);
	GBuildingNode* lucky = place("Camping3", at(5, BuildingRowY), 1.0f);
	lucky->setLuckiness(1);
	lucky->updateIncomeBonus();
	lucky->updateBonusIcon();
	GBuildingNode* workers = place("GuestHouse2", at(6, BuildingRowY), 1.0f);
	workers->setWorkersText(3);

	auto cloneTemplate = [&](const char* name, BaseNode* parent, const irr::core::vector3df& position)
	{
		BaseNode* found = templates->findTemplate(internStringId(name));
		EXPECT_TRUE(found) << name;
		BaseNode* made = found ? found->clone(parent, nullptr) : nullptr;
		if (made)
		{
			made->setPosition(position);
			made->setVisible(true);
		}
		return made;
	};
	// A building site at work, with its progress bar.
	GBuildingNode* siteBuilding = place("BuildingPlace", at(0, SiteRowY), 1.0f);
	BaseNode* site = cloneTemplate("Construction", siteBuilding, {0, 0, 0});
	ASSERT_TRUE(site);
	for (const char* state : {"PreBuild1", "PreBuild2", "Build", "Working"})
	{
		site->setChildrenState(internStringId(state), nullptr);
		advance(30);
	}
	if (auto* bar = dynamic_cast<BaseProgressBarNode*>(site->findChild(internStringId("ProgressBar"), 1)))
	{
		bar->setTemplateName(bar->getTemplateName());
		bar->setMaxValue(1);
		bar->setValue(0.6f);
	}
	// Repair under way, a letter waiting, money paid out, a new star, a serve area.
	GBuildingNode* repaired = place("Camping2", at(1, SiteRowY), 1.0f);
	if (auto* bar =
	        dynamic_cast<BaseProgressBarNode*>(cloneTemplate("ProgressBarOverBuilding", repaired, {20, -24, 0})))
	{
		bar->setTemplateName(bar->getTemplateName());
		bar->setMaxValue(1);
		bar->setValue(0.4f);
	}
	GBuildingNode* lettered = place("Hostel3", at(2, SiteRowY), 1.0f);
	BaseNode* letter = cloneTemplate("MoneyLetter", lettered, {40, -64, 0});
	ASSERT_TRUE(letter);
	letter->setChildrenState(internStringId("Appear"), nullptr);
	showCountdownRing(letter->findChild(internStringId("Progress"), 1), 0.3f);
	BaseNode* area = cloneTemplate("ServeArea", scene.get(), at(5, SiteRowY) + irr::core::vector3df(0, -80, 0));
	ASSERT_TRUE(area);
	area->setBounds({150, 110, 0});
	area->setState(internStringId("Green"), nullptr, StringId());
	// Vehicles and people heading every way, and the clouds.
	for (int i = 0; i < 8; ++i)
	{
		BaseNode* bus = cloneTemplate("Bus", scene.get(), {float(40 + i * 72), float(BusRowY), 0});
		ASSERT_TRUE(bus);
		bus->setChildrenState(internStringId(Headings[i]), nullptr);
		BaseNode* worker = cloneTemplate("Worker", scene.get(), {float(40 + i * 72), float(WorkerRowY), 0});
		ASSERT_TRUE(worker);
		worker->setChildrenState(internStringId(Headings[i]), nullptr);
	}
	// Pay day on the first building.
	focused->setChildrenState(internStringId("MoneyBurst"), nullptr);
	for (int i = 0; i < 4; ++i)
	{
		BaseNode* helicopter =
		    cloneTemplate("Helicopter", scene.get(), {float(660 + i * 140), float(HelicopterRowY), 0});
		ASSERT_TRUE(helicopter);
		helicopter->setChildrenState(internStringId(HelicopterHeadings[i]), nullptr);
	}
	for (int i = 0; i < 3; ++i)
	{
		const std::string name = "Cloud" + std::to_string(i + 1);
		ASSERT_TRUE(cloneTemplate(name.c_str(), scene.get(), {float(760 + i * 150), float(560 + i * 40), 0}));
	}
	advance(30);
	// The money burst and the new star part-way through their show.
	BaseNode* burst = cloneTemplate("MoneyBurst", scene.get(), at(3, SiteRowY) + irr::core::vector3df(40, -40, 0));
	ASSERT_TRUE(burst);
	burst->setState(internStringId("MoneyBurst"), nullptr, StringId());
	BaseNode* star = cloneTemplate("LevelStarEffect", scene.get(), at(4, SiteRowY) + irr::core::vector3df(40, -40, 0));
	ASSERT_TRUE(star);
	star->setChildrenState(internStringId("Activate"), nullptr);
	advance(20);

	const WindowShot shot = draw(Backdrop);
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	saveArtifact(shot, "pieces.png");

	// The sale sign's price is written legibly on the board.
	const int forSaleX = BuildingX[1] + 24, forSaleY = BuildingRowY - 30;
	EXPECT_GT(shot.count(forSaleX + 8, forSaleY + 8, forSaleX + 88, forSaleY + 32, isInk), 40);
	// Every heading of a vehicle has its own picture.
	for (int i = 0; i < 8; ++i)
	{
		const int next = (i + 1) % 8;
		int differing = 0;
		for (int y = -36; y < 14; ++y)
			for (int x = -30; x < 30; ++x)
			{
				differing += shot.at(40 + i * 72 + x, BusRowY + y) != shot.at(40 + next * 72 + x, BusRowY + y);
			}
		EXPECT_GT(differing, 60) << "bus heading " << Headings[i] << " against " << Headings[next];
	}
	for (int i = 0; i < 3; ++i)
	{
		int differing = 0;
		for (int y = -110; y < -30; ++y)
			for (int x = -48; x < 48; ++x)
				differing += shot.at(660 + i * 140 + x, HelicopterRowY + y) !=
				             shot.at(660 + (i + 1) * 140 + x, HelicopterRowY + y);
		EXPECT_GT(differing, 200) << "helicopter heading " << HelicopterHeadings[i];
	}
	// The clouds are white and soft.
	for (int i = 0; i < 3; ++i)
		EXPECT_GT(
		    shot.count(760 + i * 150 - 95, 560 + i * 40 - 50, 760 + i * 150 + 95, 560 + i * 40 + 50, isCloudWhite), 800)
		    << "cloud " << i + 1;
	// An active feature badge is bright, a recharging one shaded.
	// A single badge stands midway between the two feature places.
	const Rgb bright = shot.at(BuildingX[3] + 114 + 14, BuildingRowY + 22 + 8);
	const Rgb shaded = shot.at(BuildingX[4] + 114 + 14, BuildingRowY + 22 + 8);
	EXPECT_GT(bright.r + bright.g + bright.b, shaded.r + shaded.g + shaded.b + 60) << bright << shaded;
}

// The snow setting ("Setting4"): the same buildings in summer above and under snow below; kept as
// <build>/artifacts/snow.png.
TEST_F(BuildingsScreenshotTest, TheSnowSettingCoversRoofsAndGround)
{
	// The first level's configuration with the snow setting.
	std::string text;
	{
		SmartPointer<CReadFile> input(
		    new CReadFile((builtAssetsFolder() + "/levels/level1/LevelConfiguration.xml").c_str()));
		ASSERT_TRUE(input->isOpen());
		text.resize(static_cast<size_t>(input->getSize()));
		input->read(text.data(), static_cast<irr::u32>(text.size()));
	}
	const std::string summer = "<int Name=\"SettingIndex\" Value=\"1\"/>";
	const size_t at = text.find(summer);
	ASSERT_NE(at, std::string::npos);
	text.replace(at, summer.size(), "<int Name=\"SettingIndex\" Value=\"4\"/>");
	SmartPointer<CMemoryFile> file(new CMemoryFile(text.data(), static_cast<long>(text.size()), "snow.xml", false));
	SmartPointer<CXMLReader> reader(new CXMLReader(file.get()));
	SmartPointer<GLevelConfiguration> snow(new GLevelConfiguration());
	ASSERT_TRUE(snow->load(reader.get()));
	ASSERT_EQ(snow->getSettingIndex(), 4);

	const char* const shown[] = {"BuildingPlace", "Camping3", "Hostel3",  "GuestHouse4", "BusinessHotel4", "HotelN54",
	                             "HotelN64",      "Cafe",     "CityMall", "AquaPark",    "TruckStation",   "REAgency",
	                             "PRAgency",      "Statue",   "Garden",   "Memorial"};
	showScene(nullptr);
	for (int i = 0; i < 16; ++i)
	{
		place(shown[i], {float(i * CellWidth + NodeX), float(NodeY), 0}, CellScale);
		place(shown[i], {float(i * CellWidth + NodeX), float(CellHeight + NodeY), 0}, CellScale, snow.get());
	}
	advance(10);

	const WindowShot shot = draw(Backdrop);
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	saveArtifact(shot, "snow.png");

	const auto isSnow = [](const Rgb& c) { return c.r > 215 && c.g > 220 && c.b > 225; };
	for (int i = 0; i < 16; ++i)
	{
		const int x = i * CellWidth;
		const int summerWhite = shot.count(x, 0, x + CellWidth, CellHeight, isSnow);
		const int snowWhite = shot.count(x, CellHeight, x + CellWidth, 2 * CellHeight, isSnow);
		EXPECT_GT(snowWhite, summerWhite + 300) << shown[i] << " is not under snow";
	}
}

// The build list's buttons, one per line, from the interface's template collection; kept as
// <build>/artifacts/buildlist.png.
TEST_F(BuildingsScreenshotTest, BuildListButtonsShowTheirBuildings)
{
	SmartPointer<TemplateCollectionNode> interfaceTemplates =
	    assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "scenes/TemplateCollection.qscn");
	ASSERT_TRUE(interfaceTemplates);
	manager->setTemplateCollection(interfaceTemplates.get());
	showScene(nullptr);
	const char* const lines[] = {"Camping",  "Hostel",   "GuestHouse", "BusinessHotel", "HotelN5",
	                             "HotelN6",  "Cafe",     "CityMall",   "AquaPark",      "TruckStation",
	                             "REAgency", "PRAgency", "Statue",     "Garden",        "Memorial"};
	std::vector<SmartPointer<ButtonNode>> buttons;
	for (int i = 0; i < 15; ++i)
	{
		SmartPointer<ButtonNode> button(new ButtonNode());
		button->setPosition({float(16 + (i % 8) * 112), float(40 + (i / 8) * 140), 0});
		button->setBounds({96, 112, 0});
		scene->addChild(button.get());
		button->setTemplateName(internStringId((std::string("Game_") + lines[i] + "Button").c_str()));
		buttons.push_back(button);
	}
	buttons[1]->setHovered(true);
	buttons[2]->setEnabled(false);
	advance(10);

	const WindowShot shot = draw(Backdrop);
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	saveArtifact(shot, "buildlist.png");

	for (int i = 0; i < 15; ++i)
	{
		const int x = 16 + (i % 8) * 112, y = 40 + (i / 8) * 140;
		// The card, and the building on it: the plot and the walls are not the card's blue.
		EXPECT_FALSE(isBackdrop(shot.at(x + 4, y + 56))) << lines[i];
		EXPECT_GT(shot.count(x + 8, y + 30, x + 88, y + 104, [](const Rgb& c) { return c.b < c.r + 50; }), 400)
		    << lines[i] << " shows no building";
	}
	// Hover and disabled cards differ from the normal one.
	EXPECT_NE(shot.at(16 + 4, 40 + 56), shot.at(16 + 112 + 4, 40 + 56));
	EXPECT_NE(shot.at(16 + 4, 40 + 56), shot.at(16 + 224 + 4, 40 + 56));
	buttons.clear();
}

// A campsite going up on the first level, played by the level's own tick: the helicopter flies the load
// in while the workers' bus drives up, then the site works; kept as <build>/artifacts/level1-build-1.png
// and level1-build-2.png.
TEST_F(BuildingsScreenshotTest, ABuildUnderWayOnTheFirstLevel)
{
	atlases.push_back(assets->load<ContentObject>(ContentTypeAtlasTextureCollection, "atlases/Env1.xml"));
	SmartPointer<GGameLevelScene> levelScene =
	    assets->load<GGameLevelScene>(ContentTypeSceneNode, "levels/level1/Level.qscn");
	ASSERT_TRUE(levelScene);
	SmartPointer<GLevelPaths> paths = readConfiguration<GLevelPaths>("levels/level1/LevelPaths.xml");
	ASSERT_TRUE(paths);
	levelScene->setBuildingsConfiguration(buildings.get());
	levelScene->setConfiguration(level.get());
	levelScene->setUpgrades(nullptr);
	levelScene->createNeutralCarTraffic(paths.get());
	levelScene->setPaused(false);
	scene = levelScene;
	ASSERT_TRUE(manager->showScene(scene.get()));
	advance(2);

	GBuildingNode* place = nullptr;
	for (const SmartPointer<GBuildingNode>& building : levelScene->getBuildings())
		if (building->getName() == internStringId("Place1"))
			place = building.get();
	ASSERT_TRUE(place);
	place->saveState();
	place->setLevelRecord(buildings->findBuilding(internStringId("Camping1")).get(), false);
	place->setOwned(true);
	SmartPointer<GBuildProcess> build(new GBuildProcess(levelScene.get(), place, place->getRecord(),
	                                                    levelScene->getCargosNode(), templates.get(),
	                                                    paths->getCarPaths(internStringId("Place1"))[0].get(), 20, 1));
	levelScene->addProcess(build.get());
	place->setWork(GBuildingNode::BuildWork, build.get());

	advance(100);
	const WindowShot arriving = draw(irr::video::SColor(255, 0, 0, 0));
	ASSERT_EQ(arriving.width, WindowWidth) << "the X server could not be read";
	saveArtifact(arriving, "level1-build-1.png");
	ASSERT_TRUE(build->getHelicopter());
	EXPECT_EQ(build->getHelicopterStep(), GBuildProcess::HelicopterFlyingIn) << "still flying in";

	advance(250);
	const WindowShot working = draw(irr::video::SColor(255, 0, 0, 0));
	saveArtifact(working, "level1-build-2.png");
	EXPECT_EQ(build->getSiteStep(), GBuildProcess::SiteWorking) << "the site works";
	// The load the helicopter set down now stands on the site.
	const irr::core::vector3df at = place->getPosition();
	int differing = 0;
	for (int y = 0; y < 60; ++y)
		for (int x = 90; x < 140; ++x)
			differing += arriving.at(int(at.X) + x, int(at.Y) + y) != working.at(int(at.X) + x, int(at.Y) + y);
	EXPECT_GT(differing, 150) << "the load on the site";
	manager->showScene(nullptr);
	scene = nullptr;
}
