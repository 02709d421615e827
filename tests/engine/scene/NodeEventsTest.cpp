#include "scene/NodeEvents.h"

#include "SceneTestNodes.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace
{
std::set<int> kindsOf(const CEvent& event)
{
	std::set<int> kinds;
	for (int id = 0; id < 100; ++id)
		if (event.isKindOf(id))
			kinds.insert(id);
	return kinds;
}

struct EventCase
{
	CEvent* event;
	int id;
	std::set<int> kinds;
};
} // namespace

TEST(NodeEvents, IdsKindsMaskAndTypeName)
{
	std::vector<EventCase> cases = {
	    {new CEventNodeSceneAttached(nullptr), 33, {0, 7, 33}},
	    {new CEventNodeTemplatesChanged(nullptr), 34, {0, 7, 34}},
	    {new CEventNodeSceneChange(nullptr, nullptr, 1), 36, {0, 7, 36}},
	    {new CEventNodeSceneChangeFinished(nullptr, nullptr, 1), 37, {0, 7, 36, 37}},
	    {new CEventNodeSceneChangeStarted(nullptr, nullptr, 1), 38, {0, 7, 36, 38}},
	    {new CEventNodeMessageBoxResult(2), 39, {0, 7, 39}},
	    {new CEventNodeTabChange(nullptr, nullptr), 40, {0, 7, 40}},
	    {new CEventNodeTabChangeFinished(nullptr, nullptr), 41, {0, 7, 40, 41}},
	    {new CEventNodeTabChangeStarted(nullptr, nullptr), 42, {0, 7, 40, 42}},
	    {new CEventNodePressRequest(nullptr, nullptr), 43, {0, 7, 43}},
	    {new CEventNodePressed(nullptr, nullptr), 44, {0, 7, 43, 44}},
	    {new CEventNodeReleaseRequest(nullptr, nullptr), 45, {0, 7, 45}},
	    {new CEventNodeReleased(nullptr, nullptr), 46, {0, 7, 45, 46}},
	    {new CEventNodeHoverRequest(nullptr, nullptr), 47, {0, 7, 47}},
	    {new CEventNodeHovered(nullptr, nullptr), 48, {0, 7, 47, 48}},
	    {new CEventNodeUnhoverRequest(nullptr, nullptr), 49, {0, 7, 49}},
	    {new CEventNodeUnhovered(nullptr, nullptr), 50, {0, 7, 49, 50}},
	    {new CEventNodeFocusRequest(nullptr, nullptr), 51, {0, 7, 51}},
	    {new CEventNodeFocused(nullptr, nullptr), 52, {0, 7, 51, 52}},
	    {new CEventNodeUnfocusRequest(nullptr, nullptr), 53, {0, 7, 53}},
	    {new CEventNodeUnfocused(nullptr, nullptr), 54, {0, 7, 53, 54}},
	    {new CEventNodeClickPreviewRequest(nullptr), 55, {0, 7, 55}},
	    {new CEventNodeClickPreview(nullptr), 56, {0, 7, 55, 56}},
	    {new CEventNodeClickRequest(nullptr), 57, {0, 7, 57}},
	    {new CEventNodeClicked(nullptr), 58, {0, 7, 57, 58}},
	    {new CEventNodeValueChanged(nullptr), 59, {0, 7, 59}},
	    {new CEventNodeListSelectionChanged(nullptr, 1), 60, {0, 7, 60}},
	    {new CEventNodeListItemClicked(nullptr, 1), 61, {0, 7, 61}},
	    {new CEventNodeListItemCheckChanged(nullptr, 1, true), 62, {0, 7, 62}},
	    {new CEventNodeListItemHovered(nullptr, 1), 63, {0, 7, 63}},
	    {new CEventNodeActionFinished(nullptr, 20, false), 65, {0, 7, 65}},
	    {new CEventNodeAnimatorStarted(nullptr, StringId()), 66, {0, 7, 66}},
	    {new CEventNodeAnimatorEnded(nullptr, StringId(), true), 67, {0, 7, 67}},
	    {new CEventNodeStateStarted(nullptr, StringId()), 68, {0, 7, 68}},
	    {new CEventNodeStateFinished(nullptr, StringId()), 70, {0, 7, 70}},
	    {new CEventNodeChildrenStateStarted(nullptr, StringId()), 72, {0, 7, 72}},
	    {new CEventNodeChildrenStateFinished(nullptr, StringId()), 74, {0, 7, 74}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.id);
		EXPECT_EQ(c.event->typeId(), c.id);
		EXPECT_EQ(kindsOf(*c.event), c.kinds);
		EXPECT_EQ(c.event->mask, 0x20u);
		EXPECT_TRUE(c.event->typeName() == L"#thisClassName");
		c.event->drop();
	}
}

