#include "SetStates.h"

#include "BaseNode.h"
#include "SceneXmlReader.h"
#include "content/IXMLWriter.h"
#include "core/TextUtils.h"

SetStates::SetStates()
{
	period = 1;
}

const irr::core::stringw& SetStates::typeName() const
{
	static const irr::core::stringw typeNameText(L"SetStates");
	return typeNameText;
}

void SetStates::start(int, bool apply)
{
	if (!apply || !target)
		return;
	// Kept alive: a state change may make the target's parent let it go.
	SmartPointer<BaseNode> keep(shareRef(target));
	for (const Entry& entry : entries)
	{
		if (entry.state.isEmpty())
			continue;
		if (entry.children.empty())
		{
			target->setChildrenState(entry.state, nullptr);
			continue;
		}
		for (StringId childName : entry.children)
		{
			if (BaseNode* child = target->findChild(childName, 1))
				child->setState(entry.state, nullptr, StringId());
		}
	}
}

void SetStates::loadContent(SceneXmlReader* reader, IContentManager*)
{
	entries.clear();
	XmlElementScope scope(reader);
	while (scope.next())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		if (reader->getNodeName() == L"State")
		{
			const irr::core::stringc stateName = narrow(reader->getAttributeValue(L"Name"));
			if (stateName.size())
			{
				Entry entry;
				entry.state = internStringId(stateName);
				irr::core::array<StringId> children =
				    splitToIds(narrow(reader->getAttributeValue(L"Children")).c_str());
				for (irr::u32 i = 0; i < children.size(); ++i)
					entry.children.push_back(children[i]);
				entries.push_back(entry);
			}
		}
		XmlElementScope::skipElement(reader);
	}
}

void SetStates::save(IXMLWriter* writer, const wchar_t* elementName) const
{
	if (!writer)
		return;
	writeStartTag(writer, elementName, {}, {});
	for (const Entry& entry : entries)
	{
		irr::core::stringc children;
		for (size_t i = 0; i < entry.children.size(); ++i)
		{
			if (i > 0)
				children += ";";
			children += getStringById(entry.children[i]);
		}
		writer->writeElement(L"State", true, L"Name", widen(getStringById(entry.state)).c_str(), L"Children",
		                     widen(children).c_str());
		writer->writeLineBreak();
	}
	writer->writeClosingTag(elementName);
	writer->writeLineBreak();
}

Base* SetStates::clone() const
{
	SetStates* copy = new SetStates();
	copy->copyBaseFrom(*this);
	copy->entries = entries;
	return copy;
}
