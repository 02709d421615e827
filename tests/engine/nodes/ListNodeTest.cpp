#include "nodes/ListNode.h"

#include "ListTestSupport.h"
#include "content/AtlasTexture.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataStringWArray.h"
#include "core/InputEvents.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/SliderNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <limits>

using namespace widgettest;

namespace
{
std::string listTemplates()
{
	const std::string element =
	    nodeXml("ControlNode", "Element", vectorProperty("Bounds", 100, 100),
	            nodeXml("TextNode", "Text") + nodeXml("SpriteNode", "Image") + nodeXml("CheckBoxNode", "CheckBox"));
	const std::string parts = element + nodeXml("ControlNode", "PrevButton") + nodeXml("ControlNode", "NextButton") +
	                          nodeXml("SliderNode", "Slider");
	const std::string counting = nodeXml("WidgetMoveCounter", "Element", vectorProperty("Bounds", 100, 100));
	const std::string tiny = nodeXml("ControlNode", "Element", vectorProperty("Bounds", 0.0001f, 0.0001f));
	return nodeXml("BaseNode", "List", "", parts) + nodeXml("BaseNode", "CountList", "", counting) +
	       nodeXml("BaseNode", "TinyList", "", tiny);
}

struct ListScene
{
	WidgetScene scene{listTemplates()};
	SmartPointer<ListNode> list{new ListNode()};

	ListScene(float width, float height, int orientation, bool circular, unsigned items, const char* look = "List")
	{
		list->setBounds({width, height, 0});
		list->setOrientation(orientation);
		list->setCircular(circular);
		scene.attach(list.get());
		list->setTemplateName(internStringId(look));
		numberItems(items);
	}
	// Item i shows the text "i".
	void numberItems(unsigned count)
	{
		list->setItemCount(count);
		for (unsigned i = 0; i < count; ++i)
			list->setItemText(i, 0, irr::core::stringw(i));
		list->refreshElements();
	}
	// The text slot shows, or "-" when its element is hidden.
	std::string shown(int slot) const
	{
		BaseNode* element = list->getElement(slot);
		if (!element || !element->isVisible())
			return "-";
		auto* text = nodeCast<TextNode>(element->getChildren()[0]);
		return text ? std::string(irr::core::stringc(text->getText()).c_str()) : "?";
	}
	std::string window() const
	{
		std::string out;
		for (int i = 0; i < list->getElementCount(); ++i)
			out += (i ? " " : "") + shown(i);
		return out;
	}
	bool key(int code)
	{
		CEventInputKeyDown down(0, code, false, false);
		return list->onEvent(&down);
	}
	std::vector<int> events()
	{
		scene.drain();
		return scene.log->ids();
	}
};
} // namespace

TEST(ListNodeTest, ElementsAreClonedFromThePrototypeAndEveryOneIsPlaced)
{
	struct Case
	{
		int orientation;
		float width, height;
		std::vector<std::pair<float, float>> positions;
	};
	const Case cases[] = {
	    {0, 100, 300, {{0, 0}, {0, 100}, {0, 200}}},
	    {1, 300, 100, {{0, 0}, {100, 0}, {200, 0}}},
	    {0, 200, 200, {{0, 0}, {0, 100}, {100, 0}, {100, 100}}},
	    {1, 200, 200, {{0, 0}, {100, 0}, {0, 100}, {100, 100}}},
	    {2, 300, 200, {{0, 0}, {0, 100}, {100, 0}, {100, 100}, {200, 0}, {200, 100}}},
	    {3, 300, 200, {{0, 0}, {100, 0}, {200, 0}, {0, 100}, {100, 100}, {200, 100}}},
	    {0, 50, 40, {{0, 0}}},
	};
	for (const Case& c : cases)
	{
		ListScene s(c.width, c.height, c.orientation, false, 10);
		ASSERT_EQ(s.list->getElementCount(), static_cast<int>(c.positions.size())) << c.orientation;
		EXPECT_FALSE(s.list->getElementPrototype()->isVisible());
		for (size_t i = 0; i < c.positions.size(); ++i)
		{
			const irr::core::vector3df at = s.list->getElementPosition(static_cast<int>(i));
			EXPECT_EQ(at, irr::core::vector3df(c.positions[i].first, c.positions[i].second, 0))
			    << c.orientation << " " << c.width << "x" << c.height << " slot " << i;
			EXPECT_TRUE(s.list->getElement(static_cast<int>(i))->isVisible());
			EXPECT_EQ(s.list->getElement(static_cast<int>(i))->getName(),
			          internStringId(("Element" + std::to_string(i)).c_str()));
		}
	}
}

