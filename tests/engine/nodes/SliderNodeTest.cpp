#include "nodes/SliderNode.h"

#include "ListTestSupport.h"
#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using namespace widgettest;

namespace
{
// A track of 200 x 20 (or 20 x 200) at x 10 with a 20 x 20 knob and two step buttons.
std::string sliderTemplates()
{
	const std::string parts =
	    nodeXml("WidgetHitArea", "SlidingArea", vectorProperty("Position", 10, 0) + vectorProperty("Bounds", 200, 20)) +
	    nodeXml("BaseNode", "Knob", vectorProperty("Bounds", 20, 20)) + nodeXml("ControlNode", "NextButton") +
	    nodeXml("ControlNode", "PrevButton");
	const std::string verticalParts = nodeXml("WidgetHitArea", "SlidingArea", vectorProperty("Bounds", 20, 200)) +
	                                  nodeXml("BaseNode", "Knob", vectorProperty("Bounds", 20, 20));
	return nodeXml("BaseNode", "HSlider", "", parts) + nodeXml("BaseNode", "VSlider", "", verticalParts);
}

struct SliderScene
{
	WidgetScene scene{sliderTemplates()};
	SmartPointer<SliderNode> slider{new SliderNode()};

	explicit SliderScene(const char* look = "HSlider")
	{
		scene.attach(slider.get());
		slider->setTemplateName(internStringId(look));
	}
	BaseNode* knob() const { return slider->getKnobPart(); }
	int valueEvents()
	{
		scene.drain();
		return scene.log->count(CEventNodeValueChanged::TypeId);
	}
	bool key(int code)
	{
		CEventInputKeyDown down(0, code, false, false);
		return slider->onEvent(&down);
	}
};
} // namespace

TEST(SliderNodeTest, BindsItsPartsByNameFromTheTemplate)
{
	SliderScene s;
	ASSERT_NE(s.slider->getSlidingAreaPart(), nullptr);
	ASSERT_NE(s.knob(), nullptr);
	EXPECT_NE(s.slider->getNextButtonPart(), nullptr);
	EXPECT_NE(s.slider->getPrevButtonPart(), nullptr);
	EXPECT_TRUE(s.slider->isHorizontal());
	// Placed at once: 50 of 0..100 is the middle of the 180 pixels the knob travels.
	EXPECT_FLOAT_EQ(s.knob()->getPosition().X, 100.0f);
	EXPECT_EQ(s.slider->typeId(), 16);
	EXPECT_TRUE(s.slider->isKindOf(5));
}

TEST(SliderNodeTest, KnobFollowsValueRangeAndPageSize)
{
	struct Case
	{
		int knobType;
		float maxValue, value, page;
		float position, size;
	};
	const Case cases[] = {
	    {0, 100, 50, 0, 100, 20}, {0, 100, 0, 0, 10, 20},    {0, 100, 100, 0, 190, 20},
	    {0, 10, 4, 2, 100, 20},   {0, 10, 4, 10, 10, 20}, // a page covering the range keeps it at the start
	    {0, 10, 10, 2, 190, 20},                          // values within the last page stay on the track
	    {1, 100, 25, 0, 10, 50},  {1, 100, 100, 0, 10, 200}, {2, 100, 50, 10, 110, 25}, // 20 pixels is below 25
	    {2, 100, 0, 50, 10, 100}, {7, 100, 50, 0, 0, 20}, // unknown knob types leave the knob alone
	};
	for (const Case& c : cases)
	{
		SliderScene s;
		s.knob()->setPosition({0, 0, 0});
		s.slider->setKnobType(c.knobType);
		s.slider->setMaxValue(c.maxValue);
		s.slider->setPageSize(c.page);
		s.slider->setValue(c.value);
		EXPECT_FLOAT_EQ(s.knob()->getPosition().X, c.position) << c.knobType << " " << c.value << " " << c.page;
		EXPECT_FLOAT_EQ(s.knob()->getBounds().X, c.size) << c.knobType << " " << c.value << " " << c.page;
		EXPECT_FLOAT_EQ(s.knob()->getPosition().Y, 0.0f);
	}
}

