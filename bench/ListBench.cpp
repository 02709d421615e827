// List refreshes: filling the 12 elements of a 3 x 4 grid from the item model, and scrolling it.
#include "core/SmartPointer.h"
#include "nodes/ListNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/TemplateCollectionNode.h"

#include <benchmark/benchmark.h>

namespace
{
// Just enough of a scene manager for a list: its templates; posted events are dropped.
class ListBenchScene : public INodeEventQueue, public ISceneServices
{
public:
	ListBenchScene() : templates(new TemplateCollectionNode())
	{
		SmartPointer<BaseNode> look(new BaseNode());
		look->setName("List");
		auto* element = new BaseNode(ContentRef(), look.get());
		element->setName("Element");
		element->setBounds({100.0f, 50.0f, 0.0f});
		element->drop();
		for (const char* part : {"Text", "Text"})
		{
			auto* text = new TextNode(ContentRef(), element);
			text->setName(part);
			text->drop();
		}
		auto* image = new SpriteNode(ContentRef(), element);
		image->setName("Image");
		image->drop();
		templates->addTemplate(look.get());
		held = look;
	}

	void queueEvent(EventReceiver*, int, CEvent*) override {}
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return nullptr; }

	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<BaseNode> held;
};

// A 300 x 200 grid list (12 elements) over 120 items with two text columns each.
SmartPointer<ListNode> makeList(ListBenchScene& scene)
{
	SmartPointer<ListNode> list(new ListNode());
	list->setBounds({300.0f, 200.0f, 0.0f});
	list->setOrientation(ListNode::OrientationGridByRows);
	list->attachToSceneManager(&scene, nullptr);
	list->setTemplateName(internStringId("List"));
	list->setItemCount(120);
	for (unsigned i = 0; i < 120; ++i)
	{
		list->setItemText(i, 0, irr::core::stringw(i));
		list->setItemText(i, 1, irr::core::stringw(L"item ") + irr::core::stringw(i * 7));
	}
	return list;
}

void BM_ListRefresh12Elements(benchmark::State& state)
{
	ListBenchScene scene;
	SmartPointer<ListNode> list = makeList(scene);
	if (list->getElementCount() != 12)
		state.SkipWithError("expected 12 elements");
	for (auto _ : state)
		list->refreshElements();
	state.SetItemsProcessed(state.iterations() * 12);
}
BENCHMARK(BM_ListRefresh12Elements);

void BM_ListScrollByOneLine(benchmark::State& state)
{
	ListBenchScene scene;
	SmartPointer<ListNode> list = makeList(scene);
	int top = 0;
	for (auto _ : state)
	{
		top = (top + 3) % 120;
		list->setTopItem(top);
	}
	benchmark::DoNotOptimize(list->getTopItem());
}
BENCHMARK(BM_ListScrollByOneLine);
} // namespace
