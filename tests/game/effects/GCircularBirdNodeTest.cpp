#include "effects/GCircularBirdNode.h"

#include "EffectTestSupport.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
// A bird template whose "Body" logs its states, and one without a body.
struct BirdScene
{
	BirdScene()
	{
		auto* bird = new BaseNode();
		auto* body = new StateLog();
		body->setName("Body");
		bird->addChild(body);
		body->drop();
		scene.addTemplate(bird, "Bird");
		scene.addTemplate(new BaseNode(), "NoBody");
	}

	GCircularBirdNode* circle(const char* templateName, vector2df e1, vector2df e2)
	{
		auto* node = scene.add(new GCircularBirdNode());
		node->setPropertyByName("Ellipse1Size", makeVector2dValue(e1));
		node->setPropertyByName("Ellipse2Size", makeVector2dValue(e2));
		node->setPropertyByName("BirdTemplateID", makeStringValue(templateName));
		return node;
	}

	EffectScene scene;
};
} // namespace

// The bird is an unsaved copy of the template's "Body", circling on the two ellipses.
TEST(GCircularBirdNode, CirclesACopyOfTheTemplateBody)
{
	BirdScene rig;
	GCircularBirdNode* node = rig.circle("Bird", {100, 50}, {0, 0});
	rig.scene.render();
	BaseNode* bird = node->getBird();
	ASSERT_NE(bird, nullptr);
	EXPECT_TRUE(bird->isInternal());
	EXPECT_EQ(node->getScheduler(), rig.scene.scheduler.get());
	for (int i = 0; i < 50; ++i)
	{
		ASSERT_TRUE(node->run(30));
		const vector3df p = bird->getPosition();
		ASSERT_NEAR(p.X * p.X / 10000.0f + p.Y * p.Y / 2500.0f, 1.0f, 0.001f) << "on the ellipse";
	}
	// The second ellipse is (0, 0): the facing vector is 0, which always names "Right".
	EXPECT_STREQ(getStringById(node->getDirection()).c_str(), "Right");
	CPropertyCollection saved;
	node->writeProperties(saved);
	EXPECT_STREQ(saved.getString("BirdTemplateID").c_str(), "Bird");
}

// Without a template, or with one that has no "Body", there is no bird and nothing runs.
TEST(GCircularBirdNode, NoBodyNoBird)
{
	BirdScene rig;
	GCircularBirdNode* missing = rig.circle("Nowhere", {10, 10}, {10, 10});
	GCircularBirdNode* bodiless = rig.circle("NoBody", {10, 10}, {10, 10});
	rig.scene.render();
	for (GCircularBirdNode* node : {missing, bodiless})
	{
		EXPECT_EQ(node->getBird(), nullptr);
		EXPECT_EQ(node->getScheduler(), nullptr);
	}
}

// The bird faces along its motion on the second ellipse and flaps in its direction every 4 to 7 s.
TEST(GCircularBirdNode, FacesItsWayAndFlaps)
{
	BirdScene rig;
	GCircularBirdNode* node = rig.circle("Bird", {0, 0}, {100, 100});
	rig.scene.render();
	auto* bird = static_cast<StateLog*>(node->getBird());
	for (int i = 0; i < 500; ++i)
		node->run(30);
	const StringId facing = node->getDirection();
	ASSERT_FALSE(facing.isEmpty());
	int flaps = 0;
	const std::string suffix = "_Flap";
	for (const std::string& state : bird->states)
		if (state.size() > suffix.size() && state.compare(state.size() - suffix.size(), suffix.size(), suffix) == 0)
			++flaps;
	EXPECT_GE(flaps, 2) << "15 s of flight";
}

// A change of template stops the circling; the next render pass makes a fresh bird.
TEST(GCircularBirdNode, ANewTemplateGivesAFreshBird)
{
	BirdScene rig;
	GCircularBirdNode* node = rig.circle("Bird", {50, 50}, {0, 0});
	rig.scene.render();
	BaseNode* first = node->getBird();
	node->setBirdTemplateID(internStringId("Bird"));
	EXPECT_EQ(node->getScheduler(), nullptr);
	rig.scene.render();
	EXPECT_NE(node->getBird(), nullptr);
	EXPECT_EQ(node->getChildren().size(), 1u) << "the old bird left";
	(void)first;
}

// Angular speeds are written when they differ from the default, so a bird standing still stays still.
TEST(GCircularBirdNode, ZeroAngularVelocitySurvivesASave)
{
	SmartPointer<GCircularBirdNode> node(new GCircularBirdNode());
	node->setPropertyByName("AngularVelocity1", makeFloatValue(0.0f));
	CPropertyCollection saved;
	node->writeProperties(saved);
	SmartPointer<GCircularBirdNode> loaded(new GCircularBirdNode());
	loaded->readProperties(saved);
	EXPECT_EQ(propertyAsFloat(loaded->getPropertyByName("AngularVelocity1").get()), 0.0f);
	EXPECT_EQ(propertyAsFloat(loaded->getPropertyByName("AngularVelocity2").get()), 5.0f);
}
