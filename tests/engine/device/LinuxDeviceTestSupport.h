#pragma once

#include "core/DeviceEvents.h"
#include "core/EventReceiver.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "device/CLinuxDevice.h"

#include <string>
#include <vector>

// Records every event it is offered; consumes the one type id it is told to.
class RecordingListener : public EventReceiver
{
public:
	explicit RecordingListener(std::vector<std::string>* order = nullptr, std::string name = "", int consumeId = -1)
	    : order(order), name(std::move(name)), consumeId(consumeId)
	{
		mask = 0xffffffffu;
	}

	bool onEvent(CEvent* event) override
	{
		ids.push_back(event->typeId());
		if (order)
			order->push_back(name);
		if (auto* mouse = eventCast<CEventInputMouse>(event))
		{
			lastX = mouse->x;
			lastY = mouse->y;
		}
		if (auto* wheel = eventCast<CEventInputMouseWheel>(event))
			lastWheel = wheel->delta;
		if (auto* key = eventCast<CEventInputKeyboard>(event))
		{
			lastKey = key->key;
			lastCharacter = key->character;
			lastShift = key->shift;
			lastControl = key->control;
		}
		return event->typeId() == consumeId;
	}

	int count(int id) const
	{
		int n = 0;
		for (int seen : ids)
			n += seen == id;
		return n;
	}

	std::vector<int> ids;
	std::vector<std::string>* order;
	std::string name;
	int consumeId;
	int lastX = 0, lastY = 0, lastKey = 0, lastCharacter = 0;
	float lastWheel = 0.0f;
	bool lastShift = false, lastControl = false;
};

// The Linux device with its loop hooks opened up for tests.
class TestLinuxDevice : public CLinuxDevice
{
public:
	using CLinuxDevice::CLinuxDevice;
	using CLinuxDevice::handleResize;
	using CLinuxDevice::MessageResult;

	MessageResult pump(bool wait) { return pumpMessage(wait); }
	// Handles every waiting message; returns how many.
	int drainMessages()
	{
		int n = 0;
		while (pumpMessage(false) == MessageResult::Handled && n < 1000)
			++n;
		return n;
	}

	int waits = 0;
	int quitAfterWaits = -1;
	int sleeps = 0;

protected:
	void waitForWindowEvents(int timeoutMs) override
	{
		++waits;
		if (quitAfterWaits >= 0 && waits >= quitAfterWaits)
			postWindowMessage(WindowMessage::quit(0));
		else if (quitAfterWaits < 0)
			CLinuxDevice::waitForWindowEvents(timeoutMs);
	}
	void sleepFor(int) override { ++sleeps; }
};

inline DeviceCreationParameters nullDriverParameters()
{
	DeviceCreationParameters p;
	p.driverType = 0;
	return p;
}
