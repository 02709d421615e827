#include "SceneTestNodes.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataInt.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
// A class adding one property after BaseNode's.
class WeightNode : public BaseNode
{
public:
	using BaseNode::BaseNode;
	const PropertyTable& propertyTable() const override
	{
		static const PropertyTable table = appendPropertyDescriptors(
		    baseNodePropertyTable(),
		    {{"Weight",
		      [](IPropertyOwner* o, const SmartPointer<IPropertyData>& v)
		      { static_cast<WeightNode*>(o)->weight = propertyAsFloat(v.get()); },
		      [](const IPropertyOwner* o) { return makeFloatValue(static_cast<const WeightNode*>(o)->weight); }}});
		return table;
	}
	float weight = 0.0f;
};

std::vector<std::string> names(const PropertyTable& table)
{
	std::vector<std::string> result;
	for (const auto& d : table)
		result.push_back(d.name.c_str());
	return result;
}
} // namespace

TEST(BaseNodeProperties, TableOrderAndDerivedTablesStartWithTheBase)
{
	const std::vector<std::string> base = {"Name",   "Visible",    "Position",  "Rotation", "Scale",
	                                       "Bounds", "PivotPoint", "TintColor", "CanBeHit", "ChildrenClipped"};
	SmartPointer<BaseNode> node(new BaseNode);
	EXPECT_EQ(names(node->propertyTable()), base);
	SmartPointer<WeightNode> weighted(new WeightNode);
	std::vector<std::string> derived = base;
	derived.push_back("Weight");
	EXPECT_EQ(names(weighted->propertyTable()), derived);
	EXPECT_TRUE(weighted->setPropertyByName("Weight", makeFloatValue(2.5f)));
	EXPECT_FLOAT_EQ(propertyAsFloat(weighted->getPropertyByName("Weight").get()), 2.5f);
	EXPECT_TRUE(rootPropertyTable().empty());
}

TEST(BaseNodeProperties, SetAndGetByName)
{
	SmartPointer<BaseNode> node(new BaseNode);
	struct Case
	{
		const char* name;
		SmartPointer<IPropertyData> value;
		std::string text;
	};
	const std::vector<Case> cases = {
	    {"Name", makeStringValue("hero"), "hero"},
	    {"Visible", makeBoolValue(false), "false"},
	    {"Position", makeVector3dValue({1, 2, 3}), makeVector3dValue({1, 2, 3})->toString().c_str()},
	    {"Rotation", makeVector3dValue({0, 0, 30}), makeVector3dValue({0, 0, 30})->toString().c_str()},
	    {"Scale", makeVector3dValue({2, 2, 1}), makeVector3dValue({2, 2, 1})->toString().c_str()},
	    {"Bounds", makeVector3dValue({-5, 10, 3}), makeVector3dValue({-5, 10, 3})->toString().c_str()},
	    {"PivotPoint", makeVector2dValue({4, 5}), makeVector2dValue({4, 5})->toString().c_str()},
	    {"TintColor", makeColorValue(irr::video::SColor(0x80FF0000)), "80ff0000"},
	    {"CanBeHit", makeBoolValue(false), "false"},
	    {"ChildrenClipped", makeBoolValue(true), "true"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		EXPECT_TRUE(node->setPropertyByName(c.name, c.value));
		EXPECT_EQ(std::string(node->getPropertyByName(c.name)->toString().c_str()), c.text);
	}
	EXPECT_TRUE(node->isTransformDirty());
	EXPECT_EQ(node->getName(), internStringId("hero"));
	// The table stores bounds unclamped; setBounds clamps.
	EXPECT_EQ(node->getBounds(), vector3df(-5, 10, 3));
	node->setBounds(vector3df(-5, 10, 3));
	EXPECT_EQ(node->getBounds(), vector3df(0, 10, 0));

	EXPECT_FALSE(node->setPropertyByName("Unknown", makeBoolValue(true)));
	EXPECT_EQ(node->getPropertyByName("Unknown").get(), nullptr);
}

TEST(BaseNodeProperties, ValuesOfAnotherTypeReadAsZero)
{
	SmartPointer<BaseNode> node(new BaseNode);
	node->setPosition(vector3df(1, 1, 1));
	node->setPropertyByName("Position", makeIntValue(5));
	EXPECT_EQ(node->getPosition(), vector3df(0, 0, 0));
	node->setPropertyByName("Visible", makeIntValue(1));
	EXPECT_FALSE(node->isVisible());
	node->setPropertyByName("TintColor", nullptr);
	EXPECT_EQ(node->getTintColor().color, 0u);
	node->setPropertyByName("Name", makeIntValue(12));
	EXPECT_EQ(getStringById(node->getName()), "12");
}

TEST(BaseNodeProperties, WriteOnlyNonDefaultsAndReadBack)
{
	SmartPointer<BaseNode> node(new BaseNode);
	node->setName("panel");
	node->setPosition(vector3df(10, 20, 0));
	node->setBounds(vector3df(64, 32, 0));
	node->setPivotPoint(vector2df(0, 0.5f));
	node->setTintColor(irr::video::SColor(0x7F000000));
	node->setCanBeHit(false);
	CPropertyCollection written;
	node->writeProperties(written);
	std::vector<std::string> order;
	for (int i = 0; i < written.getCount(); ++i)
		order.push_back(written.getNameAt(i).c_str());
	EXPECT_EQ(order, (std::vector<std::string>{"Name", "Position", "Bounds", "PivotPoint", "TintColor", "CanBeHit"}));

	SmartPointer<BaseNode> copy(new BaseNode);
	copy->readProperties(written);
	EXPECT_EQ(copy->getName(), node->getName());
	EXPECT_EQ(copy->getPosition(), node->getPosition());
	EXPECT_EQ(copy->getBounds(), node->getBounds());
	EXPECT_EQ(copy->getPivotPoint(), node->getPivotPoint());
	EXPECT_EQ(copy->getTintColor(), node->getTintColor());
	EXPECT_FALSE(copy->canBeHit());
	EXPECT_TRUE(copy->isVisible());
}

TEST(BaseNodeProperties, ReadClampsBoundsAndZeroesWrongTypes)
{
	CPropertyCollection props;
	props.addVector3d("Bounds", vector3df(-10, 50, 7));
	props.addInt("Rotation", 90);
	props.addBool("ChildrenClipped", true);
	SmartPointer<BaseNode> node(new BaseNode);
	node->setRotation(vector3df(1, 1, 1));
	node->setScale(vector3df(3, 3, 3));
	node->readProperties(props);
	EXPECT_EQ(node->getBounds(), vector3df(0, 50, 0));
	EXPECT_EQ(node->getRotation(), vector3df(0, 0, 0));
	EXPECT_EQ(node->getScale(), vector3df(3, 3, 3)); // absent: unchanged
	EXPECT_TRUE(node->isChildrenClipped());
}
