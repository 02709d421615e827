#pragma once

#include <string>

// An advisory lock (flock) on the file "<path>.lock" beside a file that several processes may
// replace at once: held exclusively around each replace and around moving a damaged file aside,
// shared while a saver makes its temporary file. Released when the object goes or the process dies.
class FileReplaceLock
{
public:
	// Waits for the lock; mode is the permission of a newly made lock file.
	FileReplaceLock(const std::string& path, bool exclusive, unsigned mode);
	~FileReplaceLock();
	FileReplaceLock(const FileReplaceLock&) = delete;
	FileReplaceLock& operator=(const FileReplaceLock&) = delete;

	// False when the lock file could neither be made nor opened.
	bool isHeld() const { return fd >= 0; }

	static std::string lockFileFor(const std::string& path) { return path + ".lock"; }

private:
	int fd = -1;
};
