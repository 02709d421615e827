#include "BaseNode.h"

#include "AnimatorSet.h"
#include "HeldChildren.h"
#include "INodeEventQueue.h"
#include "ISceneServices.h"
#include "NodeEvents.h"
#include "NodeMath.h"
#include "SceneFileReader.h"
#include "SceneFileWriter.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"

#include <algorithm>
#include <vector>

using namespace irr;

BaseNode::BatcherFlushFunction BaseNode::batcherFlush = nullptr;

namespace
{
// Next states entered from inside an end: a state that ends at once (no scheduler, no main
// actions) and leads back to itself would otherwise recurse until the stack runs out.
thread_local int nextStateDepth = 0;
const int maxNextStateDepth = 32;
} // namespace

BaseNode::BaseNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ContentObject(reference), sceneManager(manager)
{
	mask |= EventCategoryDevice | EventCategorySystemFlow | EventCategoryNode | EventCategoryGame;
	if (parentNode)
		parentNode->addChild(this);
}

BaseNode::~BaseNode()
{
	removeAllChildren();
	clearStates();
}

const core::stringw& BaseNode::typeName() const
{
	static const core::stringw name(L"BaseNode");
	return name;
}

// ---- cloning

BaseNode* BaseNode::clone(BaseNode* parentNode, INodeEventQueue* manager) const
{
	return cloneAs<BaseNode>(this, parentNode, manager);
}

BaseNode* BaseNode::finishClone(const BaseNode* source, BaseNode* node, BaseNode* parentNode, INodeEventQueue* manager)
{
	node->copyFrom(source, manager);
	node->onLoaded();
	// The parent keeps the clone alive.
	if (parentNode)
		node->drop();
	return node;
}

void BaseNode::copyFrom(const BaseNode* source, INodeEventQueue*)
{
	if (!source)
		return;
	Name = source->Name;
	absoluteTransformation = source->absoluteTransformation;
	Position = source->Position;
	Rotation = source->Rotation;
	Scale = source->Scale;
	Bounds = source->Bounds;
	PivotPoint = source->PivotPoint;
	TintColor = source->TintColor;
	Visible = source->Visible;
	CanBeHit = source->CanBeHit;
	ChildrenClipped = source->ChildrenClipped;
	source->cloneContentsInto(this);
}

void BaseNode::cloneContentsInto(BaseNode* target) const
{
	if (!target)
		return;
	// Counted first: cloning into itself must not visit the new children.
	const u32 count = children.size();
	for (u32 i = 0; i < count && i < children.size(); ++i)
		children[i]->clone(target, target->sceneManager);
	for (const auto& entry : states)
	{
		AnimatorSet* copy = entry.second->clone();
		if (!copy)
			continue;
		target->addState(copy);
		copy->drop();
	}
	target->DefaultState = DefaultState;
	if (!DefaultState.isEmpty())
		target->setState(DefaultState, nullptr, StringId());
}

// ---- tree

void BaseNode::setName(const char* name)
{
	Name = internStringId(name);
}

bool BaseNode::adoptChild(BaseNode* child)
{
	// A node cannot hold itself or one of its ancestors: the tree would become a cycle.
	if (!child || child == this || child->isAncestorOf(this))
		return false;
	child->grab();
	if (child->parent)
		child->parent->removeChild(child);
	return true;
}

void BaseNode::addChild(BaseNode* child)
{
	if (!adoptChild(child))
		return;
	if (!child->internal)
		children.push_back(child);
	child->parent = this;
	child->attachToSceneManager(sceneManager, scene);
}

void BaseNode::insertChildAfter(BaseNode* child, BaseNode* sibling)
{
	if (!adoptChild(child))
		return;
	child->parent = this;
	child->attachToSceneManager(sceneManager, scene);
	if (child->internal)
		return;
	if (!sibling)
	{
		children.insert(child, 0);
		return;
	}
	int index = indexOfChild(sibling);
	if (index < 0)
		children.push_back(child);
	else
		children.insert(child, static_cast<u32>(index) + 1);
}

int BaseNode::indexOfChild(const BaseNode* child) const
{
	for (u32 i = 0; i < children.size(); ++i)
	{
		if (children[i] == child)
			return static_cast<int>(i);
	}
	return -1;
}

void BaseNode::detachLinks()
{
	parent = nullptr;
	attachToSceneManager(nullptr, nullptr);
}

bool BaseNode::removeChild(BaseNode* child)
{
	int index = indexOfChild(child);
	if (index < 0)
		return false;
	child->detachLinks();
	children.erase(static_cast<u32>(index));
	child->drop();
	return true;
}

