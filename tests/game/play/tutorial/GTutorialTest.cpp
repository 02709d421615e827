#include "TutorialTestSupport.h"
#include "core/InputEvents.h"
#include "device/CDeviceStub.h"
#include "nodes/ButtonNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"

#include <gtest/gtest.h>

using namespace tutorialtest;

namespace
{
std::string vectorText(const irr::core::vector3df& v)
{
	return std::to_string(static_cast<int>(v.X)) + " " + std::to_string(static_cast<int>(v.Y)) + " " +
	       std::to_string(static_cast<int>(v.Z));
}

BaseNode* windowChild(GTutorial* tutorial, const char* name)
{
	return tutorial->getWindow() ? tutorial->getWindow()->findChild(internStringId(name), 1) : nullptr;
}

const char* timed(int ms)
{
	static std::string text;
	text = "<Action Type=\"Timed\" Time=\"" + std::to_string(ms) + "\"/>";
	return text.c_str();
}
} // namespace

// Every element and attribute of the format, with the defaults where they are absent.
TEST(GTutorial, ReadsHintsWithTheirDefaults)
{
	const std::string hints =
	    R"(<Hint Tip="true" Linnet="true"><Position Value="100, 200, 7"/><TextBgType Value="2"/>)"
	    R"(<TextPosition Value="[-10;-20]"/><Text Value="Build here"/><ImageFilename Value="a.png"/>)"
	    R"(<Arrows><Arrow Position="5;6;0" Rotation="90"/><Arrow/></Arrows>)"
	    R"(<Actions><Action Type="Timed" Time="5"/><Action Type="Teleport"/><Action Type="MouseClick"/></Actions>)"
	    R"(<Unknown><Text Value="ignored?"/></Unknown></Hint>)"
	    R"(<Hint MessageBox="true" Tip="TRUE"/>)"
	    R"(<Wrapper><Hint><Text Value="third"/></Hint></Wrapper>)";
	TutorialRig rig(hints);
	EXPECT_TRUE(rig.loaded);
	ASSERT_EQ(rig.tutorial->getHintCount(), 3);

	// Read back through what the hints do when shown.
	SmartPointer<CXMLReader> reader;
	const std::string xml = "<Tutorial>" + hints + "</Tutorial>";
	reader.reset(new CXMLReader(xml.data(), xml.size()));
	std::vector<SmartPointer<GTutorialHint>> read;
	while (reader->read())
		if (reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == L"Hint")
		{
			read.emplace_back(new GTutorialHint());
			read.back()->parse(reader.get());
		}
	ASSERT_EQ(read.size(), 3u);
	const GTutorialHint& first = *read[0];
	EXPECT_TRUE(first.isTip());
	EXPECT_TRUE(first.isLinnet());
	EXPECT_FALSE(first.isMessageBox());
	EXPECT_EQ(vectorText(first.getPosition()), "100 200 0");
	EXPECT_EQ(first.getTextBgType(), 2);
	EXPECT_EQ(vectorText(first.getTextPosition()), "-10 -20 1");
	EXPECT_EQ(first.getText(), L"ignored?") << "elements of other names are skipped, not their contents";
	EXPECT_EQ(first.getImageFilename(), "a.png");
	ASSERT_EQ(first.getArrows().size(), 2u);
	EXPECT_EQ(vectorText(first.getArrows()[0].position), "5 6 0");
	EXPECT_EQ(vectorText(first.getArrows()[0].rotation), "0 0 90");
	EXPECT_EQ(vectorText(first.getArrows()[1].rotation), "0 0 0");
	EXPECT_EQ(first.getActions().size(), 2u) << "the unknown type is skipped";

	const GTutorialHint& second = *read[1];
	EXPECT_TRUE(second.isMessageBox());
	EXPECT_FALSE(second.isTip()) << "a flag is true only for \"true\"";
	EXPECT_EQ(vectorText(second.getPosition()), "570 516 0");
	EXPECT_EQ(vectorText(second.getTextPosition()), "-35 -11 1");
	EXPECT_TRUE(second.getText().empty());
	EXPECT_EQ(read[2]->getText(), L"third");
}

