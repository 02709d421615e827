#pragma once

#include "../data/ConfigXml.h"
#include "../frontend/FrontendTestSupport.h"
#include "content/CProfile.h"
#include "data/IntList.h"
#include "data/ProfileKeys.h"
#include "effects/GPathMovableNode.h"
#include "minigames/GMiniGameScene.h"
#include "nodes/SpawnerNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"

#include <string>

namespace minigametest
{
// A hidden object of the tests: takes a hit anywhere inside its rectangle.
class HitBox : public BaseNode
{
public:
	HitBox(const char* name, float x, float y, float w, float h)
	{
		setName(name);
		setPosition({x, y, 0});
		setBounds({w, h, 0});
	}
	bool hitTestPoint(const irr::core::vector2df& point) const override
	{
		return isVisible() && canBeHit() && isPointInside(point);
	}
};

template <class T> T* addNode(BaseNode* parent, T* node, const char* name)
{
	node->setName(name);
	parent->addChild(node);
	node->drop();
	return node;
}

inline BaseNode* addGroup(BaseNode* parent, const char* name)
{
	return addNode(parent, new BaseNode(), name);
}

// The parts the mini-game screens look for, built in code: Scene/Game/{BgObjects, HitObjects} and
// Scene/UI with the guide, the texts and the preview. The hit objects are added by each test.
struct MiniGameTree
{
	BaseNode* game = nullptr;
	BaseNode* hitObjects = nullptr;
	BaseNode* ui = nullptr;
	GPathMovableNode* trail = nullptr;
	SpawnerNode* found = nullptr;
	TextNode* linetText = nullptr;

	explicit MiniGameTree(SceneNode* scene)
	{
		scene->setBounds({1024, 768, 0});
		BaseNode* root = addGroup(scene, "Scene");
		game = addGroup(root, "Game");
		BaseNode* background = addGroup(game, "BgObjects");
		trail = addNode(background, new GPathMovableNode(), "HintTrailNode");
		found = addNode(background, new SpawnerNode(), "FoundNode");
		hitObjects = addGroup(game, "HitObjects");
		ui = addGroup(root, "UI");
		addGroup(ui, "Linet");
		linetText = addNode(ui, new TextNode(), "LinetText");
		for (const char* name : {"TimeTarg", "TimeCurr", "ObjCount", "TimeLeft", "ScoreText"})
			addNode(ui, new TextNode(), name);
		addNode(ui, new SpriteNode(), "PrevewImage");
	}

	void addObject(const char* name, float x, float y, float w = 40, float h = 40)
	{
		addNode(hitObjects, new HitBox(name, x, y, w, h), name);
	}
};

inline std::string text(const BaseNode* scene, const char* name)
{
	auto* node = nodeCast<TextNode>(scene->findChild(internStringId(name)));
	return node ? std::string(irr::core::stringc(node->getText()).c_str()) : std::string("<none>");
}

// The mini-game screens opened as the game opens them: the map (the covered scene), the loading
// scene over it, and the mini-game pushed over that with the loading scene kept visible.
class MiniGameStage : public frontendtest::FrontendStage
{
protected:
	void SetUp() override
	{
		FrontendStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		usePlayers({L"Ann"}, 0);
		loading = SmartPointer<frontendtest::CoveredScene>(new frontendtest::CoveredScene());
		loading->setName("Loading");
		loading->setBounds({1024, 768, 0});
	}

	void TearDown() override
	{
		loading = nullptr;
		FrontendStage::TearDown();
	}

	// Pushes the loading stand-in and then the mini-game; the game is entered (guide phase 1).
	void enter(GMiniGameScene* scene)
	{
		scene->onLoaded();
		ASSERT_TRUE(top()->pushScene(loading.get(), false, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		settle();
		ASSERT_TRUE(top()->pushScene(scene, true, SceneNode::nameIdNavFrom(), SceneNode::nameIdNavTo()));
		// Until its transition ends; from then on the test steps the game by hand.
		for (int i = 0; i < 100 && !scene->getScheduler(); ++i)
			settle(1);
		scene->setScheduler(nullptr);
		ASSERT_EQ(top(), scene);
		ASSERT_EQ(scene->getLinetPhase(), 1);
	}

	// Waits out the guide's appearance and dismisses it with a press.
	template <class Press> void dismissGuide(GMiniGameScene* scene, Press press)
	{
		scene->updateTime(300 - scene->getPhaseTime());
		ASSERT_EQ(scene->getLinetPhase(), 2);
		press();
		ASSERT_EQ(scene->getLinetPhase(), 3);
	}

	static CProfile* profile() { return CProfileManager::instance()->getActiveProfile(); }

	// The player stands on the location, with the progress and lists given.
	static void standOn(int location, int maxUnlocked, const char* scores = "", const char* times = "")
	{
		profile()->setInt(ProfileKey::LevelIndex, location);
		profile()->setInt(ProfileKey::MaxUnlockedLevelIndex, maxUnlocked);
		profile()->setString(ProfileKey::Scores, scores);
		profile()->setString(ProfileKey::Times, times);
	}

	static std::string list(const char* key) { return std::string(profile()->getString(key).c_str()); }

	static bool leftClick(SceneNode* scene, int x, int y)
	{
		CEventInputMouseLeftDown press(x, y);
		return scene->sendToChildren(0, &press);
	}

	// A picture without objects, with an expert score to win: refused with its log line, and played all the
	// same it completes nothing and stores nothing in the profile.
	void expectEmptyPictureRefused(GMiniGameScene* scene)
	{
		standOn(5, 4);
		scene->parseConfiguration(configReader("<MiniGame><ExpertScore Value='700'/></MiniGame>").get());
		LogCapture log;
		scene->onLoaded();
		EXPECT_FALSE(scene->checkPlayable());
		EXPECT_TRUE(log.contains("The hidden-object picture has no objects to find", 2)) << log.dump();
		enter(scene);
		dismissGuide(scene, [&] { leftClick(scene, 1000, 10); });
		EXPECT_FALSE(leftClick(scene, 10, 10));
		for (int i = 0; i < 10; ++i)
			scene->updateTime(10);
		EXPECT_FALSE(scene->isCompleted());
		EXPECT_EQ(scene->getScore(), 0);
		EXPECT_EQ(top(), scene);
		EXPECT_EQ(profile()->getInt(ProfileKey::MaxUnlockedLevelIndex), 4);
		EXPECT_EQ(profile()->getInt(ProfileKey::LevelIndex), 5);
		EXPECT_EQ(list(ProfileKey::Scores), "");
		EXPECT_EQ(list(ProfileKey::Times), "");
	}

	SmartPointer<frontendtest::CoveredScene> loading;
};
} // namespace minigametest
