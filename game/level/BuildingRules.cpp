#include "BuildingRules.h"

#include <algorithm>
#include <cmath>

int toPixel(float value)
{
	constexpr float limit = 1e9f;
	if (!(value == value))
		return 0;
	return static_cast<int>(std::max(-limit, std::min(limit, value)));
}

bool rectsOverlap(const LevelRect& a, const LevelRect& b)
{
	return a.y1 < b.y2 && b.y1 < a.y2 && a.x1 < b.x2 && b.x1 < a.x2;
}

LevelRect rectAround(float cx, float cy, float w, float h)
{
	return LevelRect{toPixel(cx - w / 2.0f), toPixel(cy - h / 2.0f), toPixel(cx + w / 2.0f), toPixel(cy + h / 2.0f)};
}

LevelRect clipRect(const LevelRect& rect, const LevelRect& bounds)
{
	return LevelRect{std::max(rect.x1, bounds.x1), std::max(rect.y1, bounds.y1), std::min(rect.x2, bounds.x2),
	                 std::min(rect.y2, bounds.y2)};
}

void LevelRectBuilder::addBuilding(float x, float y)
{
	const int left = toPixel(x);
	const int top = toPixel(y);
	rect.x1 = std::min(rect.x1, left);
	rect.y1 = std::min(rect.y1, top);
	rect.x2 = std::max(rect.x2, left + 135);
	rect.y2 = std::max(rect.y2, top + 60);
}

LevelRect LevelRectBuilder::result() const
{
	return LevelRect{rect.x1, rect.y1 - 30, rect.x2, rect.y2 + 30};
}

int roundToThousand(float price)
{
	return static_cast<int>(std::floor(price / 1000.0f + 0.5f)) * 1000;
}

int countdownRingDegrees(float ratio)
{
	return static_cast<int>(std::floor(ratio * 360.0f + 0.5f));
}

namespace
{
irr::video::SColor blend(irr::video::SColor from, irr::video::SColor to, float t)
{
	t = std::clamp(t, 0.0f, 1.0f);
	auto channel = [t](irr::u32 a, irr::u32 b)
	{
		return static_cast<irr::u32>(
		    std::lround(static_cast<float>(a) + (static_cast<float>(b) - static_cast<float>(a)) * t));
	};
	return irr::video::SColor(channel(from.getAlpha(), to.getAlpha()), channel(from.getRed(), to.getRed()),
	                          channel(from.getGreen(), to.getGreen()), channel(from.getBlue(), to.getBlue()));
}
} // namespace

irr::video::SColor countdownRingColor(float ratio)
{
	const irr::video::SColor green(255, 0, 255, 0);
	const irr::video::SColor yellow(255, 255, 255, 0);
	const irr::video::SColor red(255, 255, 0, 0);
	if (countdownRingDegrees(ratio) <= 180)
		return blend(green, yellow, 2.0f * ratio);
	return blend(yellow, red, 2.0f * (ratio - 0.5f));
}

BonusIcon bonusIconFor(float bonus)
{
	BonusIcon icon;
	if (bonus > 0.0f)
		icon.text = L"+";
	icon.text += irr::core::stringw(static_cast<int>(bonus));
	icon.text += L"%";
	icon.picture = bonus < 0.0f ? "Red.png" : bonus < 15.0f ? "Blue.png" : "Green.png";
	return icon;
}

FeatureStepResult stepFeature(GFeatureState& state, int durationTime, int rechargeTime, int dt)
{
	FeatureStepResult result;
	if (state.state == GFeatureState::Idle)
		return result;
	if (state.state == GFeatureState::Active && state.paying)
	{
		state.paymentTimer -= dt;
		if (state.paymentTimer < 0)
		{
			// The overshoot is kept, so the payments fall at D/4, D/4 + D/3, ... whatever the tick.
			state.paymentTimer += durationTime / 3;
			++result.payments;
		}
	}
	state.remaining -= dt;
	if (state.remaining >= 1)
		return result;
	state.remaining = 0;
	if (state.state == GFeatureState::Active)
	{
		state.state = GFeatureState::Recharging;
		state.remaining = rechargeTime;
		result.activeEnded = true;
		// The last quarter is paid when the feature ends.
		if (state.paying)
			++result.payments;
	}
	else
	{
		state.state = GFeatureState::Idle;
		result.rechargeEnded = true;
	}
	return result;
}

int rechargeAfterCancel(int remaining, int durationTime, int rechargeTime)
{
	if (durationTime <= 0)
		return rechargeTime;
	return static_cast<int>((1.0f - static_cast<float>(remaining) / static_cast<float>(durationTime)) *
	                        static_cast<float>(rechargeTime));
}
