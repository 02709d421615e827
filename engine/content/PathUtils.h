#pragma once

#include <irrlicht/irrString.h>

// The two characters that separate folders in a path: slash, then backslash.
extern const irr::core::stringc pathSeparators;

bool isPathSeparator(char c);

// Resolves name against the folder of the file named by base ("../" and "./" at its start).
irr::core::stringc flattenPath(const irr::core::stringc& base, const irr::core::stringc& name);
// Writes target relative to the folder of the file named by base, with "/" separators.
irr::core::stringc getRelativePath(const irr::core::stringc& base, const irr::core::stringc& target);
// The text after the last "/", "\" or ":".
irr::core::stringc getFileNamePart(const irr::core::stringc& path);
// The text after the last "." of the file name part; empty when it has none.
irr::core::stringc getFileExtension(const irr::core::stringc& name);
// Drive ("C"), network share ("//host/share") or "/" for a POSIX absolute path; empty for a relative one.
irr::core::stringc getPathRoot(const irr::core::stringc& path);
bool isAbsolutePath(const irr::core::stringc& path);

// Every "\" turned into "/".
irr::core::stringc toForwardSlashes(const irr::core::stringc& path);
// Each byte through the standard tolower.
irr::core::stringc toLowerName(const irr::core::stringc& name);
// Archive entry order: bytes compared as signed chars, on an equal prefix the shorter first.
int compareArchiveNames(const irr::core::stringc& a, const irr::core::stringc& b);
