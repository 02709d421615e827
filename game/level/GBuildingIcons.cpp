#include "GBuildingIcons.h"

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/TemplateCollectionNode.h"

#include <irrlicht/irrMath.h>

using namespace irr;

namespace
{
BaseNode* directChild(const BaseNode* node, const char* name)
{
	return node ? node->findChild(internStringId(name), -2) : nullptr;
}

AtlasTexture* findAtlasTexture(const BaseNode* node, const char* name)
{
	CContentManager* manager = node->getContentRef().getContentManager();
	ContentObject* found = manager ? manager->getContent(ContentTypeAtlasTexture, name, false) : nullptr;
	if (found && found->getContentType() != ContentTypeAtlasTexture)
	{
		found->drop();
		return nullptr;
	}
	return static_cast<AtlasTexture*>(found);
}

void hide(BaseNode* node)
{
	if (node)
		node->setVisible(false);
}
} // namespace

BaseNode* GBuildingIcons::make(BaseNode* building, TemplateCollectionNode* templates, const char* name)
{
	BaseNode* source = templates ? templates->findTemplate(internStringId(name)) : nullptr;
	BaseNode* made = source ? source->clone(nullptr, building->getSceneManager()) : nullptr;
	if (!made)
		return nullptr;
	made->setInternal(true);
	made->setVisible(false);
	// Linked to the building without joining its child array; the link holds the one reference.
	building->addChild(made);
	made->drop();
	return made;
}

BaseNode* GBuildingIcons::find(BaseNode* building, BaseNode* look, const char* name)
{
	if (BaseNode* child = directChild(building, name))
		return child;
	return directChild(look, name);
}

BaseNode* GBuildingIcons::findOrMake(BaseNode* building, BaseNode* look, TemplateCollectionNode* templates,
                                     const char* name)
{
	if (BaseNode* found = find(building, look, name))
		return found;
	return make(building, templates, name);
}

void GBuildingIcons::releaseNode(BaseNode*& node)
{
	BaseNode* held = node;
	node = nullptr;
	if (!held || !held->isInternal())
		return;
	held->setParent(nullptr);
	held->attachToSceneManager(nullptr, nullptr);
	held->drop();
}

void GBuildingIcons::release()
{
	for (BaseNode** node : {&smileIcon, &phoneIcon, &forSaleNode, &conditionIcon, &serveArea, &workersText,
	                        &feature1Icon, &feature2Icon, &moneyBurst})
		releaseNode(*node);
	priceText = nullptr;
	selector = nullptr;
	starIcons = nullptr;
	stars.clear();
}

void GBuildingIcons::collect(BaseNode* building, BaseNode* look, TemplateCollectionNode* templates, bool withSmile,
                             bool withStars)
{
	release();
	smileIcon = findOrMake(building, look, templates, "SmileIcon");
	if (smileIcon && !withSmile)
	{
		hide(smileIcon);
		releaseNode(smileIcon);
		smileIcon = nullptr;
	}
	phoneIcon = findOrMake(building, look, templates, "PhoneIcon");
	hide(phoneIcon);
	forSaleNode = findOrMake(building, look, templates, "ForSaleNode");
	hide(forSaleNode);
	priceText = asTextNode(directChild(forSaleNode, "PriceText"));
	selector = find(building, look, "Selector");
	serveArea = findOrMake(building, look, templates, "ServeArea");
	hide(serveArea);
	if (withStars)
	{
		starIcons = find(building, look, "StarIcons");
		for (u32 i = 0; starIcons && i < starIcons->getChildren().size(); ++i)
			if (asSpriteNode(starIcons->getChildren()[i]))
				stars.push_back(starIcons->getChildren()[i]);
	}
	workersText = findOrMake(building, look, templates, "WorkersText");
	hide(workersText);
	feature1Icon = findOrMake(building, look, templates, "Feature1Icon");
	feature2Icon = findOrMake(building, look, templates, "Feature2Icon");
	moneyBurst = findOrMake(building, look, templates, "MoneyBurst");
	hide(moneyBurst);
	if (smileIcon)
		smilePosition = smileIcon->getPosition();
	if (workersText)
		workersPosition = workersText->getPosition();
	if (feature1Icon)
		feature1Position = feature1Icon->getPosition();
	if (feature2Icon)
		feature2Position = feature2Icon->getPosition();
}

