// Reading sound packs and their cues from XML.
#include "CSoundCue.h"
#include "IAudioDevice.h"
#include "ISound.h"
#include "SoundPack.h"
#include "content/IXMLReader.h"
#include "core/TextUtils.h"

namespace
{
bool isElement(IXMLReader* reader, const wchar_t* name)
{
	return reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == name;
}

bool isElementEnd(IXMLReader* reader, const wchar_t* name)
{
	return reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == name;
}
} // namespace

bool CSoundCue::load(IXMLReader* reader, const SoundFileLoader& loadSound, IAudioDevice* device)
{
	if (!reader)
		return false;
	groupId = reader->getAttributeValueAsInt(L"GroupID", -1);
	vol = reader->getAttributeValueAsFloat(L"Vol", 1.0f);
	loop = reader->getAttributeValue(L"Loop") == L"true";

	const unsigned threshold = device ? device->getStreamingThreshold() : 0;
	if (device)
	{
		const int streamingType = reader->getAttributeValueAsInt(L"StreamingType", 0);
		if (streamingType == 1)
			device->setStreamingThreshold(0);
		else if (streamingType == 2)
			device->setStreamingThreshold(0xFFFFFFFF);
	}

	if (!reader->isEmptyElement())
	{
		while (reader->read() && !isElementEnd(reader, L"SoundCue"))
		{
			if (!isElement(reader, L"Sound") || !loadSound)
				continue;
			const irr::core::stringc fileName = narrow(reader->getAttributeValue(L"Filename"));
			// A missing or undecodable file is left out.
			if (ISound* sound = fileName.empty() ? nullptr : loadSound(fileName.c_str()))
				variants.emplace_back(sound);
		}
	}

	if (device)
		device->setStreamingThreshold(threshold);
	updateVolume();
	return true;
}

bool SoundPack::load(IXMLReader* reader, const SoundFileLoader& loadSound, IAudioDevice* device)
{
	if (!reader)
		return false;
	loadPart(reader, loadSound, device, ~0u);
	return true;
}

bool SoundPack::loadPart(IXMLReader* reader, const SoundFileLoader& loadSound, IAudioDevice* device, unsigned cueBudget)
{
	if (!reader)
		return true;
	for (unsigned loaded = 0; loaded < cueBudget;)
	{
		if (!reader->read() || isElementEnd(reader, L"SoundPack"))
			return true;
		if (!isElement(reader, L"SoundCue"))
			continue;
		SmartPointer<CSoundCue> cue(new CSoundCue(internStringId(narrow(reader->getAttributeValue(L"Name")))));
		cue->load(reader, loadSound, device);
		cues.push_back(cue);
		++loaded;
	}
	return false;
}
