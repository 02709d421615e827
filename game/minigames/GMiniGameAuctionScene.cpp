#include "GMiniGameAuctionScene.h"

#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/ContentType.h"
#include "content/IXMLReader.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/ILogger.h"
#include "core/Random.h"
#include "core/TextUtils.h"
#include "data/CheckedNumber.h"
#include "data/ConfigReading.h"
#include "device/CursorControl.h"
#include "device/IDevice.h"
#include "effects/GTextTrailNode.h"
#include "frontend/SceneLookup.h"
#include "level/GEllipseSectorNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"
#include "scene/AnimatorSet.h"
#include "scene/NodeEvents.h"
#include "scene/SetProps.h"
#include "scene/TemplateCollectionNode.h"

namespace
{
// Where the points fly to: the score counter.
const irr::core::vector2df ScorePoint(860.0f, 737.0f);
constexpr float RewardFlightSpeed = 300.0f;
// A step's pile size and spread.
constexpr NumberRange StepRange{0.0, 100.0};

// Points the state's first action at the picture, when that action sets properties.
void setStatePicture(BaseNode* node, const char* state, AtlasTexture* frame)
{
	AnimatorSet* set = node->findState(internStringId(state));
	Base* first = nullptr;
	if (set && !set->getStartActions().empty())
		first = set->getStartActions()[0];
	else if (set && set->getAnimatorCount() > 0)
		first = set->getAnimator(0);
	auto* props = dynamic_cast<SetProps*>(first);
	CPropertyCollection* values = props ? props->getProperties() : nullptr;
	if (values && frame)
		values->set("AtlasTexture", SmartPointer<IPropertyData>(new CPropertyDataAtlasTexture(frame)));
}
} // namespace

GMiniGameAuctionScene::GMiniGameAuctionScene(const ContentRef& reference, BaseNode* parentNode,
                                             INodeEventQueue* manager)
    : GMiniGameScene(reference, parentNode, manager)
{
	period = 10;
}

GMiniGameAuctionScene::~GMiniGameAuctionScene() = default;

const irr::core::stringw& GMiniGameAuctionScene::typeNameText()
{
	static const irr::core::stringw name(L"GMiniGameAuctionScene");
	return name;
}

void GMiniGameAuctionScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GMiniGameScene::copyFrom(source, manager);
}

void GMiniGameAuctionScene::onLoaded()
{
	GMiniGameScene::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	BaseNode* game = frontend::directChild(scene, "Game");
	BaseNode* ui = frontend::directChild(scene, "UI");
	static const char* const zoneNames[ZoneCount] = {"Zone1", "Zone2", "Zone3"};
	for (int i = 0; i < ZoneCount; ++i)
		zones[i] = shareRef(frontend::directChildOf<ControlNode>(game, zoneNames[i]));
	timeLeftText = shareRef(frontend::directChildOf<TextNode>(ui, "TimeLeft"));
	scoreText = shareRef(frontend::directChildOf<TextNode>(ui, "ScoreText"));
	longArrow = shareRef(frontend::directChild(ui, "LongArrow"));
	ellipse = shareRef(frontend::directChildOf<GEllipseSectorNode>(ui, "Ellipse"));
}

void GMiniGameAuctionScene::loadMiniGameElement(IXMLReader* reader)
{
	if (isElementStart(reader, L"Sequence"))
		readSequence(reader);
}

void GMiniGameAuctionScene::readSequence(IXMLReader* reader)
{
	sequence.clear();
	if (isElementEnd(reader, L"Sequence"))
		return;
	bool skipping = false;
	while (reader->read() && !isElementEnd(reader, L"Sequence"))
	{
		if (!isElementStart(reader, L"S"))
			continue;
		if (static_cast<int>(sequence.size()) >= MaxSequenceSteps)
		{
			if (!skipping)
				getLogger()->log("Too many sequence steps; the rest are skipped", "Sequence", 1);
			skipping = true;
			continue;
		}
		SequenceStep step;
		step.m = readIntAttribute(reader, L"M", step.m, StepRange);
		step.d = readIntAttribute(reader, L"D", step.d, StepRange);
		sequence.push_back(step);
	}
}

void GMiniGameAuctionScene::startPlay()
{
	biggestPile = 0;
	roundNumber = 0;
	reward = Reward;
	if (timeLeftText)
		timeLeftText->setText(formatMinutesSeconds(static_cast<unsigned>(maxLevelTime)));
	if (longArrow)
		longArrow->setRotation({0.0f, 0.0f, 0.0f});
	if (ellipse)
		ellipse->setAngle1(0);
	if (scoreText)
		scoreText->setText(formatThousands(score, L','));
	startRound();
}

bool GMiniGameAuctionScene::updateTime(unsigned elapsed)
{
	if (!GMiniGameScene::updateTime(elapsed))
		return false;
	if (linetPhase != 3 || completed)
		return true;
	elapsedTime += static_cast<int>(elapsed);
	const unsigned used = static_cast<unsigned>(elapsedTime);
	const unsigned limit = static_cast<unsigned>(maxLevelTime);
	const unsigned left = used < limit ? limit - used : 0;
	// Without a time limit the clock stands full turned: the game ends at once.
	const float angle = limit > 0 ? static_cast<float>(used) * 360.0f / static_cast<float>(limit) : 360.0f;
	if (timeLeftText)
		timeLeftText->setText(formatMinutesSeconds(left));
	if (longArrow)
		longArrow->setRotation({0.0f, 0.0f, angle});
	if (ellipse)
		ellipse->setAngle1(static_cast<int>(angle));
	if (used > limit)
		completeMiniGame();
	return true;
}

