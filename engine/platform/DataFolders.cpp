#include "DataFolders.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A setting's text as one path component: it may not climb out of or split the folder.
std::string pathComponent(const std::string& name)
{
	std::string result = name;
	for (char& c : result)
		if (c == '/' || c == '\\')
			c = '_';
	if (result.empty() || result == "." || result == "..")
		result = "_";
	return result;
}

bool isFolder(const std::string& path)
{
	struct stat info;
	return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates the folder; true when this call made it.
bool makeFolder(const std::string& path, mode_t mode)
{
	if (isFolder(path))
		return false;
	return ::mkdir(path.c_str(), mode) == 0;
}

// Creates every missing folder of an absolute path.
void makeFolders(const std::string& path)
{
	for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
		makeFolder(path.substr(0, slash), 0755);
	makeFolder(path, 0755);
}

std::string homeFolder()
{
	const char* home = std::getenv("HOME");
	if (home && *home == '/')
		return home;
	if (const passwd* entry = ::getpwuid(::getuid()))
		if (entry->pw_dir && *entry->pw_dir == '/')
			return entry->pw_dir;
	return std::string();
}

std::string userDataRoot()
{
	// Relative values are invalid by the base-directory rules and ignored.
	const char* xdg = std::getenv("XDG_DATA_HOME");
	if (xdg && *xdg == '/')
		return xdg;
	std::string home = homeFolder();
	if (!home.empty())
		return home + "/.local/share";
	const char* temp = std::getenv("TMPDIR");
	std::string tempFolder = temp && *temp == '/' ? temp : "/tmp";
	return tempFolder + "/data-" + std::to_string(::getuid());
}

std::string stripTrailingSeparators(std::string path)
{
	while (path.size() > 1 && path.back() == '/')
		path.pop_back();
	return path;
}
} // namespace

std::string getUserDataFolder(const std::string& publisher, const std::string& title)
{
	std::string root = stripTrailingSeparators(userDataRoot());
	makeFolders(root);
	std::string folder = root + "/" + pathComponent(publisher);
	makeFolder(folder, 0755);
	folder += "/" + pathComponent(title);
	makeFolder(folder, 0755);
	return folder;
}

std::string getCommonDataFolder(const std::string& publisher, const std::string& title, const std::string& sharedRoot)
{
	std::string root = stripTrailingSeparators(sharedRoot.empty() ? std::string("/var/lib") : sharedRoot);
	std::string publisherFolder = root + "/" + pathComponent(publisher);
	std::string folder = publisherFolder + "/" + pathComponent(title);

	if (makeFolder(publisherFolder, 0775))
		::chmod(publisherFolder.c_str(), 02775);
	if (makeFolder(folder, 02775))
	{
		// Every member of the folder's group may write; the umask must not take that away.
		::chmod(folder.c_str(), 02775);
	}
	if (isFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0)
		return folder;

	std::string fallback = getUserDataFolder(publisher, title) + "/AllUsers";
	makeFolder(fallback, 0755);
	return fallback;
}

std::string getProgramFolder()
{
	char path[PATH_MAX];
	const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (n <= 0)
		return std::string();
	path[n] = 0;
	const char* slash = std::strrchr(path, '/');
	return slash && slash != path ? std::string(path, static_cast<size_t>(slash - path)) : std::string();
}

std::string describeUnwritableFolder(const std::string& folder)
{
	struct stat info;
	if (::stat(folder.c_str(), &info) != 0)
		return std::strerror(errno);
	if (!S_ISDIR(info.st_mode))
		return "it is not a folder";
	// A probe file, since access() does not see read-only mounts of every kind.
	const std::string probe = folder + "/.write-check-" + std::to_string(::getpid());
	const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
	if (fd < 0)
		return std::strerror(errno);
	::close(fd);
	::unlink(probe.c_str());
	return std::string();
}
