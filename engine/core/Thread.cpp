#include "Thread.h"

#include "ILogger.h"

#include <chrono>
#include <system_error>

Thread::Thread() : mutex(new Mutex) {}

Thread::Thread(ThreadFunction fn, void* arg) : function(fn), argument(arg), mutex(new Mutex) {}

Thread::~Thread()
{
	join();
	mutex->drop();
}

bool Thread::start()
{
	if (worker.joinable())
		return false;
	try
	{
		worker = std::thread([this] { run(); });
	}
	catch (const std::system_error&)
	{
		getLogger()->log("Failed to create thread.", 2);
		return false;
	}
	flag = false;
	return true;
}

void Thread::join()
{
	if (worker.joinable())
		worker.join();
}

int Thread::run()
{
	if (function)
		return function(argument);
	return 0;
}

void sleepMilliseconds(int ms)
{
	if (ms > 0)
		std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
