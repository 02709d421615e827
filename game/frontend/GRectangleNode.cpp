#include "GRectangleNode.h"

#include "app/FlatShapeDrawing.h"
#include "core/CPropertyCollection.h"
#include "scene/NodeMath.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <irrlicht/IImage.h>
#include <irrlicht/IVideoDriver.h>
#include <irrlicht/S3DVertex.h>

using namespace irr;

namespace
{
void readColor(const CPropertyCollection& collection, const char* name, video::SColor& target)
{
	SmartPointer<IPropertyData> value = collection.get(name);
	if (value && value->typeId() == PROPERTY_COLOR)
		target = propertyAsColor(value.get());
}

// One opaque white texel, the rectangle's texture: the vertex-alpha material multiplies the vertex colour
// by the texel, and without a texture of its own the unit could still hold whatever was drawn before.
video::ITexture* whiteTexel(video::IVideoDriver* driver)
{
	// Made once: the lookup runs at every draw of every rectangle.
	static const io::path name("GRectangleNode/white");
	if (video::ITexture* texture = driver->findTexture(name))
		return texture;
	video::IImage* image = driver->createImage(video::ECF_A8R8G8B8, core::dimension2du(1, 1));
	if (!image)
		return nullptr;
	image->setPixel(0, 0, video::SColor(0xffffffff));
	video::ITexture* texture = driver->addTexture(name, image);
	image->drop();
	return texture;
}
} // namespace

GRectangleNode::GRectangleNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager), material(flatShapeMaterial())
{
}

const core::stringw& GRectangleNode::typeNameText()
{
	static const core::stringw name(L"GRectangleNode");
	return name;
}

const PropertyTable& GRectangleNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&GRectangleNode::setBorderColor, &GRectangleNode::getBorderColor>("BorderColor"),
	        accessorProperty<&GRectangleNode::setFillColor, &GRectangleNode::getFillColor>("FillColor"),
	    });
	return table;
}

void GRectangleNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (borderColor.color != 0)
		collection.addColor("BorderColor", borderColor);
	if (fillColor.color != 0)
		collection.addColor("FillColor", fillColor);
}

void GRectangleNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	readColor(collection, "BorderColor", borderColor);
	readColor(collection, "FillColor", fillColor);
}

void GRectangleNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const GRectangleNode* other = nodeCast<GRectangleNode>(source))
	{
		borderColor = other->borderColor;
		fillColor = other->fillColor;
	}
}

void GRectangleNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	// A transparent tint hides the rectangle only; the children still draw.
	if (TintColor.getAlpha() != 0)
		list.push_back(RenderEntry{this, absoluteTransformation[14], 0});
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

void GRectangleNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!driver)
		return;
	material.setTexture(0, whiteTexel(driver));
	beginFlatShape(driver, material, absoluteTransformation);

	const f32 w = Bounds.X;
	const f32 h = Bounds.Y;
	const video::SColor fill = multiplyColors(fillColor, TintColor);
	if (fill.getAlpha() != 0)
	{
		const video::S3DVertex vertices[4] = {flatVertex(1.0f, 1.0f, fill), flatVertex(w, 1.0f, fill),
		                                      flatVertex(w, h, fill), flatVertex(1.0f, h, fill)};
		drawFlatFan(driver, vertices, 4);
	}
	const video::SColor border = multiplyColors(borderColor, TintColor);
	if (border.getAlpha() != 0)
	{
		// Drawn at less than nine tenths of its size, the top line starts one unit in like the others.
		const f32 start = getMatrixScale(absoluteTransformation).X > 0.9f ? 0.0f : 1.0f;
		const video::S3DVertex vertices[5] = {flatVertex(start, 1.0f, border), flatVertex(w, 1.0f, border),
		                                      flatVertex(w, h, border), flatVertex(1.0f, h, border),
		                                      flatVertex(1.0f, 1.0f, border)};
		const u16 indices[8] = {0, 1, 1, 2, 2, 3, 3, 4};
		driver->drawVertexPrimitiveList(vertices, 5, indices, 4, video::EVT_STANDARD, scene::EPT_LINES,
		                                video::EIT_16BIT);
	}
	static const core::matrix4 identity;
	driver->setTransform(video::ETS_WORLD, identity);
}