// Elements tiny against the list's bounds would ask for billions of clones: their count is capped
// and the cap is logged.
TEST(ListNodeTest, ElementCountIsCappedForTinyElements)
{
	struct Case
	{
		const char* look;
		float width, height;
		int orientation;
		int elements;
		bool logged;
	};
	const float undefined = std::numeric_limits<float>::quiet_NaN();
	const Case cases[] = {
	    {"TinyList", 1000, 1000, 0, ListNode::maxElementCount, true},
	    {"TinyList", 1000, 1000, 3, ListNode::maxElementCount, true},
	    {"List", 1e30f, 100, 1, ListNode::maxElementCount, true},
	    {"List", 100, std::numeric_limits<float>::infinity(), 0, ListNode::maxElementCount, true},
	    {"List", undefined, undefined, 2, 1, false},
	    {"List", 100, 300, 0, 3, false},
	};
	for (const Case& c : cases)
	{
		LogCapture log;
		ListScene s(c.width, c.height, c.orientation, false, 10, c.look);
		EXPECT_EQ(s.list->getElementCount(), c.elements) << c.look << " " << c.width << "x" << c.height;
		EXPECT_EQ(log.contains("A list's elements are too small for its bounds; their count is capped", 1), c.logged)
		    << c.look << " " << c.width << "x" << c.height;
		// The elements that were built show the items as usual.
		if (std::string(c.look) == "List")
			EXPECT_EQ(s.window().substr(0, 3), c.elements > 1 ? "0 1" : "0");
	}
}

TEST(ListNodeTest, PartsAreBoundAndTheContainerIsTheOnlyChild)
{
	ListScene s(100, 300, 0, true, 0);
	EXPECT_NE(s.list->getPrevButtonPart(), nullptr);
	EXPECT_NE(s.list->getNextButtonPart(), nullptr);
	EXPECT_NE(s.list->getSliderPart(), nullptr);
	ASSERT_EQ(s.list->getChildren().size(), 1u);
	EXPECT_EQ(s.list->getChildren()[0], s.list->getElementContainer());
	EXPECT_TRUE(s.list->isFocusOnHover());
	EXPECT_EQ(s.list->getElementPosition(7), irr::core::vector3df(0, 0, 0));
}

TEST(ListNodeTest, IndicesWrapOnlyInCircularLists)
{
	struct Case
	{
		bool circular;
		unsigned n;
		int index, expected;
	};
	const Case cases[] = {
	    {true, 0, 3, 0},  {true, 5, 2, 2},  {true, 5, 7, 2},   {true, 5, -1, 4},  {true, 5, -5, 0},
	    {true, 5, -6, 4}, {false, 5, 7, 4}, {false, 5, -1, 0}, {false, 0, -1, 0},
	};
	for (const Case& c : cases)
	{
		ListNode list;
		list.setCircular(c.circular);
		list.setItemCount(c.n);
		EXPECT_EQ(list.wrapIndex(c.index), c.expected) << c.circular << " " << c.n << " " << c.index;
	}
}

TEST(ListNodeTest, TopItemIsClampedToTheLastFullPage)
{
	struct Case
	{
		int orientation;
		float width, height;
		bool circular;
		unsigned items;
		int request, top;
		const char* window;
	};
	const Case cases[] = {
	    {0, 100, 400, false, 10, 9, 6, "6 7 8 9"},    {0, 100, 400, false, 10, -3, 0, "0 1 2 3"},
	    {0, 100, 300, true, 2, 1, 0, "0 1 -"}, // wrapping needs more items than elements
	    {0, 100, 300, true, 5, 4, 4, "4 0 1"},        {0, 100, 300, true, 5, 7, 2, "2 3 4"},
	    {3, 300, 200, false, 7, 5, 3, "3 4 5 6 - -"}, {2, 200, 200, false, 7, 6, 4, "4 5 6 -"},
	};
	for (const Case& c : cases)
	{
		ListScene s(c.width, c.height, c.orientation, c.circular, c.items);
		s.list->setTopItem(c.request);
		EXPECT_EQ(s.list->getTopItem(), c.top) << c.orientation << " " << c.request;
		EXPECT_EQ(s.window(), c.window) << c.orientation << " " << c.request;
	}
}

