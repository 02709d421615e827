#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "data/GLogosList.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a logos list and consumes it as the logos scene does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GLogosList> logos(new GLogosList());
	logos->load(reader.get());
	for (irr::u32 i = 0; i < logos->getPublisherLogoCount(); ++i)
		logos->getPublisherLogo(i).url.size();
	const irr::u32 count = logos->getLogoCount();
	GLogoEntry logo;
	irr::u32 taken = 0;
	while (logos->takeFirstLogo(logo))
		++taken;
	if (taken != count)
		__builtin_trap();
	return 0;
}
