#pragma once

#include "ReferenceCounted.h"

#include <mutex>

// Recursive lock shared by the objects that lock with it.
class Mutex : public virtual ReferenceCounted
{
public:
	void lock();
	void unlock() { m.unlock(); }
	bool tryLock() { return m.try_lock(); }

private:
	static constexpr int spinLimit = 128;
	std::recursive_mutex m;
};

inline void Mutex::lock()
{
	// Holders let go within a few hundred nanoseconds: a short spin waits for them awake, where
	// sleeping would add the scheduler's wake-up delay, on a busy machine milliseconds.
	for (int spin = 0; spin < spinLimit; ++spin)
	{
		if (m.try_lock())
			return;
#if defined(__x86_64__) || defined(__i386__)
		__builtin_ia32_pause();
#endif
	}
	m.lock();
}

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
