#include "frontend/GMainMenuScene.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "frontend/GSelectPlayerInputNameScene.h"
#include "frontend/GSelectPlayerScene.h"
#include "frontend/GShopButton.h"
#include "frontend/GShopScene.h"
#include "nodes/EditNode.h"
#include "nodes/ListNode.h"
#include "nodes/MessageBoxNode.h"
#include "nodes/SliderNode.h"
#include "scene/NodeEvents.h"

#include "play/WindowedPlayStage.h"

// The screens a new player walks through before a level, in one game started in a 1024 x 768 OpenGL window:
// the main menu with the player dialogs over it, the map with a location's hint and the shop with a card's
// hint. Each is kept as <build>/artifacts/tour-*.png; the play screens are kept by the play screen's own test.
namespace
{
class ScreenTourScreenshots : public playtest::WindowedPlayStage
{
protected:
	template <class T> T* onTop() const { return settled() ? nodeCast<T>(top()) : nullptr; }

	template <class T> T* pressUntil(BaseNode* control)
	{
		EXPECT_NE(control, nullptr);
		if (!control)
			return nullptr;
		CEventNodeClicked clicked(control);
		top()->onEvent(&clicked);
		stepUntil(500, [&] { return onTop<T>() != nullptr; });
		EXPECT_NE(onTop<T>(), nullptr) << "on top: " << irr::core::stringc(top() ? top()->getTypeName() : L"nothing").c_str();
		return onTop<T>();
	}

	BaseNode* inScene(const char* name) const
	{
		BaseNode* scene = top() ? top()->findChild(internStringId("Scene"), 0) : nullptr;
		return scene ? scene->findChild(internStringId(name), 0) : nullptr;
	}

	void closeTopTo(SceneNode* below)
	{
		top()->closeTo(0);
		ASSERT_TRUE(stepUntil(300, [&] { return top() == below && settled(); }));
	}
};
} // namespace

TEST_F(ScreenTourScreenshots, MenuDialogsMapHintAndShopCard)
{
	// Nine locations done with scores to spend, the cafe bought.
	player()->setInt(ProfileKey::MaxUnlockedLevelIndex, 9);
	player()->setInt(ProfileKey::LevelIndex, 2);
	player()->setString(ProfileKey::Scores, "99999;4100;3200;2800;5000;4200;3900;4400;4700");
	player()->setString(ProfileKey::BoughtUpgrades, "Camping;Cafe");
	player()->setBool(ProfileKey::MusicOn, false);

	auto* menu = onTop<GMainMenuScene>();
	ASSERT_NE(menu, nullptr);
	shoot("tour-mainmenu");

	// The player list, and over it the name entry and the deletion question.
	auto* players = pressUntil<GSelectPlayerScene>(inScene("ChangePlayerButton"));
	ASSERT_NE(players, nullptr) << log.dump();
	EXPECT_GE(players->getPlayersList()->getItemCount(), 1u);
	// The scroll bar's track runs the list's whole height.
	const SliderNode* bar = players->getPlayersList()->getSliderPart();
	ASSERT_TRUE(bar && bar->getSlidingAreaPart());
	EXPECT_EQ(bar->getSlidingAreaPart()->getBounds().Y, bar->getBounds().Y);
	shoot("tour-mainmenu-players");
	auto* entry = pressUntil<GSelectPlayerInputNameScene>(players->getNewPlayerButton());
	ASSERT_NE(entry, nullptr) << log.dump();
	entry->getNameEdit()->setText(L"Sander");
	CEventNodeValueChanged typed(entry->getNameEdit());
	entry->onEvent(&typed);
	stepUntil(10, [] { return false; });
	EXPECT_TRUE(entry->getOkButton()->isEnabled());
	shoot("tour-mainmenu-newplayer");
	closeTopTo(players);
	auto* question = pressUntil<MessageBoxNode>(players->getDeletePlayerButton());
	ASSERT_NE(question, nullptr) << log.dump();
	EXPECT_FALSE(question->getBodyText().empty());
	ASSERT_EQ(question->getButtons().size(), 2u);
	shoot("tour-mainmenu-deleteplayer");
	// "No": the player stays.
	ASSERT_EQ(pressUntil<GSelectPlayerScene>(question->getButtons()[1].get()), players);
	EXPECT_GE(players->getPlayersList()->getItemCount(), 1u);
	closeTopTo(menu);

	// The map, a location's hint shown where it was hovered.
	auto* map = pressUntil<GMapScene>(inScene("NewGameButton"));
	ASSERT_NE(map, nullptr) << log.dump();
	ASSERT_GE(map->getLocationButtons().size(), 9u);
	CEventNodeHovered overLocation(nullptr, map->getLocationButtons()[3]);
	map->onEvent(&overLocation);
	stepUntil(20, [] { return false; });
	bool hintShown = false;
	for (int number = 1; number <= 4; ++number)
		hintShown = hintShown || map->getLevelHint(number)->isVisible();
	EXPECT_TRUE(hintShown);
	shoot("tour-map-hint");
	CEventNodeUnhovered awayFromLocation(nullptr, map->getLocationButtons()[3]);
	map->onEvent(&awayFromLocation);

	// The shop, a card's hint over it.
	auto* shop = pressUntil<GShopScene>(map->findChild(internStringId("ShopButton"), 3));
	ASSERT_NE(shop, nullptr) << log.dump();
	ASSERT_FALSE(shop->getShopButtons().empty());
	shoot("tour-shop");
	GShopButton* card = shop->getShopButtons()[shop->getShopButtons().size() / 2].get();
	CEventNodeHovered overCard(nullptr, card);
	shop->onEvent(&overCard);
	stepUntil(20, [] { return false; });
	ASSERT_NE(shop->getHintNode(), nullptr);
	EXPECT_TRUE(shop->getHintNode()->isVisible());
	shoot("tour-shop-tooltip");
}
