#include "../GameTestSupport.h"
#include "FrontendTestSupport.h"
#include "content/AtlasTexture.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "data/GLevelScores.h"
#include "data/GUpgradesConfiguration.h"
#include "data/ProfileKeys.h"
#include "device/CLinuxDevice.h"
#include "frontend/GMapLocationButton.h"
#include "frontend/GMapScene.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "support/OnScreenTest.h"

// Last: it brings Xlib, whose macros clash with names in the headers above.
#include "../WindowedGameFixture.h"

// The city map's hint over a location that needs an upgrade from the shop: the upgrade's name, its picture and
// whether it is bought, drawn in an OpenGL window and kept as <build>/artifacts/MapHint*.png.
namespace
{
class MapHintScreenshots : public WindowedGameTest
{
protected:
	MapHintScreenshots() : WindowedGameTest(L"Map hint screenshot test") {}

	void addContent() override
	{
		mapAtlas = SmartPointer<ContentObject>(application->contentManager->getContent(
		    ContentTypeAtlasTextureCollection, "atlases/MapMenu.xml", false));
		ASSERT_TRUE(mapAtlas);
		IFileSystem* files = getDevice()->getFileSystem();
		SmartPointer<CXMLReader> reader(files->createXMLReader("levels/common/UpgradesConfiguration.xml"));
		ASSERT_TRUE(reader && application->upgradesConfiguration->load(reader.get()));
		reader.reset(files->createXMLReader(GLevelScores::FileName));
		ASSERT_TRUE(reader && application->levelScores->load(reader.get()));
	}

	// Levels 1 to 7 done, the cafe bought and the guest house not: level 2's hint shows a bought upgrade and
	// level 8's a missing one.
	static void choosePlayer()
	{
		CProfileManager* profiles = CProfileManager::instance();
		while (profiles->getProfileCount() > 0)
			profiles->removeProfile(0);
		profiles->addProfile(L"Ada");
		profiles->setActiveProfile(0);
		CProfile* player = profiles->getActiveProfile();
		player->setInt(ProfileKey::MaxUnlockedLevelIndex, 7);
		player->setInt(ProfileKey::LevelIndex, 7);
		player->setBool(ProfileKey::ShowTutorialOn, false);
		player->setBool(ProfileKey::MusicOn, false);
		player->setString(ProfileKey::BoughtUpgrades, "Camping;Cafe;Hostel;Statue;TruckStation");
	}

	static std::string pictureOf(const BaseNode* node)
	{
		const auto* sprite = nodeCast<SpriteNode>(node);
		return sprite && sprite->getAtlasTexture() ? sprite->getAtlasTexture()->getContentRef().getName().c_str() : "";
	}

	// The screen position of the top-left corner of a hint's child: the hint stands at its Position less its
	// PivotPoint (the tip of its arrow points at the location).
	static irr::core::vector2di cornerOf(const BaseNode* hint, const BaseNode* child)
	{
		const float x = hint->getPosition().X - hint->getPivotPoint().X + child->getPosition().X;
		const float y = hint->getPosition().Y - hint->getPivotPoint().Y + child->getPosition().Y;
		return {static_cast<int>(x), static_cast<int>(y)};
	}

	SmartPointer<ContentObject> mapAtlas;
};

bool anything(const onscreen::Rgb&)
{
	return true;
}
} // namespace

TEST_F(MapHintScreenshots, AHintShowsTheNeededUpgradeByItsPicture)
{
	choosePlayer();
	auto* map = open<GMapScene>("scenes/MapScene.qscn");
	ASSERT_NE(map, nullptr);
	ASSERT_GE(map->getLocationButtons().size(), 9u);
	struct Case
	{
		const char* screen;
		size_t location;
		const char* hint;
		const char* icon;
		const char* sign;
	};
	const Case cases[] = {
	    {"MapHintBought", 1, "LevelHint4Node", "scenes/images/Map/Icons/Cafe.png", "scenes/images/Map/O.png"},
	    {"MapHintMissing", 8, "LevelHint3Node", "scenes/images/Map/Icons/GuestHouse.png", "scenes/images/Map/N.png"},
	};
	for (const Case& c : cases)
	{
		GMapLocationButton* location = map->getLocationButtons()[c.location];
		CEventNodeHovered over(nullptr, location);
		map->onEvent(&over);
		settle(10);
		BaseNode* hint = map->findChild(internStringId(c.hint), 2);
		ASSERT_NE(hint, nullptr) << c.hint;
		ASSERT_TRUE(hint->isVisible()) << c.screen;
		BaseNode* icon = hint->findChild(internStringId("Icon1"), 0);
		ASSERT_NE(icon, nullptr) << c.hint << " has no icon";
		EXPECT_EQ(pictureOf(icon), c.icon) << c.screen;
		EXPECT_EQ(pictureOf(hint->findChild(internStringId("Place1Sign"), 0)), c.sign) << c.screen;

		// The picture is drawn where the icon stands: the panel shows through once it hides.
		const irr::core::vector2di corner = cornerOf(hint, icon);
		const irr::core::vector2di plainSpot = corner - irr::core::vector2di(static_cast<int>(icon->getPosition().X),
		                                                                     static_cast<int>(icon->getPosition().Y)) +
		                                       irr::core::vector2di(170, 188);
		onscreen::WindowShot shot = shoot(c.screen, plainSpot.X, plainSpot.Y, anything);
		ASSERT_FALSE(shot.empty());
		const onscreen::Rgb panel = at(shot, plainSpot.X, plainSpot.Y);
		const auto notPanel = [&](const onscreen::Rgb& p)
		{ return std::abs(p.r - panel.r) + std::abs(p.g - panel.g) + std::abs(p.b - panel.b) > 60; };
		const int withIcon = count(shot, corner.X, corner.Y, corner.X + 30, corner.Y + 30, notPanel);
		EXPECT_GT(withIcon, 500) << c.screen;
		icon->setVisible(false);
		onscreen::WindowShot plain = shoot((std::string(c.screen) + "WithoutIcon").c_str(), 0, 0, anything);
		ASSERT_FALSE(plain.empty());
		EXPECT_LT(count(plain, corner.X, corner.Y, corner.X + 30, corner.Y + 30, notPanel), withIcon / 2) << c.screen;
		icon->setVisible(true);
		// The upgrade's name beside it.
		auto* name = nodeCast<TextNode>(hint->findChild(internStringId("Place1Text"), 0));
		ASSERT_NE(name, nullptr);
		EXPECT_FALSE(name->getText().empty());
		EXPECT_EQ(name->getText().findFirst(L'%'), -1);

		CEventNodeUnhovered away(nullptr, location);
		map->onEvent(&away);
		settle(5);
	}
}
