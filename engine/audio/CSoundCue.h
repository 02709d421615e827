#pragma once

#include "core/EventReceiver.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <functional>
#include <vector>

class CSoundManager;
class IAudioDevice;
class ISound;
class IXMLReader;

// Loads a sound file named in a sound pack (relative to the pack); a new reference or null.
using SoundFileLoader = std::function<ISound*(const char* fileName)>;

// A named sound to play: group, volume, loop flag and variants; registered cues are templates,
// each play makes an instance.
class CSoundCue : public EventReceiver
{
public:
	enum FadeState
	{
		FadeNone = 0,
		FadeIn = 1,
		FadeOut = 2,
	};

	explicit CSoundCue(StringId name = StringId());
	~CSoundCue() override;

	bool onEvent(CEvent* event) override;

	// Reads the attributes and Sound elements of the SoundCue element the reader stands on.
	bool load(IXMLReader* reader, const SoundFileLoader& loadSound, IAudioDevice* device);

	// A new instance held by the owner (take a reference to keep it), or null.
	CSoundCue* play(int fadeInMs);
	// -1 when no variant plays.
	int stop(int fadeOutMs);
	int setPaused(bool paused);
	int getState() const;
	void updateVolume();
	void updateFade(int ms);
	bool pickVariant();

	void addVariant(ISound* sound);
	const std::vector<SmartPointer<ISound>>& getVariants() const { return variants; }
	ISound* getCurrentVariant() const;
	int getCurrentIndex() const { return current; }

	StringId getName() const { return name; }
	void setName(StringId id) { name = id; }
	CSoundManager* getOwner() const { return owner; }
	void setOwner(CSoundManager* manager) { owner = manager; }
	int getGroupID() const { return groupId; }
	void setGroupID(int id) { groupId = id; }
	float getVol() const { return vol; }
	void setVol(float v) { vol = v; }
	bool getLoop() const { return loop; }
	void setLoop(bool l) { loop = l; }
	float getEffectiveVolume() const { return effectiveVolume; }
	int getFadeState() const { return fadeState; }
	int getFadeElapsed() const { return fadeElapsed; }
	int getFadeDuration() const { return fadeDuration; }

private:
	CSoundCue* makeInstance() const;
	float currentLevel() const;

	StringId name;
	CSoundManager* owner = nullptr;
	int groupId = -1;
	float vol = 1.0f;
	float effectiveVolume = 1.0f;
	bool loop = false;
	std::vector<SmartPointer<ISound>> variants;
	int current = -1;
	int fadeState = FadeNone;
	int fadeElapsed = 0;
	int fadeDuration = 0;
};
