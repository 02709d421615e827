#include "CSoundCue.h"

#include "CSoundManager.h"
#include "ISound.h"
#include "core/Random.h"

#include <cmath>

CSoundCue::CSoundCue(StringId cueName) : name(cueName) { mask = EventCategorySound; }

CSoundCue::~CSoundCue() = default;

bool CSoundCue::onEvent(CEvent* event) { return dispatchThroughTable(rootEventMap(), event); }

void CSoundCue::addVariant(ISound* sound)
{
	if (sound)
		variants.push_back(shareRef(sound));
}

ISound* CSoundCue::getCurrentVariant() const
{
	if (current < 0 || current >= static_cast<int>(variants.size()))
		return nullptr;
	return variants[current].get();
}

CSoundCue* CSoundCue::makeInstance() const
{
	CSoundCue* instance = new CSoundCue(name);
	instance->owner = owner;
	instance->groupId = groupId;
	instance->vol = vol;
	instance->loop = loop;
	for (const SmartPointer<ISound>& variant : variants)
	{
		// A variant that cannot be copied (its file gone) is left out of this instance.
		if (ISound* copy = variant->cloneContent())
			instance->variants.emplace_back(copy);
	}
	instance->updateVolume();
	return instance;
}

CSoundCue* CSoundCue::play(int fadeInMs)
{
	if (!owner || !owner->canPlay(this))
		return nullptr;

	CSoundCue* instance = makeInstance();
	// The fade is set before the pick, so the variant starts silent instead of with a burst.
	if (fadeInMs > 0)
	{
		instance->fadeState = FadeIn;
		instance->fadeElapsed = 0;
		instance->fadeDuration = fadeInMs;
	}
	if (!instance->pickVariant())
	{
		instance->drop();
		return nullptr;
	}
	if (owner->getGroupSettings(groupId).paused)
		instance->setPaused(true);
	owner->addInstance(instance);
	return instance;
}

bool CSoundCue::pickVariant()
{
	const int count = static_cast<int>(variants.size());
	if (count == 0)
		return false;
	int choice = 0;
	if (count == 1)
	{
		variants[0]->setLooping(loop);
	}
	else
	{
		const bool hasCurrent = current >= 0 && current < count;
		const unsigned range = static_cast<unsigned>(hasCurrent ? count - 1 : count);
		choice = static_cast<int>(Random::instance()->nextMt() % range);
		if (hasCurrent && choice == current)
			choice = count - 1;
	}
	// A variant picked mid-cue joins at the level the cue is at.
	variants[choice]->setVolume(currentLevel());
	if (!variants[choice]->play())
		return false;
	current = choice;
	return true;
}

int CSoundCue::stop(int fadeOutMs)
{
	ISound* sound = getCurrentVariant();
	if (!sound)
		return -1;
	if (fadeOutMs <= 0)
	{
		fadeState = FadeNone;
		sound->stop();
		current = -1;
		return 0;
	}
	if (fadeState == FadeNone)
	{
		fadeDuration = fadeOutMs;
		fadeElapsed = fadeOutMs;
	}
	else if (fadeState == FadeIn)
	{
		// Start the fade-out from the level the fade-in reached.
		const double reached = fadeDuration > 0 ? static_cast<double>(fadeElapsed) / fadeDuration : 1.0;
		fadeElapsed = static_cast<int>(std::lround(fadeOutMs * reached));
		fadeDuration = fadeOutMs;
	}
	fadeState = FadeOut;
	return 0;
}

int CSoundCue::setPaused(bool paused)
{
	ISound* sound = getCurrentVariant();
	if (!sound)
		return -1;
	sound->setPaused(paused);
	return 0;
}

int CSoundCue::getState() const
{
	ISound* sound = getCurrentVariant();
	if (!sound)
		return 0;
	return sound->getState() == 1 ? 1 : 2;
}

void CSoundCue::updateVolume()
{
	effectiveVolume = vol;
	if (owner)
	{
		effectiveVolume *= owner->getGroupSettings(-1).volume;
		if (groupId != -1)
			effectiveVolume *= owner->getGroupSettings(groupId).volume;
	}
	// During a fade the next fade step applies the new level.
	if (fadeState == FadeNone)
	{
		for (SmartPointer<ISound>& variant : variants)
			variant->setVolume(effectiveVolume);
	}
}

float CSoundCue::currentLevel() const
{
	if (fadeState == FadeIn && fadeDuration > 0 && fadeElapsed < fadeDuration)
		return effectiveVolume * fadeElapsed / fadeDuration;
	if (fadeState == FadeOut && fadeDuration > 0)
		return effectiveVolume * (fadeElapsed > 0 ? fadeElapsed : 0) / fadeDuration;
	return effectiveVolume;
}

void CSoundCue::updateFade(int ms)
{
	ISound* sound = getCurrentVariant();
	if (!sound)
		return;
	if (sound->getState() == 0)
	{
		// The variant ended (also during a fade): a looping cue goes on with another one.
		if (fadeState == FadeOut || !loop || !pickVariant())
		{
			current = -1;
			fadeState = FadeNone;
			return;
		}
		sound = getCurrentVariant();
	}
	switch (fadeState)
	{
	case FadeIn:
		fadeElapsed += ms;
		if (fadeElapsed < fadeDuration)
		{
			sound->setVolume(effectiveVolume * fadeElapsed / fadeDuration);
		}
		else
		{
			fadeState = FadeNone;
			sound->setVolume(effectiveVolume);
		}
		break;
	case FadeOut:
		fadeElapsed -= ms;
		if (fadeElapsed > 0 && fadeDuration > 0)
		{
			sound->setVolume(effectiveVolume * fadeElapsed / fadeDuration);
		}
		else
		{
			sound->stop();
			current = -1;
			fadeState = FadeNone;
		}
		break;
	default:
		break;
	}
}
