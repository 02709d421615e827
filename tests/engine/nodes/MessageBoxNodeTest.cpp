#include "nodes/MessageBoxNode.h"

#include "ListTestSupport.h"
#include "core/TaskScheduler.h"
#include "nodes/ButtonNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"

#include <gtest/gtest.h>

using namespace widgettest;

namespace
{
// A scene that records the message box results it is handed.
class ResultScene : public SceneNode
{
public:
	bool onEvent(CEvent* event) override
	{
		if (auto* result = eventCast<CEventNodeMessageBoxResult>(event))
			results.push_back(result->result);
		return SceneNode::onEvent(event);
	}
	std::vector<int> results;
};

std::string boxTemplates()
{
	const std::string parts = nodeXml("TextNode", "TitleText") + nodeXml("TextNode", "BodyText") +
	                          nodeXml("ButtonNode", "Button") + nodeXml("ButtonNode", "Button") +
	                          nodeXml("ButtonNode", "Button") +
	                          nodeXml("BaseNode", "Panel", "", nodeXml("ButtonNode", "Button"));
	// Leaving takes 100 ms, so a second click can arrive while the box closes.
	const std::string slowLeave =
	    "<States><State Name=\"NavBackFrom\"><Animator Type=\"KeyFrame\"><Properties><vector3d Name=\"Position\" "
	    "Value=\"\"/></Properties><KeyFrame t=\"0\" Value0=\"0;0;0\"/><KeyFrame t=\"100\" i=\"0\" "
	    "Value0=\"0;50;0\"/></Animator></State></States>";
	const std::string slowParts =
	    nodeXml("ButtonNode", "Button") + nodeXml("ButtonNode", "Button") + nodeXml("BaseNode", "Frame", "", slowLeave);
	const std::string oddParts = nodeXml("BaseNode", "TitleText") + nodeXml("TextNode", "BodyText");
	return nodeXml("BaseNode", "Box", vectorProperty("Bounds", 200, 100), parts) +
	       nodeXml("BaseNode", "OddBox", vectorProperty("Bounds", 100, 100), oddParts) +
	       nodeXml("BaseNode", "SlowBox", vectorProperty("Bounds", 100, 100), slowParts);
}

struct BoxScene
{
	SmartPointer<TaskScheduler> scheduler{new TaskScheduler()};
	SmartPointer<SceneManager> manager{new SceneManager()};
	SmartPointer<TemplateCollectionNode> templates{loadTemplateCollection(boxTemplates())};
	SmartPointer<ResultScene> below{new ResultScene()};

	BoxScene()
	{
		manager->setScheduler(scheduler.get());
		manager->setTemplateCollection(templates.get());
		below->setBounds({800, 600, 0});
		manager->showScene(below.get());
		run();
	}
	~BoxScene()
	{
		manager->showScene(nullptr);
		run();
	}
	void run()
	{
		for (int i = 0; i < 5; ++i)
			scheduler->update(20);
	}
	MessageBoxNode* open(const char* look, std::initializer_list<const wchar_t*> captions)
	{
		irr::core::array<irr::core::stringw> texts;
		for (const wchar_t* caption : captions)
			texts.push_back(caption);
		SceneNode* box = below->showMessageBox(internStringId(look), texts, L"Title", L"Body");
		return nodeCast<MessageBoxNode>(box);
	}
};
} // namespace

