#pragma once

#include "GMenuTutorial.h"
#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

#include <vector>

class GAchievements;
class GShopButton;
class GUpgrade;
class GUpgradesConfiguration;
struct ShopLedger;
class TextNode;

// The upgrade shop over the map: spends the points of the best level scores on upgrades, shows which
// are locked, affordable or owned, marks those the chosen location needs and records purchases.
class GShopScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GShopScene, NodeTypeGShopScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GShopScene)

public:
	static constexpr const char* FileName = "scenes/ShopScene.qscn";

	explicit GShopScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                    INodeEventQueue* sceneManager = nullptr);
	~GShopScene() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	// Finds the scene's parts by name.
	void onLoaded() override;

	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	bool updateTime(unsigned elapsed) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onNodeHovered(CEventNodeHovered* event) override;
	bool onNodeUnhovered(CEventNodeUnhovered* event) override;

	// Points, prices and looks of every button from the profile; feeds the achievement counters and
	// saves them when they changed or when forced.
	void recalculatePoints(bool forceSave);
	// Marks the upgrades the current location needs, lit until they are owned.
	void refreshUpgradeHighlights();
	// The hint panel beside the button with its upgrade's price and text; hidden for null.
	void showUpgradeHint(GShopButton* button);
	// Opens the achievement popup for a bought-building counter over the shop.
	void showAchievementPopup(int counterIndex);
	// The developer's shortcut: every upgrade of the configuration owned (the points may go below 0).
	void grantAllUpgrades();
	// Buys the button's upgrade when the points suffice; false when nothing was bought.
	bool purchase(GShopButton* button);

	int getPoints() const { return points; }
	const std::vector<SmartPointer<GShopButton>>& getShopButtons() const { return shopButtons; }
	BaseNode* getHintNode() const { return hintNode.get(); }
	// The configuration the shop sells from: the application's unless one was given.
	void setUpgradesConfiguration(GUpgradesConfiguration* configuration);
	GUpgradesConfiguration* getUpgradesConfiguration() const;
	// The tracker of the bought-building counters: the application's unless one was given.
	void setAchievements(GAchievements* tracker);
	GAchievements* getAchievements() const;

	const GMenuTutorial& getTutorial() const { return tutorial; }

	static StringId nameIdHighlight();

private:
	struct FeaturePair
	{
		SmartPointer<GShopButton> base;
		SmartPointer<GShopButton> followUp;
	};

	SmartPointer<GUpgrade> upgradeOf(const GShopButton* button) const;
	void refreshButtons(const ShopLedger& ledger, int maxUnlocked);
	void refreshFeaturePairs();
	void advanceAchievements(const int counts[], bool forceSave);
	void hideHint();
	void clearParts();
	// The first shop tutorial after the first district's third level, the second after its seventh.
	void chooseTutorial();

	int points = 0;
	SmartPointer<BaseNode> shopButtonsNode;
	std::vector<SmartPointer<GShopButton>> shopButtons;
	std::vector<FeaturePair> featurePairs;
	SmartPointer<TextNode> scoreText;
	SmartPointer<BaseNode> hintNode;
	SmartPointer<BaseNode> highlightTemplate;
	SmartPointer<GUpgradesConfiguration> upgrades; // null: the application's
	SmartPointer<GAchievements> achievements;      // null: the application's
	GMenuTutorial tutorial{*this};
};
