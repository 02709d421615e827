#pragma once

#include "GMiniGameScene.h"

#include <irrlicht/irrArray.h>

class ControlNode;
class GEllipseSectorNode;
class TextNode;

// The auction mini-game: three zones show piles of money and the player picks the biggest, round
// after round, until the time runs out; a right pick scores, a wrong one only starts the next round.
class GMiniGameAuctionScene : public GMiniGameScene
{
	ENGINE_NODE_TYPE(GMiniGameAuctionScene, NodeTypeGMiniGameAuctionScene, GMiniGameScene)
	ENGINE_NODE_CLONE(GMiniGameAuctionScene)

public:
	static constexpr const char* MoneyFolder = "levels/minigame_auction/Money/";
	static constexpr int Reward = 15;
	static constexpr int ZoneCount = 3;
	// Steps of the configured sequence past this many are skipped.
	static constexpr int MaxSequenceSteps = 100;

	// One entry of the configured sequence; kept as read, play does not use it.
	struct SequenceStep
	{
		int m = 2;
		int d = 1;
	};

	explicit GMiniGameAuctionScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                               INodeEventQueue* sceneManager = nullptr);
	~GMiniGameAuctionScene() override;

	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	void loadMiniGameElement(IXMLReader* reader) override;
	bool updateTime(unsigned elapsed) override;
	bool onNodePressed(CEventNodeClicked* event) override;

	// Draws and shows a new round.
	void startRound();
	void fillZone(ControlNode* zone, int pile);

	int getZonePile(int index) const { return zonePiles[index]; }
	int getBiggestPile() const { return biggestPile; }
	int getRoundNumber() const { return roundNumber; }
	ControlNode* getZone(int index) const { return zones[index].get(); }
	const irr::core::array<SequenceStep>& getSequence() const { return sequence; }

protected:
	void startPlay() override;

private:
	void readSequence(IXMLReader* reader);
	void pick(ControlNode* zone);
	void flyReward();

	SmartPointer<TextNode> timeLeftText;
	SmartPointer<BaseNode> longArrow;
	SmartPointer<GEllipseSectorNode> ellipse;
	SmartPointer<TextNode> scoreText;
	SmartPointer<ControlNode> zones[ZoneCount];
	int zonePiles[ZoneCount] = {0, 0, 0};
	int biggestPile = 0;
	int roundNumber = 0;
	int reward = Reward;
	irr::core::array<SequenceStep> sequence;
};
