#pragma once

#include "CPropertyDataContentName.h"

class CFont;

// Property value referring to a font by its content name; empty text clears it.
class CPropertyDataFont : public CPropertyDataContentName
{
public:
	explicit CPropertyDataFont(IContentManager* manager = nullptr) : CPropertyDataContentName(manager) {}
	// Refers to font (grabbed) and takes its owning content manager.
	explicit CPropertyDataFont(CFont* font);

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;

	CFont* getFont() const;
	void setFont(CFont* font);

protected:
	ContentType referredType() const override { return ContentTypeFont; }
};
