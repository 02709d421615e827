#include "Random.h"

Random::Random()
{
	Singleton<Random>::record(this);
	seed(5489u);
	w = 0x29169588u;
	z = 0x38d4b27cu;
}

Random::~Random() { Singleton<Random>::forget(this); }

void Random::seed(unsigned s)
{
	mt[0] = s;
	for (unsigned i = 1; i < 624; ++i)
		mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + i;
	mtIndex = 0;
	w = s;
}

void Random::regenerate()
{
	for (int i = 0; i < 624; ++i)
	{
		unsigned y = (mt[i] & 0x80000000u) | (mt[(i + 1) % 624] & 0x7fffffffu);
		unsigned v = mt[(i + 397) % 624] ^ (y >> 1);
		if (y & 1u)
			v ^= 0x9908b0dfu;
		mt[i] = v;
	}
	mtIndex = 0;
}

unsigned Random::nextMt()
{
	if (mtIndex >= 624)
		regenerate();
	unsigned y = mt[mtIndex++];
	y ^= y >> 11;
	y ^= (y << 7) & 0x9d2c5680u;
	y ^= (y << 15) & 0xefc60000u;
	y ^= y >> 18;
	return y;
}

unsigned Random::nextUInt()
{
	z = 36969u * (z & 0xFFFFu) + (z >> 16);
	w = 18000u * (w & 0xFFFFu) + (w >> 16);
	return (z << 16) + w;
}

unsigned Random::nextIntInRange(unsigned a, unsigned b)
{
	if (a == b)
		return a;
	return a + nextUInt() % (b - a);
}

float Random::nextFloat() { return static_cast<float>(static_cast<double>(nextUInt()) * (1.0 / 4294967296.0)); }

float Random::nextFloatInRange(float a, float b)
{
	float d = b - a;
	if (d == 0.0f)
		return a;
	return static_cast<float>(a + d * nextFloat());
}
