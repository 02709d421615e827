#include "nodes/ButtonNode.h"

#include "NodeLibTestSupport.h"
#include "content/AtlasTexture.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/PropertyMakers.h"
#include "core/SystemFlowEvents.h"
#include "device/CDeviceStub.h"
#include "nodes/BackButtonNode.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"

#include <gtest/gtest.h>

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

SmartPointer<AtlasTexture> bareFrame()
{
	return SmartPointer<AtlasTexture>(new AtlasTexture(ContentRef(), nullptr, {0, 0, 1, 1}, {0, 0}, {0, 0}));
}

// "Press" scales a part for 100 ms, so a click stays pending for a few ticks.
const std::string pressState = "<State Name=\"Press\"><Animator Type=\"KeyFrame\"><Properties>"
                               "<vector3d Name=\"Scale\" Value=\"\"/></Properties><KeyFrame t=\"0\" Value0=\"1;1;1\"/>"
                               "<KeyFrame t=\"100\" i=\"0\" Value0=\"0.9;0.9;1\"/></Animator></State>";

// Every check box look gives the marker its own tint. The press plays on another part: a new state
// on the part playing "Press" would end the press at once.
const char* const checkStates[][2] = {
    {"Normal", "ff000001"},
    {"Focus", "ff000002"},
    {"NormalHover", "ff000003"},
    {"FocusHover", "ff000004"},
    {"NormalDisable", "ff000005"},
    {"FocusDisable", "ff000006"},
    {"NormalCheck", "ff000011"},
    {"FocusCheck", "ff000012"},
    {"NormalCheckHover", "ff000013"},
    {"FocusCheckHover", "ff000014"},
    {"NormalCheckDisable", "ff000015"},
    {"FocusCheckDisable", "ff000016"},
};

std::string allCheckStates()
{
	std::string states;
	for (const auto& s : checkStates)
		states += tintState(s[0], s[1]);
	return states;
}

// Controls in a scene of test services with button and check box looks.
class ButtonNodeTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		services.loadTemplates(
		    templateXml("Button", partXml("TextNode", "Text") + partXml("SpriteNode", "Image")) +
		    templateXml("Swapped", partXml("SpriteNode", "Text") + partXml("TextNode", "Image")) +
		    templateXml("Nested", "<SceneNode Type=\"BaseNode\">" + partXml("TextNode", "Text") + "</SceneNode>") +
		    templateXml("Check", partXml("TextNode", "Text") + partXml("BaseNode", "Pusher", "", pressState) +
		                             partXml("BaseNode", "Marker", "", allCheckStates())) +
		    templateXml("CheckFew",
		                partXml("BaseNode", "Marker", "",
		                        tintState("NormalCheck", "ff000011") + tintState("FocusCheck", "ff000012"))) +
		    templateXml("CheckFewer", partXml("BaseNode", "Marker", "", tintState("NormalCheck", "ff000011"))));
		ASSERT_TRUE(services.templates);
	}

	// The tint the marker of a check box's look shows now.
	static irr::u32 markerTint(ControlNode* control)
	{
		BaseNode* marker = control->getTemplateRoot()->findChild(id("Marker"), 1);
		return marker ? marker->getTintColor().color : 0;
	}

	ControlTestServices services;
};

TEST_F(ButtonNodeTest, TemplateBindsTextAndImagePartsByName)
{
	SmartPointer<ButtonNode> button(new ButtonNode());
	EXPECT_TRUE(button->isFocusOnHover());
	SmartPointer<AtlasTexture> image = bareFrame();
	button->setText(L"Play");
	button->setImage(image.get());
	// Without a scene manager nothing is applied.
	button->setTemplateName(id("Button"));
	EXPECT_EQ(button->getTextPart(), nullptr);

	services.attach(button.get());
	button->setTemplateName(id("Button"));
	ASSERT_NE(button->getTextPart(), nullptr);
	ASSERT_NE(button->getImagePart(), nullptr);
	EXPECT_STREQ(button->getTextPart()->getText().c_str(), L"Play");
	EXPECT_EQ(button->getImagePart()->getAtlasTexture(), image.get());
	button->setText(L"Quit");
	EXPECT_STREQ(button->getTextPart()->getText().c_str(), L"Quit");
	button->setImage(nullptr);
	EXPECT_EQ(button->getImagePart()->getAtlasTexture(), nullptr);

	// Parts of the wrong class, or below the template's top level, are not bound.
	for (const char* look : {"Swapped", "Nested"})
	{
		button->setTemplateName(id(look));
		EXPECT_EQ(button->getTextPart(), nullptr) << look;
		EXPECT_EQ(button->getImagePart(), nullptr) << look;
		EXPECT_STREQ(button->getText().c_str(), L"Quit");
	}
}

