#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "data/GUpgradesConfiguration.h"
#include "frontend/ShopLedger.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
const GUpgradesConfiguration& upgrades()
{
	static const SmartPointer<GUpgradesConfiguration> configuration = []
	{
		SmartPointer<GUpgradesConfiguration> made(new GUpgradesConfiguration());
		const std::string xml = "<UpgradesConfiguration>"
		                        "<Upgrade><Name Value=\"Camping\"/><Price Value=\"0\"/></Upgrade>"
		                        "<Upgrade><Name Value=\"Cafe\"/><Price Value=\"800\"/><Level Value=\"1\"/></Upgrade>"
		                        "<Upgrade><Name Value=\"Hostel\"/><Price Value=\"2147483647\"/></Upgrade>"
		                        "<Upgrade><Name Value=\"Refund\"/><Price Value=\"-2147483648\"/></Upgrade>"
		                        "</UpgradesConfiguration>";
		SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
		made->load(reader.get());
		return made;
	}();
	return *configuration;
}
} // namespace

// The shop's reading of a profile's bought names (first line) and scores (the rest): each owned upgrade
// once, every free upgrade owned, and points within the int range whatever the texts hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const std::string text(reinterpret_cast<const char*>(data), size);
	const size_t split = text.find('\n');
	const std::string bought = text.substr(0, split);
	const std::string scores = split == std::string::npos ? std::string() : text.substr(split + 1);
	const ShopLedger ledger = computeShopLedger(upgrades(), bought.c_str(), scores.c_str());
	std::vector<StringId> owned = ledger.owned;
	std::sort(owned.begin(), owned.end());
	if (std::adjacent_find(owned.begin(), owned.end()) != owned.end())
		__builtin_trap();
	if (!ledger.owns(internStringId("Camping")))
		__builtin_trap();
	const long long difference = ledger.scoreTotal - ledger.spent;
	if ((difference >= 0) != (ledger.points() >= 0))
		__builtin_trap();
	for (int count : ledger.groupCounts)
		if (count < 0 || count > static_cast<int>(ledger.owned.size()))
			__builtin_trap();
	return 0;
}
