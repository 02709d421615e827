#include "SceneTestNodes.h"
#include "core/CPropertyCollection.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
std::vector<std::string> childNames(const BaseNode* node)
{
	std::vector<std::string> names;
	for (irr::u32 i = 0; i < node->getChildren().size(); ++i)
		names.push_back(getStringById(node->getChildren()[i]->getName()).c_str());
	return names;
}

// Stands in for a scene manager: a queue that is never drained here.
struct FakeManager : NodeEventQueue
{
};

SceneNode* fakeScene()
{
	return reinterpret_cast<SceneNode*>(uintptr_t(0x1000));
}
} // namespace

TEST(BaseNodeTree, NewNodeDefaults)
{
	SmartPointer<BaseNode> node(new BaseNode);
	EXPECT_EQ(node->getName().id, -1);
	EXPECT_EQ(node->getScale(), irr::core::vector3df(1, 1, 1));
	EXPECT_EQ(node->getBounds(), irr::core::vector3df(100, 100, 0));
	EXPECT_EQ(node->getTintColor().color, 0xFFFFFFFFu);
	EXPECT_TRUE(node->isVisible());
	EXPECT_TRUE(node->canBeHit());
	EXPECT_FALSE(node->isChildrenClipped());
	EXPECT_TRUE(node->isTransformDirty());
	EXPECT_TRUE(node->isColorDirty());
	EXPECT_EQ(node->mask, 0x1023u);
	EXPECT_EQ(node->getReferenceCount(), 1);
	EXPECT_EQ(node->getContentType(), 0x646F6E73u);
	EXPECT_TRUE(node->typeName() == L"BaseNode");
	EXPECT_EQ(node->typeId(), 0);
	CPropertyCollection written;
	node->writeProperties(written);
	EXPECT_EQ(written.getCount(), 0);
}

TEST(BaseNodeTree, AddInsertAndRemove)
{
	NodeTreeBuilder b;
	RecordingNode* root = b.root("root");
	RecordingNode* x = b.child(root, "x");
	RecordingNode* y = b.child(root, "y");
	RecordingNode* z = b.child(root, "z");
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"x", "y", "z"}));

	root->addChild(x); // moves to the end
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"y", "z", "x"}));
	EXPECT_EQ(x->getReferenceCount(), 1);
	root->addChild(root);
	EXPECT_EQ(root->getChildren().size(), 3u);

	root->insertChildAfter(x, y);
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"y", "x", "z"}));
	root->insertChildAfter(y, nullptr);
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"y", "x", "z"}));
	root->insertChildAfter(z, nullptr);
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"z", "y", "x"}));
	NodeTreeBuilder other;
	RecordingNode* stranger = other.root("stranger");
	root->insertChildAfter(z, stranger); // sibling not a child: appended
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"y", "x", "z"}));

	EXPECT_FALSE(root->removeChild(stranger));
	x->grab();
	EXPECT_TRUE(root->removeChild(x));
	EXPECT_EQ(x->getParent(), nullptr);
	EXPECT_EQ(x->getReferenceCount(), 1);
	x->drop();
	EXPECT_EQ(childNames(root), (std::vector<std::string>{"y", "z"}));
}

TEST(BaseNodeTree, MovingBetweenParentsAndNoCycles)
{
	NodeTreeBuilder b;
	RecordingNode* p = b.root("p");
	RecordingNode* q = b.root("q");
	RecordingNode* child = b.child(p, "child");
	RecordingNode* grandchild = b.child(child, "grandchild");
	q->addChild(child);
	EXPECT_TRUE(p->getChildren().empty());
	EXPECT_EQ(child->getParent(), q);
	EXPECT_EQ(child->getReferenceCount(), 1);

	// An ancestor cannot become a child of its descendant.
	grandchild->addChild(q);
	grandchild->insertChildAfter(child, nullptr);
	EXPECT_TRUE(grandchild->getChildren().empty());
	EXPECT_EQ(child->getParent(), q);

	child->setParent(p);
	EXPECT_EQ(childNames(p), (std::vector<std::string>{"child"}));
	EXPECT_TRUE(q->getChildren().empty());
	EXPECT_TRUE(p->isAncestorOf(grandchild));
	EXPECT_FALSE(grandchild->isAncestorOf(p));
	EXPECT_FALSE(p->isAncestorOf(p));
	EXPECT_FALSE(p->isAncestorOf(nullptr));
}

