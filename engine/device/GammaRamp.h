#pragma once

#include <cstdint>

// Fills a 256-entry display ramp for one colour. Leaves the ramp unchanged and returns false when the
// arguments give no ramp (gamma not above 0, or a contrast that leaves nothing to divide by).
bool calculateGammaRamp(uint16_t ramp[256], float gamma, float brightness, float contrast);

// Estimates the gamma a 256-entry ramp was made with; 1 when the ramp tells nothing.
float calculateGammaFromRamp(const uint16_t ramp[256]);

// Spreads a 256-entry ramp over a screen ramp of size entries (first to first, last to last, each
// entry from the nearest one).
void spreadGammaRamp(const uint16_t ramp[256], uint16_t* screenRamp, int size);

// Takes a 256-entry ramp from a screen ramp of size entries; undoes spreadGammaRamp exactly when the
// screen ramp has 256 entries or more.
void gatherGammaRamp(const uint16_t* screenRamp, int size, uint16_t ramp[256]);
