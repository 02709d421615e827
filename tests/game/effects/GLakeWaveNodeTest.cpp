#include "effects/GLakeWaveNode.h"

#include "EffectTestSupport.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
GLakeWaveNode* makeLake(EffectScene& scene, bool withStar)
{
	auto* lake = new GLakeWaveNode();
	addStateLog(lake, "Wave");
	if (withStar)
		addStateLog(lake, "Star");
	lake->onLoaded();
	lake->setBounds(vector3df(200.0f, 100.0f, 0.0f));
	return scene.add(lake);
}

StateLog* child(BaseNode* node, const char* name)
{
	return static_cast<StateLog*>(node->findChild(internStringId(name), 1));
}
} // namespace

// The wave plays "Normal"; the star hides at the start and glints inside the Bounds, the first time
// between 0.5 s and the range's maximum, then a range apart.
TEST(GLakeWaveNode, StarGlintsAtRandomPlacesAndTimes)
{
	seedRandom(5);
	EffectScene scene;
	GLakeWaveNode* lake = makeLake(scene, true);
	StateLog* star = child(lake, "Star");
	scene.render();
	EXPECT_EQ(lake->period, 60u);
	EXPECT_EQ(child(lake, "Wave")->last(), "Normal");
	EXPECT_FALSE(star->isVisible());
	EXPECT_GE(lake->getBlinkTimer(), 500);
	EXPECT_LT(lake->getBlinkTimer(), 10000);
	int elapsed = 0;
	while (star->states.empty() && elapsed < 20000)
	{
		lake->run(60);
		elapsed += 60;
	}
	EXPECT_GE(elapsed, 500);
	EXPECT_LE(elapsed, 10000 + 60);
	EXPECT_EQ(star->last(), "Blink");
	EXPECT_TRUE(star->isVisible());
	EXPECT_GE(star->getPosition().X, 0.0f);
	EXPECT_LE(star->getPosition().X, 200.0f);
	EXPECT_EQ(star->getPosition().Z, 1.0f);
	EXPECT_GE(lake->getBlinkTimer(), 5000 - 60);
}

// The default life is endless; a positive one fades the tint over its last 1.5 s and then ends.
TEST(GLakeWaveNode, DriftsAndFadesOverItsLastSecondAndAHalf)
{
	EffectScene scene;
	GLakeWaveNode* forever = makeLake(scene, false);
	GLakeWaveNode* fading = makeLake(scene, false);
	fading->setPropertyByName("LifeTime", makeIntValue(3000));
	fading->setPropertyByName("Velocity", makeVector3dValue(vector3df(10.0f, 0.0f, 0.0f)));
	fading->setTintColor(irr::video::SColor(255, 0, 0, 255));
	scene.render();
	fading->run(2250); // 750 left: half way through the fade
	EXPECT_EQ(fading->getTintColor(), irr::video::SColor(127, 255, 255, 255));
	EXPECT_NEAR(fading->getPosition().X, 22.5f, 0.001f);
	EXPECT_FALSE(fading->run(750));
	EXPECT_EQ(fading->getParent(), nullptr);
	EXPECT_TRUE(forever->run(100000));
	EXPECT_EQ(forever->getParent(), scene.root.get());
}
