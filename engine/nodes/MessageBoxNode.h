#pragma once

#include "core/SmartPointer.h"
#include "scene/SceneNode.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <vector>

class ButtonNode;
class TextNode;
class CEventNodeClicked;

// Small modal scene with a title, a body text and buttons laid out by its template; the
// pressed button's index closes it and goes to the scene below as the box's result.
class MessageBoxNode : public SceneNode
{
	ENGINE_NODE_TYPE(MessageBoxNode, NodeTypeMessageBoxNode, SceneNode)
	ENGINE_NODE_CLONE(MessageBoxNode)

public:
	explicit MessageBoxNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                        INodeEventQueue* sceneManager = nullptr);
	~MessageBoxNode() override;

	// A new box holding the texts (one reference for the caller); the scene manager's maker.
	static SceneNode* create(const irr::core::array<irr::core::stringw>& buttonTexts,
	                         const irr::core::stringw& titleText, const irr::core::stringw& bodyText);

	void setTitleText(const irr::core::stringw& text);
	void setBodyText(const irr::core::stringw& text);
	// Button i shows caption i, or nothing when there are fewer captions than buttons.
	void setButtonTexts(const irr::core::array<irr::core::stringw>& texts);
	const irr::core::stringw& getTitleText() const { return titleText; }
	const irr::core::stringw& getBodyText() const { return bodyText; }
	const irr::core::array<irr::core::stringw>& getButtonTexts() const { return buttonTexts; }

	int getMessageBoxResult() const override { return result; }
	TextNode* getTitlePart() const { return titlePart.get(); }
	TextNode* getBodyPart() const { return bodyPart.get(); }
	const std::vector<SmartPointer<ButtonNode>>& getButtons() const { return buttons; }

	void applyTemplate() override;
	virtual bool onButtonClicked(CEventNodeClicked* event);

	static const EventMap& eventMap();
	bool onEvent(CEvent* event) override;
	// The buttons live under the template root: the box hands them input itself.
	bool sendToChildren(int mode, CEvent* event) override;

private:
	void showButtonTexts();

	int result = 0;
	// A button has closed the box: the result is final, later clicks are ignored.
	bool closing = false;
	irr::core::stringw titleText;
	irr::core::stringw bodyText;
	irr::core::array<irr::core::stringw> buttonTexts;
	SmartPointer<TextNode> titlePart;
	SmartPointer<TextNode> bodyPart;
	std::vector<SmartPointer<ButtonNode>> buttons;
};
