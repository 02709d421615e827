#include "GMultiplyingModifier.h"

void GMultiplyingModifier::apply(GLevelModifierValues& values) const
{
	values.*field *= getValue();
}
