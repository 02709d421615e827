#include "LevelTestSupport.h"
#include "nodes/TextNode.h"

#include <gtest/gtest.h>

using namespace leveltest;

// The parts a record's look brings with it: each building template of the content carries its own
// selector, level stars and workers count, so the building finds them in its template and finds the new
// ones when an upgrade or a demolition puts another look on it.
namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

const std::string records = recordXml("BuildingPlace", 0, 0) + recordXml("Hostel1", 1, 0) + recordXml("Hostel2", 2, 0) +
                            recordXml("Hostel3", 3, 0);

// A hotel look with two stars, the selection frame and the workers count.
std::string hotelLook(const char* name)
{
	const std::string stars = nodeXml("BaseNode", "StarIcons", position(50, 66),
	                                  nodeXml("SpriteNode", "Star1", bounds(18, 18)) +
	                                      nodeXml("SpriteNode", "Star2", position(18, 0) + bounds(18, 18)));
	return nodeXml("BaseNode", name, bounds(144, 72),
	               nodeXml("SpriteNode", "Selector", bounds(152, 80) + prop("bool", "Visible", "false")) + stars +
	                   nodeXml("TextNode", "WorkersText", position(88, -26) + bounds(48, 20)));
}

const std::string looks = hotelLook("Hostel1") + hotelLook("Hostel2") + hotelLook("Hostel3") +
                          nodeXml("BaseNode", "BuildingPlace", bounds(144, 72),
                                  nodeXml("TextNode", "WorkersText", position(60, -20) + bounds(48, 20)));

struct LookLevel : LevelRig
{
	LookLevel() : LevelRig(levelXml(buildingXml("Hotel", 100, 100, "Hostel2")), looks)
	{
		attach();
		setUp(buildingsConfiguration(records).get(),
		      levelConfiguration(prop("bool", "IsBuildingLevelOn", "true")).get());
	}
};

const BaseNode* lookPart(const GBuildingNode* building, const char* name)
{
	const BaseNode* root = building->getTemplateRoot();
	return root ? root->findChild(id(name), 1) : nullptr;
}
} // namespace

TEST(GBuildingNodeLook, StarsAndWorkersOfTheTemplateAreTheBuildingsOwn)
{
	LookLevel rig;
	GBuildingNode* hotel = rig.building("Hotel");
	ASSERT_TRUE(hotel);
	const BaseNode* stars = lookPart(hotel, "StarIcons");
	ASSERT_TRUE(stars);
	EXPECT_TRUE(stars->isVisible());
	hotel->setStars(-1, 2);
	EXPECT_TRUE(stars->getChildren()[0]->isVisible());
	EXPECT_FALSE(stars->getChildren()[1]->isVisible()) << "the star to hide";

	hotel->setWorkersText(3);
	const auto* workers = dynamic_cast<const TextNode*>(lookPart(hotel, "WorkersText"));
	ASSERT_TRUE(workers);
	EXPECT_TRUE(workers->isVisible());
	EXPECT_EQ(workers->getText(), irr::core::stringw(L"x3"));
}

// Upgrading and demolishing replace the look: the parts of the old one are gone with it, and the
// building shows its state on the parts of the new one.
TEST(GBuildingNodeLook, ANewLookBringsItsOwnParts)
{
	LookLevel rig;
	GBuildingNode* hotel = rig.building("Hotel");
	ASSERT_TRUE(hotel);
	for (const char* next : {"Hostel3", "BuildingPlace", "Hostel1"})
	{
		SCOPED_TRACE(next);
		hotel->setTemplateName(id(next));
		hotel->setWorkersText(2);
		const auto* workers = dynamic_cast<const TextNode*>(lookPart(hotel, "WorkersText"));
		ASSERT_TRUE(workers);
		EXPECT_TRUE(workers->isVisible());
		EXPECT_EQ(workers->getText(), irr::core::stringw(L"x2"));
		hotel->setWorkersText(0);
		EXPECT_FALSE(workers->isVisible());
	}
}
