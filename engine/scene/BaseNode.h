#pragma once

#include "IPropertyOwner.h"
#include "NodeTypeIds.h"
#include "RenderEntry.h"
#include "content/ContentObject.h"
#include "core/StringId.h"

#include <irrlicht/SColor.h>
#include <irrlicht/irrArray.h>
#include <irrlicht/matrix4.h>
#include <irrlicht/rect.h>
#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>
#include <map>

namespace irr
{
namespace video
{
class IVideoDriver;
}
} // namespace irr

class AnimatorSet;
class INodeEventQueue;
class IXMLReader;
class IXMLWriter;
class NodeFactory;
class TaskScheduler;
class SceneNode;
class CEventNode;
class CEventNodeSceneAttached;
class CEventNodeTemplatesChanged;
class CEventNodeActionFinished;
class CEventNodeAnimatorStarted;
class CEventNodeAnimatorEnded;
class CEventNodeStateFinished;
class CEventNodeChildrenStateFinished;

#define ENGINE_NODE_WIDEN_(text) L##text
#define ENGINE_NODE_WIDEN(text) ENGINE_NODE_WIDEN_(text)

// Declares a node class's type identity: wide type name, id and the is-kind-of chain.
#define ENGINE_NODE_TYPE(Class, Id, Parent)                                                                            \
public:                                                                                                                \
	[[maybe_unused]] static constexpr int TypeId = Id;                                                                 \
	const irr::core::stringw& typeName() const override                                                                \
	{                                                                                                                  \
		static const irr::core::stringw name(ENGINE_NODE_WIDEN(#Class));                                               \
		return name;                                                                                                   \
	}                                                                                                                  \
	int typeId() const override                                                                                        \
	{                                                                                                                  \
		return Id;                                                                                                     \
	}                                                                                                                  \
	bool isKindOf(int id) const override                                                                               \
	{                                                                                                                  \
		return id == Id || Parent::isKindOf(id);                                                                       \
	}

// Declares clone for a node class with the (ContentRef, parent, scene manager) constructor.
#define ENGINE_NODE_CLONE(Class)                                                                                       \
public:                                                                                                                \
	BaseNode* clone(BaseNode* parent = nullptr, INodeEventQueue* sceneManager = nullptr) const override                \
	{                                                                                                                  \
		return cloneAs<Class>(this, parent, sceneManager);                                                             \
	}

// Picks another state name when a state is missing (-1: none).
using StateFallback = StringId (*)(StringId state);

// Root of every scene node: the tree, 2-D placement with a cached absolute transformation,
// tint with a cached effective colour, named properties, render entries and node events.
class BaseNode : public ContentObject, public IPropertyOwner
{
public:
	static constexpr int TypeId = NodeTypeBaseNode;

	explicit BaseNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                  INodeEventQueue* sceneManager = nullptr);
	~BaseNode() override;

	BaseNode(const BaseNode&) = delete;
	BaseNode& operator=(const BaseNode&) = delete;

	// ---- type identity
	virtual const irr::core::stringw& typeName() const;
	const irr::core::stringw& getTypeName() const { return typeName(); }
	virtual int typeId() const { return TypeId; }
	virtual bool isKindOf(int id) const { return id == TypeId; }

	// ---- properties
	const PropertyTable& propertyTable() const override;
	// BaseNode's own table; derived tables start with appendPropertyDescriptors(baseNodePropertyTable(), ...).
	static const PropertyTable& baseNodePropertyTable();
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;

	// ---- cloning
	// A copy of this subtree of the node's own class. With a parent the parent holds the only
	// reference; without one the caller owns it. A null scene manager means this node's.
	virtual BaseNode* clone(BaseNode* parent = nullptr, INodeEventQueue* sceneManager = nullptr) const;
	// Copies this class's fields from a node of the same class, then the source's contents;
	// each class's copyFrom calls its parent's first.
	virtual void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager);
	// Clones the non-internal children into target and copies the default state.
	void cloneContentsInto(BaseNode* target) const;
	// Hook run after loading and after cloning.
	virtual void onLoaded() {}

	ContentObject* cloneContent() override { return clone(nullptr, nullptr); }
	ContentType getContentType() const override { return ContentTypeSceneNode; }

	// ---- tree
	void addChild(BaseNode* child);
	void insertChildAfter(BaseNode* child, BaseNode* sibling);
	bool removeChild(BaseNode* child);
	void removeAllChildren();
	void setParent(BaseNode* newParent);
	// Depth -1 or 0: whole subtree; n >= 1: n levels; other negatives: direct children.
	BaseNode* findChild(StringId name, int depth = -1) const;
	bool isAncestorOf(const BaseNode* other) const;
	// Stores the links down the subtree and enters default states when a scene is given.
	virtual void attachToSceneManager(INodeEventQueue* sceneManager, SceneNode* scene);

	BaseNode* getParent() const { return parent; }
	const irr::core::array<BaseNode*>& getChildren() const { return children; }
	INodeEventQueue* getSceneManager() const { return sceneManager; }
	SceneNode* getScene() const { return scene; }
	// A hidden auxiliary child: linked to its parent but not in its child array, never saved or cloned.
	bool isInternal() const { return internal; }
	void setInternal(bool value) { internal = value; }

	StringId getName() const { return Name; }
	void setName(StringId name) { Name = name; }
	void setName(const char* name);

	// ---- placement and colour
	void setPosition(const irr::core::vector3df& v);
	void setRotation(const irr::core::vector3df& v);
	void setScale(const irr::core::vector3df& v);
	// Clamps x and y to 0 when negative; z is 0.
	void setBounds(const irr::core::vector3df& v);
	void setPivotPoint(const irr::core::vector2df& v);
	void setTintColor(irr::video::SColor colour);
	const irr::core::vector3df& getPosition() const { return Position; }
	const irr::core::vector3df& getRotation() const { return Rotation; }
	const irr::core::vector3df& getScale() const { return Scale; }
	const irr::core::vector3df& getBounds() const { return Bounds; }
	const irr::core::vector2df& getPivotPoint() const { return PivotPoint; }
	irr::video::SColor getTintColor() const { return TintColor; }

	// The cached values; refreshed by addToRenderList, hitTest or refreshAbsolute().
	const irr::core::matrix4& getAbsoluteTransformation() const { return absoluteTransformation; }
	irr::video::SColor getAbsoluteColor() const { return absoluteColor; }
	bool isTransformDirty() const { return transformDirty; }
	bool isColorDirty() const { return colorDirty; }
	// Brings the cached transformation and colour of this node up to date, starting at the
	// highest dirty ancestor.
	void refreshAbsolute();

	// The node-space transformation built from Position, Rotation, Scale and PivotPoint.
	irr::core::matrix4 getRelativeTransformation() const;
	virtual void updateAbsoluteTransform();
	virtual void updateAbsoluteColor();

	bool isVisible() const { return Visible; }
	void setVisible(bool value) { Visible = value; }
	bool canBeHit() const { return CanBeHit; }
	void setCanBeHit(bool value) { CanBeHit = value; }
	bool isChildrenClipped() const { return ChildrenClipped; }
	void setChildrenClipped(bool value) { ChildrenClipped = value; }

	// ---- hit testing (screen coordinates)
	// Strictly inside the node's rectangle.
	virtual bool isPointInside(const irr::core::vector2df& point) const;
	// Whether the node takes a hit at the point; BaseNode never does.
	virtual bool hitTestPoint(const irr::core::vector2df& point) const;
	// The first visible, hittable node of the subtree (pre-order, child order) accepting the point.
	BaseNode* hitTest(const irr::core::vector2df& point);

	// ---- rendering
	virtual void addToRenderList(RenderList& list);
	// Draws the clipped children of a ChildrenClipped node; clip may be null.
	virtual void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip);
	// What draw works on: the children's entries (in order added) and the node's own clip
	// rectangle. False when the node does not clip or adds nothing.
	bool collectClippedChildren(RenderList& list, irr::core::rect<irr::s32>& clip);
	irr::core::rect<irr::s32> getClipRectangle() const;

	// Flushes a driver's quad batcher; installed by the drawing layer (no-op until then).
	using BatcherFlushFunction = void (*)(irr::video::IVideoDriver* driver);
	static void setBatcherFlushFunction(BatcherFlushFunction function);

	// ---- events
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	bool sendToParent(int mode, CEvent* event) override;
	bool sendToChildren(int mode, CEvent* event) override;
	// Queues the event for the receiver through the scene manager; dropped without a manager,
	// a receiver or a matching category.
	void postEvent(EventReceiver* receiver, int mode, CEvent* event);
	void postEventToParent(int mode, CEvent* event);

	virtual bool onSceneAttached(CEventNodeSceneAttached* event);
	virtual bool onTemplatesChanged(CEventNodeTemplatesChanged* event);
	virtual bool onReservedEvent35(CEventNode* event);
	virtual bool onReservedEvent64(CEventNode* event);
	virtual bool onActionFinished(CEventNodeActionFinished* event);
	virtual bool onAnimatorStarted(CEventNodeAnimatorStarted* event);
	virtual bool onAnimatorEnded(CEventNodeAnimatorEnded* event);
	virtual bool onStateFinished(CEventNodeStateFinished* event);
	virtual bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event);

	// ---- scene-file form
	// The reader stands on the node's element; reads its contents up to the element's end.
	virtual bool load(IXMLReader* reader, NodeFactory* factory);
	virtual void save(IXMLWriter* writer) const;
	// The reader stands on a "States" start tag; replaces the states.
	void loadStates(IXMLReader* reader);
	void saveStates(IXMLWriter* writer) const;

	// ---- states
	using StateMap = std::map<StringId, AnimatorSet*>;
	virtual void setChildrenState(StringId state, StateFallback fallback);
	virtual void setState(StringId state, StateFallback fallback, StringId reportedName);
	StringId getDefaultState() const { return DefaultState; }
	void setDefaultState(StringId state) { DefaultState = state; }
	// Adds a reference to the set and makes this node its owner; false (nothing added) when
	// a state of the set's name exists already.
	bool addState(AnimatorSet* set);
	AnimatorSet* findState(StringId state) const;
	// Stops a state's set (applyEnd: its actions jump to their end); nothing when absent.
	void stopState(StringId state, bool applyEnd);
	void stopAllStates(bool applyEnd);
	const StateMap& getStates() const { return states; }
	// Drops every state; no default state, no running state afterwards.
	void clearStates();
	AnimatorSet* getRunningState() const { return runningState; }
	// Reports a state as started and at once finished: 72 and 74 to this node's own handling
	// for the children variant, otherwise 68 and 70 to the parent.
	void postStateEvents(StringId state, bool childrenVariant);
	// Participants that have still to finish a children state; 0 when none is running.
	int getChildrenStateCount(StringId state) const;
	// The task scheduler of the node's scene (through the scene manager), or null.
	TaskScheduler* getStateScheduler() const;

	// ---- free slot for the game (one reference held)
	void setUserObject(ReferenceCounted* object);
	ReferenceCounted* getUserObject() const { return userObject.get(); }

