#include "scene/TabSceneNode.h"

#include "SceneTestSupport.h"
#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

TEST(TabTransitionNameTest, NamesCountPagesFromOne)
{
	const struct
	{
		int from;
		int to;
		const char* name;
	} cases[] = {{0, 2, "1To3"}, {1, 0, "2To1"}, {9, 10, "10To11"}};
	for (const auto& c : cases)
		EXPECT_STREQ(TabSceneNode::transitionStateName(c.from, c.to).c_str(), c.name);
}

// A state that moves its node over ms milliseconds.
std::string movingState(const std::string& name, int ms)
{
	return "<State Name=\"" + name +
	       "\"><Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" Value=\"\"/></Properties>"
	       "<KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"" +
	       std::to_string(ms) + "\" i=\"0\" Value0=\"100;0;0\"/></Animator></State>";
}

// A tab scene with pages Tab1..Tab<pages> (recorders; each has a child "Part" playing "1To3",
// "3To1" and "1To2" over 60 ms), a button per page, and an extra child "Other" after them.
class TabSceneTest : public ::testing::Test
{
protected:
	void SetUp() override { registerSceneClasses(); }
	void TearDown() override { tabs = nullptr; }

	void build(int pages, int tabsCount, bool hideButtons = false)
	{
		tabs = new TabSceneNode();
		for (int n = 1; n <= pages; ++n)
		{
			SmartPointer<StateRecorder> page(new StateRecorder(ContentRef(), tabs.get()));
			page->setName(("Tab" + std::to_string(n)).c_str());
			SmartPointer<BaseNode> part(new BaseNode(ContentRef(), page.get()));
			part->setName("Part");
			SmartPointer<CXMLReader> reader = readerOn("<States>" + movingState("1To3", 60) + movingState("3To1", 60) +
			                                               movingState("1To2", 60) + "</States>",
			                                           L"States");
			part->loadStates(reader.get());
		}
		for (int n = 1; n <= pages; ++n)
		{
			SmartPointer<StateRecorder> button(new StateRecorder(ContentRef(), tabs.get()));
			button->setName(("Tab" + std::to_string(n) + "Button").c_str());
		}
		SmartPointer<BaseNode> other(new BaseNode(ContentRef(), tabs.get()));
		other->setName("Other");
		tabs->setTabsCount(tabsCount);
		tabs->setHideTabButtonOnSelect(hideButtons);
		tabs->onLoaded();
		manager.attach(tabs.get());
	}

	StateRecorder* page(int index) const { return static_cast<StateRecorder*>(tabs->getTab(index)); }
	StateRecorder* button(int index) const { return static_cast<StateRecorder*>(tabs->getTabButton(index)); }
	BaseNode* child(const char* name) const { return tabs->findChild(id(name), 1); }

	// Starts on the first page and lets the "Default" switch finish.
	void startOnFirstPage()
	{
		tabs->setActiveTab(0, true);
		manager.tick();
	}

	bool clickReaches(StateRecorder* target)
	{
		target->clearLog();
		SmartPointer<CEventInputMouseLeftDown> click(new CEventInputMouseLeftDown(5, 5));
		tabs->sendToChildren(DeliverChildrenThenSelf, click.get());
		return target->count(CEventInputMouseLeftDown::TypeId) == 1;
	}

	FakeSceneManager manager;
	SmartPointer<TabSceneNode> tabs;
};

TEST_F(TabSceneTest, PagesAndButtonsAreBoundByName)
{
	build(3, 3);
	EXPECT_EQ(tabs->getBoundTabCount(), 3);
	EXPECT_EQ(tabs->getTab(2), child("Tab3"));
	EXPECT_EQ(tabs->getTabButton(0), child("Tab1Button"));
	EXPECT_EQ(tabs->getTab(3), nullptr);
}

