#pragma once

#include "GLevelModifier.h"
#include "GLevelModifierValues.h"

// A modifier whose Value is added to a sum (a percent bonus or a worker saving).
class GAddingModifier : public GLevelModifier
{
public:
	explicit GAddingModifier(float GLevelModifierValues::*field) : field(field) {}
	void apply(GLevelModifierValues& values) const override;

private:
	float GLevelModifierValues::*field;
};
