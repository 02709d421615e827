#include "AnimatorSet.h"

#include "Base.h"
#include "BaseNode.h"
#include "NodeEvents.h"
#include "NodeFactory.h"
#include "PropertyAccessors.h"
#include "PropertyValue.h"
#include "SceneXmlReader.h"
#include "content/IXMLWriter.h"
#include "core/TextUtils.h"

namespace
{
void releaseAll(irr::core::array<Base*>& list)
{
	irr::core::array<Base*> taken;
	taken.swap(list);
	for (irr::u32 i = 0; i < taken.size(); ++i)
	{
		taken[i]->setOwnerSet(nullptr);
		taken[i]->setTarget(nullptr);
		taken[i]->drop();
	}
}

void startAll(const irr::core::array<Base*>& list)
{
	for (irr::u32 i = 0; i < list.size(); ++i)
		list[i]->start(0, true);
}
} // namespace

AnimatorSet::AnimatorSet(StringId stateName) : name(stateName)
{
	mask |= EventCategoryNode | EventCategoryGame;
}

AnimatorSet::~AnimatorSet()
{
	clear();
}

const PropertyTable& AnimatorSet::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    rootPropertyTable(),
	    {
	        accessorProperty<&AnimatorSet::setName, &AnimatorSet::getName>("Name"),
	    });
	return table;
}

const EventMap& AnimatorSet::eventMap()
{
	static const EventMap map = extendEventMap(
	    rootEventMap(), {
	                        {CEventNodeActionFinished::TypeId,
	                         &eventHandler<AnimatorSet, CEventNodeActionFinished, &AnimatorSet::onActionFinished>},
	                        {64, &eventHandler<AnimatorSet, CEventNode, &AnimatorSet::onReservedEvent64>},
	                    });
	return map;
}

bool AnimatorSet::onEvent(CEvent* event)
{
	return event && dispatchThroughTable(eventMap(), event);
}

bool AnimatorSet::sendToParent(int mode, CEvent* event)
{
	if (!event || !owner || !(owner->mask & event->mask))
		return false;
	return owner->deliverEvent(mode, event);
}

void AnimatorSet::sendStart()
{
	SmartPointer<CEventNodeAnimatorStarted> event(new CEventNodeAnimatorStarted(this, reportedName));
	sendToParent(DeliverSelf, event.get());
}

void AnimatorSet::sendEnd(bool aborted)
{
	SmartPointer<CEventNodeAnimatorEnded> event(new CEventNodeAnimatorEnded(this, reportedName, aborted));
	sendToParent(DeliverSelf, event.get());
}

void AnimatorSet::applyEndActions()
{
	endApplied = true;
	startAll(endActions);
}

void AnimatorSet::start(TaskScheduler* scheduler, StringId reported)
{
	// The owner's handlers may drop the state map's reference while this runs.
	SmartPointer<AnimatorSet> keep(shareRef(this));
	reportedName = reported.isEmpty() ? name : reported;
	sendStart();
	endApplied = false;
	startAll(startActions);
	startAll(mainActions);
	if (scheduler)
	{
		running = mainActions.size();
		for (irr::u32 i = 0; i < mainActions.size(); ++i)
			mainActions[i]->runOn(scheduler);
	}
	else
	{
		running = 0;
	}
	if (running == 0)
		sendEnd(false);
}

void AnimatorSet::stop(bool applyEnd)
{
	SmartPointer<AnimatorSet> keep(shareRef(this));
	for (irr::u32 i = 0; i < mainActions.size(); ++i)
		mainActions[i]->stop(applyEnd, false);
	if (!endApplied)
		applyEndActions();
	if (running != 0)
	{
		running = 0;
		sendEnd(true);
	}
}

bool AnimatorSet::onActionFinished(CEventNodeActionFinished* event)
{
	SmartPointer<AnimatorSet> keep(shareRef(this));
	sendToParent(DeliverSelf, event);
	if (running == 0)
		return false;
	if (--running == 0)
	{
		if (!event->looped)
			applyEndActions();
		sendEnd(false);
	}
	return false;
}

bool AnimatorSet::onReservedEvent64(CEventNode* event)
{
	sendToParent(DeliverSelf, event);
	return false;
}

