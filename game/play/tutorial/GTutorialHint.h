#pragma once

#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector3d.h>
#include <vector>

class EventReceiver;
class GTutorialAction;
class IXMLReader;

// One arrow of a hint: where it stands and how it is turned (z only).
struct GTutorialArrow
{
	irr::core::vector3df position;
	irr::core::vector3df rotation; // degrees
};

// One step of a tutorial: the window's text and place, its arrows and the actions that end it.
class GTutorialHint : public virtual ReferenceCounted
{
public:
	// The reader stands on the Hint element; reads up to its end.
	void parse(IXMLReader* reader);
	// The reader stands on the Actions element; reads up to its end.
	void parseActions(IXMLReader* reader);
	// The reader stands on the Arrows element; reads up to its end.
	void parseArrows(IXMLReader* reader);
	void startActions(EventReceiver* target);

	// A new action of the type named in a file, or null for a type that does not exist.
	static GTutorialAction* createAction(const irr::core::stringw& type);

	bool isTip() const { return tip; }
	bool isMessageBox() const { return messageBox; }
	bool isLinnet() const { return linnet; }
	const irr::core::stringw& getText() const { return text; }
	const irr::core::stringc& getImageFilename() const { return imageFilename; }
	const irr::core::vector3df& getPosition() const { return position; }
	int getTextBgType() const { return textBgType; }
	const irr::core::vector3df& getTextPosition() const { return textPosition; }
	const std::vector<GTutorialArrow>& getArrows() const { return arrows; }
	const std::vector<SmartPointer<GTutorialAction>>& getActions() const { return actions; }

private:
	bool tip = false;
	bool messageBox = false;
	bool linnet = false; // the window shows even without a text
	irr::core::stringw text;
	irr::core::stringc imageFilename; // kept, not shown
	irr::core::vector3df position{570.0f, 516.0f, 0.0f};
	int textBgType = 0; // 0: "Type1" on the text, otherwise "Type2"
	irr::core::vector3df textPosition{-35.0f, -11.0f, 1.0f};
	std::vector<GTutorialArrow> arrows;
	std::vector<SmartPointer<GTutorialAction>> actions;
};
