#include "core/TaskScheduler.h"
#include "scene/ControlNode.h"

#include "SceneTestSupport.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "scene/PropertyValue.h"
#include "scene/SceneFileReader.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

// A node hit inside its rectangle, so controls built from it can be clicked.
class HitBox : public BaseNode
{
	ENGINE_NODE_TYPE(HitBox, 1901, BaseNode)
	ENGINE_NODE_CLONE(HitBox)
public:
	using BaseNode::BaseNode;
	bool hitTestPoint(const irr::core::vector2df& point) const override { return isPointInside(point); }
};

SmartPointer<TemplateCollectionNode> loadTemplates(const std::string& children)
{
	registerSceneClasses();
	NodeFactory::instance()->registerNodeCreator(L"HitBox", &createNodeOfClass<HitBox>);
	const std::string xml = "<SceneNode Type=\"TemplateCollectionNode\">" + children + "</SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	BaseNode* node = SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t");
	return SmartPointer<TemplateCollectionNode>(nodeCast<TemplateCollectionNode>(node));
}

std::string templateNode(const char* name, const std::string& content)
{
	return std::string("<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"") + name +
	       "\"/></Properties>" + content + "</SceneNode>";
}

// A button look: a hit box that plays "Press" for the given time.
std::string buttonTemplate(int pressMs)
{
	return templateNode(
	    "Button", "<SceneNode Type=\"HitBox\"><States><State Name=\"Press\"><Animator Type=\"KeyFrame\"><Properties>"
	              "<vector3d Name=\"Scale\" Value=\"\"/></Properties><KeyFrame t=\"0\" Value0=\"1;1;1\"/>"
	              "<KeyFrame t=\"" +
	                  std::to_string(pressMs) +
	                  "\" i=\"0\" Value0=\"0.9;0.9;1\"/></Animator></State></States></SceneNode>");
}

// A templated control in a fake scene, under a recording parent.
struct ButtonScene
{
	FakeSceneManager manager;
	SmartPointer<StateRecorder> parent{new StateRecorder()};
	SmartPointer<ControlNode> button{new ControlNode()};

	explicit ButtonScene(int pressMs = 100)
	{
		manager.templates = loadTemplates(buttonTemplate(pressMs));
		parent->addChild(button.get());
		manager.attach(parent.get());
		button->setTemplateName(id("Button"));
	}
	int clicks() const { return parent->count(CEventNodeClicked::TypeId); }
};
} // namespace

TEST(TemplateCollectionTest, FirstOfANameWinsAndLookupsFailQuietly)
{
	SmartPointer<TemplateCollectionNode> templates = loadTemplates(templateNode("A", "<SceneNode Type=\"BaseNode\"/>") +
	                                                               templateNode("A", "") + templateNode("B", ""));
	ASSERT_NE(templates.get(), nullptr);
	EXPECT_EQ(templates->getChildren().size(), 3u);
	EXPECT_EQ(templates->findTemplate(id("A")), templates->getChildren()[0]);
	EXPECT_EQ(templates->findTemplate(id("Missing")), nullptr);
	EXPECT_EQ(templates->getContentFlags(), ContentShared);

	SmartPointer<ControlNode> root(new ControlNode());
	EXPECT_TRUE(templates->applyTemplate(id("A"), root.get()));
	EXPECT_EQ(root->getChildren().size(), 1u);
	EXPECT_FALSE(templates->applyTemplate(id("Missing"), root.get()));
	EXPECT_TRUE(root->getChildren().empty());
	templates->applyTemplate(id("A"), root.get());
	EXPECT_TRUE(templates->applyTemplate(StringId(), root.get()));
	EXPECT_TRUE(root->getChildren().empty());
	EXPECT_FALSE(templates->applyTemplate(id("A"), nullptr));
}

TEST(TemplateCollectionTest, AddedTemplatesAreNotPartOfAClone)
{
	SmartPointer<TemplateCollectionNode> templates = loadTemplates(templateNode("A", ""));
	SmartPointer<BaseNode> extra(new BaseNode());
	extra->setName("Extra");
	EXPECT_TRUE(templates->addTemplate(extra.get()));
	EXPECT_FALSE(templates->addTemplate(extra.get()));
	EXPECT_EQ(templates->findTemplate(id("Extra")), extra.get());
	SmartPointer<BaseNode> copy(templates->clone());
	auto* copied = nodeCast<TemplateCollectionNode>(copy.get());
	ASSERT_NE(copied, nullptr);
	EXPECT_NE(copied->findTemplate(id("A")), nullptr);
	EXPECT_NE(copied->findTemplate(id("A")), templates->findTemplate(id("A")));
	EXPECT_EQ(copied->findTemplate(id("Extra")), nullptr);
}

