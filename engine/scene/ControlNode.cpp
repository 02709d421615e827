#include "ControlNode.h"

#include "INodeEventQueue.h"
#include "ISceneServices.h"
#include "NodeEvents.h"
#include "PropertyAccessors.h"
#include "PropertyValue.h"
#include "TemplateCollectionNode.h"
#include "core/CPropertyCollection.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "core/TaskScheduler.h"
#include "core/PropertyMakers.h"

#include <map>

using namespace irr;

namespace
{
ControlNode* self(IPropertyOwner* owner)
{
	return static_cast<ControlNode*>(owner);
}
const ControlNode* self(const IPropertyOwner* owner)
{
	return static_cast<const ControlNode*>(owner);
}

enum NavKey
{
	KeyLeft = 37,
	KeyUp = 38,
	KeyRight = 39,
	KeyDown = 40,
};

// Posts a new event to a receiver and lets go of the creation reference.
template <class E> void postNew(BaseNode* node, EventReceiver* receiver, int mode, E* event)
{
	node->postEvent(receiver, mode, event);
	event->drop();
}

StringId interned(const char* name)
{
	return internStringId(name);
}

void readName(const CPropertyCollection& collection, const char* name, StringId& field)
{
	if (collection.indexOf(name) >= 0)
		field = PropertyKind<StringId>::read(collection.get(name));
}

void writeName(CPropertyCollection& collection, const char* name, StringId field)
{
	if (!field.isEmpty())
		collection.addString(name, getStringById(field));
}

} // namespace

#define CONTROL_NAME_PROPERTY(Name, Key)                                                                               \
	{                                                                                                                  \
		Name,                                                                                                          \
		    [](IPropertyOwner* o, const SmartPointer<IPropertyData>& v)                                                \
		{ self(o)->setNavObjectName(Key, PropertyKind<StringId>::read(v)); },                                          \
		    [](const IPropertyOwner* o) { return PropertyKind<StringId>::make(self(o)->getNavObjectName(Key)); }       \
	}

ControlNode::ControlNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
	mask |= EventCategoryMouse | EventCategoryNode;
}

ControlNode::~ControlNode()
{
	dropTemplateRoot();
}

// ---- names

#define CONTROL_NAME_ID(Function, Text)                                                                                \
	StringId ControlNode::Function()                                                                                   \
	{                                                                                                                  \
		static const StringId id = interned(Text);                                                                     \
		return id;                                                                                                     \
	}

CONTROL_NAME_ID(nameIdNormal, "Normal")
CONTROL_NAME_ID(nameIdFocus, "Focus")
CONTROL_NAME_ID(nameIdKillFocus, "KillFocus")
CONTROL_NAME_ID(nameIdPress, "Press")
CONTROL_NAME_ID(nameIdPressed, "Pressed")
CONTROL_NAME_ID(nameIdKillPressed, "KillPressed")
CONTROL_NAME_ID(nameIdNormalHover, "NormalHover")
CONTROL_NAME_ID(nameIdNormalKillHover, "NormalKillHover")
CONTROL_NAME_ID(nameIdFocusHover, "FocusHover")
CONTROL_NAME_ID(nameIdFocusKillHover, "FocusKillHover")
CONTROL_NAME_ID(nameIdNormalDisable, "NormalDisable")
CONTROL_NAME_ID(nameIdFocusDisable, "FocusDisable")
CONTROL_NAME_ID(nameIdText, "Text")

#undef CONTROL_NAME_ID

StringId ControlNode::controlStateFallback(StringId state)
{
	static const std::map<StringId, StringId> table = {
	    {nameIdFocus(), nameIdNormal()},
	    {nameIdKillFocus(), nameIdNormal()},
	    {nameIdNormalDisable(), nameIdNormal()},
	    {nameIdFocusDisable(), nameIdNormalDisable()},
	    {nameIdPressed(), nameIdFocus()},
	    {nameIdKillPressed(), nameIdFocus()},
	    {nameIdPress(), nameIdFocus()},
	    {nameIdNormalKillHover(), nameIdNormal()},
	    {nameIdFocusHover(), nameIdNormalHover()},
	    {nameIdFocusKillHover(), nameIdFocus()},
	};
	auto it = table.find(state);
	return it == table.end() ? StringId() : it->second;
}

