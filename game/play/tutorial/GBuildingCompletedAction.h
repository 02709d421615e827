#pragma once

#include "GWatchingAction.h"

class CEventNodeClicked;
class GEventWorkCompleted;

// Waits until a building of one of the names is finished; the abort button cannot cancel it meanwhile.
class GBuildingCompletedAction : public GWatchingAction
{
public:
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override { return dispatchThroughTable(eventMap(), event); }
	void load(IXMLReader* reader) override;

	bool onWorkCompleted(GEventWorkCompleted* event);
	bool onClicked(CEventNodeClicked* event);

protected:
	// Attribute the names are read from.
	virtual const wchar_t* namesAttribute() const { return L"Buildings"; }

	irr::core::array<StringId> buildings;
};
