#pragma once

#include "Mutex.h"
#include "ReferenceCounted.h"

#include <thread>

// Base of objects that run a loop on a thread of their own.
class Thread : public virtual ReferenceCounted
{
public:
	using ThreadFunction = int (*)(void* argument);

	Thread();
	Thread(ThreadFunction function, void* argument);
	~Thread() override;

	// Refuses when a thread already runs (until joined).
	bool start();
	void join();
	bool isStarted() const { return worker.joinable(); }

	// Default body: calls the thread function, if any.
	virtual int run();

protected:
	Mutex* getMutex() const { return mutex; }

private:
	std::thread worker;
	ThreadFunction function = nullptr;
	void* argument = nullptr;
	Mutex* mutex;
	bool flag = false;
};

// Sleeps the calling thread.
void sleepMilliseconds(int ms);