TEST(SliderNodeTest, PointsOnTheTrackMapToValues)
{
	struct Case
	{
		int knobType;
		float page;
		int x;
		float value;
	};
	const Case cases[] = {
	    {0, 0, 10, 0},    {0, 0, 110, 50},  {0, 0, 205, 100}, {0, 0, 215, 33}, // off the track: unchanged
	    {0, 20, 110, 40}, {0, 20, 205, 80},                                    // the far end is the last page
	    {1, 0, 60, 25},   {1, 20, 200, 80}, {1, 0, 10, 0},    {2, 10, 110, 45},
	};
	for (const Case& c : cases)
	{
		SliderScene s;
		s.slider->setKnobType(c.knobType);
		s.slider->setPageSize(c.page);
		s.slider->setValue(33);
		s.slider->setValueFromPoint({static_cast<float>(c.x), 10.0f});
		EXPECT_FLOAT_EQ(s.slider->getValue(), c.value) << c.knobType << " " << c.page << " " << c.x;
	}
}

TEST(SliderNodeTest, RangeSettersRefuseEmptyRangesAndClampTheValue)
{
	SliderNode slider;
	slider.setMinValue(100);
	EXPECT_FLOAT_EQ(slider.getMinValue(), 0.0f);
	slider.setMaxValue(20);
	EXPECT_FLOAT_EQ(slider.getMaxValue(), 20.0f);
	EXPECT_FLOAT_EQ(slider.getValue(), 20.0f);
	slider.setMaxValue(-5);
	EXPECT_FLOAT_EQ(slider.getMaxValue(), 20.0f);
	slider.setMinValue(10);
	slider.setValue(3);
	EXPECT_FLOAT_EQ(slider.getValue(), 10.0f);
	slider.setValue(300);
	EXPECT_FLOAT_EQ(slider.getValue(), 20.0f);
}

TEST(SliderNodeTest, StepButtonsMoveValueAndKnobAndReportOnlyChanges)
{
	SliderScene s;
	CEventNodeClicked prev(s.slider->getPrevButtonPart());
	// The click continues to the scene.
	EXPECT_FALSE(s.slider->onEvent(&prev));
	EXPECT_FLOAT_EQ(s.slider->getValue(), 45.0f);
	EXPECT_FLOAT_EQ(s.knob()->getPosition().X, 10.0f + 180.0f * 0.45f);
	EXPECT_EQ(s.valueEvents(), 1);
	EXPECT_EQ(s.scene.log->seen.back().node, s.slider.get());

	s.slider->setValue(100);
	CEventNodeClicked next(s.slider->getNextButtonPart());
	s.slider->onEvent(&next);
	EXPECT_FLOAT_EQ(s.slider->getValue(), 100.0f);
	EXPECT_EQ(s.valueEvents(), 1);
	CEventNodeClicked other(s.slider.get());
	s.slider->onEvent(&other);
	EXPECT_EQ(s.valueEvents(), 1);
}

TEST(SliderNodeTest, KeysStepAlongTheSlidersAxis)
{
	struct Case
	{
		const char* look;
		int key;
		float start;
		bool handled;
		float value;
	};
	const Case cases[] = {
	    {"HSlider", 39, 50, true, 55},    {"HSlider", 37, 50, true, 45},  {"HSlider", 37, 0, false, 0},
	    {"HSlider", 39, 100, false, 100}, {"HSlider", 38, 50, false, 50}, {"HSlider", 35, 50, true, 100},
	    {"HSlider", 36, 50, true, 0},     {"VSlider", 38, 50, true, 55},  {"VSlider", 40, 50, true, 45},
	    {"VSlider", 39, 50, false, 50},   {"VSlider", 36, 0, true, 0},
	};
	for (const Case& c : cases)
	{
		SliderScene s(c.look);
		s.slider->setValue(c.start);
		s.scene.drain();
		EXPECT_EQ(s.key(c.key), c.handled) << c.look << " " << c.key;
		EXPECT_FLOAT_EQ(s.slider->getValue(), c.value) << c.look << " " << c.key;
		EXPECT_EQ(s.valueEvents(), c.value != c.start ? 1 : 0) << c.look << " " << c.key;
	}
}