TEST(ListNodeTest, SlotsFollowTheWindow)
{
	ListScene s(100, 300, 0, true, 5);
	s.list->setTopItem(4);
	const int expected[] = {1, 2, -1, -1, 0};
	for (int item = 0; item < 5; ++item)
		EXPECT_EQ(s.list->slotOfItem(item), expected[item]) << item;
	// Without wrapping the elements past the end show nothing, so no item sits there.
	ListScene grid(300, 200, 3, false, 7);
	grid.list->setTopItem(3);
	EXPECT_EQ(grid.list->slotOfItem(0), -1);
	EXPECT_EQ(grid.list->slotOfItem(6), 3);
}

TEST(ListNodeTest, ArrowKeysMoveTheSelectionAndScroll)
{
	ListScene s(100, 300, 0, true, 5);
	EXPECT_TRUE(s.key(38));
	EXPECT_EQ(s.list->getSelectedItem(), 4);
	EXPECT_EQ(s.list->getTopItem(), 4);
	EXPECT_EQ(s.window(), "4 0 1");
	s.scene.drain();
	ASSERT_EQ(s.scene.log->seen.size(), 1u);
	EXPECT_EQ(s.scene.log->seen[0].id, CEventNodeListSelectionChanged::TypeId);
	EXPECT_EQ(s.scene.log->seen[0].item, 4);
	s.list->setSelectedItem(-5, false);
	EXPECT_EQ(s.list->getSelectedItem(), 0);
	s.list->setSelectedItem(7, false);
	EXPECT_EQ(s.list->getSelectedItem(), 2);

	ListScene flat(100, 400, 0, false, 10);
	flat.list->setSelectedItem(9, true);
	EXPECT_EQ(flat.list->getTopItem(), 6);
	EXPECT_FALSE(flat.key(40));
	EXPECT_EQ(flat.list->getSelectedItem(), 9);
	// Left and right mean nothing to a vertical list.
	EXPECT_FALSE(flat.key(37));

	struct GridCase
	{
		int orientation, key, from, to;
	};
	const GridCase gridCases[] = {{3, 40, 1, 4}, {3, 39, 1, 2}, {2, 39, 1, 3}, {2, 40, 1, 2}, {1, 39, 1, 2}};
	for (const GridCase& c : gridCases)
	{
		ListScene grid(300, 200, c.orientation, false, 12);
		grid.list->setSelectedItem(c.from, false);
		EXPECT_TRUE(grid.key(c.key)) << c.orientation << " " << c.key;
		EXPECT_EQ(grid.list->getSelectedItem(), c.to) << c.orientation << " " << c.key;
	}
}

// Keys other than the arrows move nothing in any layout, the column grid included, and are left
// to the focus navigation, which does not take them either.
TEST(ListNodeTest, NonArrowKeysMoveNothing)
{
	for (int orientation : {0, 1, 2, 3})
	{
		for (int code : {13, 27, 32, 33, 34, 35, 36, 41})
		{
			ListScene s(300, 200, orientation, true, 12);
			s.list->setSelectedItem(4, true);
			const int top = s.list->getTopItem();
			const std::string window = s.window();
			s.scene.drain();
			s.scene.log->seen.clear();
			EXPECT_FALSE(s.key(code)) << orientation << " key " << code;
			EXPECT_EQ(s.list->getSelectedItem(), 4) << orientation << " key " << code;
			EXPECT_EQ(s.list->getTopItem(), top) << orientation << " key " << code;
			EXPECT_EQ(s.window(), window) << orientation << " key " << code;
			EXPECT_TRUE(s.events().empty()) << orientation << " key " << code;
		}
	}
}

