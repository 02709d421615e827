#include "WindowMessage.h"

WindowMessage WindowMessage::quit(int code)
{
	WindowMessage m;
	m.type = WindowMessageType::Quit;
	m.exitCode = code;
	return m;
}

WindowMessage WindowMessage::size(WindowSizeType type, int width, int height)
{
	WindowMessage m;
	m.type = WindowMessageType::Size;
	m.sizeType = type;
	m.width = width;
	m.height = height;
	return m;
}

WindowMessage WindowMessage::activation(WindowMessageType type, bool active)
{
	WindowMessage m;
	m.type = type;
	m.active = active;
	return m;
}

WindowMessage WindowMessage::mouse(WindowMessageType type, int x, int y)
{
	WindowMessage m;
	m.type = type;
	m.x = x;
	m.y = y;
	return m;
}

WindowMessage WindowMessage::wheelTurn(int x, int y, float notches)
{
	WindowMessage m = mouse(WindowMessageType::MouseWheel, x, y);
	m.wheel = notches;
	return m;
}

WindowMessage WindowMessage::keyboard(WindowMessageType type, int character, int key, bool shift, bool control)
{
	WindowMessage m;
	m.type = type;
	m.character = character;
	m.key = key;
	m.shift = shift;
	m.control = control;
	return m;
}

WindowMessage WindowMessage::systemCommand(WindowCommand command)
{
	WindowMessage m;
	m.type = WindowMessageType::SystemCommand;
	m.command = command;
	return m;
}
