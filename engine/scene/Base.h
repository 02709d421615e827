#pragma once

#include "IPropertyOwner.h"
#include "core/EventReceiver.h"
#include "core/IScheduledTask.h"
#include "core/StringId.h"

#include <irrlicht/irrString.h>

class AnimatorSet;
class BaseNode;
class IContentManager;
class IXMLReader;
class IXMLWriter;
class SceneXmlReader;
class TaskScheduler;

// Abstract animation action: one item of a node state, run as a task on the scene's scheduler.
class Base : public EventReceiver, public IPropertyOwner, public IScheduledTask
{
public:
	static constexpr int TypeId = 0;

	Base();
	~Base() override;

	// The class name used by the action registry and the "Type" attribute.
	virtual const irr::core::stringw& typeName() const;
	const irr::core::stringw& getTypeName() const { return typeName(); }
	virtual int typeId() const { return TypeId; }
	virtual bool isKindOf(int id) const { return id == TypeId; }

	virtual void setTarget(BaseNode* node);
	// Start time 0 means the action's own default; apply false only sets the playback position.
	virtual void start(int startTime, bool apply) = 0;
	virtual int getPosition() const = 0;
	virtual int getDuration() const = 0;
	virtual bool runOn(TaskScheduler* scheduler);
	virtual void stop(bool applyEnd, bool notify);
	// The reader stands on the action's start tag; reads up to its end tag.
	bool load(IXMLReader* reader, IContentManager* contentManager, const irr::core::stringw& elementName);
	virtual void save(IXMLWriter* writer, const wchar_t* elementName) const = 0;
	// Same class, name and content; no owner set, target or playback position.
	virtual Base* clone() const = 0;

	// Asks to be detached: plain actions apply at once and never run.
	bool run(unsigned elapsed) override;

	// Reports the end to the owner set; returns the set's answer.
	bool notifyFinished(int time, bool looped);

	StringId getName() const { return name; }
	void setName(StringId value) { name = value; }
	AnimatorSet* getOwnerSet() const { return ownerSet; }
	void setOwnerSet(AnimatorSet* set) { ownerSet = set; }
	BaseNode* getTarget() const { return target; }
	bool isRunning() const { return running; }
	unsigned getPeriod() const { return period; }

protected:
	virtual void loadContent(SceneXmlReader* reader, IContentManager* contentManager) = 0;
	// The start tag with "Type" and "Name"; extra attribute pairs follow.
	void writeStartTag(IXMLWriter* writer, const wchar_t* elementName,
	                   const irr::core::array<irr::core::stringw>& names,
	                   const irr::core::array<irr::core::stringw>& values) const;
	void copyBaseFrom(const Base& source);
	// Sets one property of the target by table index; -1 and out-of-range indices are skipped.
	void applyProperty(int index, const SmartPointer<IPropertyData>& value) const;
	// Index of the first entry of the target's table with exactly this name, or -1.
	int resolveProperty(const irr::core::stringc& propertyName) const;

	StringId name;
	AnimatorSet* ownerSet = nullptr;
	BaseNode* target = nullptr;
	bool running = false;
};

class KeyFrame;
// The action when it is a KeyFrame, else null.
KeyFrame* asKeyFrame(Base* action);
