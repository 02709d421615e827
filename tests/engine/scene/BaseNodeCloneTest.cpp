#include "SceneTestNodes.h"
#include "scene/AnimatorSet.h"

#include <gtest/gtest.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
// A derived class with a field of its own, copied after its parent's fields.
class LabelNode : public BaseNode
{
	ENGINE_NODE_TYPE(LabelNode, 1001, BaseNode)
	ENGINE_NODE_CLONE(LabelNode)
public:
	LabelNode(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager)
	    : BaseNode(reference, parent, sceneManager)
	{
	}
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override
	{
		BaseNode::copyFrom(source, sceneManager);
		if (const LabelNode* label = nodeCast<LabelNode>(source))
			text = label->text;
	}
	void onLoaded() override { ++loaded; }
	std::string text;
	int loaded = 0;
};
} // namespace

TEST(BaseNodeClone, CopiesFieldsAndSubtreeIndependently)
{
	NodeEventQueue queue;
	SmartPointer<LabelNode> source(new LabelNode(ContentRef(nullptr, "scenes/menu.xml"), nullptr, &queue));
	source->setName("source");
	source->text = "hello";
	source->setPosition(vector3df(1, 2, 3));
	source->setRotation(vector3df(0, 0, 45));
	source->setScale(vector3df(2, 2, 1));
	source->setBounds(vector3df(30, 40, 0));
	source->setPivotPoint(vector2df(5, 6));
	source->setTintColor(irr::video::SColor(0x80112233));
	source->setVisible(false);
	source->setCanBeHit(false);
	source->setChildrenClipped(true);
	auto* child = new LabelNode(ContentRef(), source.get(), nullptr);
	child->setName("child");
	child->text = "inner";
	child->drop();
	SmartPointer<BaseNode> userObject(new BaseNode);
	source->setUserObject(userObject.get());

	SmartPointer<BaseNode> copy(source->clone());
	LabelNode* label = nodeCast<LabelNode>(copy.get());
	ASSERT_NE(label, nullptr);
	EXPECT_EQ(copy->getReferenceCount(), 1);
	EXPECT_EQ(copy->getSceneManager(), &queue);
	EXPECT_EQ(copy->getContentRef(), source->getContentRef());
	EXPECT_EQ(label->text, "hello");
	EXPECT_EQ(label->loaded, 1);
	EXPECT_EQ(copy->getName(), source->getName());
	EXPECT_EQ(copy->getPosition(), source->getPosition());
	EXPECT_EQ(copy->getRotation(), source->getRotation());
	EXPECT_EQ(copy->getScale(), source->getScale());
	EXPECT_EQ(copy->getBounds(), source->getBounds());
	EXPECT_EQ(copy->getPivotPoint(), source->getPivotPoint());
	EXPECT_EQ(copy->getTintColor(), source->getTintColor());
	EXPECT_FALSE(copy->isVisible());
	EXPECT_FALSE(copy->canBeHit());
	EXPECT_TRUE(copy->isChildrenClipped());
	EXPECT_TRUE(copy->isTransformDirty());
	EXPECT_EQ(copy->getUserObject(), nullptr);

	ASSERT_EQ(copy->getChildren().size(), 1u);
	LabelNode* childCopy = nodeCast<LabelNode>(copy->getChildren()[0]);
	ASSERT_NE(childCopy, nullptr);
	EXPECT_NE(childCopy, child);
	EXPECT_EQ(childCopy->text, "inner");
	EXPECT_EQ(childCopy->getParent(), copy.get());
	EXPECT_EQ(childCopy->getReferenceCount(), 1);

	// Changes to either tree leave the other alone.
	childCopy->setPosition(vector3df(9, 9, 9));
	childCopy->text = "changed";
	copy->removeAllChildren();
	EXPECT_EQ(child->getPosition(), vector3df(0, 0, 0));
	EXPECT_EQ(child->text, "inner");
	ASSERT_EQ(source->getChildren().size(), 1u);
	source->setPosition(vector3df(7, 7, 7));
	EXPECT_EQ(copy->getPosition(), vector3df(1, 2, 3));
}

TEST(BaseNodeClone, CloneIntoParentLeavesTheParentTheOnlyOwner)
{
	NodeTreeBuilder b;
	RecordingNode* source = b.root("source");
	b.child(source, "a");
	b.child(b.child(source, "b"), "b1");
	RecordingNode* target = b.root("target");

	BaseNode* copy = source->clone(target, nullptr);
	EXPECT_EQ(copy->getParent(), target);
	EXPECT_EQ(copy->getReferenceCount(), 1);
	EXPECT_NE(copy->findChild(internStringId("b1")), nullptr);
	EXPECT_EQ(copy->getChildren().size(), 2u);
	EXPECT_TRUE(copy->typeName() == L"RecordingNode");
}

TEST(BaseNodeClone, CloneContentsIntoItselfCopiesOnlyTheOriginalChildren)
{
	NodeTreeBuilder b;
	RecordingNode* node = b.root("node");
	b.child(node, "a");
	b.child(node, "b");
	node->cloneContentsInto(node);
	EXPECT_EQ(node->getChildren().size(), 4u);
}

TEST(BaseNodeClone, CloneContentReturnsATreeCopy)
{
	NodeTreeBuilder b;
	RecordingNode* node = b.root("node");
	b.child(node, "a");
	SmartPointer<ContentObject> copy(node->cloneContent());
	auto* copied = static_cast<BaseNode*>(copy.get());
	EXPECT_EQ(copied->getChildren().size(), 1u);
	EXPECT_EQ(copied->getParent(), nullptr);
}

TEST(BaseNodeClone, StatesAreClonedForTheCopyAndOwnedByIt)
{
	SmartPointer<BaseNode> source(new BaseNode);
	const StringId normal = internStringId("Normal");
	SmartPointer<AnimatorSet> set(new AnimatorSet(normal));
	EXPECT_TRUE(source->addState(set.get()));
	SmartPointer<AnimatorSet> duplicate(new AnimatorSet(normal));
	EXPECT_FALSE(source->addState(duplicate.get()));
	EXPECT_EQ(duplicate->getReferenceCount(), 1);
	EXPECT_EQ(set->getOwner(), source.get());
	source->setDefaultState(normal);

	SmartPointer<BaseNode> copy(source->clone());
	AnimatorSet* copied = copy->findState(normal);
	ASSERT_NE(copied, nullptr);
	EXPECT_NE(copied, set.get());
	EXPECT_EQ(copied->getOwner(), copy.get());
	EXPECT_EQ(copy->getDefaultState(), normal);

	source->clearStates();
	EXPECT_EQ(source->findState(normal), nullptr);
	EXPECT_TRUE(source->getDefaultState().isEmpty());
	EXPECT_EQ(set->getReferenceCount(), 1);
	EXPECT_EQ(set->getOwner(), nullptr);
	EXPECT_EQ(copy->findState(normal), copied);
}