StringId ControlNode::getNavObjectName(int key) const
{
	switch (key)
	{
	case KeyLeft:
		return NavLeftObjectName;
	case KeyUp:
		return NavUpObjectName;
	case KeyRight:
		return NavRightObjectName;
	case KeyDown:
		return NavDownObjectName;
	default:
		return DefaultFocusObjectName;
	}
}

void ControlNode::setNavObjectName(int key, StringId name)
{
	switch (key)
	{
	case KeyLeft:
		NavLeftObjectName = name;
		break;
	case KeyUp:
		NavUpObjectName = name;
		break;
	case KeyRight:
		NavRightObjectName = name;
		break;
	case KeyDown:
		NavDownObjectName = name;
		break;
	default:
		DefaultFocusObjectName = name;
		break;
	}
}

// ---- properties

const PropertyTable& ControlNode::propertyTable() const
{
	return controlNodePropertyTable();
}

const PropertyTable& ControlNode::controlNodePropertyTable()
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        CONTROL_NAME_PROPERTY("DefaultFocusObject", 0),
	        CONTROL_NAME_PROPERTY("NavLeftObjectName", KeyLeft),
	        CONTROL_NAME_PROPERTY("NavRightObjectName", KeyRight),
	        CONTROL_NAME_PROPERTY("NavDownObjectName", KeyDown),
	        CONTROL_NAME_PROPERTY("NavUpObjectName", KeyUp),
	        accessorProperty<&ControlNode::setTemplateName, &ControlNode::getTemplateName>("TemplateName"),
	        accessorProperty<&ControlNode::setWantFocus, &ControlNode::wantsFocus>("WantFocus"),
	        accessorProperty<&ControlNode::setFocusOnHover, &ControlNode::isFocusOnHover>("IsFocusOnHover"),
	        accessorProperty<&ControlNode::setEnabled, &ControlNode::isEnabled>("Enabled"),
	        accessorProperty<&ControlNode::setHoverTrack, &ControlNode::isHoverTracking>("HoverTrack"),
	    });
	return table;
}

void ControlNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	writeName(collection, "DefaultFocusObjectName", DefaultFocusObjectName);
	writeName(collection, "NavLeftObjectName", NavLeftObjectName);
	writeName(collection, "NavRightObjectName", NavRightObjectName);
	writeName(collection, "NavDownObjectName", NavDownObjectName);
	writeName(collection, "NavUpObjectName", NavUpObjectName);
	writeName(collection, "TemplateName", TemplateName);
	if (!Enabled)
		collection.addBool("Enabled", false);
	if (!WantFocus)
		collection.addBool("WantFocus", false);
	collection.addBool("IsFocusOnHover", IsFocusOnHover);
	if (!HoverTrack)
		collection.addBool("HoverTrack", false);
}

void ControlNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	readName(collection, "DefaultFocusObjectName", DefaultFocusObjectName);
	readName(collection, "NavLeftObjectName", NavLeftObjectName);
	readName(collection, "NavRightObjectName", NavRightObjectName);
	readName(collection, "NavDownObjectName", NavDownObjectName);
	readName(collection, "NavUpObjectName", NavUpObjectName);
	if (collection.indexOf("WantFocus") >= 0)
		WantFocus = collection.getBool("WantFocus");
	if (collection.indexOf("IsFocusOnHover") >= 0)
		IsFocusOnHover = collection.getBool("IsFocusOnHover");
	if (collection.indexOf("HoverTrack") >= 0)
		HoverTrack = collection.getBool("HoverTrack");
	if (collection.indexOf("Enabled") >= 0)
		setEnabled(collection.getBool("Enabled"));
	if (collection.indexOf("TemplateName") >= 0)
	{
		TemplateName = PropertyKind<StringId>::read(collection.get("TemplateName"));
		applyTemplateBounded();
	}
}