// A damaged file's count binds no more pages than the node has children: a count of two thousand million
// neither hangs nor fills the memory, and says so.
TEST_F(TabSceneTest, ACountPastTheChildrenIsHeldToThem)
{
	const struct
	{
		int count;
		int bound;
		bool logged;
	} cases[] = {{2, 2, false}, {5, 5, false}, {6, 5, true}, {2000000000, 5, true}, {-7, 0, false}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.count);
		LogCapture log;
		build(2, c.count);
		EXPECT_EQ(tabs->getBoundTabCount(), c.bound);
		EXPECT_EQ(log.contains("TabsCount is more than the node has children; the pages past them are missing", 1),
		          c.logged)
		    << log.dump();
		if (c.bound >= 2)
			EXPECT_EQ(tabs->getTab(1), child("Tab2"));
	}
}

TEST_F(TabSceneTest, SwitchingPlaysTheTransitionAndHidesTheOldPageWhenItsPartEnds)
{
	build(3, 3);
	startOnFirstPage();
	EXPECT_FALSE(tabs->isSwitching());
	EXPECT_TRUE(page(0)->isVisible());
	EXPECT_FALSE(page(2)->isVisible());
	page(0)->clearLog();

	tabs->setActiveTab(2, false);
	EXPECT_EQ(tabs->getTransitionState(), id("1To3"));
	EXPECT_EQ(page(0)->count(CEventNodeChildrenStateStarted::TypeId, id("1To3")), 1);
	EXPECT_EQ(page(2)->count(CEventNodeChildrenStateStarted::TypeId, id("1To3")), 1);
	EXPECT_TRUE(page(2)->isVisible());
	manager.tick();
	EXPECT_TRUE(page(0)->isVisible()) << "still leaving";
	EXPECT_EQ(page(2)->count(CEventNodeTabChangeStarted::TypeId), 1);
	EXPECT_EQ(page(2)->count(CEventNodeTabChangeFinished::TypeId), 0);

	manager.tick(4);
	EXPECT_FALSE(tabs->isSwitching());
	EXPECT_FALSE(page(0)->isVisible());
	EXPECT_TRUE(page(2)->isVisible());
	EXPECT_TRUE(tabs->getTransitionState().isEmpty());
	EXPECT_EQ(page(0)->count(CEventNodeTabChangeFinished::TypeId), 1);
	EXPECT_EQ(page(2)->count(CEventNodeTabChangeFinished::TypeId), 1);
	EXPECT_EQ(tabs->getActiveTabIndex(), 2);
}

TEST_F(TabSceneTest, ReselectingTheActivePageNeedsForceAndThenPlaysDefaultEverywhere)
{
	build(3, 3);
	startOnFirstPage();
	for (int i = 0; i < 3; ++i)
		page(i)->clearLog();
	tabs->setActiveTab(0, false);
	EXPECT_EQ(page(1)->count(CEventNodeChildrenStateStarted::TypeId), 0);

	page(1)->setVisible(true);
	tabs->setActiveTab(0, true);
	for (int i = 0; i < 3; ++i)
		EXPECT_EQ(page(i)->count(CEventNodeChildrenStateStarted::TypeId, id("Default")), 1) << i;
	// Parts without a "Default" state finish at once.
	EXPECT_FALSE(tabs->isSwitching());
	EXPECT_FALSE(page(1)->isVisible());
	EXPECT_TRUE(page(0)->isVisible());
}

TEST_F(TabSceneTest, InputIsDroppedWhileASwitchRuns)
{
	build(3, 3);
	startOnFirstPage();
	EXPECT_TRUE(clickReaches(button(1)));
	tabs->setActiveTab(1, false);
	EXPECT_FALSE(clickReaches(button(1)));
	EXPECT_FALSE(clickReaches(page(1)));
	manager.tick(4);
	EXPECT_TRUE(clickReaches(page(1)));
}

TEST_F(TabSceneTest, AClickedTabButtonSelectsItsPageAndKeepsBubbling)
{
	build(3, 3);
	startOnFirstPage();
	SmartPointer<CEventNodeClicked> clicked(new CEventNodeClicked(button(2)));
	EXPECT_FALSE(tabs->onEvent(clicked.get()));
	EXPECT_EQ(tabs->getActiveTabIndex(), 2);
}

TEST_F(TabSceneTest, HiddenButtonsFollowTheActivePage)
{
	build(3, 3, true);
	startOnFirstPage();
	EXPECT_FALSE(button(0)->isVisible());
	EXPECT_TRUE(button(1)->isVisible());
	tabs->setActiveTab(1, false);
	manager.tick(4);
	EXPECT_TRUE(button(0)->isVisible());
	EXPECT_FALSE(button(1)->isVisible());
	EXPECT_TRUE(button(2)->isVisible());
}

