#include "AssetsScreenTest.h"
#include "AssetsTestSupport.h"
#include "core/StringId.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "device/CDeviceStub.h"
#include "nodes/ButtonNode.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/EditNode.h"
#include "nodes/ListNode.h"
#include "nodes/NineGridSpriteNode.h"
#include "nodes/ProgressBarNode.h"
#include "nodes/SliderNode.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"
#include "support/OnScreenTest.h"

#include <algorithm>
#include <irrlicht/irrlicht.h>
#include <memory>
#include <utility>

// One of each control drawn from the content set's templates by the OpenGL device and a scene manager;
// the window is read back from the X server and kept as <build>/artifacts/controls.png.
namespace
{
constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 640;

// Where each control sits in the window.
const irr::core::vector3df NormalButtonAt{24, 24, 0};
const irr::core::vector3df HoverButtonAt{204, 24, 0};
const irr::core::vector3df DisabledButtonAt{384, 24, 0};
const irr::core::vector3df UncheckedBoxAt{580, 32, 0};
const irr::core::vector3df CheckedBoxAt{800, 32, 0};
const irr::core::vector3df SliderAt{24, 104, 0};
const irr::core::vector3df ProgressAt{280, 106, 0};
const irr::core::vector3df EditAt{520, 96, 0};
const irr::core::vector3df ListAt{24, 180, 0};
constexpr float ProgressValue = 65.0f;

using onscreen::Rgb;

// The window's pixels as the X server shows them, read as channels about a control's origin.
class ControlShot : public onscreen::WindowShot
{
public:
	using WindowShot::at;
	using WindowShot::WindowShot;

	Rgb at(const irr::core::vector3df& origin, int dx, int dy) const
	{
		return at(static_cast<int>(origin.X) + dx, static_cast<int>(origin.Y) + dy);
	}
	// Pixels of the rectangle (relative to origin) that pass the test.
	template <class Test> int count(const irr::core::vector3df& origin, int x0, int y0, int x1, int y1, Test test) const
	{
		int n = 0;
		for (int y = y0; y < y1; ++y)
			for (int x = x0; x < x1; ++x)
				n += test(at(origin, x, y)) ? 1 : 0;
		return n;
	}
	// Share of the ink pixels' bounding box (within the rectangle) that is ink: glyphs shaped by their alpha
	// leave most of it background, while solid glyph boxes fill it.
	template <class Test>
	double inkCoverage(const irr::core::vector3df& origin, int x0, int y0, int x1, int y1, Test isInk) const
	{
		int left = x1, top = y1, right = x0 - 1, bottom = y0 - 1, ink = 0;
		for (int y = y0; y < y1; ++y)
			for (int x = x0; x < x1; ++x)
				if (isInk(at(origin, x, y)))
				{
					++ink;
					left = std::min(left, x);
					right = std::max(right, x);
					top = std::min(top, y);
					bottom = std::max(bottom, y);
				}
		if (ink == 0)
			return 1.0;
		return static_cast<double>(ink) / ((right - left + 1) * (bottom - top + 1));
	}
};

// Ink of dark text on the light panels and fields (anti-aliased edges included).
bool isDark(const Rgb& c)
{
	return c.sum() < 450;
}
// White text on the blue button bodies, whose red never comes near it.
bool isLight(const Rgb& c)
{
	return c.r > 180 && c.g > 180 && c.b > 180;
}
bool isWhite(const Rgb& c)
{
	return c.r > 215 && c.g > 215 && c.b > 215;
}
bool isGreen(const Rgb& c)
{
	return c.g > c.r + 20 && c.g > c.b + 40;
}

class ControlsScreenshotTest : public AssetsScreenTest
{
protected:
	ControlsScreenshotTest() : AssetsScreenTest(WindowWidth, WindowHeight) {}

	void SetUp() override
	{
		mountAssets();
		if (IsSkipped() || HasFatalFailure())
			return;
		atlas = assets->load<ContentObject>(ContentTypeAtlasTextureCollection, "atlases/MainMenu.xml");
		ASSERT_TRUE(atlas);
		templates = assets->load<TemplateCollectionNode>(ContentTypeSceneNode, "scenes/TemplateCollection.qscn");
		ASSERT_TRUE(templates);

		startSceneManager();
		if (HasFatalFailure())
			return;
		manager->setTemplateCollection(templates.get());
		buildScene();
	}

