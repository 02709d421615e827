#include "GameTestSupport.h"
#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CProfileManager.h"
#include "core/StringId.h"
#include "nodes/SpriteNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{
// The application on the null driver, started in the build tree where the generated pictures are.
class BuiltAssetsApplication : public GGameApplication
{
protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.driverType = 0;
	}
};

class LogosSceneFile : public testing::Test
{
protected:
	void SetUp() override
	{
		const std::string root = binaryDir() + "/bin";
		if (!hasFile(root, "assets/logos/PellwickLogo.png"))
			GTEST_SKIP() << "the content set has not been built";
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new BuiltAssetsApplication();
	}

	void TearDown() override
	{
		if (application)
		{
			application->shutdown();
			application->drop();
		}
		inBuildTree.reset();
	}

	static bool hasFile(const std::string& root, const char* name)
	{
		return access((root + "/" + name).c_str(), R_OK) == 0;
	}

	GameDataFolders folders;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	BuiltAssetsApplication* application = nullptr;
};
} // namespace

TEST_F(LogosSceneFile, LogoPicturesAreSpritesShowingTheLogos)
{
	LogCapture log;
	ASSERT_TRUE(application->init()) << log.dump();
	SceneNode* scene = application->uiSceneManager->getTopScene();
	ASSERT_NE(scene, nullptr);
	BaseNode* pictures = scene->findChild(internStringId("Scene"), 0);
	ASSERT_NE(pictures, nullptr);

	struct Expected
	{
		const char* node;
		const char* picture;
		unsigned alpha;
	};
	// The front picture shows from the start; the back one waits to be faded in.
	for (const Expected& e :
	     {Expected{"Logo2", "logos/PellwickLogo.png", 255}, Expected{"Logo1", "logos/VerandelLogo.png", 0}})
	{
		SpriteNode* sprite = nodeCast<SpriteNode>(pictures->findChild(internStringId(e.node), 0));
		ASSERT_NE(sprite, nullptr) << e.node;
		AtlasTexture* frame = sprite->getAtlasTexture();
		ASSERT_NE(frame, nullptr) << e.node;
		EXPECT_EQ(frame->getContentRef().getName(), irr::core::stringc(e.picture)) << e.node;
		// The whole picture is the frame.
		EXPECT_EQ(frame->getUncutSize(), irr::core::dimension2df(512.0f, 304.0f)) << e.node;
		EXPECT_EQ(sprite->getTintColor().getAlpha(), e.alpha) << e.node;
		// The cross-fade states stay with the pictures.
		EXPECT_NE(sprite->findState(internStringId("Swap")), nullptr) << e.node;
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}
