#include "GSelectGridNode.h"

#include "app/FlatShapeDrawing.h"
#include "core/CPropertyCollection.h"
#include "scene/NodeMath.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <irrlicht/IVideoDriver.h>

using namespace irr;

GSelectGridNode::GSelectGridNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager), material(flatShapeMaterial())
{
	material.GouraudShading = false;
	material.TextureLayer[0].TrilinearFilter = true;
}

const core::stringw& GSelectGridNode::typeNameText()
{
	static const core::stringw name(L"GSelectGridNode");
	return name;
}

const PropertyTable& GSelectGridNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&GSelectGridNode::setGridColor, &GSelectGridNode::getGridColor>("GridColor"),
	        accessorProperty<&GSelectGridNode::setFillColor, &GSelectGridNode::getFillColor>("FillColor"),
	        accessorProperty<&GSelectGridNode::setCellSize, &GSelectGridNode::getCellSize>("CellSize"),
	    });
	return table;
}

void GSelectGridNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (gridColor.color != 0)
		collection.addColor("GridColor", gridColor);
	if (fillColor.color != 0)
		collection.addColor("FillColor", fillColor);
	if (cellSize.X != 0.0f || cellSize.Y != 0.0f)
		collection.addVector2d("CellSize", cellSize);
}

void GSelectGridNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	const PropertyTable& table = propertyTable();
	for (size_t i = baseNodePropertyTable().size(); i < table.size(); ++i)
		if (collection.indexOf(table[i].name) >= 0)
			table[i].setter(this, collection.get(table[i].name));
}

void GSelectGridNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GSelectGridNode* other = nodeCast<GSelectGridNode>(source))
	{
		gridColor = other->gridColor;
		fillColor = other->fillColor;
		cellSize = other->cellSize;
	}
}

void GSelectGridNode::setGridColor(video::SColor colour)
{
	gridColor = colour;
	markColorDirty();
}

void GSelectGridNode::setFillColor(video::SColor colour)
{
	fillColor = colour;
	markColorDirty();
}

void GSelectGridNode::updateAbsoluteTransform()
{
	BaseNode::updateAbsoluteTransform();
	rebuildLines();
}

void GSelectGridNode::addLine(float x0, float y0, float x1, float y1)
{
	lines.push_back(flatVertex(x0, y0, gridColor));
	lines.push_back(flatVertex(x1, y1, gridColor));
}

void GSelectGridNode::rebuildLines()
{
	lines.set_used(0);
	const float w = Bounds.X;
	const float h = Bounds.Y;
	// A cell size of 0 or below has no lines in that direction (stepping would never end), and the
	// list stops where 16-bit indices end.
	if (w >= 0.0f && cellSize.X > 0.0f)
		for (float x = 0.0f; x <= w && lines.size() < MaxLineVertices; x += cellSize.X)
			addLine(x, 0.0f, x, h);
	if (h >= 0.0f && cellSize.Y > 0.0f)
		for (float y = 0.0f; y <= h && lines.size() < MaxLineVertices; y += cellSize.Y)
			addLine(0.0f, y, w, y);
}

void GSelectGridNode::updateAbsoluteColor()
{
	BaseNode::updateAbsoluteColor();
	// The lines keep the grid's own colour, untinted.
	for (u32 i = 0; i < lines.size(); ++i)
		lines[i].Color = gridColor;
}

void GSelectGridNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	if (absoluteColor.getAlpha() != 0)
		list.push_back(RenderEntry{this, absoluteTransformation[14], 0});
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

void GSelectGridNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!driver)
		return;
	const video::SColor fill = multiplyColors(fillColor, absoluteColor);
	const video::SColor grid = multiplyColors(gridColor, absoluteColor);
	beginFlatShape(driver, material, absoluteTransformation);
	if (fill.getAlpha() != 0)
	{
		const f32 w = Bounds.X;
		const f32 h = Bounds.Y;
		const video::S3DVertex vertices[4] = {flatVertex(0.0f, 0.0f, fill), flatVertex(w, 0.0f, fill),
		                                      flatVertex(w, h, fill), flatVertex(0.0f, h, fill)};
		drawFlatFan(driver, vertices, 4);
	}
	if (grid.getAlpha() != 0 && lines.size() > 1)
	{
		core::array<u16> indices;
		indices.reallocate(lines.size());
		for (u32 i = 0; i < lines.size(); ++i)
			indices.push_back(static_cast<u16>(i));
		driver->drawVertexPrimitiveList(lines.const_pointer(), lines.size(), indices.const_pointer(), lines.size() / 2,
		                                video::EVT_STANDARD, scene::EPT_LINES, video::EIT_16BIT);
	}
	driver->setTransform(video::ETS_WORLD, identityMatrix());
}