TEST(ListNodeTest, GridPagesWithStepButtonsAndSlider)
{
	ListScene s(300, 200, 3, false, 7);
	CEventNodeClicked next(s.list->getNextButtonPart());
	EXPECT_TRUE(s.list->onEvent(&next));
	EXPECT_EQ(s.list->getTopItem(), 3);
	EXPECT_TRUE(s.list->onEvent(&next));
	EXPECT_EQ(s.list->getTopItem(), 3);
	EXPECT_EQ(s.window(), "3 4 5 6 - -");
	SliderNode* slider = s.list->getSliderPart();
	EXPECT_FLOAT_EQ(slider->getMinValue(), 0.0f);
	EXPECT_FLOAT_EQ(slider->getMaxValue(), 3.0f);
	EXPECT_FLOAT_EQ(slider->getPageSize(), 2.0f);
	EXPECT_FLOAT_EQ(slider->getValue(), 1.0f);
	CEventNodeClicked prev(s.list->getPrevButtonPart());
	s.list->onEvent(&prev);
	EXPECT_EQ(s.list->getTopItem(), 0);
	// Moving the slider scrolls by lines.
	slider->setValue(1);
	CEventNodeValueChanged moved(slider);
	EXPECT_TRUE(s.list->onEvent(&moved));
	EXPECT_EQ(s.list->getTopItem(), 3);
	CEventNodeValueChanged other(s.list.get());
	EXPECT_FALSE(s.list->onEvent(&other));
	// Step buttons change no selection here.
	EXPECT_TRUE(s.events().empty());
}

// The wheel over the list scrolls it a line a notch, towards the user forward; elsewhere it does nothing.
TEST(ListNodeTest, TheWheelOverTheListScrollsIt)
{
	ListScene s(100, 300, 0, false, 10);
	struct Case
	{
		int x, y;
		float delta;
		bool taken;
		int top;
	};
	const Case cases[] = {{50, 50, -1.0f, true, 1}, {50, 250, -2.0f, true, 3}, {50, 50, 1.0f, true, 2},
	                      {50, 50, 5.0f, true, 0},  {500, 50, -1.0f, false, 0}, {50, 50, 0.0f, false, 0}};
	for (const Case& c : cases)
	{
		s.list->refreshAbsolute();
		CEventInputMouseWheel wheel(c.x, c.y, c.delta);
		EXPECT_EQ(s.list->onEvent(&wheel), c.taken) << c.x << "," << c.y << " " << c.delta;
		EXPECT_EQ(s.list->getTopItem(), c.top) << c.x << "," << c.y << " " << c.delta;
	}
}

TEST(ListNodeTest, ElementClicksReportTheItem)
{
	ListScene s(100, 300, 0, true, 5);
	s.list->setTopItem(4);
	s.scene.drain();
	s.scene.log->seen.clear();
	CEventNodeClickPreview preview(s.list->getElement(2));
	EXPECT_TRUE(s.list->onEvent(&preview));
	CEventNodeClickPreview buttonPreview(s.list->getNextButtonPart());
	EXPECT_FALSE(s.list->onEvent(&buttonPreview));
	CEventNodeClicked click(s.list->getElement(2));
	EXPECT_TRUE(s.list->onEvent(&click));
	EXPECT_EQ(s.list->getSelectedItem(), 1);
	EXPECT_EQ(s.events(), (std::vector<int>{61, 59}));
	EXPECT_EQ(s.scene.log->seen[0].item, 1);
	EXPECT_EQ(s.scene.log->seen[1].node, s.list.get());
	// The same element again: no change, no value event.
	s.list->onEvent(&click);
	EXPECT_EQ(s.events(), (std::vector<int>{61, 59, 61}));
	CEventNodeClicked stranger(s.list.get());
	EXPECT_FALSE(s.list->onEvent(&stranger));
}

TEST(ListNodeTest, NextButtonSelectsWhileListing)
{
	ListScene s(100, 300, 0, false, 10);
	s.list->setSelectWhileListing(true);
	CEventNodeClicked next(s.list->getNextButtonPart());
	s.list->onEvent(&next);
	EXPECT_EQ(s.list->getTopItem(), 1);
	EXPECT_EQ(s.list->getSelectedItem(), 1);
	EXPECT_EQ(s.events(), (std::vector<int>{60, 59}));
}

TEST(ListNodeTest, CheckBoxesStoreTheirStateInTheItem)
{
	ListScene s(100, 300, 0, false, 10);
	s.list->setTopItem(6);
	auto* check = nodeCast<CheckBoxNode>(s.list->getElement(1)->getChildren()[2]);
	ASSERT_NE(check, nullptr);
	EXPECT_FALSE(check->isChecked());
	check->setChecked(true);
	CEventNodeClicked clicked(check);
	EXPECT_TRUE(s.list->onEvent(&clicked));
	EXPECT_TRUE(s.list->isItemChecked(7));
	s.scene.drain();
	ASSERT_EQ(s.scene.log->seen.size(), 1u);
	EXPECT_EQ(s.scene.log->seen[0].id, 62);
	EXPECT_EQ(s.scene.log->seen[0].item, 7);
	EXPECT_TRUE(s.scene.log->seen[0].checked);
	// The next refresh shows the stored states wherever the items go.
	s.list->setTopItem(5);
	auto* moved = nodeCast<CheckBoxNode>(s.list->getElement(2)->getChildren()[2]);
	EXPECT_TRUE(moved->isChecked());
	EXPECT_FALSE(check->isChecked());
}

