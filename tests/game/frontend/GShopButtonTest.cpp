#include "frontend/GShopButton.h"

#include "ShopTestSupport.h"
#include "nodes/TextNode.h"

#include <gtest/gtest.h>

using namespace shoptest;

namespace
{
// A look child whose tint tells the state it last played: white normal, yellow hover, grey locked,
// green bought; and without a "Bought" state of its own for the second look.
std::string lookChild(const char* name, bool withBought)
{
	std::string inner = tintState("Normal", "ffffffff") + tintState("NormalHover", "ffffff00") +
	                    tintState("NormalKillHover", "ffffffff") + tintState("NormalDisable", "ff404040") +
	                    tintState("Locked", "ff808080");
	if (withBought)
		inner += tintState("Bought", "ff00ff00");
	return node("BaseNode", name, states(inner));
}

std::string buttonXml(bool withParts)
{
	std::string inner = lookChild("Look", true) + lookChild("Picture", false);
	if (withParts)
		inner += node("TextNode", "PriceText") + node("BaseNode", "Bought");
	return node("GShopButton", "Offer", inner, "<string Name=\"UpgradeName\" Value=\"Hostel\"/>");
}

unsigned tintOf(const GShopButton& button, const char* child)
{
	return button.findChild(internStringId(child), 1)->getTintColor().color;
}
} // namespace

TEST(GShopButton, ReadsWritesAndCopiesItsUpgradeName)
{
	const SmartPointer<GShopButton> button = loadScene<GShopButton>(buttonXml(true));
	ASSERT_TRUE(button);
	EXPECT_EQ(getStringById(button->getUpgradeName()), "Hostel");
	EXPECT_TRUE(button->getPriceText());
	EXPECT_TRUE(button->getBoughtSign());

	SmartPointer<BaseNode> copy(button->clone());
	GShopButton* copied = nodeCast<GShopButton>(copy.get());
	ASSERT_TRUE(copied);
	EXPECT_EQ(copied->getUpgradeName(), button->getUpgradeName());
	// The clone finds its own parts.
	ASSERT_TRUE(copied->getPriceText());
	EXPECT_NE(copied->getPriceText(), button->getPriceText());

	CPropertyCollection written;
	button->writeProperties(written);
	EXPECT_EQ(written.getString("UpgradeName"), "Hostel");
	SmartPointer<GShopButton> unnamed(new GShopButton());
	CPropertyCollection none;
	unnamed->writeProperties(none);
	EXPECT_LT(none.indexOf("UpgradeName"), 0);
}

TEST(GShopButton, PriceShowsInThousandsUntilBought)
{
	const SmartPointer<GShopButton> button = loadScene<GShopButton>(buttonXml(true));
	ASSERT_TRUE(button);
	TextNode* price = button->getPriceText();
	BaseNode* sign = button->getBoughtSign();

	struct Case
	{
		const char* story;
		int price;
		bool bought;
		bool priceShown;
		const wchar_t* text;
		bool signShown;
	};
	const Case cases[] = {
	    {"for sale", 1500, false, true, L"1,500", false},
	    {"free", 0, false, false, L"1,500", false},
	    {"a million", 1234567, false, true, L"1,234,567", false},
	    {"bought, then priced again", 2000, true, false, L"1,234,567", true},
	};
	for (const Case& c : cases)
	{
		// The shop's order: bought first for a bought button, the price after it.
		button->setBought(c.bought);
		button->setPrice(c.price);
		EXPECT_EQ(price->isVisible(), c.priceShown) << c.story;
		EXPECT_TRUE(price->getText() == c.text) << c.story;
		EXPECT_EQ(sign->isVisible(), c.signShown) << c.story;
	}
	button->setBought(false);
	button->setLocked(true);
	EXPECT_TRUE(price->isVisible()) << "a locked, unbought offer keeps its price line";
}

TEST(GShopButton, LockedAndBoughtLooksWinOverTheControlLooks)
{
	for (bool withParts : {true, false})
	{
		const SmartPointer<GShopButton> button = loadScene<GShopButton>(buttonXml(withParts));
		ASSERT_TRUE(button);

		button->setHovered(true);
		EXPECT_EQ(tintOf(*button, "Look"), 0xffffff00u) << "hover look while for sale";

		button->setLocked(true);
		EXPECT_EQ(tintOf(*button, "Look"), 0xff808080u);
		button->setHovered(false);
		button->setHovered(true);
		EXPECT_EQ(tintOf(*button, "Look"), 0xff808080u) << "hovering a locked offer keeps it locked";

		button->setLocked(false);
		button->setBought(true);
		EXPECT_EQ(tintOf(*button, "Look"), 0xff00ff00u);
		// A child without a bought look plays its normal one.
		EXPECT_EQ(tintOf(*button, "Picture"), 0xffffffffu);
		button->setHovered(false);
		EXPECT_EQ(tintOf(*button, "Look"), 0xff00ff00u);
	}
}
