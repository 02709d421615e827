#include "GBaseSceneNode.h"

#include "audio/CSoundManager.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "core/SystemFlowEvents.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"

#include <string>

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;

// The control a hover or focus notification is about: second when gained, first when lost.
BaseNode* subjectOf(const CEventNodePairBase* event)
{
	return event->subject ? event->subject : event->sender;
}

void logAboutNode(const char* text, const BaseNode* node)
{
	getLogger()->log(text, node ? getStringById(node->getName()).c_str() : "", 0);
}
} // namespace

GBaseSceneNode::GBaseSceneNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : SceneNode(reference, parentNode, manager)
{
	mask |= EventCategorySystemFlow;
	period = UpdatePeriod;
}

GBaseSceneNode::~GBaseSceneNode()
{
	setScheduler(nullptr);
}

void GBaseSceneNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	SceneNode::copyFrom(source, manager);
}

bool GBaseSceneNode::updateTime(unsigned elapsed)
{
	if (isFocused())
		activeTime += static_cast<int>(elapsed);
	return true;
}

CSoundCue* GBaseSceneNode::playCue(const char* name, bool onlyIfNotPlaying)
{
	IDevice* device = Singleton<IDevice>::peek();
	CSoundManager* sounds = device ? device->getSoundManager() : nullptr;
	return sounds ? sounds->playCue(internStringId(name), onlyIfNotPlaying, 0) : nullptr;
}

void GBaseSceneNode::stopCue(const char* name)
{
	IDevice* device = Singleton<IDevice>::peek();
	if (CSoundManager* sounds = device ? device->getSoundManager() : nullptr)
		sounds->stopCue(internStringId(name));
}

void GBaseSceneNode::stopSoundGroup(int group)
{
	IDevice* device = Singleton<IDevice>::peek();
	if (CSoundManager* sounds = device ? device->getSoundManager() : nullptr)
		sounds->stopGroup(group);
}

// ---- events

const EventMap& GBaseSceneNode::eventMap()
{
	using S = GBaseSceneNode;
	static const EventMap table = extendEventMap(
	    ControlNode::eventMap(),
	    {
	        {CEventInputKeyUp::TypeId, &eventHandler<S, CEventInputKeyUp, &S::onKeyUp>},
	        {CEventSystemFlowDestroy::TypeId, &eventHandler<S, CEventSystemFlowDestroy, &S::onApplicationClose>},
	        {CEventSystemFlowWindowActivate::TypeId,
	         &eventHandler<S, CEventSystemFlowWindowActivate, &S::onWindowActivate>},
	        {CEventNodeMessageBoxResult::TypeId, &eventHandler<S, CEventNodeMessageBoxResult, &S::onMessageBoxResult>},
	        {CEventNodeSceneChangeStarted::TypeId,
	         &eventHandler<S, CEventNodeSceneChangeStarted, &S::onSceneChangeStarted>},
	        {CEventNodeSceneChangeFinished::TypeId,
	         &eventHandler<S, CEventNodeSceneChangeFinished, &S::onSceneChangeFinished>},
	        {CEventNodeTabChangeStarted::TypeId, &eventHandler<S, CEventNodeTabChangeStarted, &S::onTabChangeStarted>},
	        {CEventNodeTabChangeFinished::TypeId,
	         &eventHandler<S, CEventNodeTabChangeFinished, &S::onTabChangeFinished>},
	        {CEventNodeClickPreview::TypeId, &eventHandler<S, CEventNodeClickPreview, &S::onNodePressedPreview>},
	        {CEventNodeClicked::TypeId, &eventHandler<S, CEventNodeClicked, &S::onNodePressed>},
	        {CEventNodeHovered::TypeId, &eventHandler<S, CEventNodeHovered, &S::onNodeHovered>},
	        {CEventNodeUnhovered::TypeId, &eventHandler<S, CEventNodeUnhovered, &S::onNodeUnhovered>},
	        {CEventNodeFocused::TypeId, &eventHandler<S, CEventNodeFocused, &S::onNodeFocused>},
	        {CEventNodeUnfocused::TypeId, &eventHandler<S, CEventNodeUnfocused, &S::onNodeUnfocused>},
	        {CEventNodeValueChanged::TypeId, &eventHandler<S, CEventNodeValueChanged, &S::onValueChanged>},
	        {CEventNodeListItemClicked::TypeId, &eventHandler<S, CEventNodeListItemClicked, &S::onListItemPressed>},
	        {CEventNodeListItemHovered::TypeId, &eventHandler<S, CEventNodeListItemHovered, &S::onListItemHovered>},
	    });
	return table;
}

