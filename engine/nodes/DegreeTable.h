#pragma once

// Sine and cosine of whole degrees from one single-precision table, as particles use them.
// Any integer is accepted: negative and large angles wrap into 0..359.
float sinDegrees(int degrees);
float cosDegrees(int degrees);

// A float angle truncated towards zero to whole degrees and wrapped into 0..359 (0 for NaN).
int wholeDegrees(float angle);
