#include "CProfile.h"

#include "content/CProfileManager.h"
#include "core/PropertyMakers.h"

namespace
{
const irr::core::stringw parametersElement(L"Parameters");
}

CProfile::CProfile(const irr::core::stringw& name, CProfileManager* owner) : name(name), owner(owner) {}

bool CProfile::save()
{
	return owner && owner->saveProfile(this);
}

void CProfile::merge(const CPropertyCollection& other)
{
	// addMissing copies the values: a player changing a value in place must never change the
	// defaults or another player that received the same defaults.
	addMissing(other);
}

void CProfile::assign(const CPropertyCollection& other)
{
	clear();
	for (int i = 0; i < other.getCount(); ++i)
		add(other.getNameAt(i), clonePropertyData(other.getDataAt(i)));
}

bool CProfile::read(IXMLReader* reader)
{
	return readXml(reader, true, parametersElement);
}

bool CProfile::write(IXMLWriter* writer) const
{
	return writeXml(writer, false, parametersElement, true);
}
