#pragma once

#include "GMainMenuMover.h"
#include "data/GameNodeTypeIds.h"

// A pedestrian strolling over the title screen, sized by its height on the screen.
class GMainMenuPedestrianNode : public GMainMenuMover
{
	ENGINE_NODE_TYPE(GMainMenuPedestrianNode, NodeTypeGMainMenuPedestrianNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GMainMenuPedestrianNode)

public:
	explicit GMainMenuPedestrianNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                                 INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();
	// Pedestrians started part-way along their path since the program started (at most 24).
	static int headStartsGiven();

	void onDirectionChanged(const irr::core::vector2df& direction) override;

protected:
	GLevelPath* pickPath(GLevelPaths* paths) const override;
	void startRoute(const irr::core::array<irr::core::vector2df>& points) override;
	void depthStep() override;
};
