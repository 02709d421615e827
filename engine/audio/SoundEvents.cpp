#include "SoundEvents.h"

#include "CSoundCue.h"

CEventSoundFinished::CEventSoundFinished(CSoundCue* finished) : cue(finished)
{
	if (cue)
		cue->grab();
}

CEventSoundFinished::~CEventSoundFinished()
{
	if (cue)
		cue->drop();
}
