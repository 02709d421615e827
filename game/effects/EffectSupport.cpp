#include "EffectSupport.h"

#include "audio/CSoundManager.h"
#include "core/CPropertyCollection.h"
#include "core/Random.h"
#include "core/Singleton.h"
#include "core/SmartPointer.h"
#include "device/IDevice.h"
#include "nodes/RandomRange.h"
#include "scene/BaseNode.h"

#include <algorithm>
#include <cmath>

using namespace irr;

float randomInEffectRange(const core::vector2df& range)
{
	return Random::instance()->nextFloatInRange(range.X, range.Y);
}

int randomIntInEffectRange(const core::vector2df& range)
{
	const int a = truncateToInt(range.X);
	const int b = truncateToInt(range.Y);
	const int low = std::min(a, b);
	const int high = std::max(a, b);
	if (low == high)
		return low;
	const u32 span = static_cast<u32>(static_cast<s64>(high) - low);
	return static_cast<int>(static_cast<s64>(low) + Random::instance()->nextUInt() % span);
}

void fadeOutLastSecond(BaseNode* node, int remainingMs)
{
	if (remainingMs >= 1000)
		return;
	const int left = std::max(remainingMs, 0);
	video::SColor tint = node->getTintColor();
	tint.setAlpha(static_cast<u32>(std::floor(left / 1000.0f * 255.0f + 0.5f)));
	node->setTintColor(tint);
}

void removeFromParent(BaseNode* node)
{
	SmartPointer<BaseNode> keep(shareRef(node));
	node->setParent(nullptr);
}

void readTableProperties(IPropertyOwner* owner, const CPropertyCollection& collection, const PropertyTable& table,
                         size_t first)
{
	for (size_t i = first; i < table.size(); ++i)
		if (collection.indexOf(table[i].name) >= 0)
			table[i].setter(owner, collection.get(table[i].name));
}

void writeRangeProperty(CPropertyCollection& collection, const char* name, const core::vector2df& range)
{
	if (range.X != 0.0f || range.Y != 0.0f)
		collection.addVector2d(name, range);
}

void writeIntProperty(CPropertyCollection& collection, const char* name, int value)
{
	if (value != 0)
		collection.addInt(name, value);
}

void playEffectCue(const char* name)
{
	IDevice* device = Singleton<IDevice>::peek();
	if (CSoundManager* sounds = device ? device->getSoundManager() : nullptr)
		sounds->playCue(internStringId(name), false, 0);
}
