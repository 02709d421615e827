#include "GListItemHoveredAction.h"

#include "content/IXMLReader.h"
#include "core/TextUtils.h"
#include "data/LevelDataText.h"
#include "scene/BaseNode.h"
#include "scene/NodeEvents.h"

const EventMap& GListItemHoveredAction::eventMap()
{
	using A = GListItemHoveredAction;
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {{CEventNodeListItemHovered::TypeId, &eventHandler<A, CEventNodeListItemHovered, &A::onListItemHovered>}});
	return table;
}

void GListItemHoveredAction::load(IXMLReader* reader)
{
	const irr::core::stringw& name = reader->getAttributeValue(irr::core::stringw(L"List"));
	list = name.empty() ? StringId() : internStringId(narrow(name));
	indices = readIndices(reader, L"Indices");
}

bool GListItemHoveredAction::onListItemHovered(CEventNodeListItemHovered* event)
{
	if (!list.isEmpty() && event->list && event->list->getName() == list && contains(indices, event->item))
		done = true;
	return false;
}
