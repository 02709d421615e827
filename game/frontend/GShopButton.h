#pragma once

#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "data/GameNodeTypeIds.h"
#include "nodes/ButtonNode.h"

class TextNode;

// One upgrade offer of the shop: names its upgrade, shows its price and plays the "Locked" or "Bought"
// look on its children in place of the control looks while the shop says so.
class GShopButton : public ButtonNode
{
	ENGINE_NODE_TYPE(GShopButton, NodeTypeGShopButton, ButtonNode)
	ENGINE_NODE_CLONE(GShopButton)

public:
	explicit GShopButton(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                     INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	// Finds the direct children "PriceText" and "Bought".
	void onLoaded() override;

	void updateHoverVisualState() override;
	void updateFocusVisualState() override;
	void updateEnabledVisualState() override;

	void setBought(bool value);
	bool isBought() const { return bought; }
	void setLocked(bool value);
	bool isLocked() const { return locked; }
	// Shown with "," between thousands; 0 or less hides the price.
	void setPrice(int value);
	int getPrice() const { return price; }
	StringId getUpgradeName() const { return upgradeName; }
	void setUpgradeName(StringId name) { upgradeName = name; }

	TextNode* getPriceText() const { return priceText.get(); }
	BaseNode* getBoughtSign() const { return boughtSign.get(); }

	static StringId nameIdLocked();
	static StringId nameIdBought();
	// The control fallbacks, and "Normal" for a child without a "Bought" look.
	static StringId shopStateFallback(StringId state);

private:
	void showPriceUnlessBought();

	bool bought = false;
	bool locked = false;
	int price = 0;
	StringId upgradeName;
	SmartPointer<TextNode> priceText;
	SmartPointer<BaseNode> boughtSign;
};
