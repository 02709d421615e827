#include "GParticleTimeline.h"

#include "content/IXMLReader.h"

using namespace irr;

void GParticleTimeline::read(IXMLReader* reader)
{
	keys.clear();
	if (reader->isEmptyElement())
		return;
	const core::stringw name = reader->getNodeName();
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == name)
			return;
		if (type == XML_NODE_ELEMENT && reader->getNodeName() == L"k")
			add(reader->getAttributeValueAsFloat(L"T", 0.0f), reader->getAttributeValueAsFloat(L"V", 0.0f));
	}
}

float GParticleTimeline::birthValue(float defaultValue) const
{
	return keys.empty() ? defaultValue : keys[0].V;
}

void GParticleTimeline::evaluate(float age, float& value, int& keyIndex) const
{
	if (keyIndex < 1 || keyIndex >= static_cast<int>(keys.size()))
		return;
	const TimelineKey& a = keys[keyIndex - 1];
	const TimelineKey& b = keys[keyIndex];
	if (age >= b.T)
	{
		value = b.V;
		++keyIndex;
		return;
	}
	const float span = b.T - a.T;
	// Keys at one time (or out of order) have no slope: the earlier value holds until the later key.
	value = span > 0.0f ? a.V + (age - a.T) * (b.V - a.V) / span : a.V;
}
