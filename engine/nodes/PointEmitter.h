#pragma once

#include "MotionEmitter.h"

// Emitter whose particles start on a disc or ring around the emitter position.
class PointEmitter : public MotionEmitter
{
public:
	static constexpr int TypeId = 1;

	explicit PointEmitter(const ContentRef& reference = ContentRef());
	~PointEmitter() override;

	const irr::core::stringw& typeName() const override;
	int typeId() const override { return TypeId; }
	bool isKindOf(int id) const override { return id == TypeId || BaseEmitter::isKindOf(id); }

	const PropertyTable& propertyTable() const override;
	ContentObject* cloneContent() override;

	const irr::core::vector2df& getRadiusRange() const { return RadiusRange; }
	void setRadiusRange(const irr::core::vector2df& v) { RadiusRange = v; }

protected:
	void drawStartOffset(float& ox, float& oy) override;
	float drawStartScale() override;
	void writeShapeProperties(CPropertyCollection& collection) const override;
	void readShapeProperties(const CPropertyCollection& collection) override;
	void copyShapeFrom(const MotionEmitter* source) override;

private:
	irr::core::vector2df RadiusRange{0.0f, 0.0f};
};
