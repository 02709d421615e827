#pragma once

#include "GLevelModifier.h"
#include "GLevelModifierValues.h"

// A modifier whose Value multiplies a factor: several in force compound.
class GMultiplyingModifier : public GLevelModifier
{
public:
	explicit GMultiplyingModifier(float GLevelModifierValues::*field) : field(field) {}
	void apply(GLevelModifierValues& values) const override;

protected:
	// A factor of 0 would make build times or prices vanish: an absent Value leaves the factor alone.
	float getMissingValue() const override { return 1.0f; }

private:
	float GLevelModifierValues::*field;
};
