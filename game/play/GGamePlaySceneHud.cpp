// The play screen's head-up display: money, stock, rating, goals, the overview page and the hint window.
#include "GGamePlayScene.h"
#include "app/NodeLookup.h"
#include "app/SceneText.h"
#include "content/CDictionary.h"
#include "core/PropertyText.h"
#include "core/TextUtils.h"
#include "data/GLevelConfiguration.h"
#include "data/GObjective.h"
#include "data/GObjectiveList.h"
#include "device/IDevice.h"
#include "level/GGameLevelScene.h"
#include "nodes/BaseProgressBarNode.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/TextNode.h"
#include "scene/AnimatorSet.h"

#include <algorithm>
#include <cmath>

namespace
{
using nodelookup::setText;
using nodelookup::textChild;
using scenetext::dictionary;
using scenetext::format;
using scenetext::thousands;

// Whether the text has words and it and every node above it up to its page are visible.
bool showsWords(const TextNode* text, const BaseNode* page)
{
	if (!text || !page || text->getText().empty())
		return false;
	for (const BaseNode* node = text; node; node = node->getParent())
	{
		if (!node->isVisible())
			return false;
		if (node == page)
			return true;
	}
	return false;
}

int roundHalfUp(float value)
{
	return truncateToInt(std::floor(value + 0.5));
}

} // namespace

bool GGamePlayScene::refreshHud(GEvent*)
{
	if (!levelScene)
		return true;
	setText(moneyText, scenetext::money(truncateToInt(levelScene->money)));
	setText(incomeText, scenetext::money(roundHalfUp(levelScene->income)));
	setText(materialsAmountText, irr::core::stringw(truncateToInt(levelScene->materials)));
	setText(workersAmountText,
	        irr::core::stringw(levelScene->freeWorkers) + L"/" + irr::core::stringw(levelScene->totalWorkers));
	refreshRating();
	refreshGoals();
	refreshPanels();
	if (hoveredBuilding)
	{
		const BaseNode* owned = gameMenu ? gameMenu->findChild(internStringId("IncomeGuestsInfoNode"), 0) : nullptr;
		const BaseNode* city = gameMenu ? gameMenu->findChild(internStringId("GuestsInfoNode"), 0) : nullptr;
		if ((owned && owned->isVisible()) || (city && city->isVisible()))
			showBuildingInfoNode(hoveredRecord, hoveredBuilding);
		highlightHovered(hoveredRecord, hoveredBuilding);
	}
	reshowTooltip();
	return true;
}

void GGamePlayScene::refreshStats()
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	BaseNode* page = tabs[PlayTab::Overview];
	if (!configuration || !page)
		return;
	const GGameLevelScene& level = *levelScene;
	setText(textChild(page, "LevelText"), format("GamePlay_LEVEL", configuration->getName()));
	setText(textChild(page, "MoneyText"), format("GamePlay_MONEY", thousands(static_cast<int>(level.money))));
	setText(textChild(page, "IncomeText"), format("GamePlay_INCOME", thousands(roundHalfUp(level.income))));
	setText(textChild(page, "GuestsText"), format("GamePlay_GUESTS", thousands(level.guests)));
	setText(textChild(page, "PossibleIncomeText"),
	        format("GamePlay_POSSIBLE_INCOME", thousands(static_cast<int>(level.possibleIncome))));
	setText(textChild(page, "PossibleGuestsText"), format("GamePlay_POSSIBLE_GUESTS", thousands(level.possibleGuests)));
}

void GGamePlayScene::refreshRating()
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	if (!configuration)
		return;
	const int stars = levelScene->getRatingStars();
	int lower = 0;
	for (int i = 0; i <= stars; ++i)
		lower += configuration->getRatingStep(static_cast<unsigned>(i));
	const int upper = lower + configuration->getRatingStep(static_cast<unsigned>(stars) + 1);
	setText(ratingText, format("GuestsSign", thousands(levelScene->guests)));
	if (ratingBar)
	{
		ratingBar->setMaxValue(static_cast<float>(upper - lower));
		ratingBar->setValue(levelScene->rating - static_cast<float>(lower));
	}
	const StringId full = internStringId("Full");
	const StringId empty = internStringId("Empty");
	for (const std::vector<BaseNode*>* row : {&ratingStars, &overviewStars})
		for (size_t i = 0; i < row->size(); ++i)
			if (BaseNode* star = (*row)[i])
				star->setState(static_cast<int>(i) < stars ? full : empty, nullptr, StringId());
}

void GGamePlayScene::fillGoals()
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	if (!configuration)
		return;
	layoutGoals(goalBoxes, configuration->getObjectives(), true);
	layoutGoals(overviewGoals, configuration->getObjectives(), false);
	fitGoalsPanel();
}

void GGamePlayScene::fitGoalsPanel()
{
	// The panel ends below the last goal shown, whatever the level's number of goals and their lengths.
	BaseNode* panel = gameMenu ? gameMenu->findChild(internStringId("GoalsPanel"), 0) : nullptr;
	if (!panel)
		return;
	float bottom = 0.0f;
	for (const CheckBoxNode* box : goalBoxes)
	{
		const TextNode* text = box && box->isVisible() ? textChild(box->getTemplateRoot(), "Text") : nullptr;
		if (text)
			bottom = std::max({bottom, box->getPosition().Y + text->getPosition().Y + text->getTextHeight(),
			                   box->getPosition().Y + box->getBounds().Y});
	}
	const irr::core::vector3df& bounds = panel->getBounds();
	if (bottom > 0.0f)
		panel->setBounds(irr::core::vector3df(bounds.X, bottom + GoalsPanelMargin - panel->getPosition().Y, bounds.Z));
}

