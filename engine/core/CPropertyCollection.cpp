#include "CPropertyCollection.h"

#include "CPropertyDataBool.h"
#include "CPropertyDataFloat.h"
#include "CPropertyDataInt.h"
#include "NarrowFast.h"
#include "PropertyMakers.h"
#include "PropertyTypeRegistry.h"
#include "TextUtils.h"
#include "content/IXMLReader.h"
#include "content/IXMLWriter.h"

#include <cstring>
#include <cwchar>
#include <string_view>

namespace
{
const irr::core::stringw& defaultElementName()
{
	static const irr::core::stringw name(L"Properties");
	return name;
}
} // namespace

CPropertyCollection::CPropertyCollection(IContentManager* contentManager) : contentManager(contentManager) {}

CPropertyCollection::~CPropertyCollection() = default;

void CPropertyCollection::clear()
{
	items.clear();
	itemCount = 0;
	nameIndex.clear();
}

void CPropertyCollection::recycle()
{
	for (size_t i = 0; i < itemCount; ++i)
	{
		// Only a value no one else sees may be read into again, and only one whose reading
		// sets all of it.
		SmartPointer<IPropertyData>& value = items[i].value;
		if (!value || value->getReferenceCount() != 1)
		{
			value = nullptr;
			continue;
		}
		switch (value->typeId())
		{
		case PROPERTY_INT:
		case PROPERTY_BOOL:
		case PROPERTY_FLOAT:
		case PROPERTY_COLOR:
		case PROPERTY_VECTOR2D:
		case PROPERTY_VECTOR3D:
		case PROPERTY_STRING:
			break;
		default:
			value = nullptr;
		}
	}
	itemCount = 0;
	nameIndex.clear();
}

void CPropertyCollection::append(const irr::core::stringc& name, const SmartPointer<IPropertyData>& value)
{
	if (itemCount < items.size())
	{
		Item& slot = items[itemCount];
		slot.name = name;
		slot.value = value;
	}
	else
	{
		items.emplace_back(name, value);
	}
	++itemCount;
}

void CPropertyCollection::appendAsciiName(const irr::core::stringw& asciiName, const SmartPointer<IPropertyData>& value)
{
	if (itemCount < items.size())
	{
		// The name is ASCII without zeros (isPlainAscii): it narrows to itself, character by character.
		Item& slot = items[itemCount];
		slot.name = asciiName.c_str();
		slot.value = value;
	}
	else
	{
		items.emplace_back(asciiName, value);
	}
	++itemCount;
}

SmartPointer<IPropertyData> CPropertyCollection::takeKeptValue(const irr::core::stringw& typeName)
{
	if (itemCount >= items.size())
		return nullptr;
	SmartPointer<IPropertyData>& kept = items[itemCount].value;
	if (!kept)
		return nullptr;
	const irr::core::stringw& keptType = kept->typeName();
	if (keptType.size() != typeName.size() ||
	    std::wmemcmp(keptType.c_str(), typeName.c_str(), typeName.size()) != 0)
		return nullptr;
	return std::move(kept);
}

SmartPointer<CPropertyCollection> CPropertyCollection::clone() const
{
	SmartPointer<CPropertyCollection> copy(new CPropertyCollection(contentManager));
	copy->items.reserve(itemCount);
	for (size_t i = 0; i < itemCount; ++i)
		copy->items.emplace_back(items[i].name, clonePropertyData(items[i].value));
	copy->itemCount = itemCount;
	if (!nameIndex.empty())
	{
		for (size_t i = 0; i < itemCount; ++i)
			copy->indexItem(static_cast<int>(i));
	}
	return copy;
}

void CPropertyCollection::add(const irr::core::stringc& name, const SmartPointer<IPropertyData>& value)
{
	reserveFirst();
	append(name, value);
	indexLastItem();
}

void CPropertyCollection::reserveFirst(size_t count)
{
	if (items.empty())
		items.reserve(count);
}

void CPropertyCollection::indexLastItem()
{
	const int added = static_cast<int>(itemCount) - 1;
	if (!nameIndex.empty())
		indexItem(added);
	else if (itemCount > searchedCount)
	{
		// Past the searched size: index every item, later ones winning.
		for (int i = 0; i <= added; ++i)
			indexItem(i);
	}
}

