#include "QuadTestNode.h"
#include "SceneStackSupport.h"
#include "nodes/TextNode.h"
#include "scene/TemplateCollectionNode.h"

#include <irrlicht/irrlicht.h>

namespace
{
// A scene manager drawing into the library's null driver (no window); draws are only recorded.
class SceneDrawOrderTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		nullDevice = irr::createDevice(irr::video::EDT_NULL);
		ASSERT_NE(nullDevice, nullptr);
		manager = new SceneManager();
		scene = new RecordingScene();
		manager->showScene(scene.get());
	}
	void TearDown() override
	{
		scene = nullptr;
		manager = nullptr;
		if (nullDevice)
		{
			CQuadBatcher::releaseForDriver(nullDevice->getVideoDriver());
			nullDevice->drop();
		}
	}

	QuadTestNode* quad(BaseNode* parent, const char* name, float z, irr::u32 key)
	{
		SmartPointer<QuadTestNode> node(new QuadTestNode());
		node->setName(name);
		node->setPosition({0.0f, 0.0f, z});
		node->key = key;
		node->drawn = &drawn;
		parent->addChild(node.get());
		return node.get();
	}

	std::vector<std::string> drawOnce()
	{
		drawn.clear();
		manager->draw(nullDevice->getVideoDriver());
		return drawn;
	}

	irr::IrrlichtDevice* nullDevice = nullptr;
	SmartPointer<SceneManager> manager;
	SmartPointer<RecordingScene> scene;
	std::vector<std::string> drawn;
};

using Names = std::vector<std::string>;
} // namespace

TEST_F(SceneDrawOrderTest, EntriesAreDrawnByDepthThenKeyWhenSorting)
{
	quad(scene.get(), "n1", 5.0f, 2);
	quad(scene.get(), "n2", 1.0f, 9);
	quad(scene.get(), "n3", 5.0f, 1);
	quad(scene.get(), "n4", 1.0f, 3);
	EXPECT_EQ(drawOnce(), (Names{"n1", "n2", "n3", "n4"})) << "unsorted: the order entries were added";
	manager->sortingEnabled = true;
	EXPECT_EQ(drawOnce(), (Names{"n4", "n2", "n3", "n1"}));
	EXPECT_TRUE(manager->getRenderList().empty());
	scene->setVisible(false);
	EXPECT_TRUE(drawOnce().empty());
}

// Entries of one depth and key keep the tree's order in every frame (a text's key puts it last at its
// depth, so it lies over the pictures drawn with it).
TEST_F(SceneDrawOrderTest, EqualEntriesKeepTheTreeOrderAndTextComesLast)
{
	manager->sortingEnabled = true;
	Names expected;
	quad(scene.get(), "caption", 2.0f, TextNode::RenderKey);
	for (int i = 0; i < 40; ++i)
	{
		const std::string name = "q" + std::to_string(i);
		quad(scene.get(), name.c_str(), 2.0f, 7);
		expected.push_back(name);
	}
	expected.push_back("caption");
	for (int frame = 0; frame < 3; ++frame)
		EXPECT_EQ(drawOnce(), expected) << frame;
}

TEST_F(SceneDrawOrderTest, NestedManagerDrawsItsScenesAtItsOwnDepthAndTakesNoAttachOrTemplateEvents)
{
	manager->sortingEnabled = true;
	SmartPointer<RecordingScene> outer(new RecordingScene());
	quad(outer.get(), "ui", 1.0f, 0);
	SmartPointer<SceneManager> level(new SceneManager());
	level->setPosition({0.0f, 0.0f, -4000.0f});
	outer->addChild(level.get());
	SmartPointer<RecordingScene> levelScene(new RecordingScene());
	level->showScene(levelScene.get());
	quad(levelScene.get(), "level", 10.0f, 0);
	const int attached = levelScene->count(CEventNodeSceneAttached::TypeId);

	manager->showScene(outer.get());
	manager->drainEvents();
	EXPECT_EQ(level->getSceneManager(), static_cast<INodeEventQueue*>(manager.get()));
	EXPECT_EQ(outer->count(CEventNodeSceneAttached::TypeId), 1);
	EXPECT_EQ(levelScene->count(CEventNodeSceneAttached::TypeId), attached);
	EXPECT_EQ(drawOnce(), (Names{"level", "ui"}));

	SmartPointer<TemplateCollectionNode> templates(new TemplateCollectionNode());
	manager->setTemplateCollection(templates.get());
	EXPECT_EQ(outer->count(CEventNodeTemplatesChanged::TypeId), 1);
	EXPECT_EQ(levelScene->count(CEventNodeTemplatesChanged::TypeId), 0);
}

// A scene opened over another draws above all that the covered scenes hold, whatever depth its file
// gave it; an opened box likewise. Without sorting the tree order already puts it last.
TEST_F(SceneDrawOrderTest, AnOpenedSceneDrawsAboveTheScenesItCovers)
{
	struct Case
	{
		const char* name;
		bool sorting;
		bool asBox;
	};
	const Case cases[] = {{"pushed", true, false}, {"message box", true, true}, {"unsorted", false, false}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		manager->sortingEnabled = c.sorting;
		SmartPointer<RecordingScene> menu(new RecordingScene());
		menu->setPosition({0.0f, 0.0f, 250.0f});
		quad(menu.get(), "menu", 0.0f, 0);
		BaseNode* panel = quad(menu.get(), "panel", 2.0f, 0);
		quad(panel, "hint", 1999.0f, 0)->setVisible(false); // hidden now, may show later
		ASSERT_TRUE(manager->pushScene(scene.get(), menu.get()));
		SmartPointer<RecordingScene> options(new RecordingScene());
		options->setPosition({0.0f, 0.0f, 200.0f});
		quad(options.get(), "options", 0.0f, 0);
		quad(options.get(), "button", 3.0f, 0);
		const float fileDepth = options->getPosition().Z;
		ASSERT_TRUE(c.asBox ? manager->openMessageBox(menu.get(), options.get())
		                    : manager->pushScene(menu.get(), options.get(), StringId(), StringId(), true));
		EXPECT_EQ(drawOnce(), (Names{"menu", "panel", "options", "button"}));
		if (c.sorting)
			EXPECT_GT(options->getPosition().Z, 250.0f + 2.0f + 1999.0f);
		else
			EXPECT_EQ(options->getPosition().Z, fileDepth);
		manager->showScene(scene.get());
		manager->drainEvents();
	}
}
