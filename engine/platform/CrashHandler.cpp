#include "CrashHandler.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{
constexpr int FatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t PathCapacity = 4096;

// Everything the handler needs is prepared at installation: nothing is allocated after a fault.
struct CrashState
{
	char folder[PathCapacity] = {};
	char exeName[PathCapacity] = {};
	bool askUser = true;
	bool fullMemory = false;
	std::atomic<bool> installed{false};
	// Thread id of the thread writing the report; a second faulting thread waits for the end.
	std::atomic<long> handlingThread{0};
};

CrashState state;
alignas(16) char alternateStack[256 * 1024];

// Minimal async-signal-safe text building.
struct Text
{
	char data[PathCapacity + 256];
	size_t length = 0;

	void append(const char* s)
	{
		while (*s && length + 1 < sizeof(data))
			data[length++] = *s++;
		data[length] = 0;
	}
	void appendNumber(unsigned long value, unsigned base = 10)
	{
		char digits[32];
		int n = 0;
		do
		{
			digits[n++] = "0123456789abcdef"[value % base];
			value /= base;
		} while (value);
		char reversed[33];
		for (int i = 0; i < n; ++i)
			reversed[i] = digits[n - 1 - i];
		reversed[n] = 0;
		append(reversed);
	}
};

void writeAll(int fd, const char* text, size_t length)
{
	while (length > 0)
	{
		ssize_t written = ::write(fd, text, length);
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0)
			return;
		text += written;
		length -= static_cast<size_t>(written);
	}
}

void writeText(int fd, const Text& text)
{
	writeAll(fd, text.data, text.length);
}

const char* signalName(int signal)
{
	switch (signal)
	{
	case SIGSEGV:
		return "SIGSEGV";
	case SIGBUS:
		return "SIGBUS";
	case SIGFPE:
		return "SIGFPE";
	case SIGILL:
		return "SIGILL";
	case SIGABRT:
		return "SIGABRT";
	default:
		return "signal";
	}
}

void buildReportName(Text& name, long pid)
{
	name.append(state.folder);
	name.append(state.exeName);
	name.append(".");
	name.appendNumber(static_cast<unsigned long>(pid));
	name.append(".dmp");
}

void copyFile(const char* path, int to)
{
	int from = ::open(path, O_RDONLY | O_CLOEXEC);
	if (from < 0)
		return;
	char buffer[4096];
	ssize_t n;
	while ((n = ::read(from, buffer, sizeof(buffer))) > 0)
		writeAll(to, buffer, static_cast<size_t>(n));
	::close(from);
}

void writeReport(int fd, int signal, siginfo_t* info)
{
	Text header;
	header.append("Unexpected error: ");
	header.append(signalName(signal));
	header.append(" (");
	header.appendNumber(static_cast<unsigned long>(signal));
	header.append("), code ");
	header.appendNumber(static_cast<unsigned long>(info ? info->si_code : 0));
	header.append("\nAddress: 0x");
	header.appendNumber(reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr), 16);
	header.append("\nProcess: ");
	header.appendNumber(static_cast<unsigned long>(::getpid()));
	header.append("\nExecutable: ");
	header.append(state.folder);
	header.append(state.exeName);
	header.append("\nBacktrace:\n");
	writeText(fd, header);

	void* frames[128];
	int count = ::backtrace(frames, 128);
	::backtrace_symbols_fd(frames, count, fd);

	if (state.fullMemory)
	{
		const char title[] = "Memory map:\n";
		writeAll(fd, title, sizeof(title) - 1);
		copyFile("/proc/self/maps", fd);
	}
}

[[noreturn]] void endProcess(int signal)
{
	::_exit(CrashHandler::exitStatusFor(signal));
}

void onFatalSignal(int signal, siginfo_t* info, void*)
{
	long self = ::syscall(SYS_gettid);
	long expected = 0;
	if (!state.handlingThread.compare_exchange_strong(expected, self))
	{
		// A fault inside the handler ends at once; another thread's fault waits for the first to finish.
		if (expected == self)
			endProcess(signal);
		for (;;)
			::pause();
	}

	Text name;
	buildReportName(name, ::getpid());

	int fd = ::open(name.data, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
	Text message;
	if (fd < 0)
	{
		int error = errno;
		message.append("Failed to create the mini-dump file '");
		message.append(name.data);
		message.append("' (error ");
		message.appendNumber(static_cast<unsigned long>(error));
		message.append(")\n");
	}
	else
	{
		writeReport(fd, signal, info);
		::close(fd);
		message.append("Crash report written to ");
		message.append(name.data);
		message.append("\n");
	}
	if (state.askUser)
		writeText(STDERR_FILENO, message);
	endProcess(signal);
}

void findExecutable()
{
	char path[PathCapacity];
	ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (n <= 0)
	{
		// Without the path the report goes to the working folder.
		std::snprintf(state.exeName, sizeof(state.exeName), "program");
		return;
	}
	path[n] = 0;
	const char* slash = std::strrchr(path, '/');
	size_t folderLength = slash ? static_cast<size_t>(slash - path) + 1 : 0;
	std::memcpy(state.folder, path, folderLength);
	state.folder[folderLength] = 0;
	std::snprintf(state.exeName, sizeof(state.exeName), "%s", path + folderLength);
}
} // namespace

bool CrashHandler::install(bool askUser, bool fullMemory)
{
	bool expected = false;
	if (!state.installed.compare_exchange_strong(expected, true))
		return false;

	state.askUser = askUser;
	state.fullMemory = fullMemory;
	findExecutable();

	// The first backtrace() loads the unwinder, which allocates: do it now rather than after a fault.
	void* frames[4];
	::backtrace(frames, 4);

	stack_t stack{};
	stack.ss_sp = alternateStack;
	stack.ss_size = sizeof(alternateStack);
	::sigaltstack(&stack, nullptr);

	struct sigaction action
	{
	};
	action.sa_sigaction = &onFatalSignal;
	action.sa_flags = SA_SIGINFO | SA_ONSTACK;
	sigemptyset(&action.sa_mask);
	for (int signal : FatalSignals)
		::sigaction(signal, &action, nullptr);
	return true;
}

bool CrashHandler::isInstalled()
{
	return state.installed.load();
}

std::string CrashHandler::reportFileName()
{
	if (!isInstalled())
		findExecutable();
	Text name;
	buildReportName(name, ::getpid());
	return name.data;
}
