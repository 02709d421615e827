#include "scene/NodeFactory.h"

#include "SceneTestNodes.h"

#include <gtest/gtest.h>

namespace
{
class GameNodeA : public BaseNode
{
	ENGINE_NODE_TYPE(GameNodeA, 1100, BaseNode)
	ENGINE_NODE_CLONE(GameNodeA)
public:
	GameNodeA(const ContentRef& r, BaseNode* p, INodeEventQueue* m) : BaseNode(r, p, m) {}
};

class GameNodeB : public BaseNode
{
	ENGINE_NODE_TYPE(GameNodeB, 1101, BaseNode)
	ENGINE_NODE_CLONE(GameNodeB)
public:
	GameNodeB(const ContentRef& r, BaseNode* p, INodeEventQueue* m) : BaseNode(r, p, m) {}
};

Base* makeNoAction()
{
	return nullptr;
}
} // namespace

TEST(NodeFactory, CreatesRegisteredNodesAttachedNowhere)
{
	NodeFactory* factory = NodeFactory::instance();
	EXPECT_EQ(factory, NodeFactory::instance());
	SmartPointer<BaseNode> node(factory->createNode(L"BaseNode", ContentRef(nullptr, "a/b.xml")));
	ASSERT_NE(node.get(), nullptr);
	EXPECT_EQ(node->typeId(), 0);
	EXPECT_EQ(node->getReferenceCount(), 1);
	EXPECT_EQ(node->getParent(), nullptr);
	EXPECT_EQ(node->getSceneManager(), nullptr);
	EXPECT_EQ(node->getContentRef().getName(), "a/b.xml");
}

TEST(NodeFactory, UnknownAndInexactNamesCreateNothing)
{
	NodeFactory* factory = NodeFactory::instance();
	for (const wchar_t* name :
	     {L"basenode", L"BaseNode ", L"", L"MessageBoxNode", L"BaseProgressBarNode", L"SceneManager", L"KeyFrame"})
		EXPECT_EQ(factory->createNode(name, ContentRef()), nullptr);
	EXPECT_EQ(factory->createAction(L"BaseNode"), nullptr);
	EXPECT_EQ(factory->createAction(L"NoSuchAction"), nullptr);
}

TEST(NodeFactory, FirstRegistrationOfANameWins)
{
	NodeFactory* factory = NodeFactory::instance();
	factory->registerNodeCreator(L"BaseNode", &createNodeOfClass<GameNodeA>);
	SmartPointer<BaseNode> engine(factory->createNode(L"BaseNode", ContentRef()));
	EXPECT_EQ(engine->typeId(), 0);

	factory->registerNodeCreator(L"FactoryTestNode", &createNodeOfClass<GameNodeA>);
	factory->registerNodeCreator(L"FactoryTestNode", &createNodeOfClass<GameNodeB>);
	SmartPointer<BaseNode> game(factory->createNode(L"FactoryTestNode", ContentRef()));
	ASSERT_NE(game.get(), nullptr);
	EXPECT_EQ(game->typeId(), 1100);
	EXPECT_TRUE(game->typeName() == L"GameNodeA");
}

TEST(NodeFactory, ActionRegistryIsSeparate)
{
	NodeFactory* factory = NodeFactory::instance();
	factory->registerActionCreator(L"FactoryTestAction", &makeNoAction);
	EXPECT_TRUE(factory->hasActionCreator(L"FactoryTestAction"));
	EXPECT_FALSE(factory->hasNodeCreator(L"FactoryTestAction"));
	EXPECT_EQ(factory->createNode(L"FactoryTestAction", ContentRef()), nullptr);
	EXPECT_FALSE(factory->hasActionCreator(L"BaseNode"));
}
