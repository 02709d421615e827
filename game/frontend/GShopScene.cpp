#include "GShopScene.h"

#include "GAchievementUnlockedScene.h"
#include "GShopButton.h"
#include "ShopLedger.h"
#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "core/TextUtils.h"
#include "data/GAchievements.h"
#include "data/GUpgradesConfiguration.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyU = 85;
constexpr float HighlightDepth = 10.0f;
constexpr float HintDepth = 1000.0f;

CDictionary* dictionary()
{
	IDevice* device = Singleton<IDevice>::peek();
	return device ? device->getDictionary() : nullptr;
}

CProfile* currentProfile()
{
	return CProfileManager::instance()->getActiveProfile();
}

BaseNode* directChild(const BaseNode* parent, const char* name)
{
	return parent ? parent->findChild(internStringId(name), 1) : nullptr;
}

GShopButton* shopButton(const BaseNode* parent, const char* name)
{
	return nodeCast<GShopButton>(directChild(parent, name));
}

StringId stateOn()
{
	static const StringId id = internStringId("On");
	return id;
}

StringId stateOff()
{
	static const StringId id = internStringId("Off");
	return id;
}
} // namespace

GShopScene::GShopScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GShopScene::~GShopScene() = default;

const irr::core::stringw& GShopScene::typeNameText()
{
	static const irr::core::stringw name(L"GShopScene");
	return name;
}

StringId GShopScene::nameIdHighlight()
{
	static const StringId id = internStringId("ShopButtonHLNode");
	return id;
}

void GShopScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GShopScene::setUpgradesConfiguration(GUpgradesConfiguration* configuration)
{
	upgrades = shareRef(configuration);
}

GUpgradesConfiguration* GShopScene::getUpgradesConfiguration() const
{
	if (upgrades)
		return upgrades.get();
	return gGameApplication ? gGameApplication->upgradesConfiguration.get() : nullptr;
}

void GShopScene::setAchievements(GAchievements* tracker)
{
	achievements = shareRef(tracker);
}

GAchievements* GShopScene::getAchievements() const
{
	if (achievements)
		return achievements.get();
	return gGameApplication ? gGameApplication->achievements.get() : nullptr;
}

void GShopScene::clearParts()
{
	shopButtonsNode = nullptr;
	shopButtons.clear();
	featurePairs.clear();
	scoreText = nullptr;
	hintNode = nullptr;
	highlightTemplate = nullptr;
}

void GShopScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	clearParts();
	BaseNode* scene = directChild(this, "Scene");
	if (!scene)
		return;
	shopButtonsNode = shareRef(directChild(scene, "ShopButtons"));
	if (shopButtonsNode)
	{
		const irr::core::array<BaseNode*>& children = shopButtonsNode->getChildren();
		for (irr::u32 i = 0; i < children.size(); ++i)
			if (GShopButton* button = nodeCast<GShopButton>(children[i]))
				shopButtons.push_back(shareRef(button));
	}
	static const char* const pairs[][2] = {
	    {"AquaPark", "AquaParkFeature2"}, {"TruckStation", "TruckStationFeature2"}, {"REAgency", "REAgencyFeature2"}};
	for (const auto& pair : pairs)
		featurePairs.push_back(FeaturePair{shareRef(shopButton(shopButtonsNode.get(), pair[0])),
		                                   shareRef(shopButton(shopButtonsNode.get(), pair[1]))});
	scoreText = shareRef(asTextNode(directChild(scene, "ScoreText")));
	hintNode = shareRef(directChild(scene, "Hint1Node"));
	highlightTemplate = shareRef(directChild(scene, "ShopButtonHLNode"));
}

SmartPointer<GUpgrade> GShopScene::upgradeOf(const GShopButton* button) const
{
	const GUpgradesConfiguration* configuration = getUpgradesConfiguration();
	if (!button || !configuration || button->getUpgradeName().isEmpty())
		return SmartPointer<GUpgrade>();
	return configuration->findUpgrade(button->getUpgradeName());
}

// ---- points and looks

void GShopScene::recalculatePoints(bool forceSave)
{
	CProfile* profile = currentProfile();
	GUpgradesConfiguration* configuration = getUpgradesConfiguration();
	if (!profile || !configuration)
		return;
	const ShopLedger ledger = computeShopLedger(*configuration, profile->getString(ProfileKey::BoughtUpgrades).c_str(),
	                                            profile->getString(ProfileKey::Scores).c_str());
	points = ledger.points();
	if (scoreText)
	{
		const CDictionary* texts = dictionary();
		const irr::core::stringw amount = formatThousands(points, L',');
		scoreText->setText(texts ? texts->format("Shop_ScoreTxt", amount) : amount);
	}
	refreshButtons(ledger, profile->getInt(ProfileKey::MaxUnlockedLevelIndex));
	refreshFeaturePairs();
	advanceAchievements(ledger.groupCounts.data(), forceSave);
}

