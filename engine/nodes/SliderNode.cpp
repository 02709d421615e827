#include "SliderNode.h"

#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "nodes/PropertyLookup.h"
#include "scene/NodeEvents.h"
#include "scene/NodeMath.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <algorithm>

using namespace irr;

namespace
{
enum SliderKey
{
	KeyEnd = 35,
	KeyHome = 36,
	KeyLeft = 37,
	KeyUp = 38,
	KeyRight = 39,
	KeyDown = 40,
};

// The knob's smallest extent when it shows the page size.
constexpr float MinimumProportionalKnob = 25.0f;

float axisOf(const core::vector3df& v, bool horizontal)
{
	return horizontal ? v.X : v.Y;
}

void setAxis(core::vector3df& v, bool horizontal, float value)
{
	(horizontal ? v.X : v.Y) = value;
}

BaseNode* partNamed(const ControlNode* root, const char* name)
{
	return root ? root->findChild(internStringId(name), 1) : nullptr;
}

// Offers an event to a part the way a parent offers it to a child.
bool offerToPart(BaseNode* part, int mode, CEvent* event)
{
	if (!part || !(part->mask & event->mask))
		return false;
	SmartPointer<BaseNode> keep(shareRef(part));
	return part->deliverEvent(mode, event);
}
} // namespace

SliderNode::SliderNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager)
{
}

SliderNode::~SliderNode() = default;

// ---- properties

const PropertyTable& SliderNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        accessorProperty<&SliderNode::setMinValue, &SliderNode::getMinValue>("MinValue"),
	        accessorProperty<&SliderNode::setMaxValue, &SliderNode::getMaxValue>("MaxValue"),
	        accessorProperty<&SliderNode::setValue, &SliderNode::getValue>("Value"),
	        accessorProperty<&SliderNode::setDeltaValue, &SliderNode::getDeltaValue>("DeltaValue"),
	        accessorProperty<&SliderNode::setKnobType, &SliderNode::getKnobType>("KnobType"),
	    });
	return table;
}

void SliderNode::writeProperties(CPropertyCollection& collection) const
{
	ControlNode::writeProperties(collection);
	if (MinValue != 0.0f)
		collection.addFloat("MinValue", MinValue);
	if (MaxValue != 100.0f)
		collection.addFloat("MaxValue", MaxValue);
	if (Value != 50.0f)
		collection.addFloat("Value", Value);
	if (DeltaValue != 5.0f)
		collection.addFloat("DeltaValue", DeltaValue);
	if (KnobType != KnobMoving)
		collection.addInt("KnobType", KnobType);
}

void SliderNode::readProperties(const CPropertyCollection& collection)
{
	ControlNode::readProperties(collection);
	// Stored as read: the knob follows at the next template application.
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "MinValue", value))
		MinValue = propertyAsFloat(value.get());
	if (lookUpProperty(collection, "MaxValue", value))
		MaxValue = propertyAsFloat(value.get());
	if (lookUpProperty(collection, "Value", value))
		Value = propertyAsFloat(value.get());
	if (lookUpProperty(collection, "DeltaValue", value))
		DeltaValue = propertyAsFloat(value.get());
	if (lookUpProperty(collection, "KnobType", value))
		KnobType = propertyAsInt(value.get());
}

void SliderNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ControlNode::copyFrom(source, manager);
	const SliderNode* slider = nodeCast<SliderNode>(source);
	if (!slider)
		return;
	MinValue = slider->MinValue;
	MaxValue = slider->MaxValue;
	Value = slider->Value;
	DeltaValue = slider->DeltaValue;
	KnobType = slider->KnobType;
}

// ---- value and range

void SliderNode::setMinValue(float value)
{
	if (!(value < MaxValue))
		return;
	MinValue = value;
	if (Value < value)
		Value = value;
	placeKnob();
}

void SliderNode::setMaxValue(float value)
{
	if (!(value > MinValue))
		return;
	MaxValue = value;
	if (Value > value)
		Value = value;
	placeKnob();
}

