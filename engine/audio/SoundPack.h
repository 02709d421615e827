#pragma once

#include "CSoundCue.h"
#include "content/ContentObject.h"
#include "core/SmartPointer.h"

#include <vector>

class CSoundManager;

// Content type code "sndp".
constexpr unsigned SoundPackContentType = 0x70646E73;
static_assert(SoundPackContentType == ContentTypeSoundPack, "sndp");

// A loaded sound pack file: its cues in file order. Shared content (flag 1).
class SoundPack : public ContentObject
{
public:
	explicit SoundPack(const ContentRef& reference = ContentRef()) : ContentObject(reference)
	{
		contentFlags = ContentShared;
	}

	ContentType getContentType() const override { return ContentTypeSoundPack; }

	// Reads every SoundCue element up to the end of the SoundPack element.
	bool load(IXMLReader* reader, const SoundFileLoader& loadSound, IAudioDevice* device);
	// The same reading in parts, for a caller that spreads a pack over frames: reads up to cueBudget cues;
	// true once the end of the pack is reached.
	bool loadPart(IXMLReader* reader, const SoundFileLoader& loadSound, IAudioDevice* device, unsigned cueBudget);
	// Registers every cue in file order; a name registered already is silently kept.
	void registerCues(CSoundManager* manager);

	void addCue(CSoundCue* cue);
	const std::vector<SmartPointer<CSoundCue>>& getCues() const { return cues; }

private:
	std::vector<SmartPointer<CSoundCue>> cues;
};
