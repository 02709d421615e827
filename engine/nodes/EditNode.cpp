#include "EditNode.h"

#include "PropertyLookup.h"
#include "TextNode.h"
#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "core/PropertyMakers.h"
#include "device/CTimer.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

namespace
{
enum EditKey
{
	KeyBackspace = 8,
	KeyEnter = 13,
	KeyEnd = 35,
	KeyHome = 36,
	KeyLeft = 37,
	KeyUp = 38,
	KeyRight = 39,
	KeyDown = 40,
	KeyDelete = 46,
};

bool isTrimmedBlank(wchar_t c)
{
	return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// Control characters other than line breaks and tabs (Escape and the like) are never text.
bool isTypeable(wchar_t c)
{
	return c >= 32 || c == L'\t' || c == L'\r' || c == L'\n';
}
} // namespace

EditNode::EditNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager)
{
}

EditNode::~EditNode() = default;

unsigned EditNode::now()
{
	// Never makes a device: a node alone must not open a window.
	IDevice* device = Singleton<IDevice>::peek();
	CTimer* timer = device ? device->getTimer() : nullptr;
	return timer ? timer->getTime() : 0;
}

// ---- properties

const PropertyTable& EditNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    controlNodePropertyTable(),
	    {
	        accessorProperty<&EditNode::setText, &EditNode::getText>("Text"),
	        accessorProperty<&EditNode::setMaxTextLength, &EditNode::getMaxTextLength>("MaxTextLength"),
	        accessorProperty<&EditNode::setInputMask, &EditNode::getInputMask>("InputMask"),
	    });
	return table;
}

void EditNode::writeProperties(CPropertyCollection& collection) const
{
	ControlNode::writeProperties(collection);
	if (!getText().empty())
		collection.add("Text", makeStringWProperty(getText()));
	if (MaxTextLength != -1)
		collection.addInt("MaxTextLength", MaxTextLength);
	if (!getInputMask().empty())
		collection.addString("InputMask", getInputMask());
}

void EditNode::readProperties(const CPropertyCollection& collection)
{
	ControlNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "Text", value))
		setText(propertyToStringW(value));
	if (lookUpProperty(collection, "MaxTextLength", value))
		MaxTextLength = propertyAsInt(value.get());
	if (lookUpProperty(collection, "InputMask", value))
		setInputMask(propertyToStringC(value));
}

void EditNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ControlNode::copyFrom(source, manager);
	if (const EditNode* edit = nodeCast<EditNode>(source))
	{
		setText(edit->getText());
		MaxTextLength = edit->MaxTextLength;
		setInputMask(edit->getInputMask());
	}
}

// ---- text and caret

core::stringw EditNode::displayForm() const
{
	const core::stringw& text = buffer.getText();
	u32 percents = 0;
	for (u32 i = 0; i < text.size(); ++i)
		percents += text[i] == L'%' ? 1 : 0;
	core::stringw shown;
	shown.reserve(text.size() + percents + 1);
	for (u32 i = 0; i < text.size(); ++i)
	{
		shown.append(text[i]);
		if (text[i] == L'%')
			shown.append(L'%');
	}
	return shown;
}

void EditNode::setText(const core::stringw& text)
{
	buffer.setText(text);
	if (!textPart)
		return;
	textPart->setText(displayForm());
	caret = EditCaret();
	placeCursor();
	setTime = now();
}

bool EditNode::trimsBlanks() const
{
	return textPart &&
	       (textPart->getTextHAlign() == TextNode::AlignCenter || textPart->getTextHAlign() == TextNode::AlignJustify);
}

int EditNode::trimmedLead(int line) const
{
	if (!trimsBlanks())
		return 0;
	const core::stringw text = buffer.getLine(line);
	int lead = 0;
	while (lead < static_cast<int>(text.size()) && isTrimmedBlank(text[static_cast<u32>(lead)]))
		++lead;
	return lead;
}

