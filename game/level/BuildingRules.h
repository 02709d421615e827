#pragma once

#include "GFeatureState.h"

#include <irrlicht/SColor.h>
#include <irrlicht/irrString.h>

// An integer rectangle of the level map; touching edges do not overlap.
struct LevelRect
{
	int x1 = 0;
	int y1 = 0;
	int x2 = 0;
	int y2 = 0;

	bool operator==(const LevelRect& o) const { return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2; }
};

// A map coordinate truncated to whole pixels, kept within +-1e9 (0 for not-a-number) so that no
// position read from a file can overflow the integer rectangles.
int toPixel(float value);

bool rectsOverlap(const LevelRect& a, const LevelRect& b);
// A w x h rectangle centred on (cx, cy), each side truncated towards zero.
LevelRect rectAround(float cx, float cy, float w, float h);
// The rectangle limited to the bounds (never grown).
LevelRect clipRect(const LevelRect& rect, const LevelRect& bounds);

// The rectangle the buildings cover: starts at the screen centre (512, 389), grows to hold each
// building's corner (x, y) and (x + 135, y + 60), and gets 30 more above and below.
class LevelRectBuilder
{
public:
	void addBuilding(float x, float y);
	LevelRect result() const;

private:
	LevelRect rect{512, 389, 512, 389};
};

// A sale price rounded to the nearest thousand, halves upward.
int roundToThousand(float price);

// A countdown ring's sweep: ratio 0..1 to whole degrees.
int countdownRingDegrees(float ratio);
// Green at 0, yellow at 0.5 and red from 1 on; ratios outside 0..1 keep the end colours.
irr::video::SColor countdownRingColor(float ratio);

// The smile over a building: "+12%" or "-5%" and the picture for the bonus.
struct BonusIcon
{
	irr::core::stringw text;
	const char* picture = ""; // under "levels/common/Smiles/"
};
BonusIcon bonusIconFor(float bonus);

// What one step of a feature's timers did.
struct FeatureStepResult
{
	int payments = 0; // payments due, each a quarter of the boosted serve income
	bool activeEnded = false;
	bool rechargeEnded = false;
};
// Advances a feature that is not idle by dt ms of working time (duration and recharge in ms).
FeatureStepResult stepFeature(GFeatureState& state, int durationTime, int rechargeTime, int dt);
// A feature cancelled while active: recharges for the share of the duration it had used.
int rechargeAfterCancel(int remaining, int durationTime, int rechargeTime);
