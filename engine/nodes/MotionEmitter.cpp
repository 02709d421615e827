#include "MotionEmitter.h"

#include "PropertyLookup.h"
#include "RandomRange.h"
#include "core/CPropertyCollection.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <cmath>

using namespace irr;

namespace
{
const core::vector2df zeroRange(0.0f, 0.0f);
const core::vector2df defaultScaleRange(1.0f, 1.0f);
const video::SColor opaqueWhite(0xFFFFFFFF);

// Change per second that brings start to end over a life of seconds; none for a life of 0.
float changePerSecond(float start, float end, float seconds)
{
	return seconds > 0.0f ? (end - start) / seconds : 0.0f;
}
} // namespace

MotionEmitter::MotionEmitter(const ContentRef& reference) : BaseEmitter(reference) {}

MotionEmitter::~MotionEmitter() = default;

PropertyTable MotionEmitter::withMotionDescriptors(PropertyTable table)
{
	const PropertyTable motion = appendPropertyDescriptors(
	    rootPropertyTable(),
	    {
	        accessorProperty<&MotionEmitter::setVelocityXRange, &MotionEmitter::getVelocityXRange>("VelocityXRange"),
	        accessorProperty<&MotionEmitter::setVelocityYRange, &MotionEmitter::getVelocityYRange>("VelocityYRange"),
	        accessorProperty<&MotionEmitter::setAccelXRange, &MotionEmitter::getAccelXRange>("AccelXRange"),
	        accessorProperty<&MotionEmitter::setAccelYRange, &MotionEmitter::getAccelYRange>("AccelYRange"),
	        accessorProperty<&MotionEmitter::setAngleRange, &MotionEmitter::getAngleRange>("AngleRange"),
	        accessorProperty<&MotionEmitter::setAngVelocityRange, &MotionEmitter::getAngVelocityRange>(
	            "AngVelocityRange"),
	        accessorProperty<&MotionEmitter::setColorStart, &MotionEmitter::getColorStart>("ColorStart"),
	        accessorProperty<&MotionEmitter::setColorEnd, &MotionEmitter::getColorEnd>("ColorEnd"),
	        accessorProperty<&MotionEmitter::setColorVariation, &MotionEmitter::getColorVariation>("ColorVariation"),
	        accessorProperty<&MotionEmitter::setScaleRange, &MotionEmitter::getScaleRange>("ScaleRange"),
	        accessorProperty<&MotionEmitter::setScaleVariation, &MotionEmitter::getScaleVariation>("ScaleVariation"),
	    });
	table.insert(table.end(), motion.begin(), motion.end());
	return table;
}

void MotionEmitter::writeRange(CPropertyCollection& collection, const char* name, const core::vector2df& value,
                               const core::vector2df& def)
{
	if (value != def)
		collection.addVector2d(name, value);
}

void MotionEmitter::readRange(const CPropertyCollection& collection, const char* name, core::vector2df& value)
{
	SmartPointer<IPropertyData> data;
	if (lookUpProperty(collection, name, data))
		value = propertyAsVector2d(data.get());
}

void MotionEmitter::writeProperties(CPropertyCollection& collection) const
{
	BaseEmitter::writeProperties(collection);
	writeShapeProperties(collection);
	writeRange(collection, "VelocityXRange", VelocityXRange, zeroRange);
	writeRange(collection, "VelocityYRange", VelocityYRange, zeroRange);
	// Files call the accelerations by their long names.
	writeRange(collection, "AccelerationXRange", AccelXRange, zeroRange);
	writeRange(collection, "AccelerationYRange", AccelYRange, zeroRange);
	writeRange(collection, "AngleRange", AngleRange, zeroRange);
	writeRange(collection, "AngVelocityRange", AngVelocityRange, zeroRange);
	if (ColorStart != opaqueWhite)
		collection.addColor("ColorStart", ColorStart);
	if (ColorEnd != opaqueWhite)
		collection.addColor("ColorEnd", ColorEnd);
	if (ColorVariation != 0.0f)
		collection.addFloat("ColorVariation", ColorVariation);
	writeRange(collection, "ScaleRange", ScaleRange, defaultScaleRange);
	if (ScaleVariation != 0.0f)
		collection.addFloat("ScaleVariation", ScaleVariation);
}

