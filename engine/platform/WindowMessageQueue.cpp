#include "WindowMessageQueue.h"

#include <algorithm>

bool WindowMessageQueue::take(WindowMessage& message)
{
	if (messages.empty())
		return false;
	message = messages.front();
	messages.pop_front();
	return true;
}

bool WindowMessageQueue::removeQuit()
{
	auto isQuit = [](const WindowMessage& m) { return m.type == WindowMessageType::Quit; };
	auto end = std::remove_if(messages.begin(), messages.end(), isQuit);
	bool found = end != messages.end();
	messages.erase(end, messages.end());
	return found;
}
