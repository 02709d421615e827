#include "ListNode.h"

#include "CheckBoxNode.h"
#include "SliderNode.h"
#include "SpriteNode.h"
#include "TextNode.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataStringWArray.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "nodes/PropertyLookup.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <algorithm>
#include <cmath>

using namespace irr;

namespace
{
ListNode* self(IPropertyOwner* owner)
{
	return static_cast<ListNode*>(owner);
}
const ListNode* self(const IPropertyOwner* owner)
{
	return static_cast<const ListNode*>(owner);
}

enum ListKey
{
	KeyLeft = 37,
	KeyUp = 38,
	KeyRight = 39,
	KeyDown = 40,
};

// Parent of a list's elements: passes input down like any node and is never cloned with the
// list (each list builds its own), nor saved.
class ElementContainer : public BaseNode
{
public:
	ElementContainer(BaseNode* list, INodeEventQueue* manager) : BaseNode(ContentRef(), list, manager)
	{
		mask |= EventCategoryMouse | EventCategoryKeyboard;
	}
	BaseNode* clone(BaseNode*, INodeEventQueue*) const override { return nullptr; }
};

using StringsKind = PropertyKind<irr::core::array<irr::core::stringw>>;

BaseNode* directChild(const BaseNode* parent, const char* name)
{
	return parent ? parent->findChild(internStringId(name), 1) : nullptr;
}

// Whole prototypes that fit in an extent; at least one, and at most one past the element bound
// (so the conversion stays in range, also for infinite or undefined extents).
int fitCount(float extent, float prototypeExtent)
{
	if (!(prototypeExtent > 0.0f))
		return 1;
	const float count = extent / prototypeExtent;
	if (!(count >= 1.0f))
		return 1;
	if (count > static_cast<float>(ListNode::maxElementCount))
		return ListNode::maxElementCount + 1;
	return static_cast<int>(count);
}

// The line a slider value stands for, within 0 to lineCount.
int lineOfSliderValue(float value, int lineCount)
{
	if (!(value > 0.0f))
		return 0;
	if (value >= static_cast<float>(lineCount))
		return lineCount;
	return static_cast<int>(value);
}

// Offers an event to a node the way a parent offers it to a child.
bool offerTo(BaseNode* node, int mode, CEvent* event)
{
	if (!node || !(node->mask & event->mask))
		return false;
	SmartPointer<BaseNode> keep(shareRef(node));
	return node->deliverEvent(mode, event);
}
} // namespace

ListNode::ListNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager)
{
	IsFocusOnHover = true;
	auto* container = new ElementContainer(this, manager);
	container->setInternal(true);
	// The child array holds one reference, this link the other.
	elementContainer.reset(container);
}

ListNode::~ListNode()
{
	// The elements go with the container; the parts and the item model release themselves.
	if (elementContainer && elementContainer->getParent() == this)
		removeChild(elementContainer.get());
}

// ---- properties

const PropertyTable& ListNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        {"SelectedItem",
	         [](IPropertyOwner* o, const SmartPointer<IPropertyData>& v)
	         { self(o)->setSelectedItem(propertyAsInt(v.get()), true); },
	         [](const IPropertyOwner* o) { return makeIntValue(self(o)->getSelectedItem()); }},
	        accessorProperty<&ListNode::setTopItem, &ListNode::getTopItem>("TopItem"),
	        accessorProperty<&ListNode::setCircular, &ListNode::isCircular>("Circular"),
	        accessorProperty<&ListNode::setOrientation, &ListNode::getOrientation>("Orientation"),
	        accessorProperty<&ListNode::setSelectWhileListing, &ListNode::isSelectWhileListingOn>(
	            "IsSelectWhileListingOn"),
	        accessorProperty<&ListNode::setStrings, &ListNode::getStrings>("Strings"),
	    });
	return table;
}

void ListNode::writeProperties(CPropertyCollection& collection) const
{
	ControlNode::writeProperties(collection);
	if (SelectedItem != 0)
		collection.addInt("SelectedItem", SelectedItem);
	if (TopItem != 0)
		collection.addInt("TopItem", TopItem);
	if (!Circular)
		collection.addBool("Circular", false);
	if (Orientation != OrientationVertical)
		collection.addInt("Orientation", Orientation);
	if (IsSelectWhileListingOn)
		collection.addBool("IsSelectWhileListingOn", true);
	if (!items.empty())
		collection.add("Strings", StringsKind::make(getStrings()));
}

