#include "RectangleEmitter.h"

#include "RandomRange.h"
#include "core/Random.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

using namespace irr;

RectangleEmitter::RectangleEmitter(const ContentRef& reference) : MotionEmitter(reference) {}

RectangleEmitter::~RectangleEmitter() = default;

const core::stringw& RectangleEmitter::typeName() const
{
	static const core::stringw name(L"RectangleEmitter");
	return name;
}

const PropertyTable& RectangleEmitter::propertyTable() const
{
	static const PropertyTable table = withMotionDescriptors(appendPropertyDescriptors(
	    baseEmitterPropertyTable(),
	    {
	        accessorProperty<&RectangleEmitter::setXRange, &RectangleEmitter::getXRange>("XRange"),
	        accessorProperty<&RectangleEmitter::setYRange, &RectangleEmitter::getYRange>("YRange"),
	    }));
	return table;
}

ContentObject* RectangleEmitter::cloneContent()
{
	return cloneAs(this);
}

// Four overlapping bands (top, right, bottom, left) cover the frame between the inner and the
// outer rectangle.
void RectangleEmitter::drawStartOffset(float& ox, float& oy)
{
	const unsigned band = Random::instance()->nextUInt() & 3u;
	switch (band)
	{
	case 0:
		ox = randomInRange(-XRange.Y, XRange.Y);
		oy = randomInRange(YRange.X, YRange.Y);
		break;
	case 1:
		ox = randomInRange(XRange.X, XRange.Y);
		oy = randomInRange(-YRange.Y, YRange.Y);
		break;
	case 2:
		ox = randomInRange(-XRange.Y, XRange.Y);
		oy = randomInRange(-YRange.X, -YRange.Y);
		break;
	default:
		ox = randomInRange(-XRange.X, -XRange.Y);
		oy = randomInRange(-YRange.Y, YRange.Y);
		break;
	}
}

float RectangleEmitter::drawStartScale()
{
	return randomInRange(ScaleRange.X - ScaleVariation, ScaleRange.X + ScaleVariation);
}

void RectangleEmitter::writeShapeProperties(CPropertyCollection& collection) const
{
	writeRange(collection, "XRange", XRange, core::vector2df(0.0f, 0.0f));
	writeRange(collection, "YRange", YRange, core::vector2df(0.0f, 0.0f));
}

void RectangleEmitter::readShapeProperties(const CPropertyCollection& collection)
{
	readRange(collection, "XRange", XRange);
	readRange(collection, "YRange", YRange);
}

void RectangleEmitter::copyShapeFrom(const MotionEmitter* source)
{
	const auto* other = static_cast<const RectangleEmitter*>(source);
	XRange = other->XRange;
	YRange = other->YRange;
}