// The first visible element's check box belongs to the item at the top of the window, also where
// a circular window wraps; the refresh after scrolling shows the stored state in that element.
TEST(ListNodeTest, CheckBoxOfTheFirstVisibleElement)
{
	struct Case
	{
		bool circular;
		int top, slot, item;
	};
	const Case cases[] = {{false, 3, 0, 3}, {true, 4, 0, 4}, {true, 4, 1, 0}, {false, 0, 0, 0}};
	for (const Case& c : cases)
	{
		ListScene s(100, 300, 0, c.circular, c.circular ? 5 : 10);
		s.list->setTopItem(c.top);
		ASSERT_EQ(s.list->getTopItem(), c.top);
		s.scene.drain();
		s.scene.log->seen.clear();
		auto* check = nodeCast<CheckBoxNode>(s.list->getElement(c.slot)->getChildren()[2]);
		ASSERT_NE(check, nullptr);
		check->setChecked(true);
		CEventNodeClicked clicked(check);
		EXPECT_TRUE(s.list->onEvent(&clicked));
		for (unsigned i = 0; i < s.list->getItemCount(); ++i)
			EXPECT_EQ(s.list->isItemChecked(i), static_cast<int>(i) == c.item)
			    << c.top << " slot " << c.slot << " item " << i;
		s.scene.drain();
		ASSERT_EQ(s.scene.log->seen.size(), 1u);
		EXPECT_EQ(s.scene.log->seen[0].id, 62);
		EXPECT_EQ(s.scene.log->seen[0].item, c.item);

		// Scrolled so that the item is shown by the first element: its box shows the state.
		s.list->setTopItem(c.item);
		ASSERT_EQ(s.list->getTopItem(), c.item);
		EXPECT_TRUE(nodeCast<CheckBoxNode>(s.list->getElement(0)->getChildren()[2])->isChecked());
		EXPECT_FALSE(nodeCast<CheckBoxNode>(s.list->getElement(1)->getChildren()[2])->isChecked());
	}
}

TEST(ListNodeTest, HoveredElementsReportTheirItemAndStopThere)
{
	ListScene s(100, 300, 0, false, 2);
	CEventNodeHovered hovered(nullptr, s.list->getElement(1));
	EXPECT_TRUE(s.list->onEvent(&hovered));
	CEventNodeHovered empty(nullptr, s.list->getElement(2));
	EXPECT_TRUE(s.list->onEvent(&empty));
	CEventNodeHovered other(nullptr, s.list.get());
	EXPECT_FALSE(s.list->onEvent(&other));
	s.scene.drain();
	ASSERT_EQ(s.scene.log->seen.size(), 1u);
	EXPECT_EQ(s.scene.log->seen[0].id, 63);
	EXPECT_EQ(s.scene.log->seen[0].item, 1);
}

TEST(ListNodeTest, EveryElementSeesAnEventOnceEnabledOrNot)
{
	for (bool enabled : {true, false})
	{
		for (int mode : {DeliverSelfThenChildren, DeliverChildrenThenSelf})
		{
			ListScene s(100, 300, 0, false, 3, "CountList");
			s.list->setEnabled(enabled);
			CEventInputMouseMove move(500, 500);
			s.list->deliverEvent(mode, &move);
			for (int i = 0; i < s.list->getElementCount(); ++i)
			{
				auto* counter = nodeCast<MoveCounter>(s.list->getElement(i));
				ASSERT_NE(counter, nullptr);
				EXPECT_EQ(counter->moves, 1) << enabled << " " << mode << " slot " << i;
			}
		}
	}
}

