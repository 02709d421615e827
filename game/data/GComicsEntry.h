#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>

class IXMLReader;

// The comic that plays once a map location is reached, from one Comics element.
class GComicsEntry : public virtual ReferenceCounted
{
public:
	// Reads the Comics element the reader stands on; true when its end was met.
	bool read(IXMLReader* reader);

	int getLevel() const { return level; }
	// Empty when the element named none: no comic opens then.
	const irr::core::stringc& getScenePath() const { return scenePath; }

private:
	int level = 0; // map location index
	irr::core::stringc scenePath;
};
