#include "GGeneratePauseRequestAction.h"

#include "core/SmartPointer.h"
#include "data/GEventPauseRequest.h"

void GGeneratePauseRequestAction::start(EventReceiver* target)
{
	this->target = target;
	SmartPointer<GEventPauseRequest> request(new GEventPauseRequest(true));
	sendToTarget(target, request.get());
}

void GGeneratePauseRequestAction::finish()
{
	SmartPointer<GEventPauseRequest> request(new GEventPauseRequest(false));
	sendToTarget(target, request.get());
}