	void TearDown() override
	{
		if (manager)
			manager->showScene(nullptr);
		scene = nullptr;
		stopSceneManager();
		templates = nullptr;
		atlas = nullptr;
		assets.reset();
	}

	template <class T>
	SmartPointer<T> add(const char* templateName, const irr::core::vector3df& at, const irr::core::vector3df& bounds)
	{
		SmartPointer<T> control(new T());
		control->setPosition(at);
		control->setBounds(bounds);
		scene->addChild(control.get());
		control->setTemplateName(internStringId(templateName));
		return control;
	}

	void buildScene()
	{
		scene = SmartPointer<SceneNode>(new SceneNode());
		scene->setBounds({WindowWidth, WindowHeight, 0});
		SmartPointer<NineGridSpriteNode> backdrop(new NineGridSpriteNode());
		backdrop->setBounds({WindowWidth, WindowHeight, 0});
		backdrop->setTopLeftDelta({16, 16});
		backdrop->setBottomRightDelta({16, 16});
		SmartPointer<ContentObject> panel(
		    assets->manager->getContent(ContentTypeAtlasTexture, "scenes/images/UI/Panel.png", false));
		backdrop->setAtlasTexture(dynamic_cast<AtlasTexture*>(panel.get()));
		scene->addChild(backdrop.get());
		ASSERT_TRUE(manager->showScene(scene.get()));

		normalButton = add<ButtonNode>("Button", NormalButtonAt, {160, 48, 0});
		normalButton->setText(L"Normal");
		hoverButton = add<ButtonNode>("Button", HoverButtonAt, {160, 48, 0});
		hoverButton->setText(L"Hover");
		disabledButton = add<ButtonNode>("Button", DisabledButtonAt, {160, 48, 0});
		disabledButton->setText(L"Disabled");
		uncheckedBox = add<CheckBoxNode>("CheckBox", UncheckedBoxAt, {220, 32, 0});
		uncheckedBox->setText(L"Unchecked");
		checkedBox = add<CheckBoxNode>("CheckBox", CheckedBoxAt, {220, 32, 0});
		checkedBox->setText(L"Checked");
		slider = add<SliderNode>("Slider", SliderAt, {224, 24, 0});
		progress = add<ProgressBarNode>("ProgressBar", ProgressAt, {206, 20, 0});
		progress->setKnobType(1);
		edit = add<EditNode>("EditField", EditAt, {240, 40, 0});
		list = add<ListNode>("List", ListAt, {260, 164, 0});
		advance(10);

		hoverButton->setHovered(true);
		disabledButton->setEnabled(false);
		checkedBox->setChecked(true);
		slider->setValue(30.0f);
		progress->setValue(ProgressValue);
		edit->setText(L"Player One");
		edit->setFocused(true);
		const wchar_t* const names[] = {L"Alice", L"Bram", L"Cora", L"Dewi", L"Emil", L"Fenna", L"Gert"};
		list->setItemCount(7);
		for (unsigned i = 0; i < 7; ++i)
			list->setItemText(i, 0, names[i]);
		list->setSelectedItem(1, true);
		list->refreshElements();

		irr::core::array<irr::core::stringw> buttons;
		buttons.push_back(L"Yes");
		buttons.push_back(L"No");
		box = scene->showMessageBox(internStringId("MessageBox2Buttons"), buttons, L"Delete player?",
		                            L"The profile and all its progress will be lost.");
		ASSERT_TRUE(box);
		// Past the box's fade-in.
		advance(30);
	}

	// Draws the scene and reads the window back; empty when the server cannot be reached.
	ControlShot draw()
	{
		// The backdrop panel reaches the corner once the frame is shown.
		const auto shown = [](const onscreen::WindowImage& image) { return ((image.at(20, 630) >> 16) & 0xff) > 180; };
		return ControlShot(shootScene(irr::video::SColor(255, 0, 0, 0), shown));
	}

	SmartPointer<ContentObject> atlas;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<SceneNode> scene;
	SmartPointer<ButtonNode> normalButton, hoverButton, disabledButton;
	SmartPointer<CheckBoxNode> uncheckedBox, checkedBox;
	SmartPointer<SliderNode> slider;
	SmartPointer<ProgressBarNode> progress;
	SmartPointer<EditNode> edit;
	SmartPointer<ListNode> list;
	SceneNode* box = nullptr;
};
} // namespace

