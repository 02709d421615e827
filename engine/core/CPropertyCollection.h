#pragma once

#include "IPropertyData.h"
#include "TextUtils.h"

#include <irrlicht/SColor.h>
#include <irrlicht/vector2d.h>
#include <irrlicht/vector3d.h>
#include <unordered_map>
#include <vector>

// Ordered list of named property values with an index by name. A name may stand in several
// items; lookups by name reach the last one added.
class CPropertyCollection : public virtual ReferenceCounted
{
public:
	// The content manager (not grabbed, may be null) is given to the values made while reading XML.
	explicit CPropertyCollection(IContentManager* contentManager = nullptr);
	~CPropertyCollection() override;
	// The name index refers to this collection's own items: copies go through clone.
	CPropertyCollection(const CPropertyCollection&) = delete;
	CPropertyCollection& operator=(const CPropertyCollection&) = delete;

	void clear();
	// Empties the collection as clear does, but keeps the items' memory for the next readXml:
	// their names, and their values of plain types (numbers, vectors, colours, narrow text) that
	// nothing else holds, which that read fills again when an item of the same type comes.
	void recycle();
	// An independent copy: every value is cloned.
	SmartPointer<CPropertyCollection> clone() const;

	// Appends an item; the value may be null.
	void add(const irr::core::stringc& name, const SmartPointer<IPropertyData>& value);
	// Replaces the value of the item the name maps to, or adds one.
	void set(const irr::core::stringc& name, const SmartPointer<IPropertyData>& value);
	int indexOf(const irr::core::stringc& name) const;
	int indexOf(const char* name) const;
	SmartPointer<IPropertyData> get(const irr::core::stringc& name) const;
	SmartPointer<IPropertyData> get(const char* name) const;
	SmartPointer<IPropertyData> getDataAt(int index) const;
	// The value without a reference of its own, for readers that only look at it; null out of range.
	IPropertyData* getDataPointerAt(int index) const
	{
		return index < 0 || index >= getCount() ? nullptr : items[static_cast<size_t>(index)].value.get();
	}
	void setDataAt(int index, const SmartPointer<IPropertyData>& value);
	int getCount() const { return static_cast<int>(itemCount); }
	// The shared empty string when the index is out of range.
	const irr::core::stringc& getNameAt(int index) const;
	// Adds a copy of each item of other whose name this collection lacks, in other's order.
	void addMissing(const CPropertyCollection& other);

	// Reads the collection's element, the reader standing on it; returns false without a reader
	// or when checkName is set and the element is not named elementName ("Properties" when empty).
	bool readXml(IXMLReader* reader, bool checkName = true, const irr::core::stringw& elementName = emptyStringW(),
	             int reserved = 0);
	// Writes the items (one element per line), optionally after the XML header and inside an
	// element named elementName ("Properties" when empty).
	bool writeXml(IXMLWriter* writer, bool writeHeader = false, const irr::core::stringw& elementName = emptyStringW(),
	              bool enclose = true) const;

	void addInt(const irr::core::stringc& name, int value);
	void addBool(const irr::core::stringc& name, bool value);
	void addFloat(const irr::core::stringc& name, float value);
	void addColor(const irr::core::stringc& name, const irr::video::SColor& value);
	void addVector2d(const irr::core::stringc& name, const irr::core::vector2df& value);
	void addVector3d(const irr::core::stringc& name, const irr::core::vector3df& value);
	void addString(const irr::core::stringc& name, const irr::core::stringc& value);

	void setInt(const irr::core::stringc& name, int value);
	void setBool(const irr::core::stringc& name, bool value);
	void setFloat(const irr::core::stringc& name, float value);
	void setString(const irr::core::stringc& name, const irr::core::stringc& value);
	void setStringW(const irr::core::stringc& name, const irr::core::stringw& value);

	// The value when present and of that type, otherwise false, 0 or 0.0 (no conversion).
	bool getBool(const irr::core::stringc& name) const;
	int getInt(const irr::core::stringc& name) const;
	float getFloat(const irr::core::stringc& name) const;
	// The text of a value of any type; empty when absent or without a value.
	irr::core::stringc getString(const irr::core::stringc& name) const;

	IContentManager* getContentManager() const { return contentManager; }

private:
	struct Item
	{
		Item(const irr::core::stringc& itemName, const SmartPointer<IPropertyData>& itemValue)
		    : name(itemName), value(itemValue)
		{
		}
		// asciiName holds ASCII characters only (isPlainAscii), so it narrows to itself.
		Item(const irr::core::stringw& asciiName, const SmartPointer<IPropertyData>& itemValue)
		    : name(asciiName.c_str(), asciiName.size()), value(itemValue)
		{
		}
		irr::core::stringc name;
		SmartPointer<IPropertyData> value;
	};
	// A name to look up: its bytes and their count.
	struct NameKey
	{
		const char* text;
		size_t length;
	};
	// Collections up to this size are searched from their last item; larger ones keep the index.
	static constexpr size_t searchedCount = 8;
	// Room a collection read from a file starts with: most such (the animated properties of a key
	// frame list) hold one or two items, and the tree a scene file becomes keeps them all.
	static constexpr size_t readReservedCount = 2;

	void readItem(IXMLReader& reader);
	// Appends an item, over the next kept slot when recycle left one (its name memory is reused).
	void append(const irr::core::stringc& name, const SmartPointer<IPropertyData>& value);
	void appendAsciiName(const irr::core::stringw& asciiName, const SmartPointer<IPropertyData>& value);
	// The kept value of the next slot when it is of this type name, taken out of the slot; else null.
	SmartPointer<IPropertyData> takeKeptValue(const irr::core::stringw& typeName);
	// Before an item is appended: the first one reserves room for a small collection, of the given size.
	void reserveFirst(size_t count = searchedCount);
	// After an item is appended: indexes it, or every item once the collection outgrows searching.
	void indexLastItem();
	static size_t hashOf(const NameKey& name);
	bool hasName(int index, const NameKey& name) const;
	int find(const NameKey& name) const;
	// Points the index entry of the item's name at it.
	void indexItem(int index);
	const IPropertyData* findOfType(const irr::core::stringc& name, int typeId) const;

	IContentManager* contentManager;
	// The collection is the first itemCount items; recycle keeps the ones after for reuse.
	std::vector<Item> items;
	size_t itemCount = 0;
	// Hash of a name to the item it maps to; it refers to the items instead of copying their names.
	std::unordered_multimap<size_t, int> nameIndex;
};
