#include "GMapLocationButton.h"

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "core/CPropertyCollection.h"
#include "nodes/PropertyLookup.h"
#include "nodes/SpriteNode.h"
#include "scene/AnimatorSet.h"
#include "scene/Base.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

namespace
{
StringId nameIdWave()
{
	static const StringId id = internStringId("Wave");
	return id;
}
} // namespace

GMapLocationButton::GMapLocationButton(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ButtonNode(reference, parentNode, manager)
{
}

const irr::core::stringw& GMapLocationButton::typeNameText()
{
	static const irr::core::stringw name(L"GMapLocationButton");
	return name;
}

const PropertyTable& GMapLocationButton::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    buttonNodePropertyTable(),
	    {
	        accessorProperty<&GMapLocationButton::setAssociatedLevelName, &GMapLocationButton::getAssociatedLevelName>(
	            "AssociatedLevelName"),
	    });
	return table;
}

void GMapLocationButton::writeProperties(CPropertyCollection& collection) const
{
	ButtonNode::writeProperties(collection);
	if (!associatedLevelName.empty())
		collection.addString("AssociatedLevelName", associatedLevelName);
}

void GMapLocationButton::readProperties(const CPropertyCollection& collection)
{
	ButtonNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "AssociatedLevelName", value))
		associatedLevelName = propertyAsText(value.get());
}

void GMapLocationButton::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	ButtonNode::copyFrom(source, manager);
	if (const GMapLocationButton* button = nodeCast<GMapLocationButton>(source))
		associatedLevelName = button->associatedLevelName;
}

void GMapLocationButton::applyTemplate()
{
	ButtonNode::applyTemplate();
	selector = nullptr;
	starGroup = nullptr;
	star = nullptr;
	platform = nullptr;
	if (!templateRoot)
		return;
	selector = templateRoot->findChild(internStringId("Selector"), 0);
	starGroup = templateRoot->findChild(internStringId("Star"), 0);
	if (!starGroup)
		return;
	star = nodeCast<SpriteNode>(starGroup->findChild(internStringId("Star"), 0));
	platform = nodeCast<SpriteNode>(starGroup->findChild(internStringId("Platform"), 0));
}

void GMapLocationButton::showPicture(SpriteNode* sprite, const char* name) const
{
	CContentManager* content = getContentRef().getContentManager();
	SmartPointer<AtlasTexture> picture(name && content ? content->getAtlasTexture(name, false) : nullptr);
	sprite->setAtlasTexture(picture.get());
}

void GMapLocationButton::setSelected(bool selected)
{
	if (selector)
		selector->setVisible(selected);
}

void GMapLocationButton::setEnabled(bool value)
{
	ControlNode::setEnabled(value);
	if (!star || !platform)
		return;
	star->setVisible(value);
	showPicture(platform, value ? PlatformImage : GreyPlatformImage);
}

void GMapLocationButton::setUpgradesBoughtPlatform(bool allBought)
{
	if (platform && isEnabled())
		showPicture(platform, allBought ? PlatformImage : RedPlatformImage);
}

void GMapLocationButton::setMiniGamePlatform(bool miniGame)
{
	if (platform && isEnabled() && miniGame)
		showPicture(platform, GreenPlatformImage);
}

void GMapLocationButton::setRankStar(int rank)
{
	if (!star)
		return;
	showPicture(star, rank == 2 ? GoldStarImage : rank == 1 ? SilverStarImage : nullptr);
}

void GMapLocationButton::startWave(float phase)
{
	if (!starGroup)
		return;
	starGroup->setState(nameIdWave(), nullptr, StringId());
	AnimatorSet* wave = starGroup->findState(nameIdWave());
	if (!wave || wave->getAnimatorCount() == 0)
		return;
	Base* first = wave->getAnimator(0);
	first->start(static_cast<int>(phase * static_cast<float>(first->getDuration())), true);
}
