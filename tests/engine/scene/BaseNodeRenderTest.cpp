#include "SceneTestNodes.h"

#include <gtest/gtest.h>

using irr::core::vector3df;

namespace
{
// A drawable leaf: adds its own entry with a key, then its children's; records the clip it is drawn with.
class DrawableNode : public BaseNode
{
public:
	using BaseNode::BaseNode;
	void addToRenderList(RenderList& list) override
	{
		if (!isVisible())
			return;
		if (isTransformDirty())
			updateAbsoluteTransform();
		list.push_back(RenderEntry{this, getAbsoluteTransformation()[14], 7});
		for (irr::u32 i = 0; i < getChildren().size(); ++i)
			getChildren()[i]->addToRenderList(list);
	}
	void draw(irr::video::IVideoDriver*, const irr::core::rect<irr::s32>* clip) override
	{
		drawnWith = clip ? *clip : irr::core::rect<irr::s32>(-1, -1, -1, -1);
		++draws;
	}
	irr::core::rect<irr::s32> drawnWith;
	int draws = 0;
};

template <class T> T* make(BaseNode* parent, vector3df position = vector3df(0, 0, 0))
{
	auto* node = new T(ContentRef(), parent, nullptr);
	node->setPosition(position);
	if (parent)
		node->drop();
	return node;
}

int flushes = 0;
void countFlush(irr::video::IVideoDriver*)
{
	++flushes;
}
} // namespace

TEST(BaseNodeRender, EntriesCarryDepthSumsAndSkipHiddenSubtrees)
{
	SmartPointer<BaseNode> root(make<BaseNode>(nullptr, vector3df(0, 0, 1)));
	BaseNode* group = make<BaseNode>(root.get(), vector3df(5, 5, 2));
	DrawableNode* first = make<DrawableNode>(group, vector3df(0, 0, 3));
	DrawableNode* second = make<DrawableNode>(root.get(), vector3df(0, 0, 0.5f));
	DrawableNode* hiddenChild = make<DrawableNode>(second);

	RenderList list;
	root->addToRenderList(list);
	ASSERT_EQ(list.size(), 3u);
	EXPECT_EQ(list[0].node, first);
	EXPECT_FLOAT_EQ(list[0].depth, 6.0f);
	EXPECT_EQ(list[0].key, 7u);
	EXPECT_EQ(list[1].node, second);
	EXPECT_FLOAT_EQ(list[1].depth, 1.5f);
	EXPECT_EQ(list[2].node, hiddenChild);

	second->setVisible(false);
	list.clear();
	root->addToRenderList(list);
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(list[0].node, first);
}

TEST(BaseNodeRender, ClippingNodeAddsOneEntryOnlyWithChildren)
{
	SmartPointer<BaseNode> root(make<BaseNode>(nullptr));
	BaseNode* clipper = make<BaseNode>(root.get(), vector3df(10, 20, 4));
	clipper->setChildrenClipped(true);
	RenderList list;
	root->addToRenderList(list);
	EXPECT_TRUE(list.empty());

	make<DrawableNode>(clipper);
	make<DrawableNode>(clipper);
	root->addToRenderList(list);
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(list[0].node, clipper);
	EXPECT_FLOAT_EQ(list[0].depth, 4.0f);
	EXPECT_EQ(list[0].key, 0u);
}

TEST(BaseNodeRender, ClippedDrawUsesTheNodesOwnRectangleOnly)
{
	SmartPointer<BaseNode> root(make<BaseNode>(nullptr));
	BaseNode* outer = make<BaseNode>(root.get(), vector3df(10, 20, 0));
	outer->setBounds(vector3df(50, 40, 0));
	outer->setChildrenClipped(true);
	BaseNode* inner = make<BaseNode>(outer, vector3df(30, 30, 0));
	inner->setBounds(vector3df(100, 100, 0));
	inner->setChildrenClipped(true);
	DrawableNode* leaf = make<DrawableNode>(inner);
	DrawableNode* sibling = make<DrawableNode>(outer);

	RenderList list;
	root->addToRenderList(list);
	ASSERT_EQ(list.size(), 1u);

	flushes = 0;
	BaseNode::setBatcherFlushFunction(&countFlush);
	list[0].node->draw(nullptr, nullptr);
	BaseNode::setBatcherFlushFunction(nullptr);

	EXPECT_EQ(sibling->drawnWith, irr::core::rect<irr::s32>(10, 20, 60, 60));
	// Not the intersection with the outer rectangle.
	EXPECT_EQ(leaf->drawnWith, irr::core::rect<irr::s32>(40, 50, 140, 150));
	EXPECT_EQ(leaf->draws, 1);
	EXPECT_EQ(flushes, 4);
}

TEST(BaseNodeRender, CollectClippedChildrenWithoutADriver)
{
	SmartPointer<BaseNode> clipper(make<BaseNode>(nullptr, vector3df(5, 5, 0)));
	RenderList list;
	irr::core::rect<irr::s32> clip;
	EXPECT_FALSE(clipper->collectClippedChildren(list, clip));
	clipper->setChildrenClipped(true);
	EXPECT_FALSE(clipper->collectClippedChildren(list, clip));
	DrawableNode* child = make<DrawableNode>(clipper.get());
	clipper->refreshAbsolute();
	EXPECT_TRUE(clipper->collectClippedChildren(list, clip));
	ASSERT_EQ(list.size(), 1u);
	EXPECT_EQ(list[0].node, child);
	EXPECT_EQ(clip, irr::core::rect<irr::s32>(5, 5, 105, 105));
}
