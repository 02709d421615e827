#include "SceneTestNodes.h"
#include "scene/NodeMath.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
// A node that takes hits anywhere inside its rectangle.
class HitNode : public BaseNode
{
public:
	using BaseNode::BaseNode;
	bool hitTestPoint(const vector2df& point) const override { return isPointInside(point); }
};

HitNode* hitChild(BaseNode* parent, const char* name, vector3df position, vector3df bounds)
{
	auto* node = new HitNode(ContentRef(), parent, nullptr);
	node->setName(name);
	node->setPosition(position);
	node->setBounds(bounds);
	node->drop();
	return node;
}

vector2df absolutePosition(const BaseNode* node)
{
	const auto& m = node->getAbsoluteTransformation();
	return vector2df(m[12], m[13]);
}
} // namespace

TEST(BaseNodePlacement, ParentRotationMovesChildrenDownward)
{
	NodeTreeBuilder b;
	RecordingNode* parent = b.root("parent");
	parent->setPosition(vector3df(100, 50, 2));
	parent->setRotation(vector3df(0, 0, 90));
	RecordingNode* child = b.child(parent, "child");
	child->setPosition(vector3df(10, 0, 3));
	parent->refreshAbsolute();
	EXPECT_NEAR(absolutePosition(child).X, 100.0f, 1e-4f);
	EXPECT_NEAR(absolutePosition(child).Y, 60.0f, 1e-4f);
	EXPECT_FLOAT_EQ(child->getAbsoluteTransformation()[14], 5.0f);
	EXPECT_FALSE(child->isTransformDirty());
}

TEST(BaseNodePlacement, ScaleAndPivotTurnAboutThePivot)
{
	struct Case
	{
		vector3df rotation;
		vector3df scale;
		vector2df pivot;
		vector2df local;
		vector2df expected;
	};
	const std::vector<Case> cases = {
	    {{0, 0, 0}, {1, 1, 1}, {0, 0}, {10, 20}, {210, 120}},   {{0, 0, 0}, {2, 3, 1}, {0, 0}, {10, 20}, {220, 160}},
	    {{0, 0, 0}, {1, 1, 1}, {50, 50}, {50, 50}, {200, 100}}, {{0, 0, 90}, {1, 1, 1}, {50, 50}, {60, 50}, {200, 110}},
	    {{0, 0, 180}, {2, 2, 1}, {10, 0}, {20, 0}, {180, 100}},
	};
	for (const auto& c : cases)
	{
		SmartPointer<BaseNode> node(new BaseNode);
		node->setPosition(vector3df(200, 100, 0));
		node->setRotation(c.rotation);
		node->setScale(c.scale);
		node->setPivotPoint(c.pivot);
		node->refreshAbsolute();
		vector3df p(c.local.X, c.local.Y, 0);
		node->getAbsoluteTransformation().transformVect(p);
		EXPECT_NEAR(p.X, c.expected.X, 1e-3f);
		EXPECT_NEAR(p.Y, c.expected.Y, 1e-3f);
	}
}

TEST(BaseNodePlacement, EffectiveColourMultipliesDownTheTree)
{
	NodeTreeBuilder b;
	RecordingNode* parent = b.root("parent");
	RecordingNode* child = b.child(parent, "child");
	RecordingNode* grandchild = b.child(child, "grandchild");
	parent->setTintColor(irr::video::SColor(0x80, 0xFF, 0x80, 0xFF));
	child->setTintColor(irr::video::SColor(0x80, 0xFF, 0xFF, 0x00));
	parent->refreshAbsolute();
	EXPECT_EQ(child->getAbsoluteColor().color, 0x40FF8000u);
	EXPECT_EQ(grandchild->getAbsoluteColor().color, 0x40FF8000u);
	EXPECT_FALSE(grandchild->isColorDirty());

	parent->setTintColor(irr::video::SColor(0xFFFFFFFF));
	RenderList list;
	parent->addToRenderList(list);
	EXPECT_EQ(grandchild->getAbsoluteColor().color, 0x80FFFF00u);
}

