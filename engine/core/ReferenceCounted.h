#pragma once

// Shared base of every engine and game object: one plain (non-atomic) count,
// starting at 1 so the creator owns the first reference.
class ReferenceCounted
{
public:
	ReferenceCounted() = default;
	ReferenceCounted(const ReferenceCounted&) : count(1) {}
	ReferenceCounted& operator=(const ReferenceCounted&) { return *this; }
	virtual ~ReferenceCounted() = default;

	void grab() const { ++count; }

	// Returns true exactly on the call that destroys the object.
	bool drop() const
	{
		if (count == 1)
		{
			delete this;
			return true;
		}
		--count;
		return false;
	}

	int getReferenceCount() const { return count; }

private:
	mutable int count = 1;
};