void MotionEmitter::readProperties(const CPropertyCollection& collection)
{
	BaseEmitter::readProperties(collection);
	readShapeProperties(collection);
	readRange(collection, "VelocityXRange", VelocityXRange);
	readRange(collection, "VelocityYRange", VelocityYRange);
	readRange(collection, "AccelerationXRange", AccelXRange);
	readRange(collection, "AccelerationYRange", AccelYRange);
	readRange(collection, "AngleRange", AngleRange);
	readRange(collection, "AngVelocityRange", AngVelocityRange);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "ColorStart", value))
		ColorStart = propertyAsColor(value.get());
	if (lookUpProperty(collection, "ColorEnd", value))
		ColorEnd = propertyAsColor(value.get());
	if (lookUpProperty(collection, "ColorVariation", value))
		ColorVariation = propertyAsFloat(value.get());
	readRange(collection, "ScaleRange", ScaleRange);
	if (lookUpProperty(collection, "ScaleVariation", value))
		ScaleVariation = propertyAsFloat(value.get());
}

void MotionEmitter::copyFrom(const BaseEmitter* source)
{
	if (!source || source == this)
		return;
	BaseEmitter::copyFrom(source);
	if (source->typeId() != typeId())
		return;
	const auto* other = static_cast<const MotionEmitter*>(source);
	copyShapeFrom(other);
	VelocityXRange = other->VelocityXRange;
	VelocityYRange = other->VelocityYRange;
	AccelXRange = other->AccelXRange;
	AccelYRange = other->AccelYRange;
	AngleRange = other->AngleRange;
	AngVelocityRange = other->AngVelocityRange;
	ColorStart = other->ColorStart;
	ColorEnd = other->ColorEnd;
	ColorVariation = other->ColorVariation;
	ScaleRange = other->ScaleRange;
	ScaleVariation = other->ScaleVariation;
}

bool MotionEmitter::run(unsigned ms)
{
	if (!particles)
		return false;
	accumulator += static_cast<float>(ms);

	const float pps = randomInRange(PPSRange);
	const float periodMs = 1000.0f / pps;
	const float due = accumulator / periodMs;
	// A rate of 0 gives an infinite period; a negative or undefined rate emits nothing either.
	if (!(periodMs > 0.0f) || !(due >= 1.0f) || !std::isfinite(due))
		return true;
	const float count = std::floor(due);
	accumulator -= count * periodMs;

	// Particles beyond the reserved room are dropped; their time is not given back.
	const u32 room = particles->allocated_size() - particles->size();
	const u32 n = count >= static_cast<float>(room) ? room : static_cast<u32>(count);
	for (u32 i = 0; i < n; ++i)
	{
		Particle particle;
		initParticle(particle);
		particles->push_back(particle);
	}
	return true;
}

void MotionEmitter::initParticle(Particle& p)
{
	float ox = 0.0f;
	float oy = 0.0f;
	drawStartOffset(ox, oy);

	p.age = 0;
	p.life = truncateToInt(randomInRange(LifeTimeRange));
	if (p.life < 0)
		p.life = 0;
	p.x = position.X + ox;
	p.y = position.Y + oy;

	p.velocityX = randomInRange(VelocityXRange);
	p.velocityY = randomInRange(VelocityYRange);
	p.accelerationX = randomInRange(AccelXRange);
	p.accelerationY = randomInRange(AccelYRange);
	p.angle = randomInRange(AngleRange);
	p.angularVelocity = randomInRange(AngVelocityRange);
	p.angularAcceleration = 0.0f;

	const float seconds = static_cast<float>(p.life) * 0.001f;
	p.red = ColorStart.getRed() / 255.0f;
	p.green = ColorStart.getGreen() / 255.0f;
	p.blue = ColorStart.getBlue() / 255.0f;
	p.alpha = ColorStart.getAlpha() / 255.0f;
	p.redChange = changePerSecond(p.red, ColorEnd.getRed() / 255.0f, seconds);
	p.greenChange = changePerSecond(p.green, ColorEnd.getGreen() / 255.0f, seconds);
	p.blueChange = changePerSecond(p.blue, ColorEnd.getBlue() / 255.0f, seconds);
	p.alphaChange = changePerSecond(p.alpha, ColorEnd.getAlpha() / 255.0f, seconds);

	p.scale = drawStartScale();
	p.scaleChange = changePerSecond(p.scale, ScaleRange.Y, seconds);
}
