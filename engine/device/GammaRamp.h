#pragma once

#include <cstdint>

// Fills a 256-entry display ramp for one colour. Leaves the ramp unchanged and returns false when the
// arguments give no ramp (gamma not above 0, or a contrast that leaves nothing to divide by).
bool calculateGammaRamp(uint16_t ramp[256], float gamma, float brightness, float contrast);

// Estimates the gamma a 256-entry ramp was made with; 1 when the ramp tells nothing.
float calculateGammaFromRamp(const uint16_t ramp[256]);
