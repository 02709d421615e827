#include "SafeFileReplace.h"

#include "content/IReadFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
} // namespace

std::string temporaryFileFor(const std::string& path)
{
	return path + ".tmp";
}

bool replaceFileAtomically(const std::string& path, IReadFile& source, unsigned mode)
{
	if (path.empty())
		return false;
	// One fixed name: a save cut short by a crash leaves one stale file that the next save reuses.
	std::string temporary = temporaryFileFor(path);
	int fd =
	    ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, static_cast<mode_t>(mode));
	if (fd < 0)
		return false;

	// The mode is meant as given (a shared folder's file stays group-writable whatever the umask).
	::fchmod(fd, static_cast<mode_t>(mode));
	bool written = copyToDescriptor(source, fd) && ::fsync(fd) == 0;
	if (::close(fd) != 0)
		written = false;
	if (!written || ::rename(temporary.c_str(), path.c_str()) != 0)
	{
		::unlink(temporary.c_str());
		return false;
	}
	syncFolder(folderOf(path));
	return true;
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
