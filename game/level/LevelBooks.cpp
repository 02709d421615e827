#include "LevelBooks.h"

#include <cmath>

CommandRefusal checkCost(float money, float materials, int freeWorkers, const CommandCost& cost)
{
	if (cost.money > money)
		return CommandRefusal::NoMoney;
	if (cost.materials > materials)
		return CommandRefusal::NoMaterials;
	if (cost.workers > freeWorkers)
		return CommandRefusal::NoWorkers;
	return CommandRefusal::None;
}

bool advanceOrder(float& timeLeft, float multiplier, float dt)
{
	if (timeLeft < 0.0f)
		return false;
	timeLeft -= multiplier * dt;
	if (timeLeft >= 0.0f)
		return false;
	timeLeft = -1.0f;
	return true;
}

int letterAmount(float income, float r)
{
	return static_cast<int>(std::floor(income * 0.01f * r + 1.0f)) * 100;
}

int ratingStars(float rating, const std::function<int(unsigned)>& step)
{
	float remainder = rating;
	int stars = 0;
	while (remainder >= 0.0f)
	{
		const int cost = step(static_cast<unsigned>(stars + 1));
		if (cost <= 0)
			return stars;
		remainder -= static_cast<float>(cost);
		if (remainder >= 0.0f)
			++stars;
	}
	return stars;
}