void ListNode::readProperties(const CPropertyCollection& collection)
{
	ControlNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "Circular", value))
		Circular = propertyAsBool(value.get());
	if (lookUpProperty(collection, "Orientation", value))
		setOrientation(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "IsSelectWhileListingOn", value))
		IsSelectWhileListingOn = propertyAsBool(value.get());
	// The items come first, so the window and the selection are applied against them.
	if (lookUpProperty(collection, "Strings", value))
		setStrings(StringsKind::read(value));
	if (lookUpProperty(collection, "TopItem", value))
		setTopItem(propertyAsInt(value.get()));
	if (lookUpProperty(collection, "SelectedItem", value))
		setSelectedItem(propertyAsInt(value.get()), true);
}

void ListNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ControlNode::copyFrom(source, manager);
	const ListNode* list = nodeCast<ListNode>(source);
	if (!list)
		return;
	SelectedItem = list->SelectedItem;
	TopItem = list->TopItem;
	Circular = list->Circular;
	Orientation = list->Orientation;
	IsSelectWhileListingOn = list->IsSelectWhileListingOn;
	items = list->items;
}

void ListNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	ControlNode::addToRenderList(list);
}

// ---- item model

void ListNode::setItemCount(unsigned count)
{
	if (count < items.size())
		items.erase(items.begin() + count, items.end());
	else if (count > items.size())
		items.resize(count);
	TopItem = clampTopItem(TopItem);
	if (getElementCount() >= static_cast<int>(items.size()))
		TopItem = 0;
	refreshElements();
	setSelectedItem(SelectedItem, false);
	updateSlider();
}

void ListNode::setItemText(unsigned row, unsigned column, const core::stringw& text)
{
	if (row >= items.size())
		return;
	core::array<core::stringw>& texts = items[row].texts;
	while (texts.size() <= column)
		texts.push_back(core::stringw());
	texts[column] = text;
}

void ListNode::setItemImage(unsigned row, unsigned index, AtlasTexture* frame)
{
	if (row >= items.size())
		return;
	std::vector<SmartPointer<AtlasTexture>>& frames = items[row].frames;
	if (frames.size() <= index)
		frames.resize(index + 1);
	// The new frame is held before the old one is let go: they may be the same.
	frames[index] = shareRef(frame);
}

void ListNode::setItemTemplate(unsigned row, StringId name)
{
	if (row < items.size())
		items[row].templateName = name;
}

void ListNode::setItemEnabled(unsigned row, bool enabled)
{
	if (row < items.size())
		items[row].enabled = enabled;
}

bool ListNode::isItemEnabled(unsigned row) const
{
	return row < items.size() && items[row].enabled;
}

void ListNode::setItemChecked(unsigned row, bool checked)
{
	if (row < items.size())
		items[row].checked = checked;
}

bool ListNode::isItemChecked(unsigned row) const
{
	return row < items.size() && items[row].checked;
}

void ListNode::setItemObject(unsigned row, ReferenceCounted* object)
{
	if (row < items.size())
		items[row].object = shareRef(object);
}

ReferenceCounted* ListNode::getItemObject(unsigned row) const
{
	return row < items.size() ? items[row].object.get() : nullptr;
}

const ListItem* ListNode::getItem(unsigned row) const
{
	return row < items.size() ? &items[row] : nullptr;
}

void ListNode::setStrings(const core::array<core::stringw>& strings)
{
	setItemCount(strings.size());
	for (u32 i = 0; i < strings.size(); ++i)
		setItemText(i, 0, strings[i]);
	refreshElements();
}

core::array<core::stringw> ListNode::getStrings() const
{
	core::array<core::stringw> strings;
	strings.reallocate(static_cast<u32>(items.size()));
	for (const ListItem& item : items)
		strings.push_back(item.texts.empty() ? core::stringw() : item.texts[0]);
	return strings;
}

// ---- index rules

