#include "SafeFileReplace.h"

#include "content/FileReplaceLock.h"
#include "content/IReadFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::string temporaryFilePrefix(const std::string& path)
{
	return path + ".tmp-";
}

namespace
{
bool writeAll(int fd, const unsigned char* data, size_t size)
{
	while (size > 0)
	{
		ssize_t written = ::write(fd, data, size);
		if (written < 0)
		{
			if (errno == EINTR)
				continue;
			return false;
		}
		data += written;
		size -= static_cast<size_t>(written);
	}
	return true;
}

bool copyToDescriptor(IReadFile& source, int fd)
{
	unsigned char buffer[16384];
	for (;;)
	{
		irr::s32 count = source.read(buffer, sizeof(buffer));
		if (count <= 0)
			return count == 0;
		if (!writeAll(fd, buffer, static_cast<size_t>(count)))
			return false;
	}
}

std::string folderOf(const std::string& path)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos)
		return ".";
	return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself survive a power cut; failure here does not undo the rename.
void syncFolder(const std::string& folder)
{
	int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return;
	::fsync(fd);
	::close(fd);
}

bool exists(const std::string& path)
{
	struct stat info;
	return ::lstat(path.c_str(), &info) == 0;
}

// Removes temporary files beside path whose savers have died: a live saver holds a lock on its own.
// Called under the exclusive replace lock, so no saver is between making its file and locking it.
void removeAbandonedTemporaryFiles(const std::string& path, const std::string& own)
{
	const std::string folder = folderOf(path);
	const std::string prefix = temporaryFilePrefix(path).substr(path.rfind('/') + 1);
	DIR* dir = ::opendir(folder.c_str());
	if (!dir)
		return;
	while (dirent* entry = ::readdir(dir))
	{
		const std::string name = entry->d_name;
		if (name.compare(0, prefix.size(), prefix) != 0)
			continue;
		const std::string candidate = folder + "/" + name;
		if (candidate == own)
			continue;
		int fd = ::open(candidate.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
		if (fd < 0)
			continue;
		if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
			::unlink(candidate.c_str());
		::close(fd);
	}
	::closedir(dir);
}

// Makes a temporary file of its own beside path and locks it; -1 on failure.
int makeTemporaryFile(const std::string& path, unsigned mode, std::string& temporary)
{
	FileReplaceLock shared(path, false, mode);
	if (!shared.isHeld())
		return -1;
	std::string pattern = temporaryFilePrefix(path) + "XXXXXX";
	int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
	if (fd < 0)
		return -1;
	if (::flock(fd, LOCK_EX) != 0)
	{
		::close(fd);
		::unlink(pattern.c_str());
		return -1;
	}
	temporary = pattern;
	return fd;
}
} // namespace

bool replaceFileAtomically(const std::string& path, IReadFile& source, unsigned mode)
{
	if (path.empty())
		return false;
	// A name of its own: two processes saving the same file at once never write into one file.
	std::string temporary;
	int fd = makeTemporaryFile(path, mode, temporary);
	if (fd < 0)
		return false;

	// The mode is meant as given (a shared folder's file stays group-writable whatever the umask).
	::fchmod(fd, static_cast<mode_t>(mode));
	bool written = copyToDescriptor(source, fd) && ::fsync(fd) == 0;
	if (written)
	{
		FileReplaceLock exclusive(path, true, mode);
		written = exclusive.isHeld() && ::rename(temporary.c_str(), path.c_str()) == 0;
		if (written)
		{
			syncFolder(folderOf(path));
			removeAbandonedTemporaryFiles(path, temporary);
		}
	}
	if (!written)
		::unlink(temporary.c_str());
	// Closed last: the lock on the temporary file tells others this saver is still alive. The data
	// are on the disk already (fsync), so a failing close changes nothing.
	::close(fd);
	return written;
}

std::string keepDamagedFile(const std::string& path)
{
	for (int n = 1; n <= 1000; ++n)
	{
		std::string kept = path + ".bad-" + std::to_string(n);
		if (exists(kept))
			continue;
		// A hard link never replaces an existing name, so an earlier damaged copy is never lost.
		if (::link(path.c_str(), kept.c_str()) == 0)
		{
			::unlink(path.c_str());
			syncFolder(folderOf(path));
			return kept;
		}
		if (errno == EEXIST)
			continue;
		if (::rename(path.c_str(), kept.c_str()) == 0)
		{
			syncFolder(folderOf(path));
			return kept;
		}
		return std::string();
	}
	return std::string();
}
