#include "MiniGameTestSupport.h"
#include "data/GLevelPaths.h"
#include "effects/GHOHintParticlesNode.h"
#include "minigames/GMiniGameAuctionScene.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "minigames/GMiniGameHiddenScene.h"
#include "content/ContentType.h"
#include "nodes/BaseEmitter.h"
#include "nodes/ParticleSystemNode.h"

using namespace minigametest;

// The four shipped mini-game locations as the loading scene opens them: the class of each, its
// configuration, a hint route to every object and a preview of every object of the ordered game.
namespace
{
using ShippedMiniGames = MiniGameStage;

SmartPointer<GMiniGameScene> loadLocation(CContentManager* content, int n)
{
	const std::string folder = "levels/minigame" + std::to_string(n) + "/";
	SmartPointer<BaseNode> loaded(content->getSceneNode((folder + "Level.qscn").c_str(), false));
	SmartPointer<GMiniGameScene> game = shareRef(nodeCast<GMiniGameScene>(loaded.get()));
	EXPECT_TRUE(game) << folder;
	if (game)
		EXPECT_TRUE(game->loadConfiguration(folder.c_str())) << folder;
	return game;
}

// Every object of the picture has a route for the hint trail.
void expectRoutes(GLevelPaths* paths, BaseNode* objects, int n)
{
	ASSERT_NE(objects, nullptr) << n;
	EXPECT_GE(objects->getChildren().size(), 8u) << n;
	for (irr::u32 i = 0; i < objects->getChildren().size(); ++i)
		EXPECT_NE(paths->getRandomCarPath(objects->getChildren()[i]->getName()), nullptr)
		    << n << " " << getStringById(objects->getChildren()[i]->getName()).c_str();
}
} // namespace

TEST_F(ShippedMiniGames, EachLocationIsItsGameWithRoutesAndPreviewsForEveryObject)
{
	CContentManager* content = application->contentManager;
	SmartPointer<GMiniGameScene> lobby = loadLocation(content, 1);
	auto* hidden = nodeCast<GMiniGameHiddenScene>(lobby.get());
	ASSERT_NE(hidden, nullptr);
	EXPECT_EQ(hidden->getExpertScore(), 1500);
	// The hint's sparkles read their particle file.
	ASSERT_NE(hidden->getHintParticles(), nullptr);
	EXPECT_GT(hidden->getHintParticles()->getPPS(), 0);
	expectRoutes(hidden->getHintPaths(), hidden->getHitObjects(), 1);

	SmartPointer<GMiniGameScene> harbour = loadLocation(content, 2);
	auto* ordered = nodeCast<GMiniGameHidden2Scene>(harbour.get());
	ASSERT_NE(ordered, nullptr);
	EXPECT_GT(ordered->getHintTrailVelocity(), 0.0f);
	BaseNode* objects = ordered->findChild(internStringId("HitObjects"));
	expectRoutes(ordered->getHintPaths(), objects, 2);
	for (const SmartPointer<BaseNode>& object :
	     std::vector<SmartPointer<BaseNode>>(ordered->getFindOrder().const_pointer(),
	                                         ordered->getFindOrder().const_pointer() + ordered->getFindOrder().size()))
		EXPECT_EQ(ordered->getPreviewFiles().count(object->getName()), 1u) << getStringById(object->getName()).c_str();

	SmartPointer<GMiniGameScene> park = loadLocation(content, 3);
	hidden = nodeCast<GMiniGameHiddenScene>(park.get());
	ASSERT_NE(hidden, nullptr);
	expectRoutes(hidden->getHintPaths(), hidden->getHitObjects(), 3);

	SmartPointer<GMiniGameScene> auction = loadLocation(content, 4);
	auto* bidding = nodeCast<GMiniGameAuctionScene>(auction.get());
	ASSERT_NE(bidding, nullptr);
	EXPECT_EQ(bidding->getMaxLevelTime(), 60000);
	for (int i = 0; i < 3; ++i)
		EXPECT_NE(bidding->getZone(i), nullptr) << i;
}

// With the interface's particle collection loaded, as the intro loads it, the ordered game's hint trail
// leaves glitter on its way: it flows while the trail flies and stops where it ends.
TEST_F(ShippedMiniGames, TheHintTrailGlittersWhileItFlies)
{
	CContentManager* content = application->contentManager;
	SmartPointer<ContentObject> particles(
	    content->getContent(ContentTypeParticleCollection, "scenes/ParticleCollection.xml", false));
	ASSERT_TRUE(particles);
	SmartPointer<GMiniGameScene> harbour = loadLocation(content, 2);
	ASSERT_TRUE(harbour);
	BaseNode* trail = harbour->findChild(internStringId("HintTrailNode"));
	ASSERT_NE(trail, nullptr);
	auto* glitter = nodeCast<ParticleSystemNode>(trail->findChild(internStringId("Particles"), 0));
	ASSERT_NE(glitter, nullptr);
	ASSERT_NE(glitter->getEmitter(), nullptr) << "the emitter HintTrail is not in the collection";
	EXPECT_GT(glitter->getEmitter()->getPPSRange().X, 0.0f);
	EXPECT_FALSE(glitter->isEmitterEnabled()) << "no glitter before a hint";
	trail->setChildrenState(internStringId("RightUp"), nullptr);
	EXPECT_TRUE(glitter->isEmitterEnabled());
	trail->setChildrenState(internStringId("Stop"), nullptr);
	EXPECT_FALSE(glitter->isEmitterEnabled());
}
