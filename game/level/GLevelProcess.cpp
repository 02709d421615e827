#include "GLevelProcess.h"

GLevelProcess::GLevelProcess()
{
	mask |= EventCategoryGame;
}

GLevelProcess::~GLevelProcess() = default;

const EventMap& GLevelProcess::eventMap()
{
	return rootEventMap();
}

bool GLevelProcess::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}
