#include "CPropertyDataProperties.h"

#include "CPropertyCollection.h"
#include "TextUtils.h"
#include "content/IXMLReader.h"
#include "content/IXMLWriter.h"

namespace
{
// Nesting of "properties" values being read on this thread.
thread_local int readDepth = 0;

struct DepthGuard
{
	DepthGuard() { ++readDepth; }
	~DepthGuard() { --readDepth; }
};
} // namespace

CPropertyDataProperties::CPropertyDataProperties(CPropertyCollection* collection)
{
	setCollection(collection);
}

CPropertyDataProperties::~CPropertyDataProperties()
{
	setCollection(nullptr);
}

void CPropertyDataProperties::setCollection(CPropertyCollection* newCollection)
{
	if (newCollection)
		newCollection->grab();
	if (collection)
		collection->drop();
	collection = newCollection;
}

const irr::core::stringw& CPropertyDataProperties::typeName() const
{
	static const irr::core::stringw name(L"properties");
	return name;
}

const irr::core::stringw& CPropertyDataProperties::className() const
{
	static const irr::core::stringw name(L"CPropertyDataProperties");
	return name;
}

int CPropertyDataProperties::typeId() const
{
	return PROPERTY_PROPERTIES;
}

bool CPropertyDataProperties::isKindOf(int id) const
{
	return id == PROPERTY_PROPERTIES || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataProperties::clone() const
{
	CPropertyDataProperties* copy = new CPropertyDataProperties();
	if (collection)
	{
		SmartPointer<CPropertyCollection> nested = collection->clone();
		copy->setCollection(nested.get());
	}
	return copy;
}

irr::core::stringc CPropertyDataProperties::toString() const
{
	return irr::core::stringc();
}

void CPropertyDataProperties::fromString(const irr::core::stringc&) {}

bool CPropertyDataProperties::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataProperties&>(other).collection == collection;
}

bool CPropertyDataProperties::interpolate(const IPropertyData&, IPropertyData&, float, int) const
{
	return false;
}

void CPropertyDataProperties::readXml(IXMLReader& reader)
{
	if (readDepth >= maxReadDepth)
	{
		// Hostile nesting would otherwise exhaust the stack.
		skipElement(reader);
		return;
	}
	DepthGuard guard;
	if (!collection)
		collection = new CPropertyCollection(nullptr);
	collection->readXml(&reader, true, typeName());
}

void CPropertyDataProperties::skipElement(IXMLReader& reader)
{
	if (reader.isEmptyElement())
		return;
	int open = 1;
	while (open > 0 && reader.read())
	{
		if (reader.getNodeName() != typeName())
			continue;
		if (reader.getNodeType() == XML_NODE_ELEMENT && !reader.isEmptyElement())
			++open;
		else if (reader.getNodeType() == XML_NODE_ELEMENT_END)
			--open;
	}
}

void CPropertyDataProperties::writeXml(IXMLWriter& writer, const irr::core::stringc& name) const
{
	if (!collection)
		return;
	writer.writeElement(typeName().c_str(), false, L"Name", widen(name).c_str());
	writer.writeLineBreak();
	collection->writeXml(&writer, false, typeName(), false);
	writer.writeClosingTag(typeName().c_str());
}
