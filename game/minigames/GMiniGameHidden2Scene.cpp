#include "GMiniGameHidden2Scene.h"

#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/ContentType.h"
#include "content/IXMLReader.h"
#include "core/InputEvents.h"
#include "core/Random.h"
#include "data/CheckedNumber.h"
#include "data/ConfigReading.h"
#include "data/GLevelPaths.h"
#include "effects/GPathMovableNode.h"
#include "frontend/SceneLookup.h"
#include "nodes/BaseEmitter.h"
#include "nodes/ParticleSystemNode.h"
#include "nodes/SpriteNode.h"
#include "scene/NodeEvents.h"

#include <cmath>

namespace
{
// Pixels per second: a trail of speed 0 would never arrive.
constexpr NumberRange TrailVelocityRange{1.0, 10000.0};
// Particles per second.
constexpr NumberRange TrailPpsRange{0.0, 10000.0};
} // namespace

GMiniGameHidden2Scene::GMiniGameHidden2Scene(const ContentRef& reference, BaseNode* parentNode,
                                             INodeEventQueue* manager)
    : GMiniGameHiddenBase(reference, parentNode, manager)
{
}

GMiniGameHidden2Scene::~GMiniGameHidden2Scene() = default;

const irr::core::stringw& GMiniGameHidden2Scene::typeNameText()
{
	static const irr::core::stringw name(L"GMiniGameHidden2Scene");
	return name;
}

void GMiniGameHidden2Scene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GMiniGameHiddenBase::copyFrom(source, manager);
}

void GMiniGameHidden2Scene::onLoaded()
{
	GMiniGameHiddenBase::onLoaded();
	currentIndex = 0;
	previewImage = shareRef(nodeCast<SpriteNode>(findPart({"Scene", "UI", "PrevewImage"})));

	findOrder.clear();
	if (hitObjects)
	{
		// Draw without repeating: take a random remaining object, fill its slot with the last one.
		irr::core::array<BaseNode*> left = hitObjects->getChildren();
		while (!left.empty())
		{
			const irr::u32 r = Random::instance()->nextMt() % left.size();
			findOrder.push_back(shareRef(left[r]));
			left[r] = left.getLast();
			left.erase(left.size() - 1);
		}
	}
	if (previewImage)
	{
		previewImage->setImageStretchX(2);
		previewImage->setImageStretchY(2);
	}
}

void GMiniGameHidden2Scene::loadMiniGameElement(IXMLReader* reader)
{
	// An element without "Value" keeps the default: a trail of speed 0 would never arrive.
	if (isElementStart(reader, L"ItemsToFind"))
		readItems(reader);
	else if (isElementStart(reader, L"HintTrailVelocity"))
		hintTrailVelocity = readFloatAttribute(reader, L"Value", DefaultTrailVelocity, TrailVelocityRange);
	else if (isElementStart(reader, L"HintTrailPPS"))
		hintTrailPps = readIntAttribute(reader, L"Value", 0, TrailPpsRange);
	else
		GMiniGameHiddenBase::loadMiniGameElement(reader);
}

void GMiniGameHidden2Scene::readItems(IXMLReader* reader)
{
	previewFiles.clear();
	if (isElementEnd(reader, L"ItemsToFind"))
		return;
	while (reader->read() && !isElementEnd(reader, L"ItemsToFind"))
	{
		if (!isElementStart(reader, L"Item"))
			continue;
		const irr::core::stringc name(reader->getAttributeValue(L"Name").c_str());
		previewFiles[internStringId(name)] = irr::core::stringc(reader->getAttributeValue(L"Filename").c_str());
	}
}

void GMiniGameHidden2Scene::startPlay()
{
	GMiniGameHiddenBase::startPlay();
	currentIndex = 0;
	// A picture without objects is damaged: nothing to show, and never completed.
	if (!findOrder.empty())
		showCurrentItem();
}

BaseNode* GMiniGameHidden2Scene::getWantedObject() const
{
	return currentIndex < static_cast<int>(findOrder.size()) ? findOrder[currentIndex].get() : nullptr;
}

