#include "GShopButton.h"

#include "core/CPropertyCollection.h"
#include "core/PropertyMakers.h"
#include "core/TextUtils.h"
#include "nodes/TextNode.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <map>

GShopButton::GShopButton(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ButtonNode(reference, parentNode, manager)
{
}

const irr::core::stringw& GShopButton::typeNameText()
{
	static const irr::core::stringw name(L"GShopButton");
	return name;
}

StringId GShopButton::nameIdLocked()
{
	static const StringId id = internStringId("Locked");
	return id;
}

StringId GShopButton::nameIdBought()
{
	static const StringId id = internStringId("Bought");
	return id;
}

StringId GShopButton::shopStateFallback(StringId state)
{
	static const std::map<StringId, StringId> table = {{nameIdBought(), nameIdNormal()}};
	auto it = table.find(state);
	return it == table.end() ? controlStateFallback(state) : it->second;
}

// ---- properties

const PropertyTable& GShopButton::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    buttonNodePropertyTable(),
	    {
	        accessorProperty<&GShopButton::setUpgradeName, &GShopButton::getUpgradeName>("UpgradeName"),
	    });
	return table;
}

void GShopButton::writeProperties(CPropertyCollection& collection) const
{
	ButtonNode::writeProperties(collection);
	if (!upgradeName.isEmpty())
		collection.addString("UpgradeName", getStringById(upgradeName));
}

void GShopButton::readProperties(const CPropertyCollection& collection)
{
	ButtonNode::readProperties(collection);
	if (collection.indexOf("UpgradeName") >= 0)
		upgradeName = PropertyKind<StringId>::read(collection.get("UpgradeName"));
}

void GShopButton::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ButtonNode::copyFrom(source, manager);
	if (const GShopButton* other = nodeCast<GShopButton>(source))
		upgradeName = other->upgradeName;
}

void GShopButton::onLoaded()
{
	ButtonNode::onLoaded();
	priceText = shareRef(asTextNode(findChild(internStringId("PriceText"), 1)));
	boughtSign = shareRef(findChild(nameIdBought(), 1));
}

// ---- looks

void GShopButton::updateHoverVisualState()
{
	if (bought)
		setChildrenState(nameIdBought(), &GShopButton::shopStateFallback);
	else if (locked)
		setChildrenState(nameIdLocked(), &GShopButton::shopStateFallback);
	else
		ButtonNode::updateHoverVisualState();
}

void GShopButton::updateFocusVisualState()
{
	if (bought)
		setChildrenState(nameIdBought(), &GShopButton::shopStateFallback);
	else if (locked)
		setChildrenState(nameIdLocked(), &GShopButton::shopStateFallback);
	else
		ButtonNode::updateFocusVisualState();
}

void GShopButton::updateEnabledVisualState()
{
	updateFocusVisualState();
}

// ---- shop state

void GShopButton::showPriceUnlessBought()
{
	if (priceText)
		priceText->setVisible(!bought);
}

void GShopButton::setBought(bool value)
{
	bought = value;
	showPriceUnlessBought();
	if (boughtSign)
		boughtSign->setVisible(bought);
	updateEnabledVisualState();
}

void GShopButton::setLocked(bool value)
{
	locked = value;
	showPriceUnlessBought();
	updateEnabledVisualState();
}

void GShopButton::setPrice(int value)
{
	price = value;
	if (!priceText || bought)
		return;
	if (price <= 0)
	{
		priceText->setVisible(false);
		return;
	}
	priceText->setVisible(true);
	priceText->setText(formatThousands(price, L','));
}
