#include "GBuildingNode.h"
#include "GGameLevelScene.h"
#include "GLevelProcess.h"
#include "GNeutralCarTraffic.h"
#include "app/GBaseSceneNode.h"
#include "app/SceneText.h"
#include "audio/CSoundCue.h"
#include "core/Random.h"
#include "core/TextUtils.h"
#include "data/GBuildingType.h"
#include "data/GEventLetterRequest.h"
#include "data/GEventLevelCompleted.h"
#include "data/GEventLevelStatsChanged.h"
#include "data/GEventNewDay.h"
#include "data/GEventResourcesReturned.h"
#include "data/GEventWeatherRequest.h"
#include "data/GLevelConfiguration.h"
#include "data/GObjectiveList.h"
#include "data/GResourceOffer.h"
#include "data/GUpgradeEffects.h"
#include "data/GameCodes.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/ContentType.h"
#include "effects/GWeatherParticlesNode.h"
#include "nodes/TextNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/TemplateCollectionNode.h"

#include <algorithm>
#include <cmath>

// The level's clock and books: the tick, orders, statistics, objectives, letters and weather.

using namespace irr;

namespace
{
BaseNode* directChildNamed(const BaseNode* node, const char* name)
{
	const StringId wanted = internStringId(name);
	const core::array<BaseNode*>& children = node->getChildren();
	for (u32 i = 0; i < children.size(); ++i)
		if (children[i]->getName() == wanted)
			return children[i];
	return nullptr;
}

GMoneyLetter* letterOf(const BaseNode* node)
{
	return dynamic_cast<GMoneyLetter*>(node->getUserObject());
}

// A random float in the range; its low end when both ends are equal.
float randomIn(const core::vector2df& range)
{
	return range.X == range.Y ? range.X : Random::instance()->nextFloatInRange(range.X, range.Y);
}
} // namespace

// ---- economy

bool GGameLevelScene::update(unsigned elapsed)
{
	if (neutralCarTraffic)
		neutralCarTraffic->update(elapsed);
	if (paused || (objectivesMet && hintText.empty()))
		return true;
	const float dt = static_cast<float>(elapsed);
	elapsedTime += dt;
	dayTime += dt * 0.001f;
	updateProcesses(elapsed);
	updateMoneyLetters(elapsed);
	bool changed = false;
	if (configuration && static_cast<float>(configuration->getDayLength()) <= dayTime)
	{
		if (income > 0.0f)
			GBaseSceneNode::playCue("Income");
		dayTime = 0.0f;
		money += income;
		postToParent(new GEventNewDay());
		changed = true;
	}
	const GLevelModifierValues* values = getModifierValues();
	if (values && advanceOrder(materialOrderLeft, values->materialDeliveryTimeM, dt))
	{
		GBaseSceneNode::playCue("MaterialsDelivered");
		materials += materialOrderAmount;
		changed = true;
	}
	if (values && advanceOrder(workerOrderLeft, values->workerDeliveryTimeM, dt))
	{
		GBaseSceneNode::playCue("WorkersTrained");
		freeWorkers += workerOrderCount;
		totalWorkers += workerOrderCount;
		changed = true;
	}
	if (changed)
	{
		recalculateStats();
		postToParent(new GEventLevelStatsChanged());
	}
	updateWeather(elapsed);
	return true;
}

void GGameLevelScene::updateProcesses(u32 elapsed)
{
	for (size_t i = 0; i < processes.size();)
	{
		// Kept while it runs: a message it sends may lead to its removal.
		SmartPointer<GLevelProcess> process = processes[i];
		const bool running = process->update(elapsed);
		// What the update set off (a message, a command) may have added or dropped processes: the
		// process is looked for where it is now.
		if (i >= processes.size() || processes[i] != process)
		{
			auto it = std::find(processes.begin(), processes.end(), process);
			if (it == processes.end())
				continue;
			i = static_cast<size_t>(it - processes.begin());
		}
		if (running)
		{
			++i;
			continue;
		}
		processes[i] = processes.back();
		processes.pop_back();
	}
}

void GGameLevelScene::addProcess(GLevelProcess* process)
{
	if (process)
		processes.push_back(shareRef(process));
}

