#pragma once

#include <string>

// Keeps a second copy of the program from running: the second copy raises the first one's window instead.
class SingleInstanceGuard
{
public:
	// The lock lives in $XDG_RUNTIME_DIR, else in the temp folder under a name with the user id.
	explicit SingleInstanceGuard(const char* name);
	~SingleInstanceGuard();
	SingleInstanceGuard(const SingleInstanceGuard&) = delete;
	SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

	bool isAnotherInstanceRunning() const { return anotherInstance; }
	// Records the first instance's X11 window so a later copy can raise it; ignored in a second instance.
	void storeWindowHandle(unsigned long window);

	const std::string& getLockFileName() const { return lockFileName; }

	// Where the lock file of a guard with this name lives.
	static std::string lockFileFor(const char* name);
	// Asks the window manager to activate the window, restoring it when minimised.
	static bool activateWindow(unsigned long window);

private:
	std::string lockFileName;
	int lockFile = -1;
	bool anotherInstance = false;
};
