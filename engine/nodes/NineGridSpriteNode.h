#pragma once

#include "content/BatchTypes.h"
#include "core/SmartPointer.h"
#include "scene/BaseNode.h"

#include <irrlicht/SMaterial.h>

class AtlasTexture;
struct NineGridLayout;

// Panel or frame of any size drawn from one atlas frame as three by three quads: corners keep
// their pixel size, edges stretch along one axis, the centre along both.
class NineGridSpriteNode : public BaseNode
{
	ENGINE_NODE_TYPE(NineGridSpriteNode, NodeTypeNineGridSpriteNode, BaseNode)
	ENGINE_NODE_CLONE(NineGridSpriteNode)

public:
	static constexpr float DefaultDelta = 10.0f;
	static constexpr int QuadCount = 9;

	explicit NineGridSpriteNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);
	~NineGridSpriteNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;
	bool hitTestPoint(const irr::core::vector2df& point) const override;

	void setAtlasTexture(AtlasTexture* frame);
	AtlasTexture* getAtlasTexture() const { return frame.get(); }
	void setTopLeftDelta(const irr::core::vector2df& value) { TopLeftDelta = value; }
	const irr::core::vector2df& getTopLeftDelta() const { return TopLeftDelta; }
	void setBottomRightDelta(const irr::core::vector2df& value) { BottomRightDelta = value; }
	const irr::core::vector2df& getBottomRightDelta() const { return BottomRightDelta; }

	// Rebuilds the nine quads from Bounds, the deltas and the frame; false without a page texture.
	bool updateQuads();
	// Row by row from the top, left to right within a row.
	const QuadRecord& getQuad(int index) const { return quads[index]; }
	const irr::video::SMaterial& getMaterial() const { return material; }

private:
	void fillQuad(QuadRecord& quad, const NineGridLayout& layout, int row, int column) const;

	SmartPointer<AtlasTexture> frame;
	irr::video::SMaterial material;
	QuadRecord quads[QuadCount];
	irr::core::vector2df TopLeftDelta{DefaultDelta, DefaultDelta};
	irr::core::vector2df BottomRightDelta{DefaultDelta, DefaultDelta};
};
