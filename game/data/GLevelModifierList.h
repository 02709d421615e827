#pragma once

#include "GLevelModifier.h"
#include "core/SmartPointer.h"

#include <vector>

class IXMLReader;
struct GLevelModifierValues;

// The modifiers of one LevelModifiers element, in file order; shared by the building records,
// features and upgrades that bring them.
class GLevelModifierList : public virtual ReferenceCounted
{
public:
	// Refills the list from the LevelModifiers element whose start tag was just read; reads on to
	// its end tag. Modifiers of an unknown Type are left out.
	void load(IXMLReader* reader);
	// Applies every modifier, in list order.
	void applyAll(GLevelModifierValues& values) const;

	int getCount() const { return static_cast<int>(modifiers.size()); }
	// Null for an index out of range.
	const GLevelModifier* getModifier(int index) const;

private:
	std::vector<SmartPointer<GLevelModifier>> modifiers;
};
