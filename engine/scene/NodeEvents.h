#pragma once

#include "CEventNode.h"
#include "core/StringId.h"

// Node events (ids 33-74). Payload pointers name objects without holding them:
// a handler must not rely on a node named in an event queued before that node left its tree.

class BaseNode;
class SceneManager;
class SceneNode;
class TemplateCollectionNode;
class AnimatorSet;
class Base;

// A scene was shown or pushed by its manager.
class CEventNodeSceneAttached : public CEventNode
{
	ENGINE_EVENT_TYPE(33, CEventNode)
public:
	explicit CEventNodeSceneAttached(SceneManager* manager) : sceneManager(manager) {}
	SceneManager* sceneManager;
};

// The template collection in effect changed.
class CEventNodeTemplatesChanged : public CEventNode
{
	ENGINE_EVENT_TYPE(34, CEventNode)
public:
	explicit CEventNodeTemplatesChanged(TemplateCollectionNode* collection) : templates(collection) {}
	TemplateCollectionNode* templates;
};

// Base of the scene-change notifications.
class CEventNodeSceneChange : public CEventNode
{
	ENGINE_EVENT_TYPE(36, CEventNode)
public:
	CEventNodeSceneChange(SceneNode* from, SceneNode* to, unsigned char f) : oldScene(from), newScene(to), flag(f) {}
	SceneNode* oldScene;
	SceneNode* newScene;
	unsigned char flag;
};

class CEventNodeSceneChangeFinished : public CEventNodeSceneChange
{
	ENGINE_EVENT_TYPE(37, CEventNodeSceneChange)
public:
	CEventNodeSceneChangeFinished(SceneNode* from, SceneNode* to, unsigned char f) : CEventNodeSceneChange(from, to, f)
	{
	}
};

class CEventNodeSceneChangeStarted : public CEventNodeSceneChange
{
	ENGINE_EVENT_TYPE(38, CEventNodeSceneChange)
public:
	CEventNodeSceneChangeStarted(SceneNode* from, SceneNode* to, unsigned char f) : CEventNodeSceneChange(from, to, f)
	{
	}
};

// Delivered to the scene below a message box that closed.
class CEventNodeMessageBoxResult : public CEventNode
{
	ENGINE_EVENT_TYPE(39, CEventNode)
public:
	explicit CEventNodeMessageBoxResult(int index) : result(index) {}
	int result;
};

// Base of the tab-change notifications; the page left may be null.
class CEventNodeTabChange : public CEventNode
{
	ENGINE_EVENT_TYPE(40, CEventNode)
public:
	CEventNodeTabChange(BaseNode* left, BaseNode* entered) : pageLeft(left), pageEntered(entered) {}
	BaseNode* pageLeft;
	BaseNode* pageEntered;
};

class CEventNodeTabChangeFinished : public CEventNodeTabChange
{
	ENGINE_EVENT_TYPE(41, CEventNodeTabChange)
public:
	CEventNodeTabChangeFinished(BaseNode* left, BaseNode* entered) : CEventNodeTabChange(left, entered) {}
};

class CEventNodeTabChangeStarted : public CEventNodeTabChange
{
	ENGINE_EVENT_TYPE(42, CEventNodeTabChange)
public:
	CEventNodeTabChangeStarted(BaseNode* left, BaseNode* entered) : CEventNodeTabChange(left, entered) {}
};

// Requests and notifications between controls: {sender or null, subject}. The odd requests carry
// the subject second; the notifications carry the control second when something was gained and
// first when it was lost.
#define ENGINE_NODE_PAIR_EVENT(Name, Id, Parent)                                                                       \
	class Name : public Parent                                                                                         \
	{                                                                                                                  \
		ENGINE_EVENT_TYPE(Id, Parent)                                                                                  \
	public:                                                                                                            \
		Name(BaseNode* first, BaseNode* second) : Parent(first, second) {}                                             \
	};

// Root of the two-node request events.
class CEventNodePairBase : public CEventNode
{
protected:
	CEventNodePairBase(BaseNode* first, BaseNode* second) : sender(first), subject(second) {}

public:
	BaseNode* sender;
	BaseNode* subject;
};

#define ENGINE_NODE_REQUEST_EVENT(Name, Id)                                                                            \
	class Name : public CEventNodePairBase                                                                             \
	{                                                                                                                  \
		ENGINE_EVENT_TYPE(Id, CEventNode)                                                                              \
	public:                                                                                                            \
		Name(BaseNode* first, BaseNode* second) : CEventNodePairBase(first, second) {}                                 \
	};

ENGINE_NODE_REQUEST_EVENT(CEventNodePressRequest, 43)
ENGINE_NODE_PAIR_EVENT(CEventNodePressed, 44, CEventNodePressRequest)
ENGINE_NODE_REQUEST_EVENT(CEventNodeReleaseRequest, 45)
ENGINE_NODE_PAIR_EVENT(CEventNodeReleased, 46, CEventNodeReleaseRequest)
ENGINE_NODE_REQUEST_EVENT(CEventNodeHoverRequest, 47)
ENGINE_NODE_PAIR_EVENT(CEventNodeHovered, 48, CEventNodeHoverRequest)
ENGINE_NODE_REQUEST_EVENT(CEventNodeUnhoverRequest, 49)
ENGINE_NODE_PAIR_EVENT(CEventNodeUnhovered, 50, CEventNodeUnhoverRequest)
ENGINE_NODE_REQUEST_EVENT(CEventNodeFocusRequest, 51)
ENGINE_NODE_PAIR_EVENT(CEventNodeFocused, 52, CEventNodeFocusRequest)
ENGINE_NODE_REQUEST_EVENT(CEventNodeUnfocusRequest, 53)
ENGINE_NODE_PAIR_EVENT(CEventNodeUnfocused, 54, CEventNodeUnfocusRequest)