// ---- cloning and the template root

void ControlNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	const ControlNode* control = nodeCast<ControlNode>(source);
	if (!control)
		return;
	Enabled = control->Enabled;
	WantFocus = control->WantFocus;
	HoverTrack = control->HoverTrack;
	IsFocusOnHover = control->IsFocusOnHover;
	DefaultFocusObjectName = control->DefaultFocusObjectName;
	NavLeftObjectName = control->NavLeftObjectName;
	NavRightObjectName = control->NavRightObjectName;
	NavDownObjectName = control->NavDownObjectName;
	NavUpObjectName = control->NavUpObjectName;
	TemplateName = control->TemplateName;
	dropTemplateRoot();
	if (control->templateRoot)
	{
		createTemplateRoot();
		control->templateRoot->cloneContentsInto(templateRoot);
	}
}

void ControlNode::createTemplateRoot()
{
	auto* root =
	    new ControlNode(ContentRef(getContentRef().getContentManager(), "TemplateRoot"), nullptr, getSceneManager());
	root->setInternal(true);
	// Linked and attached, but never in the child array; the link holds the one reference.
	root->setParent(this);
	templateRoot = root;
	root->drop();
}

void ControlNode::dropTemplateRoot()
{
	ControlNode* root = templateRoot;
	if (!root)
		return;
	templateRoot = nullptr;
	root->stopAllStates(false);
	root->setParent(nullptr);
	root->attachToSceneManager(nullptr, nullptr);
	root->drop();
}

void ControlNode::attachToSceneManager(INodeEventQueue* manager, SceneNode* sceneNode)
{
	BaseNode::attachToSceneManager(manager, sceneNode);
	if (templateRoot)
		templateRoot->attachToSceneManager(manager, sceneNode);
}

TemplateCollectionNode* ControlNode::findTemplateCollection() const
{
	auto* services = dynamic_cast<ISceneServices*>(getSceneManager());
	return services ? services->getTemplateCollection() : nullptr;
}

bool ControlNode::applyTemplateBounded()
{
	// Whatever hangs below an internal node (a template root, a list's elements) comes from its
	// parent's template. A control there that names that template again would contain itself.
	int depth = 0;
	bool loops = false;
	for (const BaseNode* node = this; node->getParent(); node = node->getParent())
	{
		if (!node->isInternal())
			continue;
		++depth;
		const ControlNode* owner = nodeCast<ControlNode>(node->getParent());
		if (owner && !TemplateName.isEmpty() && owner->TemplateName == TemplateName)
			loops = true;
	}
	if (loops || depth >= maxTemplateDepth)
	{
		getLogger()->log("Templates nest too deep; the chain stops here", getStringById(TemplateName).c_str(), 1);
		return false;
	}
	applyTemplate();
	return true;
}

void ControlNode::applyTemplate()
{
	TemplateCollectionNode* collection = findTemplateCollection();
	if (!collection)
		return;
	if (!templateRoot)
		createTemplateRoot();
	SmartPointer<ControlNode> root(shareRef(templateRoot));
	collection->applyTemplate(TemplateName, root.get());
	root->updateAbsoluteTransform();
	root->updateAbsoluteColor();
	SmartPointer<CEventNodeTemplatesChanged> event(new CEventNodeTemplatesChanged(collection));
	root->sendToChildren(DeliverSelfThenChildren, event.get());
}

void ControlNode::setTemplateName(StringId name)
{
	TemplateName = name;
	applyTemplateBounded();
}

// ---- drawing and hit testing

void ControlNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	if (templateRoot)
		templateRoot->addToRenderList(list);
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

bool ControlNode::hitTestPoint(const core::vector2df& point) const
{
	return Visible && templateRoot && templateRoot->hitTest(point) != nullptr;
}

void ControlNode::updateAbsoluteTransform()
{
	BaseNode::updateAbsoluteTransform();
	if (templateRoot)
		templateRoot->updateAbsoluteTransform();
}

