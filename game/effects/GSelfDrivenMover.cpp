#include "GSelfDrivenMover.h"

#include "core/SmartPointer.h"
#include "nodes/NodeServices.h"

GSelfDrivenMover::GSelfDrivenMover(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager,
                                   unsigned taskPeriod)
    : GPathMovableNode(reference, parentNode, manager)
{
	period = taskPeriod;
}

GSelfDrivenMover::~GSelfDrivenMover()
{
	setScheduler(nullptr);
}

void GSelfDrivenMover::addToRenderList(RenderList& list)
{
	GPathMovableNode::addToRenderList(list);
	if (!planned)
	{
		planned = true;
		onFirstRender();
	}
	if (!getScheduler())
		attachTask();
}

void GSelfDrivenMover::attachTask()
{
	if (TaskScheduler* scheduler = findSceneScheduler(this))
		setScheduler(scheduler);
}

bool GSelfDrivenMover::run(unsigned ms)
{
	// The step may take the node out of the tree; it lives to the end of the step.
	SmartPointer<BaseNode> keep(shareRef(static_cast<BaseNode*>(this)));
	return updateMover(ms);
}

void GSelfDrivenMover::leaveParent(BaseNode* body)
{
	SmartPointer<BaseNode> keep(shareRef(static_cast<BaseNode*>(this)));
	if (body)
		body->stopAllStates(false);
	setParent(nullptr);
}
