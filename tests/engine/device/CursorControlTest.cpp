#include "device/CursorControl.h"

#include "core/SmartPointer.h"
#include "scene/BaseNode.h"

#include <gtest/gtest.h>
#include <irrlicht/ICursorControl.h>

namespace
{
struct ShownCase
{
	bool visible;
	bool useNode;
	bool fullscreen;
	int x, y;
	bool nodeShown;
	bool systemShown;
};

// A control with no window: positions are only stored.
SmartPointer<CursorControl> detachedControl(const ShownCase& c)
{
	SmartPointer<CursorControl> control(new CursorControl(800, 600));
	control->setFullscreen(c.fullscreen);
	control->setUseCursorNode(c.useNode);
	control->setPosition({c.x, c.y});
	if (!c.visible)
	{
		control->setVisible(false);
		control->setPosition({c.x, c.y});
	}
	return control;
}

// Stands in for the 3-D library's cursor, so the control has a pointer to read without a display.
class FakeLibraryCursor : public irr::gui::ICursorControl
{
public:
	void setVisible(bool) override {}
	bool isVisible() const override { return true; }
	void setPosition(const irr::core::position2d<irr::f32>&) override {}
	void setPosition(irr::f32, irr::f32) override {}
	void setPosition(const irr::core::position2d<irr::s32>& p) override { at = p; }
	void setPosition(irr::s32 px, irr::s32 py) override { at = irr::core::position2di(px, py); }
	const irr::core::position2d<irr::s32>& getPosition() override { return at; }
	irr::core::position2d<irr::f32> getRelativePosition() override { return {0.0f, 0.0f}; }
	void setReferenceRect(irr::core::rect<irr::s32>*) override {}

	irr::core::position2di at{0, 0};
};

irr::core::vector3df absoluteTranslation(const BaseNode* node)
{
	return node->getAbsoluteTransformation().getTranslation();
}
} // namespace

TEST(CursorControl, WhichCursorIsShown)
{
	const ShownCase cases[] = {
	    {true, true, false, 0, 5, false, false},     // left edge: strict for the node, inclusive for the system
	    {true, true, false, 5, 0, false, false},     // top edge, likewise
	    {true, true, false, 1, 1, true, false},      // first pixel inside for both
	    {true, true, false, 799, 599, true, false},  // last pixel inside
	    {true, true, false, 800, 10, false, true},   // right edge is outside for both
	    {true, true, false, 10, 600, false, true},   // bottom edge likewise
	    {true, true, false, 10, 10, true, false},    // inside
	    {true, true, false, 900, 10, false, true},   // outside the window
	    {true, false, false, 10, 10, false, true},   // windowed, node not wanted
	    {true, false, true, 10, 10, false, true},    // full screen, system cursor
	    {true, true, true, -5, -5, true, false},     // full screen, node wherever the pointer is
	    {false, true, false, 10, 10, false, false},  // hidden
	    {false, false, true, 10, 10, false, false}}; // hidden
	for (const ShownCase& c : cases)
	{
		SmartPointer<CursorControl> control = detachedControl(c);
		EXPECT_EQ(c.nodeShown, control->isCursorNodeShown()) << c.x << "," << c.y << " fs " << c.fullscreen;
		EXPECT_EQ(c.systemShown, control->isSystemCursorShown()) << c.x << "," << c.y << " fs " << c.fullscreen;
	}
}

TEST(CursorControl, PositionIsStoredWithoutWindowAndUpdateReportsUnknown)
{
	SmartPointer<CursorControl> control(new CursorControl(800, 600));
	control->setPosition({12, 34});
	EXPECT_EQ(irr::core::position2di(12, 34), control->getPosition());
	control->update();
	EXPECT_EQ(irr::core::position2di(-1, -1), control->getPosition());
}

