#pragma once

#include "ListItem.h"
#include "core/SmartPointer.h"
#include "scene/ControlNode.h"

#include <irrlicht/irrArray.h>
#include <vector>

class AtlasTexture;
class SliderNode;
class CEventNodeClickPreview;
class CEventNodeClicked;
class CEventNodeHovered;
class CEventNodeValueChanged;
class CEventInputMouseWheel;

// List and grid control: a model of items shown through a window of elements cloned from the
// template's "Element", scrolled by step buttons, a slider, the arrow keys or the selection;
// element clicks, hovers and check boxes come back as events naming the item.
class ListNode : public ControlNode
{
	ENGINE_NODE_TYPE(ListNode, NodeTypeListNode, ControlNode)
	ENGINE_NODE_CLONE(ListNode)

public:
	enum Orientation
	{
		OrientationVertical = 0,
		OrientationHorizontal = 1,
		OrientationGridByColumns = 2,
		OrientationGridByRows = 3,
	};

	// Most elements a list builds: a prototype tiny against the list's bounds would otherwise
	// ask for more clones than memory holds.
	static constexpr int maxElementCount = 1024;

	// Lines visible at once, items on one line, lines of the whole model.
	struct PageMetrics
	{
		int visibleLines;
		int itemsPerLine;
		int lineCount;
	};

	explicit ListNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                  INodeEventQueue* sceneManager = nullptr);
	~ListNode() override;

	// ---- properties
	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void addToRenderList(RenderList& list) override;

	// ---- item model (the caller ends a batch of changes with refreshElements)
	unsigned getItemCount() const { return static_cast<unsigned>(items.size()); }
	// Grows or shrinks the model, then refreshes.
	void setItemCount(unsigned count);
	void setItemText(unsigned row, unsigned column, const irr::core::stringw& text);
	void setItemImage(unsigned row, unsigned index, AtlasTexture* frame);
	void setItemTemplate(unsigned row, StringId name);
	void setItemEnabled(unsigned row, bool enabled);
	bool isItemEnabled(unsigned row) const;
	void setItemChecked(unsigned row, bool checked);
	bool isItemChecked(unsigned row) const;
	void setItemObject(unsigned row, ReferenceCounted* object);
	ReferenceCounted* getItemObject(unsigned row) const;
	// Null out of range.
	const ListItem* getItem(unsigned row) const;
	// One item per text (column 0), then refreshes.
	void setStrings(const irr::core::array<irr::core::stringw>& strings);
	irr::core::array<irr::core::stringw> getStrings() const;
	// Shows the window of items starting at TopItem in the elements.
	void refreshElements();

	// ---- selection and scrolling
	void setSelectedItem(int index, bool scroll);
	int getSelectedItem() const { return SelectedItem; }
	void setTopItem(int index);
	int getTopItem() const { return TopItem; }
	// 0 for a value outside 0..3; rebuilds the elements without filling them.
	void setOrientation(int value);
	int getOrientation() const { return Orientation; }
	void setCircular(bool value) { Circular = value; }
	bool isCircular() const { return Circular; }
	void setSelectWhileListing(bool value) { IsSelectWhileListingOn = value; }
	bool isSelectWhileListingOn() const { return IsSelectWhileListingOn; }
	// (0, 0, 0) for a slot out of range.
	irr::core::vector3df getElementPosition(int slot) const;

	// ---- index rules
	int wrapIndex(int index) const;
	int clampTopItem(int index) const;
	// The element slot showing the item, -1 (or a value outside the slots) when none does.
	int slotOfItem(int index) const;
	PageMetrics getPageMetrics() const;
	// The item the element in the slot shows, -1 when it shows none (hidden past the end).
	int itemOfSlot(int slot) const;

	// ---- elements and parts
	int getElementCount() const;
	BaseNode* getElement(int slot) const;
	BaseNode* getElementContainer() const { return elementContainer.get(); }
	int getColumns() const { return columns; }
	int getRows() const { return rows; }
	BaseNode* getElementPrototype() const { return elementPrototype.get(); }
	BaseNode* getPrevButtonPart() const { return prevButton.get(); }
	BaseNode* getNextButtonPart() const { return nextButton.get(); }
	SliderNode* getSliderPart() const { return slider.get(); }
	// Clones the prototype into columns x rows elements and places them.
	void buildElements();

	// ---- template and events
	void applyTemplate() override;
	void focusDefaultObject() override;
	bool onKeyDown(CEventInputKeyDown* event) override;
	virtual bool isOwnElement(CEventNodeClickPreview* event);
	virtual bool onChildClicked(CEventNodeClicked* event);
	virtual bool onElementHovered(CEventNodeHovered* event);
	virtual bool onSliderValueChanged(CEventNodeValueChanged* event);
	// A wheel notch over the list moves its window one line, as a step button does.
	bool onMouseWheel(CEventInputMouseWheel* event);

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	// After the own children: the step buttons, the slider and the elements, which live
	// under the template root or were already passed through the element container.
	bool sendToChildren(int mode, CEvent* event) override;

private:
	void collectPartIndices();
	void placeElements();
	void updateSlider();
	void fillElement(BaseNode* element, const ListItem& item, bool selected);
	// Slot of the element that is, or holds, the node; -1 when none.
	int slotOfElement(const BaseNode* node) const;
	// Moves the window back (-1) or forward (+1) by one line.
	void stepLines(int direction);
	void postListEvent(CEvent* event);

	std::vector<ListItem> items;
	int Orientation = OrientationVertical;
	bool Circular = true;
	int SelectedItem = 0;
	int TopItem = 0;
	bool IsSelectWhileListingOn = false;
	SmartPointer<BaseNode> elementContainer;
	int columns = 1;
	int rows = 1;
	SmartPointer<BaseNode> elementPrototype;
	irr::core::array<int> imagePartIndices;
	irr::core::array<int> textPartIndices;
	SmartPointer<BaseNode> prevButton;
	SmartPointer<BaseNode> nextButton;
	SmartPointer<SliderNode> slider;
};