int ListNode::wrapIndex(int index) const
{
	const int n = static_cast<int>(items.size());
	if (n <= 0)
		return 0;
	if (index >= 0 && index < n)
		return index;
	if (index >= n)
		return Circular ? index % n : n - 1;
	if (!Circular)
		return 0;
	const int remainder = index % n;
	return remainder < 0 ? remainder + n : remainder;
}

ListNode::PageMetrics ListNode::getPageMetrics() const
{
	PageMetrics metrics{rows, 1, 0};
	switch (Orientation)
	{
	case OrientationHorizontal:
		metrics = {columns, 1, 0};
		break;
	case OrientationGridByColumns:
		metrics = {columns, rows, 0};
		break;
	case OrientationGridByRows:
		metrics = {rows, columns, 0};
		break;
	default:
		break;
	}
	const int n = static_cast<int>(items.size());
	if (metrics.itemsPerLine > 0)
		metrics.lineCount = n / metrics.itemsPerLine + (n % metrics.itemsPerLine ? 1 : 0);
	return metrics;
}

int ListNode::clampTopItem(int index) const
{
	if (Circular)
		return wrapIndex(index);
	if (items.empty() || columns * rows <= 0 || index < 0)
		return 0;
	const PageMetrics metrics = getPageMetrics();
	const int maxTop = std::max(0, (metrics.lineCount - metrics.visibleLines) * metrics.itemsPerLine);
	return std::min(index, maxTop);
}

int ListNode::itemOfSlot(int slot) const
{
	const int n = static_cast<int>(items.size());
	const int e = getElementCount();
	if (slot < 0 || slot >= e || TopItem < 0)
		return -1;
	const int item = TopItem + slot;
	if (item < n)
		return item;
	// Past the last item the window wraps only when there are more items than elements.
	return Circular && n > e ? item % n : -1;
}

int ListNode::slotOfItem(int index) const
{
	const int n = static_cast<int>(items.size());
	const int e = getElementCount();
	if (n == 0)
		return -1;
	if (TopItem + e < n)
		return index - TopItem;
	if (index >= TopItem && index < n)
		return index - TopItem;
	// The window wraps past the end only where the refresh wraps it too; otherwise the
	// elements after the last item are hidden and show nothing.
	if (!Circular || n <= e)
		return -1;
	const int wrapped = (TopItem + e) % n;
	if (index >= 0 && index < wrapped)
		return e - wrapped + index;
	return -1;
}

// ---- elements

int ListNode::getElementCount() const
{
	return elementContainer ? static_cast<int>(elementContainer->getChildren().size()) : 0;
}

BaseNode* ListNode::getElement(int slot) const
{
	if (slot < 0 || slot >= getElementCount())
		return nullptr;
	return elementContainer->getChildren()[static_cast<u32>(slot)];
}

core::vector3df ListNode::getElementPosition(int slot) const
{
	const BaseNode* element = getElement(slot);
	return element ? element->getPosition() : core::vector3df(0.0f, 0.0f, 0.0f);
}

void ListNode::collectPartIndices()
{
	textPartIndices.clear();
	imagePartIndices.clear();
	if (!elementPrototype)
		return;
	const StringId textName = internStringId("Text");
	const StringId imageName = internStringId("Image");
	const core::array<BaseNode*>& parts = elementPrototype->getChildren();
	for (u32 i = 0; i < parts.size(); ++i)
	{
		if (parts[i]->getName() == textName && nodeCast<TextNode>(parts[i]))
			textPartIndices.push_back(static_cast<int>(i));
		else if (parts[i]->getName() == imageName && nodeCast<SpriteNode>(parts[i]))
			imagePartIndices.push_back(static_cast<int>(i));
	}
}

void ListNode::buildElements()
{
	if (elementPrototype)
	{
		const core::vector3df& prototype = elementPrototype->getBounds();
		columns = fitCount(Bounds.X, prototype.X);
		rows = fitCount(Bounds.Y, prototype.Y);
	}
	else
	{
		columns = fitCount(Bounds.X, 0.0f);
		rows = fitCount(Bounds.Y, 0.0f);
	}
	if (columns * rows > maxElementCount)
	{
		getLogger()->log("A list's elements are too small for its bounds; their count is capped", 1);
		columns = std::min(columns, maxElementCount);
		rows = std::max(1, std::min(rows, maxElementCount / columns));
	}
	if (!elementContainer)
		return;
	// The focus record must not outlive the element it names.
	if (focusedChild && elementContainer->isAncestorOf(focusedChild))
		focusedChild = nullptr;
	elementContainer->removeAllChildren();
	if (!elementPrototype)
		return;
	const int count = columns * rows;
	for (int i = 0; i < count; ++i)
	{
		BaseNode* element = elementPrototype->clone(elementContainer.get(), nullptr);
		if (!element)
			continue;
		core::stringc name("Element");
		name += i;
		element->setName(name.c_str());
	}
	placeElements();
}

