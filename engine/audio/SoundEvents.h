#pragma once

#include "core/CEvent.h"
#include "core/SmartPointer.h"

class CSoundCue;

// Sound category (mask 0x40): base of the sound events.
class CEventSound : public CEvent
{
	ENGINE_EVENT_TYPE(8, CEvent)
protected:
	CEventSound() { mask = EventCategorySound; }
};

// Delivered to a cue instance when it has finished playing.
class CEventSoundFinished : public CEventSound
{
	ENGINE_EVENT_TYPE(78, CEventSound)
public:
	explicit CEventSoundFinished(CSoundCue* finished);
	~CEventSoundFinished() override;

	CSoundCue* cue;
};
