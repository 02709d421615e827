#include "GTutorial.h"

#include "GTutorialAction.h"
#include "app/GBaseSceneNode.h"
#include "content/IXMLReader.h"
#include "core/InputEvents.h"
#include "core/Singleton.h"
#include "data/GEventPauseRequest.h"
#include "device/IDevice.h"
#include "nodes/ButtonNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/SceneManager.h"
#include "scene/TemplateCollectionNode.h"

namespace
{
BaseNode* directChild(BaseNode* node, const char* name)
{
	return node ? node->findChild(internStringId(name), 1) : nullptr;
}

void detach(SmartPointer<BaseNode>& node)
{
	if (node && node->getParent())
		node->getParent()->removeChild(node.get());
	node.reset();
}
} // namespace

GTutorial::GTutorial(BaseNode* parent, TemplateCollectionNode* templates, ReferenceCounted* content)
    : content(shareRef(content)), parent(parent)
{
	mask = EventCategoryKeyboard | EventCategoryMouse | EventCategoryNode;
	if (!parent || !templates)
		return;
	arrowsNode.reset(new BaseNode(ContentRef(), parent, parent->getSceneManager()));
	arrowsNode->setPosition(irr::core::vector3df(0.0f, 0.0f, 2000.0f));
	arrowTemplate = shareRef(templates->findTemplate(internStringId("TutorialArrow")));

	BaseNode* source = templates->findTemplate(internStringId("TutorialWindow"));
	if (!source)
		return;
	window = shareRef(source->clone(parent, nullptr));
	if (auto* manager = dynamic_cast<SceneManager*>(parent->getSceneManager()))
	{
		SmartPointer<CEventNodeSceneAttached> attached(new CEventNodeSceneAttached(manager));
		if (!window->onEvent(attached.get()))
			window->sendToChildren(DeliverSelfThenChildren, attached.get());
	}
	window->setVisible(false);
	text = nodeCast<TextNode>(directChild(window.get(), "Text"));
	skipButton = nodeCast<ButtonNode>(directChild(window.get(), "SkipTutorialButton"));
	skipHighlight = directChild(skipButton, "bg");
	hints = std::make_unique<GTutorialHintList>();
}

GTutorial::~GTutorial()
{
	unregisterFromDevice();
	removeNodes();
}

bool GTutorial::load(IXMLReader* reader, EventReceiver* target)
{
	bool complete = false;
	if (hints && reader)
	{
		parseTutorial(reader);
		complete = reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == L"Tutorial";
	}
	this->target = target;
	return complete;
}

void GTutorial::parseTutorial(IXMLReader* reader)
{
	hints->clear();
	while (reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == L"Tutorial")
			return;
		if (reader->getNodeType() != XML_NODE_ELEMENT || reader->getNodeName() != L"Hint")
			continue;
		SmartPointer<GTutorialHint> hint(new GTutorialHint());
		hint->parse(reader);
		hints->add(hint.get());
	}
}

bool GTutorial::start()
{
	currentHint = 0;
	if (!hints || !parent)
		return false;
	registerWithDevice();
	running = true;
	showHint();
	return currentHint < hints->getCount();
}

bool GTutorial::isExcluded(const GTutorialHint* hint) const
{
	return hint->isTip() ? tipsOff : tutorialHintsOff;
}

void GTutorial::showHint()
{
	if (!hints)
		return;
	while (currentHint < hints->getCount() && isExcluded(hints->get(currentHint)))
		++currentHint;
	if (currentHint >= hints->getCount())
		return;
	GTutorialHint* hint = hints->get(currentHint);
	// Each message box waits for its own answer.
	answered = false;
	hint->startActions(target);
	currentIsTip = hint->isTip();
	showWindow(hint);
	showArrows(hint);
}

void GTutorial::showWindow(const GTutorialHint* hint)
{
	if (!window)
		return;
	if (hint->getText().empty() && !hint->isLinnet())
	{
		window->setVisible(false);
		return;
	}
	const irr::core::vector3df& place = hint->getPosition();
	window->setPosition(irr::core::vector3df(place.X, place.Y, 1999.0f));
	if (!window->isVisible())
	{
		window->setVisible(true);
		GBaseSceneNode::playCue("TutorialWindow");
		window->setState(internStringId("NavTo"), nullptr, StringId());
	}
	if (!text)
		return;
	if (hint->getText().empty())
	{
		text->setVisible(false);
		if (skipButton)
			skipButton->setVisible(false);
		return;
	}
	const irr::core::vector3df& textPlace = hint->getTextPosition();
	text->setPosition(irr::core::vector3df(textPlace.X, textPlace.Y, 1.0f));
	text->setVisible(true);
	text->setChildrenState(internStringId(hint->getTextBgType() != 0 ? "Type2" : "Type1"), nullptr);
	text->setText(hint->getText());
	if (!skipButton)
		return;
	const irr::core::vector3df& own = skipButton->getPosition();
	skipButton->setPosition(irr::core::vector3df(own.X, textPlace.Y + 85.0f, own.Z));
	skipButton->setVisible(true);
	skipButton->setText(hint->isTip() ? L"%GamePlay_SkipTipsBtn%" : L"%GamePlay_SkipTutorialBtn%");
}