void BaseNode::removeAllChildren()
{
	// Taken out first: a child's destruction must not see a half-emptied array.
	core::array<BaseNode*> removed;
	removed.swap(children);
	for (u32 i = 0; i < removed.size(); ++i)
		removed[i]->detachLinks();
	for (u32 i = 0; i < removed.size(); ++i)
		removed[i]->drop();
}

void BaseNode::setParent(BaseNode* newParent)
{
	// Under itself or its own descendant the tree would loop, as addChild refuses too.
	if (newParent && (newParent == this || isAncestorOf(newParent)))
		return;
	grab();
	if (parent)
		parent->removeChild(this);
	parent = newParent;
	if (newParent)
		newParent->addChild(this);
	drop();
}

BaseNode* BaseNode::findChild(StringId name, int depth) const
{
	for (u32 i = 0; i < children.size(); ++i)
	{
		if (children[i]->Name == name)
			return children[i];
	}
	if (depth == 1 || depth < -1)
		return nullptr;
	const int nextDepth = depth <= 0 ? depth : depth - 1;
	for (u32 i = 0; i < children.size(); ++i)
	{
		if (BaseNode* found = children[i]->findChild(name, nextDepth))
			return found;
	}
	return nullptr;
}

bool BaseNode::isAncestorOf(const BaseNode* other) const
{
	if (!other)
		return false;
	for (const BaseNode* p = other->parent; p; p = p->parent)
	{
		if (p == this)
			return true;
	}
	return false;
}

void BaseNode::attachToSceneManager(INodeEventQueue* manager, SceneNode* sceneNode)
{
	sceneManager = manager;
	scene = sceneNode;
	if (sceneNode && !DefaultState.isEmpty())
		setState(DefaultState, nullptr, StringId());
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->attachToSceneManager(manager, sceneNode);
}

// ---- placement and colour

void BaseNode::setPosition(const core::vector3df& v)
{
	Position = v;
	transformDirty = true;
}

void BaseNode::setRotation(const core::vector3df& v)
{
	Rotation = v;
	transformDirty = true;
}

void BaseNode::setScale(const core::vector3df& v)
{
	Scale = v;
	transformDirty = true;
}

void BaseNode::setBounds(const core::vector3df& v)
{
	Bounds.set(v.X < 0.0f ? 0.0f : v.X, v.Y < 0.0f ? 0.0f : v.Y, 0.0f);
}

void BaseNode::setPivotPoint(const core::vector2df& v)
{
	PivotPoint = v;
	transformDirty = true;
}

void BaseNode::setTintColor(video::SColor colour)
{
	TintColor = colour;
	colorDirty = true;
}

core::matrix4 BaseNode::getRelativeTransformation() const
{
	core::matrix4 m;
	// Most nodes are not rotated: the trigonometry is skipped for them.
	if (Rotation.X != 0.0f || Rotation.Y != 0.0f || Rotation.Z != 0.0f)
		m.setRotationRadians(Rotation * 0.017453292f);
	m.setTranslation(Position);
	const core::vector3df one(1.0f, 1.0f, 1.0f);
	if (!Scale.equals(one, 1e-6f))
	{
		for (int row = 0; row < 4; ++row)
		{
			m[row] *= Scale.X;
			m[4 + row] *= Scale.Y;
			m[8 + row] *= Scale.Z;
		}
	}
	if (PivotPoint.X != 0.0f || PivotPoint.Y != 0.0f)
	{
		for (int row = 0; row < 3; ++row)
			m[12 + row] -= PivotPoint.X * m[row] + PivotPoint.Y * m[4 + row];
	}
	return m;
}

void BaseNode::updateAbsoluteTransform()
{
	const core::matrix4 relative = getRelativeTransformation();
	if (parent)
		composeTransform2d(parent->absoluteTransformation, relative, absoluteTransformation);
	else
		absoluteTransformation = relative;
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->updateAbsoluteTransform();
	transformDirty = false;
}

void BaseNode::updateAbsoluteColor()
{
	absoluteColor = parent ? multiplyColors(parent->absoluteColor, TintColor) : TintColor;
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->updateAbsoluteColor();
	colorDirty = false;
}

