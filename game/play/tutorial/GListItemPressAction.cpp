#include "GListItemPressAction.h"

#include "content/IXMLReader.h"
#include "core/TextUtils.h"
#include "data/LevelDataText.h"
#include "scene/BaseNode.h"
#include "scene/NodeEvents.h"

const EventMap& GListItemPressAction::eventMap()
{
	using A = GListItemPressAction;
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {{CEventNodeListItemClicked::TypeId, &eventHandler<A, CEventNodeListItemClicked, &A::onListItemClicked>},
	     {CEventNodeClicked::TypeId, &eventHandler<A, CEvent, &A::onClicked>}});
	return table;
}

void GListItemPressAction::load(IXMLReader* reader)
{
	const irr::core::stringw& name = reader->getAttributeValue(irr::core::stringw(L"List"));
	list = name.empty() ? StringId() : internStringId(narrow(name));
	indices = readIndices(reader, L"Indices");
}

bool GListItemPressAction::onListItemClicked(CEventNodeListItemClicked* event)
{
	if (!list.isEmpty() && event->list && event->list->getName() == list && contains(indices, event->item))
	{
		done = true;
		return false;
	}
	playMissed();
	return true;
}

bool GListItemPressAction::onClicked(CEvent*)
{
	playMissed();
	return true;
}
