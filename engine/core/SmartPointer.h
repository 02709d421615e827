#pragma once

#include <cstddef>
#include <utility>

// Holder of one reference: adopts a raw pointer without grabbing, grabs on copy.
template <class T>
class SmartPointer
{
public:
	SmartPointer() = default;
	SmartPointer(std::nullptr_t) {}
	// Adopts the caller's reference.
	SmartPointer(T* object) : ptr(object) {}
	SmartPointer(const SmartPointer& other) : ptr(other.ptr)
	{
		if (ptr)
			ptr->grab();
	}
	template <class U>
	SmartPointer(const SmartPointer<U>& other) : ptr(other.get())
	{
		if (ptr)
			ptr->grab();
	}
	SmartPointer(SmartPointer&& other) noexcept : ptr(other.ptr) { other.ptr = nullptr; }
	~SmartPointer() { release(); }

	SmartPointer& operator=(const SmartPointer& other)
	{
		if (ptr == other.ptr)
			return *this;
		T* old = ptr;
		ptr = other.ptr;
		if (ptr)
			ptr->grab();
		if (old)
			old->drop();
		return *this;
	}
	SmartPointer& operator=(SmartPointer&& other) noexcept
	{
		if (this != &other)
		{
			T* old = ptr;
			ptr = other.ptr;
			other.ptr = nullptr;
			if (old)
				old->drop();
		}
		return *this;
	}
	SmartPointer& operator=(std::nullptr_t)
	{
		release();
		return *this;
	}

	// Adopts a raw pointer (no grab), dropping the old object.
	void reset(T* object = nullptr)
	{
		if (object == ptr)
		{
			// Adopting the pointer already held would leave two counted references.
			if (object)
				object->drop();
			return;
		}
		T* old = ptr;
		ptr = object;
		if (old)
			old->drop();
	}

	// Holds the object and takes an additional reference.
	void share(T* object)
	{
		if (object)
			object->grab();
		reset(object);
	}

	void release()
	{
		if (ptr)
		{
			T* old = ptr;
			ptr = nullptr;
			old->drop();
		}
	}

	// Gives the held reference to the caller.
	T* detach()
	{
		T* p = ptr;
		ptr = nullptr;
		return p;
	}

	T* get() const { return ptr; }
	T* operator->() const { return ptr; }
	T& operator*() const { return *ptr; }
	explicit operator bool() const { return ptr != nullptr; }
	bool isNull() const { return ptr == nullptr; }

	bool operator==(const SmartPointer& o) const { return ptr == o.ptr; }
	bool operator!=(const SmartPointer& o) const { return ptr != o.ptr; }
	bool operator==(const T* p) const { return ptr == p; }
	bool operator!=(const T* p) const { return ptr != p; }

private:
	T* ptr = nullptr;
};

// Holds an object that the caller keeps owning: grabs it.
template <class T>
SmartPointer<T> shareRef(T* object)
{
	SmartPointer<T> p;
	p.share(object);
	return p;
}
