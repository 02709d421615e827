#pragma once

#include "IPropertyOwner.h"
#include "core/EventReceiver.h"
#include "core/StringId.h"

#include <irrlicht/irrArray.h>

class Base;
class BaseNode;
class CEventNode;
class CEventNodeActionFinished;
class IContentManager;
class INodeEventQueue;
class IXMLReader;
class IXMLWriter;
class TaskScheduler;

// One named state of a node: the actions applied at its start, run while it plays, and applied at its end.
class AnimatorSet : public EventReceiver, public IPropertyOwner
{
public:
	explicit AnimatorSet(StringId stateName);
	~AnimatorSet() override;

	AnimatorSet(const AnimatorSet&) = delete;
	AnimatorSet& operator=(const AnimatorSet&) = delete;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection&) const override {}
	void readProperties(const CPropertyCollection&) override {}

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	// Hands the event straight to the owner (mode 0) when the owner accepts its category.
	bool sendToParent(int mode, CEvent* event) override;
	bool sendToChildren(int, CEvent*) override { return false; }

	// Reported name -1 means the set's own name.
	void start(TaskScheduler* scheduler, StringId reportedName = StringId());
	void stop(bool applyEnd);
	bool onActionFinished(CEventNodeActionFinished* event);
	bool onReservedEvent64(CEventNode* event);

	void setOwner(BaseNode* node);
	BaseNode* getOwner() const { return owner; }

	Base* findAnimator(StringId actionName) const;
	Base* getAnimator(irr::u32 index) const;
	irr::u32 getAnimatorCount() const { return mainActions.size(); }
	const irr::core::array<Base*>& getMainActions() const { return mainActions; }
	const irr::core::array<Base*>& getStartActions() const { return startActions; }
	const irr::core::array<Base*>& getEndActions() const { return endActions; }
	// Takes over the caller's reference.
	void addMainAction(Base* action);
	void addStartAction(Base* action);
	void addEndAction(Base* action);

	// A new set (one reference for the caller) with clones of the actions and no owner.
	AnimatorSet* clone() const;

	// The reader stands on the "State" start tag; reads up to its end tag.
	bool load(IXMLReader* reader, INodeEventQueue* sceneManager, BaseNode* node, IContentManager* contentManager);
	void save(IXMLWriter* writer, IContentManager* contentManager) const;

	// Stops and lets go of every action.
	void clear();

	StringId getName() const { return name; }
	void setName(StringId value) { name = value; }
	StringId getNextState() const { return nextState; }
	void setNextState(StringId value) { nextState = value; }
	StringId getReportedName() const { return reportedName; }
	bool isRunning() const { return running != 0; }
	unsigned getRunningCount() const { return running; }
	bool isEndApplied() const { return endApplied; }

private:
	void adopt(irr::core::array<Base*>& list, Base* action);
	void applyEndActions();
	void sendStart();
	void sendEnd(bool aborted);

	BaseNode* owner = nullptr;
	StringId name;
	StringId nextState;
	StringId reportedName;
	unsigned running = 0;
	bool endApplied = false;
	irr::core::array<Base*> mainActions;
	irr::core::array<Base*> startActions;
	irr::core::array<Base*> endActions;
};
