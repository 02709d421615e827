#include "GAddingModifier.h"

void GAddingModifier::apply(GLevelModifierValues& values) const
{
	values.*field += getValue();
}