size_t CPropertyCollection::hashOf(const NameKey& name)
{
	return std::hash<std::string_view>()(std::string_view(name.text, name.length));
}

bool CPropertyCollection::hasName(int index, const NameKey& name) const
{
	const irr::core::stringc& itemName = items[static_cast<size_t>(index)].name;
	return itemName.size() == name.length && std::memcmp(itemName.c_str(), name.text, name.length) == 0;
}

void CPropertyCollection::indexItem(int index)
{
	const irr::core::stringc& name = items[static_cast<size_t>(index)].name;
	const NameKey key{name.c_str(), name.size()};
	const size_t hash = hashOf(key);
	auto range = nameIndex.equal_range(hash);
	for (auto it = range.first; it != range.second; ++it)
	{
		if (hasName(it->second, key))
		{
			it->second = index;
			return;
		}
	}
	nameIndex.emplace(hash, index);
}

void CPropertyCollection::set(const irr::core::stringc& name, const SmartPointer<IPropertyData>& value)
{
	const int index = indexOf(name);
	if (index < 0)
		add(name, value);
	else
		items[static_cast<size_t>(index)].value = value;
}

int CPropertyCollection::find(const NameKey& name) const
{
	if (nameIndex.empty())
	{
		for (size_t i = itemCount; i-- > 0;)
		{
			if (hasName(static_cast<int>(i), name))
				return static_cast<int>(i);
		}
		return -1;
	}
	auto range = nameIndex.equal_range(hashOf(name));
	for (auto it = range.first; it != range.second; ++it)
	{
		if (hasName(it->second, name))
			return it->second;
	}
	return -1;
}

int CPropertyCollection::indexOf(const irr::core::stringc& name) const
{
	return find(NameKey{name.c_str(), name.size()});
}

int CPropertyCollection::indexOf(const char* name) const
{
	return name ? find(NameKey{name, std::strlen(name)}) : -1;
}

SmartPointer<IPropertyData> CPropertyCollection::get(const irr::core::stringc& name) const
{
	return getDataAt(indexOf(name));
}

SmartPointer<IPropertyData> CPropertyCollection::get(const char* name) const
{
	return getDataAt(indexOf(name));
}

SmartPointer<IPropertyData> CPropertyCollection::getDataAt(int index) const
{
	if (index < 0 || index >= getCount())
		return nullptr;
	return items[static_cast<size_t>(index)].value;
}

void CPropertyCollection::setDataAt(int index, const SmartPointer<IPropertyData>& value)
{
	if (index < 0 || index >= getCount())
		return;
	items[static_cast<size_t>(index)].value = value;
}

const irr::core::stringc& CPropertyCollection::getNameAt(int index) const
{
	if (index < 0 || index >= getCount())
		return emptyStringC();
	return items[static_cast<size_t>(index)].name;
}

void CPropertyCollection::addMissing(const CPropertyCollection& other)
{
	// Copies, so that changing a value in place in one collection never shows in the other.
	for (size_t i = 0; i < other.itemCount; ++i)
	{
		const Item& item = other.items[i];
		if (indexOf(item.name) < 0)
			add(item.name, clonePropertyData(item.value));
	}
}

bool CPropertyCollection::readXml(IXMLReader* reader, bool checkName, const irr::core::stringw& elementName, int)
{
	if (!reader)
		return false;
	// Emptied as by clear, the items' memory (and what recycle kept) staying for the new items.
	for (size_t i = 0; i < itemCount; ++i)
		items[i].value = nullptr;
	itemCount = 0;
	nameIndex.clear();
	const irr::core::stringw& ownName = elementName.size() ? elementName : defaultElementName();
	if (checkName && reader->getNodeName() != ownName)
		return false;
	if (reader->isEmptyElement())
		return true;

	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT)
			readItem(*reader);
		else if (type == XML_NODE_ELEMENT_END && reader->getNodeName().size() == ownName.size() &&
		         reader->getNodeName() == ownName)
			break;
	}
	return true;
}