void GMiniGameHidden2Scene::showCurrentItem()
{
	BaseNode* wanted = getWantedObject();
	if (!wanted)
	{
		score = expertScore;
		completeMiniGame();
		return;
	}
	showObjectCount(static_cast<int>(findOrder.size()) - currentIndex);
	if (previewImage)
	{
		const auto file = previewFiles.find(wanted->getName());
		const irr::core::stringc name =
		    irr::core::stringc(PreviewFolder) + (file != previewFiles.end() ? file->second : "") + ".png";
		CContentManager* content = getContentRef().getContentManager();
		if (!content && gGameApplication)
			content = gGameApplication->contentManager;
		SmartPointer<ContentObject> frame(content ? content->getContent(ContentTypeAtlasTexture, name, false)
		                                          : nullptr);
		if (auto* texture = dynamic_cast<AtlasTexture*>(frame.get()))
			previewImage->setAtlasTexture(texture);
		previewImage->refreshAbsolute();
		const irr::core::vector3df& size = previewImage->getBounds();
		previewImage->setPivotPoint({std::floor(size.X * 0.5f + 0.5f), std::floor(size.Y * 0.5f + 0.5f)});
	}
	pointerOverCurrent = false;
}

bool GMiniGameHidden2Scene::trailIdle() const
{
	return hintTrail && !hintTrail->isMoving();
}

bool GMiniGameHidden2Scene::updateTime(unsigned elapsed)
{
	if (!GMiniGameHiddenBase::updateTime(elapsed))
		return false;
	if (hintTrail)
	{
		hintTrail->updateMovement(elapsed);
		if (pointerOverCurrent && getWantedObject() && trailIdle())
			startHintTrail(getWantedObject(), 1);
	}
	return true;
}

bool GMiniGameHidden2Scene::sendToChildren(int mode, CEvent* event)
{
	if (event && Enabled && event->typeId() == CEventInputMouseMove::TypeId)
	{
		const auto* move = static_cast<const CEventInputMouseMove*>(event);
		onMouseMove(move->x, move->y);
	}
	return GMiniGameHiddenBase::sendToChildren(mode, event);
}

void GMiniGameHidden2Scene::onMouseMove(int x, int y)
{
	BaseNode* wanted = getWantedObject();
	if (!wanted)
		return;
	const bool over = wanted->hitTest({static_cast<float>(x), static_cast<float>(y)}) != nullptr;
	if (over != pointerOverCurrent && over && trailIdle())
		startHintTrail(wanted, 1);
	pointerOverCurrent = over;
}

bool GMiniGameHidden2Scene::pressPicture(int x, int y)
{
	BaseNode* wanted = getWantedObject();
	if (!wanted || !wanted->hitTest({static_cast<float>(x), static_cast<float>(y)}))
		return false;
	if (hintTrail)
		hintTrail->stop();
	showFoundEffect(wanted, foundNode.get());
	wanted->setVisible(false);
	++currentIndex;
	showCurrentItem();
	playCue("ObjFound");
	return true;
}

void GMiniGameHidden2Scene::startHintTrail(BaseNode* object, int repeats)
{
	irr::core::array<irr::core::vector2df> points;
	if (!hintRoute(object, repeats, true, points))
		return;
	auto* particles = frontend::directChildOf<ParticleSystemNode>(hintTrail.get(), "Particles");
	if (BaseEmitter* emitter = particles ? particles->getEmitter() : nullptr)
	{
		const float pps = static_cast<float>(hintTrailPps);
		emitter->setPPSRange({pps, pps});
	}
	hintTrail->setSpeed(hintTrailVelocity);
	hintTrail->start(points, internStringId("HintFinished").id, true, false);
}

void GMiniGameHidden2Scene::requestHint()
{
	playCue("HOHint");
	if (getWantedObject() && trailIdle())
		startHintTrail(getWantedObject(), 4);
}
