#pragma once

#include "ReferenceCounted.h"
#include "Singleton.h"

// Process-wide random numbers: MT19937 and a two-word multiply-with-carry generator.
class Random : public virtual ReferenceCounted
{
public:
	Random();
	~Random() override;

	static Random* instance() { return Singleton<Random>::instance(); }

	// Seeds the twister and the first multiply-with-carry word.
	void seed(unsigned s);
	void regenerate();
	// Mersenne Twister output.
	unsigned nextMt();
	// Multiply-with-carry output and the range operations built on it.
	unsigned nextUInt();
	unsigned nextIntInRange(unsigned a, unsigned b);
	float nextFloat();
	float nextFloatInRange(float a, float b);

private:
	unsigned mt[624];
	int mtIndex = 0;
	unsigned w = 0;
	unsigned z = 0;
};
