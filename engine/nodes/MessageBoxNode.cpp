#include "MessageBoxNode.h"

#include "ButtonNode.h"
#include "TextNode.h"
#include "scene/NodeEvents.h"

using namespace irr;

MessageBoxNode::MessageBoxNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : SceneNode(reference, parentNode, manager)
{
}

MessageBoxNode::~MessageBoxNode() = default;

SceneNode* MessageBoxNode::create(const core::array<core::stringw>& buttonTexts, const core::stringw& titleText,
                                  const core::stringw& bodyText)
{
	auto* box = new MessageBoxNode();
	box->setButtonTexts(buttonTexts);
	box->setTitleText(titleText);
	box->setBodyText(bodyText);
	return box;
}

void MessageBoxNode::setTitleText(const core::stringw& text)
{
	titleText = text;
	if (titlePart)
		titlePart->setText(titleText);
}

void MessageBoxNode::setBodyText(const core::stringw& text)
{
	bodyText = text;
	if (bodyPart)
		bodyPart->setText(bodyText);
}

void MessageBoxNode::setButtonTexts(const core::array<core::stringw>& texts)
{
	buttonTexts = texts;
	showButtonTexts();
}

void MessageBoxNode::showButtonTexts()
{
	for (size_t i = 0; i < buttons.size(); ++i)
		buttons[i]->setText(i < buttonTexts.size() ? buttonTexts[static_cast<u32>(i)] : core::stringw());
}

void MessageBoxNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ControlNode::applyTemplate();
	titlePart = nullptr;
	bodyPart = nullptr;
	buttons.clear();
	ControlNode* root = getTemplateRoot();
	if (!root)
		return;
	titlePart = shareRef(nodeCast<TextNode>(root->findChild(internStringId("TitleText"), 1)));
	bodyPart = shareRef(nodeCast<TextNode>(root->findChild(internStringId("BodyText"), 1)));
	const StringId buttonName = internStringId("Button");
	const core::array<BaseNode*>& parts = root->getChildren();
	for (u32 i = 0; i < parts.size(); ++i)
	{
		ButtonNode* button = nodeCast<ButtonNode>(parts[i]);
		if (button && button->getName() == buttonName)
			buttons.push_back(shareRef(button));
	}
	if (titlePart)
		titlePart->setText(titleText);
	if (bodyPart)
		bodyPart->setText(bodyText);
	showButtonTexts();
}

bool MessageBoxNode::onButtonClicked(CEventNodeClicked* event)
{
	for (size_t i = 0; i < buttons.size(); ++i)
	{
		if (event->control != buttons[i].get())
			continue;
		// A click that arrives while the box closes (a press animation ran meanwhile) must not
		// change the answer the scene below receives.
		if (closing)
			return true;
		result = static_cast<int>(i);
		closing = closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	return false;
}

const EventMap& MessageBoxNode::eventMap()
{
	static const EventMap map =
	    extendEventMap(ControlNode::eventMap(),
	                   {
	                       {CEventNodeClicked::TypeId,
	                        &eventHandler<MessageBoxNode, CEventNodeClicked, &MessageBoxNode::onButtonClicked>},
	                   });
	return map;
}

bool MessageBoxNode::onEvent(CEvent* event)
{
	if (!event)
		return false;
	return dispatchThroughTable(eventMap(), event);
}

bool MessageBoxNode::sendToChildren(int mode, CEvent* event)
{
	if (!event)
		return false;
	if (ControlNode::sendToChildren(mode, event))
		return true;
	// Held: a button's handler may close the box and rebind the parts.
	const std::vector<SmartPointer<ButtonNode>> held = buttons;
	for (const SmartPointer<ButtonNode>& button : held)
	{
		if ((button->mask & event->mask) && button->deliverEvent(mode, event))
			return true;
	}
	return false;
}
