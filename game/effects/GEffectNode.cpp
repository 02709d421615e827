#include "GEffectNode.h"

#include "EffectSupport.h"
#include "core/SmartPointer.h"
#include "nodes/NodeServices.h"

GEffectNode::GEffectNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager,
                         unsigned taskPeriod)
    : BaseNode(reference, parentNode, manager)
{
	period = taskPeriod;
}

GEffectNode::~GEffectNode()
{
	setScheduler(nullptr);
}

void GEffectNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	readTableProperties(this, collection, propertyTable(), baseNodePropertyTable().size());
}

void GEffectNode::addToRenderList(RenderList& list)
{
	BaseNode::addToRenderList(list);
	if (finished || getScheduler())
		return;
	if (!started)
	{
		if (!canStart())
			return;
		started = true;
		startEffect();
	}
	// The random values are drawn once: a node without a scene keeps them until it reaches one.
	if (TaskScheduler* scheduler = findSceneScheduler(this))
		setScheduler(scheduler);
}

bool GEffectNode::run(unsigned ms)
{
	// The step may take the node out of the tree; it lives to the end of the step.
	SmartPointer<BaseNode> keep(shareRef(static_cast<BaseNode*>(this)));
	if (updateEffect(ms))
		return true;
	finished = true;
	return false;
}

void GEffectNode::restartEffect()
{
	started = false;
	finished = false;
	setScheduler(nullptr);
}

bool GEffectNode::liveOn(int& remainingMs, unsigned ms)
{
	remainingMs -= static_cast<int>(ms);
	if (remainingMs <= 0)
	{
		removeFromParent(this);
		return false;
	}
	fadeOutLastSecond(this, remainingMs);
	return true;
}
