#include "GMainMenuCarNode.h"

#include "EffectSupport.h"
#include "core/Random.h"
#include "data/GLevelPaths.h"

#include <algorithm>
#include <cmath>

using namespace irr;

namespace
{
int carHeadStarts = 0;

StringId downName()
{
	static const StringId id = internStringId("Down");
	return id;
}

StringId upName()
{
	static const StringId id = internStringId("Up");
	return id;
}
} // namespace

GMainMenuCarNode::GMainMenuCarNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GMainMenuMover(reference, parentNode, manager, core::vector2df(80.0f, 82.0f))
{
}

const core::stringw& GMainMenuCarNode::typeNameText()
{
	static const core::stringw name(L"GMainMenuCarNode");
	return name;
}

int GMainMenuCarNode::headStartsGiven()
{
	return carHeadStarts;
}

GLevelPath* GMainMenuCarNode::pickPath(GLevelPaths* paths) const
{
	return paths->getRandomCarPath(internStringId("Path"));
}

void GMainMenuCarNode::startRoute(const core::array<core::vector2df>& points)
{
	start(points, -1, false, false);
	if (carHeadStarts < 4)
	{
		updateMovement(Random::instance()->nextIntInRange(1000, 8000));
		++carHeadStarts;
		if (directionName == downName())
			soundPlayed = true;
	}
	depthStep();
}

void GMainMenuCarNode::onDirectionChanged(const core::vector2df& direction)
{
	directionName = direction.Y < 0.0f ? upName() : downName();
}

void GMainMenuCarNode::depthStep()
{
	const float y = Position.Y;
	const float scale = std::min(std::max((y - 668.0f) / 100.0f, 0.01f), 1.0f);
	setScale(core::vector3df(scale, scale, 1.0f));
	setSpeed(std::max(1.0f, std::pow(scale, 1.6f) * baseSpeed));
	// 1 for the nearest size, 6 for the farthest.
	const int digit = std::max(1, 6 - static_cast<int>(scale * 6.0f));
	const bool down = directionName == downName();
	setChildrenState(internStringId((core::stringc(down ? "Down" : "Up") + core::stringc(digit)).c_str()), nullptr);
	if (soundPlayed)
		return;
	if (!down && y < 800.0f)
	{
		soundPlayed = true;
		playEffectCue("MainMenuCarOut");
	}
	else if (down && scale > 0.6f)
	{
		soundPlayed = true;
		playEffectCue("MainMenuCarTo");
	}
}
