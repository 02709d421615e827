#pragma once

#include "content/BatchTypes.h"
#include "scene/BaseNode.h"

#include <irrlicht/SMaterial.h>

class AtlasTexture;

// Shows one atlas frame as a single quad: pivot, per-axis stretch modes, flips, two blend types
// and a per-pixel hit test on the frame's alpha.
class SpriteNode : public BaseNode
{
	ENGINE_NODE_TYPE(SpriteNode, NodeTypeSpriteNode, BaseNode)
	ENGINE_NODE_CLONE(SpriteNode)

public:
	// How the frame meets the node's Bounds on one axis.
	enum StretchMode
	{
		StretchNone = 0,
		StretchFill = 1,
		StretchFitNode = 2,
		StretchCrop = 3,
	};

	explicit SpriteNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                    INodeEventQueue* sceneManager = nullptr);
	~SpriteNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void updateAbsoluteTransform() override;
	void updateAbsoluteColor() override;
	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;
	bool hitTestPoint(const irr::core::vector2df& point) const override;

	// Null allowed: the quad and the material's texture then stay as they were, nothing is drawn.
	void setAtlasTexture(AtlasTexture* frame);
	AtlasTexture* getAtlasTexture() const { return frame; }
	void setImageStretchX(int mode);
	void setImageStretchY(int mode);
	int getImageStretchX() const { return ImageStretchX; }
	int getImageStretchY() const { return ImageStretchY; }
	// The next three show at the next quad recomputation.
	void setImagePivotPoint(const irr::core::vector2df& pivot) { ImagePivotPoint = pivot; }
	const irr::core::vector2df& getImagePivotPoint() const { return ImagePivotPoint; }
	void setFlipX(bool value) { FlipX = value; }
	void setFlipY(bool value) { FlipY = value; }
	bool getFlipX() const { return FlipX; }
	bool getFlipY() const { return FlipY; }
	// 0 multiplies the texels by the tint, 1 adds the tint; other values become 0.
	void setBlendType(int type);
	int getBlendType() const { return BlendType; }

	// Recomputes vertex positions (screen space) and texture coordinates from the frame.
	void updateQuad();
	const QuadRecord& getQuad() const { return quad; }
	// The material type is settled at draw time, when the driver's engine types are known.
	const irr::video::SMaterial& getMaterial() const { return material; }

private:
	// The frame's page is a texture the quad can be computed from.
	bool hasPageTexture() const;

	AtlasTexture* frame = nullptr;
	irr::video::SMaterial material;
	int BlendType = 0;
	QuadRecord quad;
	irr::core::vector2df ImagePivotPoint{0.0f, 0.0f};
	int ImageStretchX = StretchNone;
	int ImageStretchY = StretchNone;
	bool FlipX = false;
	bool FlipY = false;
};
