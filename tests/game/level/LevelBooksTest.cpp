#include "level/LevelBooks.h"

#include <gtest/gtest.h>
#include <vector>

TEST(LevelBooks, LetterAmountIsTheHundredsOfTheIncomeShareAndOneHundredMore)
{
	struct Case
	{
		const char* name;
		float income;
		float r;
		int amount;
	};
	const Case cases[] = {
	    {"income 1000, r 2", 1000.0f, 2.0f, 2100},
	    {"no income", 0.0f, 2.0f, 100},
	    {"fraction of the share dropped", 1000.0f, 2.55f, 2600},
	    {"r 0", 5000.0f, 0.0f, 100},
	    {"large income", 250000.0f, 3.0f, 750100},
	};
	for (const Case& c : cases)
		EXPECT_EQ(letterAmount(c.income, c.r), c.amount) << c.name;
}

TEST(LevelBooks, RatingStarsFollowTheSteps)
{
	const auto defaultSteps = [](unsigned i) { return i == 0 ? 0 : 50; };
	struct Case
	{
		float rating;
		int stars;
	};
	const Case cases[] = {{-5.0f, 0}, {0.0f, 0},   {49.0f, 0},  {49.9f, 0}, {50.0f, 1},
	                      {99.0f, 1}, {100.0f, 2}, {149.0f, 2}, {300.0f, 6}};
	for (const Case& c : cases)
		EXPECT_EQ(ratingStars(c.rating, defaultSteps), c.stars) << "rating " << c.rating;

	// Steps that grow: 10, 20, 30 ... points for star 1, 2, 3 ...
	const auto growing = [](unsigned i) { return static_cast<int>(i) * 10; };
	EXPECT_EQ(ratingStars(9.0f, growing), 0);
	EXPECT_EQ(ratingStars(30.0f, growing), 2);
	EXPECT_EQ(ratingStars(59.0f, growing), 2);
	EXPECT_EQ(ratingStars(60.0f, growing), 3);
}

// A step of 0 or below would let the count run for ever: it ends the stars instead.
TEST(LevelBooks, RatingStarsEndAtAStepOfZeroOrBelow)
{
	for (int bad : {0, -1, -50})
	{
		const auto steps = [bad](unsigned i) { return i <= 2 ? 50 : bad; };
		EXPECT_EQ(ratingStars(1000.0f, steps), 2) << "step " << bad;
		EXPECT_EQ(ratingStars(60.0f, steps), 1) << "step " << bad;
		EXPECT_EQ(ratingStars(1000.0f, [bad](unsigned) { return bad; }), 0) << "step " << bad;
	}
}

// An order counts down by multiplier x dt and delivers in the step it runs out, once.
TEST(LevelBooks, OrdersDeliverAfterTheirTime)
{
	struct Case
	{
		const char* name;
		float time;
		float multiplier;
		int deliveredAtMs; // -1: never
	};
	const Case cases[] = {
	    {"plain", 1000.0f, 1.0f, 1020},
	    {"twice as fast", 10000.0f, 2.0f, 5020},
	    {"half as fast", 1000.0f, 0.5f, 2020},
	    {"no order", -1.0f, 1.0f, -1},
	};
	for (const Case& c : cases)
	{
		float left = c.time;
		int deliveredAt = -1;
		int deliveries = 0;
		for (int ms = 20; ms <= 30000; ms += 20)
			if (advanceOrder(left, c.multiplier, 20.0f))
			{
				deliveredAt = deliveredAt < 0 ? ms : deliveredAt;
				++deliveries;
			}
		EXPECT_EQ(deliveredAt, c.deliveredAtMs) << c.name;
		EXPECT_EQ(deliveries, c.deliveredAtMs < 0 ? 0 : 1) << c.name;
		EXPECT_EQ(left, -1.0f) << c.name;
	}
}

TEST(LevelBooks, CostIsCheckedPartByPart)
{
	struct Case
	{
		const char* name;
		CommandCost cost;
		CommandRefusal refusal;
	};
	// The stock: 1000 money, 50 materials, 3 workers.
	const Case cases[] = {
	    {"exactly the stock", {1000.0f, 50.0f, 3}, CommandRefusal::None},
	    {"nothing", {}, CommandRefusal::None},
	    {"one dollar short", {1001.0f, 0.0f, 0}, CommandRefusal::NoMoney},
	    {"materials short", {0.0f, 50.5f, 0}, CommandRefusal::NoMaterials},
	    {"workers short", {0.0f, 0.0f, 4}, CommandRefusal::NoWorkers},
	    {"money first", {2000.0f, 60.0f, 4}, CommandRefusal::NoMoney},
	};
	for (const Case& c : cases)
		EXPECT_EQ(checkCost(1000.0f, 50.0f, 3, c.cost), c.refusal) << c.name;
}
