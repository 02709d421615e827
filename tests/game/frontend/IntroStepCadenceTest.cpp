#include "frontend/GIntroScene.h"

#include <gtest/gtest.h>

// At 30 ms a call the intro runs one loading step on every second call, each adding its weight.
TEST(GIntroSceneCadence, OneStepEverySecondCallWithItsWeight)
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
	float target = 0.0f;
	for (int call = 1; call <= 2 * GIntroScene::StepCount; ++call)
	{
		intro->updateTime(30);
		if (call % 2 == 0)
			target += weights[call / 2 - 1];
		EXPECT_EQ(intro->getStepIndex(), call / 2) << "call " << call;
		EXPECT_EQ(intro->getTarget(), target) << "call " << call;
	}
}
