#include "GMiniGameHiddenScene.h"

#include "core/InputEvents.h"
#include "core/Random.h"
#include "core/TextUtils.h"
#include "data/ConfigReading.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "effects/GHOHintParticlesNode.h"
#include "effects/GPathMovableNode.h"
#include "frontend/SceneLookup.h"
#include "nodes/SpawnerNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

GMiniGameHiddenScene::GMiniGameHiddenScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GMiniGameScene(reference, parentNode, manager), hintPaths(new GLevelPaths())
{
	period = 10;
}

GMiniGameHiddenScene::~GMiniGameHiddenScene() = default;

const irr::core::stringw& GMiniGameHiddenScene::typeNameText()
{
	static const irr::core::stringw name(L"GMiniGameHiddenScene");
	return name;
}

void GMiniGameHiddenScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GMiniGameScene::copyFrom(source, manager);
}

void GMiniGameHiddenScene::onLoaded()
{
	GMiniGameScene::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	BaseNode* game = frontend::directChild(scene, "Game");
	BaseNode* background = frontend::directChild(game, "BgObjects");
	BaseNode* ui = frontend::directChild(scene, "UI");
	hintTrail = shareRef(frontend::directChildOf<GPathMovableNode>(background, "HintTrailNode"));
	foundNode = shareRef(frontend::directChildOf<SpawnerNode>(background, "FoundNode"));
	hintParticles = shareRef(frontend::directChildOf<GHOHintParticlesNode>(background, "HintParticles"));
	hitObjects = shareRef(frontend::directChild(game, "HitObjects"));
	timeTargText = shareRef(frontend::directChildOf<TextNode>(ui, "TimeTarg"));
	timeCurrText = shareRef(frontend::directChildOf<TextNode>(ui, "TimeCurr"));
	objCountText = shareRef(frontend::directChildOf<TextNode>(ui, "ObjCount"));
}

void GMiniGameHiddenScene::loadMiniGameElement(IXMLReader* reader)
{
	if (isElementStart(reader, L"HintPaths"))
		loadPathsFile(hintPaths.get(), reader);
}

bool GMiniGameHiddenScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GMiniGameScene::onSceneChangeStarted(event);
	if (event->newScene != this)
		return false;
	start();
	return true;
}

void GMiniGameHiddenScene::start()
{
	playCue("MiniGamesMusic", true);
	resetPlay();
	if (timeCurrText)
		timeCurrText->setText(formatMinutesSeconds(static_cast<unsigned>(maxLevelTime)));
	showObjectCount();
	setLinetPhase(1);
}

void GMiniGameHiddenScene::showObjectCount()
{
	if (objCountText && hitObjects)
		objCountText->setText(irr::core::stringw(hitObjects->getChildren().size()));
}

bool GMiniGameHiddenScene::updateTime(unsigned elapsed)
{
	if (!GMiniGameScene::updateTime(elapsed))
		return false;
	elapsedTime += static_cast<int>(elapsed);
	if (timeTargText)
		timeTargText->setText(formatMinutesSeconds(static_cast<unsigned>(elapsedTime)));
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

bool GMiniGameHiddenScene::sendToChildren(int mode, CEvent* event)
{
	if (event && Enabled && event->typeId() == CEventInputMouseLeftDown::TypeId)
	{
		const auto* press = static_cast<const CEventInputMouseLeftDown*>(event);
		if (onClick(press->x, press->y))
			return true;
	}
	return GMiniGameScene::sendToChildren(mode, event);
}

bool GMiniGameHiddenScene::onClick(int x, int y)
{
	if (linetPhase < 2 || completed)
		return false;
	if (linetPhase == 2)
	{
		setLinetPhase(3);
		return false;
	}
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
		showObjectCount();
		playCue("ObjFound");
		found = true;
		break;
	}
	if (hitObjects->getChildren().empty())
	{
		score = expertScore;
		completeMiniGame();
	}
	return found;
}

bool GMiniGameHiddenScene::onNodePressed(CEventNodeClicked* event)
{
	if (GMiniGameScene::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "MenuButton"))
	{
		leaveToOpener();
		return true;
	}
	if (frontend::isNamed(event->control, "HintButton"))
	{
		requestHint();
		return true;
	}
	return false;
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
	GLevelPath* path = hintTrail ? hintPaths->getRandomCarPath(hintedObject->getName()) : nullptr;
	if (!path)
		return;
	irr::core::array<irr::core::vector2df> points;
	const irr::core::array<GLevelPathPoint>& corners = path->getPoints();
	for (irr::u32 i = 0; i < corners.size(); ++i)
		points.push_back({corners[i].x, corners[i].y});
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