TEST(ListNodeTest, ChangesShowOnlyAfterARefresh)
{
	ListScene s(100, 300, 0, false, 3);
	s.list->setItemText(0, 0, L"changed");
	s.list->setItemText(9, 0, L"ignored");
	EXPECT_EQ(s.shown(0), "0");
	s.list->setItemEnabled(1, false);
	EXPECT_TRUE(nodeCast<ControlNode>(s.list->getElement(1))->isEnabled());
	s.list->refreshElements();
	EXPECT_EQ(s.shown(0), "changed");
	EXPECT_FALSE(nodeCast<ControlNode>(s.list->getElement(1))->isEnabled());
	EXPECT_FALSE(s.list->isItemEnabled(1));
	EXPECT_FALSE(s.list->isItemEnabled(9));
	// A second text column lands in no part here but is kept.
	s.list->setItemText(2, 3, L"d");
	EXPECT_EQ(s.list->getItem(2)->texts.size(), 4u);
}

TEST(ListNodeTest, ItemsHoldTheirObjectsAndFramesSafely)
{
	SmartPointer<BaseNode> object(new BaseNode());
	SmartPointer<AtlasTexture> frame(new AtlasTexture(ContentRef(), nullptr, {0, 0, 1, 1}, {0, 0}, {0, 0}));
	{
		ListNode list;
		list.setItemCount(2);
		list.setItemObject(0, object.get());
		list.setItemObject(0, object.get());
		EXPECT_EQ(object->getReferenceCount(), 2);
		list.setItemImage(1, 2, frame.get());
		list.setItemImage(1, 2, frame.get());
		EXPECT_EQ(frame->getReferenceCount(), 2);
		EXPECT_EQ(list.getItem(1)->frames.size(), 3u);
		EXPECT_EQ(list.getItemObject(0), object.get());
		EXPECT_EQ(list.getItemObject(5), nullptr);
		{
			SmartPointer<BaseNode> copy(list.clone());
			EXPECT_EQ(object->getReferenceCount(), 3);
			EXPECT_EQ(frame->getReferenceCount(), 3);
			// The copy has its own container only.
			EXPECT_EQ(copy->getChildren().size(), 1u);
		}
		list.setItemCount(1);
		EXPECT_EQ(frame->getReferenceCount(), 1);
		list.setItemObject(0, nullptr);
		EXPECT_EQ(object->getReferenceCount(), 1);
		list.setItemObject(0, object.get());
	}
	EXPECT_EQ(object->getReferenceCount(), 1);
}

TEST(ListNodeTest, SelectionAndStringsSurviveSaveAndReload)
{
	ListNode list;
	irr::core::array<irr::core::stringw> strings;
	for (const wchar_t* text : {L"a", L"b", L"c", L"d", L"e"})
		strings.push_back(text);
	list.setStrings(strings);
	list.setSelectedItem(3, true);
	list.setCircular(false);
	CPropertyCollection written;
	list.writeProperties(written);
	EXPECT_EQ(written.getInt("SelectedItem"), 3);
	EXPECT_FALSE(written.getBool("Circular"));
	EXPECT_LT(written.indexOf("Orientation"), 0);

	ListNode copy;
	copy.readProperties(written);
	EXPECT_EQ(copy.getSelectedItem(), 3);
	EXPECT_FALSE(copy.isCircular());
	ASSERT_EQ(copy.getStrings().size(), 5u);
	EXPECT_EQ(copy.getStrings()[4], irr::core::stringw(L"e"));

	CPropertyCollection empty;
	ListNode().writeProperties(empty);
	EXPECT_LT(empty.indexOf("Strings"), 0);
	EXPECT_LT(empty.indexOf("Circular"), 0);
	EXPECT_TRUE(copy.setPropertyByName("Strings", SmartPointer<IPropertyData>(new CPropertyDataStringWArray())));
	EXPECT_EQ(copy.getItemCount(), 0u);
}

TEST(ListNodeTest, OrientationPropertyRebuildsTheElements)
{
	ListScene s(300, 200, 0, false, 6);
	s.list->setSelectedItem(0, false);
	EXPECT_EQ(s.window(), "0 1 2 3 4 5");
	s.list->setOrientation(3);
	EXPECT_EQ(s.list->getOrientation(), 3);
	// Rebuilt from the prototype, not filled yet.
	EXPECT_EQ(s.window(), std::string(5, ' '));
	EXPECT_EQ(s.list->getElementPosition(1), irr::core::vector3df(100, 0, 0));
	s.list->refreshElements();
	EXPECT_EQ(s.window(), "0 1 2 3 4 5");
	s.list->setOrientation(9);
	EXPECT_EQ(s.list->getOrientation(), 0);
}
