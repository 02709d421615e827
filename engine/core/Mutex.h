#pragma once

#include "ReferenceCounted.h"

#include <mutex>

// Recursive lock shared by the objects that lock with it.
class Mutex : public virtual ReferenceCounted
{
public:
	void lock() { m.lock(); }
	void unlock() { m.unlock(); }
	bool tryLock() { return m.try_lock(); }

private:
	std::recursive_mutex m;
};

// Holds a Mutex locked for a scope.
class MutexLock
{
public:
	explicit MutexLock(Mutex& mutex) : m(mutex) { m.lock(); }
	~MutexLock() { m.unlock(); }
	MutexLock(const MutexLock&) = delete;
	MutexLock& operator=(const MutexLock&) = delete;

private:
	Mutex& m;
};
