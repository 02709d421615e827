#include "GTutorialAction.h"

#include "app/GBaseSceneNode.h"
#include "content/IXMLReader.h"
#include "data/LevelDataText.h"

void GTutorialAction::start(EventReceiver*) {}

void GTutorialAction::update(int) {}

void GTutorialAction::finish() {}

void GTutorialAction::sendToTarget(EventReceiver* target, CEvent* event)
{
	if (target && !target->onEvent(event))
		target->sendToParent(DeliverSelfThenParent, event);
}

irr::core::array<StringId> GTutorialAction::readIds(IXMLReader* reader, const wchar_t* attribute)
{
	return parseIdListW(reader->getAttributeValue(irr::core::stringw(attribute)));
}

void GTutorialAction::playMissed()
{
	GBaseSceneNode::playCue("ButtonMissed");
}