void GShopScene::refreshButtons(const ShopLedger& ledger, int maxUnlocked)
{
	for (const SmartPointer<GShopButton>& button : shopButtons)
	{
		const SmartPointer<GUpgrade> upgrade = upgradeOf(button.get());
		if (!upgrade || !isUpgradeForSale(*upgrade, maxUnlocked))
		{
			button->setBought(false);
			button->setPrice(0);
			button->setEnabled(false);
			button->setLocked(true);
			continue;
		}
		button->setLocked(false);
		const bool owned = ledger.owns(upgrade->getName());
		button->setEnabled(!owned && upgrade->getPrice() <= points);
		button->setPrice(upgrade->getPrice());
		button->setBought(owned);
	}
}

void GShopScene::refreshFeaturePairs()
{
	for (const FeaturePair& pair : featurePairs)
	{
		if (!pair.base || !pair.followUp)
			continue;
		// Once the building is owned and offered, its place shows the follow-up upgrade.
		const bool showBase = (!pair.base->isBought() && pair.base->getPrice() > 0) || pair.base->isLocked();
		pair.base->setVisible(showBase);
		pair.followUp->setVisible(!showBase);
	}
}

void GShopScene::advanceAchievements(const int counts[], bool forceSave)
{
	GAchievements* tracker = getAchievements();
	if (!tracker)
		return;
	bool changed = false;
	for (int i = 0; i < ShopLedger::GroupCount; ++i)
	{
		const int difference = counts[i] - tracker->getCounter(i);
		if (difference == 0)
			continue;
		changed = true;
		if (tracker->update(i, difference))
			showAchievementPopup(i);
	}
	if (changed || forceSave)
		tracker->save();
}

void GShopScene::refreshUpgradeHighlights()
{
	CProfile* profile = currentProfile();
	GUpgradesConfiguration* configuration = getUpgradesConfiguration();
	if (!highlightTemplate || !profile || !configuration)
		return;
	const int levelIndex = profile->getInt(ProfileKey::LevelIndex);
	const ShopLedger ledger =
	    computeShopLedger(*configuration, profile->getString(ProfileKey::BoughtUpgrades).c_str(), "");
	for (const SmartPointer<GShopButton>& button : shopButtons)
	{
		BaseNode* highlight = button->findChild(nameIdHighlight(), 1);
		const SmartPointer<GUpgrade> upgrade = upgradeOf(button.get());
		if (upgrade && isUpgradeNeededAt(*upgrade, levelIndex))
		{
			if (!highlight)
				highlight = highlightTemplate->clone(button.get());
			if (!highlight)
				continue;
			highlight->setPosition({0.0f, 0.0f, HighlightDepth});
			highlight->setVisible(true);
			highlight->setChildrenState(ledger.owns(upgrade->getName()) ? stateOff() : stateOn(), nullptr);
		}
		else if (highlight)
		{
			highlight->setChildrenState(stateOff(), nullptr);
		}
	}
}

// ---- hint

void GShopScene::hideHint()
{
	if (hintNode && dictionary())
		hintNode->setVisible(false);
}

void GShopScene::showUpgradeHint(GShopButton* button)
{
	const CDictionary* texts = dictionary();
	if (!hintNode || !texts)
		return;
	const SmartPointer<GUpgrade> upgrade = upgradeOf(button);
	if (!upgrade)
	{
		hintNode->setVisible(false);
		return;
	}
	const irr::core::vector3df& at = button->getPosition();
	hintNode->setPosition({at.X + button->getBounds().X * 0.5f, at.Y, HintDepth});
	hintNode->setVisible(true);
	// A locked card names the level whose win opens it; an upgrade the points do not yet buy says how many are
	// missing: neither button takes a click.
	const int missing = button->isBought() ? 0 : upgrade->getPrice() - points;
	if (TextNode* title = asTextNode(directChild(hintNode.get(), "Title")))
	{
		if (button->isLocked())
			title->setText(texts->format("Shop_Locked", irr::core::stringw(upgrade->getLevel())));
		else
			title->setText(missing > 0 ? texts->format("Shop_CostShort", formatThousands(upgrade->getPrice(), L','),
			                                           formatThousands(missing, L','))
			                           : texts->format("Shop_Cost", formatThousands(upgrade->getPrice(), L',')));
	}
	if (TextNode* info = asTextNode(directChild(hintNode.get(), "Info")))
		info->setText(texts->expandTags(upgrade->getInfo()));
}

// ---- purchase and popup

