#include "PropertyTable.h"

const PropertyTable& rootPropertyTable()
{
	static const PropertyTable root;
	return root;
}

PropertyTable appendPropertyDescriptors(const PropertyTable& base, std::initializer_list<PropertyDescriptor> entries)
{
	PropertyTable table;
	table.reserve(base.size() + entries.size());
	table.insert(table.end(), base.begin(), base.end());
	table.insert(table.end(), entries.begin(), entries.end());
	return table;
}

const PropertyDescriptor* findPropertyDescriptor(const PropertyTable& table, const char* name)
{
	if (!name)
		return nullptr;
	for (auto it = table.rbegin(); it != table.rend(); ++it)
	{
		if (it->name == name)
			return &*it;
	}
	return nullptr;
}
