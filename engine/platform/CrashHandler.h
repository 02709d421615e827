#pragma once

#include <string>

// Turns a fatal signal into a text crash report next to the executable and ends the process.
class CrashHandler
{
public:
	// Only the first call installs anything; later calls return false.
	static bool install(bool askUser = true, bool fullMemory = false);
	static bool isInstalled();

	// The report file a fault of this process would write: "<exe folder>/<exe name>.<pid>.dmp".
	static std::string reportFileName();

	// Exit status of a process ended by the handler for the given signal.
	static int exitStatusFor(int signal) { return 128 + signal; }
};
