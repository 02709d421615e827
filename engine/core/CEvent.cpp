#include "CEvent.h"

const irr::core::stringw& CEvent::typeName() const
{
	static const irr::core::stringw name(L"#thisClassName");
	return name;
}
