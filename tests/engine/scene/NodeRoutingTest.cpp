#include "SceneTestNodes.h"
#include "scene/NodeEvents.h"

#include <gtest/gtest.h>

namespace
{
using Visits = std::vector<std::string>;

// root { a { a1, a2 }, b, c { c1 } }
class NodeRouting : public ::testing::Test
{
protected:
	NodeRouting()
	{
		root = b.root("root");
		a = b.child(root, "a");
		a1 = b.child(a, "a1");
		a2 = b.child(a, "a2");
		bNode = b.child(root, "b");
		c = b.child(root, "c");
		c1 = b.child(c, "c1");
	}

	Visits deliver(RecordingNode* from, int mode, bool expected = false)
	{
		b.visits.clear();
		SmartPointer<CEvent> event(new CEventNodeValueChanged(nullptr));
		EXPECT_EQ(from->deliverEvent(mode, event.get()), expected);
		return b.visits;
	}

	NodeTreeBuilder b;
	RecordingNode *root, *a, *a1, *a2, *bNode, *c, *c1;
};
} // namespace

TEST_F(NodeRouting, EachModeVisitsInItsOrder)
{
	struct Case
	{
		RecordingNode* from;
		int mode;
		Visits expected;
	};
	const std::vector<Case> cases = {
	    {root, 0, {"root"}},
	    {root, 1, {"root", "c", "c1", "b", "a", "a2", "a1"}},
	    {root, 2, {"c1", "c", "b", "a2", "a1", "a", "root"}},
	    {a1, 3, {"a1", "a", "root"}},
	    {a1, 4, {"root", "a", "a1"}},
	    {root, 5, {}},
	    {root, -1, {}},
	};
	for (const auto& test : cases)
	{
		SCOPED_TRACE(test.mode);
		EXPECT_EQ(deliver(test.from, test.mode), test.expected);
	}
}

TEST_F(NodeRouting, FirstConsumerEndsTheWalk)
{
	bNode->consume = true;
	EXPECT_EQ(deliver(root, 1, true), (Visits{"root", "c", "c1", "b"}));
	EXPECT_EQ(deliver(root, 2, true), (Visits{"c1", "c", "b"}));
	bNode->consume = false;
	a->consume = true;
	EXPECT_EQ(deliver(a1, 3, true), (Visits{"a1", "a"}));
	EXPECT_EQ(deliver(a1, 4, true), (Visits{"root", "a"}));
}

TEST_F(NodeRouting, NodesWithoutTheCategoryStopTheWalk)
{
	a->mask &= ~unsigned(EventCategoryNode);
	c->mask &= ~unsigned(EventCategoryNode);
	EXPECT_EQ(deliver(a1, 3), (Visits{"a1"}));
	EXPECT_EQ(deliver(a1, 4), (Visits{"a1"}));
	EXPECT_EQ(deliver(root, 1), (Visits{"root", "b"}));
}

TEST_F(NodeRouting, ChildrenRemovedDuringTheWalkAreSkippedAndStayValid)
{
	// c removes itself and b; a is still offered the event, each node once.
	c->onVisit = [this](CEvent*)
	{
		root->removeChild(bNode);
		root->removeChild(c);
	};
	EXPECT_EQ(deliver(root, 1), (Visits{"root", "c", "c1", "a", "a2", "a1"}));
	EXPECT_EQ(root->getChildren().size(), 1u);
}

TEST_F(NodeRouting, RequestsTravelUpAndAnswersOneLevelDown)
{
	b.visits.clear();
	SmartPointer<CEvent> request(new CEventNodeHoverRequest(nullptr, a1));
	EXPECT_FALSE(a1->sendToParent(3, request.get()));
	EXPECT_EQ(b.visits, (Visits{"a", "root"}));

	b.visits.clear();
	SmartPointer<CEvent> answer(new CEventNodeUnhoverRequest(nullptr, a1));
	EXPECT_FALSE(root->sendToChildren(0, answer.get()));
	EXPECT_EQ(b.visits, (Visits{"c", "b", "a"}));
}
