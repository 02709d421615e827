#include "core/SmartPointer.h"
#include "data/GAchievements.h"
#include "data/IntList.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the input as a profile number list and as achievement progress; both survive being written
// and read again unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const std::string text(reinterpret_cast<const char*>(data), size);
	const irr::core::array<irr::s32> values = parseIntList(text.c_str());
	const irr::core::array<irr::s32> again = parseIntList(joinIntList(values));
	if (again != values)
		__builtin_trap();

	SmartPointer<GAchievements> achievements(new GAchievements());
	achievements->load(text.c_str());
	const irr::core::stringc saved = achievements->toText();
	for (int i = 0; i < GAchievements::Count; ++i)
		achievements->update(i, achievements->getCounter(i));
	achievements->load(saved);
	if (achievements->toText() != saved)
		__builtin_trap();
	return 0;
}
