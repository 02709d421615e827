#include "CursorControl.h"

#include "core/ILogger.h"
#include "scene/BaseNode.h"

#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <algorithm>
#include <dlfcn.h>
#include <irrlicht/ICursorControl.h>
#include <irrlicht/IImage.h>

namespace
{
// Full-colour cursors come from libXcursor, which the 3-D library loads anyway; it is opened at run time
// because only its run-time part is installed.
struct XcursorImageRecord
{
	unsigned version;
	unsigned size;
	unsigned width;
	unsigned height;
	unsigned xhot;
	unsigned yhot;
	unsigned delay;
	unsigned* pixels;
};

struct Xcursor
{
	using Create = XcursorImageRecord* (*)(int, int);
	using Destroy = void (*)(XcursorImageRecord*);
	using Load = Cursor (*)(Display*, const XcursorImageRecord*);
	Create create = nullptr;
	Destroy destroy = nullptr;
	Load load = nullptr;

	static const Xcursor& get()
	{
		static const Xcursor library = []
		{
			Xcursor l;
			if (void* handle = dlopen("libXcursor.so.1", RTLD_NOW | RTLD_LOCAL))
			{
				l.create = reinterpret_cast<Create>(dlsym(handle, "XcursorImageCreate"));
				l.destroy = reinterpret_cast<Destroy>(dlsym(handle, "XcursorImageDestroy"));
				l.load = reinterpret_cast<Load>(dlsym(handle, "XcursorImageLoadCursor"));
			}
			return l;
		}();
		return library;
	}
	bool usable() const { return create && destroy && load; }
};
} // namespace

CursorControl::CursorControl(int w, int h) : width(w), height(h) {}

CursorControl::~CursorControl()
{
	detachWindow();
	if (cursorNode)
		cursorNode->drop();
}

void CursorControl::attachWindow(void* d, unsigned long w, irr::gui::ICursorControl* cursor, int cw, int ch)
{
	detachWindow();
	display = d;
	window = w;
	libraryCursor = cursor;
	width = cw;
	height = ch;
}

void CursorControl::detachWindow()
{
	releaseImageCursor();
	display = nullptr;
	window = 0;
	libraryCursor = nullptr;
}

void CursorControl::releaseImageCursor()
{
	if (imageCursor && display)
		XFreeCursor(static_cast<Display*>(display), imageCursor);
	imageCursor = 0;
}

bool CursorControl::readPointer(int& px, int& py) const
{
	if (display && window)
	{
		Window root, child;
		int rootX, rootY, winX, winY;
		unsigned buttons;
		if (!XQueryPointer(static_cast<Display*>(display), window, &root, &child, &rootX, &rootY, &winX, &winY,
		                   &buttons))
			return false;
		px = winX;
		py = winY;
		return true;
	}
	if (libraryCursor)
	{
		irr::core::position2di p = libraryCursor->getPosition();
		px = p.X;
		py = p.Y;
		return true;
	}
	return false;
}

bool CursorControl::movePointer(int px, int py)
{
	if (display && window)
	{
		XWarpPointer(static_cast<Display*>(display), None, window, 0, 0, 0, 0, px, py);
		XFlush(static_cast<Display*>(display));
		return true;
	}
	if (libraryCursor)
	{
		libraryCursor->setPosition(px, py);
		return true;
	}
	return false;
}

void CursorControl::setVisible(bool v)
{
	visible = v;
	update();
	setPosition({x, y});
}

void CursorControl::setUseCursorNode(bool use)
{
	useCursorNode = use;
	setPosition({x, y});
}

bool CursorControl::isInside(bool strict) const
{
	if (strict)
		return x > 0 && x < width && y > 0 && y < height;
	return x >= 0 && x < width && y >= 0 && y < height;
}

bool CursorControl::isCursorNodeShown() const
{
	return visible && useCursorNode && (fullscreen || isInside(true));
}

bool CursorControl::isSystemCursorShown() const
{
	if (!visible)
		return false;
	if (fullscreen)
		return !useCursorNode;
	return !(useCursorNode && isInside(false));
}

void CursorControl::update()
{
	if (!readPointer(x, y))
	{
		x = -1;
		y = -1;
	}
	moveCursorNode();
}

void CursorControl::moveCursorNode()
{
	if (!cursorNode)
		return;
	const irr::core::vector3df& current = cursorNode->getPosition();
	cursorNode->setPosition(irr::core::vector3df(static_cast<float>(x), static_cast<float>(y), current.Z));
	// Drawn outside any scene tree, so nothing else would bring the node's placement up to date.
	cursorNode->refreshAbsolute();
}

void CursorControl::setCursorNode(BaseNode* node)
{
	// Grab first: the new node may be the one already held.
	if (node)
		node->grab();
	if (cursorNode)
		cursorNode->drop();
	cursorNode = node;
	update();
}

void CursorControl::setPosition(irr::core::position2di p)
{
	movePointer(p.X, p.Y);
	x = p.X;
	y = p.Y;
}

void CursorControl::setImage(irr::video::IImage* image, int hotX, int hotY)
{
	Display* d = static_cast<Display*>(display);
	if (d && window)
	{
		const Xcursor& xcursor = Xcursor::get();
		irr::core::dimension2du size = image ? image->getDimension() : irr::core::dimension2du();
		if (image && size.Width > 0 && size.Height > 0 && xcursor.usable())
		{
			XcursorImageRecord* picture = xcursor.create(static_cast<int>(size.Width), static_cast<int>(size.Height));
			if (picture)
			{
				picture->xhot = static_cast<unsigned>(std::clamp(hotX, 0, static_cast<int>(size.Width) - 1));
				picture->yhot = static_cast<unsigned>(std::clamp(hotY, 0, static_cast<int>(size.Height) - 1));
				for (unsigned row = 0; row < size.Height; ++row)
					for (unsigned column = 0; column < size.Width; ++column)
					{
						// Xcursor wants premultiplied ARGB.
						irr::video::SColor c = image->getPixel(column, row);
						unsigned a = c.getAlpha();
						unsigned r = c.getRed() * a / 255, g = c.getGreen() * a / 255, b = c.getBlue() * a / 255;
						picture->pixels[row * size.Width + column] = (a << 24) | (r << 16) | (g << 8) | b;
					}
				Cursor cursor = xcursor.load(d, picture);
				xcursor.destroy(picture);
				if (cursor)
				{
					XDefineCursor(d, window, cursor);
					releaseImageCursor();
					imageCursor = cursor;
				}
			}
		}
		else
		{
			if (image)
				getLogger()->log("Could not make a cursor from the picture.", 1);
			Cursor arrow = XCreateFontCursor(d, XC_left_ptr);
			XDefineCursor(d, window, arrow);
			XFreeCursor(d, arrow);
			releaseImageCursor();
		}
		XFlush(d);
	}
	// Nudging the pointer makes the window system show the new cursor at once.
	update();
	movePointer(x + 1, y + 1);
	movePointer(x, y);
}
