#include "GammaRamp.h"

#include <algorithm>
#include <cmath>

bool calculateGammaRamp(uint16_t ramp[256], float gamma, float brightness, float contrast)
{
	if (!(gamma > 0.0f))
		return false;
	const double divisor = 255.0 - static_cast<double>(contrast) * 127.5;
	if (!(divisor > 0.0))
		return false;

	const double exponent = 1.0 / gamma;
	const double scale = 1.0 / divisor;
	// Worked in double and clamped before the conversion: extreme arguments may not overflow an int.
	const double offset = std::trunc(static_cast<double>(brightness) * 16383.75);
	for (int i = 0; i < 256; ++i)
	{
		double value = offset + std::trunc(std::pow(i * scale, exponent) * 65535.0 + 0.5);
		if (std::isnan(value))
			value = 0.0;
		ramp[i] = static_cast<uint16_t>(std::clamp(value, 0.0, 65535.0));
	}
	return true;
}

float calculateGammaFromRamp(const uint16_t ramp[256])
{
	double sum = 0.0;
	int count = 0;
	for (int j = 1; j < 256; ++j)
	{
		const unsigned v = ramp[j];
		if (v == 0 || v == 65535)
			continue;
		sum += std::log(v / 65535.0) / std::log(j / 256.0);
		++count;
	}
	if (count == 0 || sum == 0.0)
		return 1.0f;
	return static_cast<float>(1.0 / (sum / count));
}

void spreadGammaRamp(const uint16_t ramp[256], uint16_t* screenRamp, int size)
{
	for (int k = 0; k < size; ++k)
		screenRamp[k] = ramp[size > 1 ? (k * 255 + (size - 1) / 2) / (size - 1) : 0];
}

void gatherGammaRamp(const uint16_t* screenRamp, int size, uint16_t ramp[256])
{
	for (int i = 0; i < 256; ++i)
		ramp[i] = size > 0 ? screenRamp[(i * (size - 1) + 127) / 255] : 0;
}
