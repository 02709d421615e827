#include "ContentType.h"

#include <cstdio>

irr::core::stringc contentTypeToText(ContentType type)
{
	char text[16];
	std::snprintf(text, sizeof(text), "%u", type);
	return irr::core::stringc(text);
}