void GGameLevelScene::postToParent(CEvent* event)
{
	SmartPointer<CEvent> keep(event);
	postEventToParent(DeliverSelfThenParent, event);
}

void GGameLevelScene::recalculateStats()
{
	const float previousRating = rating;
	income = 0.0f;
	possibleIncome = 0.0f;
	guests = 0;
	possibleGuests = 0;
	if (!configuration)
		return;
	rating = configuration->getInitRating();
	modifierValues.reset();
	GLevelModifierValues& values = modifierValues;
	if (upgradeEffects)
		for (const SmartPointer<GLevelModifierList>& list : upgradeEffects->getModifierLists())
			list->applyAll(values);
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		const GBuildingType* record = building->getRecord();
		if (record->getLevel() == 0 || !building->isOwned() || building->isForSale() || !building->isWorking())
			continue;
		if (record->getLevelModifiers())
			record->getLevelModifiers()->applyAll(values);
		for (int i = 0; i < record->getFeatureCount(); ++i)
			if (record->getFeature(i)->getLevelModifiers() && building->getFeatureState(i) == GFeatureState::Active)
				record->getFeature(i)->getLevelModifiers()->applyAll(values);
	}
	for (const SmartPointer<GBuildingNode>& building : buildings)
		if (!values.canBuildingsBroke && building->getCondition() == GBuildingNode::Broken)
			building->setCondition(GBuildingNode::Normal);
	for (const SmartPointer<GBuildingNode>& building : buildings)
		building->updateIncomeBonus();
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		const GBuildingType* record = building->getRecord();
		if (record->getLevel() == 0 || !building->isOwned() || building->isForSale())
			continue;
		if (building->isWorking())
		{
			income += building->getIncome();
			guests += record->getGuestsCount(getModifierValues());
		}
		else
		{
			possibleIncome += building->getIncome(record);
			possibleGuests += record->getGuestsCount(getModifierValues());
		}
	}
	possibleGuests += guests;
	possibleIncome += income;
	if (previousRating > rating)
		rating = previousRating;
	postToParent(new GEventLevelStatsChanged());
	checkObjectives();
	collectServices();
}

void GGameLevelScene::checkObjectives()
{
	if (objectivesMet && hintText.empty())
	{
		// Reached before anyone could be told: tell now.
		if (completionUndelivered)
			postLevelCompleted();
		return;
	}
	hintText = "";
	GObjectiveList* objectives = configuration ? configuration->getObjectives() : nullptr;
	// A level without a goal is never won: it must not hand out a free completion.
	objectivesMet = objectives && objectives->getCount() > 0;
	int incomplete = 0;
	GObjective* missing = nullptr;
	for (u32 i = 0; objectives && i < objectives->getCount() && incomplete < 2; ++i)
	{
		GObjective* objective = objectives->get(i);
		if (objective->isComplete(*this))
			continue;
		objectivesMet = false;
		missing = objective;
		++incomplete;
	}
	if (incomplete == 1)
		hintText = narrow(missing->getHintText());
	if (hintText.empty() && objectivesMet)
	{
		bool hotelBlocked = false;
		bool otherBlocked = false;
		for (const SmartPointer<GBuildingNode>& building : buildings)
		{
			if (!building->isOwned())
				continue;
			const bool workerJob = building->getWorkKind() == GBuildingNode::WorkerJob;
			if (building->getRecord()->getType() == BuildingKind::Hotel &&
			    (building->getCondition() == GBuildingNode::Broken || workerJob))
				hotelBlocked = true;
			else if (building->getCondition() == GBuildingNode::Dirty || workerJob)
				otherBlocked = true;
		}
		if (hotelBlocked && otherBlocked)
			hintText = "%GamePlay_CompleteBlocked1Hint%";
		else if (otherBlocked)
			hintText = "%GamePlay_CompleteBlocked3Hint%";
		else if (hotelBlocked)
			hintText = "%GamePlay_CompleteBlocked2Hint%";
	}
	if (objectivesMet && hintText.empty())
		postLevelCompleted();
}

void GGameLevelScene::postLevelCompleted()
{
	// Posted through the scene manager to the parent: without both the message would be lost, and
	// the completed level would never end.
	completionUndelivered = !getParent() || !getSceneManager();
	if (!completionUndelivered)
		postToParent(new GEventLevelCompleted());
}

