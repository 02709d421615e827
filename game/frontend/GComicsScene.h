#pragma once

#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

#include <vector>

class CEventNodeChildrenStateFinished;
class CEventNodeStateFinished;

// A comic strip between levels: panels ("Parts") come in one after the other, each showing its text
// boxes one by one on the player's clicks; one panel may first send the player to the auction.
class GComicsScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GComicsScene, NodeTypeGComicsScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GComicsScene)

public:
	explicit GComicsScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                      INodeEventQueue* sceneManager = nullptr);
	~GComicsScene() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	// Finds the parts and starts listening to them.
	void onLoaded() override;

	bool onStateFinished(CEventNodeStateFinished* event) override;
	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;
	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	// The next panel comes in; after the last one the back button shows.
	void nextPart();
	// The next text box of the current panel comes in; with no boxes the panel goes.
	void nextPiece();

	int getCurrentPart() const { return currentPart; }
	int getCurrentPiece() const { return currentPiece; }
	int getPartCount() const { return static_cast<int>(parts.size()); }
	bool isBusy() const { return busy; }
	bool isMiniGameOpened() const { return miniGameOpened; }
	BaseNode* getBackButton() const { return backButton.get(); }
	BaseNode* getPart(int index) const;
	BaseNode* getPiece(int index) const;

	// The level folder of the auction that the detour plays.
	static constexpr const char* MiniGameLevelName = "minigame_auction";

private:
	bool isCurrentPart(const BaseNode* node) const;
	bool isCurrentPiece(const BaseNode* node) const;
	// Sends the player to the auction before the panel that holds the detour marker; false when it
	// cannot be opened (the panel then simply plays).
	bool openMiniGame();
	void listenTo(BaseNode* node);
	void stopListening();
	void endPart();

	SmartPointer<BaseNode> darkBg;
	SmartPointer<BaseNode> partsNode;
	std::vector<SmartPointer<BaseNode>> parts;
	int currentPart = -1;
	std::vector<SmartPointer<BaseNode>> pieces;
	int currentPiece = -1;
	bool busy = false;
	bool miniGameOpened = false;
	SmartPointer<BaseNode> backButton;
	SmartPointer<BaseNode> listenedBg; // the current part's "Bg", while this scene listens to it
};
