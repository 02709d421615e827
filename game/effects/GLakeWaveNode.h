#pragma once

#include "GEffectNode.h"
#include "core/SmartPointer.h"
#include "data/GameNodeTypeIds.h"

// A patch of water: its "Wave" child plays from a random point so neighbouring waves differ, the node
// may drift, and its "Star" child glints at random places and times; with a LifeTime it fades and leaves.
class GLakeWaveNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GLakeWaveNode, NodeTypeGLakeWaveNode, GEffectNode)
	ENGINE_NODE_CLONE(GLakeWaveNode)

public:
	static constexpr unsigned WaveTaskPeriod = 60; // ms

	explicit GLakeWaveNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                       INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	int getBlinkTimer() const { return blinkTimer; }
	int getLifeTime() const { return lifeTime; }

protected:
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	SmartPointer<BaseNode> wave;
	SmartPointer<BaseNode> star;
	irr::core::vector2df starBlinkRange{5000.0f, 10000.0f}; // ms between glints
	irr::core::vector3df velocity;                          // drift, units per second
	int lifeTime = -1;                                      // ms left; 0 or less: endless
	int blinkTimer = 0;                                     // ms to the next glint
};
