#pragma once

#include "data/GameNodeTypeIds.h"
#include "scene/BaseNode.h"

#include <irrlicht/SMaterial.h>

// A filled rectangle with a one-unit frame over the node's Bounds, for panels, frames and dimming layers.
class GRectangleNode : public BaseNode
{
	ENGINE_NODE_TYPE(GRectangleNode, NodeTypeGRectangleNode, BaseNode)
	ENGINE_NODE_CLONE(GRectangleNode)

public:
	explicit GRectangleNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;

	irr::video::SColor getBorderColor() const { return borderColor; }
	void setBorderColor(irr::video::SColor colour) { borderColor = colour; }
	irr::video::SColor getFillColor() const { return fillColor; }
	void setFillColor(irr::video::SColor colour) { fillColor = colour; }

private:
	irr::video::SColor borderColor{0};
	irr::video::SColor fillColor{0};
	irr::video::SMaterial material;
};
