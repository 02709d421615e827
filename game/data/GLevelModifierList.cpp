#include "GLevelModifierList.h"

#include "content/IXMLReader.h"

void GLevelModifierList::load(IXMLReader* reader)
{
	static const irr::core::stringw listElement(L"LevelModifiers");
	static const irr::core::stringw modifierElement(L"Modifier");
	static const irr::core::stringw typeAttribute(L"Type");
	modifiers.clear();
	if (!reader || reader->isEmptyElement())
		return;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == listElement)
			return;
		if (type != XML_NODE_ELEMENT || reader->getNodeName() != modifierElement)
			continue;
		SmartPointer<GLevelModifier> modifier(createLevelModifier(reader->getAttributeValue(typeAttribute)));
		if (!modifier)
			continue;
		modifier->read(reader);
		modifiers.push_back(modifier);
	}
}

void GLevelModifierList::applyAll(GLevelModifierValues& values) const
{
	for (const SmartPointer<GLevelModifier>& modifier : modifiers)
		modifier->apply(values);
}

const GLevelModifier* GLevelModifierList::getModifier(int index) const
{
	if (index < 0 || index >= getCount())
		return nullptr;
	return modifiers[static_cast<size_t>(index)].get();
}
