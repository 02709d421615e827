#pragma once

#include <irrlicht/irrString.h>

class IReadFile;
class IWriteFile;

// Copies the rest of source into destination, scrambled with the key; the same call unscrambles.
// With an empty key the bytes are copied unchanged. Returns the number of bytes copied.
long transformProfileStream(IReadFile& source, IWriteFile& destination, const irr::core::stringc& key);
