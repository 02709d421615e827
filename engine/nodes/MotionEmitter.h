#pragma once

#include "BaseEmitter.h"

#include <irrlicht/SColor.h>

// Emitter base that gives each particle its motion, turn, colour and scale from ranges and
// emits at a random rate; subclasses choose where particles start and their start scale.
class MotionEmitter : public BaseEmitter
{
public:
	explicit MotionEmitter(const ContentRef& reference = ContentRef());
	~MotionEmitter() override;

	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	// Copies the shared ranges too when source is of this emitter's class.
	void copyFrom(const BaseEmitter* source) override;

	// Emission: gathers time and appends the particles due (never beyond the array's capacity).
	bool run(unsigned ms) override;

	const irr::core::vector2df& getVelocityXRange() const { return VelocityXRange; }
	void setVelocityXRange(const irr::core::vector2df& v) { VelocityXRange = v; }
	const irr::core::vector2df& getVelocityYRange() const { return VelocityYRange; }
	void setVelocityYRange(const irr::core::vector2df& v) { VelocityYRange = v; }
	const irr::core::vector2df& getAccelXRange() const { return AccelXRange; }
	void setAccelXRange(const irr::core::vector2df& v) { AccelXRange = v; }
	const irr::core::vector2df& getAccelYRange() const { return AccelYRange; }
	void setAccelYRange(const irr::core::vector2df& v) { AccelYRange = v; }
	const irr::core::vector2df& getAngleRange() const { return AngleRange; }
	void setAngleRange(const irr::core::vector2df& v) { AngleRange = v; }
	const irr::core::vector2df& getAngVelocityRange() const { return AngVelocityRange; }
	void setAngVelocityRange(const irr::core::vector2df& v) { AngVelocityRange = v; }
	irr::video::SColor getColorStart() const { return ColorStart; }
	void setColorStart(irr::video::SColor c) { ColorStart = c; }
	irr::video::SColor getColorEnd() const { return ColorEnd; }
	void setColorEnd(irr::video::SColor c) { ColorEnd = c; }
	float getColorVariation() const { return ColorVariation; }
	void setColorVariation(float v) { ColorVariation = v; }
	const irr::core::vector2df& getScaleRange() const { return ScaleRange; }
	void setScaleRange(const irr::core::vector2df& v) { ScaleRange = v; }
	float getScaleVariation() const { return ScaleVariation; }
	void setScaleVariation(float v) { ScaleVariation = v; }
	// Milliseconds gathered towards the next particles.
	float getAccumulator() const { return accumulator; }
	void setAccumulator(float ms) { accumulator = ms; }

protected:
	// table followed by the shared entries, for the subclasses' property tables.
	static PropertyTable withMotionDescriptors(PropertyTable table);

	// Offset of a new particle from the emitter position; draws the shape's random values.
	virtual void drawStartOffset(float& ox, float& oy) = 0;
	virtual float drawStartScale() = 0;
	virtual void writeShapeProperties(CPropertyCollection& collection) const = 0;
	virtual void readShapeProperties(const CPropertyCollection& collection) = 0;
	virtual void copyShapeFrom(const MotionEmitter* source) = 0;

	// A range value when it differs from def.
	static void writeRange(CPropertyCollection& collection, const char* name, const irr::core::vector2df& value,
	                       const irr::core::vector2df& def);
	static void readRange(const CPropertyCollection& collection, const char* name, irr::core::vector2df& value);

	irr::core::vector2df VelocityXRange{0.0f, 0.0f};
	irr::core::vector2df VelocityYRange{0.0f, 0.0f};
	irr::core::vector2df AccelXRange{0.0f, 0.0f};
	irr::core::vector2df AccelYRange{0.0f, 0.0f};
	irr::core::vector2df AngleRange{0.0f, 0.0f};
	irr::core::vector2df AngVelocityRange{0.0f, 0.0f};
	irr::video::SColor ColorStart{0xFFFFFFFF};
	irr::video::SColor ColorEnd{0xFFFFFFFF};
	float ColorVariation = 0.0f;
	irr::core::vector2df ScaleRange{1.0f, 1.0f};
	float ScaleVariation = 0.0f;
	float accumulator = 0.0f;

private:
	void initParticle(Particle& particle);
};
