#include "TabSceneNode.h"

#include "HeldChildren.h"
#include "NodeEvents.h"
#include "PropertyAccessors.h"
#include "PropertyValue.h"
#include "core/CPropertyCollection.h"
#include "core/ILogger.h"
#include "core/InputEvents.h"

#include <cstdio>

using namespace irr;

namespace
{
TabSceneNode* self(IPropertyOwner* owner)
{
	return static_cast<TabSceneNode*>(owner);
}
const TabSceneNode* self(const IPropertyOwner* owner)
{
	return static_cast<const TabSceneNode*>(owner);
}

StringId numberedName(const char* prefix, int number, const char* suffix)
{
	char name[64];
	std::snprintf(name, sizeof(name), "%s%d%s", prefix, number, suffix);
	return internStringId(name);
}

// Posts a new event and lets go of the creation reference.
template <class E> void postNew(BaseNode* poster, BaseNode* receiver, E* event)
{
	poster->postEvent(receiver, DeliverSelfThenParent, event);
	event->drop();
}

// Whether any node takes part when the page's children play a state.
bool hasStateParticipants(const BaseNode* page)
{
	if (!page->getChildren().empty())
		return true;
	const ControlNode* control = nodeCast<ControlNode>(page);
	return control && control->getTemplateRoot() && !control->getTemplateRoot()->getChildren().empty();
}
} // namespace

TabSceneNode::TabSceneNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : SceneNode(reference, parentNode, manager)
{
}

TabSceneNode::~TabSceneNode() = default;

StringId TabSceneNode::nameIdDefault()
{
	static const StringId id = internStringId("Default");
	return id;
}

core::stringc TabSceneNode::transitionStateName(int from, int to)
{
	char name[32];
	std::snprintf(name, sizeof(name), "%dTo%d", from + 1, to + 1);
	return core::stringc(name);
}

// ---- properties

const PropertyTable& TabSceneNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        accessorProperty<&TabSceneNode::setTabsCount, &TabSceneNode::getTabsCount>("TabsCount"),
	        {"ActiveTabIndex",
	         [](IPropertyOwner* o, const SmartPointer<IPropertyData>& v)
	         { self(o)->setActiveTab(propertyAsInt(v.get()), false); },
	         [](const IPropertyOwner* o) { return makeIntValue(self(o)->getActiveTabIndex()); }},
	        accessorProperty<&TabSceneNode::setHideTabButtonOnSelect, &TabSceneNode::getHideTabButtonOnSelect>(
	            "HideTabButtonOnSelect"),
	    });
	return table;
}

void TabSceneNode::writeProperties(CPropertyCollection& collection) const
{
	SceneNode::writeProperties(collection);
	if (TabsCount != 0)
		collection.addInt("TabsCount", TabsCount);
	if (ActiveTabIndex != -1)
		collection.addInt("ActiveTabIndex", ActiveTabIndex);
	if (HideTabButtonOnSelect)
		collection.addBool("HideTabButtonOnSelect", true);
}

void TabSceneNode::readProperties(const CPropertyCollection& collection)
{
	SceneNode::readProperties(collection);
	// Stored only: the pages are bound after the load, and the active one is selected on attach.
	if (collection.indexOf("TabsCount") >= 0)
		TabsCount = propertyAsInt(collection.get("TabsCount").get());
	if (collection.indexOf("ActiveTabIndex") >= 0)
		ActiveTabIndex = propertyAsInt(collection.get("ActiveTabIndex").get());
	if (collection.indexOf("HideTabButtonOnSelect") >= 0)
		HideTabButtonOnSelect = propertyAsBool(collection.get("HideTabButtonOnSelect").get());
}

void TabSceneNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	SceneNode::copyFrom(source, manager);
	if (const TabSceneNode* other = nodeCast<TabSceneNode>(source))
	{
		TabsCount = other->TabsCount;
		ActiveTabIndex = other->ActiveTabIndex;
		HideTabButtonOnSelect = other->HideTabButtonOnSelect;
	}
}

void TabSceneNode::onLoaded()
{
	SceneNode::onLoaded();
	bindPages();
}

// ---- pages

BaseNode* TabSceneNode::getTab(int index) const
{
	return index >= 0 && index < static_cast<int>(tabs.size()) ? tabs[index].get() : nullptr;
}

BaseNode* TabSceneNode::getTabButton(int index) const
{
	return index >= 0 && index < static_cast<int>(tabButtons.size()) ? tabButtons[index].get() : nullptr;
}

