#include "CPropertyDataContentName.h"

#include "content/CContentManager.h"
#include "core/TextUtils.h"

CPropertyDataContentName::~CPropertyDataContentName()
{
	if (object)
		object->drop();
}

void CPropertyDataContentName::setContentObject(ContentObject* newObject)
{
	if (newObject && newObject->getContentType() != referredType())
		newObject = nullptr;
	if (newObject == object)
		return;
	if (newObject)
	{
		newObject->grab();
		if (CContentManager* owner = newObject->getContentRef().getContentManager())
			contentManager = owner;
	}
	if (object)
		object->drop();
	object = newObject;
}

const irr::core::stringc& CPropertyDataContentName::getContentName() const
{
	return object ? object->getContentRef().getName() : emptyStringC();
}

irr::core::stringc CPropertyDataContentName::toString() const
{
	if (!object)
		return irr::core::stringc();
	const irr::core::stringc& name = object->getContentRef().getName();
	IContentManager* manager = nameManager();
	return manager ? manager->getRelativePath(name) : name;
}

void CPropertyDataContentName::fromString(const irr::core::stringc& text)
{
	if (!contentManager || (text.size() == 0 && keepsContentOnEmptyText()))
		return;
	ContentObject* found = contentManager->getContent(referredType(), text, true);
	setContentObject(found);
	if (found)
		found->drop();
}

bool CPropertyDataContentName::equals(const IPropertyData& other) const
{
	return isSameType(other) && static_cast<const CPropertyDataContentName&>(other).object == object;
}

bool CPropertyDataContentName::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	ContentObject* chosen = t >= 1.0f ? static_cast<const CPropertyDataContentName&>(to).object : object;
	CPropertyDataContentName& target = static_cast<CPropertyDataContentName&>(out);
	if (target.object == chosen)
		return false;
	target.setContentObject(chosen);
	return true;
}

void CPropertyDataContentName::copyTo(CPropertyDataContentName& copy) const
{
	copy.setContentObject(object);
	copy.contentManager = contentManager;
}
