#pragma once

#include "ReferenceCounted.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <type_traits>

// How a singleton class is made and unmade; specialise for classes that differ.
template <class T>
struct SingletonTraits
{
	static T* create() { return new T(); }
	static void destroy(T* object)
	{
		if constexpr (std::is_base_of_v<ReferenceCounted, T>)
			object->drop();
		else
			delete object;
	}
	// Only the logger comes back after its destruction at exit.
	static constexpr bool recreateAfterDestruction = false;
};

// Process-wide instance of T: created on first use under a per-class lock,
// destroyed by an exit handler in reverse order of creation.
template <class T>
class Singleton
{
public:
	static T* instance()
	{
		T* p = s_instance.load(std::memory_order_acquire);
		if (p)
			return p;

		std::lock_guard<std::recursive_mutex> guard(classLock());
		p = s_instance.load(std::memory_order_acquire);
		if (p)
			return p;
		if (s_destroyed)
		{
			if (!SingletonTraits<T>::recreateAfterDestruction)
				throw std::logic_error("Dead Reference Detected");
			s_destroyed = false;
		}
		p = SingletonTraits<T>::create();
		s_instance.store(p, std::memory_order_release);
		std::atexit(&destroyAtExit);
		return p;
	}

	// Objects that record themselves while they are being constructed.
	static void record(T* object)
	{
		s_instance.store(object, std::memory_order_release);
		s_destroyed = false;
	}

	// Called by the object's destructor (or destruction function).
	static void forget(const T* object)
	{
		if (s_instance.load(std::memory_order_acquire) == object)
		{
			s_instance.store(nullptr, std::memory_order_release);
			s_destroyed = true;
		}
	}

	static T* peek() { return s_instance.load(std::memory_order_acquire); }
	static bool isDestroyed() { return s_destroyed; }

	// Lets a test process make the class anew after it was destroyed.
	static void allowRecreation() { s_destroyed = false; }

	static void destroyAtExit()
	{
		if (!s_instance.load(std::memory_order_acquire))
			return;
		std::lock_guard<std::recursive_mutex> guard(classLock());
		T* p = s_instance.load(std::memory_order_acquire);
		if (p)
		{
			s_instance.store(nullptr, std::memory_order_release);
			SingletonTraits<T>::destroy(p);
		}
		s_instance.store(nullptr, std::memory_order_release);
		s_destroyed = true;
	}

private:
	static std::recursive_mutex& classLock()
	{
		static std::recursive_mutex lock;
		return lock;
	}

	inline static std::atomic<T*> s_instance{nullptr};
	inline static bool s_destroyed = false;
};