TEST(NodeEvents, PayloadKeepsConstructorOrder)
{
	NodeTreeBuilder b;
	BaseNode* a = b.root("a");
	BaseNode* c = b.root("c");
	SmartPointer<CEventNodeReleased> released(new CEventNodeReleased(a, nullptr));
	EXPECT_EQ(released->sender, a);
	EXPECT_EQ(released->subject, nullptr);
	SmartPointer<CEventNodeListItemCheckChanged> check(new CEventNodeListItemCheckChanged(c, 4, true));
	EXPECT_EQ(check->list, c);
	EXPECT_EQ(check->item, 4);
	EXPECT_TRUE(check->checked);
	SmartPointer<CEventNodeAnimatorEnded> end(new CEventNodeAnimatorEnded(nullptr, internStringId("Press"), true));
	EXPECT_EQ(getStringById(end->stateName), "Press");
	EXPECT_TRUE(end->aborted);
}

namespace
{
// Counts the calls of the engine handler slots.
class SlotNode : public BaseNode
{
public:
	bool onStateFinished(CEventNodeStateFinished*) override
	{
		++stateFinished;
		return true;
	}
	bool onSceneAttached(CEventNodeSceneAttached*) override
	{
		++sceneAttached;
		return false;
	}
	bool onReservedEvent35(CEventNode*) override { return ++reserved35 > 0; }
	int stateFinished = 0;
	int sceneAttached = 0;
	int reserved35 = 0;
};

// A node event without a class of its own, standing in for id 35.
class CEventNodeReserved35 : public CEventNode
{
	ENGINE_EVENT_TYPE(35, CEventNode)
};
} // namespace

TEST(NodeEvents, BaseMapMatchesExactIdsOnly)
{
	SmartPointer<SlotNode> node(new SlotNode);
	SmartPointer<CEvent> finished(new CEventNodeStateFinished(nullptr, StringId()));
	SmartPointer<CEvent> started(new CEventNodeStateStarted(nullptr, StringId()));
	SmartPointer<CEvent> attached(new CEventNodeSceneAttached(nullptr));
	SmartPointer<CEvent> reserved(new CEventNodeReserved35);
	EXPECT_EQ(reserved->typeId(), CEventNodeReserved35::TypeId);

	EXPECT_TRUE(node->onEvent(finished.get()));
	EXPECT_FALSE(node->onEvent(started.get()));
	EXPECT_FALSE(node->onEvent(attached.get()));
	EXPECT_TRUE(node->onEvent(reserved.get()));
	EXPECT_EQ(node->stateFinished, 1);
	EXPECT_EQ(node->sceneAttached, 1);
	EXPECT_EQ(node->reserved35, 1);

	const EventMap& map = BaseNode::eventMap();
	std::set<int> ids;
	for (const auto& entry : map)
		ids.insert(entry.first);
	EXPECT_EQ(ids, (std::set<int>{33, 34, 35, 64, 65, 66, 67, 70, 74}));
}

TEST(NodeEvents, ListenersSurroundTheClassMap)
{
	NodeTreeBuilder b;
	RecordingNode* pre = b.root("pre");
	RecordingNode* post = b.root("post");
	SmartPointer<SlotNode> node(new SlotNode);
	node->preListeners.push_back(pre);
	node->postListeners.push_back(post);
	SmartPointer<CEvent> finished(new CEventNodeStateFinished(nullptr, StringId()));
	SmartPointer<CEvent> started(new CEventNodeStateStarted(nullptr, StringId()));

	EXPECT_TRUE(node->onEvent(finished.get()));
	EXPECT_EQ(b.visits, (std::vector<std::string>{"pre"}));
	EXPECT_FALSE(node->onEvent(started.get()));
	EXPECT_EQ(b.visits, (std::vector<std::string>{"pre", "pre", "post"}));

	pre->consume = true;
	EXPECT_TRUE(node->onEvent(finished.get()));
	EXPECT_EQ(node->stateFinished, 1);
}
