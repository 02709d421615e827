#include "GameVersion.h"

const char* gameVersionText()
{
	return "0.1";
}
