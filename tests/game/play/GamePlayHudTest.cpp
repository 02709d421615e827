#include "PlayTestSupport.h"
#include "content/AtlasTexture.h"
#include "content/CXMLReader.h"
#include "data/GLevelConfiguration.h"
#include "nodes/CheckBoxNode.h"
#include "nodes/ProgressBarNode.h"
#include "nodes/SpriteNode.h"
#include "nodes/TextNode.h"

#include <functional>
#include <vector>

// The play screen's head-up display over level 1: money and stock texts, the rating stars, the goals
// and the level's hint window.
namespace
{
class GamePlayHud : public playtest::PlayStage
{
protected:
	void SetUp() override
	{
		PlayStage::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		ASSERT_TRUE(enterLevel()) << log.dump();
		menu = play->findChild(internStringId("GameMenu"), 2);
		ASSERT_NE(menu, nullptr);
	}
	irr::core::stringw text(const char* parent, const char* name) const
	{
		BaseNode* group = parent ? menu->findChild(internStringId(parent), 1) : menu;
		auto* node = group ? nodeCast<TextNode>(group->findChild(internStringId(name), 1)) : nullptr;
		return node ? node->getText() : irr::core::stringw(L"(none)");
	}
	static irr::core::stringc pictureOf(const BaseNode* node)
	{
		const auto* sprite = nodeCast<SpriteNode>(node);
		AtlasTexture* frame = sprite ? sprite->getAtlasTexture() : nullptr;
		return frame ? frame->getContentRef().getName() : irr::core::stringc();
	}
	// A configuration read from a few lines, for a level other than the shipped one.
	static SmartPointer<GLevelConfiguration> configuration(const std::string& properties, const std::string& more)
	{
		const std::string xml =
		    "<?xml version=\"1.0\"?>\n<Level><Properties>" + properties + "</Properties>" + more + "</Level>";
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		SmartPointer<GLevelConfiguration> read(new GLevelConfiguration());
		read->load(reader.get());
		return read;
	}

