#pragma once

#include "GBuildingCompletedAction.h"

// Done at once when the player already owns a building of one of the types, else when one is finished.
class GBuildingCompletedOrExistAction : public GBuildingCompletedAction
{
public:
	void start(EventReceiver* target) override { this->target = target; }
	void update(int elapsed) override;

protected:
	const wchar_t* namesAttribute() const override { return L"BuildingTypes"; }

private:
	EventReceiver* target = nullptr; // the level, which outlives the hint
};