void GGameLevelScene::collectServices()
{
	services.clear();
	idleServices.clear();
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		if (!building->isOwned() || building->getRecord()->getLevel() == 0)
			continue;
		const GBuildingType* record =
		    building->getWorkKind() == GBuildingNode::BuildWork && building->getPreviousRecord()
		        ? building->getPreviousRecord()
		        : building->getRecord();
		if (record->getProvidedService() != 0)
			services.push_back(record->getProvidedService());
		if (building->getWorkKind() == GBuildingNode::NoWork)
			idleServices.push_back(record->getProvidedService());
	}
}

void GGameLevelScene::updateMoneyLetters(u32 elapsed)
{
	for (size_t i = 0; i < moneyLetters.size();)
	{
		GMoneyLetter* letter = letterOf(moneyLetters[i].get());
		if (letter)
			letter->elapsed += static_cast<int>(elapsed);
		if (letter && letter->elapsed < letter->life && letter->building->isWorking())
		{
			if (BaseNode* ring = directChildNamed(moneyLetters[i].get(), "Progress"))
				showCountdownRing(ring, static_cast<float>(letter->elapsed) / static_cast<float>(letter->life));
			++i;
			continue;
		}
		expireMoneyLetter(i);
	}
}

void GGameLevelScene::expireMoneyLetter(size_t index)
{
	SmartPointer<BaseNode> node = moneyLetters[index];
	if (GMoneyLetter* letter = letterOf(node.get()))
	{
		letter->building->setLetterCooldown(0);
		letter->building->setWantFocus(true);
	}
	moneyLetters[index] = moneyLetters.back();
	moneyLetters.pop_back();
	node->setChildrenState(internStringId("Disappear"), nullptr);
}

void GGameLevelScene::updateWeather(u32 elapsed)
{
	if (!weatherNode || weatherLeft <= 0)
		return;
	weatherLeft -= static_cast<int>(elapsed);
	if (weatherLeft < 1)
		setWeatherEnabled(false);
}

void GGameLevelScene::setWeatherEnabled(bool enabled)
{
	// A disabled rain or snow node lets its falling particles finish; any other node simply hides.
	if (auto* weather = nodeCast<GWeatherParticlesNode>(weatherNode.get()))
		weather->setEnabled(enabled);
	else if (weatherNode)
		weatherNode->setVisible(enabled);
}

void GGameLevelScene::createWeatherNode()
{
	const bool snow = configuration && configuration->getSettingIndex() == LevelSetting::Snow;
	// Made under this scene, which keeps it; the new node's own reference is handed to weatherNode.
	auto* weather = new GWeatherParticlesNode(getContentRef(), this, getSceneManager());
	weatherNode = SmartPointer<BaseNode>(weather);
	weather->setPosition(core::vector3df(0.0f, 0.0f, 5000.0f));
	weather->setEnabled(false);
	weather->setConfigurationFilename(snow ? "levels/common/Effects/Snow.xml" : "levels/common/Effects/Rain.xml");
	if (CContentManager* manager = getContentRef().getContentManager())
	{
		SmartPointer<ContentObject> frame(
		    manager->getContent(ContentTypeAtlasTexture, snow ? "particles/Snow.png" : "particles/Rain.png", false));
		weather->setAtlasTexture(dynamic_cast<AtlasTexture*>(frame.get()));
	}
}

CommandRefusal GGameLevelScene::checkOrder(const GResourceOffer* offer, float priceMultiplier, float orderLeft) const
{
	if (!offer || !configuration)
		return CommandRefusal::NoOffer;
	if (orderLeft >= 0.0f)
		return CommandRefusal::OrderRunning;
	CommandCost cost;
	cost.money = priceMultiplier * offer->getPrice();
	return checkCost(money, materials, freeWorkers, cost);
}

