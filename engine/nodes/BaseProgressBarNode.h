#pragma once

#include "scene/ControlNode.h"

// Control holding a value between a minimum and a maximum; derived classes show it by
// overriding updateVisuals, which runs after every change made by code.
class BaseProgressBarNode : public ControlNode
{
	ENGINE_NODE_TYPE(BaseProgressBarNode, NodeTypeBaseProgressBarNode, ControlNode)

public:
	explicit BaseProgressBarNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                             INodeEventQueue* sceneManager = nullptr);

	// Only a base: it has no look of its own to copy.
	BaseNode* clone(BaseNode* parent = nullptr, INodeEventQueue* sceneManager = nullptr) const override;

	const PropertyTable& propertyTable() const override;
	static const PropertyTable& progressBarPropertyTable();
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// Ignored unless below MaxValue; raises Value to it when needed.
	void setMinValue(float value);
	// Ignored unless above MinValue; lowers Value to it when needed.
	void setMaxValue(float value);
	// Clamped to the range; posts nothing.
	void setValue(float value);
	float getMinValue() const { return MinValue; }
	float getMaxValue() const { return MaxValue; }
	float getValue() const { return Value; }

	// Where Value lies in the range, 0 at MinValue and 1 at MaxValue; 0 for an empty range.
	float getFraction() const;

	virtual void updateVisuals() {}

protected:
	float MinValue = 0.0f;
	float MaxValue = 100.0f;
	float Value = 50.0f;
};