void ListNode::placeElements()
{
	if (!elementPrototype)
		return;
	const core::vector3df& size = elementPrototype->getBounds();
	const int count = getElementCount();
	// Vertical lists and column grids fill columns first, the others rows first; a list wider
	// (or taller) than one element places its further elements in the next columns (rows).
	const bool columnsFirst = Orientation == OrientationVertical || Orientation == OrientationGridByColumns;
	for (int i = 0; i < count; ++i)
	{
		const int column = columnsFirst ? i / rows : i % columns;
		const int row = columnsFirst ? i % rows : i / columns;
		BaseNode* element = getElement(i);
		element->setPosition(core::vector3df(static_cast<f32>(column) * size.X, static_cast<f32>(row) * size.Y, 0.0f));
		element->setVisible(true);
	}
}

void ListNode::fillElement(BaseNode* element, const ListItem& item, bool selected)
{
	element->setVisible(true);
	ControlNode* control = nodeCast<ControlNode>(element);
	if (control)
		control->setTemplateName(item.templateName);
	const core::array<BaseNode*>& parts = element->getChildren();
	for (u32 j = 0; j < textPartIndices.size(); ++j)
	{
		const u32 index = static_cast<u32>(textPartIndices[j]);
		if (TextNode* text = index < parts.size() ? nodeCast<TextNode>(parts[index]) : nullptr)
			text->setText(j < item.texts.size() ? item.texts[j] : core::stringw());
	}
	for (u32 j = 0; j < imagePartIndices.size(); ++j)
	{
		const u32 index = static_cast<u32>(imagePartIndices[j]);
		if (SpriteNode* sprite = index < parts.size() ? nodeCast<SpriteNode>(parts[index]) : nullptr)
			sprite->setAtlasTexture(j < item.frames.size() ? item.frames[j].get() : nullptr);
	}
	if (control)
		control->setEnabled(item.enabled);
	if (selected)
		element->setChildrenState(nameIdFocus(), nullptr);
	if (CheckBoxNode* check = nodeCast<CheckBoxNode>(directChild(element, "CheckBox")))
		check->setChecked(item.checked);
}

void ListNode::refreshElements()
{
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	const int e = getElementCount();
	const int selectedSlot = slotOfItem(SelectedItem);
	for (int i = 0; i < e; ++i)
	{
		BaseNode* element = getElement(i);
		if (!element)
			continue;
		const int item = itemOfSlot(i);
		if (item < 0)
		{
			element->setVisible(false);
			continue;
		}
		SmartPointer<BaseNode> keepElement(shareRef(element));
		fillElement(element, items[static_cast<size_t>(item)], i == selectedSlot);
	}
	updateSlider();
}

void ListNode::updateSlider()
{
	if (!slider)
		return;
	const PageMetrics metrics = getPageMetrics();
	if (metrics.visibleLines == 0 || metrics.itemsPerLine == 0 || metrics.lineCount == 0)
		return;
	slider->setMinValue(0.0f);
	slider->setMaxValue(static_cast<f32>(metrics.lineCount));
	slider->setValue(static_cast<f32>(TopItem / metrics.itemsPerLine));
	slider->setPageSize(static_cast<f32>(metrics.visibleLines));
}

// ---- selection and scrolling

void ListNode::setTopItem(int index)
{
	TopItem = clampTopItem(index);
	if (getElementCount() >= static_cast<int>(items.size()))
		TopItem = 0;
	refreshElements();
	setSelectedItem(SelectedItem, false);
	updateSlider();
}