TEST(ControlNodeTest, TemplatedButtonReportsTheClickAfterPressHasPlayed)
{
	ButtonScene s;
	ControlNode* root = s.button->getTemplateRoot();
	ASSERT_NE(root, nullptr);
	ASSERT_EQ(root->getChildren().size(), 1u);
	EXPECT_TRUE(root->isInternal());
	EXPECT_TRUE(s.button->getChildren().empty());

	ASSERT_TRUE(s.button->click());
	s.manager.tick(1);
	EXPECT_EQ(s.parent->count(CEventNodeClickPreview::TypeId), 1);
	EXPECT_EQ(s.clicks(), 0);
	EXPECT_TRUE(s.button->isClickPending());
	// A second click while the first plays is refused.
	EXPECT_FALSE(s.button->click());
	s.manager.tick(3);
	EXPECT_EQ(s.clicks(), 0);
	s.manager.tick(2);
	EXPECT_FALSE(s.button->isClickPending());
	EXPECT_EQ(s.clicks(), 1);
	s.manager.tick(5);
	EXPECT_EQ(s.clicks(), 1);
}

// Nothing animates in a paused scene: the press look cannot end, so the click goes through at once and the
// control takes the next click.
TEST(ControlNodeTest, AControlOfAPausedSceneIsClickedAtOnce)
{
	ButtonScene s;
	s.manager.scheduler->setEnabled(false);
	ASSERT_TRUE(s.button->click());
	EXPECT_FALSE(s.button->isClickPending());
	s.manager.tick(1);
	EXPECT_EQ(s.clicks(), 1);
	EXPECT_TRUE(s.button->click());
	s.manager.tick(1);
	EXPECT_EQ(s.clicks(), 2);
}

TEST(ControlNodeTest, MousePressAndReleaseInsideClicks)
{
	ButtonScene s(40);
	ASSERT_NE(s.button->getTemplateRoot(), nullptr);
	CEventInputMouseLeftDown down(10, 10);
	EXPECT_TRUE(s.button->onEvent(&down));
	EXPECT_TRUE(s.button->isPressed());
	EXPECT_TRUE(s.button->isFocused());
	CEventInputMouseLeftUp up(10, 10);
	s.button->onEvent(&up);
	EXPECT_FALSE(s.button->isPressed());
	s.manager.tick(4);
	EXPECT_EQ(s.clicks(), 1);
	// Outside: released without a click.
	CEventInputMouseLeftDown downAgain(10, 10);
	s.button->onEvent(&downAgain);
	CEventInputMouseLeftUp upOutside(500, 500);
	s.button->onEvent(&upOutside);
	s.manager.tick(4);
	EXPECT_EQ(s.clicks(), 1);
	EXPECT_FALSE(s.button->isPressed());
}

// A hidden panel's buttons take no mouse input, also where they lie over a visible button; shown, the
// panel's button is the one on top again.
TEST(ControlNodeTest, ButtonsOfAHiddenPanelLeaveTheMouseToTheVisibleOnes)
{
	ButtonScene s(0);
	SmartPointer<ControlNode> panel(new ControlNode());
	SmartPointer<ControlNode> covering(new ControlNode());
	panel->addChild(covering.get());
	s.parent->addChild(panel.get());
	covering->setTemplateName(id("Button"));
	panel->setVisible(false);

	const auto press = [&]
	{
		CEventInputMouseLeftDown down(10, 10);
		CEventInputMouseLeftUp up(10, 10);
		s.parent->sendToChildren(DeliverChildrenThenSelf, &down);
		const bool buttonPressed = s.button->isPressed(), coveringPressed = covering->isPressed();
		s.parent->sendToChildren(DeliverChildrenThenSelf, &up);
		s.manager.tick(1);
		return std::make_pair(buttonPressed, coveringPressed);
	};
	EXPECT_EQ(press(), std::make_pair(true, false));
	EXPECT_EQ(s.clicks(), 1);
	panel->setVisible(true);
	EXPECT_EQ(press(), std::make_pair(false, true));
	EXPECT_EQ(s.clicks(), 2);
	// Keys are not the pointer's: a hidden panel still hears them.
	panel->setVisible(false);
	SmartPointer<StateRecorder> listener(new StateRecorder());
	panel->addChild(listener.get());
	panel->mask |= EventCategoryKeyboard;
	listener->mask |= EventCategoryKeyboard;
	CEventInputKeyDown key(0, 65, false, false);
	s.parent->sendToChildren(DeliverChildrenThenSelf, &key);
	EXPECT_EQ(listener->count(CEventInputKeyDown::TypeId), 1);
}

