// Plays a small fixed level with a level configuration and a buildings configuration from the input (the two
// separated by a line "====", the second optional): its money, prices, times, counts and objectives drive a
// running level, its clock, the player's commands and the texts the screens show.
#include "FuzzLevelPlay.h"
#include "content/CDictionary.h"
#include "data/GObjectiveList.h"
#include "app/GameNodeClasses.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace
{
const char* const LevelScene =
    "<SceneNode Type=\"SceneNode\" ClassOverride=\"GGameLevelScene\"><Properties><string Name=\"Name\" "
    "Value=\"Level\"/></Properties>"
    "<SceneNode Type=\"ControlNode\"><Properties><string Name=\"Name\" Value=\"Buildings\"/></Properties>"
    "<SceneNode Type=\"GBuildingNode\"><Properties><string Name=\"Name\" Value=\"Place1\"/><vector3d "
    "Name=\"Position\" Value=\"100;200;0\"/><vector3d Name=\"Bounds\" Value=\"135;60;0\"/><string "
    "Name=\"TemplateName\" Value=\"Hostel1\"/><bool Name=\"IsOwnedByThePlayer\" Value=\"true\"/><int "
    "Name=\"LuckinessType\" Value=\"1\"/></Properties></SceneNode>"
    "<SceneNode Type=\"GBuildingNode\"><Properties><string Name=\"Name\" Value=\"Place2\"/><vector3d "
    "Name=\"Position\" Value=\"300;200;0\"/><string Name=\"TemplateName\" Value=\"Cafe1\"/><bool "
    "Name=\"IsOwnedByThePlayer\" Value=\"true\"/></Properties></SceneNode>"
    "<SceneNode Type=\"GBuildingNode\"><Properties><string Name=\"Name\" Value=\"Place3\"/><vector3d "
    "Name=\"Position\" Value=\"500;260;0\"/><string Name=\"TemplateName\" Value=\"BuildingPlace\"/><int "
    "Name=\"LuckinessType\" Value=\"-1\"/></Properties></SceneNode>"
    "<SceneNode Type=\"GBuildingNode\"><Properties><string Name=\"Name\" Value=\"Place4\"/><vector3d "
    "Name=\"Position\" Value=\"700;260;0\"/><string Name=\"TemplateName\" Value=\"Hostel1\"/></Properties>"
    "</SceneNode>"
    "</SceneNode>"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"CargosNode\"/></Properties></SceneNode>"
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"Pedestrians\"/></Properties></SceneNode>"
    "</SceneNode>";

const char* const Separator = "\n====\n";
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	registerGameNodeClasses();
	const std::string input(reinterpret_cast<const char*>(data), size);
	const size_t split = input.find(Separator);
	const std::string levelText = input.substr(0, split);
	const std::string recordsText =
	    split == std::string::npos ? std::string(FuzzRecords) : input.substr(split + std::strlen(Separator));

	SmartPointer<GLevelConfiguration> level =
	    readFuzzConfiguration<GLevelConfiguration>(levelText.data(), levelText.size());
	SmartPointer<GBuildingsConfiguration> records =
	    readFuzzConfiguration<GBuildingsConfiguration>(recordsText.data(), recordsText.size());

	FuzzSceneServices services;
	services.collection = shareRef(nodeCast<TemplateCollectionNode>(readFuzzScene(FuzzLevelTemplates, "t.qscn").get()));
	SmartPointer<BaseNode> root(readFuzzScene(LevelScene, std::strlen(LevelScene), "Level.qscn"));
	auto* scene = nodeCast<GGameLevelScene>(root.get());
	if (!scene)
		return 0;
	playFuzzLevel(services, scene, records.get(), level.get());

	// What the play screen and the objectives popup show of the running level.
	SmartPointer<CDictionary> dictionary(new CDictionary());
	GObjectiveList* objectives = level->getObjectives();
	for (irr::u32 i = 0; i < objectives->getCount(); ++i)
	{
		objectives->get(i)->getText(*dictionary, true);
		objectives->get(i)->getProgressText(*scene, *dictionary);
	}
	return 0;
}
