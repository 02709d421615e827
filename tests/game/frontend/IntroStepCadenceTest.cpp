#include "frontend/GIntroScene.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
// One update of the intro; when it ran no part (its files are still being read ahead) time passes as in the
// frame loop, so the loading thread gets on.
void update(GIntroScene& intro)
{
	const int before = intro.getPartCount();
	intro.updateTime(10);
	if (intro.getPartCount() == before)
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
}
} // namespace

// The steps keep their order and weights; the progress target adds a step's weight when its last part is done.
TEST(GIntroSceneCadence, StepsKeepTheirWeightsAndFinishInOrder)
{
	const float weights[GIntroScene::StepCount] = {10, 20, 10, 10, 10, 10, 10, 10, 30, 30, 5, 5};
	float sum = 0.0f;
	for (int i = 0; i < GIntroScene::StepCount; ++i)
	{
		EXPECT_EQ(GIntroScene::loadingSteps[i].weight, weights[i]) << i;
		sum += weights[i];
	}
	SmartPointer<GIntroScene> intro(new GIntroScene());
	intro->onLoaded();
	EXPECT_EQ(intro->getTotal(), sum);
	intro->setUpdateBudget(0);
	int previousStep = 0;
	for (int call = 0; call < 5000 && !intro->isLoadingDone(); ++call)
	{
		update(*intro);
		const int step = intro->getStepIndex();
		ASSERT_GE(step, previousStep);
		float finished = 0.0f;
		for (int i = 0; i < step; ++i)
			finished += weights[i];
		EXPECT_EQ(intro->getTarget(), finished) << "call " << call;
		EXPECT_LE(intro->getDisplayed(), intro->getTarget()) << "call " << call;
		previousStep = step;
	}
	EXPECT_TRUE(intro->isLoadingDone());
}

// With no time to spare an update runs exactly one part (a file, or one atlas page): the frame loop is never
// held for a whole step. Every step has at least one part.
TEST(GIntroSceneCadence, AnUpdateWithoutBudgetRunsOnePartAtMost)
{
	SmartPointer<GIntroScene> intro(new GIntroScene());
	intro->onLoaded();
	intro->setUpdateBudget(0);
	int calls = 0;
	while (!intro->isLoadingDone() && calls < 5000)
	{
		const int before = intro->getPartCount();
		update(*intro);
		EXPECT_LE(intro->getPartCount() - before, 1) << "call " << calls;
		++calls;
	}
	EXPECT_TRUE(intro->isLoadingDone());
	EXPECT_EQ(intro->getMostPartsInOneUpdate(), 1);
	EXPECT_GE(intro->getPartCount(), GIntroScene::StepCount);
}
