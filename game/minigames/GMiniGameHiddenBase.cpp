#include "GMiniGameHiddenBase.h"

#include "core/ILogger.h"
#include "core/InputEvents.h"
#include "core/TextUtils.h"
#include "data/ConfigReading.h"
#include "data/GLevelPath.h"
#include "data/GLevelPaths.h"
#include "effects/GPathMovableNode.h"
#include "frontend/SceneLookup.h"
#include "nodes/SpawnerNode.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"

GMiniGameHiddenBase::GMiniGameHiddenBase(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GMiniGameScene(reference, parentNode, manager), hintPaths(new GLevelPaths())
{
	period = 10;
}

GMiniGameHiddenBase::~GMiniGameHiddenBase() = default;

void GMiniGameHiddenBase::onLoaded()
{
	GMiniGameScene::onLoaded();
	hitObjects = shareRef(findPart({"Scene", "Game", "HitObjects"}));
	hintTrail = shareRef(nodeCast<GPathMovableNode>(findPart({"Scene", "Game", "BgObjects", "HintTrailNode"})));
	foundNode = shareRef(nodeCast<SpawnerNode>(findPart({"Scene", "Game", "BgObjects", "FoundNode"})));
	timeTargText = shareRef(nodeCast<TextNode>(findPart({"Scene", "UI", "TimeTarg"})));
	timeCurrText = shareRef(nodeCast<TextNode>(findPart({"Scene", "UI", "TimeCurr"})));
	objCountText = shareRef(nodeCast<TextNode>(findPart({"Scene", "UI", "ObjCount"})));
}

void GMiniGameHiddenBase::loadMiniGameElement(IXMLReader* reader)
{
	if (isElementStart(reader, L"HintPaths"))
		loadPathsFile(hintPaths.get(), reader);
}

bool GMiniGameHiddenBase::checkPlayable() const
{
	if (hitObjects && !hitObjects->getChildren().empty())
		return true;
	getLogger()->log("The hidden-object picture has no objects to find", 2);
	return false;
}

void GMiniGameHiddenBase::startPlay()
{
	if (timeCurrText)
		timeCurrText->setText(formatMinutesSeconds(static_cast<unsigned>(maxLevelTime)));
}

void GMiniGameHiddenBase::showObjectCount(int count)
{
	if (objCountText)
		objCountText->setText(irr::core::stringw(count));
}

bool GMiniGameHiddenBase::updateTime(unsigned elapsed)
{
	if (!GMiniGameScene::updateTime(elapsed))
		return false;
	elapsedTime += static_cast<int>(elapsed);
	if (timeTargText)
		timeTargText->setText(formatMinutesSeconds(static_cast<unsigned>(elapsedTime)));
	return true;
}

bool GMiniGameHiddenBase::sendToChildren(int mode, CEvent* event)
{
	if (event && Enabled && event->typeId() == CEventInputMouseLeftDown::TypeId)
	{
		const auto* press = static_cast<const CEventInputMouseLeftDown*>(event);
		if (onClick(press->x, press->y))
			return true;
	}
	return GMiniGameScene::sendToChildren(mode, event);
}

bool GMiniGameHiddenBase::onClick(int x, int y)
{
	return pressReachesPlay() && pressPicture(x, y);
}

bool GMiniGameHiddenBase::onNodePressed(CEventNodeClicked* event)
{
	if (GMiniGameScene::onNodePressed(event))
		return true;
	if (!frontend::isNamed(event->control, "HintButton"))
		return false;
	requestHint();
	return true;
}

bool GMiniGameHiddenBase::hintRoute(const BaseNode* object, int repeats, bool reversed,
                                    irr::core::array<irr::core::vector2df>& points) const
{
	GLevelPath* path = hintTrail && object ? hintPaths->getRandomCarPath(object->getName()) : nullptr;
	if (!path)
		return false;
	const irr::core::array<GLevelPathPoint>& corners = path->getPoints();
	const irr::u32 count = corners.size();
	for (int n = 0; n < repeats; ++n)
		for (irr::u32 i = 0; i < count; ++i)
		{
			const GLevelPathPoint& corner = corners[reversed ? count - 1 - i : i];
			points.push_back({corner.x, corner.y});
		}
	return true;
}
