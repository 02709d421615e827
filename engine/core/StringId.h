#pragma once

#include <irrlicht/irrString.h>

// Id of a name interned in the process-wide StringIdRegistry; never written to files.
struct StringId
{
	int id = -1;

	StringId() = default;
	explicit constexpr StringId(int value) : id(value) {}

	bool operator==(const StringId& o) const { return id == o.id; }
	bool operator!=(const StringId& o) const { return id != o.id; }
	bool operator<(const StringId& o) const { return id < o.id; }
	bool isEmpty() const { return id == -1; }
};

StringId internStringId(const char* name);
StringId internStringId(const irr::core::stringc& name);
// Interns the narrowed text of a wide name, as internStringId(narrow(name)) does.
StringId internWideStringId(const irr::core::stringw& name);
// The name of an id; the empty string for ids never handed out.
const irr::core::stringc& getStringById(StringId id);