TEST(MessageBoxNodeTest, BindsItsPartsAndShowsTheTexts)
{
	BoxScene s;
	MessageBoxNode* box = s.open("Box", {L"Yes", L"No"});
	ASSERT_NE(box, nullptr);
	EXPECT_TRUE(box->isMessageBox());
	ASSERT_NE(box->getTitlePart(), nullptr);
	EXPECT_EQ(box->getTitlePart()->getText(), irr::core::stringw(L"Title"));
	EXPECT_EQ(box->getBodyPart()->getText(), irr::core::stringw(L"Body"));
	// The button inside "Panel" is not one of the box's buttons.
	ASSERT_EQ(box->getButtons().size(), 3u);
	EXPECT_EQ(box->getButtons()[0]->getText(), irr::core::stringw(L"Yes"));
	EXPECT_EQ(box->getButtons()[1]->getText(), irr::core::stringw(L"No"));
	EXPECT_EQ(box->getButtons()[2]->getText(), irr::core::stringw());
	EXPECT_EQ(box->getPosition(), irr::core::vector3df(300, 250, 0));
	EXPECT_EQ(s.manager->getTopScene(), box);

	SmartPointer<BaseNode> copy(box->clone());
	auto* cloned = nodeCast<MessageBoxNode>(copy.get());
	ASSERT_NE(cloned, nullptr);
	EXPECT_TRUE(cloned->getTitleText().empty());
	EXPECT_EQ(cloned->getButtonTexts().size(), 0u);
}

TEST(MessageBoxNodeTest, PressedButtonReachesTheSceneBelow)
{
	BoxScene s;
	MessageBoxNode* box = s.open("Box", {L"Yes", L"No"});
	ASSERT_NE(box, nullptr);
	s.run();
	SmartPointer<MessageBoxNode> keep(shareRef(box));
	BaseNode* nested = box->getTemplateRoot()->getChildren()[5]->getChildren()[0];
	CEventNodeClicked stray(nested);
	EXPECT_FALSE(box->onEvent(&stray));
	CEventNodeClicked clicked(box->getButtons()[1].get());
	EXPECT_TRUE(box->onEvent(&clicked));
	s.run();
	EXPECT_EQ(s.below->results, std::vector<int>{1});
	EXPECT_EQ(box->getMessageBoxResult(), 1);
	EXPECT_EQ(box->getParent(), nullptr);
	EXPECT_EQ(s.manager->getTopScene(), s.below.get());
}

// "Delete player?" answered "No": a "Yes" clicked while the box leaves must not turn the answer.
TEST(MessageBoxNodeTest, ClicksAfterTheClosingClickAreIgnored)
{
	BoxScene s;
	MessageBoxNode* box = s.open("SlowBox", {L"Yes", L"No"});
	ASSERT_NE(box, nullptr);
	s.run();
	SmartPointer<MessageBoxNode> keep(shareRef(box));
	SmartPointer<TaskScheduler> boxScheduler(shareRef(box->getTaskScheduler()));
	ASSERT_NE(boxScheduler.get(), nullptr);
	ASSERT_EQ(box->getButtons().size(), 2u);
	SmartPointer<ButtonNode> yes = box->getButtons()[0];
	SmartPointer<ButtonNode> no = box->getButtons()[1];

	CEventNodeClicked clickedNo(no.get());
	EXPECT_TRUE(box->onEvent(&clickedNo));
	s.run();
	boxScheduler->update(20);
	// Still leaving: the second click is taken by the box and changes nothing.
	EXPECT_EQ(box->getParent(), s.manager.get());
	CEventNodeClicked clickedYes(yes.get());
	EXPECT_TRUE(box->onEvent(&clickedYes));
	EXPECT_EQ(box->getMessageBoxResult(), 1);
	for (int i = 0; i < 10; ++i)
	{
		boxScheduler->update(20);
		s.run();
	}
	EXPECT_EQ(s.below->results, std::vector<int>{1});
	EXPECT_EQ(box->getParent(), nullptr);
	EXPECT_EQ(s.manager->getTopScene(), s.below.get());
}

TEST(MessageBoxNodeTest, PartsOfTheWrongClassStayUnbound)
{
	BoxScene s;
	MessageBoxNode* box = s.open("OddBox", {L"Ok"});
	ASSERT_NE(box, nullptr);
	EXPECT_EQ(box->getTitlePart(), nullptr);
	EXPECT_NE(box->getBodyPart(), nullptr);
	EXPECT_TRUE(box->getButtons().empty());
	EXPECT_EQ(box->getTitleText(), irr::core::stringw(L"Title"));
	EXPECT_EQ(box->getButtonTexts().size(), 1u);
}
