#include "CSoundManager.h"

#include "CSoundCue.h"
#include "IAudioDevice.h"
#include "SoundEvents.h"
#include "core/DeviceEvents.h"
#include "core/SystemFlowEvents.h"

#include <algorithm>

const EventMap& CSoundManager::eventMap()
{
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {
	        {CEventSystemFlowUpdate::TypeId,
	         &eventHandler<CSoundManager, CEventSystemFlowUpdate, &CSoundManager::onUpdateEvent>},
	        {CEventDeviceAudioDriverCreated::TypeId,
	         &eventHandler<CSoundManager, CEventDeviceAudioDriverCreated, &CSoundManager::onAudioDeviceCreated>},
	        {EventIdDeviceAudioDriverReleased,
	         &eventHandler<CSoundManager, CEvent, &CSoundManager::onAudioDeviceReleased>},
	    });
	return table;
}

CSoundManager::CSoundManager() { mask = EventCategoryDevice | EventCategorySystemFlow; }

CSoundManager::~CSoundManager()
{
	for (SmartPointer<CSoundCue>& instance : instances)
		instance->setOwner(nullptr);
	for (auto& entry : cues)
		entry.second->setOwner(nullptr);
}

bool CSoundManager::onEvent(CEvent* event) { return dispatchThroughTable(eventMap(), event); }

bool CSoundManager::onUpdateEvent(CEventSystemFlowUpdate* event)
{
	update(event->elapsed);
	return false;
}

bool CSoundManager::onAudioDeviceCreated(CEventDeviceAudioDriverCreated* event)
{
	setAudioDevice(event->audioDevice);
	return false;
}

bool CSoundManager::onAudioDeviceReleased(CEvent*)
{
	audioDevice = nullptr;
	return false;
}

void CSoundManager::setAudioDevice(IAudioDevice* device) { audioDevice = shareRef(device); }

SoundGroupSettings& CSoundManager::getGroupSettings(int groupId) { return groups[groupId]; }

CSoundCue* CSoundManager::getCue(StringId name) const
{
	auto it = cues.find(name);
	return it == cues.end() ? nullptr : it->second.get();
}

bool CSoundManager::registerCue(CSoundCue* cue)
{
	if (!cue || cues.count(cue->getName()))
		return false;
	cues[cue->getName()] = shareRef(cue);
	cue->setOwner(this);
	cue->updateVolume();
	return true;
}

CSoundCue* CSoundManager::playCue(StringId name, bool onlyIfNotPlaying, int fadeInMs)
{
	if (onlyIfNotPlaying && isCuePlaying(name))
		return nullptr;
	CSoundCue* cue = getCue(name);
	if (!cue)
		return nullptr;
	if (fadeInMs == 0)
		fadeInMs = getGroupSettings(cue->getGroupID()).fadeInMs;
	return cue->play(fadeInMs);
}

void CSoundManager::stopCue(StringId name, int fadeOutMs)
{
	// The oldest instance still sounding and not already on its way out; stopping one that is
	// fading out already would leave a newer instance of the same cue playing.
	for (SmartPointer<CSoundCue>& instance : instances)
	{
		if (instance->getName() != name || instance->getState() == 0 ||
		    instance->getFadeState() == CSoundCue::FadeOut)
			continue;
		const int fade = fadeOutMs == 0 ? getGroupSettings(instance->getGroupID()).fadeOutMs : fadeOutMs;
		instance->stop(fade);
		return;
	}
}

bool CSoundManager::isCuePlaying(StringId name) const
{
	return std::any_of(instances.begin(), instances.end(),
	                   [name](const SmartPointer<CSoundCue>& instance) { return instance->getName() == name; });
}

void CSoundManager::stopGroup(int groupId)
{
	for (SmartPointer<CSoundCue>& instance : instances)
	{
		if (groupId == -1 || instance->getGroupID() == groupId)
			instance->stop(0);
	}
}

void CSoundManager::setGroupPaused(bool paused, int groupId)
{
	if (groupId != -1)
		getGroupSettings(groupId).paused = paused;
	for (SmartPointer<CSoundCue>& instance : instances)
	{
		if (groupId == -1 || instance->getGroupID() == groupId)
			instance->setPaused(paused);
	}
}

float CSoundManager::getGroupVolume(int groupId) { return getGroupSettings(groupId).volume; }

void CSoundManager::setGroupVolume(float volume, int groupId)
{
	getGroupSettings(groupId).volume = volume;
	for (auto& entry : cues)
	{
		if (groupId == -1 || entry.second->getGroupID() == groupId)
			entry.second->updateVolume();
	}
	for (SmartPointer<CSoundCue>& instance : instances)
	{
		if (groupId == -1 || instance->getGroupID() == groupId)
			instance->updateVolume();
	}
}

bool CSoundManager::canPlay(const CSoundCue* cue)
{
	const SoundGroupSettings settings = getGroupSettings(cue->getGroupID());
	if (settings.volume == 0.0f)
		return false;
	if (settings.maxInstances == 0)
		return true;

	int count = 0;
	CSoundCue* oldest = nullptr;
	for (SmartPointer<CSoundCue>& instance : instances)
	{
		if (instance->getGroupID() != cue->getGroupID() || instance->getState() == 0 ||
		    instance->getFadeState() == CSoundCue::FadeOut)
			continue;
		++count;
		if (!oldest)
			oldest = instance.get();
	}
	if (count < settings.maxInstances)
		return true;
	if (settings.limitPolicy == SoundGroupSettings::RefuseNew)
		return false;
	if (settings.limitPolicy == SoundGroupSettings::FadeOutOldest && oldest)
		oldest->stop(settings.fadeOutMs);
	return true;
}

void CSoundManager::addInstance(CSoundCue* instance) { instances.emplace_back(instance); }

void CSoundManager::update(int ms)
{
	// A finished-event handler may play or stop cues: walk a snapshot, look instances up again.
	const std::vector<SmartPointer<CSoundCue>> snapshot = instances;
	for (const SmartPointer<CSoundCue>& instance : snapshot)
	{
		if (std::find(instances.begin(), instances.end(), instance) == instances.end())
			continue;
		instance->updateFade(ms);
		if (instance->getState() == 0)
			retire(instance.get());
	}
}

void CSoundManager::retire(CSoundCue* instance)
{
	CEventSoundFinished* event = new CEventSoundFinished(instance);
	instance->onEvent(event);
	event->drop();
	auto it = std::find(instances.begin(), instances.end(), instance);
	if (it != instances.end())
		instances.erase(it);
}
