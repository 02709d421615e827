#include "ButtonNode.h"

#include "NodeServices.h"
#include "PropertyLookup.h"
#include "SpriteNode.h"
#include "TextNode.h"
#include "content/AtlasTexture.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/PropertyMakers.h"
#include "scene/PropertyAccessors.h"

namespace
{
// Grabs the node as a part; null when absent.
template <class T> T* bindPart(BaseNode* node)
{
	T* part = nodeCast<T>(node);
	if (part)
		part->grab();
	return part;
}
} // namespace

ButtonNode::ButtonNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager)
{
	IsFocusOnHover = true;
}

ButtonNode::~ButtonNode()
{
	releaseParts();
	if (image)
		image->drop();
}

StringId ButtonNode::nameIdImage()
{
	static const StringId id = internStringId("Image");
	return id;
}

// ---- properties

const PropertyTable& ButtonNode::buttonNodePropertyTable()
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        accessorProperty<&ButtonNode::setText, &ButtonNode::getText>("Text"),
	        accessorProperty<&ButtonNode::setImage, &ButtonNode::getImage>("Image"),
	    });
	return table;
}

const PropertyTable& ButtonNode::propertyTable() const
{
	return buttonNodePropertyTable();
}

void ButtonNode::writeProperties(CPropertyCollection& collection) const
{
	ControlNode::writeProperties(collection);
	if (!caption.empty())
		collection.add("Text", makeStringWProperty(caption));
	if (image)
		collection.add("Image", makeAtlasTextureProperty(image));
}

void ButtonNode::readProperties(const CPropertyCollection& collection)
{
	ControlNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "Text", value))
		ButtonNode::setText(propertyToStringW(value));
	if (lookUpProperty(collection, "Image", value))
		setImage(atlasFrameOfValue(value.get()));
}

void ButtonNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ControlNode::copyFrom(source, manager);
	const ButtonNode* button = nodeCast<ButtonNode>(source);
	if (!button)
		return;
	ButtonNode::setText(button->caption);
	setImage(button->image);
}

// ---- parts

void ButtonNode::releaseParts()
{
	if (textPart)
		textPart->drop();
	if (imagePart)
		imagePart->drop();
	textPart = nullptr;
	imagePart = nullptr;
}

void ButtonNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ControlNode::applyTemplate();
	releaseParts();
	if (templateRoot)
	{
		textPart = bindPart<TextNode>(templateRoot->findChild(nameIdText(), 1));
		imagePart = bindPart<SpriteNode>(templateRoot->findChild(nameIdImage(), 1));
	}
	if (textPart)
		textPart->setText(caption);
	setImage(image);
}

void ButtonNode::setText(const irr::core::stringw& text)
{
	caption = text;
	if (textPart)
		textPart->setText(text);
}

void ButtonNode::setImage(AtlasTexture* newImage)
{
	if (newImage != image)
	{
		if (newImage)
			newImage->grab();
		if (image)
			image->drop();
		image = newImage;
	}
	if (imagePart)
		imagePart->setAtlasTexture(image);
}
