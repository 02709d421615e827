#pragma once

#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "engine/content/AtlasTestSupport.h"
#include "scene/BaseNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/NodeEventQueue.h"
#include "scene/TemplateCollectionNode.h"

#include <string>
#include <vector>

class CFont;
class TextNode;

// Scene manager stand-in for controls: a delivering event queue, one scheduler and a template store.
class ControlTestServices final : public INodeEventQueue, public ISceneServices
{
public:
	ControlTestServices();
	~ControlTestServices();

	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override
	{
		queue.queueEvent(receiver, mode, event);
	}
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }

	// Reads a template collection from the XML of its children.
	void loadTemplates(const std::string& children);
	// Makes the node a child of the recording root, attached to these services.
	void attach(BaseNode* node);
	// Runs the scheduler for 20 ms and delivers the posted events, the given number of times.
	void tick(int times = 1);

	NodeEventQueue queue;
	SmartPointer<TaskScheduler> scheduler{new TaskScheduler()};
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<BaseNode> root;
	// Type ids of the events the root received, in order.
	std::vector<int> rootEvents;
	int count(int typeId) const;
};

// A named template: a BaseNode holding the given children.
std::string templateXml(const char* name, const std::string& children);
// A child element of a class with a name and optional extra property and state XML.
std::string partXml(const char* type, const char* name, const std::string& properties = "",
                    const std::string& states = "");
// A state that sets the TintColor at once.
std::string tintState(const char* state, const char* argb);

// Test fonts on one 128 x 128 page: glyphs A-Z, a-z and 0-9 are opaque white cells 8 wide and 10 high
// with no margins (advance 8), the space is a transparent cell 4 wide; the pair "AV" kerns by -2.
// "plain.qfnt" has no global kerning; "spaced.qfnt" has a line spacing of 1.
class TextFontFixture
{
public:
	explicit TextFontFixture(irr::video::IVideoDriver* driver);

	SmartPointer<CFont> plain;
	SmartPointer<CFont> spaced;
	AtlasContentFixture content;
};

// The page pixel of the test fonts.
irr::u32 fontPagePixel(irr::u32 x, irr::u32 y);