void GGamePlayScene::layoutGoals(const std::vector<CheckBoxNode*>& boxes, const GObjectiveList* objectives,
                                 bool longForm)
{
	CDictionary* texts = dictionary();
	const size_t count = objectives && texts ? objectives->getCount() : 0;
	for (size_t j = 0; j < boxes.size(); ++j)
	{
		CheckBoxNode* box = boxes[j];
		if (!box)
			continue;
		if (j >= count)
		{
			box->setVisible(false);
			continue;
		}
		GObjective* objective = objectives->get(static_cast<irr::u32>(j));
		box->setVisible(true);
		irr::core::stringw caption = objective->getText(*texts, true);
		if (longForm)
			caption += irr::core::stringw(L" (") + objective->getProgressText(*levelScene, *texts) + L")";
		box->setText(caption);
	}
	stackGoalBoxes(boxes, 1.0f);
}

void GGamePlayScene::stackGoalBoxes(const std::vector<CheckBoxNode*>& boxes, float gap)
{
	float y = 0.0f;
	bool first = true;
	for (CheckBoxNode* box : boxes)
	{
		const TextNode* text = box && box->isVisible() ? textChild(box->getTemplateRoot(), "Text") : nullptr;
		if (!text)
			continue;
		const irr::core::vector3df& position = box->getPosition();
		if (first)
			y = position.Y;
		else
			box->setPosition(irr::core::vector3df(position.X, y, position.Z));
		first = false;
		y += text->getTextHeight() + gap;
	}
}

void GGamePlayScene::refreshGoals()
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	GObjectiveList* objectives = configuration ? configuration->getObjectives() : nullptr;
	CDictionary* texts = dictionary();
	if (!objectives || !texts)
		return;
	for (irr::u32 i = 0; i < objectives->getCount(); ++i)
	{
		GObjective* objective = objectives->get(i);
		const bool done = objective->isComplete(*levelScene);
		if (i < goalBoxes.size() && goalBoxes[i])
		{
			irr::core::stringw caption = objective->getText(*texts, true);
			if (!done)
				caption += irr::core::stringw(L" (") + objective->getProgressText(*levelScene, *texts) + L")";
			goalBoxes[i]->setText(caption);
			goalBoxes[i]->setChecked(done);
		}
		if (i < overviewGoals.size() && overviewGoals[i])
			overviewGoals[i]->setChecked(done);
	}
	stackGoalBoxes(goalBoxes, 1.0f);
	fitGoalsPanel();
}

// The dark strip under the hint line shows only behind a hint: empty, it would be a bare bar over the city.
// The building page's work line counts too: while work runs it stands on the hint line in the page's place.
void GGamePlayScene::updateHintStrip()
{
	if (!hintStrip)
		return;
	bool hintShown = showsWords(workHint, tabs[PlayTab::Actions]);
	for (int i = 0; i < PlayTab::Count && !hintShown; ++i)
		hintShown = showsWords(tabHints[i], tabs[i]);
	hintStrip->setVisible(hintShown);
}

void GGamePlayScene::updateHintWindow(unsigned elapsed)
{
	const GLevelConfiguration* configuration = levelScene ? levelScene->getLevelConfiguration() : nullptr;
	if (!hintWindow || !configuration || configuration->getLevelNumber() <= 2)
		return;
	const irr::core::stringc& hint = levelScene->getHintText();
	if (hint.empty())
	{
		if (isHintWindowOpen())
		{
			hintTimer = 0;
			closeHintWindow();
		}
		return;
	}
	hintTimer -= static_cast<int>(elapsed);
	if (hintTimer > 0)
		return;
	if (isHintWindowOpen())
	{
		hintTimer = 30000;
		closeHintWindow();
		return;
	}
	for (const irr::core::stringc& shown : shownHints)
		if (shown == hint)
			return;
	playCue("TutorialWindow");
	hintTimer = 10000;
	hintWindow->setVisible(true);
	hintWindow->setState(nameIdNavTo(), nullptr, StringId());
	setText(textChild(hintWindow, "Text"), irr::core::stringw(hint.c_str()));
	shownHints.push_back(hint);
}

bool GGamePlayScene::isHintWindowOpen() const
{
	if (!hintWindow || !hintWindow->isVisible())
		return false;
	const AnimatorSet* closing = hintWindow->findState(nameIdNavFrom());
	return !closing || hintWindow->getRunningState() != closing;
}

void GGamePlayScene::closeHintWindow()
{
	if (!isHintWindowOpen())
		return;
	// The window counts as closed from now on; its look rolls it up and hides it.
	if (hintWindow->findState(nameIdNavFrom()))
		hintWindow->setState(nameIdNavFrom(), nullptr, StringId());
	else
		hintWindow->setVisible(false);
}
