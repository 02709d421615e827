#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

class SpriteNode;
class TextNode;

// Popup announcing one newly earned achievement: its icon, name and earned description, with an OK button.
class GAchievementUnlockedScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GAchievementUnlockedScene, NodeTypeGAchievementUnlockedScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GAchievementUnlockedScene)

public:
	static constexpr const char* FileName = "scenes/AchievementUnlockedScene.qscn";

	explicit GAchievementUnlockedScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                                   INodeEventQueue* sceneManager = nullptr);
	~GAchievementUnlockedScene() override;

	static const irr::core::stringw& typeNameText();

	void onLoaded() override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	// Shows achievement index (0 to 11) in the parts the scene file has.
	void showAchievement(int index);

	SpriteNode* getImage() const { return image.get(); }
	TextNode* getNameText() const { return nameText.get(); }
	TextNode* getDescriptionText() const { return descriptionText.get(); }

private:
	// Parts of this scene's own tree, found by name when it is loaded; null when missing.
	SmartPointer<SpriteNode> image;
	SmartPointer<TextNode> nameText;
	SmartPointer<TextNode> descriptionText;
};
