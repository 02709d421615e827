#pragma once

#include "scene/ControlNode.h"

#include <irrlicht/irrString.h>

class AtlasTexture;
class SpriteNode;
class TextNode;

// A control whose look is its template: it carries a caption and an image and hands them to the
// template's direct children named "Text" (a TextNode) and "Image" (a SpriteNode).
class ButtonNode : public ControlNode
{
	ENGINE_NODE_TYPE(ButtonNode, NodeTypeButtonNode, ControlNode)
	ENGINE_NODE_CLONE(ButtonNode)

public:
	explicit ButtonNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                    INodeEventQueue* sceneManager = nullptr);
	~ButtonNode() override;

	const PropertyTable& propertyTable() const override;
	static const PropertyTable& buttonNodePropertyTable();
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	// Applies the template, then binds the parts and hands them caption and image.
	void applyTemplate() override;

	// Stored, and shown by the text part when one is bound.
	virtual void setText(const irr::core::stringw& text);
	const irr::core::stringw& getText() const { return caption; }
	// Stored (null allowed) and always handed to the image part when one is bound.
	void setImage(AtlasTexture* image);
	AtlasTexture* getImage() const { return image; }

	// The parts bound by the last template application; null when the template has none.
	TextNode* getTextPart() const { return textPart; }
	SpriteNode* getImagePart() const { return imagePart; }

	static StringId nameIdImage();

protected:
	void releaseParts();

	irr::core::stringw caption;
	AtlasTexture* image = nullptr;
	TextNode* textPart = nullptr;
	SpriteNode* imagePart = nullptr;
};
