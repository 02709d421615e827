#include "content/CDictionary.h"
#include "content/CXMLReader.h"
#include "core/TextUtils.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a dictionary file, then expands and formats texts with what it defined.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<CDictionary> dictionary(new CDictionary());
	dictionary->load(reader.get());
	const irr::core::stringw raw =
		widen(irr::core::stringc(reinterpret_cast<const char*>(data), static_cast<irr::u32>(size < 512 ? size : 512)));
	dictionary->expandTags(raw);
	dictionary->expandTags(dictionary->getText("Tag"));
	dictionary->format("Tag", raw, L"x", L"", L"#p");
	return 0;
}