TEST_F(ButtonNodeTest, PropertiesWriteOnlyWhatIsSetAndKeepFocusOnHover)
{
	SmartPointer<ButtonNode> plain(new ButtonNode());
	CPropertyCollection defaults;
	plain->writeProperties(defaults);
	EXPECT_LT(defaults.indexOf("Text"), 0);
	EXPECT_LT(defaults.indexOf("Image"), 0);

	SmartPointer<AtlasTexture> image = bareFrame();
	CPropertyCollection collection;
	collection.addBool("IsFocusOnHover", false);
	collection.addInt("Text", 42);
	collection.add("Image", makeAtlasTextureProperty(image.get()));
	SmartPointer<ButtonNode> read(new ButtonNode());
	read->readProperties(collection);
	EXPECT_FALSE(read->isFocusOnHover());
	EXPECT_STREQ(read->getText().c_str(), L"42");
	EXPECT_EQ(read->getImage(), image.get());

	SmartPointer<BaseNode> cloned(read->clone());
	auto* copy = nodeCast<ButtonNode>(cloned.get());
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->getText().c_str(), L"42");
	EXPECT_EQ(copy->getImage(), image.get());

	collection.addInt("Image", 3);
	read->readProperties(collection);
	EXPECT_EQ(read->getImage(), nullptr);
}

TEST_F(ButtonNodeTest, CheckBoxTogglesOnceForTwoQuickClicksAndReportsIt)
{
	SmartPointer<CheckBoxNode> box(new CheckBoxNode());
	services.attach(box.get());
	box->setTemplateName(id("Check"));
	EXPECT_EQ(markerTint(box.get()), 0xff000001u);

	ASSERT_TRUE(box->click());
	EXPECT_TRUE(box->isChecked());
	EXPECT_FALSE(box->click());
	EXPECT_TRUE(box->isChecked());
	services.tick(1);
	EXPECT_EQ(services.count(CEventNodeValueChanged::TypeId), 1);
	EXPECT_EQ(services.count(CEventNodeClicked::TypeId), 0);
	services.tick(8);
	EXPECT_EQ(services.count(CEventNodeClicked::TypeId), 1);
	EXPECT_EQ(markerTint(box.get()), 0xff000011u);

	// Code changes the look but reports nothing.
	box->setChecked(false);
	services.tick(2);
	EXPECT_EQ(markerTint(box.get()), 0xff000001u);
	EXPECT_EQ(services.count(CEventNodeValueChanged::TypeId), 1);
}

struct CheckStateCase
{
	bool checked;
	bool enabled;
	bool focused;
	bool hovered;
	const char* state;
};

TEST_F(ButtonNodeTest, CheckBoxPlaysTheStateOfItsFlags)
{
	const CheckStateCase cases[] = {
	    {true, true, true, true, "FocusCheckHover"},    {true, true, true, false, "FocusCheck"},
	    {true, true, false, true, "NormalCheckHover"},  {true, true, false, false, "NormalCheck"},
	    {true, false, true, true, "FocusCheckDisable"}, {true, false, false, false, "NormalCheckDisable"},
	    {false, true, true, true, "FocusHover"},        {false, true, true, false, "Focus"},
	    {false, true, false, true, "NormalHover"},      {false, true, false, false, "Normal"},
	    {false, false, true, false, "FocusDisable"},    {false, false, false, true, "NormalDisable"},
	};
	for (const CheckStateCase& c : cases)
	{
		SmartPointer<CheckBoxNode> box(new CheckBoxNode());
		box->setFocusOnHover(false);
		services.attach(box.get());
		box->setTemplateName(id("Check"));
		box->setHovered(c.hovered);
		box->setFocused(c.focused);
		box->setEnabled(c.enabled);
		box->setChecked(c.checked);
		EXPECT_EQ(box->getCheckStateName(), id(c.state)) << c.state;
		irr::u32 expected = 0;
		for (const auto& s : checkStates)
			if (std::string(s[0]) == c.state)
				expected = static_cast<irr::u32>(std::stoul(s[1], nullptr, 16));
		EXPECT_EQ(markerTint(box.get()), expected) << c.state;
		services.root->removeChild(box.get());
	}
}

