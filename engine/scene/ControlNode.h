#pragma once

#include "BaseNode.h"

class CEventInputKeyDown;
class CEventInputKeyUp;
class CEventInputMouse;
class CEventInputMouseLeftDown;
class CEventInputMouseLeftUp;
class CEventInputMouseMove;
class CEventNodeClickRequest;
class CEventNodeFocusRequest;
class CEventNodeHoverRequest;
class CEventNodePressRequest;
class CEventNodeReleaseRequest;
class CEventNodeUnfocusRequest;
class CEventNodeUnhoverRequest;
class TemplateCollectionNode;

// Interactive node: hover, press and click, focus with arrow-key navigation, an enabled switch and
// a template root whose states show the visual states; a click is reported once "Press" has played.
class ControlNode : public BaseNode
{
	ENGINE_NODE_TYPE(ControlNode, NodeTypeControlNode, BaseNode)
	ENGINE_NODE_CLONE(ControlNode)

public:
	explicit ControlNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                     INodeEventQueue* sceneManager = nullptr);
	~ControlNode() override;

	// ---- properties
	const PropertyTable& propertyTable() const override;
	static const PropertyTable& controlNodePropertyTable();
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	// The template root follows the control into its scene.
	void attachToSceneManager(INodeEventQueue* sceneManager, SceneNode* scene) override;

	// ---- drawing, hit testing, transformation
	void addToRenderList(RenderList& list) override;
	bool hitTestPoint(const irr::core::vector2df& point) const override;
	void updateAbsoluteTransform() override;
	void updateAbsoluteColor() override;

	// ---- states: the template root's children join as one participant
	void setChildrenState(StringId state, StateFallback fallback) override;
	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;
	bool onAnimatorStarted(CEventNodeAnimatorStarted* event) override;

	bool onSceneAttached(CEventNodeSceneAttached* event) override;
	bool onTemplatesChanged(CEventNodeTemplatesChanged* event) override;
	bool onReservedEvent35(CEventNode* event) override;

	// ---- interaction
	virtual void setFocused(bool value);
	virtual void setEnabled(bool value);
	virtual void setHovered(bool value);
	virtual void setPressed(bool value);
	virtual bool click();
	// Ends a click whose press look has played: the click request goes to this control, then its parents.
	void finishPress();
	virtual void applyTemplate();
	virtual void enterPressVisualState();
	virtual void restoreVisualStateAfterPress();
	virtual void updatePressedVisualState();
	virtual void updateHoverVisualState();
	virtual void updateFocusVisualState();
	virtual void updateEnabledVisualState();
	virtual void focusDefaultObject();

	virtual bool onHoverRequest(CEventNodeHoverRequest* event);
	virtual bool onUnhoverRequest(CEventNodeUnhoverRequest* event);
	virtual bool onFocusRequest(CEventNodeFocusRequest* event);
	virtual bool onUnfocusRequest(CEventNodeUnfocusRequest* event);
	virtual bool onPressRequest(CEventNodePressRequest* event);
	virtual bool onReleaseRequest(CEventNodeReleaseRequest* event);
	virtual bool onClickRequest(CEventNodeClickRequest* event);
	virtual bool onMouseMove(CEventInputMouseMove* event);
	virtual bool onMouseLeftDown(CEventInputMouseLeftDown* event);
	virtual bool onMouseLeftUp(CEventInputMouseLeftUp* event);
	virtual bool onKeyDown(CEventInputKeyDown* event);
	virtual bool onKeyUp(CEventInputKeyUp* event);

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	// A disabled control passes no input event to its children.
	bool sendToChildren(int mode, CEvent* event) override;

	void setTemplateName(StringId name);
	StringId getTemplateName() const { return TemplateName; }
	bool isEnabled() const { return Enabled; }
	bool isFocused() const { return focused; }
	bool isHovered() const { return hovered; }
	bool isPressed() const { return pressed; }
	bool isClickPending() const { return clickPending; }
	bool wantsFocus() const { return WantFocus; }
	void setWantFocus(bool value) { WantFocus = value; }
	bool isFocusOnHover() const { return IsFocusOnHover; }
	void setFocusOnHover(bool value) { IsFocusOnHover = value; }
	bool isHoverTracking() const { return HoverTrack; }
	void setHoverTrack(bool value) { HoverTrack = value; }
	ControlNode* getTemplateRoot() const { return templateRoot; }
	BaseNode* getFocusedChild() const { return focusedChild; }
	StringId getDefaultFocusObjectName() const { return DefaultFocusObjectName; }
	void setDefaultFocusObjectName(StringId name) { DefaultFocusObjectName = name; }
	StringId getNavObjectName(int key) const;
	void setNavObjectName(int key, StringId name);

	// Fallbacks between the visual states.
	static StringId controlStateFallback(StringId state);

	// Templates nest at most this deep; a template holding a control that names the same
	// template, directly or through others, would otherwise clone itself until the stack ends.
	static constexpr int maxTemplateDepth = 10;

	static StringId nameIdNormal();
	static StringId nameIdFocus();
	static StringId nameIdKillFocus();
	static StringId nameIdPress();
	static StringId nameIdPressed();
	static StringId nameIdKillPressed();
	static StringId nameIdNormalHover();
	static StringId nameIdNormalKillHover();
	static StringId nameIdFocusHover();
	static StringId nameIdFocusKillHover();
	static StringId nameIdNormalDisable();
	static StringId nameIdFocusDisable();
	static StringId nameIdText();

protected:
	// The scene manager's template store, or null.
	TemplateCollectionNode* findTemplateCollection() const;
	// applyTemplate unless the control lies in the content of its own template or too many
	// templates deep; a refused application logs and changes nothing.
	bool applyTemplateBounded();
	void createTemplateRoot();
	void dropTemplateRoot();
	void setVisualState(StringId state) { setChildrenState(state, &ControlNode::controlStateFallback); }
	BaseNode* hitTestOwnSubtree(const CEventInputMouse* event);

	StringId DefaultFocusObjectName;
	StringId NavLeftObjectName;
	StringId NavRightObjectName;
	StringId NavDownObjectName;
	StringId NavUpObjectName;
	StringId TemplateName;
	ControlNode* templateRoot = nullptr;
	BaseNode* focusedChild = nullptr;
	bool WantFocus = true;
	bool focused = false;
	bool Enabled = true;
	bool HoverTrack = true;
	bool hovered = false;
	bool IsFocusOnHover = false;
	bool pressed = false;
	bool clickPending = false;
};