protected:
	// Creates a node of class T with source's content reference, then copies source into it.
	template <class T> static BaseNode* cloneAs(const T* source, BaseNode* parent, INodeEventQueue* sceneManager)
	{
		if (!sceneManager)
			sceneManager = source->getSceneManager();
		return finishClone(source, new T(source->getContentRef(), parent, sceneManager), parent, sceneManager);
	}
	static BaseNode* finishClone(const BaseNode* source, BaseNode* node, BaseNode* parent,
	                             INodeEventQueue* sceneManager);

	// Sets the children-state counter of a state. Children still playing that very state are
	// stopped first, while no counter exists, so their aborted ends do not count against the restart.
	void beginChildrenState(StringId state, int participants);
	// Each child, first to last, enters the state.
	void startChildrenInState(StringId state, StateFallback fallback);

	void markTransformDirty() { transformDirty = true; }
	void markColorDirty() { colorDirty = true; }

	StringId Name;
	irr::core::matrix4 absoluteTransformation;
	irr::core::vector3df Position{0.0f, 0.0f, 0.0f};
	irr::core::vector3df Rotation{0.0f, 0.0f, 0.0f};
	irr::core::vector3df Scale{1.0f, 1.0f, 1.0f};
	irr::core::vector3df Bounds{100.0f, 100.0f, 0.0f};
	irr::core::vector2df PivotPoint{0.0f, 0.0f};
	irr::video::SColor absoluteColor{0xFFFFFFFF};
	irr::video::SColor TintColor{0xFFFFFFFF};
	bool transformDirty = true;
	bool colorDirty = true;

	BaseNode* parent = nullptr;
	irr::core::array<BaseNode*> children;
	StateMap states;
	StringId DefaultState;
	AnimatorSet* runningState = nullptr;
	// Per state name, how many participants have still to finish it.
	std::map<StringId, int> childrenStateCounters;
	INodeEventQueue* sceneManager;
	SceneNode* scene = nullptr;

	bool Visible = true;
	bool CanBeHit = true;
	bool internal = false;
	bool ChildrenClipped = false;

	SmartPointer<ReferenceCounted> userObject;

