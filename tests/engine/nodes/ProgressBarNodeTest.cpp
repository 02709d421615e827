#include "nodes/ProgressBarNode.h"

#include "WidgetTestSupport.h"
#include "core/CPropertyCollection.h"
#include "scene/NodeFactory.h"

#include <gtest/gtest.h>

using irr::core::vector3df;

namespace
{
struct ClampCase
{
	float set;
	float expected;
};

class ProgressClampTest : public ::testing::TestWithParam<ClampCase>
{
};

TEST_P(ProgressClampTest, ValuesStayInsideTheRange)
{
	SmartPointer<ProgressBarNode> bar(new ProgressBarNode());
	bar->setValue(GetParam().set);
	EXPECT_FLOAT_EQ(bar->getValue(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ProgressClampTest,
                         ::testing::Values(ClampCase{150, 100}, ClampCase{-5, 0}, ClampCase{30, 30},
                                           ClampCase{100, 100}));

TEST(ProgressRangeTest, RangeChangesKeepTheValueInsideAndRefuseEmptyRanges)
{
	SmartPointer<ProgressBarNode> bar(new ProgressBarNode());
	bar->setMaxValue(0);
	bar->setMinValue(100);
	EXPECT_FLOAT_EQ(bar->getMinValue(), 0);
	EXPECT_FLOAT_EQ(bar->getMaxValue(), 100);
	EXPECT_FLOAT_EQ(bar->getValue(), 50);

	bar->setMinValue(60);
	EXPECT_FLOAT_EQ(bar->getValue(), 60);
	bar->setMaxValue(80);
	bar->setValue(75);
	bar->setMaxValue(70);
	EXPECT_FLOAT_EQ(bar->getValue(), 70);
}

struct FileCase
{
	const char* name;
	float minValue;
	float maxValue;
	float value;
	float expectedMax;
	float expectedValue;
};

class ProgressFileTest : public ::testing::TestWithParam<FileCase>
{
};

// Values from a scene file obey the same range as values set by code.
TEST_P(ProgressFileTest, ValuesReadFromAFileAreClamped)
{
	const FileCase& c = GetParam();
	CPropertyCollection file;
	file.addFloat("MinValue", c.minValue);
	file.addFloat("MaxValue", c.maxValue);
	file.addFloat("Value", c.value);
	SmartPointer<ProgressBarNode> bar(new ProgressBarNode());
	bar->readProperties(file);
	EXPECT_FLOAT_EQ(bar->getMaxValue(), c.expectedMax);
	EXPECT_FLOAT_EQ(bar->getValue(), c.expectedValue);
	EXPECT_GE(bar->getFraction(), 0.0f);
	EXPECT_LE(bar->getFraction(), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Files, ProgressFileTest,
                         ::testing::Values(FileCase{"above", 0, 100, 150, 100, 100},
                                           FileCase{"below", 10, 20, 5, 20, 10},
                                           FileCase{"inverted", 50, 10, 30, 50, 50},
                                           FileCase{"inside", 0, 10, 4, 10, 4}),
                         [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.name; });

TEST(ProgressPropertiesTest, OnlyValuesOffTheDefaultsAreWritten)
{
	SmartPointer<ProgressBarNode> bar(new ProgressBarNode());
	CPropertyCollection defaults;
	bar->writeProperties(defaults);
	for (const char* name : {"MinValue", "MaxValue", "Value", "KnobType"})
		EXPECT_LT(defaults.indexOf(name), 0) << name;

	bar->setValue(20);
	bar->setKnobType(1);
	CPropertyCollection changed;
	bar->writeProperties(changed);
	EXPECT_FLOAT_EQ(changed.getFloat("Value"), 20);
	EXPECT_EQ(changed.getInt("KnobType"), 1);
	EXPECT_LT(changed.indexOf("MaxValue"), 0);
}

TEST(ProgressFactoryTest, OnlyTheBarWithALookIsCreatable)
{
	EXPECT_EQ(NodeFactory::instance()->createNode(L"BaseProgressBarNode", ContentRef()), nullptr);
	SmartPointer<BaseProgressBarNode> base(new BaseProgressBarNode());
	EXPECT_EQ(base->clone(), nullptr);

	SmartPointer<BaseNode> bar(NodeFactory::instance()->createNode(L"ProgressBarNode", ContentRef()));
	ASSERT_NE(bar.get(), nullptr);
	EXPECT_TRUE(bar->isKindOf(NodeTypeBaseProgressBarNode));
	EXPECT_TRUE(bar->isKindOf(NodeTypeControlNode));
	EXPECT_NE(asBaseProgressBarNode(bar.get()), nullptr);
}

// A bar bound to a template with a sliding area at (7, 3) of the given size and a knob.
class ProgressKnobTest : public ::testing::Test
{
protected:
	SmartPointer<ProgressBarNode> makeBar(float areaWidth, float areaHeight, int knobType)
	{
		SmartPointer<BaseNode> look(new BaseNode());
		look->setName("Bar");
		SmartPointer<BaseNode> area(new BaseNode(ContentRef(), look.get()));
		area->setName("SlidingArea");
		area->setPosition({7, 3, 0});
		area->setBounds({areaWidth, areaHeight, 0});
		SmartPointer<BaseNode> knob(new BaseNode(ContentRef(), look.get()));
		knob->setName("Knob");
		knob->setPosition({1, 1, 0});
		knob->setBounds({9, 9, 0});
		services.templates->addTemplate(look.get());

		SmartPointer<ProgressBarNode> bar(new ProgressBarNode(ContentRef(), nullptr, &services));
		bar->setKnobType(knobType);
		bar->setTemplateName(internStringId("Bar"));
		return bar;
	}

	RecordingServices services;
};

TEST_F(ProgressKnobTest, AHorizontalKnobFillsItsShareOfTheArea)
{
	SmartPointer<ProgressBarNode> bar = makeBar(200, 20, ProgressBarNode::KnobFillsArea);
	ASSERT_NE(bar->getKnob(), nullptr);
	ASSERT_NE(bar->getSlidingArea(), nullptr);
	bar->setValue(25);
	EXPECT_FLOAT_EQ(bar->getKnob()->getBounds().X, 50);
	EXPECT_FLOAT_EQ(bar->getKnob()->getBounds().Y, 9);
	EXPECT_EQ(bar->getKnob()->getPosition(), vector3df(7, 1, 0));
	EXPECT_TRUE(bar->getKnob()->isTransformDirty());
	EXPECT_EQ(services.postedIds.size(), 0u);
}

TEST_F(ProgressKnobTest, ATallAreaFillsDownwards)
{
	SmartPointer<ProgressBarNode> bar = makeBar(20, 200, ProgressBarNode::KnobFillsArea);
	bar->setValue(75);
	EXPECT_FLOAT_EQ(bar->getKnob()->getBounds().Y, 150);
	EXPECT_FLOAT_EQ(bar->getKnob()->getBounds().X, 9);
	EXPECT_EQ(bar->getKnob()->getPosition(), vector3df(1, 3, 0));
}

TEST_F(ProgressKnobTest, OtherKnobTypesLeaveTheKnobAlone)
{
	SmartPointer<ProgressBarNode> bar = makeBar(200, 20, 0);
	bar->setValue(25);
	EXPECT_FLOAT_EQ(bar->getKnob()->getBounds().X, 9);
	EXPECT_EQ(bar->getKnob()->getPosition(), vector3df(1, 1, 0));
}

TEST_F(ProgressKnobTest, TheTemplateAppliesTheCurrentValue)
{
	SmartPointer<ProgressBarNode> bar = makeBar(200, 20, ProgressBarNode::KnobFillsArea);
	// Bound and filled at the default 50 as soon as the template is applied.
	EXPECT_FLOAT_EQ(bar->getKnob()->getBounds().X, 100);
}
} // namespace
