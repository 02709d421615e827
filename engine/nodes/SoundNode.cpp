#include "SoundNode.h"

#include "audio/CSoundCue.h"
#include "audio/CSoundManager.h"
#include "core/CPropertyCollection.h"
#include "device/IDevice.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

namespace
{
// An empty name means no cue.
StringId cueNameFromText(const irr::core::stringc& text)
{
	return text.empty() ? StringId() : internStringId(text);
}
} // namespace

SoundNode::SoundNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* queue)
    : BaseNode(reference, parentNode, queue)
{
}

SoundNode::~SoundNode()
{
	// A one-shot cue may finish on its own; a looping one would never end without its node.
	if (instance && instance->getLoop())
	{
		CSoundManager* owner = instance->getOwner();
		instance->stop(owner ? owner->getGroupSettings(instance->getGroupID()).fadeOutMs : 0);
	}
}

const PropertyTable& SoundNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&SoundNode::setSoundCueName, &SoundNode::getSoundCueName>("SoundCueName"),
	        // Animations and the spawner read whether the cue sounds, not the stored flag.
	        accessorProperty<&SoundNode::setPlay, &SoundNode::isPlaying>("Play"),
	    });
	return table;
}

void SoundNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (!SoundCueName.isEmpty())
		collection.addString("SoundCueName", getStringById(SoundCueName));
	collection.addBool("Play", Play);
}

void SoundNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	if (collection.indexOf("Play") >= 0)
		setPlay(propertyAsBool(collection.get("Play").get()));
	if (collection.indexOf("SoundCueName") >= 0)
		setSoundCueName(cueNameFromText(propertyAsText(collection.get("SoundCueName").get())));
}

void SoundNode::copyFrom(const BaseNode* source, INodeEventQueue* queue)
{
	BaseNode::copyFrom(source, queue);
	// The instance stays with the source: the copy starts its own when it is shown.
	if (const SoundNode* sound = nodeCast<SoundNode>(source))
	{
		SoundCueName = sound->SoundCueName;
		Play = sound->Play;
		applied = false;
	}
}

void SoundNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	applyPlay();
	BaseNode::addToRenderList(list);
}

void SoundNode::setSoundCueName(StringId name)
{
	stopInstanceNow();
	instance = nullptr;
	SoundCueName = name;
	applied = false;
	applyPlay();
}

void SoundNode::setPlay(bool play)
{
	Play = play;
	applied = false;
	applyPlay();
}

bool SoundNode::isPlaying() const
{
	return instance && instance->getState() == 2;
}

CSoundManager* SoundNode::findSoundManager()
{
	// Never makes a device: a node alone must not open the window and audio.
	IDevice* device = Singleton<IDevice>::peek();
	return device ? device->getSoundManager() : nullptr;
}

void SoundNode::applyPlay()
{
	if (applied || !sceneManager || !Visible)
		return;
	if (!Play)
	{
		stopInstanceNow();
		applied = true;
		return;
	}
	if (SoundCueName.isEmpty())
		return;
	CSoundManager* manager = findSoundManager();
	if (!manager)
		return;
	stopInstanceNow();
	instance = nullptr;
	// Null when the cue is unknown or its group refuses it now; the next frame tries again.
	if (CSoundCue* started = manager->playCue(SoundCueName, false, 0))
	{
		instance = shareRef(started);
		applied = true;
	}
}

void SoundNode::stopInstanceNow()
{
	if (instance)
		instance->stop(0);
}
