#include "CPropertyDataFont.h"

#include "content/CFont.h"

CPropertyDataFont::CPropertyDataFont(CFont* font) : CPropertyDataContentName(nullptr)
{
	setFont(font);
}

const irr::core::stringw& CPropertyDataFont::typeName() const
{
	static const irr::core::stringw name(L"font");
	return name;
}

const irr::core::stringw& CPropertyDataFont::className() const
{
	static const irr::core::stringw name(L"CPropertyDataFont");
	return name;
}

int CPropertyDataFont::typeId() const
{
	return PROPERTY_FONT;
}

bool CPropertyDataFont::isKindOf(int id) const
{
	return id == PROPERTY_FONT || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataFont::clone() const
{
	CPropertyDataFont* copy = new CPropertyDataFont(getContentManager());
	copyTo(*copy);
	return copy;
}

CFont* CPropertyDataFont::getFont() const
{
	// Only fonts are ever held: setContentObject refuses other content types.
	return static_cast<CFont*>(getContentObject());
}

void CPropertyDataFont::setFont(CFont* font)
{
	setContentObject(font);
}
