#include "SetProps.h"

#include "SceneXmlReader.h"
#include "content/IXMLWriter.h"

SetProps::SetProps() : properties(new CPropertyCollection())
{
	period = 1;
}

const irr::core::stringw& SetProps::typeName() const
{
	static const irr::core::stringw typeNameText(L"SetProps");
	return typeNameText;
}

void SetProps::setTarget(BaseNode* node)
{
	Base::setTarget(node);
	resolveProperties();
}

void SetProps::resolveProperties()
{
	propertyIndices.clear();
	for (int k = 0; k < properties->getCount(); ++k)
		propertyIndices.push_back(resolveProperty(properties->getNameAt(k)));
}

void SetProps::setProperties(const SmartPointer<CPropertyCollection>& collection)
{
	properties = collection ? collection : SmartPointer<CPropertyCollection>(new CPropertyCollection());
	resolveProperties();
}

void SetProps::start(int, bool apply)
{
	if (!apply || !target)
		return;
	// The values themselves, not copies: nothing animates them.
	for (size_t k = 0; k < propertyIndices.size(); ++k)
		applyProperty(propertyIndices[k], properties->getDataAt(static_cast<int>(k)));
}

void SetProps::loadContent(SceneXmlReader* reader, IContentManager* contentManager)
{
	SmartPointer<CPropertyCollection> collection(new CPropertyCollection(contentManager));
	// The items stand directly inside the action's element.
	const irr::core::stringw elementName = reader->getNodeName();
	collection->readXml(reader, false, elementName);
	setProperties(collection);
}

void SetProps::save(IXMLWriter* writer, const wchar_t* elementName) const
{
	if (!writer)
		return;
	writeStartTag(writer, elementName, {}, {});
	properties->writeXml(writer, false, L"", false);
	writer->writeClosingTag(elementName);
	writer->writeLineBreak();
}

Base* SetProps::clone() const
{
	SetProps* copy = new SetProps();
	copy->copyBaseFrom(*this);
	copy->properties = properties->clone();
	return copy;
}
