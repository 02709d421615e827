// Reads a level scene file ("Level.qscn") from the input, sets the level up with a small fixed
// configuration, then plays it.
#include "FuzzLevelPlay.h"
#include "app/GameNodeClasses.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	registerGameNodeClasses();
	FuzzSceneServices services;
	services.collection = shareRef(nodeCast<TemplateCollectionNode>(readFuzzScene(FuzzLevelTemplates, "t.qscn").get()));
	SmartPointer<BaseNode> root(readFuzzScene(reinterpret_cast<const char*>(data), size, "Level.qscn"));
	if (auto* scene = nodeCast<GGameLevelScene>(root.get()))
		playFuzzLevel(services, scene,
		              readFuzzConfiguration<GBuildingsConfiguration>(FuzzRecords, std::strlen(FuzzRecords)).get(),
		              readFuzzConfiguration<GLevelConfiguration>(FuzzLevelText, std::strlen(FuzzLevelText)).get());
	return 0;
}