TEST(GTutorial, LoadReportsWhetherTheTutorialEnded)
{
	struct Case
	{
		const char* xml;
		bool complete;
		int hints;
	};
	const Case cases[] = {
	    {"<Tutorial></Tutorial>", true, 0},
	    {"<Tutorial><Hint/><Hint></Hint></Tutorial><Hint/>", true, 2},
	    {"<Tutorial><Hint><Text Value=\"cut", false, 1},
	    {"<Tutorial><Hint><Actions><Action Type=\"Timed\"", false, 1},
	    {"", false, 0},
	};
	for (const Case& c : cases)
	{
		SmartPointer<TemplateCollectionNode> templates = leveltest::templateCollection(tutorialTemplates());
		SmartPointer<BaseNode> parent(new BaseNode());
		SmartPointer<GTutorial> tutorial(new GTutorial(parent.get(), templates.get(), nullptr));
		const std::string xml = c.xml;
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		EXPECT_EQ(tutorial->load(reader.get(), nullptr), c.complete) << c.xml;
		EXPECT_EQ(tutorial->getHintCount(), c.hints) << c.xml;
	}
}

// Hints follow each other as their actions end; the window and arrows follow the hint shown.
TEST(GTutorial, ShowsHintByHint)
{
	const std::string hints = "<Hint><Position Value=\"300;400\"/><TextPosition Value=\"10;20\"/><Text Value=\"one\"/>"
	                          "<Arrows><Arrow Position=\"1;2;0\" Rotation=\"45\"/><Arrow Position=\"3;4;0\"/></Arrows>"
	                          "<Actions>" +
	                          std::string(timed(100)) + "</Actions></Hint>" +
	                          hintXml("two", timed(50), " Tip=\"true\"");
	TutorialRig rig(hints);
	GTutorial* tutorial = rig.tutorial.get();
	EXPECT_EQ(rig.shownText(), "-") << "hidden until started";
	ASSERT_TRUE(tutorial->start());
	EXPECT_EQ(rig.shownText(), "one");
	EXPECT_EQ(vectorText(tutorial->getWindow()->getPosition()), "300 400 1999");
	EXPECT_EQ(vectorText(windowChild(tutorial, "Text")->getPosition()), "10 20 1");
	auto* skip = static_cast<ButtonNode*>(windowChild(tutorial, "SkipTutorialButton"));
	EXPECT_EQ(vectorText(skip->getPosition()), "20 105 0");
	EXPECT_TRUE(skip->isVisible());
	EXPECT_EQ(skip->getText(), L"%GamePlay_SkipTutorialBtn%");
	EXPECT_FALSE(tutorial->isCurrentHintTip());
	ASSERT_EQ(tutorial->getArrowsNode()->getChildren().size(), 2u);
	EXPECT_EQ(vectorText(tutorial->getArrowsNode()->getChildren()[0]->getPosition()), "1 2 0");
	EXPECT_EQ(vectorText(tutorial->getArrowsNode()->getChildren()[0]->getRotation()), "0 0 45");
	EXPECT_EQ(vectorText(tutorial->getArrowsNode()->getPosition()), "0 0 2000");

	EXPECT_TRUE(tutorial->update(99));
	EXPECT_EQ(rig.shownText(), "one");
	EXPECT_TRUE(tutorial->update(1));
	EXPECT_EQ(rig.shownText(), "two");
	EXPECT_TRUE(tutorial->isCurrentHintTip());
	EXPECT_EQ(skip->getText(), L"%GamePlay_SkipTipsBtn%");
	EXPECT_TRUE(tutorial->getArrowsNode()->getChildren().empty());

	EXPECT_TRUE(tutorial->update(50));
	EXPECT_EQ(tutorial->getCurrentHint(), 2);
	EXPECT_FALSE(tutorial->update(0));
	EXPECT_EQ(rig.parent->getChildren().size(), 0u) << "the window and the arrows are gone";
	EXPECT_FALSE(tutorial->getWindow());
}