#undef ENGINE_NODE_REQUEST_EVENT
#undef ENGINE_NODE_PAIR_EVENT

// Events about one control (ids 55-59).
#define ENGINE_NODE_CONTROL_EVENT(Name, Id, Parent)                                                                    \
	class Name : public Parent                                                                                         \
	{                                                                                                                  \
		ENGINE_EVENT_TYPE(Id, Parent)                                                                                  \
	public:                                                                                                            \
		explicit Name(BaseNode* node) : Parent(node) {}                                                                \
	};

// Root of the events that name one control.
class CEventNodeControlBase : public CEventNode
{
protected:
	explicit CEventNodeControlBase(BaseNode* node) : control(node) {}

public:
	BaseNode* control;
};

class CEventNodeClickPreviewRequest : public CEventNodeControlBase
{
	ENGINE_EVENT_TYPE(55, CEventNode)
public:
	explicit CEventNodeClickPreviewRequest(BaseNode* node) : CEventNodeControlBase(node) {}
};
ENGINE_NODE_CONTROL_EVENT(CEventNodeClickPreview, 56, CEventNodeClickPreviewRequest)

class CEventNodeClickRequest : public CEventNodeControlBase
{
	ENGINE_EVENT_TYPE(57, CEventNode)
public:
	explicit CEventNodeClickRequest(BaseNode* node) : CEventNodeControlBase(node) {}
};
ENGINE_NODE_CONTROL_EVENT(CEventNodeClicked, 58, CEventNodeClickRequest)

// Posted by value controls to their parent for changes made by the user only.
class CEventNodeValueChanged : public CEventNodeControlBase
{
	ENGINE_EVENT_TYPE(59, CEventNode)
public:
	explicit CEventNodeValueChanged(BaseNode* node) : CEventNodeControlBase(node) {}
};

#undef ENGINE_NODE_CONTROL_EVENT

// Root of the list events {list, item index}.
class CEventNodeListBase : public CEventNode
{
protected:
	CEventNodeListBase(BaseNode* node, int index) : list(node), item(index) {}

public:
	BaseNode* list;
	int item;
};

class CEventNodeListSelectionChanged : public CEventNodeListBase
{
	ENGINE_EVENT_TYPE(60, CEventNode)
public:
	CEventNodeListSelectionChanged(BaseNode* node, int index) : CEventNodeListBase(node, index) {}
};

class CEventNodeListItemClicked : public CEventNodeListBase
{
	ENGINE_EVENT_TYPE(61, CEventNode)
public:
	CEventNodeListItemClicked(BaseNode* node, int index) : CEventNodeListBase(node, index) {}
};

class CEventNodeListItemCheckChanged : public CEventNodeListBase
{
	ENGINE_EVENT_TYPE(62, CEventNode)
public:
	CEventNodeListItemCheckChanged(BaseNode* node, int index, bool isChecked)
	    : CEventNodeListBase(node, index), checked(isChecked)
	{
	}
	bool checked;
};

class CEventNodeListItemHovered : public CEventNodeListBase
{
	ENGINE_EVENT_TYPE(63, CEventNode)
public:
	CEventNodeListItemHovered(BaseNode* node, int index) : CEventNodeListBase(node, index) {}
};

// An animation action reached its end.
class CEventNodeActionFinished : public CEventNode
{
	ENGINE_EVENT_TYPE(65, CEventNode)
public:
	CEventNodeActionFinished(Base* finished, int ms, bool wasLooped) : action(finished), time(ms), looped(wasLooped) {}
	Base* action;
	int time;
	bool looped;
};

// An animator set started running a state.
class CEventNodeAnimatorStarted : public CEventNode
{
	ENGINE_EVENT_TYPE(66, CEventNode)
public:
	CEventNodeAnimatorStarted(AnimatorSet* set, StringId name) : animatorSet(set), stateName(name) {}
	AnimatorSet* animatorSet;
	StringId stateName;
};

// An animator set ended or was stopped (aborted).
class CEventNodeAnimatorEnded : public CEventNode
{
	ENGINE_EVENT_TYPE(67, CEventNode)
public:
	CEventNodeAnimatorEnded(AnimatorSet* set, StringId name, bool wasAborted)
	    : animatorSet(set), stateName(name), aborted(wasAborted)
	{
	}
	AnimatorSet* animatorSet;
	StringId stateName;
	bool aborted;
};

// Root of the state notifications {node, state name}.
class CEventNodeStateBase : public CEventNode
{
protected:
	CEventNodeStateBase(BaseNode* subject, StringId name) : node(subject), stateName(name) {}

public:
	BaseNode* node;
	StringId stateName;
};

#define ENGINE_NODE_STATE_EVENT(Name, Id)                                                                              \
	class Name : public CEventNodeStateBase                                                                            \
	{                                                                                                                  \
		ENGINE_EVENT_TYPE(Id, CEventNode)                                                                              \
	public:                                                                                                            \
		Name(BaseNode* subject, StringId name) : CEventNodeStateBase(subject, name) {}                                 \
	};

ENGINE_NODE_STATE_EVENT(CEventNodeStateStarted, 68)
ENGINE_NODE_STATE_EVENT(CEventNodeStateFinished, 70)
ENGINE_NODE_STATE_EVENT(CEventNodeChildrenStateStarted, 72)
ENGINE_NODE_STATE_EVENT(CEventNodeChildrenStateFinished, 74)

#undef ENGINE_NODE_STATE_EVENT
