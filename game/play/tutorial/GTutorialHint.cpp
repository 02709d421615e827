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
#include "core/ILogger.h"
#include "core/NumberText.h"
#include "core/TextUtils.h"
#include "data/CheckedNumber.h"
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

// Screen coordinates, well past the screen's edges.
constexpr NumberRange PlaceRange{-10000.0, 10000.0};
constexpr NumberRange RotationRange{-360.0, 360.0};
constexpr NumberRange BgTypeRange{0.0, 100.0};

// A place whose x or y is refused keeps the place before.
bool placeInRange(const irr::core::vector3df& place, const char* name)
{
	return isNumberInRange(place.X, PlaceRange, name) && isNumberInRange(place.Y, PlaceRange, name) &&
	       isNumberInRange(place.Z, PlaceRange, name);
}

// x and y of the first three numbers of the text; z stays as it was.
void readPlace(IXMLReader* reader, irr::core::vector3df& place, const char* name)
{
	irr::core::vector3df read = parseVector3dW(value(reader).c_str());
	read.Z = place.Z;
	if (!placeInRange(read, name))
		return;
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
			readPlace(reader, position, "Position");
		else if (name == L"TextPosition")
			readPlace(reader, textPosition, "TextPosition");
		else if (name == L"TextBgType")
			textBgType = readIntAttribute(reader, L"Value", textBgType, BgTypeRange);
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
		const irr::core::vector3df place =
		    parseVector3dW(reader->getAttributeValue(irr::core::stringw(L"Position")).c_str());
		if (placeInRange(place, "Arrow Position"))
			arrow.position = place;
		arrow.rotation.Z = readFloatAttribute(reader, L"Rotation", 0.0f, RotationRange);
		arrows.push_back(arrow);
	}
}

void GTutorialHint::startActions(EventReceiver* target)
{
	for (const SmartPointer<GTutorialAction>& action : actions)
		action->start(target);
}