void GBuildingIcons::setConditionIcon(BaseNode* icon)
{
	if (icon == conditionIcon)
		return;
	releaseNode(conditionIcon);
	conditionIcon = icon;
}

std::vector<BaseNode*> GBuildingIcons::madeNodes() const
{
	std::vector<BaseNode*> made;
	for (BaseNode* node : {smileIcon, phoneIcon, forSaleNode, conditionIcon, serveArea, workersText, feature1Icon,
	                       feature2Icon, moneyBurst})
		if (node && node->isInternal())
			made.push_back(node);
	return made;
}

bool GBuildingIcons::workersShown() const
{
	return workersText && workersText->isVisible();
}

void GBuildingIcons::arrangeSmileAndWorkers()
{
	const bool smileShown = smileIcon && smileIcon->isVisible();
	if (smileShown)
		smileIcon->setPosition(smilePosition);
	if (workersShown())
	{
		// At the smile's place it keeps its own depth, in front of a building site's pictures.
		core::vector3df at = smileShown ? workersPosition : smilePosition;
		at.Z = workersPosition.Z;
		workersText->setPosition(at);
	}
}

void GBuildingIcons::placeFeatureIcons(bool show1, bool show2)
{
	if (feature1Icon)
		feature1Icon->setVisible(show1);
	if (feature2Icon)
		feature2Icon->setVisible(show2);
	const core::vector3df middle = (feature1Position + feature2Position) * 0.5f;
	if (feature1Icon && show1)
		feature1Icon->setPosition(show2 ? feature1Position : middle);
	if (feature2Icon && show2)
		feature2Icon->setPosition(show1 ? feature2Position : middle);
}

void GBuildingIcons::showStars(bool shown, int level, int hiddenStar)
{
	if (!starIcons)
		return;
	starIcons->setVisible(shown);
	if (!shown)
		return;
	for (size_t i = 0; i < stars.size(); ++i)
	{
		const int number = static_cast<int>(i) + 1;
		showPicture(stars[i],
		            number < level ? "levels/common/Stars/FilledStar.png" : "levels/common/Stars/EmptyStar.png");
		stars[i]->setVisible(number != hiddenStar);
	}
}

core::vector3df GBuildingIcons::starCentre(int number, const core::vector3df& buildingPosition) const
{
	if (!starIcons || number < 1 || number > static_cast<int>(stars.size()))
		return core::vector3df(0.0f, 0.0f, 0.0f);
	const BaseNode* star = stars[static_cast<size_t>(number - 1)];
	const core::vector3df centre =
	    starIcons->getPosition() + buildingPosition + star->getPosition() + star->getBounds() * 0.5f;
	return core::vector3df(static_cast<f32>(static_cast<int>(centre.X)), static_cast<f32>(static_cast<int>(centre.Y)),
	                       centre.Z);
}

BaseNode* GBuildingIcons::featureIcon(int index) const
{
	return index == 0 ? feature1Icon : index == 1 ? feature2Icon : nullptr;
}

void GBuildingIcons::showFeatureFill(BaseNode* icon, float progress)
{
	if (!icon || icon->getChildren().size() < 2)
		return;
	BaseNode* cover = icon->getChildren()[0];
	const f32 covered = 20.0f * (1.0f - core::clamp(progress, 0.0f, 1.0f));
	cover->setBounds(core::vector3df(cover->getBounds().X, covered, 0.0f));
	icon->getChildren()[1]->setVisible(true);
}

void GBuildingIcons::showPicture(BaseNode* node, const char* picture)
{
	SpriteNode* sprite = asSpriteNode(node);
	if (!sprite)
		return;
	SmartPointer<AtlasTexture> frame(findAtlasTexture(node, picture));
	sprite->setAtlasTexture(frame.get());
}
