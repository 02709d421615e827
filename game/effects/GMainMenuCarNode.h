#pragma once

#include "GMainMenuMover.h"
#include "data/GameNodeTypeIds.h"

// A car of the title screen coming towards the viewer or driving away, sized by its height on the
// screen, with a sound as it comes near or leaves.
class GMainMenuCarNode : public GMainMenuMover
{
	ENGINE_NODE_TYPE(GMainMenuCarNode, NodeTypeGMainMenuCarNode, GPathMovableNode)
	ENGINE_NODE_CLONE(GMainMenuCarNode)

public:
	explicit GMainMenuCarNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                          INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();
	// Cars started part-way along their road since the program started (at most 4).
	static int headStartsGiven();

	void onDirectionChanged(const irr::core::vector2df& direction) override;
	bool isSoundPlayed() const { return soundPlayed; }

protected:
	GLevelPath* pickPath(GLevelPaths* paths) const override;
	void startRoute(const irr::core::array<irr::core::vector2df>& points) override;
	void depthStep() override;

private:
	bool soundPlayed = false;
};
