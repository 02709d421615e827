#include "CPropertyDataSound.h"

#include "audio/ISound.h"

CPropertyDataSound::CPropertyDataSound(ISound* sound) : CPropertyDataContentName(nullptr)
{
	setSound(sound);
}

const irr::core::stringw& CPropertyDataSound::typeName() const
{
	static const irr::core::stringw name(L"sound");
	return name;
}

const irr::core::stringw& CPropertyDataSound::className() const
{
	static const irr::core::stringw name(L"CPropertyDataSound");
	return name;
}

int CPropertyDataSound::typeId() const
{
	return PROPERTY_SOUND;
}

bool CPropertyDataSound::isKindOf(int id) const
{
	return id == PROPERTY_SOUND || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataSound::clone() const
{
	CPropertyDataSound* copy = new CPropertyDataSound(getContentManager());
	copyTo(*copy);
	return copy;
}

ISound* CPropertyDataSound::getSound() const
{
	return dynamic_cast<ISound*>(getContentObject());
}

void CPropertyDataSound::setSound(ISound* sound)
{
	setContentObject(sound);
}
