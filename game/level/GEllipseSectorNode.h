#pragma once

#include "data/GameNodeTypeIds.h"
#include "scene/BaseNode.h"

#include <irrlicht/S3DVertex.h>
#include <irrlicht/SMaterial.h>
#include <irrlicht/irrArray.h>
#include <irrlicht/vector2d.h>

// The points of a pie slice: the centre, then the rim from angle1 towards angle2 in steps of
// 360 / maxVerticesCount whole degrees (0 up, clockwise), closed by a point at exactly angle2.
irr::core::array<irr::core::vector2df> ellipseSectorFan(irr::core::vector2df centre, float rx, float ry, int angle1,
                                                        int angle2, int maxVerticesCount);

// A filled sector of the ellipse in the node's bounds: every countdown ring and the play screen's clock.
class GEllipseSectorNode : public BaseNode
{
	ENGINE_NODE_TYPE(GEllipseSectorNode, NodeTypeGEllipseSectorNode, BaseNode)
	ENGINE_NODE_CLONE(GEllipseSectorNode)

public:
	explicit GEllipseSectorNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;

	irr::video::SColor getFillColor() const { return fillColor; }
	void setFillColor(irr::video::SColor colour) { fillColor = colour; }
	int getAngle1() const { return angle1; }
	void setAngle1(int degrees) { angle1 = degrees; }
	int getAngle2() const { return angle2; }
	void setAngle2(int degrees) { angle2 = degrees; }
	int getMaxVerticesCount() const { return maxVerticesCount; }
	void setMaxVerticesCount(int count) { maxVerticesCount = count; }

	// Remembers the state asked for, found or not, so a ring's warning state can be told apart.
	void setState(StringId state, StateFallback fallback, StringId reportedName) override;
	StringId getCurrentState() const { return currentState; }

	// The vertices of the last draw (the centre first); empty before the first.
	const irr::core::array<irr::video::S3DVertex>& getVertices() const { return vertices; }
	// Fills the vertex array for the node's current place, size and colour; false when too few to draw.
	bool buildVertices();

private:
	irr::video::SColor fillColor{0xFFFFFFFF};
	int angle1 = 0;
	int angle2 = 360;
	int maxVerticesCount = 32;
	irr::core::array<irr::video::S3DVertex> vertices; // rebuilt at every draw
	irr::video::SMaterial material;
	StringId currentState;
};
