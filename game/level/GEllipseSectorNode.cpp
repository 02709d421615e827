#include "GEllipseSectorNode.h"

#include "app/FlatShapeDrawing.h"
#include "core/CPropertyCollection.h"
#include "nodes/DegreeTable.h"
#include "scene/NodeMath.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <irrlicht/IVideoDriver.h>

using namespace irr;

namespace
{
// A present value of the wrong type reads as 0; an absent one leaves the field alone.
template <class T, class Read>
void readValue(const CPropertyCollection& collection, const char* name, int type, T& target, Read read)
{
	SmartPointer<IPropertyData> value = collection.get(name);
	if (!value)
		return;
	target = value->typeId() == type ? read(value.get()) : T(0);
}

core::vector2df rimPoint(core::vector2df centre, f32 rx, f32 ry, int degrees)
{
	return core::vector2df(centre.X + rx * sinDegrees(degrees), centre.Y - ry * cosDegrees(degrees));
}

// Calls emit(point) for the centre, then for the rim; shared by the point list and the vertex build.
template <class Emit>
void forEachFanPoint(core::vector2df centre, f32 rx, f32 ry, int angle1, int angle2, int maxVerticesCount, Emit emit)
{
	emit(centre);
	// A count of 0 or below would never step forward; one step a degree is the finest the table gives.
	const f32 step = maxVerticesCount > 0 ? 360.0f / static_cast<f32>(maxVerticesCount) : 1.0f;
	// Wide ranges with tiny steps are capped so a bad template cannot build millions of vertices.
	u32 count = 1;
	for (f32 a = static_cast<f32>(angle1); a < static_cast<f32>(angle2) && count < 4096; a += step, ++count)
		emit(rimPoint(centre, rx, ry, static_cast<int>(a)));
	emit(rimPoint(centre, rx, ry, angle2));
}

u32 fanCapacity(int angle1, int angle2, int maxVerticesCount)
{
	if (angle2 <= angle1)
		return 2;
	const f32 step = maxVerticesCount > 0 ? 360.0f / static_cast<f32>(maxVerticesCount) : 1.0f;
	const f32 span = static_cast<f32>(angle2) - static_cast<f32>(angle1);
	const f32 steps = span / (step < 1.0f ? 1.0f : step);
	return static_cast<u32>(steps < 4096.0f ? steps : 4096.0f) + 3;
}
} // namespace

core::array<core::vector2df> ellipseSectorFan(core::vector2df centre, f32 rx, f32 ry, int angle1, int angle2,
                                              int maxVerticesCount)
{
	core::array<core::vector2df> points;
	points.reallocate(fanCapacity(angle1, angle2, maxVerticesCount));
	forEachFanPoint(centre, rx, ry, angle1, angle2, maxVerticesCount,
	                [&](core::vector2df point) { points.push_back(point); });
	return points;
}

GEllipseSectorNode::GEllipseSectorNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager), material(flatShapeMaterial())
{
}

const core::stringw& GEllipseSectorNode::typeNameText()
{
	static const core::stringw name(L"GEllipseSectorNode");
	return name;
}

const PropertyTable& GEllipseSectorNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&GEllipseSectorNode::setFillColor, &GEllipseSectorNode::getFillColor>("FillColor"),
	        accessorProperty<&GEllipseSectorNode::setAngle1, &GEllipseSectorNode::getAngle1>("Angle1"),
	        accessorProperty<&GEllipseSectorNode::setAngle2, &GEllipseSectorNode::getAngle2>("Angle2"),
	        accessorProperty<&GEllipseSectorNode::setMaxVerticesCount, &GEllipseSectorNode::getMaxVerticesCount>(
	            "MaxVerticesCount"),
	    });
	return table;
}

void GEllipseSectorNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (fillColor.color != 0xFFFFFFFF)
		collection.addColor("FillColor", fillColor);
	if (angle1 != 0)
		collection.addInt("Angle1", angle1);
	if (angle2 != 360)
		collection.addInt("Angle2", angle2);
	if (maxVerticesCount != 32)
		collection.addInt("MaxVerticesCount", maxVerticesCount);
}

void GEllipseSectorNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	readValue(collection, "FillColor", PROPERTY_COLOR, fillColor, propertyAsColor);
	readValue(collection, "Angle1", PROPERTY_INT, angle1, propertyAsInt);
	readValue(collection, "Angle2", PROPERTY_INT, angle2, propertyAsInt);
	readValue(collection, "MaxVerticesCount", PROPERTY_INT, maxVerticesCount, propertyAsInt);
}

void GEllipseSectorNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GEllipseSectorNode* other = nodeCast<GEllipseSectorNode>(source))
	{
		fillColor = other->fillColor;
		angle1 = other->angle1;
		angle2 = other->angle2;
		maxVerticesCount = other->maxVerticesCount;
	}
}

void GEllipseSectorNode::setState(StringId state, StateFallback fallback, StringId reportedName)
{
	if (!state.isEmpty())
		currentState = state;
	BaseNode::setState(state, fallback, reportedName);
}

void GEllipseSectorNode::addToRenderList(RenderList& list)
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

bool GEllipseSectorNode::buildVertices()
{
	// The array keeps its storage from draw to draw: a ring drawn every frame allocates nothing.
	vertices.set_used(0);
	const core::vector3df scale = getMatrixScale(absoluteTransformation);
	const f32 rx = Bounds.X * scale.X * 0.5f;
	const f32 ry = Bounds.Y * scale.Y * 0.5f;
	const core::vector2df centre(absoluteTransformation[12] + rx, absoluteTransformation[13] + ry);
	const video::SColor colour = multiplyColors(fillColor, absoluteColor);
	const u32 capacity = fanCapacity(angle1, angle2, maxVerticesCount);
	if (vertices.allocated_size() < capacity)
		vertices.reallocate(capacity);
	forEachFanPoint(centre, rx, ry, angle1, angle2, maxVerticesCount,
	                [&](core::vector2df point) { vertices.push_back(flatVertex(point.X, point.Y, colour)); });
	return vertices.size() >= 3;
}

void GEllipseSectorNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!buildVertices() || !driver)
		return;
	// The vertices are in screen units already.
	beginFlatShape(driver, material, identityMatrix());
	drawFlatFan(driver, vertices.const_pointer(), vertices.size());
}