private:
	BaseNode* hitTestSubtree(const irr::core::vector2df& point);
	void detachLinks();
	int indexOfChild(const BaseNode* child) const;
	// Takes child from its old parent and links it here; false when it cannot join.
	bool adoptChild(BaseNode* child);

	static BatcherFlushFunction batcherFlush;
};

// The node when it is of kind T, otherwise null (also for null).
template <class T> T* nodeCast(BaseNode* node)
{
	return node && node->isKindOf(T::TypeId) ? static_cast<T*>(node) : nullptr;
}

template <class T> const T* nodeCast(const BaseNode* node)
{
	return node && node->isKindOf(T::TypeId) ? static_cast<const T*>(node) : nullptr;
}

// Casts to the node library's classes; instantiated where the class is complete.
class TextNode;
class SpriteNode;
class ControlNode;
class ListNode;
class BaseProgressBarNode;

template <class T = TextNode> T* asTextNode(BaseNode* node)
{
	return nodeCast<T>(node);
}
template <class T = SpriteNode> T* asSpriteNode(BaseNode* node)
{
	return nodeCast<T>(node);
}
template <class T = ControlNode> T* asControlNode(BaseNode* node)
{
	return nodeCast<T>(node);
}
template <class T = ListNode> T* asListNode(BaseNode* node)
{
	return nodeCast<T>(node);
}
template <class T = BaseProgressBarNode> T* asBaseProgressBarNode(BaseNode* node)
{
	return nodeCast<T>(node);
}
