#include "device/CursorControl.h"

#include "core/SmartPointer.h"

#include <gtest/gtest.h>

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
} // namespace

TEST(CursorControl, WhichCursorIsShown)
{
	const ShownCase cases[] = {
	    {true, true, false, 0, 5, false, false},     // left edge: strict for the node, inclusive for the system
	    {true, true, false, 10, 10, true, false},    // inside
	    {true, true, false, 900, 10, false, true},   // outside the window
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
