#include "effects/GBaloonNode.h"
#include "effects/GLakeWaveNode.h"
#include "effects/GPicEffectNode.h"
#include "effects/GShieldEffectNode.h"
#include "effects/GShieldStarNode.h"
#include "effects/GSpiralMovableNode.h"

#include "EffectTestSupport.h"
#include "scene/PropertyValue.h"

#include <functional>
#include <gtest/gtest.h>

// Each self-ending effect node runs for its configured time, then leaves its parent and its scheduler,
// and the only reference left is the test's own: nothing of it stays behind in the scene.
TEST(EffectEnds, EachEffectLeavesOnTimeAndNothingHoldsIt)
{
	struct Case
	{
		const char* name;
		int lifeMs; // the effect is still there one step before this, gone at it
		std::function<GEffectNode*()> make;
	};
	const auto withLife = [](GEffectNode* node, int ms)
	{
		node->setPropertyByName("LifeTime", makeIntValue(ms));
		addStateLog(node);
		return node;
	};
	const Case cases[] = {
	    {"balloon", 600, [&] { return withLife(new GBaloonNode(), 600); }},
	    {"swinging picture", 600, [&] { return withLife(new GPicEffectNode(), 600); }},
	    {"spiral", 600, [&] { return withLife(new GSpiralMovableNode(), 600); }},
	    {"shield star", 600, [&] { return withLife(new GShieldStarNode(), 600); }},
	    {"fading lake wave", 600, [&] { return withLife(new GLakeWaveNode(), 600); }},
	    {"shield effect (moving 300, waiting 150, fading 150)", 600,
	     [&]
	     {
		     auto* shield = new GShieldEffectNode();
		     shield->setPropertyByName("MovingTime", makeIntValue(300));
		     shield->setPropertyByName("DisappearWaitTime", makeIntValue(150));
		     shield->setPropertyByName("DisappearTime", makeIntValue(150));
		     addStateLog(shield);
		     return shield;
	     }},
	};
	for (const Case& c : cases)
	{
		EffectScene scene;
		GEffectNode* node = scene.add(c.make());
		SmartPointer<GEffectNode> watch(shareRef(node));
		scene.render();
		ASSERT_TRUE(node->isStarted()) << c.name;
		EXPECT_EQ(node->getScheduler(), scene.scheduler.get()) << c.name;
		scene.tick(c.lifeMs / 30 - 1);
		EXPECT_EQ(node->getParent(), scene.root.get()) << c.name << ": still running one step before its end";
		scene.tick(2);
		EXPECT_EQ(node->getParent(), nullptr) << c.name;
		EXPECT_EQ(node->getScheduler(), nullptr) << c.name;
		EXPECT_TRUE(node->isFinished()) << c.name;
		EXPECT_EQ(node->getReferenceCount(), 1) << c.name << ": only the test holds it";
		// A later render pass does not start it again.
		renderAlone(node);
		EXPECT_EQ(node->getScheduler(), nullptr) << c.name;
	}
}
