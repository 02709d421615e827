#pragma once

#include "BaseNode.h"

#include <vector>

// The children a node has now, each held until the walk ends, so handlers may change the child list
// while it runs; a few children fit without an allocation (the event walks visit every node each update).
class HeldChildren
{
public:
	explicit HeldChildren(const BaseNode* node) : count(node->getChildren().size())
	{
		if (count > InlineCount)
		{
			heap.resize(count);
			nodes = heap.data();
		}
		BaseNode* const* source = node->getChildren().const_pointer();
		for (irr::u32 i = 0; i < count; ++i)
		{
			nodes[i] = source[i];
			nodes[i]->grab();
		}
	}
	~HeldChildren()
	{
		for (irr::u32 i = 0; i < count; ++i)
			nodes[i]->drop();
	}
	HeldChildren(const HeldChildren&) = delete;
	HeldChildren& operator=(const HeldChildren&) = delete;

	irr::u32 size() const { return count; }
	BaseNode* operator[](irr::u32 i) const { return nodes[i]; }

private:
	static constexpr irr::u32 InlineCount = 16;
	irr::u32 count;
	BaseNode* local[InlineCount];
	std::vector<BaseNode*> heap;
	BaseNode** nodes = local;
};
