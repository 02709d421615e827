#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

class IXMLReader;
struct GLevelModifierValues;

// One rule that changes one level value by its Value while the building, feature or upgrade
// that brings it is in force; read from one Modifier element.
class GLevelModifier : public virtual ReferenceCounted
{
public:
	// Changes the one field of the modifier values that this modifier's Type names.
	virtual void apply(GLevelModifierValues& values) const = 0;
	// Takes the Value attribute of the Modifier element the reader stands on.
	virtual void read(IXMLReader* reader);

	float getValue() const { return value; }
	void setValue(float v) { value = v; }

protected:
	// What an absent Value reads as.
	virtual float getMissingValue() const { return 0.0f; }

private:
	float value = 0.0f;
};

// A new modifier of the named Type (one reference for the caller), or null for a name that is no Type.
GLevelModifier* createLevelModifier(const irr::core::stringw& typeName);
