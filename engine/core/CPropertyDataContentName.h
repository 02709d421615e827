#pragma once

#include "IPropertyData.h"
#include "content/ContentType.h"

class ContentObject;

// Shared part of the property values that refer to content ("atlasTexture", "font", "sound"):
// the object (one reference held) and the content manager that resolves names. Not a type of its own.
class CPropertyDataContentName : public IPropertyData
{
public:
	~CPropertyDataContentName() override;
	CPropertyDataContentName(const CPropertyDataContentName&) = delete;
	CPropertyDataContentName& operator=(const CPropertyDataContentName&) = delete;

	// The object's content name relative to the file on top of the manager's folder stack; empty without one.
	irr::core::stringc toString() const override;
	// Asks the content manager for the named object; ignored without a manager.
	void fromString(const irr::core::stringc& text) override;
	// Same type and the same object (two values without one are equal).
	bool equals(const IPropertyData& other) const override;
	// This value's object before t reaches 1, to's object from then on.
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	ContentObject* getContentObject() const { return object; }
	// The object's content name as the manager caches it (not made relative); empty without one.
	const irr::core::stringc& getContentName() const;
	// Grabs object (one of another content type counts as none); a non-null one brings its owning manager.
	void setContentObject(ContentObject* object);
	// Not grabbed; may be null.
	IContentManager* getContentManager() const { return contentManager; }
	void setContentManager(IContentManager* manager) { contentManager = manager; }

protected:
	explicit CPropertyDataContentName(IContentManager* manager) : contentManager(manager) {}

	// The type code of the objects this value refers to.
	virtual ContentType referredType() const = 0;
	// Whether reading empty text keeps the current object.
	virtual bool keepsContentOnEmptyText() const { return false; }
	// The manager that writes the name relative to the file being written.
	virtual IContentManager* nameManager() const { return contentManager; }
	// Copies the object (one more reference) and the content manager into a clone.
	void copyTo(CPropertyDataContentName& copy) const;

private:
	ContentObject* object = nullptr;
	IContentManager* contentManager = nullptr;
};
