#include "SpriteNode.h"

#include "NodeServices.h"
#include "PropertyLookup.h"
#include "content/AtlasTexture.h"
#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"
#include "content/TextureContent.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "scene/NodeMath.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cstdint>

using namespace irr;

namespace
{
// One axis of the quad in node space with its texture coordinates.
struct AxisSpan
{
	float lo;
	float hi;
	float t0;
	float t1;
};

// Applies a stretch mode to one axis; pixels is the frame's trimmed size on that axis.
void stretchAxis(int mode, float pixels, float& bound, AxisSpan& span)
{
	switch (mode)
	{
	case SpriteNode::StretchFill:
		span.hi = span.lo + bound;
		break;
	case SpriteNode::StretchFitNode:
		bound = pixels;
		break;
	case SpriteNode::StretchCrop:
	{
		// Both corrections are measured on the uncropped frame.
		if (pixels <= 0.0f)
			break;
		const float t0 = span.t0;
		const float t1 = span.t1;
		if (span.lo < 0.0f)
		{
			span.t0 = t0 + (t1 - t0) * (-span.lo / pixels);
			span.lo = 0.0f;
		}
		if (span.hi > bound)
		{
			span.t1 = t1 - (t1 - t0) * ((span.hi - bound) / pixels);
			span.hi = bound;
		}
		break;
	}
	default:
		break;
	}
}

void setCorner(BatchVertex& vertex, const core::matrix4& m, float x, float y)
{
	vertex.x = x * m[0] + y * m[4] + m[12];
	vertex.y = x * m[1] + y * m[5] + m[13];
}

// Sprites are grouped by page texture when the render list is sorted.
u32 groupingKeyOf(const void* texture)
{
	return static_cast<u32>(reinterpret_cast<std::uintptr_t>(texture));
}
} // namespace

SpriteNode::SpriteNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
	material.Lighting = false;
	material.ZBuffer = video::ECFN_NEVER;
	material.ZWriteEnable = false;
	material.GouraudShading = false;
	material.BackfaceCulling = false;
	material.TextureLayer[0].TextureWrapU = video::ETC_CLAMP;
	material.TextureLayer[0].TextureWrapV = video::ETC_CLAMP;
	material.TextureLayer[0].BilinearFilter = true;
	material.TextureLayer[0].TrilinearFilter = false;
	material.TextureLayer[0].AnisotropicFilter = 0;
	quad.material = &material;
	for (BatchVertex& vertex : quad.vertices)
		vertex = BatchVertex{0.0f, 0.0f, 1.0f, 0xFFFFFFFF, 0.0f, 0.0f};
}

SpriteNode::~SpriteNode()
{
	if (frame)
		frame->drop();
}

// ---- properties

const PropertyTable& SpriteNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&SpriteNode::setImageStretchX, &SpriteNode::getImageStretchX>("ImageStretchX"),
	        accessorProperty<&SpriteNode::setImageStretchY, &SpriteNode::getImageStretchY>("ImageStretchY"),
	        accessorProperty<&SpriteNode::setImagePivotPoint, &SpriteNode::getImagePivotPoint>("ImagePivotPoint"),
	        accessorProperty<&SpriteNode::setFlipX, &SpriteNode::getFlipX>("FlipX"),
	        accessorProperty<&SpriteNode::setFlipY, &SpriteNode::getFlipY>("FlipY"),
	        accessorProperty<&SpriteNode::setBlendType, &SpriteNode::getBlendType>("BlendType"),
	        accessorProperty<&SpriteNode::setAtlasTexture, &SpriteNode::getAtlasTexture>("AtlasTexture"),
	    });
	return table;
}

void SpriteNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	// Mode 2 is written too: a reloaded sprite keeps fitting its node to the frame.
	if (ImageStretchX != StretchNone)
		collection.addInt("ImageStretchX", ImageStretchX);
	if (ImageStretchY != StretchNone)
		collection.addInt("ImageStretchY", ImageStretchY);
	if (ImagePivotPoint.X != 0.0f || ImagePivotPoint.Y != 0.0f)
		collection.addVector2d("ImagePivotPoint", ImagePivotPoint);
	if (FlipX)
		collection.addBool("FlipX", true);
	if (FlipY)
		collection.addBool("FlipY", true);
	if (BlendType != 0)
		collection.addInt("BlendType", BlendType);
	if (frame)
		collection.add("AtlasTexture", makeAtlasTextureProperty(frame));
}

void SpriteNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "ImageStretchX", value))
		setImageStretchX(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "ImageStretchY", value))
		setImageStretchY(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "ImagePivotPoint", value))
		ImagePivotPoint = propertyAsVector2d(value.get());
	if (lookUpProperty(collection, "FlipX", value))
		FlipX = propertyAsBool(value.get());
	if (lookUpProperty(collection, "FlipY", value))
		FlipY = propertyAsBool(value.get());
	if (lookUpProperty(collection, "BlendType", value))
		setBlendType(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "AtlasTexture", value))
		setAtlasTexture(atlasFrameOfValue(value.get()));
}

void SpriteNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	const SpriteNode* sprite = nodeCast<SpriteNode>(source);
	if (!sprite)
		return;
	ImageStretchX = sprite->ImageStretchX;
	ImageStretchY = sprite->ImageStretchY;
	FlipX = sprite->FlipX;
	FlipY = sprite->FlipY;
	ImagePivotPoint = sprite->ImagePivotPoint;
	setBlendType(sprite->BlendType);
	setAtlasTexture(sprite->frame);
	updateQuad();
}

// ---- setters

void SpriteNode::setAtlasTexture(AtlasTexture* newFrame)
{
	// Grab first: setting the frame already held must not free it.
	if (newFrame)
		newFrame->grab();
	if (frame)
		frame->drop();
	frame = newFrame;
	if (!frame)
		return;
	material.setTexture(0, frame->getDeviceTexture());
	updateQuad();
}