TEST(GTutorial, LinnetShowsTheWindowWithoutText)
{
	TutorialRig rig("<Hint Linnet=\"true\"><Position Value=\"5;6\"/></Hint><Hint><Text Value=\"x\"/></Hint>");
	ASSERT_TRUE(rig.tutorial->start());
	BaseNode* window = rig.tutorial->getWindow();
	EXPECT_TRUE(window->isVisible());
	EXPECT_EQ(vectorText(window->getPosition()), "5 6 1999");
	EXPECT_FALSE(windowChild(rig.tutorial.get(), "Text")->isVisible());
	EXPECT_FALSE(windowChild(rig.tutorial.get(), "SkipTutorialButton")->isVisible());

	TutorialRig silent("<Hint><Actions><Action Type=\"MouseClick\"/></Actions></Hint>");
	ASSERT_TRUE(silent.tutorial->start());
	EXPECT_FALSE(silent.tutorial->getWindow()->isVisible()) << "no text, no linnet: no window";
}

// Tips and tutorial hints are switched off separately; a hint switched off while shown ends at the next update.
TEST(GTutorial, TipsAndTutorialHintsCanBeSwitchedOff)
{
	const std::string hints = hintXml("tip one", timed(10), " Tip=\"true\"") + hintXml("lesson", timed(10)) +
	                          hintXml("tip two", timed(10), " Tip=\"true\"");
	struct Case
	{
		bool tipsOff;
		bool tutorialOff;
		std::vector<std::string> shown;
	};
	const Case cases[] = {
	    {false, false, {"tip one", "lesson", "tip two"}},
	    {true, false, {"lesson"}},
	    {false, true, {"tip one", "tip two"}},
	    {true, true, {}},
	};
	for (const Case& c : cases)
	{
		TutorialRig rig(hints);
		if (c.tipsOff)
			rig.tutorial->disableTips();
		if (c.tutorialOff)
			rig.tutorial->disableTutorialHints();
		EXPECT_EQ(rig.tutorial->start(), !c.shown.empty());
		std::vector<std::string> shown;
		for (int i = 0; i < 10 && rig.tutorial->getCurrentHint() < rig.tutorial->getHintCount(); ++i)
		{
			shown.push_back(rig.shownText());
			rig.tutorial->update(10);
		}
		EXPECT_EQ(shown, c.shown);
		EXPECT_FALSE(rig.tutorial->update(0));
	}

	TutorialRig rig(hintXml("waiting tip", "", " Tip=\"true\"") + hintXml("lesson", ""));
	rig.tutorial->start();
	EXPECT_TRUE(rig.tutorial->update(20));
	EXPECT_EQ(rig.shownText(), "waiting tip");
	rig.tutorial->disableTips();
	EXPECT_TRUE(rig.tutorial->update(20));
	EXPECT_EQ(rig.shownText(), "lesson");
}

TEST(GTutorial, SkipButtonPassesOnlyWhileTheWindowShows)
{
	TutorialRig rig(hintXml("", timed(10)) + hintXml("shown", ""));
	EXPECT_FALSE(rig.click("SkipTutorialButton")) << "not started: nothing is filtered";
	EXPECT_FALSE(rig.click("Anything"));
	rig.tutorial->start();
	EXPECT_FALSE(rig.tutorial->getWindow()->isVisible());
	EXPECT_TRUE(rig.click("SkipTutorialButton"));
	rig.tutorial->update(10);
	EXPECT_TRUE(rig.tutorial->getWindow()->isVisible());
	EXPECT_FALSE(rig.click("SkipTutorialButton")) << "the owner's handler stops the tutorial";
}

