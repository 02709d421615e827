#pragma once

#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "scene/BaseNode.h"

class CSoundCue;
class CSoundManager;

// Plays a named sound cue while it is shown in a scene and its Play flag is set; draws nothing.
class SoundNode : public BaseNode
{
	ENGINE_NODE_TYPE(SoundNode, NodeTypeSoundNode, BaseNode)
	ENGINE_NODE_CLONE(SoundNode)

public:
	explicit SoundNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                   INodeEventQueue* sceneManager = nullptr);
	~SoundNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void addToRenderList(RenderList& list) override;

	// Stops the current instance at once and starts the new cue when the node is shown.
	void setSoundCueName(StringId name);
	StringId getSoundCueName() const { return SoundCueName; }
	void setPlay(bool play);
	// The stored flag; isPlaying tells whether the cue sounds now.
	bool getPlay() const { return Play; }
	bool isPlaying() const;
	CSoundCue* getInstance() const { return instance.get(); }
	bool isApplied() const { return applied; }

	// Where cues are played: the device's sound manager, or null without a device.
	static CSoundManager* findSoundManager();

private:
	// Brings the instance in line with Play and SoundCueName once the node is shown.
	void applyPlay();
	void stopInstanceNow();

	StringId SoundCueName;
	bool Play = true;
	SmartPointer<CSoundCue> instance;
	bool applied = false;
};
