#include "GTutorialHint.h"

#include "GBuildingCompletedAction.h"
#include "GBuildingCompletedOrExistAction.h"
#include "GBuildingPressAction.h"
#include "GControlPressAction.h"
#include "GGenerateBrokenBuildingRequestAction.h"
#include "GGenerateDirtyBuildingRequestAction.h"
#include "GGenerateLetterRequestAction.h"
#include "GGeneratePauseRequestAction.h"
#include "GGenerateSellBuildingRequestAction.h"
#include "GListItemHoveredAction.h"
#include "GListItemPressAction.h"
#include "GMouseClickAction.h"
#include "GTimedAction.h"
#include "GWaitDirtyAction.h"
#include "GWaitLetterAction.h"
#include "content/IXMLReader.h"
#include "core/NumberText.h"
#include "core/TextUtils.h"
#include "data/ConfigReading.h"

namespace
{
bool flag(IXMLReader* reader, const wchar_t* name)
{
	return reader->getAttributeValue(irr::core::stringw(name)) == L"true";
}

const irr::core::stringw& value(IXMLReader* reader)
{
	return reader->getAttributeValue(irr::core::stringw(L"Value"));
}

// x and y of the first three numbers of the text; z stays as it was.
void readPlace(IXMLReader* reader, irr::core::vector3df& place)
{
	const irr::core::vector3df read = parseVector3dW(value(reader).c_str());
	place.X = read.X;
	place.Y = read.Y;
}
} // namespace

GTutorialAction* GTutorialHint::createAction(const irr::core::stringw& type)
{
	if (type == L"Timed")
		return new GTimedAction();
	if (type == L"MouseClick")
		return new GMouseClickAction();
	if (type == L"BuildingPress")
		return new GBuildingPressAction();
	if (type == L"ControlPress")
		return new GControlPressAction();
	if (type == L"ListItemPress")
		return new GListItemPressAction();
	if (type == L"ListItemHovered")
		return new GListItemHoveredAction();
	if (type == L"BuildingCompleted")
		return new GBuildingCompletedAction();
	if (type == L"BuildingCompletedOrExist")
		return new GBuildingCompletedOrExistAction();
	if (type == L"WaitDirty")
		return new GWaitDirtyAction();
	if (type == L"WaitLetter")
		return new GWaitLetterAction();
	if (type == L"GenerateSellBuildingRequest")
		return new GGenerateSellBuildingRequestAction();
	if (type == L"GenerateBrokenBuildingRequest")
		return new GGenerateBrokenBuildingRequestAction();
	if (type == L"GenerateDirtyBuildingRequest")
		return new GGenerateDirtyBuildingRequestAction();
	if (type == L"GenerateLetterRequest")
		return new GGenerateLetterRequestAction();
	if (type == L"GeneratePauseRequest")
		return new GGeneratePauseRequestAction();
	return nullptr;
}

void GTutorialHint::parse(IXMLReader* reader)
{
	tip = flag(reader, L"Tip");
	messageBox = flag(reader, L"MessageBox");
	linnet = flag(reader, L"Linnet");
	if (reader->isEmptyElement())
		return;
	while (reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == L"Hint")
			return;
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& name = reader->getNodeName();
		if (name == L"Position")
			readPlace(reader, position);
		else if (name == L"TextPosition")
			readPlace(reader, textPosition);
		else if (name == L"TextBgType")
			textBgType = wideNumberToInt(value(reader).c_str());
		else if (name == L"Text")
			text = value(reader);
		else if (name == L"ImageFilename")
			imageFilename = narrow(value(reader));
		else if (name == L"Actions")
			parseActions(reader);
		else if (name == L"Arrows")
			parseArrows(reader);
	}
}

void GTutorialHint::parseActions(IXMLReader* reader)
{
	if (reader->isEmptyElement())
		return;
	while (reader->read() && !isElementEnd(reader, L"Actions"))
	{
		if (!isElementStart(reader, L"Action"))
			continue;
		SmartPointer<GTutorialAction> action(createAction(reader->getAttributeValue(irr::core::stringw(L"Type"))));
		if (!action)
			continue;
		action->load(reader);
		actions.push_back(action);
	}
}

void GTutorialHint::parseArrows(IXMLReader* reader)
{
	if (reader->isEmptyElement())
		return;
	while (reader->read() && !isElementEnd(reader, L"Arrows"))
	{
		if (!isElementStart(reader, L"Arrow"))
			continue;
		GTutorialArrow arrow;
		arrow.position = parseVector3dW(reader->getAttributeValue(irr::core::stringw(L"Position")).c_str());
		arrow.rotation.Z = reader->getAttributeValueAsFloat(irr::core::stringw(L"Rotation"), 0.0f);
		arrows.push_back(arrow);
	}
}

void GTutorialHint::startActions(EventReceiver* target)
{
	for (const SmartPointer<GTutorialAction>& action : actions)
		action->start(target);
}
