#pragma once

#include "MotionEmitter.h"

// Emitter whose particles start in a rectangular frame around the emitter position.
class RectangleEmitter : public MotionEmitter
{
public:
	static constexpr int TypeId = 2;

	explicit RectangleEmitter(const ContentRef& reference = ContentRef());
	~RectangleEmitter() override;

	const irr::core::stringw& typeName() const override;
	int typeId() const override { return TypeId; }
	bool isKindOf(int id) const override { return id == TypeId || BaseEmitter::isKindOf(id); }

	const PropertyTable& propertyTable() const override;
	ContentObject* cloneContent() override;

	// Half extents of the inner (min) and outer (max) rectangle.
	const irr::core::vector2df& getXRange() const { return XRange; }
	void setXRange(const irr::core::vector2df& v) { XRange = v; }
	const irr::core::vector2df& getYRange() const { return YRange; }
	void setYRange(const irr::core::vector2df& v) { YRange = v; }

protected:
	void drawStartOffset(float& ox, float& oy) override;
	float drawStartScale() override;
	void writeShapeProperties(CPropertyCollection& collection) const override;
	void readShapeProperties(const CPropertyCollection& collection) override;
	void copyShapeFrom(const MotionEmitter* source) override;

private:
	irr::core::vector2df XRange{0.0f, 0.0f};
	irr::core::vector2df YRange{0.0f, 0.0f};
};
