#include "core/InputEvents.h"
#include "scene/BaseNode.h"

#include <benchmark/benchmark.h>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
// A sprite-like leaf: adds its own render entry, takes hits and looks at mouse moves.
class BenchLeaf : public BaseNode
{
	ENGINE_NODE_TYPE(BenchLeaf, 1000, BaseNode)
	ENGINE_NODE_CLONE(BenchLeaf)
public:
	BenchLeaf(const ContentRef& r, BaseNode* p, INodeEventQueue* m) : BaseNode(r, p, m) { mask |= EventCategoryMouse; }

	void addToRenderList(RenderList& list) override
	{
		if (!Visible)
			return;
		if (transformDirty)
			updateAbsoluteTransform();
		if (colorDirty)
			updateAbsoluteColor();
		list.push_back(RenderEntry{this, absoluteTransformation[14], 1});
	}
	bool hitTestPoint(const vector2df& point) const override { return isPointInside(point); }
	bool onEvent(CEvent* event) override
	{
		if (auto* move = eventCast<CEventInputMouseMove>(event))
			hovered = isPointInside(vector2df(float(move->x), float(move->y)));
		return false;
	}
	bool hovered = false;
};

// 1 root, 50 panels, 9 groups per panel, 10 leaves per group: 5 001 nodes.
BaseNode* buildTree()
{
	auto* root = new BaseNode;
	root->mask |= EventCategoryMouse;
	for (int p = 0; p < 50; ++p)
	{
		auto* panel = new BaseNode(ContentRef(), root, nullptr);
		panel->mask |= EventCategoryMouse;
		panel->setPosition(vector3df(float(p % 10) * 100.0f, float(p / 10) * 100.0f, 1.0f));
		panel->setRotation(vector3df(0, 0, float(p % 3) * 5.0f));
		panel->drop();
		for (int g = 0; g < 9; ++g)
		{
			auto* group = new BaseNode(ContentRef(), panel, nullptr);
			group->mask |= EventCategoryMouse;
			group->setPosition(vector3df(float(g % 3) * 30.0f, float(g / 3) * 30.0f, 0.5f));
			group->setTintColor(irr::video::SColor(0xF0FFFFFF));
			group->drop();
			for (int l = 0; l < 10; ++l)
			{
				auto* leaf = new BenchLeaf(ContentRef(), group, nullptr);
				leaf->setPosition(vector3df(float(l % 5) * 5.0f, float(l / 5) * 10.0f, 0.1f * float(l)));
				leaf->setBounds(vector3df(5.0f, 10.0f, 0.0f));
				leaf->drop();
			}
		}
	}
	return root;
}

void BM_NodeTreeClone(benchmark::State& state)
{
	SmartPointer<BaseNode> tree(buildTree());
	for (auto _ : state)
	{
		SmartPointer<BaseNode> copy(tree->clone());
		benchmark::DoNotOptimize(copy.get());
	}
	state.SetItemsProcessed(state.iterations() * 5001);
}
BENCHMARK(BM_NodeTreeClone)->Unit(benchmark::kMicrosecond);

// arg 0: cached transforms; arg 1: the root moves every frame, so the whole tree is refreshed.
void BM_NodeTreeRenderList(benchmark::State& state)
{
	SmartPointer<BaseNode> tree(buildTree());
	const bool moving = state.range(0) != 0;
	RenderList list;
	list.reallocate(5000);
	float x = 0.0f;
	for (auto _ : state)
	{
		if (moving)
			tree->setPosition(vector3df(x += 0.5f, 0.0f, 0.0f));
		list.set_used(0);
		tree->addToRenderList(list);
		benchmark::DoNotOptimize(list.pointer());
	}
	state.SetItemsProcessed(state.iterations() * 5001);
}
BENCHMARK(BM_NodeTreeRenderList)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_NodeTreeHitTest(benchmark::State& state)
{
	SmartPointer<BaseNode> tree(buildTree());
	int step = 0;
	for (auto _ : state)
	{
		step = (step + 37) % 1000;
		BaseNode* hit = tree->hitTest(vector2df(float(step), float((step * 7) % 500)));
		benchmark::DoNotOptimize(hit);
	}
}
BENCHMARK(BM_NodeTreeHitTest)->Unit(benchmark::kMicrosecond);

// A mouse move routed post-order through the whole tree, each leaf testing the point.
void BM_NodeTreeMouseMoveDelivery(benchmark::State& state)
{
	SmartPointer<BaseNode> tree(buildTree());
	tree->refreshAbsolute();
	int step = 0;
	for (auto _ : state)
	{
		step = (step + 37) % 1000;
		SmartPointer<CEvent> move(new CEventInputMouseMove(step, (step * 7) % 500));
		benchmark::DoNotOptimize(tree->deliverEvent(2, move.get()));
	}
	state.SetItemsProcessed(state.iterations() * 5001);
}
BENCHMARK(BM_NodeTreeMouseMoveDelivery)->Unit(benchmark::kMicrosecond);
} // namespace
