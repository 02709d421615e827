#include "content/CXMLReader.h"
#include "core/InputEvents.h"
#include "data/GEventDirtyBuildingRequest.h"
#include "data/GEventLetterRequest.h"
#include "data/GEventWorkCompleted.h"
#include "play/tutorial/GTutorial.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"
#include "scene/TemplateCollectionNode.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{
// Takes every message the actions send.
class Sink : public EventReceiver
{
public:
	bool onEvent(CEvent*) override { return true; }
};

TemplateCollectionNode* makeTemplates()
{
	const std::string xml =
	    "<SceneNode Type=\"TemplateCollectionNode\">"
	    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"TutorialWindow\"/></Properties>"
	    "<SceneNode Type=\"TextNode\"><Properties><string Name=\"Name\" Value=\"Text\"/></Properties></SceneNode>"
	    "<SceneNode Type=\"ButtonNode\"><Properties><string Name=\"Name\" Value=\"SkipTutorialButton\"/></Properties>"
	    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"bg\"/></Properties></SceneNode>"
	    "</SceneNode></SceneNode>"
	    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"TutorialArrow\"/></Properties>"
	    "</SceneNode></SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	return nodeCast<TemplateCollectionNode>(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t"));
}

void offer(GTutorial* tutorial, CEvent* event)
{
	SmartPointer<CEvent> held(event);
	tutorial->onEvent(held.get());
}
} // namespace

// Reads the input as a tutorial file and plays it: each hint gets the events its actions may wait for.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static SmartPointer<TemplateCollectionNode> templates(makeTemplates());
	SmartPointer<BaseNode> parent(new BaseNode());
	SmartPointer<Sink> level(new Sink());
	SmartPointer<GTutorial> tutorial(new GTutorial(parent.get(), templates.get(), nullptr));
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	tutorial->load(reader.get(), size % 2 ? level.get() : nullptr);
	if (size % 3 == 0)
		tutorial->disableTips();
	tutorial->start();

	SmartPointer<BaseNode> control(new BaseNode());
	const char* names[] = {"Button", "UpgradeButton", "SkipTutorialButton", "AbortButton", "BuyMaterialsList"};
	for (int step = 0; step < 64 && tutorial->update(step * 50); ++step)
	{
		control->setName(names[step % 5]);
		offer(tutorial.get(), new CEventNodeClicked(control.get()));
		offer(tutorial.get(), new CEventNodeListItemClicked(control.get(), step % 4));
		offer(tutorial.get(), new CEventNodeListItemHovered(control.get(), step % 3));
		offer(tutorial.get(), new CEventInputMouseMove(step * 20, step * 15));
		offer(tutorial.get(), new GEventWorkCompleted(nullptr, nullptr));
		offer(tutorial.get(), new GEventDirtyBuildingRequest({}, {}));
		offer(tutorial.get(), new GEventLetterRequest({}, {}, {1, 2}, {1, 2}));
	}
	tutorial->stop();
	return 0;
}