void GShopScene::grantAllUpgrades()
{
	CProfile* profile = currentProfile();
	const GUpgradesConfiguration* configuration = getUpgradesConfiguration();
	if (!profile || !configuration)
		return;
	irr::core::stringc names;
	for (const auto& entry : configuration->getUpgrades())
	{
		if (!names.empty())
			names += ";";
		names += getStringById(entry.first);
	}
	profile->setString(ProfileKey::BoughtUpgrades, names);
	recalculatePoints(true);
}

bool GShopScene::purchase(GShopButton* button)
{
	const SmartPointer<GUpgrade> upgrade = upgradeOf(button);
	CProfile* profile = currentProfile();
	if (!upgrade || !profile || upgrade->getPrice() > points)
		return false;
	irr::core::stringc bought = profile->getString(ProfileKey::BoughtUpgrades);
	if (!bought.empty())
		bought += ";";
	bought += getStringById(upgrade->getName());
	profile->setString(ProfileKey::BoughtUpgrades, bought);
	refreshUpgradeHighlights();
	// Forced, so the tracker's save stores the purchase in the profiles file too; without a tracker
	// the profile is saved by itself.
	recalculatePoints(true);
	if (!getAchievements())
		profile->save();
	return true;
}

void GShopScene::showAchievementPopup(int counterIndex)
{
	CContentManager* contents = getContentRef().getContentManager();
	if (!contents)
		return;
	SmartPointer<ContentObject> content(
	    contents->getContent(ContentTypeSceneNode, "scenes/AchievementUnlockedScene.qscn", true));
	auto* popup = nodeCast<GAchievementUnlockedScene>(dynamic_cast<BaseNode*>(content.get()));
	if (!popup)
		return;
	// The bought-building counters are the first four achievements.
	popup->showAchievement(counterIndex);
	// The hovered card's hint would stay drawn over the popup.
	hideHint();
	playCue("AchievementUnlocked");
	pushScene(popup, true, nameIdNavFrom(), nameIdNavTo());
}

// ---- events

bool GShopScene::onKeyUp(CEventInputKeyUp* event)
{
	if (event->key == KeyEscape)
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (gDeveloperMode && event->key == KeyU)
	{
		grantAllUpgrades();
		return true;
	}
	return GBaseSceneNode::onKeyUp(event);
}

bool GShopScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	if (highlightTemplate)
		highlightTemplate->setVisible(false);
	refreshUpgradeHighlights();
	recalculatePoints(false);
	hideHint();
	tutorial.end();
	chooseTutorial();
	return true;
}

void GShopScene::chooseTutorial()
{
	const CProfile* profile = currentProfile();
	if (!profile || !profile->getBool(ProfileKey::ShowTutorialOn))
		return;
	const int maxUnlocked = profile->getInt(ProfileKey::MaxUnlockedLevelIndex);
	if (maxUnlocked == 2 && profile->getBool(ProfileKey::ShowTutorialShop1))
		tutorial.open("scenes/ShopTutorial1.xml", ProfileKey::ShowTutorialShop1);
	else if (maxUnlocked == 7 && profile->getBool(ProfileKey::ShowTutorialShop2))
		tutorial.open("scenes/ShopTutorial2.xml", ProfileKey::ShowTutorialShop2);
}

bool GShopScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	if (GBaseSceneNode::onSceneChangeFinished(event))
		return true;
	if (event->newScene == this)
	{
		tutorial.start();
		return true;
	}
	if (event->oldScene != this)
		return false;
	// Unlike the map's, a shop tutorial counts as seen once the shop is left.
	tutorial.clearProfileKey();
	tutorial.end();
	return true;
}

bool GShopScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	tutorial.update(elapsed);
	return true;
}

bool GShopScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	BaseNode* node = event->control;
	if (!node)
		return false;
	if (node->getName() == internStringId("BackButton"))
	{
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
		return true;
	}
	if (node->getName() == internStringId("SkipTutorialButton"))
	{
		tutorial.skip();
		return false;
	}
	GShopButton* button = nodeCast<GShopButton>(node);
	if (button && shopButtonsNode && button->getParent() == shopButtonsNode.get() && button->isEnabled() &&
	    !button->isBought() && purchase(button))
		hideHint(); // its price is paid: the points below it tell the rest
	return false;
}

bool GShopScene::onNodeHovered(CEventNodeHovered* event)
{
	if (GBaseSceneNode::onNodeHovered(event))
		return true;
	GShopButton* button = nodeCast<GShopButton>(event->subject ? event->subject : event->sender);
	if (!button)
		return false;
	showUpgradeHint(button);
	return true;
}

bool GShopScene::onNodeUnhovered(CEventNodeUnhovered* event)
{
	if (GBaseSceneNode::onNodeUnhovered(event))
		return true;
	hideHint();
	return nodeCast<GShopButton>(event->sender ? event->sender : event->subject) != nullptr;
}
