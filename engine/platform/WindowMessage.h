#pragma once

// What happened to the window, as the device's window procedure takes it: one message per main-loop pass.
enum class WindowMessageType
{
	Quit,
	Destroy,
	Size,
	Activate,
	ActivateApp,
	Paint,
	KeyDown,
	KeyUp,
	SystemCommand,
	MouseMove,
	LeftButtonDown,
	RightButtonDown,
	MiddleButtonDown,
	LeftButtonUp,
	RightButtonUp,
	MiddleButtonUp,
	MouseWheel,
	CaptureLost,
};

// Size message kinds, numbered as the window system numbers them.
enum class WindowSizeType
{
	Restored = 0,
	Minimized = 1,
	Maximized = 2,
	Hidden = 4,
};

enum class WindowCommand
{
	Close,
	Move,
	Size,
	Maximize,
	KeyMenu,
	ScreenSave,
	MonitorPower,
	Other,
};

// One window message; only the fields of its type are meaningful.
struct WindowMessage
{
	WindowMessageType type = WindowMessageType::Paint;
	// Mouse position in client pixels (negative outside the client area while captured).
	int x = 0;
	int y = 0;
	// Client size of a size message.
	int width = 0;
	int height = 0;
	WindowSizeType sizeType = WindowSizeType::Restored;
	// Wheel rotation in notches, positive away from the user.
	float wheel = 0.0f;
	// Typed character (0 when none), virtual-key code and modifiers of a key message.
	int character = 0;
	int key = 0;
	bool shift = false;
	bool control = false;
	// Activate / ActivateApp: whether the window (application) became active.
	bool active = false;
	WindowCommand command = WindowCommand::Other;
	int exitCode = 0;

	static WindowMessage quit(int code = 0);
	static WindowMessage size(WindowSizeType type, int width, int height);
	static WindowMessage activation(WindowMessageType type, bool active);
	static WindowMessage mouse(WindowMessageType type, int x, int y);
	static WindowMessage wheelTurn(int x, int y, float notches);
	static WindowMessage keyboard(WindowMessageType type, int character, int key, bool shift, bool control);
	static WindowMessage systemCommand(WindowCommand command);
};