void ControlNode::updateAbsoluteColor()
{
	BaseNode::updateAbsoluteColor();
	if (templateRoot)
		templateRoot->updateAbsoluteColor();
}

BaseNode* ControlNode::hitTestOwnSubtree(const CEventInputMouse* event)
{
	return hitTest(core::vector2df(static_cast<f32>(event->x), static_cast<f32>(event->y)));
}

// ---- states

void ControlNode::setChildrenState(StringId state, StateFallback fallback)
{
	const bool rootTakesPart = templateRoot && !templateRoot->getChildren().empty();
	const int participants = static_cast<int>(children.size()) + (rootTakesPart ? 1 : 0);
	if (participants == 0)
	{
		postStateEvents(state, true);
		return;
	}
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	SmartPointer<CEventNodeChildrenStateStarted> started(new CEventNodeChildrenStateStarted(this, state));
	onEvent(started.get());
	beginChildrenState(state, participants);
	if (rootTakesPart)
	{
		SmartPointer<ControlNode> root(shareRef(templateRoot));
		root->setChildrenState(state, fallback);
	}
	startChildrenInState(state, fallback);
}

bool ControlNode::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	if (templateRoot && event->node == templateRoot)
	{
		// The template root counts as one participant, like a direct child.
		SmartPointer<CEventNodeStateFinished> finished(new CEventNodeStateFinished(templateRoot, event->stateName));
		onEvent(finished.get());
		return true;
	}
	if (event->stateName == nameIdPress() && clickPending)
	{
		finishPress();
		return true;
	}
	return false;
}

void ControlNode::finishPress()
{
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	clickPending = false;
	restoreVisualStateAfterPress();
	SmartPointer<CEventNodeClickRequest> request(new CEventNodeClickRequest(this));
	if (!onEvent(request.get()))
		sendToParent(DeliverSelfThenParent, request.get());
}

bool ControlNode::onAnimatorStarted(CEventNodeAnimatorStarted*)
{
	return true;
}

bool ControlNode::onSceneAttached(CEventNodeSceneAttached*)
{
	applyTemplateBounded();
	return false;
}

bool ControlNode::onTemplatesChanged(CEventNodeTemplatesChanged*)
{
	applyTemplateBounded();
	return false;
}

bool ControlNode::onReservedEvent35(CEventNode*)
{
	applyTemplateBounded();
	return false;
}

// ---- interaction

void ControlNode::setPressed(bool value)
{
	if (value == pressed)
		return;
	pressed = value;
	if (value)
		postNew(this, this, DeliverSelfThenParent, new CEventNodePressed(nullptr, this));
	else
		postNew(this, this, DeliverSelfThenParent, new CEventNodeReleased(this, nullptr));
	updatePressedVisualState();
}

void ControlNode::setHovered(bool value)
{
	if (value == hovered)
		return;
	hovered = value;
	if (value)
	{
		SmartPointer<CEventNodeHoverRequest> request(new CEventNodeHoverRequest(nullptr, this));
		sendToParent(DeliverSelfThenParent, request.get());
		postNew(this, this, DeliverSelfThenParent, new CEventNodeHovered(nullptr, this));
		if (IsFocusOnHover)
			setFocused(true);
	}
	else
	{
		postNew(this, this, DeliverSelfThenParent, new CEventNodeUnhovered(this, nullptr));
	}
	updateHoverVisualState();
}

void ControlNode::setFocused(bool value)
{
	if (value == focused || (value && !WantFocus))
		return;
	focused = value;
	if (value)
	{
		mask |= EventCategoryKeyboard;
		SmartPointer<CEventNodeFocusRequest> request(new CEventNodeFocusRequest(nullptr, this));
		sendToParent(DeliverSelfThenParent, request.get());
		postNew(this, this, DeliverSelfThenParent, new CEventNodeFocused(nullptr, this));
		bool amongChildren = false;
		for (u32 i = 0; i < children.size() && !amongChildren; ++i)
			amongChildren = children[i] == focusedChild;
		if (!amongChildren)
			focusDefaultObject();
	}
	else
	{
		mask &= ~static_cast<unsigned>(EventCategoryKeyboard);
		postNew(this, this, DeliverSelfThenParent, new CEventNodeUnfocused(this, nullptr));
	}
	updateFocusVisualState();
}

