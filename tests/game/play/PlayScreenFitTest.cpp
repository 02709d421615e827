#include "../TextFitCheck.h"
#include "PlayTestSupport.h"
#include "content/CDictionary.h"
#include "data/GBuildingType.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"
#include "data/GObjectiveList.h"
#include "level/GBuildingNode.h"
#include "nodes/CheckBoxNode.h"
#include "play/LevelLayer.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

// Every text of the shipped scenes and of the play screen over each of the 28 levels, filled with the
// longest values the game writes into it, stays inside its box and on the screen; no building place of
// a level lies under a panel of the play screen.
namespace
{
constexpr int LevelCount = 28;

std::string folderOf(int level)
{
	return "levels/level" + std::to_string(level) + "/";
}

std::string joined(const std::vector<std::string>& faults)
{
	std::ostringstream out;
	for (const std::string& fault : faults)
		out << "\n  " << fault;
	return out.str();
}

// A node's rectangle on the screen from its absolute transformation and bounds.
irr::core::rectf screenRect(BaseNode* node)
{
	node->refreshAbsolute();
	irr::core::vector3df a(0.0f, 0.0f, 0.0f), b(node->getBounds().X, node->getBounds().Y, 0.0f);
	node->getAbsoluteTransformation().transformVect(a);
	node->getAbsoluteTransformation().transformVect(b);
	return irr::core::rectf(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

std::string describe(const irr::core::rectf& r)
{
	char text[64];
	std::snprintf(text, sizeof text, "%.0f,%.0f-%.0f,%.0f", r.UpperLeftCorner.X, r.UpperLeftCorner.Y,
	              r.LowerRightCorner.X, r.LowerRightCorner.Y);
	return text;
}

class PlayScreenFit : public playtest::PlayStage
{
protected:
	// The level's play screen shown over the menu, so that every control has its look.
	bool enter(int number) { return enterLevel(folderOf(number).c_str()); }
	// Back to the menu, the level layer emptied, ready for the next level.
	bool leave()
	{
		top()->closeTo(0, SceneNode::nameIdNavBackFrom(), SceneNode::nameIdNavBackTo());
		const bool back = stepUntil(300, [&] { return nodeCast<GMainMenuScene>(top()) && settled(); });
		play::emptyLevelLayer();
		play = nullptr;
		level = nullptr;
		return back;
	}

	BaseNode* find(BaseNode* under, const char* name, int depth = 8) const
	{
		return under ? under->findChild(internStringId(name), depth) : nullptr;
	}

	CDictionary* texts() const { return getDevice()->getDictionary(); }

	// The records of the buildings configuration, and the one whose shown name is the longest.
	const GBuildingType* longestNamedRecord() const
	{
		const GBuildingType* longest = nullptr;
		size_t length = 0;
		for (const auto& [name, record] : level->getBuildingsConfiguration()->getRecords())
		{
			const size_t here = texts()->getText(record->getDisplayName()).size();
			if (here > length)
			{
				length = here;
				longest = record.get();
			}
		}
		return longest;
	}

	// The level's money, stock and counts at the largest values a player reaches: the last levels ask
	// for incomes above a million a day and several hundred guests.
	void fillLargest()
	{
		level->money = 9999999.0f;
		level->income = 1999999.0f;
		level->possibleIncome = 1999999.0f;
		level->guests = 999;
		level->possibleGuests = 999;
		level->materials = 9999.0f;
		level->freeWorkers = 99;
		level->totalWorkers = 99;
		play->fillGoals();
		play->refreshHud();
		play->refreshStats();
		for (int kind = 0; kind < 3; ++kind)
			play->fillBuildList(kind);
		play->fillMaterialsOffers();
		play->fillWorkersOffers();
	}

	// Each building record in each building information block, its texts checked in turn.
	void checkBuildingInfos(std::vector<std::string>& faults)
	{
		GBuildingNode* building = level->getBuildings().front().get();
		for (int tab = 1; tab <= 10; ++tab)
		{
			BaseNode* page = find(play.get(), ("Tab" + std::to_string(tab)).c_str());
			BaseNode* info = find(page, "BuildingInfoNode", 1);
			if (!info)
				continue;
			for (const auto& [name, record] : level->getBuildingsConfiguration()->getRecords())
			{
				for (bool owned : {false, true})
				{
					building->setOwned(owned);
					play->fillBuildingInfo(info, record.get(), building, true);
					std::vector<std::string> found;
					textfit::checkTexts(info, true, found, false);
					for (const std::string& fault : found)
						faults.push_back(std::string(getStringById(name).c_str()) + ": " + fault);
				}
			}
		}
	}

	// A standing hotel of every level below the top of its line: the panel's line of what the upgrade brings
	// shows the income and the room apart, each in its box.
	void checkAfterUpgradeLines(std::vector<std::string>& faults)
	{
		GBuildingNode* building = level->getBuildings().front().get();
		BaseNode* info = find(find(play.get(), "Tab6"), "BuildingInfoNode", 1);
		ASSERT_NE(info, nullptr);
		for (const auto& [name, record] : level->getBuildingsConfiguration()->getRecords())
		{
			if (record->getType() != 0 || record->getLevel() <= 0 || record->isTopOfLine())
				continue;
			const std::string hotel = getStringById(name).c_str();
			building->setLevelRecord(record.get(), false);
			building->setOwned(true);
			play->fillBuildingInfo(info, building->getRecord(), building, true);
			BaseNode* after = find(info, "AfterUpgradeNode", 1);
			auto* income = nodeCast<TextNode>(find(after, "IncomeNode", 1));
			auto* guests = nodeCast<TextNode>(find(after, "GuestsNode", 1));
			if (!after || !after->isVisible() || !income || !guests)
			{
				faults.push_back(hotel + ": no line of what the upgrade brings");
				continue;
			}
			std::vector<std::string> found;
			textfit::checkTexts(after, true, found, false);
			const float incomeEnd = income->getPosition().X + textfit::lineInk(*income, 0).right;
			const float guestsStart = guests->getPosition().X + textfit::lineInk(*guests, 0).left;
			if (incomeEnd + 8.0f > guestsStart)
				found.push_back("income and room run together");
			// The description above ends before the line begins.
			BaseNode* description = find(info, "DescriptionNode", 1);
			auto* text = nodeCast<TextNode>(find(description, "Text", 1));
			if (description && description->isVisible() && text && text->getLineCount() > 0)
			{
				const float bottom = description->getPosition().Y + text->getPosition().Y +
				                     textfit::lineInk(*text, text->getLineCount() - 1).bottom;
				if (bottom > after->getPosition().Y + income->getPosition().Y + textfit::lineInk(*income, 0).top)
					found.push_back("the description runs into the line of what the upgrade brings");
			}
			for (const std::string& fault : found)
				faults.push_back(hotel + ": " + fault);
		}
	}

	// The tooltips with the longest title and amounts, at the places they are shown.
	void checkTooltips(std::vector<std::string>& faults)
	{
		const GBuildingType* longest = longestNamedRecord();
		irr::core::stringw title = texts()->getText(longest->getDisplayName());
		title.make_upper();
		BaseNode* menu = find(play.get(), "GameMenu", 2);
		const auto at = [&](const char* name) { return find(menu, name, 1)->getPosition(); };
		play->showMaterialsWorkersTooltip(at("MaterialsWorkersTooltipNode"), title, 999, 99, 999999);
		textfit::checkTexts(find(menu, "MaterialsWorkersTooltipNode", 1), true, faults);
		play->showWorkersTooltip(at("WorkersInfoNode"), title, 99);
		textfit::checkTexts(find(menu, "WorkersInfoNode", 1), true, faults);
		play->showMoneyTooltip(at("MoneyInfoNode"), title, true, 9999999);
		textfit::checkTexts(find(menu, "MoneyInfoNode", 1), true, faults);
		play->hideTooltips();
		for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
		{
			for (const auto& [name, record] : level->getBuildingsConfiguration()->getRecords())
			{
				for (const char* info : {"IncomeGuestsInfoNode", "GuestsInfoNode"})
				{
					play->showBuildingInfoNode(record.get(), building.get());
					std::vector<std::string> found;
					textfit::checkTexts(find(menu, info, 1), true, found);
					for (const std::string& fault : found)
						faults.push_back(std::string(getStringById(name).c_str()) + ": " + fault);
					find(menu, info, 1)->setVisible(false);
				}
			}
		}
	}

	// The level's goals screen for a new player and for one who sees every target.
	void checkObjectivesScene(std::vector<std::string>& faults)
	{
		SmartPointer<GLevelObjectivesScene> goals(nodeCast<GLevelObjectivesScene>(
		    application->contentManager->getSceneNode(GLevelObjectivesScene::FileName, false)));
		ASSERT_NE(goals, nullptr);
		goals->setLevel(level.get());
		for (int index : {0, GLevelObjectivesScene::FullTargetsFromLevelIndex})
		{
			player()->setInt(ProfileKey::LevelIndex, index);
			goals->fillTexts();
			textfit::checkTexts(goals.get(), true, faults);
			const GObjectiveList* objectives = level->getLevelConfiguration()->getObjectives();
			ASSERT_NE(goals->getGoalsText(), nullptr);
			EXPECT_GE(goals->getGoalsText()->getLineCount(), objectives->getCount()) << "every goal is listed";
		}
		player()->setInt(ProfileKey::LevelIndex, 0);
	}

	// The goal boxes of the HUD, texts and check boxes, lie inside the goals panel.
	void checkGoalsPanel(std::vector<std::string>& faults)
	{
		BaseNode* panel = find(play.get(), "GoalsPanel");
		const irr::core::rectf frame = screenRect(panel);
		for (int i = 1; i <= 4; ++i)
		{
			BaseNode* box = find(find(play.get(), "GoalsNode"), ("Goal" + std::to_string(i)).c_str(), 1);
			auto* check = nodeCast<CheckBoxNode>(box);
			if (!check || !check->isVisible())
				continue;
			auto* text = nodeCast<TextNode>(find(check->getTemplateRoot(), "Text", 0));
			if (!text)
				continue;
			const textfit::Ink first = textfit::lineInk(*text, 0);
			const textfit::Ink last = textfit::lineInk(*text, text->getLineCount() - 1);
			irr::core::vector3df a(first.left, first.top, 0.0f), b(first.right, last.bottom, 0.0f);
			text->refreshAbsolute();
			text->getAbsoluteTransformation().transformVect(a);
			text->getAbsoluteTransformation().transformVect(b);
			if (a.Y < frame.UpperLeftCorner.Y || b.Y > frame.LowerRightCorner.Y - 2.0f ||
			    a.X < frame.UpperLeftCorner.X || b.X > frame.LowerRightCorner.X)
				faults.push_back("goal " + std::to_string(i) + " outside the goals panel " + describe(frame));
			// The check box stays off the panel's rim.
			const float rim = 5.0f;
			const irr::core::rectf mark = screenRect(check);
			if (mark.UpperLeftCorner.Y < frame.UpperLeftCorner.Y + rim ||
			    mark.LowerRightCorner.Y > frame.LowerRightCorner.Y - rim)
				faults.push_back("goal " + std::to_string(i) + "'s box " + describe(mark) + " on the goals panel's rim " +
				                 describe(frame));
		}
	}
};

TEST_F(PlayScreenFit, EveryTextOfTheShippedScenesStaysInItsBox)
{
	std::vector<std::string> faults;
	for (const auto& entry : std::filesystem::directory_iterator("assets/scenes"))
	{
		if (entry.path().extension() != ".qscn")
			continue;
		const std::string file = "scenes/" + entry.path().filename().string();
		SmartPointer<BaseNode> scene(application->contentManager->getSceneNode(file.c_str(), false));
		ASSERT_NE(scene, nullptr) << file;
		// Templates are laid out where they are used: only their boxes are checked here.
		const bool templates = file.find("Template") != std::string::npos;
		std::vector<std::string> found;
		textfit::checkTexts(scene.get(), !templates, found);
		for (const std::string& fault : found)
			faults.push_back(file + ": " + fault);
	}
	EXPECT_TRUE(faults.empty()) << joined(faults);
}

TEST_F(PlayScreenFit, ThePlayScreenOfEveryLevelKeepsItsTextsInTheirBoxes)
{
	for (int number = 1; number <= LevelCount; ++number)
	{
		SCOPED_TRACE("level " + std::to_string(number));
		ASSERT_TRUE(enter(number)) << log.dump();
		fillLargest();
		std::vector<std::string> faults;
		textfit::checkTexts(play.get(), true, faults);
		for (int tab = 1; tab <= 10; ++tab)
			textfit::checkTexts(find(play.get(), ("Tab" + std::to_string(tab)).c_str()), true, faults, false);
		checkGoalsPanel(faults);
		checkBuildingInfos(faults);
		checkAfterUpgradeLines(faults);
		checkTooltips(faults);
		checkObjectivesScene(faults);
		std::sort(faults.begin(), faults.end());
		faults.erase(std::unique(faults.begin(), faults.end()), faults.end());
		EXPECT_TRUE(faults.empty()) << joined(faults);
		ASSERT_TRUE(leave()) << log.dump();
	}
}

TEST_F(PlayScreenFit, NoBuildingPlaceLiesUnderAPanel)
{
	const std::vector<std::vector<const char*>> panels = {{"MoneyNode", "Bar"}, {"RatingNode", "Bar"},
	                                                      {"TimeNode", "Bar"},  {"GoalsPanel"},
	                                                      {"HintStrip"},        {"Dock"}};
	for (int number = 1; number <= LevelCount; ++number)
	{
		SCOPED_TRACE("level " + std::to_string(number));
		ASSERT_TRUE(enter(number)) << log.dump();
		std::vector<std::string> faults;
		for (const auto& path : panels)
		{
			BaseNode* panel = find(play.get(), path[0]);
			for (size_t i = 1; panel && i < path.size(); ++i)
				panel = find(panel, path[i], 1);
			ASSERT_NE(panel, nullptr) << path[0];
			const irr::core::rectf frame = screenRect(panel);
			for (const SmartPointer<GBuildingNode>& building : level->getBuildings())
			{
				irr::core::rectf lot = screenRect(building.get());
				// The lot's diamond leaves its rectangle's corners empty: a touch at the edge is no cover.
				lot.UpperLeftCorner += irr::core::vector2df(2.0f, 2.0f);
				lot.LowerRightCorner -= irr::core::vector2df(2.0f, 2.0f);
				if (lot.isRectCollided(frame))
					faults.push_back(std::string(getStringById(building->getName()).c_str()) + " " +
					                 describe(screenRect(building.get())) + " under " + path[0] + " " +
					                 describe(frame));
			}
		}
		EXPECT_TRUE(faults.empty()) << joined(faults);
		ASSERT_TRUE(leave()) << log.dump();
	}
}
} // namespace