TEST(ControlNodeTest, ControlWithoutAnyVisualStateClicksInsideTheCall)
{
	FakeSceneManager manager;
	SmartPointer<StateRecorder> parent(new StateRecorder());
	SmartPointer<ControlNode> button(new ControlNode());
	parent->addChild(button.get());
	manager.attach(parent.get());
	button->click();
	EXPECT_FALSE(button->isClickPending());
	EXPECT_EQ(manager.queue.getCount(), 2);
	manager.queue.drain();
	EXPECT_EQ(parent->count(CEventNodeClicked::TypeId), 1);
}

TEST(ControlNodeTest, DisabledControlShowsDisableStateAndBlocksInput)
{
	FakeSceneManager manager;
	manager.templates = loadTemplates(templateNode(
	    "Look", "<SceneNode Type=\"HitBox\"><States><State Name=\"NormalDisable\"><StartAnimator Type=\"SetProps\">"
	            "<color Name=\"TintColor\" Value=\"80808080\"/></StartAnimator></State></States></SceneNode>"));
	SmartPointer<ControlNode> control(new ControlNode());
	SmartPointer<StateRecorder> child(new StateRecorder());
	control->addChild(child.get());
	manager.attach(control.get());
	control->setTemplateName(id("Look"));
	control->setFocused(true);
	control->setEnabled(false);
	// "FocusDisable" falls back to "NormalDisable".
	EXPECT_EQ(control->getTemplateRoot()->getChildren()[0]->getTintColor().color, 0x80808080u);
	CEventInputMouseLeftDown down(10, 10);
	EXPECT_FALSE(control->onEvent(&down));
	child->clearLog();
	EXPECT_FALSE(control->sendToChildren(DeliverSelf, &down));
	EXPECT_TRUE(child->log.empty());
}

TEST(ControlNodeTest, ArrowKeysMoveFocusBetweenSiblingControls)
{
	FakeSceneManager manager;
	SmartPointer<ControlNode> panel(new ControlNode());
	SmartPointer<ControlNode> left(new ControlNode());
	SmartPointer<ControlNode> right(new ControlNode());
	SmartPointer<BaseNode> plain(new BaseNode());
	left->setName("Left");
	right->setName("Right");
	plain->setName("Plain");
	left->setNavObjectName(39, id("Right"));
	right->setNavObjectName(37, id("Plain"));
	panel->addChild(left.get());
	panel->addChild(right.get());
	panel->addChild(plain.get());
	manager.attach(panel.get());
	left->setFocused(true);
	EXPECT_TRUE(panel->isFocused());
	EXPECT_EQ(panel->getFocusedChild(), left.get());
	CEventInputKeyDown rightKey(0, 39, false, false);
	EXPECT_TRUE(panel->onEvent(&rightKey));
	EXPECT_TRUE(right->isFocused());
	EXPECT_FALSE(left->isFocused());
	// A name of a node that is no control is ignored.
	CEventInputKeyDown leftKey(0, 37, false, false);
	EXPECT_FALSE(panel->onEvent(&leftKey));
	EXPECT_TRUE(right->isFocused());
}

TEST(ControlNodeTest, FocusRequestsWithoutSubjectStopAtAControlThatRefuses)
{
	SmartPointer<ControlNode> panel(new ControlNode());
	SmartPointer<ControlNode> first(new ControlNode());
	SmartPointer<ControlNode> last(new ControlNode());
	last->setWantFocus(false);
	panel->addChild(first.get());
	panel->addChild(last.get());
	panel->setFocused(true);
	EXPECT_FALSE(last->isFocused());
	EXPECT_FALSE(first->isFocused());
	last->setFocusOnHover(true);
	first->setFocusOnHover(true);
	first->setHovered(true);
	EXPECT_TRUE(first->isFocused());
}

TEST(ControlNodeTest, ClonesAndSavedFilesKeepTheControlButNotItsTemplateRoot)
{
	ButtonScene s;
	s.button->setEnabled(false);
	s.button->setNavObjectName(40, id("Down"));
	SmartPointer<BaseNode> copy(s.button->clone());
	auto* control = nodeCast<ControlNode>(copy.get());
	ASSERT_NE(control, nullptr);
	EXPECT_FALSE(control->isEnabled());
	EXPECT_EQ(control->getNavObjectName(40), id("Down"));
	ASSERT_NE(control->getTemplateRoot(), nullptr);
	EXPECT_NE(control->getTemplateRoot(), s.button->getTemplateRoot());
	EXPECT_EQ(control->getTemplateRoot()->getChildren().size(), 1u);
	XmlOutput out;
	s.button->save(out.writer.get());
	const std::string text = out.text();
	EXPECT_EQ(text.find("HitBox"), std::string::npos);
	EXPECT_NE(text.find("\"TemplateName\" Value=\"Button\""), std::string::npos) << text;
	EXPECT_NE(text.find("\"NavDownObjectName\" Value=\"Down\""), std::string::npos);
}