void ListNode::setSelectedItem(int index, bool scroll)
{
	const int before = SelectedItem;
	SelectedItem = wrapIndex(index);
	const int slot = slotOfItem(SelectedItem);
	if (slot >= 0 && slot < getElementCount())
	{
		ControlNode* element = nodeCast<ControlNode>(getElement(slot));
		if (isFocused() && element && !element->isFocused())
			element->setFocused(true);
	}
	else
	{
		if (ControlNode* focusedControl = nodeCast<ControlNode>(getFocusedChild()))
			focusedControl->setFocused(false);
		if (scroll)
			setTopItem(SelectedItem);
	}
	if (SelectedItem != before)
	{
		SmartPointer<CEventNodeListSelectionChanged> changed(new CEventNodeListSelectionChanged(this, SelectedItem));
		postListEvent(changed.get());
	}
}

void ListNode::setOrientation(int value)
{
	Orientation = value >= OrientationVertical && value <= OrientationGridByRows ? value : OrientationVertical;
	buildElements();
}

void ListNode::focusDefaultObject()
{
	setSelectedItem(SelectedItem, true);
}

void ListNode::postListEvent(CEvent* event)
{
	postEventToParent(DeliverSelfThenParent, event);
}

// ---- template

void ListNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ControlNode::applyTemplate();
	elementPrototype = nullptr;
	prevButton = nullptr;
	nextButton = nullptr;
	slider = nullptr;
	if (ControlNode* root = getTemplateRoot())
	{
		elementPrototype = shareRef(directChild(root, "Element"));
		prevButton = shareRef(directChild(root, "PrevButton"));
		nextButton = shareRef(directChild(root, "NextButton"));
		slider = shareRef(nodeCast<SliderNode>(directChild(root, "Slider")));
		if (elementPrototype)
			elementPrototype->setVisible(false);
	}
	collectPartIndices();
	buildElements();
	refreshElements();
}

// ---- events

bool ListNode::onKeyDown(CEventInputKeyDown* event)
{
	int step = 0;
	const int key = event->key;
	switch (Orientation)
	{
	case OrientationVertical:
		step = key == KeyUp ? -1 : key == KeyDown ? 1 : 0;
		break;
	case OrientationHorizontal:
		step = key == KeyLeft ? -1 : key == KeyRight ? 1 : 0;
		break;
	case OrientationGridByColumns:
		step = key == KeyLeft ? -rows : key == KeyRight ? rows : key == KeyUp ? -1 : key == KeyDown ? 1 : 0;
		break;
	case OrientationGridByRows:
		step = key == KeyLeft ? -1 : key == KeyRight ? 1 : key == KeyUp ? -columns : key == KeyDown ? columns : 0;
		break;
	default:
		break;
	}
	if (step != 0)
	{
		const int target = wrapIndex(SelectedItem + step);
		if (target != SelectedItem)
		{
			setSelectedItem(target, true);
			return true;
		}
	}
	return ControlNode::onKeyDown(event);
}

int ListNode::slotOfElement(const BaseNode* node) const
{
	const int count = getElementCount();
	for (int i = 0; i < count; ++i)
	{
		if (getElement(i) == node)
			return i;
	}
	return -1;
}

void ListNode::stepLines(int direction)
{
	const int step = Orientation == OrientationGridByColumns ? rows
	                 : Orientation == OrientationGridByRows  ? columns
	                                                         : 1;
	const int top = clampTopItem(TopItem + direction * step);
	setTopItem(top);
	if (IsSelectWhileListingOn)
		setSelectedItem(top, false);
}

bool ListNode::onMouseWheel(CEventInputMouseWheel* event)
{
	if (!isEnabled() || event->delta == 0.0f || !hitTestOwnSubtree(event))
		return false;
	// The wheel turned away from the user (a positive delta) shows earlier items.
	const int notches = std::max(1, static_cast<int>(std::fabs(event->delta) + 0.5f));
	for (int i = 0; i < notches; ++i)
		stepLines(event->delta > 0.0f ? -1 : 1);
	return true;
}

bool ListNode::isOwnElement(CEventNodeClickPreview* event)
{
	return event->control && slotOfElement(event->control) >= 0;
}

