#pragma once

#include "content/CProfile.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrString.h>
#include <vector>

class IReadFile;
class IXMLReader;

// The content of one "profile.dat" file, read apart from the live profiles so that a damaged
// file can be refused as a whole.
class ProfileFile
{
public:
	struct Player
	{
		irr::core::stringw name;
		bool active = false;
		SmartPointer<CProfile> parameters;
	};

	// Unscrambles the rest of the file with the key and reads it; false when the file is too
	// large or not a complete profile file.
	bool load(IReadFile& file, const irr::core::stringc& key);
	// Reads a "Profiles" document; false unless its root element is found and closed.
	bool read(IXMLReader& reader);

	// The last "CommonProfile" / "GlobalProfile" of the file; null when it has none.
	SmartPointer<CProfile> commonProfile;
	SmartPointer<CProfile> globalProfile;
	// Every "Profile" element in file order, empty and repeated names included.
	std::vector<Player> players;

private:
	void clear();
};
