#include "NineGridSpriteNode.h"

#include "NineGridLayout.h"
#include "NodeServices.h"
#include "PropertyLookup.h"
#include "content/AtlasTexture.h"
#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cstdint>
#include <cstring>

using namespace irr;

namespace
{
const core::vector2df defaultDelta(NineGridSpriteNode::DefaultDelta, NineGridSpriteNode::DefaultDelta);

// Render entries of one page texture group together when the list is sorted.
u32 textureKey(const video::ITexture* texture)
{
	const auto bits = reinterpret_cast<std::uintptr_t>(texture);
	return static_cast<u32>(bits ^ (bits >> 32));
}
} // namespace

NineGridSpriteNode::NineGridSpriteNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
	std::memset(quads, 0, sizeof(quads));
	material.MaterialType = video::EMT_TRANSPARENT_VERTEX_ALPHA;
	material.Lighting = false;
	material.GouraudShading = false;
	material.ZBuffer = video::ECFN_NEVER;
	material.ZWriteEnable = false;
	material.BackfaceCulling = false;
	material.TextureLayer[0].TextureWrapU = video::ETC_CLAMP;
	material.TextureLayer[0].TextureWrapV = video::ETC_CLAMP;
	material.TextureLayer[0].BilinearFilter = true;
	material.TextureLayer[0].TrilinearFilter = false;
	material.TextureLayer[0].AnisotropicFilter = 0;
	for (QuadRecord& quad : quads)
		quad.material = &material;
}

NineGridSpriteNode::~NineGridSpriteNode() = default;

// ---- properties

const PropertyTable& NineGridSpriteNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&NineGridSpriteNode::setAtlasTexture, &NineGridSpriteNode::getAtlasTexture>(
	            "AtlasTexture"),
	        accessorProperty<&NineGridSpriteNode::setTopLeftDelta, &NineGridSpriteNode::getTopLeftDelta>(
	            "TopLeftDelta"),
	        accessorProperty<&NineGridSpriteNode::setBottomRightDelta, &NineGridSpriteNode::getBottomRightDelta>(
	            "BottomRightDelta"),
	    });
	return table;
}

void NineGridSpriteNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (frame)
		collection.add("AtlasTexture", makeAtlasTextureProperty(frame.get()));
	if (TopLeftDelta != defaultDelta)
		collection.addVector2d("TopLeftDelta", TopLeftDelta);
	if (BottomRightDelta != defaultDelta)
		collection.addVector2d("BottomRightDelta", BottomRightDelta);
}

void NineGridSpriteNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "TopLeftDelta", value))
		TopLeftDelta = propertyAsVector2d(value.get());
	if (lookUpProperty(collection, "BottomRightDelta", value))
		BottomRightDelta = propertyAsVector2d(value.get());
	if (lookUpProperty(collection, "AtlasTexture", value))
		setAtlasTexture(atlasFrameOfValue(value.get()));
}

void NineGridSpriteNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	if (const NineGridSpriteNode* other = nodeCast<NineGridSpriteNode>(source))
	{
		TopLeftDelta = other->TopLeftDelta;
		BottomRightDelta = other->BottomRightDelta;
		setAtlasTexture(other->frame.get());
	}
}

void NineGridSpriteNode::setAtlasTexture(AtlasTexture* newFrame)
{
	frame = shareRef(newFrame);
	if (frame)
		material.setTexture(0, frame->getDeviceTexture());
}

// ---- drawing

void NineGridSpriteNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	video::ITexture* texture = frame ? frame->getDeviceTexture() : nullptr;
	if (texture && absoluteColor.getAlpha() > 0)
		list.push_back(RenderEntry{this, absoluteTransformation.getTranslation().Z, textureKey(texture)});
	for (u32 i = 0; i < children.size(); ++i)
		children[i]->addToRenderList(list);
}

bool NineGridSpriteNode::updateQuads()
{
	if (!frame || !frame->getDeviceTexture())
		return false;
	const NineGridLayout layout =
	    NineGridLayout::compute(core::vector2df(Bounds.X, Bounds.Y), TopLeftDelta, BottomRightDelta,
	                            frame->getTextureRect(), AtlasTexture::getPageTextureSize(frame->getPage()));
	for (int row = 0; row < 3; ++row)
	{
		for (int column = 0; column < 3; ++column)
			fillQuad(quads[row * 3 + column], layout, row, column);
	}
	return true;
}

void NineGridSpriteNode::fillQuad(QuadRecord& quad, const NineGridLayout& layout, int row, int column) const
{
	static const int cornerColumn[4] = {0, 1, 1, 0};
	static const int cornerRow[4] = {0, 0, 1, 1};
	const f32* m = absoluteTransformation.pointer();
	quad.material = &material;
	for (int corner = 0; corner < 4; ++corner)
	{
		const int c = column + cornerColumn[corner];
		const int r = row + cornerRow[corner];
		const float x = layout.x[c];
		const float y = layout.y[r];
		BatchVertex& vertex = quad.vertices[corner];
		vertex.x = x * m[0] + y * m[4] + m[12];
		vertex.y = x * m[1] + y * m[5] + m[13];
		vertex.z = 0.0f;
		vertex.color = absoluteColor.color;
		vertex.u = layout.u[c];
		vertex.v = layout.v[r];
	}
}

void NineGridSpriteNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!driver || !updateQuads())
		return;
	material.MaterialType = EngineMaterials::vertexAlpha(driver);
	material.setTexture(0, frame->getDeviceTexture());
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	for (const QuadRecord& quad : quads)
		batcher->addQuad(&quad);
}

bool NineGridSpriteNode::hitTestPoint(const core::vector2df& point) const
{
	return Visible && CanBeHit && TintColor.getAlpha() > 20 && isPointInside(point);
}