void BaseNode::refreshAbsolute()
{
	BaseNode* highestTransform = nullptr;
	BaseNode* highestColor = nullptr;
	for (BaseNode* n = this; n; n = n->parent)
	{
		if (n->transformDirty)
			highestTransform = n;
		if (n->colorDirty)
			highestColor = n;
	}
	if (highestTransform)
		highestTransform->updateAbsoluteTransform();
	if (highestColor)
		highestColor->updateAbsoluteColor();
}

// ---- hit testing

bool BaseNode::isPointInside(const core::vector2df& point) const
{
	core::vector2df p = point;
	// A matrix without inverse tests the point untransformed.
	inverseTransformPoint2d(absoluteTransformation, p);
	return p.X > 0.0f && p.X < Bounds.X && p.Y > 0.0f && p.Y < Bounds.Y;
}

bool BaseNode::hitTestPoint(const core::vector2df&) const
{
	return false;
}

BaseNode* BaseNode::hitTest(const core::vector2df& point)
{
	refreshAbsolute();
	return hitTestSubtree(point);
}

BaseNode* BaseNode::hitTestSubtree(const core::vector2df& point)
{
	if (!Visible || !CanBeHit)
		return nullptr;
	if (transformDirty)
		updateAbsoluteTransform();
	if (hitTestPoint(point))
		return this;
	for (u32 i = 0; i < children.size(); ++i)
	{
		if (BaseNode* hit = children[i]->hitTestSubtree(point))
			return hit;
	}
	return nullptr;
}

// ---- rendering

void BaseNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	if (ChildrenClipped)
	{
		// The node draws its children itself, clipped.
		if (!children.empty())
			list.push_back(RenderEntry{this, absoluteTransformation[14], 0});
		return;
	}
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

core::rect<s32> BaseNode::getClipRectangle() const
{
	core::vector3df upperLeft(0.0f, 0.0f, 0.0f);
	core::vector3df lowerRight = Bounds;
	absoluteTransformation.transformVect(upperLeft);
	absoluteTransformation.transformVect(lowerRight);
	return core::rect<s32>(static_cast<s32>(upperLeft.X), static_cast<s32>(upperLeft.Y), static_cast<s32>(lowerRight.X),
	                       static_cast<s32>(lowerRight.Y));
}

bool BaseNode::collectClippedChildren(RenderList& list, core::rect<s32>& clip)
{
	if (!ChildrenClipped)
		return false;
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
	if (list.empty())
		return false;
	clip = getClipRectangle();
	return true;
}

void BaseNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	// The incoming clip is ignored: a clipping node clips to its own rectangle only.
	RenderList list;
	core::rect<s32> clip;
	if (!collectClippedChildren(list, clip))
		return;
	// Flushed before and after so the clipped quads are never batched with others.
	if (batcherFlush)
		batcherFlush(driver);
	for (u32 i = 0; i < list.size(); ++i)
		list[i].node->draw(driver, &clip);
	if (batcherFlush)
		batcherFlush(driver);
}

void BaseNode::setBatcherFlushFunction(BatcherFlushFunction function)
{
	batcherFlush = function;
}

// ---- events

const EventMap& BaseNode::eventMap()
{
	static const EventMap map = extendEventMap(
	    rootEventMap(),
	    {
	        {CEventNodeSceneAttached::TypeId,
	         &eventHandler<BaseNode, CEventNodeSceneAttached, &BaseNode::onSceneAttached>},
	        {CEventNodeTemplatesChanged::TypeId,
	         &eventHandler<BaseNode, CEventNodeTemplatesChanged, &BaseNode::onTemplatesChanged>},
	        {35, &eventHandler<BaseNode, CEventNode, &BaseNode::onReservedEvent35>},
	        {64, &eventHandler<BaseNode, CEventNode, &BaseNode::onReservedEvent64>},
	        {CEventNodeActionFinished::TypeId,
	         &eventHandler<BaseNode, CEventNodeActionFinished, &BaseNode::onActionFinished>},
	        {CEventNodeAnimatorStarted::TypeId, &eventHandler<BaseNode, CEventNodeAnimatorStarted, &BaseNode::onAnimatorStarted>},
	        {CEventNodeAnimatorEnded::TypeId, &eventHandler<BaseNode, CEventNodeAnimatorEnded, &BaseNode::onAnimatorEnded>},
	        {CEventNodeStateFinished::TypeId,
	         &eventHandler<BaseNode, CEventNodeStateFinished, &BaseNode::onStateFinished>},
	        {CEventNodeChildrenStateFinished::TypeId,
	         &eventHandler<BaseNode, CEventNodeChildrenStateFinished, &BaseNode::onChildrenStateFinished>},
	    });
	return map;
}