int TabSceneNode::indexOfChild(const BaseNode* node) const
{
	for (u32 i = 0; i < children.size(); ++i)
	{
		if (children[i] == node)
			return static_cast<int>(i);
	}
	return -1;
}

void TabSceneNode::bindPages()
{
	tabs.clear();
	tabButtons.clear();
	lastPagePosition = -1;
	lastButtonPosition = -1;
	// Every page is a child of its own: a count past the children names pages that cannot exist, and a
	// damaged file's count must not size the arrays.
	int count = TabsCount;
	if (count > static_cast<int>(getChildren().size()))
	{
		getLogger()->log("TabsCount is more than the node has children; the pages past them are missing",
		                 getStringById(getName()).c_str(), 1);
		count = static_cast<int>(getChildren().size());
	}
	for (int n = 1; n <= count; ++n)
	{
		tabs.push_back(shareRef(findChild(numberedName("Tab", n, ""), 1)));
		tabButtons.push_back(shareRef(findChild(numberedName("Tab", n, "Button"), 1)));
	}
	// Missing entries are skipped: the active page is drawn after the last page that exists.
	for (const SmartPointer<BaseNode>& page : tabs)
	{
		if (page)
			lastPagePosition = indexOfChild(page.get());
	}
	for (const SmartPointer<BaseNode>& button : tabButtons)
	{
		if (button)
			lastButtonPosition = indexOfChild(button.get());
	}
}

void TabSceneNode::setButtonVisible(int index, bool visible)
{
	if (BaseNode* button = getTabButton(index))
		button->setVisible(visible);
}

void TabSceneNode::startPageState(BaseNode* page, StringId state)
{
	if (hasStateParticipants(page))
	{
		page->setChildrenState(state, nullptr);
		return;
	}
	// Nothing would ever report the finish of an empty page.
	const bool awaited = page == getTab(ActiveTabIndex) || (previousTab >= 0 && page == getTab(previousTab));
	if (awaited && state == transitionState)
		finishPage(page);
}

void TabSceneNode::setActiveTab(int index, bool force)
{
	if (index < 0 || index >= static_cast<int>(tabs.size()) || !tabs[index])
		return;
	if (index == ActiveTabIndex && !force)
		return;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));

	if (BaseNode* leaving = getTab(previousTab))
		leaving->stopAllStates(false);
	if (BaseNode* current = getTab(ActiveTabIndex))
		current->stopAllStates(false);

	SmartPointer<BaseNode> oldPage(shareRef(getTab(ActiveTabIndex)));
	SmartPointer<BaseNode> newPage(tabs[index]);
	previousTab = ActiveTabIndex;
	ActiveTabIndex = index;
	if (previousTab == index || !oldPage)
	{
		previousTab = -1;
		oldPage = nullptr;
	}

	SmartPointer<CEventNodeTabChange> change(new CEventNodeTabChange(oldPage.get(), newPage.get()));
	if (oldPage)
		oldPage->onEvent(change.get());
	newPage->onEvent(change.get());
	if (oldPage)
		postNew(this, oldPage.get(), new CEventNodeTabChangeStarted(oldPage.get(), newPage.get()));
	postNew(this, newPage.get(), new CEventNodeTabChangeStarted(oldPage.get(), newPage.get()));

	newPage->setVisible(true);
	if (HideTabButtonOnSelect)
		setButtonVisible(index, false);

	if (oldPage)
	{
		pendingPages = 2;
		transitionState = internStringId(transitionStateName(previousTab, index));
		const StringId state = transitionState;
		startPageState(oldPage.get(), state);
		startPageState(newPage.get(), state);
		if (HideTabButtonOnSelect)
			setButtonVisible(previousTab, true);
		return;
	}

	pendingPages = 1;
	transitionState = nameIdDefault();
	for (u32 i = 0; i < tabs.size(); ++i)
	{
		if (tabs[i] && tabs[i] != newPage)
			tabs[i]->setVisible(false);
		if (HideTabButtonOnSelect)
			setButtonVisible(static_cast<int>(i), static_cast<int>(i) != index);
	}
	std::vector<SmartPointer<BaseNode>> pages(tabs);
	for (const SmartPointer<BaseNode>& page : pages)
	{
		if (page)
			startPageState(page.get(), nameIdDefault());
	}
}

void TabSceneNode::finishPage(BaseNode* page)
{
	if (pendingPages <= 0)
		return;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	BaseNode* left = getTab(previousTab);
	--pendingPages;
	if (page == left)
		page->setVisible(false);
	if (pendingPages > 0)
		return;
	BaseNode* active = getTab(ActiveTabIndex);
	if (left)
		postNew(this, left, new CEventNodeTabChangeFinished(left, active));
	if (active)
		postNew(this, active, new CEventNodeTabChangeFinished(left, active));
	transitionState = StringId();
}

