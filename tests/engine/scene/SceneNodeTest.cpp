#include "SceneStackSupport.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/IFileSystem.h"
#include "scene/NodeFactory.h"
#include "support/TempDir.h"

namespace
{
// A scene stack whose first scene can open scene files through a content manager.
class SceneNodeOpenTest : public SceneStackTest
{
protected:
	void SetUp() override
	{
		SceneStackTest::SetUp();
		registerSceneClasses();
		fileSystem = createFileSystem();
		processors = new CContentProcessorsManager(nullptr, nullptr, fileSystem.get(), NodeFactory::instance());
		content = new CContentManager(nullptr, fileSystem.get(), processors.get());
		first = new SceneNode(ContentRef(content.get(), "first.qscn"));
		manager->showScene(first.get());
	}
	void TearDown() override
	{
		first = nullptr;
		SceneStackTest::TearDown();
		content = nullptr;
		processors = nullptr;
		fileSystem = nullptr;
	}

	TempDir dir;
	SmartPointer<IFileSystem> fileSystem;
	SmartPointer<CContentProcessorsManager> processors;
	SmartPointer<CContentManager> content;
	SmartPointer<SceneNode> first;
};
} // namespace

TEST_F(SceneNodeOpenTest, OpenScenePushesALoadedSceneAndRefusesEverythingElse)
{
	const std::string scene = dir.write("next.qscn", "<SceneNode Type=\"SceneNode\"><Properties>"
	                                                 "<string Name=\"Name\" Value=\"Next\"/></Properties></SceneNode>");
	const std::string plain = dir.write("plain.qscn", "<SceneNode Type=\"BaseNode\"/>");
	EXPECT_EQ(first->openScene(""), nullptr);
	EXPECT_EQ(first->openScene(dir.file("missing.qscn").c_str()), nullptr);
	EXPECT_EQ(first->openScene(plain.c_str()), nullptr) << "the root is no scene";
	SmartPointer<SceneNode> orphan(new SceneNode());
	EXPECT_EQ(orphan->openScene(scene.c_str()), nullptr) << "no content manager";
	EXPECT_EQ(manager->getChildren().size(), 1u);

	SceneNode* next = first->openScene(scene.c_str());
	ASSERT_NE(next, nullptr);
	EXPECT_EQ(manager->getTopScene(), next);
	EXPECT_EQ(next->getSceneBelow(), first.get());
	EXPECT_EQ(next->getParent(), manager.get());
	manager->drainEvents();
	EXPECT_EQ(next->getReferenceCount(), 1) << "the manager's tree holds the only reference";
	EXPECT_NE(next->getTaskScheduler(), nullptr);
}

TEST(SceneNodeTest, ClonesAndFactoryNodesStartWithoutLinks)
{
	SmartPointer<SceneNode> below(new SceneNode());
	SmartPointer<SceneNode> scene(new SceneNode());
	scene->setSceneBelow(below.get());
	EXPECT_EQ(below->getReferenceCount(), 2);
	SmartPointer<BaseNode> copy(scene->clone());
	auto* clone = nodeCast<SceneNode>(copy.get());
	ASSERT_NE(clone, nullptr);
	EXPECT_EQ(clone->getSceneBelow(), nullptr);
	EXPECT_EQ(clone->getTaskScheduler(), nullptr);
	scene->setSceneBelow(nullptr);
	EXPECT_EQ(below->getReferenceCount(), 1);

	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"SceneNode", ContentRef()));
	ASSERT_NE(made.get(), nullptr);
	EXPECT_EQ(made->typeId(), NodeTypeSceneNode);
	EXPECT_TRUE(made->isKindOf(NodeTypeControlNode));
	EXPECT_EQ(NodeFactory::instance()->createNode(L"SceneManager", ContentRef()), nullptr);
	EXPECT_EQ(getStringById(SceneNode::nameIdNavBackFrom()), "NavBackFrom");
}

TEST(SceneNodeTest, NavigationWithoutManagerIsRefused)
{
	SmartPointer<SceneNode> scene(new SceneNode());
	SmartPointer<SceneNode> other(new SceneNode());
	EXPECT_FALSE(scene->pushScene(other.get()));
	EXPECT_FALSE(scene->closeTo(0));
	EXPECT_FALSE(scene->closeToSceneOfType(NodeTypeSceneNode));
	EXPECT_EQ(scene->showMessageBox(internStringId("Ask"), {}, L"", L""), nullptr);
}
