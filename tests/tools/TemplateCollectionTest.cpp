#include "AssetsTestSupport.h"
#include "core/StringId.h"
#include "nodes/NineGridSpriteNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/TemplateCollectionNode.h"
#include "support/LogCapture.h"

#include <string>
#include <vector>

// The UI template collection the game loads: a template for every engine control, with the parts each
// control binds by name and a look for every state the control plays.
namespace
{
const char* const CollectionName = "scenes/TemplateCollection.qscn";

// A node of a template by its path of names ("Element/Text"); null when a name is missing.
BaseNode* partOf(BaseNode* root, const std::string& path)
{
	BaseNode* node = root;
	size_t start = 0;
	while (node && start <= path.size())
	{
		const size_t end = std::min(path.find('/', start), path.size());
		node = node->findChild(internStringId(path.substr(start, end - start).c_str()), 1);
		start = end + 1;
	}
	return node;
}

class TemplateCollectionTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		if (!assets.device)
			GTEST_SKIP() << "no device";
		ASSERT_TRUE(assets.folder);
		atlas = assets.load<ContentObject>(ContentTypeAtlasTextureCollection, "atlases/MainMenu.xml");
		ASSERT_TRUE(atlas);
		collection = assets.load<TemplateCollectionNode>(ContentTypeSceneNode, CollectionName);
		ASSERT_TRUE(collection) << CollectionName << " has no TemplateCollectionNode root";
	}

	BaseNode* part(const char* templateName, const std::string& path) const
	{
		BaseNode* look = collection->findTemplate(internStringId(templateName));
		return look ? partOf(look, path) : nullptr;
	}

	MountedAssets assets{0};
	SmartPointer<ContentObject> atlas;
	SmartPointer<TemplateCollectionNode> collection;
};
} // namespace

TEST_F(TemplateCollectionTest, EveryControlFindsItsPartsByName)
{
	struct Part
	{
		const char* templateName;
		const char* path;
		int kind;
	};
	const Part parts[] = {
	    {"Button", "Text", NodeTypeTextNode},
	    {"Button", "Image", NodeTypeSpriteNode},
	    {"CheckBox", "Text", NodeTypeTextNode},
	    {"CheckBox", "Mark", NodeTypeSpriteNode},
	    {"Slider", "SlidingArea", NodeTypeBaseNode},
	    {"Slider", "Knob", NodeTypeBaseNode},
	    {"ScrollBar", "SlidingArea", NodeTypeBaseNode},
	    {"ScrollBar", "Knob", NodeTypeBaseNode},
	    {"ProgressBar", "SlidingArea", NodeTypeBaseNode},
	    {"ProgressBar", "Knob", NodeTypeBaseNode},
	    {"EditField", "Text", NodeTypeTextNode},
	    {"EditField", "Text/Cursor", NodeTypeBaseNode},
	    {"List", "Element", NodeTypeControlNode},
	    {"List", "Element/Text", NodeTypeTextNode},
	    {"List", "Slider", NodeTypeSliderNode},
	    {"MessageBox2Buttons", "TitleText", NodeTypeTextNode},
	    {"MessageBox2Buttons", "BodyText", NodeTypeTextNode},
	    {"MessageBox2Buttons", "Button", NodeTypeButtonNode},
	};
	for (const Part& expected : parts)
	{
		BaseNode* node = part(expected.templateName, expected.path);
		ASSERT_TRUE(node) << expected.templateName << ": " << expected.path;
		EXPECT_TRUE(node->isKindOf(expected.kind)) << expected.templateName << ": " << expected.path;
	}
	// The box binds every direct "Button" child, in order: two of them.
	int buttons = 0;
	const irr::core::array<BaseNode*>& children =
	    collection->findTemplate(internStringId("MessageBox2Buttons"))->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
		buttons +=
		    children[i]->getName() == internStringId("Button") && children[i]->isKindOf(NodeTypeButtonNode) ? 1 : 0;
	EXPECT_EQ(buttons, 2);
}

