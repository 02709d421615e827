#include "app/GameNodeClasses.h"

#include "app/GBaseSceneNode.h"
#include "data/GameNodeTypeIds.h"
#include "effects/EffectNodeClasses.h"
#include "frontend/FrontendNodeClasses.h"
#include "frontend/GRectangleNode.h"
#include "level/LevelNodeClasses.h"
#include "minigames/MiniGameNodeClasses.h"
#include "play/PlayNodeClasses.h"
#include "scene/NodeTypeIds.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace
{
// The ids and kinds every game class answers to, by type name.
struct ClassIdentity
{
	const wchar_t* name;
	int id;
	std::set<int> alsoKindOf;
};

const ClassIdentity identities[] = {
    {L"GRectangleNode", NodeTypeGRectangleNode, {}},
    {L"GEllipseSectorNode", NodeTypeGEllipseSectorNode, {}},
    {L"GBuildingNode", NodeTypeGBuildingNode, {NodeTypeControlNode}},
    {L"GGameLevelScene", NodeTypeGGameLevelScene, {NodeTypeControlNode, NodeTypeSceneNode}},
    {L"GPathMovableNode", NodeTypeGPathMovableNode, {}},
    {L"GGamePlayScene", NodeTypeGGamePlayScene, {NodeTypeGBaseSceneNode, NodeTypeSceneNode, NodeTypeControlNode}},
    {L"GLogosScene", NodeTypeGLogosScene, {NodeTypeSceneNode, NodeTypeControlNode}},
    {L"GIntroScene", NodeTypeGIntroScene, {NodeTypeSceneNode, NodeTypeControlNode}},
    {L"GMainMenuScene", NodeTypeGMainMenuScene, {NodeTypeSceneNode, NodeTypeControlNode}},
    {L"GMapLocationButton", NodeTypeGMapLocationButton, {NodeTypeButtonNode, NodeTypeControlNode}},
    {L"GMapScene", NodeTypeGMapScene, {NodeTypeSceneNode, NodeTypeControlNode}},
    {L"GDebugStatsScene", NodeTypeGDebugStatsScene, {6, 5}},
    {L"GQuitConfirmationScene", NodeTypeGQuitConfirmationScene, {6, 5}},
    {L"GSelectPlayerScene", NodeTypeGSelectPlayerScene, {6, 5}},
    {L"GSelectPlayerInputNameScene", NodeTypeGSelectPlayerInputNameScene, {6, 5}},
    {L"GAchievementUnlockedScene", NodeTypeGAchievementUnlockedScene, {6, 5}},
    {L"GAchievementsScene", NodeTypeGAchievementsScene, {6, 5}},
    {L"GCreditsScene", NodeTypeGCreditsScene, {6, 5}},
    {L"GOptionsScene", NodeTypeGOptionsScene, {6, 5}},
    {L"GLoadingLevelScene", NodeTypeGLoadingLevelScene, {1100, 6, 5}},
    {L"GLevelObjectivesScene", NodeTypeGLevelObjectivesScene, {1100, 6, 5}},
    {L"GLevelCompletedScene", NodeTypeGLevelCompletedScene, {1100, 6, 5}},
    {L"GHelpScene", NodeTypeGHelpScene, {1100, 6, 5}},
    {L"GInGameMenuScene", NodeTypeGInGameMenuScene, {1100, 6, 5}},
    {L"GMiniCompletedScene", NodeTypeGMiniCompletedScene, {6, 5}},
    {L"GMiniGameHiddenScene", NodeTypeGMiniGameHiddenScene, {6, 5}},
    {L"GMiniGameHidden2Scene", NodeTypeGMiniGameHidden2Scene, {6, 5}},
    {L"GMiniGameAuctionScene", NodeTypeGMiniGameAuctionScene, {6, 5}},
    {L"GShopScene", NodeTypeGShopScene, {NodeTypeControlNode, NodeTypeSceneNode}},
    {L"GComicsScene", NodeTypeGComicsScene, {NodeTypeControlNode, NodeTypeSceneNode}},
    {L"GShopButton", NodeTypeGShopButton, {NodeTypeControlNode, NodeTypeButtonNode}},
    {L"GMainMenuPedestrianNode", NodeTypeGMainMenuPedestrianNode, {}},
    {L"GMainMenuCarNode", NodeTypeGMainMenuCarNode, {}},
    {L"GMainMenuBikeNode", NodeTypeGMainMenuBikeNode, {}},
    {L"GMainMenuCloudNode", NodeTypeGMainMenuCloudNode, {}},
    {L"GSpiralMovableNode", NodeTypeGSpiralMovableNode, {}},
    {L"GBaloonNode", NodeTypeGBaloonNode, {}},
    {L"GPicEffectNode", NodeTypeGPicEffectNode, {}},
    {L"GShieldStarNode", NodeTypeGShieldStarNode, {}},
    {L"GShieldEffectNode", NodeTypeGShieldEffectNode, {}},
    {L"GLakeWaveNode", NodeTypeGLakeWaveNode, {}},
    {L"GBirdNode", NodeTypeGBirdNode, {}},
    {L"GCircularBirdNode", NodeTypeGCircularBirdNode, {}},
    {L"GCarNode", NodeTypeGCarNode, {}},
    {L"GPedestrianNode", NodeTypeGPedestrianNode, {}},
    {L"GTextTrailNode", NodeTypeGTextTrailNode, {}},
    {L"GFireworkNode", NodeTypeGFireworkNode, {}},
    {L"OnceSpawnerNode", NodeTypeOnceSpawnerNode, {}},
    {L"GHOHintParticlesNode", NodeTypeGHOHintParticlesNode, {}},
    {L"GWeatherParticlesNode", NodeTypeGWeatherParticlesNode, {}},
    {L"GSelectGridNode", NodeTypeGSelectGridNode, {}},
};

const ClassIdentity* identityOf(const irr::core::stringw& name)
{
	for (const ClassIdentity& identity : identities)
		if (name == identity.name)
			return &identity;
	return nullptr;
}

void expectCreatedByName(const GameNodeClass& entry)
{
	const irr::core::stringw& name = entry.typeName();
	const std::string shown = std::string(irr::core::stringc(name).c_str());
	const ClassIdentity* identity = identityOf(name);
	ASSERT_NE(identity, nullptr) << shown << " has no known identity";
	SmartPointer<BaseNode> node(NodeFactory::instance()->createNode(name, ContentRef(nullptr, "scenes/A.qscn")));
	ASSERT_TRUE(node) << shown;
	EXPECT_EQ(node->getReferenceCount(), 1) << shown;
	EXPECT_EQ(node->getParent(), nullptr) << shown;
	EXPECT_EQ(node->getSceneManager(), nullptr) << shown;
	EXPECT_TRUE(node->typeName() == name) << shown;
	EXPECT_EQ(node->typeId(), identity->id) << shown;
	EXPECT_TRUE(node->isKindOf(identity->id)) << shown;
	EXPECT_TRUE(node->isKindOf(0)) << shown;
	// Only the listed engine kinds: a plain game node is no control and no scene.
	for (int engineId = 1; engineId <= NodeTypeSceneManager; ++engineId)
		EXPECT_EQ(node->isKindOf(engineId), identity->alsoKindOf.count(engineId) != 0) << shown << " " << engineId;
}
} // namespace

