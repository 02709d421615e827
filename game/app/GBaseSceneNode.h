#pragma once

#include "core/IScheduledTask.h"
#include "data/GameNodeTypeIds.h"
#include "scene/SceneNode.h"

class CEventInputKeyUp;
class CSoundCue;
class CEventNodeClickPreview;
class CEventNodeClicked;
class CEventNodeFocused;
class CEventNodeHovered;
class CEventNodeListItemClicked;
class CEventNodeListItemHovered;
class CEventNodeMessageBoxResult;
class CEventNodeSceneChangeFinished;
class CEventNodeSceneChangeStarted;
class CEventNodeTabChangeFinished;
class CEventNodeTabChangeStarted;
class CEventNodeUnfocused;
class CEventNodeUnhovered;
class CEventNodeValueChanged;
class CEventSystemFlowDestroy;
class CEventSystemFlowWindowActivate;

// Base of every game screen: a periodic update while the scene is on screen, the time it has had the
// focus, optional closing on Esc or Enter, and overridable handlers for the events screens react to.
class GBaseSceneNode : public SceneNode, public IScheduledTask
{
	ENGINE_NODE_TYPE(GBaseSceneNode, NodeTypeGBaseSceneNode, SceneNode)
	ENGINE_NODE_CLONE(GBaseSceneNode)

public:
	static constexpr unsigned UpdatePeriod = 30;

	explicit GBaseSceneNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);
	~GBaseSceneNode() override;

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// The update task's step; subclasses override updateTime and call it first.
	bool run(unsigned elapsed) override { return updateTime(elapsed); }
	virtual bool updateTime(unsigned elapsed);

	bool onKeyUp(CEventInputKeyUp* event) override;
	virtual bool onApplicationClose(CEventSystemFlowDestroy* event);
	virtual bool onWindowActivate(CEventSystemFlowWindowActivate* event);
	virtual bool onMessageBoxResult(CEventNodeMessageBoxResult* event);
	virtual bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event);
	virtual bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event);
	virtual bool onTabChangeStarted(CEventNodeTabChangeStarted* event);
	virtual bool onTabChangeFinished(CEventNodeTabChangeFinished* event);
	virtual bool onNodePressedPreview(CEventNodeClickPreview* event);
	virtual bool onNodePressed(CEventNodeClicked* event);
	virtual bool onNodeHovered(CEventNodeHovered* event);
	virtual bool onNodeUnhovered(CEventNodeUnhovered* event);
	virtual bool onNodeFocused(CEventNodeFocused* event);
	virtual bool onNodeUnfocused(CEventNodeUnfocused* event);
	virtual bool onValueChanged(CEventNodeValueChanged* event);
	virtual bool onListItemPressed(CEventNodeListItemClicked* event);
	virtual bool onListItemHovered(CEventNodeListItemHovered* event);

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	int getActiveTime() const { return activeTime; }
	bool isCloseOnKey() const { return closeOnKey; }
	void setCloseOnKey(bool value) { closeOnKey = value; }

	// Plays a sound cue through the device's sound manager with its group's default fade-in; the
	// playing instance, or null when there is no sound. With onlyIfNotPlaying a cue that still plays
	// is not started again. Level nodes use it as well as screens.
	static CSoundCue* playCue(const char* name, bool onlyIfNotPlaying = false);
	// Stops the oldest playing instance of the cue with its group's fade-out.
	static void stopCue(const char* name);
	// Stops every sound of the group (the level's sounds when it closes).
	static void stopSoundGroup(int group);

protected:

	int activeTime = 0;
	bool closeOnKey = false;
};
