#pragma once

#include "data/GameNodeTypeIds.h"
#include "scene/BaseNode.h"

#include <irrlicht/S3DVertex.h>
#include <irrlicht/SMaterial.h>

// A filled rectangle over the node's Bounds covered by a grid of lines at a fixed cell size: a visible
// placement grid. It draws itself with the video driver.
class GSelectGridNode : public BaseNode
{
	ENGINE_NODE_TYPE(GSelectGridNode, NodeTypeGSelectGridNode, BaseNode)
	ENGINE_NODE_CLONE(GSelectGridNode)

public:
	// Two vertices a line, indexed with 16 bits.
	static constexpr irr::u32 MaxLineVertices = 65534;

	explicit GSelectGridNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                         INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void updateAbsoluteTransform() override;
	void updateAbsoluteColor() override;
	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;

	irr::video::SColor getGridColor() const { return gridColor; }
	void setGridColor(irr::video::SColor colour);
	irr::video::SColor getFillColor() const { return fillColor; }
	void setFillColor(irr::video::SColor colour);
	const irr::core::vector2df& getCellSize() const { return cellSize; }
	// Takes effect at the next rebuild of the grid.
	void setCellSize(const irr::core::vector2df& size) { cellSize = size; }
	const irr::core::array<irr::video::S3DVertex>& getLines() const { return lines; }

private:
	void rebuildLines();
	void addLine(float x0, float y0, float x1, float y1);

	irr::video::SColor gridColor{0};
	irr::video::SColor fillColor{0};
	irr::core::vector2df cellSize{40.0f, 40.0f};
	irr::core::array<irr::video::S3DVertex> lines; // two vertices a line, in node space
	irr::video::SMaterial material;
};
