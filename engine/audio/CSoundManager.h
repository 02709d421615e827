#pragma once

#include "SoundGroupSettings.h"
#include "core/EventReceiver.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <map>
#include <vector>

class CEventDeviceAudioDriverCreated;
class CEventSystemFlowUpdate;
class CSoundCue;
class IAudioDevice;

// Plays named sound cues: groups with limits, volumes and pause, fades, and retiring finished instances.
class CSoundManager : public EventReceiver
{
public:
	CSoundManager();
	~CSoundManager() override;

	bool onEvent(CEvent* event) override;

	CSoundCue* playCue(StringId name, bool onlyIfNotPlaying = false, int fadeInMs = 0);
	void stopCue(StringId name, int fadeOutMs = 0);
	bool isCuePlaying(StringId name) const;
	void stopGroup(int groupId);
	void setGroupPaused(bool paused, int groupId);
	float getGroupVolume(int groupId);
	void setGroupVolume(float volume, int groupId);
	SoundGroupSettings& getGroupSettings(int groupId);
	bool registerCue(CSoundCue* cue);
	CSoundCue* getCue(StringId name) const;

	// Admission of a new instance of the cue; may start fading out the group's oldest instance.
	bool canPlay(const CSoundCue* cue);
	// Takes one reference of a new instance.
	void addInstance(CSoundCue* instance);
	// Advances fades and retires finished instances.
	void update(int ms);

	IAudioDevice* getAudioDevice() const { return audioDevice.get(); }
	void setAudioDevice(IAudioDevice* device);
	const std::vector<SmartPointer<CSoundCue>>& getInstances() const { return instances; }

private:
	static const EventMap& eventMap();
	bool onUpdateEvent(CEventSystemFlowUpdate* event);
	bool onAudioDeviceCreated(CEventDeviceAudioDriverCreated* event);
	bool onAudioDeviceReleased(CEvent* event);
	void retire(CSoundCue* instance);

	SmartPointer<IAudioDevice> audioDevice;
	std::map<int, SoundGroupSettings> groups;
	std::map<StringId, SmartPointer<CSoundCue>> cues;
	std::vector<SmartPointer<CSoundCue>> instances;
};