TEST_F(TabSceneTest, TheIndexFromAFileTakesEffectWhenTheSceneIsAttached)
{
	build(3, 3);
	CPropertyCollection file;
	file.addInt("ActiveTabIndex", 1);
	tabs->readProperties(file);
	EXPECT_EQ(tabs->getActiveTabIndex(), 1);
	EXPECT_EQ(page(1)->count(CEventNodeChildrenStateStarted::TypeId), 0);
	EXPECT_TRUE(page(0)->isVisible());

	SmartPointer<CEventNodeSceneAttached> attached(new CEventNodeSceneAttached(nullptr));
	EXPECT_FALSE(tabs->onEvent(attached.get()));
	EXPECT_EQ(page(1)->count(CEventNodeChildrenStateStarted::TypeId, id("Default")), 1);
	EXPECT_FALSE(page(0)->isVisible());
	EXPECT_TRUE(page(1)->isVisible());
}

TEST_F(TabSceneTest, AMissingPageCannotBeSelected)
{
	build(2, 3);
	EXPECT_EQ(tabs->getBoundTabCount(), 3);
	EXPECT_EQ(tabs->getTab(2), nullptr);
	startOnFirstPage();
	tabs->setActiveTab(2, false);
	EXPECT_EQ(tabs->getActiveTabIndex(), 0);
}

std::vector<std::string> renderOrder(BaseNode* node)
{
	RenderList list;
	node->addToRenderList(list);
	std::vector<std::string> names;
	for (irr::u32 i = 0; i < list.size(); ++i)
		names.push_back(getStringById(list[i].node->getName()).c_str());
	return names;
}

// The active page is drawn after the last page that exists, even when a later one is missing.
TEST_F(TabSceneTest, TheActivePageIsDrawnAfterTheLastExistingPage)
{
	build(2, 3);
	startOnFirstPage();
	// Clipping nodes add an entry of their own for their children.
	for (const char* name : {"Tab1", "Tab2", "Tab1Button", "Tab2Button"})
	{
		BaseNode* node = child(name);
		node->setChildrenClipped(true);
		node->setVisible(true);
		if (node->getChildren().empty())
			SmartPointer<BaseNode>(new BaseNode(ContentRef(), node));
	}
	const std::vector<std::string> expected = {"Tab2", "Tab1", "Tab2Button", "Tab1Button"};
	EXPECT_EQ(renderOrder(tabs.get()), expected);
}

TEST_F(TabSceneTest, PropertiesAndClonesKeepTheTabSettings)
{
	build(3, 3, true);
	tabs->setActiveTab(1, true);
	CPropertyCollection written;
	tabs->writeProperties(written);
	EXPECT_EQ(written.getInt("TabsCount"), 3);
	EXPECT_EQ(written.getInt("ActiveTabIndex"), 1);
	EXPECT_TRUE(written.getBool("HideTabButtonOnSelect"));

	SmartPointer<BaseNode> copy(tabs->clone());
	auto* tabCopy = nodeCast<TabSceneNode>(copy.get());
	ASSERT_NE(tabCopy, nullptr);
	EXPECT_EQ(tabCopy->getTabsCount(), 3);
	EXPECT_EQ(tabCopy->getActiveTabIndex(), 1);
	EXPECT_EQ(tabCopy->getBoundTabCount(), 3);
	EXPECT_NE(tabCopy->getTab(0), tabs->getTab(0));

	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"TabSceneNode", ContentRef()));
	ASSERT_NE(made.get(), nullptr);
	EXPECT_TRUE(made->isKindOf(NodeTypeSceneNode));
	SmartPointer<TabSceneNode> fresh(new TabSceneNode());
	CPropertyCollection defaults;
	fresh->writeProperties(defaults);
	for (const char* name : {"TabsCount", "ActiveTabIndex", "HideTabButtonOnSelect"})
		EXPECT_LT(defaults.indexOf(name), 0) << name;
}
} // namespace
