#include "CheckBoxNode.h"

#include "PropertyLookup.h"
#include "core/CPropertyCollection.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <map>

namespace
{
StringId state(const char* name)
{
	return internStringId(name);
}
} // namespace

CheckBoxNode::CheckBoxNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ButtonNode(reference, parentNode, manager)
{
	IsFocusOnHover = true;
}

StringId CheckBoxNode::checkBoxStateFallback(StringId name)
{
	static const std::map<StringId, StringId> table = {
	    {state("FocusCheck"), state("NormalCheck")},           {state("NormalCheckDisable"), state("NormalCheck")},
	    {state("FocusCheckDisable"), state("FocusCheck")},     {state("NormalCheckHover"), state("NormalCheck")},
	    {state("NormalCheckKillHover"), state("NormalCheck")}, {state("FocusCheckHover"), state("NormalCheckHover")},
	    {state("FocusCheckKillHover"), state("FocusCheck")},
	};
	auto it = table.find(name);
	return it == table.end() ? controlStateFallback(name) : it->second;
}

// ---- properties

const PropertyTable& CheckBoxNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    buttonNodePropertyTable(),
	    {
	        accessorProperty<&CheckBoxNode::setChecked, &CheckBoxNode::isChecked>("IsChecked"),
	    });
	return table;
}

void CheckBoxNode::writeProperties(CPropertyCollection& collection) const
{
	ButtonNode::writeProperties(collection);
	if (IsChecked)
		collection.addBool("IsChecked", true);
}

void CheckBoxNode::readProperties(const CPropertyCollection& collection)
{
	ButtonNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "IsChecked", value))
	{
		IsChecked = propertyAsBool(value.get());
		updateCheckState();
	}
}

void CheckBoxNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ButtonNode::copyFrom(source, manager);
	if (const CheckBoxNode* box = nodeCast<CheckBoxNode>(source))
		IsChecked = box->IsChecked;
}

void CheckBoxNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ButtonNode::applyTemplate();
	updateCheckState();
}

// ---- states

void CheckBoxNode::setChecked(bool checked)
{
	IsChecked = checked;
	updateCheckState();
}

StringId CheckBoxNode::getCheckStateName() const
{
	const char* name;
	if (!Enabled)
		name = IsChecked ? (focused ? "FocusCheckDisable" : "NormalCheckDisable")
		                 : (focused ? "FocusDisable" : "NormalDisable");
	else if (IsChecked)
		name = focused ? (hovered ? "FocusCheckHover" : "FocusCheck") : (hovered ? "NormalCheckHover" : "NormalCheck");
	else
		name = focused ? (hovered ? "FocusHover" : "Focus") : (hovered ? "NormalHover" : "Normal");
	return state(name);
}

void CheckBoxNode::updateCheckState()
{
	playCheckBoxState(getCheckStateName());
}

bool CheckBoxNode::click()
{
	if (!ControlNode::click())
		return false;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	IsChecked = !IsChecked;
	updateCheckState();
	auto* changed = new CEventNodeValueChanged(this);
	postEventToParent(DeliverSelfThenParent, changed);
	changed->drop();
	return true;
}

void CheckBoxNode::enterPressVisualState()
{
	playCheckBoxState(ControlNode::nameIdPress());
}

void CheckBoxNode::updateHoverVisualState()
{
	if (!Enabled)
		return;
	const char* name;
	if (hovered)
		name =
		    IsChecked ? (focused ? "FocusCheckHover" : "NormalCheckHover") : (focused ? "FocusHover" : "NormalHover");
	else
		name = IsChecked ? (focused ? "FocusCheckKillHover" : "NormalCheckKillHover")
		                 : (focused ? "FocusKillHover" : "NormalKillHover");
	playCheckBoxState(state(name));
}

void CheckBoxNode::updateFocusVisualState()
{
	updateCheckState();
}
