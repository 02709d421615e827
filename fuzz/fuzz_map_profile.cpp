// Opens the city map for a player whose profile file is the input: the stored progress, level index, scores,
// times and bought upgrades are checked as the game checks them at start and then drive the map's location
// buttons, ranks, records, hints and its play button.
#include "FuzzSceneSupport.h"
#include "app/GGameApplication.h"
#include "content/CMemoryFile.h"
#include "content/CProfileManager.h"
#include "content/ProfileFile.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "app/GameNodeClasses.h"
#include "data/GameProfileChecks.h"
#include "data/GameProfileDefaults.h"
#include "device/CDeviceStub.h"
#include "frontend/GMapScene.h"
#include "scene/NodeEvents.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const char* const Scores = "<LevelScores><Level Name=\"level1\" Score=\"100\" ExpertScore=\"200\" Time=\"300\"/>"
                           "<Level Name=\"level2\" Score=\"2147483647\" ExpertScore=\"-5\" Time=\"60\"/>"
                           "</LevelScores>";
const char* const Upgrades = "<UpgradesConfiguration><Upgrade><Name Value=\"Roads\"/><Price Value=\"500\"/>"
                             "<Level Value=\"1\"/><ObligatoryLevel Value=\"3\"/></Upgrade>"
                             "<Upgrade><Name Value=\"Free\"/><Price Value=\"0\"/><ObligatoryLevel Value=\"40\"/>"
                             "</Upgrade></UpgradesConfiguration>";

// The map as its scene file builds it: the location buttons of the campaign and a play button.
std::string mapScene()
{
	std::string text = "<SceneNode Type=\"SceneNode\" ClassOverride=\"GMapScene\"><Properties><string Name=\"Name\" "
	                   "Value=\"Map\"/></Properties><SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" "
	                   "Value=\"Scene\"/></Properties><SceneNode Type=\"ControlNode\"><Properties><string "
	                   "Name=\"Name\" Value=\"LocationButtons\"/></Properties>";
	for (int i = 1; i <= 32; ++i)
		text += "<SceneNode Type=\"ButtonNode\" ClassOverride=\"GMapLocationButton\"><Properties><string "
		        "Name=\"Name\" Value=\"Location" +
		        std::to_string(i) + "\"/><string Name=\"AssociatedLevelName\" Value=\"level" + std::to_string(i) +
		        "\"/></Properties></SceneNode>";
	text += "</SceneNode><SceneNode Type=\"ButtonNode\"><Properties><string Name=\"Name\" Value=\"PlayButton\"/>"
	        "</Properties></SceneNode></SceneNode></SceneNode>";
	return text;
}

// The device and the application's shared tables, made once for the whole run.
void prepareOnce()
{
	static bool prepared = false;
	if (prepared)
		return;
	prepared = true;
	new CDeviceStub();
	registerGameNodeClasses();
	gGameApplication = new GGameApplication();
	gGameApplication->levelScores =
	    readFuzzConfiguration<GLevelScores>(Scores, std::strlen(Scores));
	gGameApplication->upgradesConfiguration =
	    readFuzzConfiguration<GUpgradesConfiguration>(Upgrades, std::strlen(Upgrades));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	prepareOnce();
	std::vector<uint8_t> bytes(data, data + size);
	SmartPointer<CMemoryFile> file(new CMemoryFile(bytes.data(), static_cast<long>(bytes.size()), "profile.dat", false));
	ProfileFile content;
	if (!content.load(*file, ""))
		return 0;

	CProfileManager* profiles = CProfileManager::instance();
	while (profiles->getProfileCount() > 0)
		profiles->removeProfile(0);
	declareGameProfileDefaults(*profiles);
	profiles->takeUserFile(content);
	checkGameProfiles(*profiles);
	profiles->setActiveProfile(0);

	FuzzSceneServices services;
	SmartPointer<BaseNode> root(readFuzzScene(mapScene(), "MapScene.qscn"));
	auto* map = nodeCast<GMapScene>(root.get());
	if (map && map->whyUnusable().empty())
	{
		SmartPointer<BaseNode> holder(new BaseNode());
		holder->attachToSceneManager(&services, nullptr);
		holder->addChild(map);
		map->attachToSceneManager(&services, map);
		SmartPointer<CEventNodeSceneChangeStarted> entered(new CEventNodeSceneChangeStarted(nullptr, map, 0));
		map->onEvent(entered.get());
		const irr::core::array<BaseNode*>& buttons = map->findChild(internStringId("LocationButtons"))->getChildren();
		for (irr::u32 i = 0; i < buttons.size(); ++i)
		{
			SmartPointer<CEventNodeClicked> click(new CEventNodeClicked(buttons[i]));
			map->onEvent(click.get());
		}
		services.step(5);
		services.queue.clear();
		holder->removeChild(map);
	}
	profiles->setActiveProfile(-1);
	return 0;
}