TEST(GameNodeClasses, EveryRegisteredClassIsMadeByItsNameWithItsOwnId)
{
	registerApplicationNodeClasses();
	registerGameNodeClasses();
	for (const auto* table : {&applicationNodeClasses(), &gameNodeClasses()})
		for (const GameNodeClass& entry : *table)
			expectCreatedByName(entry);
}

TEST(GameNodeClasses, RegisteringAClassTwiceKeepsOneCreator)
{
	// The rectangle is in both tables; both run, one of them twice.
	registerApplicationNodeClasses();
	registerGameNodeClasses();
	registerGameNodeClasses();
	EXPECT_TRUE(NodeFactory::instance()->hasNodeCreator(L"GRectangleNode"));
	SmartPointer<BaseNode> node(NodeFactory::instance()->createNode(L"GRectangleNode", ContentRef()));
	ASSERT_TRUE(node);
	EXPECT_NE(dynamic_cast<GRectangleNode*>(node.get()), nullptr);
	EXPECT_EQ(node->getReferenceCount(), 1);
}

TEST(GameNodeClasses, TablesNameEachClassOnce)
{
	for (const auto* table : {&applicationNodeClasses(), &gameNodeClasses()})
	{
		std::set<std::wstring> names;
		for (const GameNodeClass& entry : *table)
			EXPECT_TRUE(names.insert(entry.typeName().c_str()).second);
	}
	// The scene base is no registered class but has its id from the same list.
	SmartPointer<GBaseSceneNode> scene(new GBaseSceneNode());
	EXPECT_EQ(scene->typeId(), 1100);
}

TEST(GameNodeClasses, AssembledTablesHoldEachFolderClassAndNoOther)
{
	// A name the assembly misspells drops that class; a class in two folders would be ambiguous.
	std::set<std::wstring> folderNames;
	for (const auto* folder : {&frontendNodeClasses(), &effectNodeClasses(), &levelNodeClasses(), &playNodeClasses(),
	                           &miniGameNodeClasses()})
		for (const GameNodeClass& entry : *folder)
			EXPECT_TRUE(folderNames.insert(entry.typeName().c_str()).second);
	std::set<std::wstring> assembledNames;
	for (const auto* table : {&applicationNodeClasses(), &gameNodeClasses()})
		for (const GameNodeClass& entry : *table)
			assembledNames.insert(entry.typeName().c_str());
	EXPECT_EQ(assembledNames, folderNames);
	EXPECT_EQ(applicationNodeClasses().size(), 5u);
	EXPECT_EQ(gameNodeClasses().size(), 47u);
}
