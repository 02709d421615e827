#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class ButtonNode;
class SliderNode;
class TextNode;

// The user options, saved at once: effects and music volume and switches in the current player's
// profile, full screen and the system cursor in the common profile. All apply at once except full
// screen, which applies at the next start; its button shows the mode in effect.
class GOptionsScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GOptionsScene, NodeTypeGOptionsScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GOptionsScene)

public:
	static constexpr const char* FileName = "scenes/OptionsScene.qscn";
	static constexpr const char* OnTemplate = "Options_OnOffButtonGreen";
	static constexpr const char* OffTemplate = "Options_OnOffButtonRed";

	explicit GOptionsScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                       INodeEventQueue* sceneManager = nullptr);
	// Defined where the parts' classes are complete.
	~GOptionsScene() override;

	static const irr::core::stringw& typeNameText();

	void onLoaded() override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onValueChanged(CEventNodeValueChanged* event) override;

	// Shows the state by the button's template and caption.
	static void setOnOffButton(ButtonNode* button, bool on);
	// On exactly when the button wears the green template.
	static bool isOn(const ButtonNode* button);
	// The system arrow, or the game's cursor picture.
	void applyCursor(bool useSystemCursor);
	// Whether the window now covers the screen.
	static bool isFullscreenInEffect();
	// The dictionary text under the full-screen switch, null when the choice is in effect.
	static const wchar_t* displayModeNote(bool chosen, bool inEffect, bool askedAtStart);

	SliderNode* getSoundSlider() const { return soundSlider.get(); }
	SliderNode* getMusicSlider() const { return musicSlider.get(); }
	ButtonNode* getFullscreenButton() const { return fullscreenButton.get(); }
	ButtonNode* getCursorButton() const { return cursorButton.get(); }
	ButtonNode* getMuteSoundButton() const { return muteSoundButton.get(); }
	ButtonNode* getMuteMusicButton() const { return muteMusicButton.get(); }
	TextNode* getFullscreenNote() const { return fullscreenNote.get(); }

private:
	void showStoredValues();
	// The full-screen button and its note: the mode in effect and what the next start brings.
	void showDisplayMode();
	// Shows, stores, applies and saves the new state of a pressed on/off button.
	void toggle(ButtonNode* button);
	void goBack();

	// Parts of this scene's own tree; null when missing or of another class.
	SmartPointer<SliderNode> soundSlider;
	SmartPointer<SliderNode> musicSlider;
	SmartPointer<ButtonNode> fullscreenButton;
	SmartPointer<ButtonNode> cursorButton;
	SmartPointer<ButtonNode> muteSoundButton;
	SmartPointer<ButtonNode> muteMusicButton;
	SmartPointer<TextNode> fullscreenNote;
};
