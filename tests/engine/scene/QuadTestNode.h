#pragma once

#include "content/CQuadBatcher.h"
#include "scene/BaseNode.h"

#include <irrlicht/SMaterial.h>
#include <string>
#include <vector>

// Draws its Bounds as one textured quad through the batcher (test stand-in for sprites);
// records its name when drawn.
class QuadTestNode : public BaseNode
{
	ENGINE_NODE_TYPE(QuadTestNode, 1001, BaseNode)
	ENGINE_NODE_CLONE(QuadTestNode)

public:
	using BaseNode::BaseNode;

	void addToRenderList(RenderList& list) override
	{
		if (!Visible)
			return;
		if (transformDirty)
			updateAbsoluteTransform();
		if (colorDirty)
			updateAbsoluteColor();
		list.push_back(RenderEntry{this, absoluteTransformation[14], key});
	}

	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>*) override
	{
		if (drawn)
			drawn->push_back(getStringById(getName()).c_str());
		if (!material)
			return;
		irr::core::vector3df corners[4] = {
		    {0.0f, 0.0f, 0.0f}, {Bounds.X, 0.0f, 0.0f}, {Bounds.X, Bounds.Y, 0.0f}, {0.0f, Bounds.Y, 0.0f}};
		for (auto& corner : corners)
			absoluteTransformation.transformVect(corner);
		CQuadBatcher::forDriver(driver)->addQuad(material, {corners[0].X, corners[0].Y}, {corners[1].X, corners[1].Y},
		                                         {corners[2].X, corners[2].Y}, {corners[3].X, corners[3].Y}, {0, 0},
		                                         {1, 0}, {1, 1}, {0, 1}, 0.0f, absoluteColor.color);
	}

	const irr::video::SMaterial* material = nullptr;
	irr::u32 key = 0;
	std::vector<std::string>* drawn = nullptr;
};
