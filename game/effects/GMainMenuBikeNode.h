#pragma once

#include "GMainMenuMover.h"
#include "data/GameNodeTypeIds.h"

// A bicycle circling the title screen for ever, leaning into its turns: after each corner its picture
// turns 10 degrees per step until it faces the new way.
class GMainMenuBikeNode : public GMainMenuMover
{
	ENGINE_NODE_TYPE(GMainMenuBikeNode, NodeTypeGMainMenuBikeNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GMainMenuBikeNode)

public:
	explicit GMainMenuBikeNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                           INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void onDirectionChanged(const irr::core::vector2df& direction) override;

	float getSlopeFactor() const { return slopeFactor; }
	const irr::core::vector2df& getShownDirection() const { return shownDirection; }
	const irr::core::vector2df& getTravelDirection() const { return travelDirection; }

protected:
	int menuDepth() const override { return 4; }
	bool mayReverse() const override { return false; }
	GLevelPath* pickPath(GLevelPaths* paths) const override;
	void startRoute(const irr::core::array<irr::core::vector2df>& points) override;
	void depthStep() override;

private:
	void steer();

	float slopeFactor = 1.0f;
	irr::core::vector2df travelDirection{0.0f, 0.0f};
	irr::core::vector2df shownDirection{0.0f, 0.0f}; // what the picture faces
};
