#pragma once

#include "CEvent.h"

// Input events (keyboard mask 4, mouse mask 8).
class CEventInput : public CEvent
{
	ENGINE_EVENT_TYPE(3, CEvent)
protected:
	CEventInput() = default;
};

class CEventInputKeyboard : public CEventInput
{
	ENGINE_EVENT_TYPE(4, CEventInput)
public:
	int character;
	int key;
	bool shift;
	bool control;
	bool extra;

protected:
	CEventInputKeyboard(int ch, int k, bool sh, bool ctrl, bool ex)
		: character(ch), key(k), shift(sh), control(ctrl), extra(ex)
	{
		mask = EventCategoryKeyboard;
	}
};

class CEventInputKeyDown : public CEventInputKeyboard
{
	ENGINE_EVENT_TYPE(31, CEventInputKeyboard)
public:
	CEventInputKeyDown(int ch, int k, bool sh, bool ctrl, bool ex = false) : CEventInputKeyboard(ch, k, sh, ctrl, ex) {}
};

class CEventInputKeyUp : public CEventInputKeyboard
{
	ENGINE_EVENT_TYPE(32, CEventInputKeyboard)
public:
	CEventInputKeyUp(int ch, int k, bool sh, bool ctrl, bool ex = false) : CEventInputKeyboard(ch, k, sh, ctrl, ex) {}
};

class CEventInputMouse : public CEventInput
{
	ENGINE_EVENT_TYPE(5, CEventInput)
public:
	int x;
	int y;

protected:
	CEventInputMouse(int px, int py) : x(px), y(py) { mask = EventCategoryMouse; }
};

#define ENGINE_MOUSE_EVENT(Name, Id)                                                                                   \
	class Name : public CEventInputMouse                                                                               \
	{                                                                                                                  \
		ENGINE_EVENT_TYPE(Id, CEventInputMouse)                                                                        \
	public:                                                                                                            \
		Name(int px, int py) : CEventInputMouse(px, py) {}                                                             \
	};

ENGINE_MOUSE_EVENT(CEventInputMouseMove, 20)
ENGINE_MOUSE_EVENT(CEventInputMouseLeftDown, 21)
ENGINE_MOUSE_EVENT(CEventInputMouseRightDown, 22)
ENGINE_MOUSE_EVENT(CEventInputMouseMiddleDown, 23)
ENGINE_MOUSE_EVENT(CEventInputMouseLeftUp, 24)
ENGINE_MOUSE_EVENT(CEventInputMouseRightUp, 25)
ENGINE_MOUSE_EVENT(CEventInputMouseMiddleUp, 26)

#undef ENGINE_MOUSE_EVENT

// Wheel delta in notches (raw delta / 120).
class CEventInputMouseWheel : public CEventInputMouse
{
	ENGINE_EVENT_TYPE(30, CEventInputMouse)
public:
	CEventInputMouseWheel(int px, int py, float d) : CEventInputMouse(px, py), delta(d) {}
	float delta;
};