// setParent refuses what addChild refuses: the node stays where it was and the tree has no loop.
TEST(BaseNodeTree, SetParentUnderItselfOrADescendantIsRefused)
{
	for (const char* target : {"node", "child", "grandchild"})
	{
		NodeTreeBuilder b;
		RecordingNode* root = b.root("root");
		RecordingNode* node = b.child(root, "node");
		RecordingNode* child = b.child(node, "child");
		RecordingNode* grandchild = b.child(child, "grandchild");
		const std::map<std::string, BaseNode*> nodes = {{"node", node}, {"child", child}, {"grandchild", grandchild}};
		BaseNode* newParent = nodes.at(target);

		node->setParent(newParent);
		ASSERT_EQ(node->getParent(), root) << target;
		EXPECT_EQ(childNames(root), (std::vector<std::string>{"node"})) << target;
		EXPECT_EQ(childNames(newParent).size(), newParent == grandchild ? 0u : 1u) << target;
		EXPECT_EQ(node->getReferenceCount(), 1) << target;
		EXPECT_TRUE(root->isAncestorOf(grandchild)) << target;
		EXPECT_FALSE(grandchild->isAncestorOf(root)) << target;
		// Walks over the tree end.
		EXPECT_EQ(root->hitTest(irr::core::vector2df(5, 5)), nullptr) << target;
	}
}

TEST(BaseNodeTree, FindChildByDepth)
{
	NodeTreeBuilder b;
	RecordingNode* root = b.root("root");
	RecordingNode* a = b.child(root, "a");
	RecordingNode* deep = b.child(b.child(a, "mid"), "target");
	RecordingNode* direct = b.child(root, "target");
	RecordingNode* only = b.child(b.child(b.child(root, "m1"), "m2"), "onlyDeep");

	const StringId target = internStringId("target");
	const StringId onlyDeep = internStringId("onlyDeep");
	EXPECT_EQ(root->findChild(target, 1), direct); // a direct child wins over an earlier deeper one
	EXPECT_EQ(root->findChild(target, -1), direct);
	EXPECT_EQ(a->findChild(target, 1), nullptr);
	EXPECT_EQ(a->findChild(target, 2), deep);
	EXPECT_EQ(a->findChild(target, 0), deep);
	EXPECT_EQ(root->findChild(onlyDeep, 2), nullptr);
	EXPECT_EQ(root->findChild(onlyDeep, 3), only);
	EXPECT_EQ(root->findChild(onlyDeep, -1), only);
	EXPECT_EQ(root->findChild(onlyDeep, -5), nullptr);
}

TEST(BaseNodeTree, SceneLinksFollowAttachmentAndRemoval)
{
	FakeManager manager;
	NodeTreeBuilder b;
	RecordingNode* root = b.root("root", &manager);
	root->attachToSceneManager(&manager, fakeScene());
	RecordingNode* child = b.child(root, "child");
	RecordingNode* grandchild = b.child(child, "grandchild");
	EXPECT_EQ(grandchild->getSceneManager(), &manager);
	EXPECT_EQ(grandchild->getScene(), fakeScene());

	child->grab();
	root->removeChild(child);
	EXPECT_EQ(child->getSceneManager(), nullptr);
	EXPECT_EQ(grandchild->getSceneManager(), nullptr);
	EXPECT_EQ(grandchild->getScene(), nullptr);
	root->addChild(child);
	child->drop();
	EXPECT_EQ(grandchild->getScene(), fakeScene());
}

TEST(BaseNodeTree, RemoveAllChildrenClearsLinksInWholeSubtrees)
{
	FakeManager manager;
	NodeTreeBuilder b;
	RecordingNode* root = b.root("root", &manager);
	root->attachToSceneManager(&manager, fakeScene());
	RecordingNode* child = b.child(root, "child");
	RecordingNode* grandchild = b.child(child, "grandchild");
	SmartPointer<BaseNode> keep = shareRef<BaseNode>(child);
	root->removeAllChildren();
	EXPECT_TRUE(root->getChildren().empty());
	EXPECT_EQ(child->getParent(), nullptr);
	EXPECT_EQ(child->getReferenceCount(), 1);
	for (BaseNode* n : {static_cast<BaseNode*>(child), static_cast<BaseNode*>(grandchild)})
	{
		EXPECT_EQ(n->getSceneManager(), nullptr);
		EXPECT_EQ(n->getScene(), nullptr);
	}
	// A node posting after its removal reaches no queue.
	SmartPointer<CEvent> event(new CEventNodeValueChanged(nullptr));
	grandchild->postEvent(grandchild, 0, event.get());
	EXPECT_EQ(manager.getCount(), 0);
}

TEST(BaseNodeTree, UserObjectIsReferenced)
{
	SmartPointer<BaseNode> node(new BaseNode);
	SmartPointer<BaseNode> object(new BaseNode);
	node->setUserObject(object.get());
	node->setUserObject(object.get());
	EXPECT_EQ(object->getReferenceCount(), 2);
	node->setUserObject(nullptr);
	EXPECT_EQ(object->getReferenceCount(), 1);
}
