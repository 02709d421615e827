#include "MiniGameTestSupport.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "data/GComicsConfiguration.h"
#include "data/GComicsEntry.h"
#include "data/GLevelPaths.h"
#include "frontend/GComicsScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "effects/GHOHintParticlesNode.h"
#include "minigames/GMiniGameAuctionScene.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "minigames/GMiniGameHiddenScene.h"
#include "content/ContentType.h"
#include "nodes/BaseEmitter.h"
#include "nodes/ParticleSystemNode.h"

using namespace minigametest;

// The four shipped mini-game locations as the map names them and the loading scene opens them: the class of
// each, its configuration, a hint route to every object and a preview of every object of the ordered game;
// and the comic that plays the auction on its way names the auction's folder.
namespace
{
using ShippedMiniGames = MiniGameStage;

// The level folder names of the map's locations, in location order.
std::vector<std::string> mapLocations(CContentManager* content)
{
	std::vector<std::string> names;
	SmartPointer<BaseNode> loaded(content->getSceneNode("scenes/MapScene.qscn", false));
	auto* map = nodeCast<GMapScene>(loaded.get());
	EXPECT_NE(map, nullptr);
	if (map)
		for (GMapLocationButton* button : map->getLocationButtons())
			names.push_back(button->getAssociatedLevelName().c_str());
	return names;
}

SmartPointer<GMiniGameScene> loadLocation(CContentManager* content, const std::string& name)
{
	const std::string folder = "levels/" + name + "/";
	SmartPointer<BaseNode> loaded(content->getSceneNode((folder + "Level.qscn").c_str(), false));
	SmartPointer<GMiniGameScene> game = shareRef(nodeCast<GMiniGameScene>(loaded.get()));
	EXPECT_TRUE(game) << folder;
	if (game)
	{
		EXPECT_TRUE(game->loadConfiguration(folder.c_str())) << folder;
		EXPECT_TRUE(game->checkPlayable()) << folder;
	}
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
	const std::vector<std::string> locations = mapLocations(content);
	ASSERT_EQ(locations.size(), 32u);
	SmartPointer<GMiniGameScene> lobby = loadLocation(content, locations[7]);
	auto* hidden = nodeCast<GMiniGameHiddenScene>(lobby.get());
	ASSERT_NE(hidden, nullptr);
	EXPECT_EQ(hidden->getExpertScore(), 1500);
	// The hint's sparkles read their particle file.
	ASSERT_NE(hidden->getHintParticles(), nullptr);
	EXPECT_GT(hidden->getHintParticles()->getPPS(), 0);
	expectRoutes(hidden->getHintPaths(), hidden->getHitObjects(), 1);

	SmartPointer<GMiniGameScene> harbour = loadLocation(content, locations[15]);
	auto* ordered = nodeCast<GMiniGameHidden2Scene>(harbour.get());
	ASSERT_NE(ordered, nullptr);
	EXPECT_GT(ordered->getHintTrailVelocity(), 0.0f);
	BaseNode* objects = ordered->findChild(internStringId("HitObjects"));
	expectRoutes(ordered->getHintPaths(), objects, 2);
	for (const SmartPointer<BaseNode>& object :
	     std::vector<SmartPointer<BaseNode>>(ordered->getFindOrder().const_pointer(),
	                                         ordered->getFindOrder().const_pointer() + ordered->getFindOrder().size()))
		EXPECT_EQ(ordered->getPreviewFiles().count(object->getName()), 1u) << getStringById(object->getName()).c_str();

	SmartPointer<GMiniGameScene> park = loadLocation(content, locations[31]);
	hidden = nodeCast<GMiniGameHiddenScene>(park.get());
	ASSERT_NE(hidden, nullptr);
	expectRoutes(hidden->getHintPaths(), hidden->getHitObjects(), 31);

	SmartPointer<GMiniGameScene> auction = loadLocation(content, locations[23]);
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
	SmartPointer<GMiniGameScene> harbour = loadLocation(content, mapLocations(content)[15]);
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

// The comic shown when a location is reached plays the auction on its way only where that location is the
// auction, and under the folder name the comic asks for; the other bonus locations' comics leave their game
// to the map.
TEST_F(ShippedMiniGames, TheComicWithTheAuctionDetourStandsAtTheAuctionsLocation)
{
	CContentManager* content = application->contentManager;
	const std::vector<std::string> locations = mapLocations(content);
	ASSERT_EQ(locations.size(), 32u);
	GComicsConfiguration* comics = application->comicsConfiguration.get();
	ASSERT_NE(comics, nullptr);
	{
		SmartPointer<CXMLReader> reader(getDevice()->getFileSystem()->createXMLReader("scenes/ComicsConfiguration.xml"));
		ASSERT_TRUE(reader);
		ASSERT_TRUE(comics->load(reader.get()));
	}
	int detours = 0;
	for (int index = 0; index < 32; ++index)
	{
		GComicsEntry* entry = comics->findComics(index);
		if (!entry || entry->getScenePath().empty())
			continue;
		SmartPointer<BaseNode> loaded(content->getSceneNode(entry->getScenePath(), false));
		auto* comic = nodeCast<GComicsScene>(loaded.get());
		ASSERT_NE(comic, nullptr) << entry->getScenePath().c_str();
		bool detour = false;
		for (int part = 0; part < comic->getPartCount(); ++part)
			detour = detour || comic->getPart(part)->findChild(internStringId("NavToMini3Marker"), 0) != nullptr;
		if (!detour)
			continue;
		++detours;
		EXPECT_EQ(locations[index], GComicsScene::MiniGameLevelName) << entry->getScenePath().c_str();
		SmartPointer<GMiniGameScene> game = loadLocation(content, GComicsScene::MiniGameLevelName);
		EXPECT_NE(nodeCast<GMiniGameAuctionScene>(game.get()), nullptr);
	}
	EXPECT_EQ(detours, 1);
}

// The shipped auction played with the mouse as the scene manager passes it on: a press and release on a
// bidder's money ends the guide, the next one on the biggest pile scores. (A zone whose press look never
// ends would take no click at all.)
TEST_F(ShippedMiniGames, TheAuctionsBiddersTakeMouseClicks)
{
	SmartPointer<ContentObject> pictures(
	    application->contentManager->getContent(ContentTypeAtlasTextureCollection, "atlases/Minigame4.xml", false));
	ASSERT_TRUE(pictures);
	SmartPointer<GMiniGameScene> game = loadLocation(application->contentManager, GComicsScene::MiniGameLevelName);
	auto* auction = nodeCast<GMiniGameAuctionScene>(game.get());
	ASSERT_NE(auction, nullptr);
	enter(auction);
	auction->updateTime(300);
	ASSERT_EQ(auction->getLinetPhase(), 2);

	// A point on the money of the zone: down its middle until the picture takes the press.
	auto clickZone = [&](int zone)
	{
		BaseNode* money = auction->getZone(zone)->findChild(internStringId("Obj"), 1);
		const irr::core::vector3df at = auction->getZone(zone)->getPosition();
		const irr::core::vector3df size = auction->getZone(zone)->getBounds();
		for (float dx = 0; dx < size.X / 2; dx += 4)
			for (float y = at.Y; y < at.Y + size.Y; y += 4)
				for (float x : {at.X + size.X / 2 - dx, at.X + size.X / 2 + dx})
					if (auction->hitTest(irr::core::vector2df(x, y)) == money)
					{
						CEventInputMouseMove move(static_cast<int>(x), static_cast<int>(y));
						application->uiSceneManager->sendToChildren(0, &move);
						CEventInputMouseLeftDown down(static_cast<int>(x), static_cast<int>(y));
						application->uiSceneManager->sendToChildren(0, &down);
						CEventInputMouseLeftUp up(static_cast<int>(x), static_cast<int>(y));
						application->uiSceneManager->sendToChildren(0, &up);
						settle(5);
						return true;
					}
		return false;
	};
	ASSERT_TRUE(clickZone(1));
	EXPECT_EQ(auction->getLinetPhase(), 3) << "the press did not end the guide";
	EXPECT_EQ(auction->getScore(), 0);
	int biggest = 0;
	while (auction->getZonePile(biggest) != auction->getBiggestPile())
		++biggest;
	ASSERT_TRUE(clickZone(biggest));
	EXPECT_EQ(auction->getScore(), 15);
}
