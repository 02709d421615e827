#pragma once

#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "core/TextUtils.h"
#include "data/GEventPauseRequest.h"
#include "game/level/LevelTestSupport.h"
#include "nodes/TextNode.h"
#include "play/tutorial/GTutorial.h"
#include "play/tutorial/GTutorialAction.h"
#include "play/tutorial/GTutorialHint.h"
#include "scene/NodeEvents.h"

#include <string>
#include <vector>

// Fixtures of the tutorial tests: actions and tutorials from a few lines of XML, a stand-in level
// that writes down the messages the actions send, and the window and arrow templates.
namespace tutorialtest
{
// Stand-in for the level: keeps the ids of the messages it is sent and follows pause requests.
class TargetLog : public EventReceiver
{
public:
	bool onEvent(CEvent* event) override
	{
		ids.push_back(event->typeId());
		if (auto* pause = eventCast<GEventPauseRequest>(event))
			paused = pause->pause;
		return true;
	}
	std::vector<int> ids;
	bool paused = false;
};

// The action of one Action element, loaded.
inline SmartPointer<GTutorialAction> actionFromXml(const std::string& xml)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	while (reader->read() && reader->getNodeType() != XML_NODE_ELEMENT)
	{
	}
	SmartPointer<GTutorialAction> action(GTutorialHint::createAction(reader->getAttributeValue(L"Type")));
	if (action)
		action->load(reader.get());
	return action;
}

// "TutorialWindow" with its text, skip button and the button's highlight, and "TutorialArrow".
inline std::string tutorialTemplates()
{
	using namespace leveltest;
	return nodeXml("BaseNode", "TutorialWindow", "",
	               nodeXml("TextNode", "Text") +
	                   nodeXml("ButtonNode", "SkipTutorialButton", position(20, 0) + bounds(80, 30),
	                           nodeXml("TextNode", "Label", bounds(80, 30)) + nodeXml("BaseNode", "bg"))) +
	       nodeXml("BaseNode", "TutorialArrow");
}

// A tutorial under a plain parent, read from the body of a Tutorial element.
struct TutorialRig
{
	explicit TutorialRig(const std::string& hints, EventReceiver* target = nullptr,
	                     const std::string& templates = tutorialTemplates())
	    : templateNodes(leveltest::templateCollection(templates)), parent(new BaseNode())
	{
		tutorial.reset(new GTutorial(parent.get(), templateNodes.get(), nullptr));
		const std::string xml = "<?xml version=\"1.0\"?>\n<Tutorial>" + hints + "</Tutorial>";
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		loaded = tutorial->load(reader.get(), target);
	}
	~TutorialRig()
	{
		if (tutorial)
			tutorial->stop();
	}
	// The shown text, or "-" while the window or its text is hidden.
	std::string shownText() const
	{
		BaseNode* window = tutorial->getWindow();
		BaseNode* text = window ? window->findChild(internStringId("Text"), 1) : nullptr;
		if (!window || !window->isVisible() || !text || !text->isVisible())
			return "-";
		return narrow(static_cast<TextNode*>(text)->getText()).c_str();
	}
	bool click(const char* name)
	{
		SmartPointer<BaseNode> node(new BaseNode());
		node->setName(name);
		SmartPointer<CEventNodeClicked> clicked(new CEventNodeClicked(node.get()));
		return tutorial->onEvent(clicked.get());
	}

	SmartPointer<TemplateCollectionNode> templateNodes;
	SmartPointer<BaseNode> parent;
	SmartPointer<GTutorial> tutorial;
	bool loaded = false;
};

// A hint of one text and these actions.
inline std::string hintXml(const std::string& text, const std::string& actions, const std::string& attributes = "")
{
	return "<Hint" + attributes + "><Text Value=\"" + text + "\"/><Actions>" + actions + "</Actions></Hint>";
}
} // namespace tutorialtest
