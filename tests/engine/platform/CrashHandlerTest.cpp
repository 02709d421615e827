#include "platform/CrashHandler.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
struct FaultCase
{
	const char* name;
	int signal;
	void (*fault)();
};

void nullWrite()
{
	volatile int* pointer = nullptr;
	*pointer = 1;
}
void raiseBus()
{
	std::raise(SIGBUS);
}
void raiseFpe()
{
	std::raise(SIGFPE);
}
void raiseIll()
{
	std::raise(SIGILL);
}
void callAbort()
{
	std::abort();
}

std::string readFile(const std::string& path)
{
	std::ifstream in(path);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}

// Runs the fault in a child with the handler installed; returns its wait status and pid.
int runFaultingChild(void (*fault)(), pid_t& child)
{
	child = fork();
	if (child == 0)
	{
		CrashHandler::install(true, false);
		fault();
		_exit(0);
	}
	int status = 0;
	waitpid(child, &status, 0);
	return status;
}

std::string reportFor(pid_t pid)
{
	// The parent's name with the child's pid: both run the same executable.
	std::string own = CrashHandler::reportFileName();
	std::string ownPid = "." + std::to_string(getpid()) + ".dmp";
	return own.substr(0, own.size() - ownPid.size()) + "." + std::to_string(pid) + ".dmp";
}
} // namespace

class CrashHandlerFaults : public testing::TestWithParam<FaultCase>
{
};

TEST_P(CrashHandlerFaults, WritesReportNextToExecutableAndExitsNonZero)
{
	const FaultCase& c = GetParam();
	pid_t child = 0;
	int status = runFaultingChild(c.fault, child);

	ASSERT_TRUE(WIFEXITED(status)) << "the handler ends the process itself";
	EXPECT_EQ(CrashHandler::exitStatusFor(c.signal), WEXITSTATUS(status));
	EXPECT_NE(0, WEXITSTATUS(status));

	std::string report = reportFor(child);
	std::string text = readFile(report);
	std::remove(report.c_str());
	EXPECT_NE(std::string::npos, text.find(c.name)) << text;
	EXPECT_NE(std::string::npos, text.find("Address: 0x")) << text;
	EXPECT_NE(std::string::npos, text.find("Backtrace:\n")) << text;
	EXPECT_GT(text.size(), text.find("Backtrace:\n") + 11) << "backtrace lines follow";
}

INSTANTIATE_TEST_SUITE_P(Signals, CrashHandlerFaults,
                         testing::Values(FaultCase{"SIGSEGV", SIGSEGV, &nullWrite},
                                         FaultCase{"SIGBUS", SIGBUS, &raiseBus}, FaultCase{"SIGFPE", SIGFPE, &raiseFpe},
                                         FaultCase{"SIGILL", SIGILL, &raiseIll},
                                         FaultCase{"SIGABRT", SIGABRT, &callAbort}),
                         [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(CrashHandler, ReportNameIsExecutablePathPidAndDmp)
{
	char path[4096];
	ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
	ASSERT_GT(n, 0);
	path[n] = 0;
	EXPECT_EQ(std::string(path) + "." + std::to_string(getpid()) + ".dmp", CrashHandler::reportFileName());
}

TEST(CrashHandler, OnlyFirstInstallationCounts)
{
	pid_t child = fork();
	if (child == 0)
	{
		bool first = CrashHandler::install();
		bool second = CrashHandler::install();
		_exit(first && !second && CrashHandler::isInstalled() ? 0 : 1);
	}
	int status = 0;
	waitpid(child, &status, 0);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(0, WEXITSTATUS(status));
}