void EditNode::placeCursor()
{
	if (!textPart || !cursorPart)
		return;
	const u32 lineCount = textPart->getLineCount();
	const u32 line = lineCount == 0 ? 0 : core::min_(static_cast<u32>(caret.line), lineCount - 1);
	const int shownLength = line < lineCount ? static_cast<int>(textPart->getLine(line).size()) : 0;
	// The text part may drop blanks at the line's ends: the caret goes by the glyphs shown.
	const int column = caret.column - trimmedLead(caret.line);
	float x;
	if (shownLength == 0)
		x = static_cast<float>(textPart->getLineX(line));
	else if (column < 0)
		x = textPart->getCharRect(line, 0).UpperLeftCorner.X;
	else
		x = textPart->getCharRect(line, static_cast<u32>(core::min_(column, shownLength - 1))).LowerRightCorner.X;
	cursorPart->setPosition(core::vector3df(x, static_cast<float>(textPart->getLineY(line)), 0.0f));
}

// ---- control operations

void EditNode::setFocused(bool value)
{
	ControlNode::setFocused(value);
	if (cursorPart)
		cursorPart->setVisible(focused);
}

void EditNode::applyTemplate()
{
	if (!getSceneManager())
		return;
	ControlNode::applyTemplate();
	textPart = nullptr;
	cursorPart = nullptr;
	if (ControlNode* root = getTemplateRoot())
		textPart = shareRef(nodeCast<TextNode>(root->findChild(nameIdText(), 1)));
	if (textPart)
		cursorPart = shareRef(textPart->findChild(internStringId("Cursor"), 1));
	if (cursorPart)
		cursorPart->setVisible(focused);
	setText(core::stringw(getText()));
}

bool EditNode::onMouseLeftDown(CEventInputMouseLeftDown* event)
{
	if (!ControlNode::onMouseLeftDown(event))
		return false;
	if (!textPart)
		return true;
	textPart->refreshAbsolute();
	core::matrix4 inverse;
	if (!textPart->getAbsoluteTransformation().getInverse(inverse))
		return true;
	core::vector3df point(static_cast<f32>(event->x), static_cast<f32>(event->y), 0.0f);
	inverse.transformVect(point);
	int line = caret.line;
	int column = caret.column;
	if (textPart->getCharIndexAt(core::vector2df(point.X, point.Y), line, column) < 0 && line == caret.line &&
	    column == caret.column)
		return true;
	caret = buffer.clamp(EditCaret{line, column + trimmedLead(line)});
	placeCursor();
	return true;
}

bool EditNode::onKeyUp(CEventInputKeyUp*)
{
	return false;
}

bool EditNode::onKeyDown(CEventInputKeyDown* event)
{
	if (!textPart)
		return true;
	if (now() <= setTime + keyDelay)
		return true;
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	return handleKey(event);
}

bool EditNode::lengthLimitReached() const
{
	return MaxTextLength != -1 && static_cast<int>(buffer.getLength()) >= MaxTextLength;
}

bool EditNode::handleKey(CEventInputKeyDown* event)
{
	switch (event->key)
	{
	case KeyBackspace:
		if (buffer.deleteBackward(caret))
			finishEdit();
		return true;
	case KeyDelete:
		buffer.deleteForward(caret);
		finishEdit();
		return true;
	case KeyEnter:
		if (lengthLimitReached() || !acceptsChar(L'\n'))
			return true;
		buffer.insertChar(L'\n', caret);
		finishEdit();
		return true;
	case KeyEnd:
		buffer.moveEnd(caret);
		break;
	case KeyHome:
		buffer.moveHome(caret);
		break;
	case KeyLeft:
		buffer.moveLeft(caret);
		break;
	case KeyRight:
		buffer.moveRight(caret);
		break;
	case KeyUp:
		if (!buffer.moveUp(caret))
			return ControlNode::onKeyDown(event);
		break;
	case KeyDown:
		if (!buffer.moveDown(caret))
			return ControlNode::onKeyDown(event);
		break;
	default:
		return typeCharacter(event);
	}
	placeCursor();
	return true;
}

bool EditNode::typeCharacter(CEventInputKeyDown* event)
{
	const wchar_t character = static_cast<wchar_t>(event->character);
	if (character == 0 || !isTypeable(character) || !acceptsChar(character))
		return ControlNode::onKeyDown(event);
	if (lengthLimitReached())
		return true;
	buffer.insertChar(character, caret);
	finishEdit();
	return true;
}

void EditNode::finishEdit()
{
	textPart->setText(displayForm());
	placeCursor();
	auto* changed = new CEventNodeValueChanged(this);
	postEventToParent(DeliverSelfThenParent, changed);
	changed->drop();
}