void SpriteNode::setImageStretchX(int mode)
{
	ImageStretchX = mode;
	updateQuad();
}

void SpriteNode::setImageStretchY(int mode)
{
	ImageStretchY = mode;
	updateQuad();
}

void SpriteNode::setBlendType(int type)
{
	BlendType = type == 1 ? 1 : 0;
}

// ---- geometry

bool SpriteNode::hasPageTexture() const
{
	return frame && frame->getPage() && frame->getPage()->getTexture();
}

void SpriteNode::updateQuad()
{
	if (!hasPageTexture())
		return;
	const core::dimension2du pageSize = AtlasTexture::getPageTextureSize(frame->getPage());
	const core::rectf& uv = frame->getTextureRect();
	const float pw = (uv.LowerRightCorner.X - uv.UpperLeftCorner.X) * static_cast<float>(pageSize.Width);
	const float ph = (uv.LowerRightCorner.Y - uv.UpperLeftCorner.Y) * static_cast<float>(pageSize.Height);
	const core::vector2df& b = frame->getB();

	AxisSpan x{b.X - ImagePivotPoint.X, 0.0f, uv.UpperLeftCorner.X, uv.LowerRightCorner.X};
	x.hi = x.lo + pw;
	AxisSpan y{b.Y - ImagePivotPoint.Y, 0.0f, uv.UpperLeftCorner.Y, uv.LowerRightCorner.Y};
	y.hi = y.lo + ph;
	stretchAxis(ImageStretchX, pw, Bounds.X, x);
	stretchAxis(ImageStretchY, ph, Bounds.Y, y);

	const core::matrix4& m = absoluteTransformation;
	setCorner(quad.vertices[0], m, x.lo, y.lo);
	setCorner(quad.vertices[1], m, x.hi, y.lo);
	setCorner(quad.vertices[2], m, x.hi, y.hi);
	setCorner(quad.vertices[3], m, x.lo, y.hi);

	// Flipping mirrors the (possibly cropped) rectangle in place.
	const float u0 = FlipX ? x.t1 : x.t0;
	const float u1 = FlipX ? x.t0 : x.t1;
	const float v0 = FlipY ? y.t1 : y.t0;
	const float v1 = FlipY ? y.t0 : y.t1;
	quad.vertices[0].u = u0;
	quad.vertices[3].u = u0;
	quad.vertices[1].u = u1;
	quad.vertices[2].u = u1;
	quad.vertices[0].v = v0;
	quad.vertices[1].v = v0;
	quad.vertices[2].v = v1;
	quad.vertices[3].v = v1;
}

void SpriteNode::updateAbsoluteTransform()
{
	BaseNode::updateAbsoluteTransform();
	updateQuad();
}

void SpriteNode::updateAbsoluteColor()
{
	BaseNode::updateAbsoluteColor();
	for (BatchVertex& vertex : quad.vertices)
		vertex.color = absoluteColor.color;
}

// ---- drawing and hit testing

void SpriteNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	video::ITexture* texture = frame ? frame->getDeviceTexture() : nullptr;
	if (texture && absoluteColor.getAlpha() > 0)
		list.push_back(RenderEntry{this, absoluteTransformation[14], groupingKeyOf(texture)});
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

void SpriteNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!driver || !frame || !frame->getDeviceTexture())
		return;
	// The page texture may have been made again since the frame was set (driver replaced).
	material.setTexture(0, frame->getDeviceTexture());
	material.MaterialType =
	    BlendType == 1 ? EngineMaterials::vertexAlphaAdd(driver) : EngineMaterials::vertexAlpha(driver);
	CQuadBatcher::forDriver(driver)->addQuad(&quad);
}

bool SpriteNode::hitTestPoint(const core::vector2df& point) const
{
	if (!Visible || !CanBeHit || TintColor.getAlpha() <= 20 || !hasPageTexture())
		return false;
	core::vector2df p = point;
	if (!inverseTransformPoint2d(absoluteTransformation, p))
		return false;
	const core::dimension2du pageSize = AtlasTexture::getPageTextureSize(frame->getPage());
	const core::rectf& uv = frame->getTextureRect();
	const float pw = (uv.LowerRightCorner.X - uv.UpperLeftCorner.X) * static_cast<float>(pageSize.Width);
	const float ph = (uv.LowerRightCorner.Y - uv.UpperLeftCorner.Y) * static_cast<float>(pageSize.Height);
	const core::vector2df& b = frame->getB();
	const core::vector2df& a = frame->getA();
	const float uncutW = b.X + pw + a.X;
	const float uncutH = b.Y + ph + a.Y;

	// A stretched axis holds the whole uncut picture over the node.
	if (ImageStretchX == StretchFill && Bounds.X > 0.0f)
		p.X *= uncutW / Bounds.X;
	if (ImageStretchY == StretchFill && Bounds.Y > 0.0f)
		p.Y *= uncutH / Bounds.Y;
	p -= b;
	p += ImagePivotPoint;
	// As drawn: a flip mirrors the trimmed rectangle in place, not the uncut picture.
	if (FlipX)
		p.X = pw - p.X;
	if (FlipY)
		p.Y = ph - p.Y;
	if (!(p.X >= 0.0f && p.X < pw && p.Y >= 0.0f && p.Y < ph))
		return false;
	const float texelX = p.X + uv.UpperLeftCorner.X * static_cast<float>(pageSize.Width);
	const float texelY = p.Y + uv.UpperLeftCorner.Y * static_cast<float>(pageSize.Height);
	return frame->getPage()->alphaTest(static_cast<u32>(texelX), static_cast<u32>(texelY), 20);
}
