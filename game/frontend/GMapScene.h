#pragma once

#include "GMenuTutorial.h"
#include "app/GBaseSceneNode.h"
#include "core/SmartPointer.h"

#include <array>
#include <vector>

class ControlNode;
class GMapLocationButton;
class GUpgrade;

// What the map shows of one location: done or not, rank, time and the upgrades it requires.
struct GMapLevelRecord
{
	bool completed = false;
	int rank = 0; // 0 none, 1 silver, 2 gold
	int time = 0; // ms
	std::vector<bool> upgradeBought;
	std::vector<SmartPointer<GUpgrade>> upgrades;
};

// The city map: 32 locations (four districts of seven levels and a mini-game) with their ranks,
// times and required upgrades; starts the chosen location or sends the player to the shop.
class GMapScene : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(GMapScene, NodeTypeGMapScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(GMapScene)

public:
	static constexpr const char* ShopSceneName = "scenes/ShopScene.qscn";
	static constexpr int HintCount = 6;

	explicit GMapScene(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                   INodeEventQueue* sceneManager = nullptr);
	~GMapScene() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();
	// The location of a 1-based level number; -1 for none of the given count.
	static int locationOfLevel(int levelNumber, int locationCount);
	// Mini-games close each district of eight locations.
	static bool isMiniGameLocation(int index) { return index % 8 == 7; }

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;
	// A map without its location buttons or play button leads nowhere.
	irr::core::stringc whyUnusable() const override;

	bool onKeyUp(CEventInputKeyUp* event) override;
	bool onKeyDown(CEventInputKeyDown* event) override;
	bool updateTime(unsigned elapsed) override;
	bool onSceneChangeStarted(CEventNodeSceneChangeStarted* event) override;
	bool onSceneChangeFinished(CEventNodeSceneChangeFinished* event) override;
	bool onNodePressed(CEventNodeClicked* event) override;
	bool onNodeHovered(CEventNodeHovered* event) override;
	bool onNodeUnhovered(CEventNodeUnhovered* event) override;

	void buildLevelRecords();
	void refreshLocationButtons();
	bool areLevelUpgradesBought(irr::u32 index) const;
	void showLevelHint(GMapLocationButton* button);
	// The selected location's hint while its level cannot be played, no hint otherwise.
	void showSelectedLevelNeeds();
	void placeLevelHint(BaseNode* hint, float x, float y);
	static void showHintArrow(BaseNode* hint, StringId arrow);

	const std::vector<GMapLocationButton*>& getLocationButtons() const { return locationButtons; }
	const std::vector<GMapLevelRecord>& getLevelRecords() const { return levelRecords; }
	GMapLocationButton* getSelectedLocation() const { return selectedLocation; }
	ControlNode* getPlayButton() const { return playButton; }
	BaseNode* getLevelHint(int number) const { return levelHintNodes[static_cast<size_t>(number - 1)]; }
	const GMenuTutorial& getTutorial() const { return tutorial; }

private:
	int indexOf(const GMapLocationButton* button) const;
	void selectLocation(GMapLocationButton* button);
	void fillLevelHint(BaseNode* hint, const GMapLocationButton* button, const GMapLevelRecord& record);
	// The first map tutorial on the first visit, the second after the first district's third level.
	void chooseTutorial(const CEventNodeSceneChangeStarted* event);

	// Nodes of this scene's tree, owned by it.
	std::vector<GMapLocationButton*> locationButtons;
	GMapLocationButton* selectedLocation = nullptr;
	ControlNode* playButton = nullptr;
	std::array<BaseNode*, HintCount> levelHintNodes{};
	std::vector<GMapLevelRecord> levelRecords;
	GMenuTutorial tutorial{*this};
};