bool GBaseSceneNode::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

bool GBaseSceneNode::onKeyUp(CEventInputKeyUp* event)
{
	if (ControlNode::onKeyUp(event))
		return true;
	if (closeOnKey && (event->key == KeyEscape || event->key == KeyEnter))
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	return false;
}

bool GBaseSceneNode::onApplicationClose(CEventSystemFlowDestroy*)
{
	getLogger()->log("Application Close, scene cleanup", narrow(typeName()).c_str(), 0);
	return false;
}

bool GBaseSceneNode::onWindowActivate(CEventSystemFlowWindowActivate*)
{
	return false;
}

bool GBaseSceneNode::onMessageBoxResult(CEventNodeMessageBoxResult* event)
{
	getLogger()->log("Message box result", std::to_string(event->result).c_str(), 0);
	return false;
}

bool GBaseSceneNode::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (event->oldScene == this)
		setScheduler(nullptr);
	return false;
}

bool GBaseSceneNode::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	if (event->newScene == this)
	{
		activeTime = 0;
		const SceneNode* owner = getScene() ? getScene() : this;
		setScheduler(owner->getTaskScheduler());
	}
	return false;
}

bool GBaseSceneNode::onTabChangeStarted(CEventNodeTabChangeStarted*)
{
	return false;
}

bool GBaseSceneNode::onTabChangeFinished(CEventNodeTabChangeFinished*)
{
	return false;
}

bool GBaseSceneNode::onNodePressedPreview(CEventNodeClickPreview* event)
{
	logAboutNode("Node was pressed (preview)", event->control);
	if (event->control && event->control->isKindOf(NodeTypeButtonNode))
		playCue("ButtonClick");
	return false;
}

bool GBaseSceneNode::onNodePressed(CEventNodeClicked* event)
{
	logAboutNode("Node was pressed", event->control);
	return false;
}

bool GBaseSceneNode::onNodeHovered(CEventNodeHovered* event)
{
	BaseNode* node = subjectOf(event);
	logAboutNode("Node was hovered", node);
	if (node && node->isKindOf(NodeTypeButtonNode))
		playCue("ButtonOver");
	return false;
}

bool GBaseSceneNode::onNodeUnhovered(CEventNodeUnhovered* event)
{
	logAboutNode("Node was unhovered", subjectOf(event));
	return false;
}

bool GBaseSceneNode::onNodeFocused(CEventNodeFocused* event)
{
	logAboutNode("Node was focused", subjectOf(event));
	return false;
}

bool GBaseSceneNode::onNodeUnfocused(CEventNodeUnfocused* event)
{
	logAboutNode("Node was unfocused", subjectOf(event));
	return false;
}

bool GBaseSceneNode::onValueChanged(CEventNodeValueChanged* event)
{
	logAboutNode("Value was changed", event->control);
	return false;
}

bool GBaseSceneNode::onListItemPressed(CEventNodeListItemClicked* event)
{
	logAboutNode("List item was pressed", event->list);
	playCue("ButtonClick");
	return false;
}

bool GBaseSceneNode::onListItemHovered(CEventNodeListItemHovered* event)
{
	logAboutNode("List item was hovered", event->list);
	playCue("ButtonOver");
	return false;
}
