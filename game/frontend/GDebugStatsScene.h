#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class TextNode;

// Developer overlay: frame rate, last update step and drawn primitives in the top-left corner.
class GDebugStatsScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GDebugStatsScene, NodeTypeGDebugStatsScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GDebugStatsScene)

public:
	static constexpr const char* FontName = "scenes/fonts/arial_14_crisp.qfnt";
	static constexpr float OverlayDepth = 1000.0f;

	explicit GDebugStatsScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                          INodeEventQueue* sceneManager = nullptr);
	// Defined where the parts' classes are complete.
	~GDebugStatsScene() override;

	static const irr::core::stringw& typeNameText();

	// "fps: F\nms:M\nP": frames per second, update step in ms, primitives drawn divided by 2.
	static irr::core::stringw formatStats(int fps, unsigned frameMs, unsigned primitives);

	bool updateTime(unsigned elapsed) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;

	TextNode* getStatsText() const { return statsText.get(); }

private:
	void createStatsText();

	SmartPointer<TextNode> statsText;
};
