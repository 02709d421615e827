#pragma once

#include "BaseProgressBarNode.h"
#include "core/SmartPointer.h"

// Progress bar whose template "Knob" part fills its "SlidingArea" part in proportion to the value.
class ProgressBarNode : public BaseProgressBarNode
{
	ENGINE_NODE_TYPE(ProgressBarNode, NodeTypeProgressBarNode, BaseProgressBarNode)
	ENGINE_NODE_CLONE(ProgressBarNode)

public:
	// KnobType that stretches the knob over the filled part of the area.
	static constexpr int KnobFillsArea = 1;

	explicit ProgressBarNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                         INodeEventQueue* sceneManager = nullptr);
	~ProgressBarNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void applyTemplate() override;
	void updateVisuals() override;

	void setKnobType(int value) { KnobType = value; }
	int getKnobType() const { return KnobType; }
	BaseNode* getSlidingArea() const { return slidingArea.get(); }
	BaseNode* getKnob() const { return knob.get(); }

private:
	SmartPointer<BaseNode> slidingArea;
	SmartPointer<BaseNode> knob;
	int KnobType = 0;
};