void AnimatorSet::setOwner(BaseNode* node)
{
	owner = node;
	for (irr::core::array<Base*>* list : {&mainActions, &startActions, &endActions})
	{
		for (irr::u32 i = 0; i < list->size(); ++i)
			(*list)[i]->setTarget(node);
	}
}

Base* AnimatorSet::findAnimator(StringId actionName) const
{
	for (irr::u32 i = 0; i < mainActions.size(); ++i)
	{
		if (mainActions[i]->getName() == actionName)
			return mainActions[i];
	}
	return nullptr;
}

Base* AnimatorSet::getAnimator(irr::u32 index) const
{
	return index < mainActions.size() ? mainActions[index] : nullptr;
}

void AnimatorSet::adopt(irr::core::array<Base*>& list, Base* action)
{
	if (!action)
		return;
	action->setOwnerSet(this);
	action->setTarget(owner);
	list.push_back(action);
}

void AnimatorSet::addMainAction(Base* action)
{
	adopt(mainActions, action);
}
void AnimatorSet::addStartAction(Base* action)
{
	adopt(startActions, action);
}
void AnimatorSet::addEndAction(Base* action)
{
	adopt(endActions, action);
}

void AnimatorSet::clear()
{
	for (irr::u32 i = 0; i < mainActions.size(); ++i)
		mainActions[i]->stop(false, false);
	releaseAll(mainActions);
	releaseAll(startActions);
	releaseAll(endActions);
}

AnimatorSet* AnimatorSet::clone() const
{
	AnimatorSet* copy = new AnimatorSet(name);
	copy->nextState = nextState;
	for (irr::u32 i = 0; i < mainActions.size(); ++i)
		copy->addMainAction(mainActions[i]->clone());
	for (irr::u32 i = 0; i < startActions.size(); ++i)
		copy->addStartAction(startActions[i]->clone());
	for (irr::u32 i = 0; i < endActions.size(); ++i)
		copy->addEndAction(endActions[i]->clone());
	return copy;
}

bool AnimatorSet::load(IXMLReader* plainReader, INodeEventQueue*, BaseNode*, IContentManager* contentManager)
{
	clear();
	if (!plainReader)
		return false;
	SmartPointer<SceneXmlReader> reader = SceneXmlReader::wrap(plainReader);
	static const irr::core::stringw typeAttribute(L"Type");
	static const irr::core::stringw nameAttribute(L"Name");
	NodeFactory* factory = NodeFactory::instance();
	XmlElementScope scope(reader.get());
	while (scope.next())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		// The element's name as a constant: the reader's own moves on while the action loads.
		static const irr::core::stringw elementNames[] = {L"Animator", L"StartAnimator", L"EndAnimator"};
		irr::core::array<Base*>* const lists[] = {&mainActions, &startActions, &endActions};
		const irr::core::stringw& element = reader->getNodeName();
		size_t kind = 0;
		while (kind < 3 && element != elementNames[kind])
			++kind;
		Base* action = kind < 3 ? factory->createAction(reader->getAttributeValue(typeAttribute)) : nullptr;
		if (!action)
		{
			XmlElementScope::skipElement(reader.get());
			continue;
		}
		const irr::core::stringw& actionName = reader->getAttributeValue(nameAttribute);
		action->setName(actionName.size() ? internWideStringId(actionName) : StringId());
		action->load(reader.get(), contentManager, elementNames[kind]);
		adopt(*lists[kind], action);
	}
	return true;
}

void AnimatorSet::save(IXMLWriter* writer, IContentManager*) const
{
	if (!writer)
		return;
	const irr::core::stringw stateName = widen(getStringById(name));
	if (nextState.isEmpty())
		writer->writeElement(L"State", false, L"Name", stateName.c_str());
	else
		writer->writeElement(L"State", false, L"Name", stateName.c_str(), L"NextState",
		                     widen(getStringById(nextState)).c_str());
	writer->writeLineBreak();
	for (irr::u32 i = 0; i < mainActions.size(); ++i)
		mainActions[i]->save(writer, L"Animator");
	for (irr::u32 i = 0; i < startActions.size(); ++i)
		startActions[i]->save(writer, L"StartAnimator");
	for (irr::u32 i = 0; i < endActions.size(); ++i)
		endActions[i]->save(writer, L"EndAnimator");
	writer->writeClosingTag(L"State");
	writer->writeLineBreak();
}
