#pragma once

#include "core/ReferenceCounted.h"

// One entry of a level's price list of materials or workers.
class GResourceOffer : public virtual ReferenceCounted
{
public:
	GResourceOffer(float amount, float price, float time) : amount(amount), price(price), time(time) {}

	float getAmount() const { return amount; }
	float getPrice() const { return price; }
	float getTime() const { return time; }

private:
	float amount; // materials, or a number of workers
	float price;  // money, before the level's price factor
	float time;   // ms of delivery or training
};
