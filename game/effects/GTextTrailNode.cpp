#include "GTextTrailNode.h"

#include "nodes/TextNode.h"

using namespace irr;

namespace
{
StringId startStateName()
{
	static const StringId id = internStringId("Start");
	return id;
}

StringId dieStateName()
{
	static const StringId id = internStringId("Die");
	return id;
}
} // namespace

GTextTrailNode::GTextTrailNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GSelfDrivenMover(reference, parentNode, manager, 10)
{
}

const core::stringw& GTextTrailNode::typeNameText()
{
	static const core::stringw name(L"GTextTrailNode");
	return name;
}

void GTextTrailNode::setText(const core::stringw& text)
{
	if (TextNode* node = asTextNode(findChild(internStringId("Text"), 1)))
		node->setText(text);
}

void GTextTrailNode::attachToSceneManager(INodeEventQueue* manager, SceneNode* owner)
{
	GSelfDrivenMover::attachToSceneManager(manager, owner);
	if (manager && !getScheduler())
		attachTask();
}

void GTextTrailNode::onFirstRender()
{
	setChildrenState(startStateName(), nullptr);
	setState(startStateName(), nullptr, StringId());
}

bool GTextTrailNode::updateMover(unsigned ms)
{
	if (dieTimer == -1)
	{
		const bool wasMoving = isMoving();
		updateMovement(ms);
		// Above the scene.
		setPosition(core::vector3df(Position.X, Position.Y, 3000.0f));
		if (wasMoving && !isMoving())
		{
			setChildrenState(dieStateName(), nullptr);
			dieTimer = 2000;
		}
		return true;
	}
	if (dieTimer > 0)
	{
		dieTimer -= static_cast<int>(ms);
		if (dieTimer <= 0)
		{
			leaveParent(nullptr);
			return false;
		}
	}
	return true;
}