TEST(BaseNodePlacement, PointInsideIsStrictAndFollowsThePivot)
{
	SmartPointer<BaseNode> node(new BaseNode);
	node->setPosition(vector3df(200, 200, 0));
	node->setPivotPoint(vector2df(50, 50));
	node->refreshAbsolute();
	struct Case
	{
		vector2df point;
		bool inside;
	};
	const std::vector<Case> cases = {
	    {{200, 200}, true},    {{150, 200}, false}, {{150.5f, 200}, true}, {{250, 200}, false},
	    {{249.5f, 200}, true}, {{200, 150}, false}, {{200, 150.5f}, true}, {{200, 250}, false},
	    {{200, 249.5f}, true}, {{150, 150}, false}, {{100, 100}, false},
	};
	for (const auto& c : cases)
		EXPECT_EQ(node->isPointInside(c.point), c.inside) << c.point.X << "," << c.point.Y;
}

TEST(BaseNodePlacement, RotatedRectangleAndSingularMatrix)
{
	SmartPointer<BaseNode> node(new BaseNode);
	node->setPosition(vector3df(100, 100, 0));
	node->setRotation(vector3df(0, 0, 90));
	node->setBounds(vector3df(100, 50, 0));
	node->refreshAbsolute();
	EXPECT_TRUE(node->isPointInside(vector2df(75, 150)));
	EXPECT_FALSE(node->isPointInside(vector2df(125, 150)));

	// Without an inverse the point is tested untransformed.
	node->setScale(vector3df(0, 0, 1));
	node->refreshAbsolute();
	EXPECT_TRUE(node->isPointInside(vector2df(10, 10)));
	EXPECT_FALSE(node->isPointInside(vector2df(75, 150)));
}

TEST(BaseNodeHitTest, PreOrderFirstAcceptingNodeWins)
{
	NodeTreeBuilder b;
	RecordingNode* root = b.root("root");
	HitNode* panel = hitChild(root, "panel", {0, 0, 0}, {200, 200, 0});
	HitNode* button = hitChild(panel, "button", {50, 50, 0}, {20, 20, 0});
	HitNode* overlap = hitChild(root, "overlap", {40, 40, 0}, {40, 40, 0});

	EXPECT_EQ(root->hitTest(vector2df(60, 60)), panel);
	panel->setCanBeHit(false); // hides its subtree too
	EXPECT_EQ(root->hitTest(vector2df(60, 60)), overlap);
	panel->setCanBeHit(true);
	panel->setVisible(false);
	EXPECT_EQ(root->hitTest(vector2df(60, 60)), overlap);
	EXPECT_EQ(root->hitTest(vector2df(300, 300)), nullptr);
	EXPECT_EQ(panel->hitTest(vector2df(60, 60)), nullptr);
	EXPECT_EQ(button->hitTest(vector2df(60, 60)), button);
}

TEST(BaseNodeHitTest, EdgesAndJustInsideFollowMovedParents)
{
	NodeTreeBuilder b;
	RecordingNode* root = b.root("root");
	RecordingNode* holder = b.child(root, "holder");
	HitNode* target = hitChild(holder, "target", {10, 10, 0}, {30, 20, 0});
	holder->setPosition(vector3df(100, 0, 0)); // moved after the child joined
	struct Case
	{
		vector2df point;
		bool hit;
	};
	const std::vector<Case> cases = {
	    {{110, 10}, false}, {{110.01f, 10.01f}, true}, {{140, 20}, false}, {{139.99f, 29.99f}, true},
	    {{125, 30}, false}, {{125, 29.9f}, true},      {{20, 20}, false},
	};
	for (const auto& c : cases)
		EXPECT_EQ(root->hitTest(c.point) == target, c.hit) << c.point.X << "," << c.point.Y;
	EXPECT_EQ(target->hitTest(vector2df(125, 15)), target);

	holder->setPosition(vector3df(0, 0, 0));
	EXPECT_EQ(target->hitTest(vector2df(20, 20)), target); // refreshed through the dirty ancestor
	holder->setPosition(vector3df(0, 100, 0));
	EXPECT_EQ(root->hitTest(vector2df(20, 120)), target);
}
