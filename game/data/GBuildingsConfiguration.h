#pragma once

#include "GBuildingType.h"
#include "core/ReferenceCounted.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"

#include <map>

class IXMLReader;

// Every building level record of the game, keyed by its Name; made once for the run and filled
// again by a reload, while records already handed out live on through their references.
class GBuildingsConfiguration : public virtual ReferenceCounted
{
public:
	using Records = std::map<StringId, SmartPointer<GBuildingType>>;

	// Refills the records from an opened buildings configuration. True when its end tag was met;
	// otherwise the records read so far are kept. The first record of a name wins; a record
	// without a Name is left out.
	bool load(IXMLReader* reader);
	// Null when no record has the name.
	SmartPointer<GBuildingType> findBuilding(StringId name) const;
	const Records& getRecords() const { return records; }

private:
	Records records;
};
