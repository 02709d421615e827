#pragma once

#include "GLevelProcess.h"

#include <irrlicht/vector2d.h>
#include <vector>

// Lets clouds drift across the level map for as long as the level lives: three at once, a fourth on
// the first update and one more about every ten seconds, each removed at the end of its drift.
class GCloudsProcess : public GLevelProcess
{
public:
	GCloudsProcess(BaseNode* parentNode, TemplateCollectionNode* templates);
	~GCloudsProcess() override;

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;

	float getProgress() const override { return 0.0f; }
	bool update(irr::u32 elapsed) override;

	void spawnCloud();
	// Where a cloud enters: side 0 above the top edge, side 1 right of the right edge.
	static irr::core::vector2df entryPoint(int side);
	bool onCloudArrived(CEventNodeStateFinished* event);

	const std::vector<SmartPointer<GPathMovableNode>>& getClouds() const { return clouds; }
	int getCloudsMade() const { return cloudsMade; }
	int getCloudsRemoved() const { return cloudsRemoved; }

private:
	BaseNode* parentNode = nullptr;                     // back-link: the level's cargos node
	std::vector<SmartPointer<GPathMovableNode>> clouds; // in creation order, children of the parent
	irr::s32 countdown = 0;                             // ms to the next cloud
	int cloudsMade = 0;
	int cloudsRemoved = 0;
};
