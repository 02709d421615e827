#pragma once

#include "GTutorialHintList.h"
#include "core/EventReceiver.h"
#include "core/SmartPointer.h"

#include <memory>

class BaseNode;
class ButtonNode;
class CEventInputMouseLeftDown;
class CEventInputMouseMove;
class CEventNodeClicked;
class IXMLReader;
class TemplateCollectionNode;
class TextNode;

// Runs a tutorial: shows its hints one by one in a speech window with arrows, and filters the
// player's clicks so that each hint's actions see them first.
class GTutorial : public EventReceiver
{
public:
	// parent: where the window and the arrows are made; templates: the collection holding
	// "TutorialWindow" and "TutorialArrow"; content: kept for the tutorial's life.
	GTutorial(BaseNode* parent, TemplateCollectionNode* templates, ReferenceCounted* content);
	~GTutorial() override;

	GTutorial(const GTutorial&) = delete;
	GTutorial& operator=(const GTutorial&) = delete;

	// Reads the hints; target receives the actions' messages (the level, or null). True when the
	// end of the tutorial was reached.
	bool load(IXMLReader* reader, EventReceiver* target);
	void disableTutorialHints() { tutorialHintsOff = true; }
	void disableTips() { tipsOff = true; }
	bool isCurrentHintTip() const { return currentIsTip; }

	bool start();
	// False once the tutorial is over (its window and arrows are gone then).
	bool update(int elapsed);
	// Ends the tutorial at once; a level the shown hint paused goes on.
	bool stop();

	bool onEvent(CEvent* event) override;

	// What tests and the owner look at.
	int getCurrentHint() const { return currentHint; }
	int getHintCount() const { return hints ? hints->getCount() : 0; }
	BaseNode* getWindow() const { return window.get(); }
	BaseNode* getArrowsNode() const { return arrowsNode.get(); }

private:
	void parseTutorial(IXMLReader* reader);
	void showHint();
	bool isExcluded(const GTutorialHint* hint) const;
	void resumeLevel();
	void showWindow(const GTutorialHint* hint);
	void showArrows(const GTutorialHint* hint);
	void removeNodes();
	void registerWithDevice();
	void unregisterFromDevice();
	bool onClicked(CEventNodeClicked* event);
	void onMouseMove(CEventInputMouseMove* event);
	// Whether a raw mouse press from the device is the shown hint's to judge.
	bool takesRawPress(const CEventInputMouseLeftDown* press) const;

	SmartPointer<ReferenceCounted> content;
	EventReceiver* target = nullptr;          // the level, owned by the play screen, which ends the tutorial first
	std::unique_ptr<GTutorialHintList> hints; // none without the window template
	int currentHint = 0;
	BaseNode* parent = nullptr; // owned by the tutorial's owner
	SmartPointer<BaseNode> arrowsNode;
	SmartPointer<BaseNode> arrowTemplate;
	SmartPointer<BaseNode> window;
	TextNode* text = nullptr;          // child of the window
	ButtonNode* skipButton = nullptr;  // child of the window
	BaseNode* skipHighlight = nullptr; // child of the skip button
	bool answered = false;             // the shown message box was answered
	bool currentIsTip = false;
	bool tutorialHintsOff = false;
	bool tipsOff = false;
	bool running = false;   // started and not over: only then are events filtered
	bool listening = false; // registered with the device
};