bool BaseNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool BaseNode::sendToParent(int mode, CEvent* event)
{
	if (!event || !parent || !(parent->mask & event->mask))
		return false;
	return parent->deliverEvent(mode, event);
}

bool BaseNode::sendToChildren(int mode, CEvent* event)
{
	if (!event || children.empty())
		return false;
	// Handlers may add or remove children: the children present now are offered the event,
	// each kept alive during the walk and skipped once it has left this node.
	const HeldChildren snapshot(this);
	const u32 count = snapshot.size();
	// A hidden node is not there for the pointer: neither it nor anything under it takes a mouse event,
	// else a visible button would lose its clicks to a hidden one at the same place.
	const bool mouse = event->isKindOf(CEventInputMouse::TypeId);
	bool handled = false;
	for (u32 i = count; i-- > 0 && !handled;)
	{
		BaseNode* child = snapshot[i];
		if (child->parent == this && (child->mask & event->mask) && (child->Visible || !mouse))
			handled = child->deliverEvent(mode, event);
	}
	return handled;
}

void BaseNode::postEvent(EventReceiver* receiver, int mode, CEvent* event)
{
	if (!sceneManager || !receiver || !event || !(receiver->mask & event->mask))
		return;
	sceneManager->queueEvent(receiver, mode, event);
}

void BaseNode::postEventToParent(int mode, CEvent* event)
{
	if (parent)
		postEvent(parent, mode, event);
}

bool BaseNode::onSceneAttached(CEventNodeSceneAttached*)
{
	return false;
}
bool BaseNode::onTemplatesChanged(CEventNodeTemplatesChanged*)
{
	return false;
}
bool BaseNode::onReservedEvent35(CEventNode*)
{
	return false;
}
bool BaseNode::onReservedEvent64(CEventNode*)
{
	return false;
}
bool BaseNode::onActionFinished(CEventNodeActionFinished*)
{
	return false;
}
bool BaseNode::onAnimatorStarted(CEventNodeAnimatorStarted*)
{
	return false;
}
bool BaseNode::onChildrenStateFinished(CEventNodeChildrenStateFinished*)
{
	return false;
}

// ---- scene-file form

bool BaseNode::load(IXMLReader* reader, NodeFactory* factory)
{
	return SceneFileReader::loadNode(this, reader, factory);
}

void BaseNode::save(IXMLWriter* writer) const
{
	SceneFileWriter::saveNode(this, writer);
}

void BaseNode::loadStates(IXMLReader* reader)
{
	SceneFileReader::loadStates(this, reader);
}

void BaseNode::saveStates(IXMLWriter* writer) const
{
	SceneFileWriter::saveStates(this, writer);
}

// ---- states

TaskScheduler* BaseNode::getStateScheduler() const
{
	if (!scene)
		return nullptr;
	auto* services = dynamic_cast<ISceneServices*>(sceneManager);
	return services ? services->getSceneScheduler(scene) : nullptr;
}

void BaseNode::setState(StringId state, StateFallback fallback, StringId reportedName)
{
	if (state.isEmpty())
		return;
	if (reportedName.isEmpty())
		reportedName = state;
	if (AnimatorSet* set = findState(state))
	{
		SmartPointer<BaseNode> keep(shareRef(this));
		SmartPointer<AnimatorSet> keepSet(shareRef(set));
		if (AnimatorSet* running = runningState)
		{
			// Still recorded while it stops, so its aborted end reaches the parent as a 70.
			SmartPointer<AnimatorSet> keepRunning(shareRef(running));
			running->stop(false);
			runningState = nullptr;
		}
		runningState = set;
		set->start(getStateScheduler(), reportedName);
		return;
	}
	if (fallback)
	{
		const StringId next = fallback(state);
		if (!next.isEmpty())
		{
			setState(next, fallback, reportedName);
			return;
		}
	}
	postStateEvents(reportedName, false);
}

bool BaseNode::onAnimatorEnded(CEventNodeAnimatorEnded* event)
{
	if (!event || !event->animatorSet || event->animatorSet != runningState)
		return false;
	const StringId next = event->animatorSet->getNextState();
	SmartPointer<BaseNode> keep(shareRef(this));
	SmartPointer<CEventNodeStateFinished> finished(new CEventNodeStateFinished(this, event->stateName));
	const bool handled = sendToParent(DeliverSelf, finished.get());
	// Someone besides this handler still holds the node.
	if (getReferenceCount() > 1 && !handled && !event->aborted && !next.isEmpty())
	{
		if (nextStateDepth >= maxNextStateDepth)
		{
			getLogger()->log("Next states end at once in a loop; the chain stops here", 1);
			return false;
		}
		++nextStateDepth;
		setState(next, nullptr, StringId());
		--nextStateDepth;
	}
	return false;
}

