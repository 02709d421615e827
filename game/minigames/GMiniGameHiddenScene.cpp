#include "GMiniGameHiddenScene.h"

#include "core/Random.h"
#include "data/GLevelPaths.h"
#include "effects/GHOHintParticlesNode.h"
#include "effects/GPathMovableNode.h"

GMiniGameHiddenScene::GMiniGameHiddenScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GMiniGameHiddenBase(reference, parentNode, manager)
{
}

GMiniGameHiddenScene::~GMiniGameHiddenScene() = default;

const irr::core::stringw& GMiniGameHiddenScene::typeNameText()
{
	static const irr::core::stringw name(L"GMiniGameHiddenScene");
	return name;
}

void GMiniGameHiddenScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GMiniGameHiddenBase::copyFrom(source, manager);
}

void GMiniGameHiddenScene::onLoaded()
{
	GMiniGameHiddenBase::onLoaded();
	hintParticles = shareRef(nodeCast<GHOHintParticlesNode>(findPart({"Scene", "Game", "BgObjects", "HintParticles"})));
}

void GMiniGameHiddenScene::startPlay()
{
	GMiniGameHiddenBase::startPlay();
	if (hitObjects)
		showObjectCount(static_cast<int>(hitObjects->getChildren().size()));
}

bool GMiniGameHiddenScene::updateTime(unsigned elapsed)
{
	if (!GMiniGameHiddenBase::updateTime(elapsed))
		return false;
	if (hintCooldown > 0)
	{
		hintCooldown -= static_cast<int>(elapsed);
		if (hintCooldown <= 0)
			highlightHinted(false);
	}
	if (hintTrail)
		hintTrail->updateMovement(elapsed);
	return true;
}

bool GMiniGameHiddenScene::pressPicture(int x, int y)
{
	if (!hitObjects)
		return false;
	bool found = false;
	const irr::core::vector2df point(static_cast<float>(x), static_cast<float>(y));
	const irr::core::array<BaseNode*>& objects = hitObjects->getChildren();
	for (irr::u32 i = 0; i < objects.size(); ++i)
	{
		BaseNode* child = objects[i];
		if (!child->hitTest(point))
			continue;
		SmartPointer<BaseNode> object = shareRef(child);
		if (object == hintedObject)
		{
			hintedObject = nullptr;
			hintCooldown = -1;
			if (hintTrail)
				hintTrail->stop();
			highlightHinted(false);
		}
		showFoundEffect(object.get(), foundNode.get());
		hitObjects->removeChild(object.get());
		showObjectCount(static_cast<int>(hitObjects->getChildren().size()));
		playCue("ObjFound");
		found = true;
		break;
	}
	// Only a find completes the game: a picture without objects is damaged, not won.
	if (found && hitObjects->getChildren().empty())
	{
		score = expertScore;
		completeMiniGame();
	}
	return found;
}

void GMiniGameHiddenScene::requestHint()
{
	playCue("HOHint");
	if (hitObjects && !hitObjects->getChildren().empty() && !hintedObject)
	{
		const auto& objects = hitObjects->getChildren();
		hintedObject = shareRef(objects[Random::instance()->nextUInt() % objects.size()]);
	}
	if (!hintedObject || hintCooldown >= 1)
		return;
	hintCooldown = HintCooldown;
	highlightHinted(true);
	irr::core::array<irr::core::vector2df> points;
	if (!hintRoute(hintedObject.get(), 1, false, points))
		return;
	hintTrail->setSpeed(HintTrailSpeed);
	hintTrail->start(points, internStringId("HintFinished").id, false, false);
}

void GMiniGameHiddenScene::highlightHinted(bool on)
{
	if (!hintParticles)
		return;
	if (on && hintedObject)
	{
		const irr::core::vector3df size = hintedObject->getBounds();
		const irr::core::vector3df& at = hintedObject->getPosition();
		hintParticles->setPosition({at.X + size.X * 0.5f, at.Y + size.Y * 0.5f, hintParticles->getPosition().Z});
	}
	hintParticles->setEnabled(on && hintedObject);
}
