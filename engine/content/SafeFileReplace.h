#pragma once

#include <string>

class IReadFile;

// Writes the rest of source to a temporary file beside path, flushes it to the disk and renames
// it over path, so that path always holds either its old or its complete new content.
// mode is the permission of a newly made file. False (path untouched) on any failure.
bool replaceFileAtomically(const std::string& path, IReadFile& source, unsigned mode = 0644);

// The temporary file replaceFileAtomically writes before the rename.
std::string temporaryFileFor(const std::string& path);

// Renames a damaged file to "<path>.bad-<n>" with the first free n, so it is kept rather than
// overwritten by the next save; returns the new name, empty when it could not be moved.
std::string keepDamagedFile(const std::string& path);