TEST(GTutorial, SkipHighlightFollowsThePointer)
{
	TutorialRig rig(hintXml("shown", ""));
	rig.tutorial->start();
	BaseNode* highlight = windowChild(rig.tutorial.get(), "SkipTutorialButton")->findChild(internStringId("bg"), 1);
	BaseNode* window = rig.tutorial->getWindow();
	// The window stands at (570, 516); the button at (20, 74) in it, 80 x 30.
	struct Case
	{
		int x, y;
		bool lit;
	};
	for (const Case& c : {Case{570 + 40, 516 + 74 + 15, true}, Case{10, 10, false}, Case{570 + 99, 516 + 103, true},
	                      Case{570 + 101, 516 + 74 + 15, false}})
	{
		window->refreshAbsolute();
		SmartPointer<CEventInputMouseMove> move(new CEventInputMouseMove(c.x, c.y));
		EXPECT_FALSE(rig.tutorial->onEvent(move.get()));
		EXPECT_EQ(highlight->isVisible(), c.lit) << c.x << "," << c.y;
	}
}

// A press from the device anywhere on the tutorial's screen (the hint, the grass, a building) moves a
// "click anywhere" hint on and goes no further; a press on the skip button is the owner's, and one
// made while another scene covers the tutorial's screen belongs to that scene.
TEST(GTutorial, APressAnywhereOnItsScreenMovesAClickAnywhereHintOn)
{
	struct Case
	{
		const char* name;
		int x, y;
		bool covered;
		bool consumed;
	};
	const Case cases[] = {
	    {"on the grass", 200, 300, false, true},
	    {"on the hint", 570 + 150, 516 + 20, false, true},
	    {"on the skip button", 570 + 40, 516 + 74 + 15, false, false},
	    {"under a menu", 200, 300, true, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		SmartPointer<SceneManager> manager(new SceneManager());
		SmartPointer<SceneNode> screen(new SceneNode());
		ASSERT_TRUE(manager->showScene(screen.get()));
		TutorialRig rig(hintXml("click anywhere", R"(<Action Type="MouseClick"/>)") + hintXml("next", ""));
		screen->addChild(rig.parent.get());
		SmartPointer<SceneNode> menu(new SceneNode());
		if (c.covered)
			ASSERT_TRUE(manager->pushScene(screen.get(), menu.get()));
		for (int i = 0; i < 5; ++i)
			manager->drainEvents();
		ASSERT_FALSE(manager->isInNavigation(manager->getTopScene()));
		ASSERT_TRUE(rig.tutorial->start());
		rig.tutorial->getWindow()->refreshAbsolute();

		SmartPointer<CEventInputMouseLeftDown> press(new CEventInputMouseLeftDown(c.x, c.y));
		EXPECT_EQ(rig.tutorial->onEvent(press.get()), c.consumed);
		EXPECT_TRUE(rig.tutorial->update(20));
		EXPECT_EQ(rig.shownText(), c.consumed ? "next" : "click anywhere");
		rig.tutorial->stop();
		screen->removeChild(rig.parent.get());
		manager->showScene(nullptr);
		manager->drainEvents();
	}
}

// A message box waits for its own "Button"; each answer resumes the level.
TEST(GTutorial, EachMessageBoxWaitsForItsOwnAnswer)
{
	SmartPointer<TargetLog> level(new TargetLog());
	TutorialRig rig(hintXml("first", "", " MessageBox=\"true\"") + hintXml("second", "", " MessageBox=\"true\"") +
	                    hintXml("third", ""),
	                level.get());
	rig.tutorial->start();
	for (const char* text : {"first", "second"})
	{
		EXPECT_TRUE(rig.tutorial->update(1000));
		EXPECT_EQ(rig.shownText(), text);
		level->ids.clear();
		EXPECT_FALSE(rig.click("Button")) << "the message box closes itself";
		EXPECT_EQ(level->ids, std::vector<int>{4116});
		rig.tutorial->update(20);
		EXPECT_TRUE(rig.tutorial->update(1000)) << text;
	}
	EXPECT_EQ(rig.shownText(), "third");
}

// The shown hint's actions see the events first; the hint ends after one of them is done.
TEST(GTutorial, ActionsOfTheShownHintFilterTheEvents)
{
	SmartPointer<TargetLog> level(new TargetLog());
	TutorialRig rig(hintXml("press upgrade", R"(<Action Type="ControlPress" Controls="UpgradeButton"/>)"
	                                         R"(<Action Type="GeneratePauseRequest"/>)") +
	                    hintXml("click anywhere", R"(<Action Type="MouseClick"/>)"),
	                level.get());
	rig.tutorial->start();
	EXPECT_TRUE(level->paused);
	EXPECT_TRUE(rig.click("SellButton"));
	EXPECT_TRUE(rig.tutorial->update(20));
	EXPECT_EQ(rig.shownText(), "press upgrade");
	EXPECT_TRUE(level->paused);
	EXPECT_FALSE(rig.click("UpgradeButton")) << "the right click reaches the play screen";
	EXPECT_TRUE(rig.tutorial->update(20));
	EXPECT_FALSE(level->paused);
	EXPECT_EQ(rig.shownText(), "click anywhere");
	EXPECT_TRUE(rig.click("UpgradeButton"));
	rig.tutorial->update(20);
	EXPECT_FALSE(rig.tutorial->update(20));
}

TEST(GTutorial, StoppingInAPausedHintResumesTheLevel)
{
	for (const char* hint :
	     {R"(<Hint><Text Value="wait"/><Actions><Action Type="GeneratePauseRequest"/></Actions></Hint>)",
	      R"(<Hint MessageBox="true"><Text Value="read"/></Hint>)"})
	{
		SmartPointer<TargetLog> level(new TargetLog());
		TutorialRig rig(hint, level.get());
		level->paused = true;
		rig.tutorial->start();
		rig.tutorial->update(20);
		EXPECT_TRUE(level->paused);
		EXPECT_TRUE(rig.tutorial->stop());
		EXPECT_FALSE(level->paused) << hint;
		EXPECT_FALSE(rig.tutorial->getWindow());
		EXPECT_FALSE(rig.tutorial->update(20));
	}
}

// The device holds the tutorial while it runs and lets it go when it ends, however it ends.
TEST(GTutorial, DeviceLetsGoOfTheTutorialAtItsEnd)
{
	auto* device = dynamic_cast<CDeviceStub*>(getDevice());
	ASSERT_TRUE(device);
	const int before = device->getListenerCount();
	for (bool stopped : {false, true})
	{
		TutorialRig rig(hintXml("one", timed(10)));
		ASSERT_TRUE(rig.tutorial->start());
		EXPECT_EQ(device->getListenerCount(), before + 1);
		EXPECT_EQ(rig.tutorial->getReferenceCount(), 2);
		if (stopped)
			rig.tutorial->stop();
		else
		{
			rig.tutorial->update(10);
			EXPECT_FALSE(rig.tutorial->update(10));
		}
		EXPECT_EQ(device->getListenerCount(), before) << stopped;
		EXPECT_EQ(rig.tutorial->getReferenceCount(), 1) << "releasing it frees it";
	}
}

TEST(GTutorial, WithoutTheWindowTemplateNothingShows)
{
	TutorialRig rig(hintXml("one", ""), nullptr, leveltest::nodeXml("BaseNode", "TutorialArrow"));
	EXPECT_FALSE(rig.loaded);
	EXPECT_EQ(rig.tutorial->getHintCount(), 0);
	EXPECT_FALSE(rig.tutorial->start());
	EXPECT_FALSE(rig.tutorial->update(0));
	EXPECT_TRUE(rig.parent->getChildren().empty());

	SmartPointer<GTutorial> orphan(new GTutorial(nullptr, nullptr, nullptr));
	EXPECT_FALSE(orphan->start());
	EXPECT_FALSE(orphan->update(0));
	EXPECT_TRUE(orphan->stop());
}

TEST(GTutorial, EmptyTutorialEndsAtTheFirstUpdate)
{
	TutorialRig rig("");
	EXPECT_FALSE(rig.tutorial->start());
	EXPECT_FALSE(rig.tutorial->getWindow()->isVisible());
	EXPECT_FALSE(rig.tutorial->update(0));
	EXPECT_TRUE(rig.parent->getChildren().empty());
}
