#pragma once

#include "ButtonNode.h"

// A button with a checked flag that toggles on every click, its own set of visual states and a
// value-changed event (59) for changes the user makes.
class CheckBoxNode : public ButtonNode
{
	ENGINE_NODE_TYPE(CheckBoxNode, NodeTypeCheckBoxNode, ButtonNode)
	ENGINE_NODE_CLONE(CheckBoxNode)

public:
	explicit CheckBoxNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                      INodeEventQueue* sceneManager = nullptr);

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void applyTemplate() override;

	// Changes the look only; posts nothing.
	void setChecked(bool checked);
	bool isChecked() const { return IsChecked; }
	// Plays the state matching checked, enabled, focused and hovered.
	void updateCheckState();
	// The state updateCheckState plays now.
	StringId getCheckStateName() const;

	// Toggles after the control's click has been accepted and reports the change to the parent.
	bool click() override;
	void enterPressVisualState() override;
	void restoreVisualStateAfterPress() override {}
	void updatePressedVisualState() override {}
	void updateHoverVisualState() override;
	void updateFocusVisualState() override;

	// Fallbacks between the check box's states; other names fall back as for a plain control.
	static StringId checkBoxStateFallback(StringId state);

private:
	void playCheckBoxState(StringId state) { setChildrenState(state, &CheckBoxNode::checkBoxStateFallback); }

	bool IsChecked = false;
};
