#include "CPropertyDataStringWArray.h"

#include "TextUtils.h"
#include "content/IXMLReader.h"
#include "content/IXMLWriter.h"

const irr::core::stringw& CPropertyDataStringWArray::typeName() const
{
	static const irr::core::stringw name(L"stringwArray");
	return name;
}

const irr::core::stringw& CPropertyDataStringWArray::className() const
{
	static const irr::core::stringw name(L"CPropertyDataStringWArray");
	return name;
}

int CPropertyDataStringWArray::typeId() const
{
	return PROPERTY_STRINGW_ARRAY;
}

bool CPropertyDataStringWArray::isKindOf(int id) const
{
	return id == PROPERTY_STRINGW_ARRAY || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataStringWArray::clone() const
{
	return new CPropertyDataStringWArray(value);
}

irr::core::stringc CPropertyDataStringWArray::toString() const
{
	return irr::core::stringc();
}

void CPropertyDataStringWArray::fromString(const irr::core::stringc&) {}

bool CPropertyDataStringWArray::equals(const IPropertyData& other) const
{
	if (!isSameType(other))
		return false;
	const irr::core::array<irr::core::stringw>& o = static_cast<const CPropertyDataStringWArray&>(other).value;
	if (o.size() != value.size())
		return false;
	for (irr::u32 i = 0; i < value.size(); ++i)
	{
		if (!(o[i] == value[i]))
			return false;
	}
	return true;
}

bool CPropertyDataStringWArray::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out) || t < 1.0f)
		return false;
	static_cast<CPropertyDataStringWArray&>(out).value = static_cast<const CPropertyDataStringWArray&>(to).value;
	return true;
}

void CPropertyDataStringWArray::readXml(IXMLReader& reader)
{
	value.clear();
	if (reader.isEmptyElement())
		return;
	const irr::core::stringw& ownName = typeName();
	static const irr::core::stringw itemName(L"stringw");
	while (reader.read())
	{
		const int type = reader.getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader.getNodeName() == ownName)
			break;
		if (type == XML_NODE_ELEMENT && reader.getNodeName() == itemName)
			value.push_back(reader.getAttributeValue(0));
	}
}

void CPropertyDataStringWArray::writeXml(IXMLWriter& writer, const irr::core::stringc& name) const
{
	writer.writeElement(typeName().c_str(), false, L"Name", widen(name).c_str());
	writer.writeLineBreak();
	for (irr::u32 i = 0; i < value.size(); ++i)
	{
		writer.writeElement(L"stringw", true, L"Value", value[i].c_str());
		writer.writeLineBreak();
	}
	writer.writeClosingTag(typeName().c_str());
}