void SliderNode::setValue(float value)
{
	Value = std::max(MinValue, std::min(MaxValue, value));
	placeKnob();
}

void SliderNode::setPageSize(float value)
{
	pageSize = value;
	placeKnob();
}

bool SliderNode::isHorizontal() const
{
	if (!slidingArea)
		return true;
	const core::vector3df& bounds = slidingArea->getBounds();
	return bounds.Y <= bounds.X;
}

float SliderNode::pageFraction() const
{
	if (!(MaxValue > MinValue))
		return 0.0f;
	return std::min(1.0f, pageSize / (MaxValue - MinValue));
}

float SliderNode::valueFraction() const
{
	if (!(MaxValue > MinValue))
		return 0.0f;
	return (Value - MinValue) / (MaxValue - MinValue);
}

void SliderNode::placeKnob()
{
	if (!knob || !slidingArea)
		return;
	const bool horizontal = isHorizontal();
	const float length = axisOf(slidingArea->getBounds(), horizontal);
	const float origin = axisOf(slidingArea->getPosition(), horizontal);
	const float t = valueFraction();
	const float pf = pageFraction();
	core::vector3df position = knob->getPosition();
	core::vector3df bounds = knob->getBounds();
	const float knobLength = axisOf(bounds, horizontal);
	switch (KnobType)
	{
	case KnobMoving:
	{
		float travel = 0.0f;
		// The knob never leaves the track, also for values within the last page.
		if (pf < 1.0f)
			travel = std::max(0.0f, std::min(1.0f, t / (1.0f - pf)));
		setAxis(position, horizontal, origin + (length - knobLength) * travel);
		break;
	}
	case KnobFill:
		setAxis(bounds, horizontal, length * t);
		setAxis(position, horizontal, origin);
		break;
	case KnobProportional:
		setAxis(bounds, horizontal, std::max(pf * length, MinimumProportionalKnob));
		setAxis(position, horizontal, origin + length * t);
		break;
	default:
		return;
	}
	knob->setPosition(position);
	knob->setBounds(bounds);
}

void SliderNode::setValueFromPoint(const core::vector2df& point)
{
	if (!knob || !slidingArea)
		return;
	slidingArea->refreshAbsolute();
	core::vector2df local = point;
	inverseTransformPoint2d(slidingArea->getAbsoluteTransformation(), local);
	const core::vector3df& area = slidingArea->getBounds();
	if (local.X < 0.0f || local.X > area.X || local.Y < 0.0f || local.Y > area.Y)
		return;
	const bool horizontal = isHorizontal();
	const float p = horizontal ? local.X : local.Y;
	const float length = axisOf(area, horizontal);
	const float knobLength = axisOf(knob->getBounds(), horizontal);
	const float pf = pageFraction();
	const float range = MaxValue - MinValue;
	float value = Value;
	switch (KnobType)
	{
	case KnobMoving:
	case KnobProportional:
	{
		const float e = p - knobLength / 2.0f;
		const float travel = length - knobLength;
		float f = 0.0f;
		// The far end of the track is the last page, as everywhere else along it.
		if (e <= 0.0f)
			f = 0.0f;
		else if (e >= travel)
			f = 1.0f - pf;
		else if (travel == 0.0f)
			f = 0.0f;
		else
			f = e * (1.0f - pf) / travel;
		value = MinValue + range * f;
		break;
	}
	case KnobFill:
		if (length > 0.0f)
		{
			value = MinValue + range * p / length;
			if (value < MinValue)
				value = MinValue;
			if (value + pageSize > MaxValue)
				value = MaxValue - pageSize;
		}
		break;
	default:
		break;
	}
	setValue(value);
}

void SliderNode::postValueChangedIfDifferent(float before)
{
	if (Value == before)
		return;
	SmartPointer<CEventNodeValueChanged> changed(new CEventNodeValueChanged(this));
	postEventToParent(DeliverSelfThenParent, changed.get());
}

// ---- template

void SliderNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ControlNode::applyTemplate();
	slidingArea = nullptr;
	knob = nullptr;
	nextButton = nullptr;
	prevButton = nullptr;
	if (ControlNode* root = getTemplateRoot())
	{
		slidingArea = shareRef(partNamed(root, "SlidingArea"));
		knob = shareRef(partNamed(root, "Knob"));
		nextButton = shareRef(partNamed(root, "NextButton"));
		prevButton = shareRef(partNamed(root, "PrevButton"));
	}
	placeKnob();
}

// ---- events

bool SliderNode::onClickPreview(CEventNodeClickPreview*)
{
	return false;
}

bool SliderNode::onStepButtonClicked(CEventNodeClicked* event)
{
	const float before = Value;
	if (prevButton && event->control == prevButton.get())
		setValue(Value - DeltaValue);
	else if (nextButton && event->control == nextButton.get())
		setValue(Value + DeltaValue);
	postValueChangedIfDifferent(before);
	// The click goes on to the scene.
	return false;
}

bool SliderNode::onMouseMove(CEventInputMouseMove* event)
{
	if (!ControlNode::onMouseMove(event))
		return false;
	if (isPressed())
	{
		const float before = Value;
		setValueFromPoint(core::vector2df(static_cast<f32>(event->x), static_cast<f32>(event->y)));
		postValueChangedIfDifferent(before);
	}
	return true;
}

bool SliderNode::onMouseLeftDown(CEventInputMouseLeftDown* event)
{
	if (!ControlNode::onMouseLeftDown(event))
		return false;
	const float before = Value;
	setValueFromPoint(core::vector2df(static_cast<f32>(event->x), static_cast<f32>(event->y)));
	postValueChangedIfDifferent(before);
	return true;
}

bool SliderNode::onKeyDown(CEventInputKeyDown* event)
{
	const float before = Value;
	bool applied = false;
	switch (event->key)
	{
	case KeyEnd:
		setValue(MaxValue);
		applied = true;
		break;
	case KeyHome:
		setValue(MinValue);
		applied = true;
		break;
	default:
		if (slidingArea)
		{
			const bool horizontal = isHorizontal();
			const bool up = horizontal ? event->key == KeyRight : event->key == KeyUp;
			const bool down = horizontal ? event->key == KeyLeft : event->key == KeyDown;
			if (up && Value < MaxValue)
			{
				setValue(Value + DeltaValue);
				applied = true;
			}
			else if (down && Value > MinValue)
			{
				setValue(Value - DeltaValue);
				applied = true;
			}
		}
		break;
	}
	if (!applied)
		return ControlNode::onKeyDown(event);
	postValueChangedIfDifferent(before);
	return true;
}

bool SliderNode::onKeyUp(CEventInputKeyUp*)
{
	return false;
}

const EventMap& SliderNode::eventMap()
{
	static const EventMap map = extendEventMap(
	    ControlNode::eventMap(),
	    {
	        {CEventNodeClickPreview::TypeId,
	         &eventHandler<SliderNode, CEventNodeClickPreview, &SliderNode::onClickPreview>},
	        {CEventNodeClicked::TypeId, &eventHandler<SliderNode, CEventNodeClicked, &SliderNode::onStepButtonClicked>},
	    });
	return map;
}

bool SliderNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool SliderNode::sendToChildren(int mode, CEvent* event)
{
	if (!event)
		return false;
	if (ControlNode::sendToChildren(mode, event))
		return true;
	// A disabled slider keeps its step buttons and knob from the user too.
	if (!isEnabled() && event->isKindOf(CEventInput::TypeId))
		return false;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	if (offerToPart(prevButton.get(), mode, event) || offerToPart(nextButton.get(), mode, event))
		return true;
	if (!offerToPart(knob.get(), mode, event))
		return false;
	// A knob that takes the pointer still lets the slider follow it.
	const int id = event->typeId();
	return id != CEventInputMouseMove::TypeId && id != CEventInputMouseLeftDown::TypeId;
}
