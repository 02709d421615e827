#include "PointEmitter.h"

#include "DegreeTable.h"
#include "RandomRange.h"
#include "core/Random.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

PointEmitter::PointEmitter(const ContentRef& reference) : MotionEmitter(reference) {}

PointEmitter::~PointEmitter() = default;

const core::stringw& PointEmitter::typeName() const
{
	static const core::stringw name(L"PointEmitter");
	return name;
}

const PropertyTable& PointEmitter::propertyTable() const
{
	static const PropertyTable table = withMotionDescriptors(appendPropertyDescriptors(
	    baseEmitterPropertyTable(),
	    {
	        accessorProperty<&PointEmitter::setRadiusRange, &PointEmitter::getRadiusRange>("RadiusRange"),
	    }));
	return table;
}

ContentObject* PointEmitter::cloneContent()
{
	return cloneAs(this);
}

void PointEmitter::drawStartOffset(float& ox, float& oy)
{
	const float radius = randomInRange(RadiusRange);
	if (!(radius > 0.0f))
		return;
	const int k = static_cast<int>(Random::instance()->nextUInt() % 360u);
	ox = radius * cosDegrees(k);
	oy = radius * sinDegrees(k);
}

float PointEmitter::drawStartScale()
{
	return ScaleRange.X;
}

void PointEmitter::writeShapeProperties(CPropertyCollection& collection) const
{
	writeRange(collection, "RadiusRange", RadiusRange, core::vector2df(0.0f, 0.0f));
}

void PointEmitter::readShapeProperties(const CPropertyCollection& collection)
{
	readRange(collection, "RadiusRange", RadiusRange);
}

void PointEmitter::copyShapeFrom(const MotionEmitter* source)
{
	RadiusRange = static_cast<const PointEmitter*>(source)->RadiusRange;
}
