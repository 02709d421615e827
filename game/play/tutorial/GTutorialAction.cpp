#include "GTutorialAction.h"

#include "app/GBaseSceneNode.h"
#include "content/IXMLReader.h"
#include "core/ILogger.h"
#include "data/CheckedNumber.h"
#include "data/LevelDataText.h"

namespace
{
// Items of a list in the panels: a few dozen at most.
constexpr NumberRange ListIndexRange{0.0, 1000.0};
} // namespace

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

irr::core::array<int> GTutorialAction::readIndices(IXMLReader* reader, const wchar_t* attribute)
{
	const irr::core::array<int> read = parseIntListW(reader->getAttributeValue(irr::core::stringw(attribute)).c_str());
	const irr::core::stringc name(irr::core::stringw(attribute).c_str());
	irr::core::array<int> indices;
	for (irr::u32 i = 0; i < read.size(); ++i)
	{
		if (static_cast<int>(indices.size()) >= MaxIndices)
		{
			getLogger()->log("Too many list indices; the rest are skipped", name.c_str(), 1);
			break;
		}
		if (isNumberInRange(read[i], ListIndexRange, name.c_str()))
			indices.push_back(read[i]);
	}
	return indices;
}

void GTutorialAction::playMissed()
{
	GBaseSceneNode::playCue("ButtonMissed");
}
