#include "BackButtonNode.h"

#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"

const EventMap& BackButtonNode::eventMap()
{
	static const EventMap map = extendEventMap(
	    ControlNode::eventMap(),
	    {
	        {CEventNodeClicked::TypeId, &eventHandler<BackButtonNode, CEventNodeClicked, &BackButtonNode::onClicked>},
	    });
	return map;
}

bool BackButtonNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool BackButtonNode::onClicked(CEventNodeClicked*)
{
	auto* manager = dynamic_cast<SceneManager*>(getSceneManager());
	SceneNode* top = manager ? manager->getTopScene() : nullptr;
	if (top)
		top->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo());
	return false;
}