void ControlNode::setEnabled(bool value)
{
	Enabled = value;
	updateEnabledVisualState();
}

void ControlNode::focusDefaultObject()
{
	SmartPointer<CEventNodeFocusRequest> request(new CEventNodeFocusRequest(nullptr, nullptr));
	if (!DefaultFocusObjectName.isEmpty())
	{
		if (BaseNode* child = findChild(DefaultFocusObjectName, 1))
		{
			if (child->onEvent(request.get()))
				return;
		}
	}
	sendToChildren(DeliverSelf, request.get());
}

bool ControlNode::click()
{
	if (clickPending)
		return false;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	clickPending = true;
	pressed = false;
	postNew(this, this, DeliverSelfThenParent, new CEventNodeClickPreview(this));
	enterPressVisualState();
	// A paused scene runs no animation: the press look could never end, so the click goes through at once.
	TaskScheduler* animations = getStateScheduler();
	if (clickPending && animations && !animations->isEnabled())
		finishPress();
	return true;
}

void ControlNode::enterPressVisualState()
{
	setVisualState(nameIdPress());
}

void ControlNode::restoreVisualStateAfterPress()
{
	if (pressed)
		setVisualState(nameIdPressed());
	else if (hovered)
		setVisualState(focused ? nameIdFocusHover() : nameIdNormalHover());
	else
		setVisualState(focused ? nameIdFocusKillHover() : nameIdNormalKillHover());
}

void ControlNode::updatePressedVisualState()
{
	if (pressed && !clickPending)
		setVisualState(nameIdPressed());
}

void ControlNode::updateHoverVisualState()
{
	if (!Enabled || clickPending)
		return;
	if (hovered)
		setVisualState(pressed ? nameIdPressed() : focused ? nameIdFocusHover() : nameIdNormalHover());
	else
		setVisualState(pressed ? nameIdKillPressed() : focused ? nameIdFocusKillHover() : nameIdNormalKillHover());
}

void ControlNode::updateFocusVisualState()
{
	if (!Enabled)
	{
		setVisualState(focused ? nameIdFocusDisable() : nameIdNormalDisable());
		return;
	}
	if (pressed || clickPending)
		return;
	if (focused)
		setVisualState(hovered ? nameIdFocusHover() : nameIdFocus());
	else
		setVisualState(hovered ? nameIdNormalHover() : nameIdKillFocus());
}

void ControlNode::updateEnabledVisualState()
{
	updateFocusVisualState();
}

// ---- request handlers

bool ControlNode::onHoverRequest(CEventNodeHoverRequest* event)
{
	if (event->subject == this)
	{
		setHovered(true);
	}
	else if (isAncestorOf(event->subject))
	{
		setHovered(true);
		SmartPointer<CEventNodeUnhoverRequest> request(new CEventNodeUnhoverRequest(nullptr, event->subject));
		sendToChildren(DeliverSelf, request.get());
	}
	return true;
}

bool ControlNode::onUnhoverRequest(CEventNodeUnhoverRequest* event)
{
	if (event->subject != this && (event->sender == this || !event->sender))
		setHovered(false);
	return false;
}

bool ControlNode::onFocusRequest(CEventNodeFocusRequest* event)
{
	if (event->subject == this || !event->subject)
	{
		setFocused(true);
	}
	else if (isAncestorOf(event->subject))
	{
		focusedChild = event->subject;
		setFocused(true);
		SmartPointer<CEventNodeUnfocusRequest> request(new CEventNodeUnfocusRequest(nullptr, event->subject));
		sendToChildren(DeliverSelf, request.get());
	}
	return true;
}

bool ControlNode::onUnfocusRequest(CEventNodeUnfocusRequest* event)
{
	if (event->subject != this && (event->sender == this || !event->sender))
		setFocused(false);
	return false;
}

