#pragma once

#include "IPropertyData.h"

class CPropertyCollection;

// Property value holding a nested property collection (one reference), or none.
class CPropertyDataProperties : public IPropertyData
{
public:
	// Nested "properties" elements deeper than this are passed over when read.
	static constexpr int maxReadDepth = 32;

	CPropertyDataProperties() = default;
	// Adds a reference to the collection.
	explicit CPropertyDataProperties(CPropertyCollection* collection);
	~CPropertyDataProperties() override;

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	// Clones the nested collection deeply.
	SmartPointer<IPropertyData> clone() const override;
	irr::core::stringc toString() const override;
	void fromString(const irr::core::stringc& text) override;
	// True only for the same collection object.
	bool equals(const IPropertyData& other) const override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;
	void readXml(IXMLReader& reader) override;
	void writeXml(IXMLWriter& writer, const irr::core::stringc& name) const override;

	CPropertyCollection* getCollection() const { return collection; }
	// Adds a reference to the new collection and releases the old one.
	void setCollection(CPropertyCollection* newCollection);

private:
	void skipElement(IXMLReader& reader);

	CPropertyCollection* collection = nullptr;
};
