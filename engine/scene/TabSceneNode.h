#pragma once

#include "SceneNode.h"
#include "core/SmartPointer.h"

#include <vector>

class CEventNodeClicked;
class CEventNodeClickPreview;

// Scene with numbered tab pages ("Tab1", "Tab2", ...) and a button per page ("Tab1Button", ...):
// one page is active and visible, and switching pages plays "<from>To<to>" states on both pages.
class TabSceneNode : public SceneNode
{
	ENGINE_NODE_TYPE(TabSceneNode, NodeTypeTabSceneNode, SceneNode)
	ENGINE_NODE_CLONE(TabSceneNode)

public:
	explicit TabSceneNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                      INodeEventQueue* sceneManager = nullptr);
	~TabSceneNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	// Binds the pages and buttons by name.
	void onLoaded() override;

	// Switches to the page at index (0-based); ignored for a missing page and, unless forced,
	// for the active one. Forcing the active page replays "Default" on every page.
	void setActiveTab(int index, bool force);
	int getActiveTabIndex() const { return ActiveTabIndex; }
	int getTabsCount() const { return TabsCount; }
	void setTabsCount(int value) { TabsCount = value; }
	bool getHideTabButtonOnSelect() const { return HideTabButtonOnSelect; }
	void setHideTabButtonOnSelect(bool value) { HideTabButtonOnSelect = value; }

	BaseNode* getTab(int index) const;
	BaseNode* getTabButton(int index) const;
	int getBoundTabCount() const { return static_cast<int>(tabs.size()); }
	// The state the pages are playing for the running switch; empty when idle.
	StringId getTransitionState() const { return transitionState; }
	bool isSwitching() const { return pendingPages != 0; }

	// The name of the state played when leaving page from for page to (0-based): "1To3" for 0 and 2.
	static irr::core::stringc transitionStateName(int from, int to);
	static StringId nameIdDefault();

	// ---- events
	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	bool onSceneAttached(CEventNodeSceneAttached* event) override;
	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;
	virtual bool onTabButtonClicked(CEventNodeClicked* event);
	virtual bool onTabClickPreview(CEventNodeClickPreview* event);
	bool sendToChildren(int mode, CEvent* event) override;

	void addToRenderList(RenderList& list) override;

private:
	void bindPages();
	bool sendInputToPages(CEvent* event);
	// Counts one awaited page finish; the switch completes with the last one.
	void finishPage(BaseNode* page);
	// The page's children play the state; a page without participants finishes at once.
	void startPageState(BaseNode* page, StringId state);
	void setButtonVisible(int index, bool visible);
	int indexOfChild(const BaseNode* node) const;

	int TabsCount = 0;
	int ActiveTabIndex = -1;
	bool HideTabButtonOnSelect = false;

	std::vector<SmartPointer<BaseNode>> tabs;
	std::vector<SmartPointer<BaseNode>> tabButtons;
	StringId transitionState;
	int pendingPages = 0;
	int previousTab = -1;
	int lastPagePosition = -1;
	int lastButtonPosition = -1;
};