void GTutorial::showArrows(const GTutorialHint* hint)
{
	if (!arrowsNode)
		return;
	arrowsNode->removeAllChildren();
	if (!arrowTemplate)
		return;
	for (const GTutorialArrow& arrow : hint->getArrows())
	{
		BaseNode* made = arrowTemplate->clone(arrowsNode.get(), nullptr);
		made->setVisible(true);
		made->setPosition(arrow.position);
		made->setRotation(arrow.rotation);
	}
}

bool GTutorial::update(int elapsed)
{
	if (hints && currentHint < hints->getCount())
	{
		GTutorialHint* hint = hints->get(currentHint);
		// Every action is updated, even after one of them is done.
		bool actionDone = false;
		for (const SmartPointer<GTutorialAction>& action : hint->getActions())
		{
			action->update(elapsed);
			actionDone = action->isDone() || actionDone;
		}
		const bool ended = actionDone || (hint->isMessageBox() && answered) || isExcluded(hint);
		if (!ended)
			return true;
		for (const SmartPointer<GTutorialAction>& action : hint->getActions())
			action->finish();
		++currentHint;
		showHint();
		return true;
	}
	// Over: the device lets go of its reference, so releasing the tutorial frees it.
	running = false;
	unregisterFromDevice();
	removeNodes();
	return false;
}

bool GTutorial::stop()
{
	unregisterFromDevice();
	resumeLevel();
	currentHint = hints ? hints->getCount() : 0;
	update(0);
	return true;
}

// A hint that paused the level lets it go on when the tutorial is stopped in its middle.
void GTutorial::resumeLevel()
{
	if (!running || !hints || currentHint >= hints->getCount())
		return;
	GTutorialHint* hint = hints->get(currentHint);
	for (const SmartPointer<GTutorialAction>& action : hint->getActions())
		action->finish();
	if (hint->isMessageBox() && !answered)
	{
		SmartPointer<GEventPauseRequest> resume(new GEventPauseRequest(false));
		GTutorialAction::sendToTarget(target, resume.get());
	}
}

void GTutorial::removeNodes()
{
	detach(arrowsNode);
	text = nullptr;
	skipButton = nullptr;
	skipHighlight = nullptr;
	detach(window);
}

void GTutorial::registerWithDevice()
{
	IDevice* device = Singleton<IDevice>::peek();
	if (listening || !device)
		return;
	listening = device->addEventListener(this, 0);
}

void GTutorial::unregisterFromDevice()
{
	IDevice* device = Singleton<IDevice>::peek();
	if (listening && device)
		device->removeEventListener(this);
	listening = false;
}

bool GTutorial::onEvent(CEvent* event)
{
	if (!running || !hints || currentHint >= hints->getCount() || !event)
		return false;
	if (auto* clicked = eventCast<CEventNodeClicked>(event); clicked && event->typeId() == CEventNodeClicked::TypeId)
	{
		if (clicked->control && clicked->control->getName() == internStringId("SkipTutorialButton"))
			return window && !window->isVisible();
	}
	if (auto* move = eventCast<CEventInputMouseMove>(event))
	{
		onMouseMove(move);
		return false;
	}
	if (event->typeId() == CEventInputMouseLeftDown::TypeId &&
	    !takesRawPress(static_cast<CEventInputMouseLeftDown*>(event)))
		return false;
	if (event->typeId() == CEventNodeClicked::TypeId && onClicked(static_cast<CEventNodeClicked*>(event)))
		return false;
	bool consumed = false;
	for (const SmartPointer<GTutorialAction>& action : hints->get(currentHint)->getActions())
		consumed = action->onEvent(event) || consumed;
	return consumed;
}

bool GTutorial::takesRawPress(const CEventInputMouseLeftDown* press) const
{
	// The device offers presses before any scene: they belong to the tutorial only while its own
	// screen is on top and settled, so a menu opened over it keeps its clicks.
	auto* manager = parent ? dynamic_cast<SceneManager*>(parent->getSceneManager()) : nullptr;
	const SceneNode* top = manager ? manager->getTopScene() : nullptr;
	if (!top || manager->isInNavigation(top))
		return false;
	bool onTop = false;
	for (const BaseNode* node = parent; node && !onTop; node = node->getParent())
		onTop = node == top;
	if (!onTop)
		return false;
	// The skip button's click is the owner's, which ends the tutorial.
	const irr::core::vector2df point(static_cast<float>(press->x), static_cast<float>(press->y));
	return !(window && window->isVisible() && skipButton && skipButton->hitTest(point));
}

void GTutorial::onMouseMove(CEventInputMouseMove* event)
{
	if (!skipButton || !skipHighlight)
		return;
	const irr::core::vector2df point(static_cast<float>(event->x), static_cast<float>(event->y));
	skipHighlight->setVisible(skipButton->hitTest(point) != nullptr);
}

// A message box's answer: true when the click was its "Button", which also resumes the level.
bool GTutorial::onClicked(CEventNodeClicked* event)
{
	if (!hints->get(currentHint)->isMessageBox() || !event->control ||
	    event->control->getName() != internStringId("Button"))
		return false;
	answered = true;
	SmartPointer<GEventPauseRequest> resume(new GEventPauseRequest(false));
	GTutorialAction::sendToTarget(target, resume.get());
	return true;
}
