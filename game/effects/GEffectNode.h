#pragma once

#include "core/IScheduledTask.h"
#include "scene/BaseNode.h"

// Base of the self-driving effect nodes: the first render pass that reaches the node draws its random
// values once, and an update task on the owning scene's scheduler drives it until it is done.
class GEffectNode : public BaseNode, public IScheduledTask
{
public:
	static constexpr unsigned EffectTaskPeriod = 30; // ms

	GEffectNode(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager,
	            unsigned taskPeriod = EffectTaskPeriod);
	~GEffectNode() override;

	// Reads the base properties, then each of the class's own table entries the collection holds.
	void readProperties(const CPropertyCollection& collection) override;

	// Starts the effect whether or not the node itself is Visible: only a drawn parent matters.
	void addToRenderList(RenderList& list) override;
	bool run(unsigned ms) override;

	bool isStarted() const { return started; }
	// The task ended: the node does not start again.
	bool isFinished() const { return finished; }

protected:
	// Whether the next render pass may start the effect.
	virtual bool canStart() const { return true; }
	// Draws the random values; called once, before the task is first attached.
	virtual void startEffect() = 0;
	// One step of the task; false ends it for good.
	virtual bool updateEffect(unsigned ms) = 0;
	// Forgets the start and detaches the task, so the next render pass starts the effect anew.
	void restartEffect();
	// Counts a life down by ms. At its end the node leaves its parent and false comes back; until then
	// the node fades over its last second.
	bool liveOn(int& remainingMs, unsigned ms);

private:
	bool started = false;
	bool finished = false;
};
