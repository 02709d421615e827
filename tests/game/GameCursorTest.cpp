#include "GameTestSupport.h"
#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/ContentType.h"
#include "content/ImageContent.h"
#include "core/SmartPointer.h"
#include "core/SystemFlowEvents.h"
#include "device/CLinuxDevice.h"
#include "device/CursorControl.h"
#include "nodes/SpriteNode.h"
#include "support/LogCapture.h"
#include "support/OnScreenTest.h"

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <irrlicht/IImage.h>
#include <memory>
#include <thread>

// Xlib last: its macros (None, Bool, Status) clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

namespace
{
constexpr const char* CursorPicture = "scenes/images/Cursor.png";
constexpr int HotSpot = 2;

// The picture the X server shows as the pointer; read through XFixes, opened at run time because
// only the game's own libraries are linked.
class ServerCursorReader
{
public:
	ServerCursorReader()
	{
		handle = dlopen("libXfixes.so.3", RTLD_NOW | RTLD_LOCAL);
		if (handle)
		{
			queryVersion = reinterpret_cast<QueryVersion>(dlsym(handle, "XFixesQueryVersion"));
			getImage = reinterpret_cast<GetImage>(dlsym(handle, "XFixesGetCursorImage"));
		}
	}
	~ServerCursorReader()
	{
		if (handle)
			dlclose(handle);
	}
	ServerCursorReader(const ServerCursorReader&) = delete;
	ServerCursorReader& operator=(const ServerCursorReader&) = delete;

	bool usable() const { return queryVersion && getImage; }

	// The server hands out cursor pictures only to clients that have told it their version.
	XFixesCursorImage* read(Display* display) const
	{
		int major = 4, minor = 0;
		if (!queryVersion(display, &major, &minor))
			return nullptr;
		return getImage(display);
	}

private:
	using QueryVersion = int (*)(Display*, int*, int*);
	using GetImage = XFixesCursorImage* (*)(Display*);
	void* handle = nullptr;
	QueryVersion queryVersion = nullptr;
	GetImage getImage = nullptr;
};

// The game under a caption of its own, so tests that look for the game's window by its title never
// take this one for it.
class CaptionedApplication : public GGameApplication
{
protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		getDevice()->setSetting("TitleCaption", L"Game cursor test");
		GGameApplication::readDisplaySettings(commonProfile);
	}
};

bool closeTo(unsigned a, unsigned b)
{
	return onscreen::coloursNear(a, b, 2);
}

// Whether the server's cursor is the picture with its hot spot, the colours premultiplied as X wants them.
bool showsPicture(const XFixesCursorImage& cursor, irr::video::IImage& picture, int hotX, int hotY)
{
	const irr::core::dimension2du size = picture.getDimension();
	if (cursor.width != size.Width || cursor.height != size.Height || cursor.xhot != hotX || cursor.yhot != hotY)
		return false;
	for (unsigned y = 0; y < size.Height; ++y)
		for (unsigned x = 0; x < size.Width; ++x)
		{
			const irr::video::SColor c = picture.getPixel(x, y);
			const unsigned long shown = cursor.pixels[y * size.Width + x];
			const unsigned a = c.getAlpha();
			if (((shown >> 24) & 0xff) != a || !closeTo((shown >> 16) & 0xff, c.getRed() * a / 255) ||
			    !closeTo((shown >> 8) & 0xff, c.getGreen() * a / 255) || !closeTo(shown & 0xff, c.getBlue() * a / 255))
				return false;
		}
	return true;
}

// The game started windowed with OpenGL on the test display, in the build tree where the generated
// pictures are; the device goes back to the null driver afterwards.
class GameCursor : public testing::Test
{
protected:
	void SetUp() override
	{
		if (!onscreen::hasDisplay())
			GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
		root = binaryDir() + "/bin";
		if (access((root + "/assets/" + CursorPicture).c_str(), R_OK) != 0)
			GTEST_SKIP() << "the content set has not been built";
		device = dynamic_cast<CLinuxDevice*>(getDevice());
		ASSERT_NE(device, nullptr);
		display = onscreen::openTestDisplay(10);
		ASSERT_NE(display, nullptr);
	}

	void TearDown() override
	{
		stop();
		if (display)
			XCloseDisplay(display);
	}

	// Lets go of the game and puts the device back on the null driver.
	void stop()
	{
		if (application)
		{
			if (cursor)
			{
				cursor->setCursorNode(nullptr);
				cursor->setUseCursorNode(false);
				cursor->setVisible(true);
			}
			application->shutdown();
			application->drop();
			application = nullptr;
			cursor = nullptr;
			DeviceCreationParameters nullDriver;
			nullDriver.driverType = 0;
			device->setCreationParameters(nullDriver);
		}
		inBuildTree.reset();
	}

	// Writes the common profile with the player's cursor choice and starts the game.
	void start(bool windowsCursor)
	{
		{
			CProfileManager manager;
			manager.loadProfiles();
			// Set on the loaded profile: a file from an earlier start would override defaults.
			CProfile* common = manager.getCommonProfile();
			common->setBool("FullScreen", false);
			common->setBool("VSync", false);
			common->setBool("WindowsCursor", windowsCursor);
			common->setInt("VideoDriver", 3);
			ASSERT_TRUE(manager.saveProfiles());
		}
		inBuildTree.reset(new ScopedWorkingFolder(root));
		application = new CaptionedApplication();
		LogCapture log;
		ASSERT_TRUE(application->init()) << log.dump();
		ASSERT_TRUE(device->hasWindow());
		cursor = device->getCursorControl();
		ASSERT_NE(cursor, nullptr);
	}