TEST(ControlNodeTest, PropertyTableNamesTheDefaultFocusChildDifferently)
{
	SmartPointer<ControlNode> control(new ControlNode());
	EXPECT_TRUE(control->setPropertyByName("DefaultFocusObject", makeStringValue("Ok")));
	EXPECT_EQ(control->getDefaultFocusObjectName(), id("Ok"));
	EXPECT_FALSE(control->setPropertyByName("DefaultFocusObjectName", makeStringValue("Ok")));
}

namespace
{
// A template holding a marker and one control that names the next template.
std::string nestingTemplate(const std::string& name, const std::string& next)
{
	return templateNode(name.c_str(), "<SceneNode Type=\"HitBox\"/><SceneNode Type=\"ControlNode\"><Properties>"
	                                  "<string Name=\"TemplateName\" Value=\"" +
	                                      next + "\"/></Properties></SceneNode>");
}

// The control the nested looks end at, and how many template roots deep that is.
std::pair<ControlNode*, int> deepestApplied(ControlNode* control)
{
	int depth = 0;
	ControlNode* c = control;
	while (c->getTemplateRoot() && !c->getTemplateRoot()->getChildren().empty())
	{
		const auto& parts = c->getTemplateRoot()->getChildren();
		ControlNode* next = nodeCast<ControlNode>(parts[parts.size() - 1]);
		++depth;
		if (!next)
			break;
		c = next;
	}
	return {c, depth};
}

int appliedDepth(ControlNode* control)
{
	return deepestApplied(control).second;
}
} // namespace

// A template that names itself, directly or through others, stops with a log line instead of
// cloning itself until the stack ends; what was applied on the way stays.
TEST(ControlNodeTest, LoopingTemplatesStopAtTheNestingBound)
{
	std::string longChain;
	for (int i = 0; i < 20; ++i)
		longChain += nestingTemplate("T" + std::to_string(i), "T" + std::to_string(i + 1));
	struct Case
	{
		const char* name;
		std::string templates;
		const char* first;
		int depth;
	};
	const Case cases[] = {
	    {"names itself", nestingTemplate("Loop", "Loop"), "Loop", 1},
	    {"through another", nestingTemplate("A", "B") + nestingTemplate("B", "A"), "A", 2},
	    {"distinct names past the bound", longChain, "T0", ControlNode::maxTemplateDepth},
	};
	for (const Case& c : cases)
	{
		FakeSceneManager manager;
		manager.templates = loadTemplates(c.templates);
		SmartPointer<ControlNode> control(new ControlNode());
		manager.attach(control.get());
		LogCapture log;
		control->setTemplateName(id(c.first));
		EXPECT_EQ(appliedDepth(control.get()), c.depth) << c.name;
		EXPECT_TRUE(log.contains("Templates nest too deep; the chain stops here", 1)) << c.name;
		ASSERT_EQ(control->getTemplateRoot()->getChildren().size(), 2u) << c.name;
		EXPECT_NE(nodeCast<HitBox>(control->getTemplateRoot()->getChildren()[0]), nullptr) << c.name;

		// Applying it again meets the same bound; so does the control where the chain stopped
		// when an event walk later reaches it from outside any application.
		control->setTemplateName(id(c.first));
		EXPECT_EQ(appliedDepth(control.get()), c.depth) << c.name;
		SmartPointer<CEvent> changed(new CEventNodeTemplatesChanged(manager.templates.get()));
		SmartPointer<CEvent> attached(new CEventNodeSceneAttached(nullptr));
		deepestApplied(control.get()).first->onEvent(changed.get());
		deepestApplied(control.get()).first->onEvent(attached.get());
		EXPECT_EQ(appliedDepth(control.get()), c.depth) << c.name;
	}
	FakeSceneManager manager;
	manager.templates =
	    loadTemplates(nestingTemplate("Outer", "Inner") + templateNode("Inner", "<SceneNode Type=\"HitBox\"/>"));
	SmartPointer<ControlNode> control(new ControlNode());
	manager.attach(control.get());
	LogCapture log;
	control->setTemplateName(id("Outer"));
	EXPECT_EQ(appliedDepth(control.get()), 2);
	EXPECT_EQ(log.problemCount(), 0u);
}
