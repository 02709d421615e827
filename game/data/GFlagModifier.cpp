#include "GFlagModifier.h"

void GFlagModifier::apply(GLevelModifierValues& values) const
{
	values.*field = getValue() > 0.0f;
}
