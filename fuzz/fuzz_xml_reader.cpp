#include "content/CXMLReader.h"
#include "core/TextUtils.h"

#include <cstddef>
#include <cstdint>

namespace
{
// Names become narrow (UTF-8) text and back: the narrow bytes must survive the round trip.
void checkNarrowRoundTrip(const irr::core::stringw& text)
{
	const irr::core::stringc bytes = narrow(text);
	if (!(narrow(widen(bytes)) == bytes))
		__builtin_trap();
}
} // namespace

// Walks every node and attribute of the input through the pull reader.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	CXMLReader reader(data, size);
	size_t characters = 0;
	while (reader.read())
	{
		characters += reader.getNodeName().size();
		checkNarrowRoundTrip(reader.getNodeName());
		const int count = reader.getAttributeCount();
		for (int i = -1; i <= count; ++i)
		{
			const irr::core::stringw& name = reader.getAttributeName(i);
			characters += name.size() + reader.getAttributeValue(i).size();
			checkNarrowRoundTrip(reader.getAttributeValue(i));
			characters += reader.getAttributeValue(name).size();
			characters += static_cast<size_t>(reader.getAttributeValueAsInt(i, 1) & 1);
			characters += static_cast<size_t>(reader.getAttributeValueAsInt(name, 1) & 1);
			characters += reader.getAttributeValueAsFloat(i, 0.0f) > 0.0f ? 1 : 0;
		}
	}
	return characters == static_cast<size_t>(-1) ? 1 : 0;
}
