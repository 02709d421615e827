#pragma once

#include "GMainMenuMover.h"
#include "data/GameNodeTypeIds.h"

// A cloud drifting over the title screen, faster the higher it starts.
class GMainMenuCloudNode : public GMainMenuMover
{
	ENGINE_NODE_TYPE(GMainMenuCloudNode, NodeTypeGMainMenuCloudNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GMainMenuCloudNode)

public:
	explicit GMainMenuCloudNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();
	// Clouds started part-way along their route since the program started (at most 12).
	static int headStartsGiven();

	// The speed range is read and written with the cloud but not offered by name: clouds have no states.
	const PropertyTable& propertyTable() const override { return baseNodePropertyTable(); }
	void onDirectionChanged(const irr::core::vector2df&) override {}

protected:
	GLevelPath* pickPath(GLevelPaths* paths) const override;
	bool mayReverse() const override { return false; }
	void startRoute(const irr::core::array<irr::core::vector2df>& points) override;
};
