#pragma once

#include "data/GameNodeTypeIds.h"
#include "nodes/ButtonNode.h"

class SpriteNode;

// A location sign of the city map: names the level it starts and shows, inside its template, a
// selector ring, a rank star and a platform coloured by whether the location can be played.
class GMapLocationButton : public ButtonNode
{
	ENGINE_NODE_TYPE(GMapLocationButton, NodeTypeGMapLocationButton, ButtonNode)
	ENGINE_NODE_CLONE(GMapLocationButton)

public:
	static constexpr const char* PlatformImage = "scenes/images/Map/Platform.png";
	static constexpr const char* RedPlatformImage = "scenes/images/Map/Platform(Red).png";
	static constexpr const char* GreyPlatformImage = "scenes/images/Map/Platform(Grey).png";
	static constexpr const char* GreenPlatformImage = "scenes/images/Map/Platform(Green).png";
	static constexpr const char* GoldStarImage = "scenes/images/Map/GoldStar.png";
	static constexpr const char* SilverStarImage = "scenes/images/Map/SilverStar.png";

	explicit GMapLocationButton(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override {}

	// Enabled shows the star and the plain platform; disabled hides the star on a grey platform.
	void setEnabled(bool value) override;
	void applyTemplate() override;

	void setSelected(bool selected);
	// Red platform when a required upgrade is missing; enabled buttons only.
	void setUpgradesBoughtPlatform(bool allBought);
	// Green platform for a mini-game; enabled buttons only, and only when true.
	void setMiniGamePlatform(bool miniGame);
	// 2 gold, 1 silver, anything else no star.
	void setRankStar(int rank);
	// Starts the "Wave" animation of the star group part-way through, phase 0 to 1.
	void startWave(float phase);

	const irr::core::stringc& getAssociatedLevelName() const { return associatedLevelName; }
	void setAssociatedLevelName(const irr::core::stringc& name) { associatedLevelName = name; }

	// The template parts; null when the template has none.
	BaseNode* getSelector() const { return selector; }
	BaseNode* getStarGroup() const { return starGroup; }
	SpriteNode* getStar() const { return star; }
	SpriteNode* getPlatform() const { return platform; }

private:
	void showPicture(SpriteNode* sprite, const char* name) const;

	irr::core::stringc associatedLevelName;
	// Parts inside the template root, owned by it; looked up again whenever the template is applied.
	BaseNode* selector = nullptr;
	BaseNode* starGroup = nullptr;
	SpriteNode* star = nullptr;
	SpriteNode* platform = nullptr;
};