TEST_F(TemplateCollectionTest, LookPartsAnswerEveryVisualStateWithoutFallback)
{
	const char* const controlStates[] = {"Normal",     "Focus",          "KillFocus",     "Press",
	                                     "Pressed",    "KillPressed",    "NormalHover",   "NormalKillHover",
	                                     "FocusHover", "FocusKillHover", "NormalDisable", "FocusDisable"};
	const char* const checkStates[] = {"Normal",        "NormalHover",        "Focus",
	                                   "NormalDisable", "NormalCheck",        "NormalCheckHover",
	                                   "FocusCheck",    "NormalCheckDisable", "Press"};
	struct Look
	{
		const char* templateName;
		const char* path;
		std::vector<const char*> states;
	};
	const std::vector<Look> looks = {
	    {"Button", "Background", {std::begin(controlStates), std::end(controlStates)}},
	    {"Slider", "Knob", {std::begin(controlStates), std::end(controlStates)}},
	    {"EditField", "Frame", {std::begin(controlStates), std::end(controlStates)}},
	    {"List", "Element/Background", {std::begin(controlStates), std::end(controlStates)}},
	    {"CheckBox", "Box", {std::begin(checkStates), std::end(checkStates)}},
	    {"CheckBox", "Mark", {"Normal", "NormalHover", "NormalCheck", "NormalCheckDisable", "Press"}},
	    {"MessageBox2Buttons", "Panel", {"NavTo", "NavBackFrom"}},
	    {"MessageBox2Buttons", "TitleText", {"NavTo", "NavBackFrom"}},
	    {"MessageBox2Buttons", "BodyText", {"NavTo", "NavBackFrom"}},
	    {"MessageBox2Buttons", "Button", {"NavTo", "NavBackFrom"}},
	};
	for (const Look& look : looks)
	{
		BaseNode* node = part(look.templateName, look.path);
		ASSERT_TRUE(node) << look.templateName << ": " << look.path;
		for (const char* state : look.states)
			EXPECT_TRUE(node->findState(internStringId(state)))
			    << look.templateName << ": " << look.path << " " << state;
	}
}

TEST_F(TemplateCollectionTest, PicturesAndFontsOfTheTemplatesAreLoaded)
{
	struct Drawn
	{
		const char* templateName;
		const char* path;
	};
	const Drawn sprites[] = {{"Button", "Background"}, {"CheckBox", "Box"},     {"CheckBox", "Mark"},
	                         {"Slider", "Knob"},       {"ProgressBar", "Knob"}, {"EditField", "Text/Cursor"}};
	for (const Drawn& drawn : sprites)
	{
		auto* sprite = nodeCast<SpriteNode>(part(drawn.templateName, drawn.path));
		ASSERT_TRUE(sprite) << drawn.templateName << ": " << drawn.path;
		EXPECT_TRUE(sprite->getAtlasTexture()) << drawn.templateName << ": " << drawn.path;
	}
	const Drawn grids[] = {{"Slider", "SlidingArea"}, {"ProgressBar", "Track"},       {"EditField", "Frame"},
	                       {"List", "Background"},    {"List", "Element/Background"}, {"MessageBox2Buttons", "Panel"}};
	for (const Drawn& drawn : grids)
	{
		auto* grid = nodeCast<NineGridSpriteNode>(part(drawn.templateName, drawn.path));
		ASSERT_TRUE(grid) << drawn.templateName << ": " << drawn.path;
		EXPECT_TRUE(grid->getAtlasTexture()) << drawn.templateName << ": " << drawn.path;
	}
	const Drawn texts[] = {{"Button", "Text"},
	                       {"CheckBox", "Text"},
	                       {"EditField", "Text"},
	                       {"List", "Element/Text"},
	                       {"MessageBox2Buttons", "TitleText"},
	                       {"MessageBox2Buttons", "BodyText"}};
	for (const Drawn& drawn : texts)
	{
		auto* text = nodeCast<TextNode>(part(drawn.templateName, drawn.path));
		ASSERT_TRUE(text) << drawn.templateName << ": " << drawn.path;
		EXPECT_TRUE(text->getFont()) << drawn.templateName << ": " << drawn.path;
	}
}
