#include "frontend/GDebugStatsScene.h"

#include "FrontendTestSupport.h"
#include "content/CFont.h"
#include "nodes/TextNode.h"
#include "scene/NodeFactory.h"

using namespace frontendtest;

TEST(GDebugStatsText, ThreeLinesOfFramesStepAndHalfThePrimitives)
{
	struct Case
	{
		int fps;
		unsigned ms;
		unsigned primitives;
		const wchar_t* text;
	};
	const Case cases[] = {
	    {60, 10, 300, L"fps: 60\nms:10\n150"},
	    {0, 0, 1, L"fps: 0\nms:0\n0"},
	    {-1, 200, 4000001, L"fps: -1\nms:200\n2000000"},
	};
	for (const Case& c : cases)
		EXPECT_EQ(GDebugStatsScene::formatStats(c.fps, c.ms, c.primitives), irr::core::stringw(c.text)) << c.fps;
}

namespace
{
using DebugStats = FrontendStage;
}

TEST_F(DebugStats, ShowsZeroUntilItsFirstUpdateThenTheFigures)
{
	SmartPointer<BaseNode> made(NodeFactory::instance()->createNode(L"GDebugStatsScene", ContentRef()));
	auto* overlay = nodeCast<GDebugStatsScene>(made.get());
	ASSERT_NE(overlay, nullptr);
	ASSERT_TRUE(covered->pushScene(overlay, true));
	TextNode* text = overlay->getStatsText();
	ASSERT_NE(text, nullptr);
	EXPECT_EQ(text->getText(), irr::core::stringw(L"0"));
	EXPECT_EQ(text->getParent(), overlay);
	EXPECT_EQ(text->getPosition(), irr::core::vector3df(0.0f, 0.0f, 0.0f));
	ASSERT_NE(text->getFont(), nullptr);
	EXPECT_EQ(text->getFont()->getContentRef().getName(), irr::core::stringc(GDebugStatsScene::FontName));

	settle();
	const irr::core::stringw shown = text->getText();
	EXPECT_EQ(shown.subString(0, 5), irr::core::stringw(L"fps: "));
	EXPECT_NE(shown.find(L"\nms:20\n"), -1) << irr::core::stringc(shown).c_str();

	// Entered again: one text node, made anew.
	CEventNodeSceneChangeStarted entered(nullptr, overlay, 1);
	overlay->onEvent(&entered);
	EXPECT_NE(overlay->getStatsText(), text);
	unsigned texts = 0;
	for (irr::u32 i = 0; i < overlay->getChildren().size(); ++i)
		texts += nodeCast<TextNode>(overlay->getChildren()[i]) ? 1 : 0;
	EXPECT_EQ(texts, 1u);
}
