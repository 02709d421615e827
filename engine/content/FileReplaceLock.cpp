#include "FileReplaceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

FileReplaceLock::FileReplaceLock(const std::string& path, bool exclusive, unsigned mode)
{
	const std::string lockFile = lockFileFor(path);
	fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, static_cast<mode_t>(mode));
	if (fd >= 0)
		// Another user of a shared folder must be able to open it too, whatever the umask.
		::fchmod(fd, static_cast<mode_t>(mode));
	else
		// A lock file made by another user: reading is enough to lock it.
		fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
	if (fd < 0)
		return;
	int result;
	do
		result = ::flock(fd, exclusive ? LOCK_EX : LOCK_SH);
	while (result != 0 && errno == EINTR);
	if (result != 0)
	{
		::close(fd);
		fd = -1;
	}
}

FileReplaceLock::~FileReplaceLock()
{
	if (fd >= 0)
		::close(fd);
}