TEST(SliderNodeTest, OnAVerticalSliderLargerValuesSitLower)
{
	SliderScene s("VSlider");
	EXPECT_FALSE(s.slider->isHorizontal());
	const float before = s.knob()->getPosition().Y;
	s.key(38);
	EXPECT_FLOAT_EQ(before, 90.0f);
	EXPECT_GT(s.knob()->getPosition().Y, before);
}

TEST(SliderNodeTest, ArrowKeysNeedTheTrack)
{
	WidgetScene scene;
	SmartPointer<SliderNode> slider(new SliderNode());
	scene.attach(slider.get());
	CEventInputKeyDown right(0, 39, false, false);
	EXPECT_FALSE(slider->onEvent(&right));
	EXPECT_FLOAT_EQ(slider->getValue(), 50.0f);
	CEventInputKeyDown end(0, 35, false, false);
	EXPECT_TRUE(slider->onEvent(&end));
	EXPECT_FLOAT_EQ(slider->getValue(), 100.0f);
}

TEST(SliderNodeTest, DraggingChangesTheValueOnlyOverTheSlider)
{
	SliderScene s;
	s.slider->setValue(0);
	CEventInputMouseLeftDown down(110, 10);
	EXPECT_TRUE(s.slider->onEvent(&down));
	EXPECT_FLOAT_EQ(s.slider->getValue(), 50.0f);
	CEventInputMouseMove move(65, 10);
	EXPECT_TRUE(s.slider->onEvent(&move));
	EXPECT_FLOAT_EQ(s.slider->getValue(), 25.0f);
	CEventInputMouseMove away(60, 300);
	EXPECT_FALSE(s.slider->onEvent(&away));
	EXPECT_FLOAT_EQ(s.slider->getValue(), 25.0f);
	EXPECT_EQ(s.valueEvents(), 2);
	// Moving without a press only hovers.
	CEventInputMouseLeftUp up(60, 300);
	s.slider->onEvent(&up);
	CEventInputMouseMove hover(150, 10);
	EXPECT_TRUE(s.slider->onEvent(&hover));
	EXPECT_FLOAT_EQ(s.slider->getValue(), 25.0f);
	// Code changes post nothing.
	s.slider->setValue(70);
	EXPECT_EQ(s.valueEvents(), 2);
}

TEST(SliderNodeTest, PropertiesWriteOnlyWhatDiffersAndReadBackUnclamped)
{
	SliderNode slider;
	CPropertyCollection defaults;
	slider.writeProperties(defaults);
	for (const char* name : {"MinValue", "MaxValue", "Value", "DeltaValue", "KnobType"})
		EXPECT_LT(defaults.indexOf(name), 0) << name;

	slider.setMaxValue(10);
	slider.setDeltaValue(1);
	slider.setKnobType(2);
	CPropertyCollection written;
	slider.writeProperties(written);
	EXPECT_FLOAT_EQ(written.getFloat("MaxValue"), 10.0f);
	EXPECT_FLOAT_EQ(written.getFloat("Value"), 10.0f);
	EXPECT_EQ(written.getInt("KnobType"), 2);

	SliderNode copy;
	written.setFloat("Value", 500);
	copy.readProperties(written);
	EXPECT_FLOAT_EQ(copy.getValue(), 500.0f);
	EXPECT_FLOAT_EQ(copy.getDeltaValue(), 1.0f);
	SmartPointer<BaseNode> clone(copy.clone());
	auto* cloned = nodeCast<SliderNode>(clone.get());
	ASSERT_NE(cloned, nullptr);
	EXPECT_FLOAT_EQ(cloned->getMaxValue(), 10.0f);
	EXPECT_EQ(cloned->getKnobType(), 2);
	EXPECT_TRUE(copy.setPropertyByName("Value", makeFloatValue(3)));
	EXPECT_FLOAT_EQ(copy.getValue(), 3.0f);
}
