#include "IPropertyData.h"

#include "NarrowFast.h"
#include "TextUtils.h"
#include "content/IXMLReader.h"
#include "content/IXMLWriter.h"

const irr::core::stringw& IPropertyData::typeName() const
{
	static const irr::core::stringw name(L"none");
	return name;
}

const irr::core::stringw& IPropertyData::className() const
{
	static const irr::core::stringw name(L"IPropertyData");
	return name;
}

irr::core::stringw IPropertyData::toStringW() const
{
	return widen(toString());
}

void IPropertyData::fromStringW(const irr::core::stringw& text)
{
	// Values are read by the thousand: an ASCII text goes through one buffer kept for the purpose,
	// unless a value being read reads another (content references load files).
	thread_local irr::core::stringc buffer;
	thread_local bool bufferInUse = false;
	if (bufferInUse || !isPlainAscii(text))
	{
		fromString(narrowFast(text));
		return;
	}
	bufferInUse = true;
	buffer = text.c_str();
	fromString(buffer);
	bufferInUse = false;
}

void IPropertyData::prepareInterpolation(const IPropertyData&) {}

void IPropertyData::readXml(IXMLReader& reader)
{
	static const irr::core::stringw valueAttribute(L"Value");
	fromStringW(reader.getAttributeValue(valueAttribute));
}

void IPropertyData::writeXml(IXMLWriter& writer, const irr::core::stringc& name) const
{
	writer.writeElement(typeName().c_str(), true, L"Name", widen(name).c_str(), L"Value", toStringW().c_str());
}
