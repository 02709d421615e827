#include "GCarNode.h"

GCarNode::GCarNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GSelfDrivenMover(reference, parentNode, manager, 10)
{
}

const irr::core::stringw& GCarNode::typeNameText()
{
	static const irr::core::stringw name(L"GCarNode");
	return name;
}

bool GCarNode::updateMover(unsigned ms)
{
	updateMovement(ms);
	if (isMoving() || !removedAtEnd)
		return true;
	// Its destructor takes it off the traffic.
	leaveParent(nullptr);
	return false;
}
