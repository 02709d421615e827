#include "CheckedNumber.h"

#include "content/IXMLReader.h"
#include "core/ILogger.h"

#include <cmath>

bool isNumberInRange(double value, NumberRange range, const char* name)
{
	if (value >= range.low && value <= range.high)
		return true;
	getLogger()->log("Number out of range; the default is kept", name ? name : "", 1);
	return false;
}

int checkedInt(double value, int fallback, NumberRange range, const char* name)
{
	return isNumberInRange(value, range, name) ? static_cast<int>(value) : fallback;
}

float checkedFloat(double value, float fallback, NumberRange range, const char* name)
{
	return isNumberInRange(value, range, name) ? static_cast<float>(value) : fallback;
}

namespace
{
// The attribute's name as narrow text for the log line.
irr::core::stringc narrowName(const wchar_t* name)
{
	return irr::core::stringc(irr::core::stringw(name).c_str());
}

bool present(const IXMLReader* reader, const wchar_t* name)
{
	if (!reader)
		return false;
	for (int i = 0; i < reader->getAttributeCount(); ++i)
		if (reader->getAttributeName(i) == name)
			return true;
	return false;
}
} // namespace

int readIntAttribute(const IXMLReader* reader, const wchar_t* name, int fallback, NumberRange range, bool* ok)
{
	if (!present(reader, name))
		return fallback;
	// Read as an integer (exact, saturating) and as a number, so that NaN and infinities are seen too.
	const float number = reader->getAttributeValueAsFloat(name, 0.0f);
	const int value = reader->getAttributeValueAsInt(name, fallback);
	const bool accepted = isNumberInRange(std::isfinite(number) ? value : number, range, narrowName(name).c_str());
	if (ok && !accepted)
		*ok = false;
	return accepted ? value : fallback;
}

float readFloatAttribute(const IXMLReader* reader, const wchar_t* name, float fallback, NumberRange range, bool* ok)
{
	if (!present(reader, name))
		return fallback;
	const float value = reader->getAttributeValueAsFloat(name, fallback);
	const bool accepted = isNumberInRange(value, range, narrowName(name).c_str());
	if (ok && !accepted)
		*ok = false;
	return accepted ? value : fallback;
}
