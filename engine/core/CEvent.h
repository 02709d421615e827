#pragma once

#include "ReferenceCounted.h"

#include <irrlicht/irrString.h>

// Declares an event class's type identity: its id and the is-kind-of chain up to its parent.
#define ENGINE_EVENT_TYPE(Id, Parent)                                                                                  \
public:                                                                                                                \
	static constexpr int TypeId = Id;                                                                                  \
	int typeId() const override { return Id; }                                                                        \
	bool isKindOf(int id) const override { return id == Id || Parent::isKindOf(id); }

// Category bits of the event mask.
enum EventCategory : unsigned
{
	EventCategoryDevice = 0x1,
	EventCategorySystemFlow = 0x2,
	EventCategoryKeyboard = 0x4,
	EventCategoryMouse = 0x8,
	EventCategoryNode = 0x20,
	EventCategorySound = 0x40,
	EventCategoryGame = 0x1000,
};

// Root of all events: a type id, a category mask and the payload of the concrete class.
class CEvent : public virtual ReferenceCounted
{
public:
	static constexpr int TypeId = 0;

	// Every event class reports this one name; events are told apart by id.
	virtual const irr::core::stringw& typeName() const;
	virtual int typeId() const { return 0; }
	virtual bool isKindOf(int id) const { return id == 0; }

	unsigned mask = 0;

protected:
	CEvent() = default;
};

// Casts an event to a concrete class when it is of that kind.
template <class E>
E* eventCast(CEvent* event)
{
	return event && event->isKindOf(E::TypeId) ? static_cast<E*>(event) : nullptr;
}