	BaseNode* menu = nullptr;
};

TEST_F(GamePlayHud, MoneyAndStockAreShownAsThePlayerReadsThem)
{
	struct Case
	{
		float money, income, materials;
		int free, total;
		const wchar_t *moneyText, *incomeText, *materialsText, *workersText;
	};
	const Case cases[] = {
	    {1234.9f, 1234.5f, 80.7f, 3, 7, L"$1,234", L"$1,235", L"80", L"3/7"},
	    {0.0f, 0.0f, 0.0f, 0, 0, L"$0", L"$0", L"0", L"0/0"},
	    {1000000.0f, 99.4f, 1500.0f, 4, 3, L"$1,000,000", L"$99", L"1500", L"4/3"},
	};
	for (const Case& test : cases)
	{
		level->money = test.money;
		level->income = test.income;
		level->materials = test.materials;
		level->freeWorkers = test.free;
		level->totalWorkers = test.total;
		play->refreshHud();
		EXPECT_EQ(text("MoneyNode", "MoneyText"), test.moneyText);
		EXPECT_EQ(text("MoneyNode", "IncomeText"), test.incomeText);
		EXPECT_EQ(text(nullptr, "MaterialsAmountTabText"), test.materialsText);
		EXPECT_EQ(text(nullptr, "WorkersAmountTabText"), test.workersText);
	}
}

TEST_F(GamePlayHud, StarsFillUpToTheRatingReached)
{
	BaseNode* rating = menu->findChild(internStringId("RatingNode"), 1);
	ASSERT_NE(rating, nullptr);
	const GLevelConfiguration* configuration = level->getLevelConfiguration();
	for (int reached = 0; reached <= 2; ++reached)
	{
		float needed = 0.0f;
		for (int i = 0; i <= reached; ++i)
			needed += static_cast<float>(configuration->getRatingStep(static_cast<unsigned>(i)));
		level->rating = needed + 1.0f;
		ASSERT_EQ(level->getRatingStars(), reached);
		play->refreshHud();
		for (int i = 0; i < 6; ++i)
		{
			const BaseNode* star = rating->findChild(internStringId(("Star" + std::to_string(i + 1)).c_str()), 1);
			EXPECT_STREQ(pictureOf(star).c_str(), i < reached ? "scenes/images/GameMenu/HUD/StarFull.png"
			                                                  : "scenes/images/GameMenu/HUD/StarEmpty.png")
			    << reached << " " << i;
		}
	}
}

// The three bars of the screen: the day, the rating and the panel's work progress. What is drawn is
// the fill ("Knob" of the template), which must cover as much of the track as the value reaches.
TEST_F(GamePlayHud, BarsFillAsFarAsTheirValuesReach)
{
	BaseNode* tabs = menu->findChild(internStringId("ActionsTabScene"), 1);
	BaseNode* tab6 = tabs ? tabs->findChild(internStringId("Tab6"), 1) : nullptr;
	BaseNode* work = tab6 ? tab6->findChild(internStringId("ProgressNode"), 1) : nullptr;
	struct Case
	{
		const char* name;
		BaseNode* parent;
		std::function<void(float)> drive; // sets the level's value to a fraction of its range
	};
	const GLevelConfiguration* configuration = level->getLevelConfiguration();
	const Case cases[] = {
	    {"day", menu->findChild(internStringId("MoneyNode"), 1),
	     [&](float f)
	     {
		     level->dayTime = f * static_cast<float>(configuration->getDayLength());
		     play->update(0);
	     }},
	    {"rating", menu->findChild(internStringId("RatingNode"), 1),
	     [&](float f)
	     {
		     const float first = static_cast<float>(configuration->getRatingStep(0));
		     level->rating = first + f * static_cast<float>(configuration->getRatingStep(1));
		     play->refreshHud();
	     }},
	    {"work", work, nullptr},
	};
	for (const Case& test : cases)
	{
		SCOPED_TRACE(test.name);
		auto* bar = test.parent ? nodeCast<ProgressBarNode>(test.parent->findChild(internStringId("ProgressBar"), 1))
		                        : nullptr;
		ASSERT_NE(bar, nullptr);
		ASSERT_TRUE(bar->getKnob() && bar->getSlidingArea()) << "the bar's template has its fill and track";
		const float track = bar->getSlidingArea()->getBounds().X;
		std::vector<float> widths;
		for (float f : {0.25f, 0.75f})
		{
			if (test.drive)
				test.drive(f);
			else
			{
				bar->setMaxValue(1.0f);
				bar->setValue(f);
			}
			EXPECT_NEAR(bar->getFraction(), f, 0.01f);
			EXPECT_NEAR(bar->getKnob()->getBounds().X, f * track, 1.0f) << f;
			EXPECT_EQ(bar->getKnob()->getPosition().X, bar->getSlidingArea()->getPosition().X);
			widths.push_back(bar->getKnob()->getBounds().X);
		}
		EXPECT_LT(widths[0], widths[1]) << "the fill grows with the value";
	}
}

TEST_F(GamePlayHud, GoalsListTheObjectivesAndTickTheDoneOnes)
{
	BaseNode* goals = menu->findChild(internStringId("GoalsNode"), 1);
	ASSERT_NE(goals, nullptr);
	auto* first = nodeCast<CheckBoxNode>(goals->findChild(internStringId("Goal1"), 1));
	auto* second = nodeCast<CheckBoxNode>(goals->findChild(internStringId("Goal2"), 1));
	auto* third = nodeCast<CheckBoxNode>(goals->findChild(internStringId("Goal3"), 1));
	ASSERT_TRUE(first && second && third);
	// Level 1 has two goals: three campsites and $40,000; the third box is hidden.
	level->money = 1000.0f;
	play->refreshHud();
	EXPECT_TRUE(first->isVisible());
	EXPECT_TRUE(second->isVisible());
	EXPECT_FALSE(third->isVisible());
	EXPECT_GT(second->getPosition().Y, first->getPosition().Y);
	EXPECT_FALSE(second->isChecked());
	EXPECT_NE(second->getText().find(L"("), -1) << "an open goal shows its progress";

	level->money = 50000.0f;
	play->refreshHud();
	EXPECT_TRUE(second->isChecked());
	EXPECT_EQ(second->getText().find(L"("), -1) << "a done goal drops its progress";
}

// The hint window: never on the first two levels; later each hint once, ten seconds, then a pause.
TEST_F(GamePlayHud, EachHintIsShownOncePerLevel)
{
	BaseNode* window = play->getHintWindow();
	ASSERT_NE(window, nullptr);
	const std::string objectives = "<Objectives><Objective Type=\"Money\" Value=\"900000000\"/></Objectives>";
	level->setConfiguration(configuration("<string Name=\"Name\" Value=\"1\"/>", objectives).get());
	level->checkObjectives();
	ASSERT_FALSE(level->getHintText().empty());
	for (int i = 0; i < 100; ++i)
		play->update(20);
	EXPECT_FALSE(window->isVisible()) << "no hints on level 1";

	level->setConfiguration(configuration("<string Name=\"Name\" Value=\"3\"/>", objectives).get());
	level->checkObjectives();
	play->update(20);
	EXPECT_TRUE(play->isHintWindowOpen());
	EXPECT_EQ(window->getRunningState(), window->findState(internStringId("NavTo")));
	for (int i = 0; i < 10000 / 20; ++i)
		play->update(20);
	EXPECT_FALSE(play->isHintWindowOpen()) << "closed after ten seconds";
	// It rolls up instead of vanishing at once.
	EXPECT_TRUE(window->isVisible());
	EXPECT_EQ(window->getRunningState(), window->findState(internStringId("NavFrom")));
	for (int i = 0; i < 60000 / 20; ++i)
	{
		play->update(20);
		ASSERT_FALSE(play->isHintWindowOpen()) << "the same hint again at " << i * 20 << " ms";
	}
}
} // namespace