bool GGameLevelScene::buyMaterials(const GResourceOffer* offer)
{
	const float multiplier = configuration ? modifierValues.materialPriceM : 1.0f;
	if (checkOrder(offer, multiplier, materialOrderLeft) != CommandRefusal::None)
		return false;
	materialOrderTime = offer->getTime();
	materialOrderLeft = offer->getTime();
	materialOrderAmount = offer->getAmount();
	money -= multiplier * offer->getPrice();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

bool GGameLevelScene::trainWorkers(const GResourceOffer* offer)
{
	const float multiplier = configuration ? modifierValues.workerPriceM : 1.0f;
	if (checkOrder(offer, multiplier, workerOrderLeft) != CommandRefusal::None)
		return false;
	workerOrderTime = offer->getTime();
	workerOrderLeft = offer->getTime();
	workerOrderCount = static_cast<int>(offer->getAmount());
	money -= multiplier * offer->getPrice();
	postToParent(new GEventLevelStatsChanged());
	return true;
}

int GGameLevelScene::getRatingStars() const
{
	if (!configuration)
		return 0;
	const GLevelConfiguration* levelConfiguration = configuration.get();
	return ratingStars(rating, [levelConfiguration](unsigned i) { return levelConfiguration->getRatingStep(i); });
}

bool GGameLevelScene::onResourcesReturned(GEventResourcesReturned* event)
{
	materials += event->materials;
	freeWorkers += event->workers;
	return false;
}

bool GGameLevelScene::onLetterRequest(GEventLetterRequest* event)
{
	if (!configuration || !modifierValues.canReceiveMoneyLetters)
		return true;
	auto carriesLetter = [this](const GBuildingNode* building)
	{
		for (const SmartPointer<BaseNode>& node : moneyLetters)
			if (GMoneyLetter* letter = letterOf(node.get()); letter && letter->building == building)
				return true;
		return false;
	};
	std::vector<GBuildingNode*> candidates;
	for (const SmartPointer<GBuildingNode>& building : buildings)
	{
		const GBuildingType* record = building->getRecord();
		if (building->isWorking() && record->getLevel() > 0 && record->getType() == BuildingKind::Hotel &&
		    building->getLetterCooldown() >= 5000 && !carriesLetter(building.get()) &&
		    matchesRequest(building.get(), event->buildingTypes, event->placeNames))
			candidates.push_back(building.get());
	}
	TemplateCollectionNode* collection = templates();
	BaseNode* letterTemplate =
	    collection && !candidates.empty() ? collection->findTemplate(internStringId("MoneyLetter")) : nullptr;
	if (!letterTemplate)
		return true;
	GBaseSceneNode::playCue("MoneyLetter");
	GBuildingNode* building = candidates[Random::instance()->nextUInt() % candidates.size()];
	const int amount = letterAmount(building->getIncome(), randomIn(event->moneyRange));
	const int life = static_cast<int>(std::floor(randomIn(event->waitTimeRange) + 0.5f));
	SmartPointer<GMoneyLetter> letter(new GMoneyLetter(amount, life, building));
	// The building holds the clone; the letters array keeps a reference of its own.
	SmartPointer<BaseNode> node = shareRef(letterTemplate->clone(building, getSceneManager()));
	if (!node)
		return true;
	node->setVisible(true);
	node->setUserObject(letter.get());
	node->setChildrenState(internStringId("Appear"), nullptr);
	moneyLetters.push_back(node);
	building->setWantFocus(false);
	if (TextNode* text = nodeCast<TextNode>(directChildNamed(node.get(), "Text")))
		text->setText(scenetext::money(amount));
	if (BaseNode* ring = directChildNamed(node.get(), "Progress"))
		showCountdownRing(ring, 0.0f);
	return true;
}

bool GGameLevelScene::onWeatherRequest(GEventWeatherRequest* event)
{
	if (!weatherNode)
		return true;
	setWeatherEnabled(true);
	weatherLeft += event->minDuration == event->maxDuration
	                   ? event->minDuration
	                   : static_cast<int>(Random::instance()->nextIntInRange(
	                         static_cast<unsigned>(event->minDuration), static_cast<unsigned>(event->maxDuration)));
	const bool snow = configuration && configuration->getSettingIndex() == LevelSetting::Snow;
	if (!snow && (!rainCue || rainCue->getState() != 1))
		rainCue = shareRef(GBaseSceneNode::playCue("Rain"));
	return true;
}
