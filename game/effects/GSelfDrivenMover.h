#pragma once

#include "GPathMovableNode.h"
#include "core/IScheduledTask.h"

// Base of the path movers that drive themselves: the first render pass that reaches the node plans its
// route once, and an update task on the owning scene's scheduler moves it from then on.
class GSelfDrivenMover : public GPathMovableNode, public IScheduledTask
{
public:
	GSelfDrivenMover(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager, unsigned taskPeriod);
	~GSelfDrivenMover() override;

	void addToRenderList(RenderList& list) override;
	bool run(unsigned ms) override;

	bool isPlanned() const { return planned; }

protected:
	// Called once, on the first render pass; the node may start its route here.
	virtual void onFirstRender() {}
	// One step of the task; false ends it.
	virtual bool updateMover(unsigned ms) = 0;
	// Puts the task on the owning scene's scheduler when it has one.
	void attachTask();
	// The node leaves its parent; its "Body" child, when given, stops its states first.
	void leaveParent(BaseNode* body);

private:
	bool planned = false;
};
