#pragma once

#include "WindowMessage.h"

#include <cstddef>
#include <deque>

// First-in first-out queue of window messages of one window.
class WindowMessageQueue
{
public:
	void post(const WindowMessage& message) { messages.push_back(message); }
	// Takes the oldest message; false when there is none.
	bool take(WindowMessage& message);
	// Drops every waiting quit message; true when there was one.
	bool removeQuit();
	bool isEmpty() const { return messages.empty(); }
	size_t size() const { return messages.size(); }
	void clear() { messages.clear(); }

private:
	std::deque<WindowMessage> messages;
};
