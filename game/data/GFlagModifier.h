#pragma once

#include "GLevelModifier.h"
#include "GLevelModifierValues.h"

// A modifier that sets a permission to (Value > 0); the last one applied decides.
class GFlagModifier : public GLevelModifier
{
public:
	explicit GFlagModifier(bool GLevelModifierValues::*field) : field(field) {}
	void apply(GLevelModifierValues& values) const override;

private:
	bool GLevelModifierValues::*field;
};