void BaseNode::postStateEvents(StringId state, bool childrenVariant)
{
	SmartPointer<BaseNode> keep(shareRef(this));
	if (childrenVariant)
	{
		SmartPointer<CEventNodeChildrenStateStarted> started(new CEventNodeChildrenStateStarted(this, state));
		onEvent(started.get());
		SmartPointer<CEventNodeChildrenStateFinished> finished(new CEventNodeChildrenStateFinished(this, state));
		onEvent(finished.get());
		return;
	}
	SmartPointer<CEventNodeStateStarted> started(new CEventNodeStateStarted(this, state));
	sendToParent(DeliverSelf, started.get());
	SmartPointer<CEventNodeStateFinished> finished(new CEventNodeStateFinished(this, state));
	sendToParent(DeliverSelf, finished.get());
}

void BaseNode::beginChildrenState(StringId state, int participants)
{
	childrenStateCounters.erase(state);
	const u32 count = children.size();
	for (u32 i = 0; i < count && i < children.size(); ++i)
	{
		AnimatorSet* running = children[i]->runningState;
		if (running && running->isRunning() && running->getReportedName() == state)
		{
			SmartPointer<BaseNode> keepChild(shareRef(children[i]));
			running->stop(false);
		}
	}
	childrenStateCounters[state] = participants;
}

void BaseNode::startChildrenInState(StringId state, StateFallback fallback)
{
	// Taken first: a child's state may add or remove children.
	std::vector<SmartPointer<BaseNode>> participants;
	participants.reserve(children.size());
	for (u32 i = 0; i < children.size(); ++i)
		participants.push_back(shareRef(children[i]));
	for (const SmartPointer<BaseNode>& child : participants)
	{
		if (child->parent == this)
			child->setState(state, fallback, StringId());
	}
}

void BaseNode::setChildrenState(StringId state, StateFallback fallback)
{
	if (children.empty())
	{
		postStateEvents(state, true);
		return;
	}
	SmartPointer<BaseNode> keep(shareRef(this));
	SmartPointer<CEventNodeChildrenStateStarted> started(new CEventNodeChildrenStateStarted(this, state));
	onEvent(started.get());
	beginChildrenState(state, static_cast<int>(children.size()));
	startChildrenInState(state, fallback);
}

bool BaseNode::onStateFinished(CEventNodeStateFinished* event)
{
	// Internal children (a control's template root) count as direct children too.
	if (!event || !event->node || event->node->parent != this)
		return false;
	auto it = childrenStateCounters.find(event->stateName);
	if (it == childrenStateCounters.end() || it->second <= 0)
		return false;
	if (--it->second > 0)
		return false;
	SmartPointer<BaseNode> keep(shareRef(this));
	SmartPointer<CEventNodeChildrenStateFinished> finished(new CEventNodeChildrenStateFinished(this, event->stateName));
	if (!onEvent(finished.get()))
		sendToParent(DeliverSelf, finished.get());
	return false;
}

int BaseNode::getChildrenStateCount(StringId state) const
{
	auto it = childrenStateCounters.find(state);
	return it == childrenStateCounters.end() ? 0 : it->second;
}

bool BaseNode::addState(AnimatorSet* set)
{
	if (!set || !states.emplace(set->getName(), set).second)
		return false;
	set->grab();
	set->setOwner(this);
	return true;
}

AnimatorSet* BaseNode::findState(StringId state) const
{
	auto it = states.find(state);
	return it == states.end() ? nullptr : it->second;
}

void BaseNode::stopState(StringId state, bool applyEnd)
{
	if (AnimatorSet* set = findState(state))
		set->stop(applyEnd);
}

void BaseNode::stopAllStates(bool applyEnd)
{
	for (auto& entry : states)
		entry.second->stop(applyEnd);
}

void BaseNode::clearStates()
{
	StateMap released;
	released.swap(states);
	DefaultState = StringId();
	runningState = nullptr;
	for (auto& entry : released)
	{
		if (entry.second->getOwner() == this)
			entry.second->setOwner(nullptr);
		entry.second->drop();
	}
}

// ---- user object

void BaseNode::setUserObject(ReferenceCounted* object)
{
	userObject = shareRef(object);
}