bool ControlNode::onPressRequest(CEventNodePressRequest* event)
{
	if (event->subject == this)
		setPressed(true);
	return true;
}

bool ControlNode::onReleaseRequest(CEventNodeReleaseRequest* event)
{
	if (event->subject != this && (event->sender == this || !event->sender))
		setPressed(false);
	return false;
}

bool ControlNode::onClickRequest(CEventNodeClickRequest*)
{
	postNew(this, this, DeliverSelfThenParent, new CEventNodeClicked(this));
	return true;
}

bool ControlNode::onMouseMove(CEventInputMouseMove* event)
{
	if (!HoverTrack)
		return false;
	if (hitTestOwnSubtree(event))
	{
		setHovered(true);
		return true;
	}
	setHovered(false);
	return false;
}

bool ControlNode::onMouseLeftDown(CEventInputMouseLeftDown* event)
{
	if (!Enabled || !hitTestOwnSubtree(event))
		return false;
	if (!clickPending)
		setPressed(true);
	setFocused(true);
	return true;
}

bool ControlNode::onMouseLeftUp(CEventInputMouseLeftUp* event)
{
	const bool inside = Enabled && hitTestOwnSubtree(event);
	if (!inside)
		setPressed(false);
	else if (pressed)
		click();
	return false;
}

bool ControlNode::onKeyDown(CEventInputKeyDown* event)
{
	if (event->key < KeyLeft || event->key > KeyDown)
		return false;
	const ControlNode* from = nodeCast<ControlNode>(focusedChild);
	if (!from)
		return false;
	const StringId targetName = from->getNavObjectName(event->key);
	if (targetName.isEmpty())
		return false;
	ControlNode* target = nodeCast<ControlNode>(findChild(targetName, 1));
	if (!target || !target->WantFocus)
		return false;
	target->setFocused(true);
	return true;
}

bool ControlNode::onKeyUp(CEventInputKeyUp*)
{
	return false;
}

// ---- events

const EventMap& ControlNode::eventMap()
{
	static const EventMap map = extendEventMap(
	    BaseNode::eventMap(),
	    {
	        {CEventNodePressRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodePressRequest, &ControlNode::onPressRequest>},
	        {CEventNodeReleaseRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodeReleaseRequest, &ControlNode::onReleaseRequest>},
	        {CEventNodeHoverRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodeHoverRequest, &ControlNode::onHoverRequest>},
	        {CEventNodeUnhoverRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodeUnhoverRequest, &ControlNode::onUnhoverRequest>},
	        {CEventNodeFocusRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodeFocusRequest, &ControlNode::onFocusRequest>},
	        {CEventNodeUnfocusRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodeUnfocusRequest, &ControlNode::onUnfocusRequest>},
	        {CEventNodeClickRequest::TypeId,
	         &eventHandler<ControlNode, CEventNodeClickRequest, &ControlNode::onClickRequest>},
	        {CEventInputMouseMove::TypeId, &eventHandler<ControlNode, CEventInputMouseMove, &ControlNode::onMouseMove>},
	        {CEventInputMouseLeftDown::TypeId,
	         &eventHandler<ControlNode, CEventInputMouseLeftDown, &ControlNode::onMouseLeftDown>},
	        {CEventInputMouseLeftUp::TypeId,
	         &eventHandler<ControlNode, CEventInputMouseLeftUp, &ControlNode::onMouseLeftUp>},
	        {CEventInputKeyDown::TypeId, &eventHandler<ControlNode, CEventInputKeyDown, &ControlNode::onKeyDown>},
	        {CEventInputKeyUp::TypeId, &eventHandler<ControlNode, CEventInputKeyUp, &ControlNode::onKeyUp>},
	    });
	return map;
}

bool ControlNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool ControlNode::sendToChildren(int mode, CEvent* event)
{
	if (event && !Enabled && event->isKindOf(CEventInput::TypeId))
		return false;
	return BaseNode::sendToChildren(mode, event);
}
