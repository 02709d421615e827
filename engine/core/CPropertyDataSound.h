#pragma once

#include "CPropertyDataContentName.h"

class ISound;

// Property value referring to a sound by its content name; empty text clears it.
class CPropertyDataSound : public CPropertyDataContentName
{
public:
	explicit CPropertyDataSound(IContentManager* manager = nullptr) : CPropertyDataContentName(manager) {}
	// Refers to sound (grabbed) and takes its owning content manager.
	explicit CPropertyDataSound(ISound* sound);

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;

	ISound* getSound() const;
	void setSound(ISound* sound);

protected:
	ContentType referredType() const override { return ContentTypeSound; }
};