void CPropertyCollection::readItem(IXMLReader& reader)
{
	static const irr::core::stringw nameAttribute(L"Name");
	const irr::core::stringw& typeName = reader.getNodeName();
	const irr::core::stringw& name = reader.getAttributeValue(nameAttribute);
	if (name.size() == 0)
	{
		SmartPointer<IPropertyData> value = PropertyTypeRegistry::instance()->create(typeName, contentManager);
		if (value)
			value->readXml(reader);
		return;
	}
	SmartPointer<IPropertyData> value = takeKeptValue(typeName);
	if (!value)
		value = PropertyTypeRegistry::instance()->create(typeName, contentManager);
	// The item is added first, while the reader still stands on its element: a nested value reads on.
	reserveFirst(readReservedCount);
	if (isPlainAscii(name))
		appendAsciiName(name, value);
	else
		append(narrow(name), value);
	indexLastItem();
	if (value)
		value->readXml(reader);
}

bool CPropertyCollection::writeXml(IXMLWriter* writer, bool writeHeader, const irr::core::stringw& elementName,
                                   bool enclose) const
{
	if (!writer)
		return false;
	if (writeHeader)
		writer->writeXMLHeader();
	const irr::core::stringw& ownName = elementName.size() ? elementName : defaultElementName();
	if (enclose)
	{
		writer->writeElement(ownName.c_str(), false);
		writer->writeLineBreak();
	}
	for (size_t i = 0; i < itemCount; ++i)
	{
		const Item& item = items[i];
		if (!item.value)
			continue;
		item.value->writeXml(*writer, item.name);
		writer->writeLineBreak();
	}
	if (enclose)
	{
		writer->writeClosingTag(ownName.c_str());
		writer->writeLineBreak();
	}
	return true;
}

void CPropertyCollection::addInt(const irr::core::stringc& name, int value)
{
	add(name, makeIntProperty(value));
}

void CPropertyCollection::addBool(const irr::core::stringc& name, bool value)
{
	add(name, makeBoolProperty(value));
}

void CPropertyCollection::addFloat(const irr::core::stringc& name, float value)
{
	add(name, makeFloatProperty(value));
}

void CPropertyCollection::addColor(const irr::core::stringc& name, const irr::video::SColor& value)
{
	add(name, makeColorProperty(value));
}

void CPropertyCollection::addVector2d(const irr::core::stringc& name, const irr::core::vector2df& value)
{
	add(name, makeVector2dProperty(value));
}

void CPropertyCollection::addVector3d(const irr::core::stringc& name, const irr::core::vector3df& value)
{
	add(name, makeVector3dProperty(value));
}

void CPropertyCollection::addString(const irr::core::stringc& name, const irr::core::stringc& value)
{
	add(name, makeStringProperty(value));
}

void CPropertyCollection::setInt(const irr::core::stringc& name, int value)
{
	set(name, makeIntProperty(value));
}

void CPropertyCollection::setBool(const irr::core::stringc& name, bool value)
{
	set(name, makeBoolProperty(value));
}

void CPropertyCollection::setFloat(const irr::core::stringc& name, float value)
{
	set(name, makeFloatProperty(value));
}

void CPropertyCollection::setString(const irr::core::stringc& name, const irr::core::stringc& value)
{
	set(name, makeStringProperty(value));
}

void CPropertyCollection::setStringW(const irr::core::stringc& name, const irr::core::stringw& value)
{
	set(name, makeStringWProperty(value));
}

const IPropertyData* CPropertyCollection::findOfType(const irr::core::stringc& name, int typeId) const
{
	const int index = indexOf(name);
	if (index < 0)
		return nullptr;
	const IPropertyData* value = items[static_cast<size_t>(index)].value.get();
	return value && value->isKindOf(typeId) && value->typeId() == typeId ? value : nullptr;
}

bool CPropertyCollection::getBool(const irr::core::stringc& name) const
{
	const IPropertyData* value = findOfType(name, PROPERTY_BOOL);
	return value ? static_cast<const CPropertyDataBool*>(value)->getValue() : false;
}

int CPropertyCollection::getInt(const irr::core::stringc& name) const
{
	const IPropertyData* value = findOfType(name, PROPERTY_INT);
	return value ? static_cast<const CPropertyDataInt*>(value)->getValue() : 0;
}

float CPropertyCollection::getFloat(const irr::core::stringc& name) const
{
	const IPropertyData* value = findOfType(name, PROPERTY_FLOAT);
	return value ? static_cast<const CPropertyDataFloat*>(value)->getValue() : 0.0f;
}

irr::core::stringc CPropertyCollection::getString(const irr::core::stringc& name) const
{
	return propertyToStringC(get(name));
}
