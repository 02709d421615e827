#include "SoundPack.h"

#include "CSoundManager.h"

void SoundPack::addCue(CSoundCue* cue)
{
	if (cue)
		cues.push_back(shareRef(cue));
}

void SoundPack::registerCues(CSoundManager* manager)
{
	if (!manager)
		return;
	for (SmartPointer<CSoundCue>& cue : cues)
		manager->registerCue(cue.get());
}