TEST_F(ControlsScreenshotTest, EveryControlShowsItsStatesAndLegibleText)
{
	const ControlShot shot = draw();
	ASSERT_EQ(shot.width, WindowWidth) << "the X server could not be read";
	saveArtifact(shot, "controls.png");

	// Button states: the same spot of the body, left of the caption, differs per state.
	const Rgb normal = shot.at(NormalButtonAt, 16, 30);
	EXPECT_NE(normal, shot.at(HoverButtonAt, 16, 30));
	EXPECT_NE(normal, shot.at(DisabledButtonAt, 16, 30));
	EXPECT_GT(normal.b, normal.r + 60) << "a blue button body" << normal;
	// Captions: white pixels over the blue body.
	EXPECT_GT(shot.count(NormalButtonAt, 20, 8, 140, 38, isLight), 60);
	EXPECT_GT(shot.count(HoverButtonAt, 20, 8, 140, 38, isLight), 60);

	// Check boxes: the mark's corner is drawn only on the checked one; labels in ink beside the boxes.
	EXPECT_TRUE(isGreen(shot.at(CheckedBoxAt, 14, 21))) << shot.at(CheckedBoxAt, 14, 21);
	EXPECT_FALSE(isGreen(shot.at(UncheckedBoxAt, 14, 21))) << shot.at(UncheckedBoxAt, 14, 21);
	EXPECT_GT(shot.count(UncheckedBoxAt, 40, 4, 200, 28, isDark), 40);

	// Slider: the knob stands at 30 % of its travel (176 pixels), the track elsewhere.
	const Rgb knob = shot.at(SliderAt, 53 + 12, 12);
	EXPECT_GT(knob.b, knob.r + 40) << knob;
	EXPECT_NE(knob, shot.at(SliderAt, 180, 12));

	// Progress bar: green up to 65 % of the well, dark beyond.
	const int fillEnd = 3 + static_cast<int>(200 * ProgressValue / 100);
	EXPECT_TRUE(isGreen(shot.at(ProgressAt, fillEnd - 12, 12))) << shot.at(ProgressAt, fillEnd - 12, 12);
	EXPECT_FALSE(isGreen(shot.at(ProgressAt, fillEnd + 12, 12))) << shot.at(ProgressAt, fillEnd + 12, 12);

	// Edit field: its text in ink on the white field, and the caret of the focused field.
	EXPECT_GT(shot.count(EditAt, 12, 8, 120, 32, isDark), 60);
	EXPECT_TRUE(isWhite(shot.at(EditAt, 200, 20))) << shot.at(EditAt, 200, 20);

	// List: the selected second row has the button look, the first does not; names in the rows.
	const Rgb firstRow = shot.at(ListAt, 8, 4 + 14);
	const Rgb selectedRow = shot.at(ListAt, 8, 32 + 4 + 14);
	EXPECT_NE(firstRow, selectedRow);
	EXPECT_GT(selectedRow.b, selectedRow.r + 60) << selectedRow;
	EXPECT_GT(shot.count(ListAt, 14, 4, 120, 32, isDark), 40);
	EXPECT_GT(shot.count(ListAt, 14, 36, 120, 64, isLight), 30);

	// Text is legible: glyph shapes, not filled boxes.
	EXPECT_LT(shot.inkCoverage(NormalButtonAt, 20, 8, 140, 38, isLight), 0.5);
	EXPECT_LT(shot.inkCoverage(CheckedBoxAt, 40, 4, 200, 28, isDark), 0.5);
	EXPECT_LT(shot.inkCoverage(EditAt, 14, 8, 200, 32, isDark), 0.5);
	EXPECT_LT(shot.inkCoverage(ListAt, 14, 6, 200, 30, isDark), 0.5);

	// Message box: centred, a cream panel with dark title and body text and two captioned buttons.
	ASSERT_TRUE(box);
	const irr::core::vector3df boxAt = box->getPosition();
	EXPECT_FLOAT_EQ(boxAt.X, (WindowWidth - 420) / 2.0f);
	const Rgb panel = shot.at(boxAt, 20, 140);
	EXPECT_GT(panel.r, 200) << panel;
	EXPECT_GT(shot.count(boxAt, 20, 16, 400, 52, isDark), 100);
	EXPECT_LT(shot.inkCoverage(boxAt, 20, 16, 400, 52, isDark), 0.5);
	EXPECT_GT(shot.count(boxAt, 30, 56, 390, 148, isDark), 100);
	EXPECT_GT(shot.count(boxAt, 40, 156, 200, 200, isLight), 30);
	EXPECT_GT(shot.count(boxAt, 220, 156, 380, 200, isLight), 30);
}
