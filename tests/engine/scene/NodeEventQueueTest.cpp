#include "SceneTestNodes.h"
#include "core/InputEvents.h"
#include "scene/NodeEvents.h"

#include <gtest/gtest.h>

namespace
{
using Delivered = std::vector<std::string>;

// A queue and a tree { root { left, right } } whose nodes post into it.
class NodeEventQueueTest : public ::testing::Test
{
protected:
	NodeEventQueueTest()
	{
		root = b.root("root", &queue);
		left = b.child(root, "left");
		right = b.child(root, "right");
		for (RecordingNode* n : {root, left, right})
			n->onVisit = [this, n](CEvent* e) { log(n, e); };
	}

	void log(RecordingNode* node, CEvent* event)
	{
		delivered.push_back(getStringById(node->getName()).c_str() + std::string(":") +
		                    std::to_string(eventCast<CEventNodeMessageBoxResult>(event)
		                                       ? eventCast<CEventNodeMessageBoxResult>(event)->result
		                                       : event->typeId()));
	}

	// Posts a numbered event to a node (mode 0).
	void post(BaseNode* from, BaseNode* to, int number)
	{
		SmartPointer<CEvent> event(new CEventNodeMessageBoxResult(number));
		from->postEvent(to, 0, event.get());
	}

	NodeEventQueue queue;
	NodeTreeBuilder b;
	RecordingNode *root, *left, *right;
	Delivered delivered;
};
} // namespace

TEST_F(NodeEventQueueTest, OutsideADrainOldestFirst)
{
	post(root, left, 1);
	post(root, right, 2);
	post(left, root, 3);
	EXPECT_TRUE(delivered.empty());
	EXPECT_EQ(queue.getCount(), 3);
	queue.drain();
	EXPECT_EQ(delivered, (Delivered{"left:1", "right:2", "root:3"}));
	EXPECT_EQ(queue.getCount(), 0);
}

TEST_F(NodeEventQueueTest, PostedDuringADrainComeNextLastPostedFirst)
{
	left->onVisit = [this](CEvent* e)
	{
		log(left, e);
		if (eventCast<CEventNodeMessageBoxResult>(e)->result == 1)
		{
			post(left, right, 10);
			post(left, right, 11);
		}
	};
	post(root, left, 1);
	post(root, root, 2);
	queue.drain();
	EXPECT_EQ(delivered, (Delivered{"left:1", "right:11", "right:10", "root:2"}));
}

TEST_F(NodeEventQueueTest, EventPostedWhileHandlingInputWaitsForTheNextDrain)
{
	left->mask |= EventCategoryMouse;
	left->onVisit = [this](CEvent* e)
	{
		log(left, e);
		if (e->typeId() == CEventInputMouseMove::TypeId)
		{
			SmartPointer<CEvent> hovered(new CEventNodeHovered(nullptr, left));
			left->postEvent(left, 3, hovered.get());
		}
	};
	SmartPointer<CEvent> move(new CEventInputMouseMove(5, 5));
	left->deliverEvent(0, move.get());
	EXPECT_EQ(delivered, (Delivered{"left:20"}));
	queue.drain();
	// Mode 3 bubbles from the control up to the root.
	EXPECT_EQ(delivered, (Delivered{"left:20", "left:48", "root:48"}));
}

TEST_F(NodeEventQueueTest, PostsThatCannotBeDeliveredAreDropped)
{
	SmartPointer<CEvent> event(new CEventNodeValueChanged(nullptr));
	NodeTreeBuilder loose;
	BaseNode* detached = loose.root("detached");
	detached->postEvent(detached, 0, event.get());
	root->postEvent(nullptr, 0, event.get());
	right->mask = EventCategoryMouse;
	root->postEvent(right, 0, event.get());
	detached->postEventToParent(0, event.get());
	EXPECT_EQ(queue.getCount(), 0);
	EXPECT_EQ(event->getReferenceCount(), 1);

	left->postEventToParent(0, event.get());
	EXPECT_EQ(event->getReferenceCount(), 2);
	queue.drain();
	EXPECT_EQ(delivered, (Delivered{"root:59"}));
	EXPECT_EQ(event->getReferenceCount(), 1);
}

TEST_F(NodeEventQueueTest, QueuedReceiverOutlivesItsOwnersUntilDelivery)
{
	auto* orphan = new RecordingNode(ContentRef(), nullptr, &queue);
	orphan->setName("orphan");
	orphan->onVisit = [this, orphan](CEvent* e) { log(orphan, e); };
	post(orphan, orphan, 7);
	orphan->drop();
	// Removing and releasing a tree node with an event waiting is safe too.
	post(root, right, 8);
	root->removeChild(right);
	queue.drain();
	EXPECT_EQ(delivered, (Delivered{"orphan:7", "right:8"}));
}

TEST_F(NodeEventQueueTest, ClearReleasesWithoutDelivering)
{
	auto* orphan = new RecordingNode(ContentRef(), nullptr, &queue);
	SmartPointer<CEvent> event(new CEventNodeValueChanged(nullptr));
	orphan->postEvent(orphan, 0, event.get());
	orphan->drop();
	queue.clear();
	EXPECT_TRUE(delivered.empty());
	EXPECT_EQ(event->getReferenceCount(), 1);
}

TEST(NodeEventQueueOwner, EntriesForTheOwnerDoNotHoldIt)
{
	SmartPointer<RecordingNode> owner(new RecordingNode(ContentRef(), nullptr, nullptr));
	NodeEventQueue queue(owner.get());
	SmartPointer<CEvent> event(new CEventNodeValueChanged(nullptr));
	queue.queueEvent(owner.get(), 0, event.get());
	EXPECT_EQ(owner->getReferenceCount(), 1);
	queue.clear();
}