void GMiniGameAuctionScene::startRound()
{
	Random* random = Random::instance();
	const int n = roundNumber;
	int middle = 2;
	if (n == 0)
		middle = 2;
	else if (n < 3)
		middle = static_cast<int>(random->nextIntInRange(2, 3));
	else if (n < 6)
		middle = static_cast<int>(random->nextIntInRange(3, 5));
	else
		middle = static_cast<int>(random->nextIntInRange(2, 6));
	int low = middle - 1;
	int high = middle + 1;
	if (middle == 3 || middle == 4)
	{
		low -= static_cast<int>(random->nextIntInRange(0, 1));
		high += static_cast<int>(random->nextIntInRange(0, 1));
	}
	else if (middle >= 5)
		low -= static_cast<int>(random->nextIntInRange(0, 2));

	int piles[ZoneCount] = {low, middle, high};
	auto rotateLeft = [&piles]
	{
		const int first = piles[0];
		piles[0] = piles[1];
		piles[1] = piles[2];
		piles[2] = first;
	};
	for (unsigned turns = random->nextMt() % 3; turns > 0; --turns)
		rotateLeft();
	// A round never shows the arrangement of the round before.
	while (piles[0] == zonePiles[0] && piles[1] == zonePiles[1] && piles[2] == zonePiles[2])
		rotateLeft();

	biggestPile = high;
	for (int i = 0; i < ZoneCount; ++i)
	{
		zonePiles[i] = piles[i];
		fillZone(zones[i].get(), piles[i]);
	}
}

void GMiniGameAuctionScene::fillZone(ControlNode* zone, int pile)
{
	auto* money = frontend::directChildOf<SpriteNode>(zone, "Obj");
	if (!money)
		return;
	CContentManager* content = getContentRef().getContentManager();
	if (!content && gGameApplication)
		content = gGameApplication->contentManager;
	const irr::core::stringc base = irr::core::stringc(MoneyFolder) + irr::core::stringc(pile);
	SmartPointer<ContentObject> normalObject(
	    content ? content->getContent(ContentTypeAtlasTexture, base + ".png", false) : nullptr);
	SmartPointer<ContentObject> overObject(
	    content ? content->getContent(ContentTypeAtlasTexture, base + "over.png", false) : nullptr);
	auto* normal = dynamic_cast<AtlasTexture*>(normalObject.get());
	auto* over = dynamic_cast<AtlasTexture*>(overObject.get());
	money->setFlipX((Random::instance()->nextUInt() & 1u) == 0);
	money->setAtlasTexture(zone->isHovered() ? over : normal);
	setStatePicture(money, "Normal", normal);
	setStatePicture(money, "NormalHover", over);
	setStatePicture(money, "Pressed", normal);
}

bool GMiniGameAuctionScene::onNodePressed(CEventNodeClicked* event)
{
	if (GMiniGameScene::onNodePressed(event))
		return true;
	BaseNode* pressed = event->control;
	if (!pressReachesPlay())
		return false;
	for (int i = 0; i < ZoneCount; ++i)
		if (zones[i] && pressed == zones[i].get())
			pick(zones[i].get());
	return false;
}

void GMiniGameAuctionScene::pick(ControlNode* zone)
{
	int index = 0;
	while (zones[index].get() != zone)
		++index;
	if (zonePiles[index] == biggestPile)
	{
		playCue("ObjFound");
		flyReward();
		score += reward;
		if (scoreText)
			scoreText->setText(formatThousands(score, L','));
	}
	else
		playCue("ButtonMissed");
	++roundNumber;
	startRound();
}

void GMiniGameAuctionScene::flyReward()
{
	TemplateCollectionNode* templates = findTemplateCollection();
	BaseNode* trailTemplate = templates ? templates->findTemplate(internStringId("TextTrailStar")) : nullptr;
	BaseNode* game = frontend::directChild(frontend::directChild(this, "Scene"), "Game");
	if (!trailTemplate || !trailTemplate->isKindOf(NodeTypeGTextTrailNode) || !game)
		return;
	irr::core::vector3df cursor;
	IDevice* device = Singleton<IDevice>::peek();
	if (CursorControl* control = device ? device->getCursorControl() : nullptr)
		cursor.set(static_cast<float>(control->getPosition().X), static_cast<float>(control->getPosition().Y), 0.0f);
	refreshAbsolute();
	irr::core::matrix4 toScene(irr::core::matrix4::EM4CONST_NOTHING);
	if (!getAbsoluteTransformation().getInverse(toScene))
		toScene = irr::core::matrix4() * 0.0f;
	toScene.transformVect(cursor);
	auto* trail = nodeCast<GTextTrailNode>(trailTemplate->clone(game, nullptr));
	if (!trail)
		return;
	trail->setSpeed(RewardFlightSpeed);
	trail->setVisible(true);
	irr::core::array<irr::core::vector2df> points;
	points.push_back({cursor.X, cursor.Y});
	points.push_back(ScorePoint);
	trail->start(points, -1, false, false);
	trail->setText(irr::core::stringw(reward));
}