	// Puts the pointer over a window pixel, the window on top.
	void pointAt(int x, int y)
	{
		XRaiseWindow(display, device->getWindowId());
		// Away first: the server picks the cursor to show when the pointer moves.
		XWarpPointer(display, 0, DefaultRootWindow(display), 0, 0, 0, 0, 0, 0);
		XWarpPointer(display, 0, device->getWindowId(), 0, 0, 0, 0, x, y);
		XSync(display, False);
	}

	// Looks at the server's cursor over the window until it is (or is not) the picture; other tests on the
	// same display may move the pointer or cover the window for a moment.
	bool serverShowsPicture(const ServerCursorReader& reader, irr::video::IImage& picture, bool expected)
	{
		bool shows = !expected;
		for (int attempt = 0; attempt < 50 && shows != expected; ++attempt)
		{
			pointAt(300, 200);
			if (XFixesCursorImage* shown = reader.read(display))
			{
				shows = showsPicture(*shown, picture, HotSpot, HotSpot);
				XFree(shown);
			}
			if (shows != expected)
				std::this_thread::sleep_for(std::chrono::milliseconds(20));
		}
		return shows;
	}

	// Draws frames until the window pixel shows the colour (or a while has passed); the last colour read.
	unsigned long drawUntil(int x, int y, unsigned long colour)
	{
		const auto frame = [&]
		{
			XRaiseWindow(display, device->getWindowId());
			CEventSystemFlowDraw draw;
			application->onEvent(&draw);
		};
		const auto shown = [&](const onscreen::WindowImage& shot) { return shot.at(0, 0) == colour; };
		const onscreen::WindowImage shot =
		    onscreen::drawUntilShown(display, device->getWindowId(), x, y, 1, 1, frame, shown, 100);
		return shot.empty() ? 0 : shot.at(0, 0);
	}

	// The cursor picture as a sprite whose pivot is the hot spot.
	SmartPointer<SpriteNode> cursorSprite()
	{
		SmartPointer<SpriteNode> sprite(new SpriteNode());
		SmartPointer<ContentObject> frame(
		    application->contentManager->getContent(ContentTypeAtlasTexture, CursorPicture, false));
		sprite->setAtlasTexture(dynamic_cast<AtlasTexture*>(frame.get()));
		sprite->setBounds(irr::core::vector3df(32.0f, 32.0f, 0.0f));
		sprite->setPivotPoint(irr::core::vector2df(HotSpot, HotSpot));
		return sprite;
	}

	GameDataFolders folders;
	std::string root;
	std::unique_ptr<ScopedWorkingFolder> inBuildTree;
	CLinuxDevice* device = nullptr;
	Display* display = nullptr;
	GGameApplication* application = nullptr;
	CursorControl* cursor = nullptr;
};
} // namespace

TEST_F(GameCursor, PictureBecomesTheWindowCursorUnlessThePlayerChoseTheSystemOne)
{
	ServerCursorReader reader;
	if (!reader.usable())
		GTEST_SKIP() << "XFixes is not available";
	for (bool windowsCursor : {true, false})
	{
		start(windowsCursor);
		SmartPointer<ContentObject> content(
		    application->contentManager->getContent(ContentTypeImage, CursorPicture, false));
		auto* picture = dynamic_cast<ImageContent*>(content.get());
		ASSERT_TRUE(picture && picture->getImage());

		EXPECT_EQ(serverShowsPicture(reader, *picture->getImage(), !windowsCursor), !windowsCursor)
		    << "windows cursor " << windowsCursor;
		// The engine's own cursor node is off either way.
		EXPECT_FALSE(cursor->isVisible());
		EXPECT_FALSE(cursor->isCursorNodeShown());

		content.reset();
		stop();
	}
}

TEST_F(GameCursor, CursorNodeIsDrawnAtThePointerOnlyWhenShown)
{
	start(false);
	SmartPointer<SpriteNode> sprite = cursorSprite();
	ASSERT_NE(sprite->getAtlasTexture(), nullptr);
	cursor->setCursorNode(sprite.get());

	// Window pixels: the pointer over the plain backdrop; the arrow's white body a few pixels below its tip.
	const int pointerX = 100, pointerY = 100;
	const int bodyX = pointerX + 2, bodyY = pointerY + 8;
	const unsigned long backdrop = 0x16324a, body = 0xffffff;
	struct Case
	{
		bool visible;
		bool useNode;
		bool drawn;
	};
	// The first row is how the game leaves the control at start-up.
	for (const Case& c : {Case{false, true, false}, Case{true, true, true}, Case{true, false, false}})
	{
		cursor->setVisible(c.visible);
		cursor->setUseCursorNode(c.useNode);
		// Placed as the control's update places it, without reading the shared pointer of the display.
		cursor->setPosition({pointerX, pointerY});
		sprite->setPosition(irr::core::vector3df(pointerX, pointerY, 0.0f));
		sprite->refreshAbsolute();
		const unsigned long expected = c.drawn ? body : backdrop;
		EXPECT_EQ(drawUntil(bodyX, bodyY, expected), expected) << c.visible << c.useNode;
		// Up and left of the hot spot the picture has nothing.
		EXPECT_EQ(drawUntil(pointerX - 3, pointerY - 3, backdrop), backdrop) << c.visible << c.useNode;
	}
}