TEST_F(ButtonNodeTest, DisabledFocusedCheckedBoxFallsBackThroughFocusCheck)
{
	const std::pair<const char*, irr::u32> cases[] = {{"CheckFew", 0xff000012u}, {"CheckFewer", 0xff000011u}};
	for (const auto& c : cases)
	{
		SmartPointer<CheckBoxNode> box(new CheckBoxNode());
		services.attach(box.get());
		box->setTemplateName(id(c.first));
		box->setChecked(true);
		box->setFocused(true);
		box->setEnabled(false);
		EXPECT_EQ(box->getCheckStateName(), id("FocusCheckDisable"));
		EXPECT_EQ(markerTint(box.get()), c.second) << c.first;
		services.root->removeChild(box.get());
	}
	EXPECT_EQ(CheckBoxNode::checkBoxStateFallback(id("FocusCheckHover")), id("NormalCheckHover"));
	EXPECT_EQ(CheckBoxNode::checkBoxStateFallback(id("FocusDisable")), id("NormalDisable"));
}

TEST_F(ButtonNodeTest, CheckBoxPropertiesAndCopy)
{
	SmartPointer<CheckBoxNode> box(new CheckBoxNode());
	CPropertyCollection defaults;
	box->writeProperties(defaults);
	EXPECT_LT(defaults.indexOf("IsChecked"), 0);
	box->setChecked(true);
	CPropertyCollection written;
	box->writeProperties(written);
	SmartPointer<CheckBoxNode> read(new CheckBoxNode());
	read->readProperties(written);
	EXPECT_TRUE(read->isChecked());
	SmartPointer<BaseNode> cloned(read->clone());
	ASSERT_NE(nodeCast<CheckBoxNode>(cloned.get()), nullptr);
	EXPECT_TRUE(nodeCast<CheckBoxNode>(cloned.get())->isChecked());
	EXPECT_TRUE(nodeCast<ButtonNode>(cloned.get()) != nullptr);
}

// Two scenes on a real scene manager driven through a device without window.
class BackButtonTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		device = new CDeviceStub();
		manager = device->createSceneManager();
		uiScheduler = device->createTaskScheduler();
		device->addEventListener(uiScheduler.get(), 0);
		manager->setScheduler(uiScheduler.get());
	}
	void TearDown() override
	{
		manager = nullptr;
		device->removeEventListener(uiScheduler.get());
		uiScheduler = nullptr;
		device = nullptr;
	}
	void update(int times = 3)
	{
		for (int i = 0; i < times; ++i)
			device->postEvent(new CEventSystemFlowUpdate(10));
	}

	SmartPointer<CDeviceStub> device;
	SmartPointer<SceneManager> manager;
	SmartPointer<TaskScheduler> uiScheduler;
};

TEST_F(BackButtonTest, ClickClosesTheTopSceneEvenFromASceneBelow)
{
	SmartPointer<SceneNode> first(new SceneNode());
	SmartPointer<SceneNode> second(new SceneNode());
	SmartPointer<BackButtonNode> back(new BackButtonNode());
	first->addChild(back.get());
	ASSERT_TRUE(manager->showScene(first.get()));
	update();
	ASSERT_TRUE(manager->pushScene(first.get(), second.get()));
	update();
	ASSERT_EQ(manager->getTopScene(), second.get());

	CEventNodeClicked clicked(back.get());
	EXPECT_FALSE(back->onEvent(&clicked));
	update();
	EXPECT_EQ(manager->getTopScene(), first.get());
	EXPECT_EQ(manager->getChildren().size(), 1u);

	// Outside a scene manager a back button does nothing.
	SmartPointer<BackButtonNode> loose(new BackButtonNode());
	EXPECT_FALSE(loose->onEvent(&clicked));
}
} // namespace
