#include "frontend/GAchievementsScene.h"

#include "FrontendTestSupport.h"
#include "content/AtlasTexture.h"
#include "content/CXMLReader.h"
#include "data/GAchievements.h"
#include "frontend/GAchievementUnlockedScene.h"
#include "nodes/ListNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

using namespace frontendtest;

namespace
{
class Achievements : public FrontendStage
{
protected:
	GAchievementsScene* openList() { return open<GAchievementsScene>("scenes/AchievementsScene.qscn"); }

	// Column texts of one item, "|" between them, line breaks as "~".
	static std::string item(const ListNode* list, unsigned row)
	{
		std::string text;
		const ListItem* entry = list->getItem(row);
		for (unsigned column = 0; entry && column < entry->texts.size(); ++column)
		{
			std::string part = irr::core::stringc(entry->texts[column]).c_str();
			std::replace(part.begin(), part.end(), '\n', '~');
			text += (column ? "|" : "") + part;
		}
		return text;
	}
};

// A scene file of the achievements screen from the lines of its tabs.
SmartPointer<GAchievementsScene> sceneWithTabs(const std::string& tabs)
{
	const std::string list =
	    "<SceneNode Type=\"ListNode\"><Properties><string Name=\"Name\" Value=\"AchievementsList\"/>"
	    "</Properties></SceneNode>";
	std::string xml =
	    "<SceneNode Type=\"SceneNode\" ClassOverride=\"GAchievementsScene\"><SceneNode Type=\"BaseNode\">"
	    "<Properties><string Name=\"Name\" Value=\"Scene\"/></Properties>"
	    "<SceneNode Type=\"TextNode\"><Properties><string Name=\"Name\" Value=\"EarnedText\"/></Properties></SceneNode>"
	    "<SceneNode Type=\"TabSceneNode\"><Properties><string Name=\"Name\" Value=\"TabScene\"/></Properties>";
	for (char tab : tabs)
		xml += std::string("<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"Tab") + tab +
		       "\"/></Properties>" + list + "</SceneNode>";
	xml += "</SceneNode></SceneNode></SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "a.qscn"));
	return SmartPointer<GAchievementsScene>(shareRef(nodeCast<GAchievementsScene>(root.get())));
}
} // namespace

TEST_F(Achievements, ANewPlayerHasEverythingStillToEarn)
{
	application->achievements->load("");
	GAchievementsScene* scene = openList();
	ASSERT_NE(scene, nullptr);
	ListNode* all = scene->getAllList();
	ASSERT_NE(all, nullptr);
	ASSERT_NE(scene->getEarnedList(), nullptr);
	ASSERT_NE(scene->getOpenList(), nullptr);
	ASSERT_NE(scene->getEarnedText(), nullptr);
	ASSERT_EQ(all->getItemCount(), 12u);
	EXPECT_EQ(item(all, 0), "%Achievements_1Name%|%Achievements_1DescBefore%|1/6");
	EXPECT_EQ(item(all, 8), "%Achievements_9Name%|%Achievements_9DescBefore%|$0/$7,500,000");
	EXPECT_EQ(item(all, 11), "%Achievements_12Name%|%Achievements_12DescBefore%|0/24");
	EXPECT_EQ(scene->getEarnedList()->getItemCount(), 0u);
	EXPECT_EQ(scene->getOpenList()->getItemCount(), 12u);
	EXPECT_EQ(scene->getEarnedText()->getText(), irr::core::stringw(L"0/12"));
	// Every item shows its medal.
	for (unsigned i = 0; i < 12; ++i)
	{
		ASSERT_EQ(all->getItem(i)->frames.size(), 1u);
		EXPECT_TRUE(all->getItem(i)->frames[0]) << i;
	}
}

TEST_F(Achievements, EarnedOnesMoveFromTheOpenListToTheEarnedList)
{
	// Achievement 8 earned with 3,000,000; 9 on its way with 2,500,000; 2 earned.
	application->achievements->load("1;3;0;0;0;0;0;3000000;2500000;2500000;0;0");
	GAchievementsScene* scene = openList();
	ASSERT_NE(scene, nullptr);
	EXPECT_EQ(item(scene->getAllList(), 7),
	          "%Achievements_8Name%|%Achievements_8DescAfter%|%Achievements_AlreadyEarned%");
	EXPECT_EQ(item(scene->getAllList(), 8), "%Achievements_9Name%|%Achievements_9DescBefore%|$2,500,000/$7,500,000");
	ListNode* earned = scene->getEarnedList();
	ASSERT_EQ(earned->getItemCount(), 2u);
	EXPECT_EQ(item(earned, 0), "%Achievements_2Name%|~%Achievements_2DescAfter%|");
	EXPECT_EQ(item(earned, 1), "%Achievements_8Name%|~%Achievements_8DescAfter%|");
	ListNode* open = scene->getOpenList();
	ASSERT_EQ(open->getItemCount(), 10u);
	EXPECT_EQ(item(open, 1), "%Achievements_3Name%|%Achievements_3DescBefore%|0/3");
	EXPECT_EQ(item(open, 6), "%Achievements_9Name%|%Achievements_9DescBefore%|$2,500,000/$7,500,000");
	EXPECT_EQ(scene->getEarnedText()->getText(), irr::core::stringw(L"2/12"));
	// Showing the lists changes nothing in the tracker.
	EXPECT_EQ(application->achievements->toText(), irr::core::stringc("1;3;0;0;0;0;0;3000000;2500000;2500000;0;0"));
}

TEST_F(Achievements, AMissingTabLeavesItsListAloneAndFillsTheOthers)
{
	SmartPointer<GAchievementsScene> scene = sceneWithTabs("13");
	ASSERT_TRUE(scene);
	EXPECT_EQ(scene->getEarnedList(), nullptr);
	scene->getEarnedText()->setText(L"untouched");
	GAchievements tracker;
	scene->fillLists(tracker);
	EXPECT_EQ(scene->getAllList()->getItemCount(), 12u);
	EXPECT_EQ(scene->getOpenList()->getItemCount(), 12u);
	EXPECT_EQ(scene->getEarnedText()->getText(), irr::core::stringw(L"untouched"));
}

TEST_F(Achievements, ThePopupShowsTheIconNameAndEarnedText)
{
	auto* popup = open<GAchievementUnlockedScene>(GAchievementUnlockedScene::FileName);
	ASSERT_NE(popup, nullptr);
	EXPECT_TRUE(popup->isCloseOnKey());
	ASSERT_NE(popup->getImage(), nullptr);
	ASSERT_NE(popup->getNameText(), nullptr);
	ASSERT_NE(popup->getDescriptionText(), nullptr);
	for (int index : {0, 11})
	{
		popup->showAchievement(index);
		const std::string n = std::to_string(index + 1);
		const AtlasTexture* icon = popup->getImage()->getAtlasTexture();
		ASSERT_NE(icon, nullptr) << index;
		EXPECT_EQ(icon->getContentRef().getName(), ("scenes/images/Achievements/Icon" + n + ".png").c_str());
		EXPECT_EQ(popup->getNameText()->getText(), irr::core::stringw(("%Achievements_" + n + "Name%").c_str()));
		EXPECT_EQ(popup->getDescriptionText()->getText(),
		          irr::core::stringw(("%Achievements_" + n + "DescAfter%").c_str()));
	}
}

TEST(AchievementUnlockedScene, APopupWithoutADescriptionShowsTheRest)
{
	registerGameNodeClasses();
	const std::string xml = "<SceneNode Type=\"SceneNode\" ClassOverride=\"GAchievementUnlockedScene\"><SceneNode "
	                        "Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"Scene\"/></Properties>"
	                        "<SceneNode Type=\"TextNode\"><Properties><string Name=\"Name\" Value=\"AchName\"/>"
	                        "</Properties></SceneNode></SceneNode></SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "p.qscn"));
	auto* popup = nodeCast<GAchievementUnlockedScene>(root.get());
	ASSERT_NE(popup, nullptr);
	LogCapture log;
	popup->showAchievement(4);
	EXPECT_EQ(popup->getDescriptionText(), nullptr);
	EXPECT_EQ(popup->getNameText()->getText(), irr::core::stringw(L"%Achievements_5Name%"));
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}
