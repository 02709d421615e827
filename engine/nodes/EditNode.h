#pragma once

#include "EditBuffer.h"
#include "EditInputMask.h"
#include "core/SmartPointer.h"
#include "scene/ControlNode.h"

class TextNode;

// Text input control: while focused, typed characters go in at a caret, filtered by an input mask
// and a maximum length; each edit posts a value change to the parent. Shows its text through the
// template's "Text" part and its caret through that part's "Cursor" child.
class EditNode : public ControlNode
{
	ENGINE_NODE_TYPE(EditNode, NodeTypeEditNode, ControlNode)
	ENGINE_NODE_CLONE(EditNode)

public:
	// Keys are ignored this long after the text was set, in milliseconds.
	static constexpr unsigned DefaultKeyDelay = 100;

	explicit EditNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                  INodeEventQueue* sceneManager = nullptr);
	~EditNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void setText(const irr::core::stringw& text);
	const irr::core::stringw& getText() const { return buffer.getText(); }
	void setMaxTextLength(int value) { MaxTextLength = value; }
	int getMaxTextLength() const { return MaxTextLength; }
	void setInputMask(const irr::core::stringc& mask) { inputMask.setMask(mask); }
	const irr::core::stringc& getInputMask() const { return inputMask.getMask(); }
	bool acceptsChar(wchar_t character) const { return inputMask.acceptsChar(character); }
	unsigned getKeyDelay() const { return keyDelay; }

	const EditCaret& getCaret() const { return caret; }
	TextNode* getTextPart() const { return textPart.get(); }
	BaseNode* getCursorPart() const { return cursorPart.get(); }
	// Moves the cursor part to the caret.
	void placeCursor();

	void setFocused(bool value) override;
	void applyTemplate() override;
	bool onMouseLeftDown(CEventInputMouseLeftDown* event) override;
	bool onKeyDown(CEventInputKeyDown* event) override;
	bool onKeyUp(CEventInputKeyUp* event) override;

	// The milliseconds of the device timer (0 without a device).
	static unsigned now();

private:
	// Runs one editing or caret key; true when the key was taken.
	bool handleKey(CEventInputKeyDown* event);
	bool typeCharacter(CEventInputKeyDown* event);
	bool lengthLimitReached() const;
	// Shows the edit and reports it to the parent.
	void finishEdit();
	// The text part's text: the raw text with '%' doubled, so typed text is never read as tags.
	irr::core::stringw displayForm() const;
	// How many blanks the text part trims off the start of a line (centred and justified text).
	int trimmedLead(int line) const;
	bool trimsBlanks() const;

	SmartPointer<TextNode> textPart;
	SmartPointer<BaseNode> cursorPart;
	EditCaret caret;
	unsigned setTime = 0;
	EditBuffer buffer;
	int MaxTextLength = -1;
	EditInputMask inputMask;
	unsigned keyDelay = DefaultKeyDelay;
};