bool ListNode::onChildClicked(CEventNodeClicked* event)
{
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	const int before = SelectedItem;
	BaseNode* sender = event->control;
	bool handled = false;
	if (sender && prevButton && sender == prevButton.get())
	{
		stepLines(-1);
		handled = true;
	}
	else if (sender && nextButton && sender == nextButton.get())
	{
		stepLines(1);
		handled = true;
	}
	else if (sender)
	{
		int slot = slotOfElement(sender);
		if (slot >= 0)
		{
			const int item = itemOfSlot(slot);
			if (item >= 0)
			{
				SelectedItem = item;
				SmartPointer<CEventNodeListItemClicked> clicked(new CEventNodeListItemClicked(this, item));
				postListEvent(clicked.get());
			}
			handled = true;
		}
		else if (CheckBoxNode* check = nodeCast<CheckBoxNode>(sender))
		{
			slot = check->getName() == internStringId("CheckBox") ? slotOfElement(check->getParent()) : -1;
			if (slot >= 0)
			{
				const int item = itemOfSlot(slot);
				if (item >= 0)
				{
					items[static_cast<size_t>(item)].checked = check->isChecked();
					SmartPointer<CEventNodeListItemCheckChanged> changed(
					    new CEventNodeListItemCheckChanged(this, item, check->isChecked()));
					postListEvent(changed.get());
				}
				handled = true;
			}
		}
	}
	if (SelectedItem != before)
	{
		SmartPointer<CEventNodeValueChanged> changed(new CEventNodeValueChanged(this));
		postListEvent(changed.get());
	}
	return handled;
}

bool ListNode::onElementHovered(CEventNodeHovered* event)
{
	const int slot = slotOfElement(event->subject);
	if (slot < 0)
		return false;
	const int item = itemOfSlot(slot);
	if (item >= 0)
	{
		SmartPointer<CEventNodeListItemHovered> hovered(new CEventNodeListItemHovered(this, item));
		postListEvent(hovered.get());
	}
	return true;
}

bool ListNode::onSliderValueChanged(CEventNodeValueChanged* event)
{
	if (!slider || event->control != slider.get())
		return false;
	const PageMetrics metrics = getPageMetrics();
	const int top = lineOfSliderValue(slider->getValue(), metrics.lineCount) * metrics.itemsPerLine;
	setTopItem(top);
	if (IsSelectWhileListingOn)
		setSelectedItem(top, false);
	return true;
}

const EventMap& ListNode::eventMap()
{
	static const EventMap map = extendEventMap(
	    ControlNode::eventMap(),
	    {
	        {CEventNodeClickPreview::TypeId, &eventHandler<ListNode, CEventNodeClickPreview, &ListNode::isOwnElement>},
	        {CEventNodeClicked::TypeId, &eventHandler<ListNode, CEventNodeClicked, &ListNode::onChildClicked>},
	        {CEventNodeHovered::TypeId, &eventHandler<ListNode, CEventNodeHovered, &ListNode::onElementHovered>},
	        {CEventNodeValueChanged::TypeId,
	         &eventHandler<ListNode, CEventNodeValueChanged, &ListNode::onSliderValueChanged>},
	        {CEventInputMouseWheel::TypeId, &eventHandler<ListNode, CEventInputMouseWheel, &ListNode::onMouseWheel>},
	    });
	return map;
}

bool ListNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool ListNode::sendToChildren(int mode, CEvent* event)
{
	if (!event)
		return false;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	if (ControlNode::sendToChildren(mode, event))
		return true;
	if (offerTo(prevButton.get(), mode, event) || offerTo(nextButton.get(), mode, event))
		return true;
	if (!event->isKindOf(CEventInputKeyboard::TypeId) && offerTo(slider.get(), mode, event))
		return true;
	// Elements the container has just offered the event to are not offered it again.
	const bool passedByContainer = (isEnabled() || !event->isKindOf(CEventInput::TypeId)) && elementContainer &&
	                               elementContainer->getParent() == this && (elementContainer->mask & event->mask) &&
	                               (mode == DeliverSelfThenChildren || mode == DeliverChildrenThenSelf);
	if (passedByContainer)
		return false;
	// Taken first: a handler may rebuild the elements.
	std::vector<SmartPointer<BaseNode>> elements;
	for (int i = 0; i < getElementCount(); ++i)
		elements.push_back(shareRef(getElement(i)));
	for (const SmartPointer<BaseNode>& element : elements)
	{
		if (element->getParent() == elementContainer.get() && offerTo(element.get(), mode, event))
			return true;
	}
	return false;
}
