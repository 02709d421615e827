#include "content/CMemoryFile.h"
#include "content/CProfileManager.h"
#include "content/ProfileFile.h"
#include "core/SmartPointer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads the input as a profile file (scrambled with a key when it starts with "K", which is
// then dropped) and hands what it holds to a manager with defaults, as loading does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	irr::core::stringc key;
	if (size > 0 && data[0] == 'K')
	{
		key = "fuzzkey";
		++data;
		--size;
	}
	std::vector<uint8_t> bytes(data, data + size);
	SmartPointer<CMemoryFile> file(
	    new CMemoryFile(bytes.data(), static_cast<long>(bytes.size()), "profile.dat", false));

	ProfileFile content;
	if (!content.load(*file, key))
		return 0;

	CProfileManager manager;
	manager.getPlayerProfileDefaults()->addInt("Level", 1);
	manager.getCommonProfileDefaults()->addBool("Fullscreen", true);
	manager.takeUserFile(content);
	manager.takeGlobalFile(content);
	for (int i = 0; i < manager.getProfileCount(); ++i)
		manager.findProfile(manager.getProfile(i)->getName());
	return 0;
}
