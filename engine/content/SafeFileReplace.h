#pragma once

#include <string>

class IReadFile;

// Writes the rest of source to a temporary file of its own beside path, flushes it to the disk and
// renames it over path under the exclusive FileReplaceLock of path, so that path always holds
// either its old or a complete new content, also while other processes save the same file.
// Removes temporary files that savers killed on the way left behind. mode is the permission of the
// new file and of the lock file. False (path untouched) on any failure.
bool replaceFileAtomically(const std::string& path, IReadFile& source, unsigned mode = 0644);

// The name of every temporary file replaceFileAtomically writes starts with this.
std::string temporaryFilePrefix(const std::string& path);

// Renames a damaged file to "<path>.bad-<n>" with the first free n, so it is kept rather than
// overwritten by the next save; returns the new name, empty when it could not be moved.
// The caller holds the exclusive FileReplaceLock of path, so no save replaces the file meanwhile.
std::string keepDamagedFile(const std::string& path);