// ---- events

const EventMap& TabSceneNode::eventMap()
{
	static const EventMap map =
	    extendEventMap(ControlNode::eventMap(),
	                   {
	                       {CEventNodeClickPreview::TypeId,
	                        &eventHandler<TabSceneNode, CEventNodeClickPreview, &TabSceneNode::onTabClickPreview>},
	                       {CEventNodeClicked::TypeId,
	                        &eventHandler<TabSceneNode, CEventNodeClicked, &TabSceneNode::onTabButtonClicked>},
	                   });
	return map;
}

bool TabSceneNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool TabSceneNode::onSceneAttached(CEventNodeSceneAttached* event)
{
	SceneNode::onSceneAttached(event);
	setActiveTab(ActiveTabIndex, true);
	return false;
}

bool TabSceneNode::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	BaseNode* page = event ? event->node : nullptr;
	if (page && page == this)
		return SceneNode::onChildrenStateFinished(event);
	const bool awaited = page && page->getParent() == this && pendingPages > 0 && event->stateName == transitionState &&
	                     (page == getTab(ActiveTabIndex) || (previousTab >= 0 && page == getTab(previousTab)));
	if (awaited)
	{
		finishPage(page);
		return true;
	}
	// The template root's parts and a pending click are a control's own business.
	return ControlNode::onChildrenStateFinished(event);
}

bool TabSceneNode::onTabButtonClicked(CEventNodeClicked* event)
{
	for (u32 i = 0; i < tabButtons.size(); ++i)
	{
		if (tabButtons[i] && tabButtons[i].get() == event->control)
		{
			setActiveTab(static_cast<int>(i), false);
			break;
		}
	}
	return false;
}

bool TabSceneNode::onTabClickPreview(CEventNodeClickPreview*)
{
	return false;
}

bool TabSceneNode::sendToChildren(int mode, CEvent* event)
{
	if (!event)
		return false;
	if (event->isKindOf(CEventInput::TypeId))
		return Enabled && sendInputToPages(event);
	const HeldChildren receivers(this);
	for (u32 i = 0; i < receivers.size(); ++i)
	{
		BaseNode* child = receivers[i];
		if (child->getParent() == this && (child->mask & event->mask) && child->deliverEvent(mode, event))
			return true;
	}
	return false;
}

bool TabSceneNode::sendInputToPages(CEvent* event)
{
	if (pendingPages != 0)
		return false;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	SmartPointer<BaseNode> page(shareRef(getTab(ActiveTabIndex)));
	SmartPointer<BaseNode> pageButton(shareRef(getTabButton(ActiveTabIndex)));
	bool handled = false;
	if (page)
		handled = page->deliverEvent(DeliverChildrenThenSelf, event);
	if (pageButton)
	{
		if (pageButton->deliverEvent(DeliverChildrenThenSelf, event))
			return true;
		handled = false;
	}
	else if (handled)
	{
		return true;
	}
	std::vector<SmartPointer<BaseNode>> buttons(tabButtons);
	for (const SmartPointer<BaseNode>& button : buttons)
	{
		if (!button || button == pageButton)
			continue;
		handled = button->deliverEvent(DeliverChildrenThenSelf, event);
		if (handled)
			return true;
	}
	return handled;
}

// ---- drawing

void TabSceneNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	if (transformDirty)
		updateAbsoluteTransform();
	if (colorDirty)
		updateAbsoluteColor();
	if (templateRoot)
		templateRoot->addToRenderList(list);
	BaseNode* page = getTab(ActiveTabIndex);
	BaseNode* button = getTabButton(ActiveTabIndex);
	bool pageAdded = false;
	bool buttonAdded = false;
	for (u32 i = 0; i < children.size(); ++i)
	{
		BaseNode* child = children[i];
		if (child != page && child != button)
			child->addToRenderList(list);
		if (page && static_cast<int>(i) == lastPagePosition)
		{
			page->addToRenderList(list);
			pageAdded = true;
		}
		if (button && static_cast<int>(i) == lastButtonPosition)
		{
			button->addToRenderList(list);
			buttonAdded = true;
		}
	}
	// Pages or buttons moved since binding are still drawn, last.
	if (page && !pageAdded && page->getParent() == this)
		page->addToRenderList(list);
	if (button && !buttonAdded && button->getParent() == this)
		button->addToRenderList(list);
}