TEST(CursorControl, UseCursorNodeFlagIsStoredAndKeepsThePointerWhereItIs)
{
	FakeLibraryCursor pointer;
	SmartPointer<CursorControl> control(new CursorControl(800, 600));
	control->attachWindow(nullptr, 0, &pointer, 800, 600);
	control->setPosition({40, 50});
	EXPECT_FALSE(control->getUseCursorNode());
	control->setUseCursorNode(true);
	EXPECT_TRUE(control->getUseCursorNode());
	EXPECT_EQ(irr::core::position2di(40, 50), pointer.at);
	control->setUseCursorNode(false);
	EXPECT_FALSE(control->getUseCursorNode());
}

TEST(CursorControl, CursorNodeReferencesAreBalanced)
{
	SmartPointer<BaseNode> first(new BaseNode());
	SmartPointer<BaseNode> second(new BaseNode());
	{
		SmartPointer<CursorControl> control(new CursorControl(800, 600));
		EXPECT_EQ(control->getCursorNode(), nullptr);

		control->setCursorNode(first.get());
		control->setCursorNode(first.get());
		EXPECT_EQ(control->getCursorNode(), first.get());
		EXPECT_EQ(first->getReferenceCount(), 2);

		control->setCursorNode(second.get());
		EXPECT_EQ(first->getReferenceCount(), 1);
		EXPECT_EQ(second->getReferenceCount(), 2);

		control->setCursorNode(nullptr);
		EXPECT_EQ(control->getCursorNode(), nullptr);
		EXPECT_EQ(second->getReferenceCount(), 1);

		control->setCursorNode(second.get());
	}
	// The control's end lets go of its node.
	EXPECT_EQ(second->getReferenceCount(), 1);
}

TEST(CursorControl, CursorNodeFollowsThePointerAtItsOwnDepth)
{
	FakeLibraryCursor pointer;
	pointer.at = irr::core::position2di(120, 45);
	SmartPointer<CursorControl> control(new CursorControl(800, 600));
	control->attachWindow(nullptr, 0, &pointer, 800, 600);

	SmartPointer<BaseNode> node(new BaseNode());
	node->setPosition({3.0f, 4.0f, -7.0f});
	SmartPointer<BaseNode> child(new BaseNode(ContentRef(), node.get()));
	child->setPosition({10.0f, 20.0f, 0.0f});

	// Setting the node places it at once.
	control->setCursorNode(node.get());
	EXPECT_EQ(node->getPosition(), irr::core::vector3df(120.0f, 45.0f, -7.0f));
	EXPECT_FALSE(node->isTransformDirty());
	EXPECT_EQ(absoluteTranslation(node.get()), irr::core::vector3df(120.0f, 45.0f, -7.0f));
	EXPECT_EQ(absoluteTranslation(child.get()), irr::core::vector3df(130.0f, 65.0f, -7.0f));

	const irr::core::position2di moves[] = {{300, 200}, {0, 0}, {-20, 900}};
	for (const irr::core::position2di& at : moves)
	{
		pointer.at = at;
		control->update();
		EXPECT_EQ(control->getPosition(), at);
		const irr::core::vector3df expected(static_cast<float>(at.X), static_cast<float>(at.Y), -7.0f);
		EXPECT_EQ(node->getPosition(), expected);
		EXPECT_EQ(absoluteTranslation(node.get()), expected);
		EXPECT_EQ(absoluteTranslation(child.get()), expected + irr::core::vector3df(10.0f, 20.0f, 0.0f));
	}
}

TEST(CursorControl, CursorNodeGoesToUnknownPositionWithoutWindow)
{
	SmartPointer<CursorControl> control(new CursorControl(800, 600));
	SmartPointer<BaseNode> node(new BaseNode());
	node->setPosition({50.0f, 60.0f, 2.5f});
	control->setCursorNode(node.get());
	EXPECT_EQ(node->getPosition(), irr::core::vector3df(-1.0f, -1.0f, 2.5f));
}
