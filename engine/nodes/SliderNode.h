#pragma once

#include "core/SmartPointer.h"
#include "scene/ControlNode.h"

class CEventNodeClickPreview;
class CEventNodeClicked;

// A value between a minimum and a maximum shown by a knob over a track; dragged, clicked,
// stepped with its buttons or the keyboard, and reporting the user's changes to its parent.
class SliderNode : public ControlNode
{
	ENGINE_NODE_TYPE(SliderNode, NodeTypeSliderNode, ControlNode)
	ENGINE_NODE_CLONE(SliderNode)

public:
	enum KnobKind
	{
		KnobMoving = 0,
		KnobFill = 1,
		KnobProportional = 2,
	};

	explicit SliderNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                    INodeEventQueue* sceneManager = nullptr);
	~SliderNode() override;

	// ---- properties
	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// ---- value and range (code changes post nothing)
	// Refused unless below MaxValue.
	void setMinValue(float value);
	// Refused unless above MinValue.
	void setMaxValue(float value);
	void setValue(float value);
	// The part of the range visible at once (a list's visible lines).
	void setPageSize(float value);
	void setDeltaValue(float value) { DeltaValue = value; }
	void setKnobType(int value) { KnobType = value; }
	float getMinValue() const { return MinValue; }
	float getMaxValue() const { return MaxValue; }
	float getValue() const { return Value; }
	float getPageSize() const { return pageSize; }
	float getDeltaValue() const { return DeltaValue; }
	int getKnobType() const { return KnobType; }

	// Horizontal unless the track is taller than wide; horizontal without a track.
	bool isHorizontal() const;
	// Moves or sizes the knob after the value; needs the knob and the track.
	void placeKnob();
	// Sets the value from a screen point over the track; points off the track are ignored.
	void setValueFromPoint(const irr::core::vector2df& point);

	BaseNode* getSlidingAreaPart() const { return slidingArea.get(); }
	BaseNode* getKnobPart() const { return knob.get(); }
	BaseNode* getNextButtonPart() const { return nextButton.get(); }
	BaseNode* getPrevButtonPart() const { return prevButton.get(); }

	// ---- template and events
	void applyTemplate() override;
	bool onMouseMove(CEventInputMouseMove* event) override;
	bool onMouseLeftDown(CEventInputMouseLeftDown* event) override;
	bool onKeyDown(CEventInputKeyDown* event) override;
	bool onKeyUp(CEventInputKeyUp* event) override;
	virtual bool onClickPreview(CEventNodeClickPreview* event);
	virtual bool onStepButtonClicked(CEventNodeClicked* event);

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	// The parts live under the template root: the slider hands them the events itself.
	bool sendToChildren(int mode, CEvent* event) override;

private:
	// The visible share of the range (0..1) and the value's position in it (0..1).
	float pageFraction() const;
	float valueFraction() const;
	void postValueChangedIfDifferent(float before);

	SmartPointer<BaseNode> slidingArea;
	SmartPointer<BaseNode> knob;
	SmartPointer<BaseNode> nextButton;
	SmartPointer<BaseNode> prevButton;
	float MinValue = 0.0f;
	float MaxValue = 100.0f;
	float Value = 50.0f;
	float pageSize = 0.0f;
	float DeltaValue = 5.0f;
	int KnobType = KnobMoving;
};
