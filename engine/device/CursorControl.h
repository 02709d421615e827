#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/position2d.h>

class BaseNode;

namespace irr
{
namespace gui
{
class ICursorControl;
}
namespace video
{
class IImage;
}
} // namespace irr

// The mouse cursor of the device window: position in client pixels, the cursor picture, and whether
// the engine draws its own cursor instead of the system one.
class CursorControl : public virtual ReferenceCounted
{
public:
	// width, height: the client size the window was made with.
	CursorControl(int width, int height);
	~CursorControl() override;

	virtual void setVisible(bool visible);
	virtual bool isVisible() const { return visible; }
	virtual void setUseCursorNode(bool use);
	virtual bool getUseCursorNode() const { return useCursorNode; }
	virtual bool isCursorNodeShown() const;
	virtual bool isSystemCursorShown() const;
	// Reads the pointer position, (-1, -1) when the window cannot be asked, and moves the cursor node there.
	virtual void update();
	virtual void setPosition(irr::core::position2di position);
	virtual irr::core::position2di getPosition() const { return {x, y}; }
	// A picture with pixels becomes the window's cursor (hot spot in picture pixels); null restores the arrow.
	virtual void setImage(irr::video::IImage* image, int hotX, int hotY);
	// The node that follows the pointer (one reference held; null allowed).
	virtual void setCursorNode(BaseNode* node);
	// Not grabbed.
	virtual BaseNode* getCursorNode() const { return cursorNode; }

	void setFullscreen(bool fullscreen) { this->fullscreen = fullscreen; }
	bool isFullscreen() const { return fullscreen; }

	// Binds the control to a window: the X11 connection and window when known, else the library's cursor.
	void attachWindow(void* display, unsigned long window, irr::gui::ICursorControl* libraryCursor, int width,
	                  int height);
	void detachWindow();

private:
	bool readPointer(int& px, int& py) const;
	bool movePointer(int px, int py);
	bool isInside(bool strict) const;
	void releaseImageCursor();
	void moveCursorNode();

	BaseNode* cursorNode = nullptr;
	int x = 0;
	int y = 0;
	bool visible = true;
	bool useCursorNode = false;
	bool fullscreen = false;
	int width;
	int height;
	void* display = nullptr;
	unsigned long window = 0;
	irr::gui::ICursorControl* libraryCursor = nullptr;
	// The X cursor made from the last picture; freed when replaced or when the window goes.
	unsigned long imageCursor = 0;
};
